#include "RecordsFixture.h"
#include "platform/Codepage.h"
#include "records/SecretCode.h"
#include "records/frmMyInputBox.h"
#include "records/frmSupervisorOptions.h"
#include "records/frmVerify.h"
#include "reports/ReportPrinting.h"

using namespace dvq3;
using dvq3test::Client;

namespace {

// The supervisor options, the secret code they ask for and the verification of keyed answers.
struct SupervisorWindowsTest : dvq3test::RecordsFixture {
    QList<QStringList> jobs;
    dvq3test::ModalScript script;
    // Section 1 takes 0 to 2, the others 0 to 4.
    const QString stored = QString(29, u'1') + QString(71, u'3');

    void SetUp() override {
        SetPrintJobHandler([this](const QStringList& pages) { jobs << pages; });
    }
    void TearDown() override { SetPrintJobHandler({}); }
    QTabWidget* tabs() { return w<QTabWidget>("sstSupervisorOperations"); }
    QColor panel() { return w("sspMenuChoice2")->palette().color(QPalette::Window); }
    // Ann Lee's answers as stored, and the verification window open on them.
    void verify(const QString& responses) {
        ClientRecord client = Client("Ann Lee");
        client.Responses = FitField(responses, 100);
        makeDisk({client});
        show<frmVerify>();
    }
    // Opens the options and runs the choice on a tab, an option of it picked first.
    void choose(int tab, const char* option = nullptr) {
        show<frmSupervisorOptions>();
        tabs()->setCurrentIndex(tab);
        if (option)
            w<QRadioButton>(option)->click();
        press("cmdMenuChoice0");
    }
    void keys(const QString& answers) { QTest::keyClicks(w("txtCurQuestion"), answers); }
};

} // namespace

TEST_F(SupervisorWindowsTest, SecretCodeRepeatsUntilKAndCannotBeClosed) {
    QStringList seen;
    for (const QString& typed : {QString(), QStringLiteral("x"), QStringLiteral("k")}) {
        script.then([&seen, typed](QWidget* box) {
            auto* input = box->findChild<QLineEdit*>("txtInput");
            box->close(); // the window manager's close and Alt+F4
            QTest::keyClick(input, Qt::Key_Escape);
            seen << QStringList({box->windowTitle(), box->findChild<QLabel*>("lblHelpMsg")->text(),
                                 box->findChild<QWidget*>("sspMenuChoice1")->isHidden() ? "OK only"
                                                                                        : "Cancel",
                                 input->echoMode() == QLineEdit::Password ? "hidden" : "shown",
                                 box->isVisible() ? "open" : "closed"})
                        .join(u'|');
            if (typed.isEmpty()) { // nothing typed: the box asks for the code and stays
                dvq3test::Answer(box, "");
                EXPECT_TRUE(box->isVisible());
            }
            dvq3test::Answer(box, typed.isEmpty() ? "K" : typed);
        });
    }
    // First box: empty, then "K" accepted at once; run again for the wrong code.
    EXPECT_TRUE(GetSecretCode());
    ASSERT_EQ(boxes(), QStringList{Box(kInputRequiredTitle, kPasswordRequired)});
    EXPECT_EQ(messages.boxes[0].icon(), vbQuestion);

    messages.boxes.clear();
    EXPECT_TRUE(GetSecretCode()); // "x" then "k"
    EXPECT_EQ(boxes(), QStringList{Box(kWrongCodeTitle, kWrongCodeText)});
    EXPECT_TRUE(script.done());
    EXPECT_EQ(seen,
              QStringList(3, kSecretCodeCaption + "|" + kSecretCodeHelp + "|OK only|hidden|open"));
}

// A prompt takes its length at most and something typed; Cancel and the window's close cancel.
TEST_F(SupervisorWindowsTest, InputBoxLengthCancelAndClose) {
    frmMyInputBox box;
    box.setInputLength(8);
    const std::function<void(QLineEdit*, QWidget*)> ways[] = {
        [](QLineEdit* input, QWidget* shown) {
            EXPECT_EQ(input->echoMode(), QLineEdit::Normal);
            dvq3test::Answer(shown, ""); // refused: something must be typed
            dvq3test::Answer(shown, "123456789");
        },
        [](QLineEdit*, QWidget* shown) {
            QTest::keyClick(shown->findChild<QWidget*>("cmdMenuChoice1"), Qt::Key_Return);
        },
        [](QLineEdit*, QWidget* shown) { shown->close(); }};
    QStringList results;
    for (const auto& way : ways) {
        box.setProperty("scripted", false);
        script.then([&way](QWidget* shown) {
            auto* input = shown->findChild<QLineEdit*>("txtInput");
            EXPECT_TRUE(input->text().isEmpty()); // cleared when the box opened
            way(input, shown);
        });
        box.exec();
        results << box.InputValue() + (box.Cancelled() ? "|cancelled" : "");
    }
    // The ninth key is not taken.
    EXPECT_EQ(results, QStringList({"12345678", "|cancelled", "|cancelled"}));
    EXPECT_EQ(messages.texts(), QStringList{kDataRequired});
}

TEST_F(SupervisorWindowsTest, VerifySameAnswersNeedNoCorrection) {
    verify(stored);
    EXPECT_EQ(QStringList({window->windowTitle(), text("pnlMessage"), text("lblCurQuestion")}),
              QStringList({kVerifyCaption, kVerifyHelp, "Question #1"}));
    const int beeps = messages.beeps;
    press("txtCurQuestion", Qt::Key_Backspace); // nothing before the first question
    keys("3x");                                 // 3 is not an answer of section 1
    EXPECT_EQ(messages.beeps - beeps, 3);
    EXPECT_TRUE(w("Frame1")->isHidden());
    keys("1");
    EXPECT_EQ(QStringList({text("lblPrevQuestion"), text("lblCurQuestion"), text("txtPrevQuestion"),
                           text("txtCurQuestion")}),
              QStringList({"Question #1", "Question #2", "1", ""}));
    keys("2");
    press("txtCurQuestion", Qt::Key_Backspace); // back to item 2, keyed again
    EXPECT_EQ(QStringList({text("lblCurQuestion"), text("txtPrevQuestion")}),
              QStringList({"Question #2", "1"}));
    keys(stored.mid(1, 28) + "5" + stored.mid(29)); // 5 is refused everywhere
    EXPECT_EQ(messages.beeps - beeps, 4);
    ASSERT_EQ(boxes(), QStringList{Box(kNoCorrectionsTitle, kNoCorrectionsText)});
    EXPECT_EQ(std::pair(messages.boxes[0].style, window->isVisible()),
              std::pair(int(vbOKOnly), false));
    EXPECT_EQ(onDisk().mid(74, 100), stored.toLatin1());
}

TEST_F(SupervisorWindowsTest, VerifyDifferencesAreKeyedOnceMoreAndStored) {
    QString keyed = stored, expected = stored;
    keyed[40] = u'4'; // item 41
    expected[40] = u'0';
    for (const QString& storedNow : {stored, stored.left(99)}) {
        SCOPED_TRACE(storedNow.size());
        messages.boxes.clear();
        verify(storedNow);
        keys(keyed);
        const QString corrections = Box(kCorrectionsTitle, kCorrectionsText);
        EXPECT_EQ(boxes(), QStringList{corrections});
        EXPECT_EQ(text("lblCurQuestion"), "Question #41");
        keys("0"); // matches neither entry, and is stored
        if (storedNow.size() == 99) {
            EXPECT_EQ(QStringList({text("lblPrevQuestion"), text("lblCurQuestion")}),
                      QStringList({"Question #41", "Question #100"}));
            keys("3");
        }
        EXPECT_EQ(boxes(), QStringList({corrections, Box(kVerifiedTitle, kVerifiedText)}));
        EXPECT_EQ(session.CurrentClient().Responses, expected);
        EXPECT_EQ(onDisk().mid(74, 100), expected.toLatin1());
    }
}

TEST_F(SupervisorWindowsTest, VerifyCancelStoresNothing) {
    verify(stored);
    keys(QString(100, u'0'));
    ASSERT_EQ(messages.boxes.size(), 1); // now in the correction pass
    w("cmdCancel")->setFocus();
    EXPECT_EQ(text("pnlMessage"), kVerifyCancelHelp);
    press("cmdCancel");
    EXPECT_EQ(std::pair(window->isVisible(), session.CurrentClient().Responses),
              std::pair(false, stored));
    EXPECT_EQ(onDisk().mid(74, 100), stored.toLatin1());
}

TEST_F(SupervisorWindowsTest, TabsHelpLinesAndFocusColour) {
    makeDisk({Client("Ann Lee"), Client("Bob Ray")});
    session.CurClient = 2;
    auto* options = show<frmSupervisorOptions>();
    const QString bob = QStringLiteral("Bob Ray").leftJustified(25);
    EXPECT_EQ(QStringList({window->windowTitle(), text("lblNameDisplay"), tabs()->tabText(0),
                           tabs()->tabText(1), tabs()->tabText(2)}),
              QStringList({kSupervisorCaption, bob, "&Reports", "&Verify Data", "&Delete Names"}));
    QStringList labels;
    for (QLabel* label : tabs()->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(kVerifyComment));
    EXPECT_TRUE(labels.contains(kDeleteComment));
    EXPECT_EQ(panel(), QColor(0, 255, 255)); // the tabs have the focus
    const std::tuple<Qt::Key, int, QString, QString> steps[] = {
        {Qt::Key_Right, 1, kVerifyTabHelp, bob},
        {Qt::Key_Right, 2, kDeleteTabHelp, "All Clients"},
        {Qt::Key_Left, 1, kVerifyTabHelp, bob},
        {Qt::Key_Left, 0, "", bob}};
    for (const auto& [key, tab, line, name] : steps) {
        QTest::keyClick(static_cast<QWidget*>(tabs()->tabBar()), key);
        EXPECT_EQ(QStringList({QString::number(tabs()->currentIndex()), text("MsgPanel"),
                               text("lblNameDisplay")}),
                  QStringList({QString::number(tab), line, name}));
    }
    w("optPrintOption2")->setFocus();
    EXPECT_EQ(text("MsgPanel"), kOptionHelp);
    EXPECT_FALSE(options->PrintSummary());
    w<QCheckBox>("chkPrintSummaryPage")->click();
    EXPECT_TRUE(options->PrintSummary());
    w("cmdMenuChoice1")->setFocus();
    EXPECT_EQ(std::pair(panel(), text("MsgPanel")), std::pair(QColor(0, 0, 255), kMainMenuHelp));
    press("cmdMenuChoice1");
    EXPECT_EQ(std::pair(window->isVisible(), messages.boxes.size()),
              std::pair(false, qsizetype(0)));
}

TEST_F(SupervisorWindowsTest, EmptyDiskIsRefusedUnderEachTitle) {
    makeDisk({});
    window = std::make_unique<frmSupervisorOptions>(session);
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    for (int tab = 0; tab < 3; ++tab) {
        window = std::make_unique<frmSupervisorOptions>(session);
        tabs()->setCurrentIndex(tab);
        w<QPushButton>("cmdMenuChoice0")->click();
    }
    // No secret code was asked.
    EXPECT_EQ(boxes(), QStringList({Box(kEmptyDiskTitle, kEmptyDiskText),
                                    Box(kPrintReportTitle, kDatabaseEmptyText),
                                    Box(kVerifyDataTitle, kDatabaseEmptyText),
                                    Box(kDeleteNamesTitle, kDatabaseEmptyText)}));
    EXPECT_EQ(onDisk().size(), 0);
}

TEST_F(SupervisorWindowsTest, PrintAllScoresThenPrintsInOrderSkippingTheUnscorable) {
    ClientRecord damaged = Client("Cy Damaged");
    damaged.set(&ClientRecord::Gender, "9");
    makeDisk({Client("Ann Lee"), damaged, Client("Bob Ray")});
    dvq3test::TestFolder::Write(folder.path("temp2"), "a stale report\r\n");
    session.CurClient = 3;
    script.then([this](QWidget* box) {
        EXPECT_TRUE(jobs.isEmpty()); // the secret code comes first
        dvq3test::Answer(box, "k");
    });
    choose(0, "optPrintOption2");
    EXPECT_TRUE(script.done());
    ASSERT_EQ(jobs.size(), 2);
    // Each report is kept as temp<client> and printed as it is, in the order of the clients.
    for (const auto& [file, job] : {std::pair{"temp1", 0}, {"temp3", 1}})
        EXPECT_EQ(DecodeAnsi(dvq3test::TestFolder::Read(folder.path(file))), jobs[job].join("\f"));
    EXPECT_TRUE(jobs[0].join("").contains("Ann Lee") && jobs[1].join("").contains("Bob Ray"));
    EXPECT_FALSE(QFile::exists(folder.path("temp2")));
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_TRUE(
        messages.boxes[0].text.startsWith("The report of client 2 (Cy Damaged) is not printed.\r"));
    EXPECT_EQ(std::tuple(session.CurClient, window->isVisible()), std::tuple(1, false));
}

TEST_F(SupervisorWindowsTest, EachOperationOpensItsWindow) {
    makeDisk({Client("Ann Lee")});
    const std::tuple<int, const char*, const char*> cases[] = {
        {0, "optPrintOption0", "frmViewReport"},
        {0, "optPrintOption1", "frmPrintSelected"},
        {1, "optPrintOption0", "frmVerify"}};
    for (const auto& [tab, option, form] : cases) {
        SCOPED_TRACE(form);
        if (tab == 0) // the reports ask for the secret code first
            script.then([](QWidget* box) { dvq3test::Answer(box, "k"); });
        QString opened;
        script.then([&opened](QWidget* modal) {
            opened = modal->objectName();
            modal->close();
        });
        choose(tab, option);
        EXPECT_EQ(opened, form);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(jobs.isEmpty());
    EXPECT_EQ(onDisk(), Client("Ann Lee").toBytes());
}

// Deleting names asks first; a second run finds every name deleted and changes nothing.
TEST_F(SupervisorWindowsTest, DeleteNamesAsksFirst) {
    makeDisk({Client("Ann Lee"), Client("Bob Ray")});
    const QByteArray before = onDisk();
    QList<QByteArray> disks;
    for (int reply : {vbNo, vbYes, vbYes}) {
        messages.boxes.clear();
        messages.answer(reply);
        choose(2);
        ASSERT_EQ(boxes(),
                  QStringList({Box(kWarningTitle, kDeleteWarning),
                               Box(kAppTitle, reply == vbYes ? kDeleteComplete : kDeleteAborted)}));
        EXPECT_EQ(messages.boxes[0].style, vbYesNo | vbCritical);
        disks << onDisk();
    }
    EXPECT_EQ(disks[0], before);
    EXPECT_EQ(disks[2], disks[1]);
    ASSERT_EQ(disks[1].size(), before.size());
    for (int at : {0, 176}) {
        EXPECT_NE(disks[1].mid(at, 25), before.mid(at, 25));
        EXPECT_EQ(disks[1].mid(at + 25, 150), before.mid(at + 25, 150));
        EXPECT_EQ(disks[1][at + 175], '1');
    }
}
