#include "AdminFixture.h"
#include "records/RecordsMessages.h"
#include "sheets/frmNewEntry.h"
#include "test/AdminTexts.h"
#include "test/frmSelectEntryMethod.h"
#include "ui/WindowSeam.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace dvq3;
using dvq3test::Child;

namespace {

struct EntryMethodTest : dvq3test::AdminFixture {
    std::unique_ptr<frmSelectEntryMethod> window;
    dvq3test::ModalScript script;
    QStringList opened;

    void SetUp() override {
        AdminFixture::SetUp();
        session.CurClient = 1;
        // Client information and court history confirm a new client as they would.
        session.ChainWindows["frmClientInfo"] = [this](Session&) {
            opened << "frmClientInfo";
            newClient();
            session.ContinueFlag = true;
        };
        session.ChainWindows["frmCourtHistory"] = [this](Session&) {
            opened << "frmCourtHistory";
            session.ContinueFlag = true;
        };
        session.ChainWindows["frmNewEntry"] = [](Session& s) {
            frmNewEntry grid(s);
            grid.exec();
        };
    }
    void openWindow() {
        window = std::make_unique<frmSelectEntryMethod>(session, &audio);
        open(window.get());
    }
    void choose(int method) { keys(QString(method, u'd') + "e"); }
    // The secret code prompt: a wrong code first, then the right one.
    void secretCode() {
        script.then([](QWidget* box) { dvq3test::Answer(box, "x"); });
        script.then([](QWidget* box) { dvq3test::Answer(box, "k"); });
    }
    static QString help(QWidget* window) { return Child<QLabel>(window, "MsgPanel")->text(); }
    QString caption(int i) const {
        return Child<QPushButton>(window.get(), QString("cmdMenuChoice%1").arg(i))->text();
    }
};

} // namespace

TEST_F(EntryMethodTest, ShowsTheFourMethodsAndWhenEditingTheClientAndCancelEdit) {
    openWindow();
    EXPECT_EQ(window->windowTitle(), kEntryMethodCaption);
    EXPECT_EQ(focusName(), "cmdMenuChoice0");
    QStringList captions, helps;
    for (int i = 0; i < 4; ++i) {
        captions << caption(i);
        helps << help(window.get());
        keys("d");
    }
    EXPECT_EQ(captions, QStringList(std::begin(kMethodCaptions), std::end(kMethodCaptions)));
    EXPECT_EQ(helps, QStringList(std::begin(kMethodHelp), std::end(kMethodHelp)));
    EXPECT_FALSE(Child<QLabel>(window.get(), "lblClientName")->isVisible());
    session.EditExisting = true;
    openWindow();
    EXPECT_EQ(Child<QLabel>(window.get(), "lblClientName")->text(),
              QString("Ann Lee").leftJustified(25));
    EXPECT_TRUE(Child<QLabel>(window.get(), "lblClientName")->isVisible());
    EXPECT_EQ(caption(3), kCancelEditCaption);
}

TEST_F(EntryMethodTest, KeyedEntryChainSavesTheNewClient) {
    QString keyed;
    for (int i = 1; i <= 100; ++i)
        keyed += QString::number(i <= 29 ? i % 2 + 1 : i % 4 + 1);
    // Typed once the grid's set-up, which lets events run, has finished.
    script.then([&](QWidget* grid) {
        QTimer::singleShot(50, grid, [&, grid] {
            EXPECT_EQ(focusName(), "grdResponses0");
            type(keyed);
            QTest::keyClick(grid->findChild<QWidget*>("cmdMenuChoice0"), Qt::Key_Return);
        });
    });
    openWindow();
    choose(1);
    EXPECT_TRUE(script.done());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(opened, (QStringList{"frmClientInfo", "frmCourtHistory"}));
    ClientRecord record = NewClient();
    record.set(&ClientRecord::Responses, keyed);
    EXPECT_EQ(session.disk.NumClients(), 2);
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes() + record.toBytes());
}

TEST_F(EntryMethodTest, OnScreenChainAsksForTheSecretCodeAfterAnyEnd) {
    struct Row {
        int language; // chooser button; -1 cancels the chooser
        bool breakOff;
        int clients;
    };
    for (const Row row : {Row{1, true, 1}, Row{-1, false, 1}, Row{0, false, 2}}) {
        SCOPED_TRACE(testing::Message() << row.language << row.breakOff);
        messages.boxes.clear();
        script.then([&](QWidget* chooser) {
            QTest::qWait(20);
            EXPECT_EQ(chooser->windowTitle(), kSelectLanguageCaption);
            EXPECT_EQ(Child<QPushButton>(chooser, "cmdMenuChoice1")->text(), kSpanish);
            EXPECT_FALSE(Child<QWidget>(chooser, "sspMenuChoice2")->isVisible());
            EXPECT_EQ(help(chooser), kPresentInHelp + kEnglish);
            QTest::keyClick(
                Child<QWidget>(
                    chooser, QString("cmdMenuChoice%1").arg(row.language >= 0 ? row.language : 3)),
                Qt::Key_Return);
        });
        if (row.language >= 0) {
            script.then([&](QWidget* presentation) {
                QTest::qWait(20);
                EXPECT_EQ(presentation->windowTitle(), kPresentationCaption[row.language]);
                EXPECT_TRUE(Child<QWidget>(window.get(), "fraSelectMethod")->isHidden());
                EXPECT_EQ(help(window.get()), kWhenReadyHelp);
                keys(row.breakOff ? "eeb" : "ee");
                for (int i = 1; i <= 100 && !row.breakOff; ++i) {
                    keys("de");
                    if (presentation->isVisible() &&
                        Child<QWidget>(presentation, "fraInstructions")->isVisible())
                        keys("e");
                }
            });
            secretCode();
        }
        openWindow();
        choose(0);
        EXPECT_TRUE(script.done());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(session.disk.NumClients(), row.clients);
        const bool presented = row.language >= 0;
        EXPECT_EQ(messages.texts().contains(kTestBeginsText), presented);
        EXPECT_EQ(messages.texts().contains(kWrongCodeText), presented);
        EXPECT_EQ(onDisk().size(), 176 * row.clients);
        EXPECT_EQ(onDisk().left(176), dvq3test::Client("Ann Lee").toBytes());
        if (row.clients == 2) {
            EXPECT_EQ(onDisk().mid(176 + 74, 100), QByteArray(100, '1'));
        }
        session.CurClient = 1;
    }
}

// With English only the presentation starts at once. The question table is checked before
// anything shows: each change comes on top of the ones before and its check runs first.
TEST_F(EntryMethodTest, OneLanguageSkipsTheChooserAndTablesItCannotRunOnAreRefused) {
    ASSERT_TRUE(session.dbTest.execute("DROP TABLE [Spanish]"));
    script.then([](QWidget* presentation) {
        QTest::qWait(20);
        EXPECT_EQ(presentation->windowTitle(), kPresentationCaption[0]);
        keys("b");
    });
    secretCode();
    openWindow();
    choose(0);
    EXPECT_TRUE(script.done());
    struct Row {
        const char* change;
        const char* why;
    };
    const Row rows[] = {
        {"UPDATE [English] SET ID = 7 WHERE ID = 8", "record 8 is not item 8"},
        {"DELETE FROM [English] WHERE ID = 100", "the table holds 99 questions, 100 are needed"},
        {"ALTER TABLE [English] DROP COLUMN ChoiceAudio5", "no field \"ChoiceAudio5\""},
        {"DROP TABLE [English]", "no such table"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        ASSERT_TRUE(session.dbTest.execute(row.change));
        messages.boxes.clear();
        openWindow();
        choose(0);
        ASSERT_EQ(messages.boxes.size(), 1);
        EXPECT_EQ(messages.boxes[0].title, kOnScreenTitle);
        EXPECT_TRUE(messages.boxes[0].text.contains(row.why))
            << messages.boxes[0].text.toStdString();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
    }
}

TEST_F(EntryMethodTest, ScanGoesThroughTheWindowSeam) {
    openWindow();
    choose(2);
    EXPECT_EQ(messages.texts(), QStringList{kNotAvailableText});
    bool scanned = false;
    session.ChainWindows["ScanAnswerSheet"] = [&](Session&) { scanned = true; };
    openWindow();
    choose(2);
    EXPECT_TRUE(scanned);
}
