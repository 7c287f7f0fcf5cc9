#include "RecordsFixture.h"
#include "platform/Codepage.h"
#include "records/RecordsMessages.h"
#include "records/frmSupervisorOptions.h"
#include "reports/ReportPrinting.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

using namespace dvq3;

namespace {

struct SupervisorOptionsTest : dvq3test::RecordsFixture {
    std::unique_ptr<frmSupervisorOptions> window;
    QList<QStringList> jobs;
    dvq3test::ModalScript script;

    void SetUp() override {
        SetPrintJobHandler([this](const QStringList& pages) { jobs << pages; });
    }
    void TearDown() override { SetPrintJobHandler({}); }
    void openWindow() {
        window = std::make_unique<frmSupervisorOptions>(session);
        open(window.get());
    }
    QTabWidget* tabs() { return child<QTabWidget>(window.get(), "sstSupervisorOperations"); }
    QString help() { return child<QLabel>(window.get(), "MsgPanel")->text(); }
    QString shown() { return child<QLabel>(window.get(), "lblNameDisplay")->text(); }
    void execute() {
        QTest::keyClick(child<QWidget>(window.get(), "cmdMenuChoice0"), Qt::Key_Return);
    }
    void secretCode() {
        script.then([](QWidget* box) { dvq3test::Answer(box, "k"); });
    }
    QColor panel() {
        return child<QWidget>(window.get(), "sspMenuChoice2")->palette().color(QPalette::Window);
    }
};

} // namespace

TEST_F(SupervisorOptionsTest, TabsHelpLinesAndFocusColour) {
    makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Bob Ray")});
    session.CurClient = 2;
    openWindow();
    EXPECT_EQ(window->windowTitle(), kSupervisorCaption);
    EXPECT_EQ(shown(), QStringLiteral("Bob Ray").leftJustified(25));
    EXPECT_EQ(tabs()->tabText(0), "&Reports");
    EXPECT_EQ(tabs()->tabText(1), "&Verify Data");
    EXPECT_EQ(tabs()->tabText(2), "&Delete Names");
    QStringList labels;
    for (QLabel* label : tabs()->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(kVerifyComment));
    EXPECT_TRUE(labels.contains(kDeleteComment));
    EXPECT_EQ(panel(), QColor(0, 255, 255)); // the tabs have the focus
    const std::tuple<int, QString, QString> steps[] = {
        {1, kVerifyTabHelp, QStringLiteral("Bob Ray").leftJustified(25)},
        {2, kDeleteTabHelp, "All Clients"},
        {0, "", QStringLiteral("Bob Ray").leftJustified(25)}};
    for (const auto& [tab, line, name] : steps) {
        QTest::keyClick(static_cast<QWidget*>(tabs()->tabBar()),
                        tab == 0 ? Qt::Key_Left : Qt::Key_Right);
        if (tab == 0)
            QTest::keyClick(static_cast<QWidget*>(tabs()->tabBar()), Qt::Key_Left);
        EXPECT_EQ(tabs()->currentIndex(), tab);
        EXPECT_EQ(help(), line);
        EXPECT_EQ(shown(), name);
    }
    child<QWidget>(window.get(), "optPrintOption2")->setFocus();
    EXPECT_EQ(help(), kOptionHelp);
    EXPECT_FALSE(window->PrintSummary());
    child<QCheckBox>(window.get(), "chkPrintSummaryPage")->click();
    EXPECT_TRUE(window->PrintSummary());
    child<QWidget>(window.get(), "cmdMenuChoice1")->setFocus();
    EXPECT_EQ(panel(), QColor(0, 0, 255));
    EXPECT_EQ(help(), kMainMenuHelp);
    QTest::keyClick(child<QWidget>(window.get(), "cmdMenuChoice1"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.boxes.isEmpty());
}

TEST_F(SupervisorOptionsTest, EmptyDiskIsRefusedUnderEachTitle) {
    makeDisk({});
    window = std::make_unique<frmSupervisorOptions>(session);
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].text, kEmptyDiskText);
    EXPECT_EQ(messages.boxes[0].title, kEmptyDiskTitle);
    EXPECT_FALSE(window->isVisible());
    const QString titles[] = {kPrintReportTitle, kVerifyDataTitle, kDeleteNamesTitle};
    for (int tab = 0; tab < 3; ++tab) {
        window = std::make_unique<frmSupervisorOptions>(session);
        tabs()->setCurrentIndex(tab);
        child<QPushButton>(window.get(), "cmdMenuChoice0")->click();
        EXPECT_EQ(messages.boxes.last().text, kDatabaseEmptyText);
        EXPECT_EQ(messages.boxes.last().title, titles[tab]);
    }
    EXPECT_EQ(messages.boxes.size(), 4); // no secret code was asked
    EXPECT_EQ(onDisk().size(), 0);
}

TEST_F(SupervisorOptionsTest, PrintAllScoresThenPrintsInOrderSkippingTheUnscorable) {
    ClientRecord damaged = dvq3test::Client("Cy Damaged");
    damaged.set(&ClientRecord::Gender, "9");
    makeDisk({dvq3test::Client("Ann Lee"), damaged, dvq3test::Client("Bob Ray")});
    dvq3test::TestFolder::Write(folder.path("temp2"), "a stale report\r\n");
    session.CurClient = 3;
    script.then([this](QWidget* box) {
        EXPECT_TRUE(jobs.isEmpty()); // the secret code comes first
        dvq3test::Answer(box, "k");
    });
    openWindow();
    child<QRadioButton>(window.get(), "optPrintOption2")->click();
    execute();
    EXPECT_TRUE(script.done());
    ASSERT_EQ(jobs.size(), 2);
    EXPECT_TRUE(jobs[0].join("").contains("Ann Lee"));
    EXPECT_TRUE(jobs[1].join("").contains("Bob Ray"));
    EXPECT_TRUE(QFile::exists(folder.path("temp1")));
    EXPECT_FALSE(QFile::exists(folder.path("temp2")));
    EXPECT_EQ(DecodeAnsi(dvq3test::TestFolder::Read(folder.path("temp3"))), jobs[1].join("\f"));
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_TRUE(messages.boxes[0].text.startsWith("The report of client 2 (Cy Damaged)"));
    EXPECT_EQ(session.CurClient, 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SupervisorOptionsTest, EachOperationOpensItsWindow) {
    makeDisk({dvq3test::Client("Ann Lee")});
    const std::tuple<int, int, const char*> cases[] = {
        {0, 0, "frmViewReport"}, {0, 1, "frmPrintSelected"}, {1, 0, "frmVerify"}};
    for (const auto& [tab, option, form] : cases) {
        SCOPED_TRACE(form);
        if (tab == 0)
            secretCode();
        QString opened;
        script.then([&opened](QWidget* modal) {
            opened = modal->objectName();
            modal->close();
        });
        openWindow();
        tabs()->setCurrentIndex(tab);
        child<QRadioButton>(window.get(), QStringLiteral("optPrintOption%1").arg(option).toLatin1())
            ->click();
        execute();
        EXPECT_EQ(opened, form);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(jobs.isEmpty());
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
}

TEST_F(SupervisorOptionsTest, DeleteNamesAsksFirst) {
    makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Bob Ray")});
    const QByteArray before = onDisk();
    for (int reply : {vbNo, vbYes}) {
        messages.answer(reply);
        openWindow();
        tabs()->setCurrentIndex(2);
        execute();
        EXPECT_EQ(messages.boxes[messages.boxes.size() - 2].text, kDeleteWarning);
        EXPECT_EQ(messages.boxes[messages.boxes.size() - 2].title, kWarningTitle);
        EXPECT_EQ(messages.boxes[messages.boxes.size() - 2].style, vbYesNo | vbCritical);
        EXPECT_EQ(messages.boxes.last().text, reply == vbYes ? kDeleteComplete : kDeleteAborted);
        if (reply == vbNo) {
            EXPECT_EQ(onDisk(), before);
        }
    }
    const QByteArray after = onDisk();
    ASSERT_EQ(after.size(), before.size());
    messages.answer(vbYes);
    openWindow();
    tabs()->setCurrentIndex(2);
    execute();
    EXPECT_EQ(onDisk(), after); // deleted names are skipped
    for (int at : {0, 176}) {
        EXPECT_NE(after.mid(at, 25), before.mid(at, 25));
        EXPECT_EQ(after.mid(at + 25, 150), before.mid(at + 25, 150));
        EXPECT_EQ(after[at + 175], '1');
    }
}
