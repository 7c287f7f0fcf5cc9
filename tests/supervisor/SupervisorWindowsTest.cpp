#include "OnScreen.h"
#include "RecordsFixture.h"
#include "platform/Codepage.h"
#include "records/windows/SecretCode.h"
#include "records/windows/frmMyInputBox.h"
#include "reports/windows/ReportPrinting.h"
#include "supervisor/frmSupervisorOptions.h"
#include "supervisor/frmVerify.h"

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
    // On screen: the tab panel in its margin, and the tab dialog beside its tabs.
    QString colours() {
        const QRect bar = tabs()->tabBar()->geometry();
        const dvq3test::OnScreen shown(window.get());
        return shown.margin(w("sspMenuChoice2")) + ' ' +
               shown.colour(tabs(), QRect(bar.right() + 4, bar.top() + 2,
                                          tabs()->width() - bar.right() - 8, bar.height() - 4));
    }
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

// The secret code: nothing typed asks for it, "xyz" is wrong and asks again, "k" is taken; the
// field shows an asterisk for each character typed; it cannot be closed. A plain prompt takes its
// length at most and its close cancels it (its Cancel button is walked by the scan's name prompt).
TEST_F(SupervisorWindowsTest, SecretCodeAndInputBox) {
    QStringList seen;
    for (const char* typed : {"xyz", "k"})
        script.then([&seen, typed](QWidget* box) {
            auto* input = box->findChild<QLineEdit*>("txtInput");
            box->close(); // the window manager's close and Alt+F4
            QTest::keyClick(input, Qt::Key_Escape);
            dvq3test::Answer(box, "");
            QTest::keyClicks(input, typed);
            seen << QStringList({box->windowTitle(), box->findChild<QLabel*>("lblHelpMsg")->text(),
                                 box->findChild<QWidget*>("sspMenuChoice1")->isHidden() ? "OK only"
                                                                                        : "Cancel",
                                 input->displayText(), box->isVisible() ? "open" : "closed"})
                        .join(u'|');
            dvq3test::Answer(box, ""); // confirms what was typed
        });
    EXPECT_TRUE(GetSecretCode());
    const QString prompt = kSecretCodeCaption + "|" + kSecretCodeHelp + "|OK only|";
    EXPECT_EQ(seen, QStringList({prompt + "***|open", prompt + "*|open"}));
    frmMyInputBox box;
    box.setInputLength(8);
    script.then([](QWidget* shown) {
        dvq3test::Answer(shown, "");
        dvq3test::Answer(shown, "123456789");
    });
    box.exec();
    EXPECT_EQ(std::pair(box.InputValue(), box.Cancelled()), std::pair(QString("12345678"), false));
    box.setProperty("scripted", false);
    script.then([](QWidget* shown) { shown->close(); });
    box.exec();
    EXPECT_EQ(std::pair(box.InputValue(), box.Cancelled()), std::pair(QString(), true));
    EXPECT_TRUE(script.done());
    const QString required = Box(kInputRequiredTitle, kPasswordRequired);
    EXPECT_EQ(boxes(), QStringList({required, Box(kWrongCodeTitle, kWrongCodeText), required,
                                    Box(kInputRequiredTitle, kDataRequired)}));
    EXPECT_EQ(messages.boxes[0].icon(), vbQuestion);
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

// The stored answers in full, then short of the last one, then in full with the correction pass
// cancelled.
TEST_F(SupervisorWindowsTest, VerifyDifferencesAreKeyedOnceMoreAndStored) {
    QString keyed = stored, expected = stored;
    keyed[40] = u'4'; // item 41
    expected[40] = u'0';
    const QString corrections = Box(kCorrectionsTitle, kCorrectionsText);
    for (const auto& [storedNow, cancel] :
         {std::pair(stored, false), std::pair(stored.left(99), false), std::pair(stored, true)}) {
        SCOPED_TRACE(storedNow.size());
        messages.boxes.clear();
        verify(storedNow);
        keys(keyed);
        EXPECT_EQ(boxes(), QStringList{corrections});
        EXPECT_EQ(text("lblCurQuestion"), "Question #41");
        if (cancel) {
            w("cmdCancel")->setFocus();
            EXPECT_EQ(text("pnlMessage"), kVerifyCancelHelp);
            press("cmdCancel");
            EXPECT_EQ(std::tuple(window->isVisible(), onDisk().mid(74, 100),
                                 session.CurrentClient().Responses),
                      std::tuple(false, stored.toLatin1(), stored));
            continue;
        }
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

TEST_F(SupervisorWindowsTest, TabsHelpLinesAndFocusColour) {
    makeDisk({Client("Ann Lee"), Client("Bob Ray")});
    session.CurClient = 2;
    show<frmSupervisorOptions>();
    const QString bob = QStringLiteral("Bob Ray").leftJustified(25);
    EXPECT_EQ(QStringList({window->windowTitle(), text("lblNameDisplay"), tabs()->tabText(0),
                           tabs()->tabText(1), tabs()->tabText(2),
                           tabs()->widget(1)->findChild<QLabel*>()->text(),
                           tabs()->widget(2)->findChild<QLabel*>()->text()}),
              QStringList({kSupervisorCaption, bob, "&Reports", "&Verify Data", "&Delete Names",
                           kVerifyComment, kDeleteComment}));
    EXPECT_EQ(colours(), "cyan blue"); // the tabs have the focus
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
    w("cmdMenuChoice1")->setFocus();
    EXPECT_EQ(colours() + ' ' + text("MsgPanel"), "blue blue " + kMainMenuHelp);
    press("cmdMenuChoice1");
    EXPECT_EQ(std::pair(window->isVisible(), messages.boxes.size()),
              std::pair(false, qsizetype(0)));
}

// The options close at once on an empty disk, before any choice or secret code.
TEST_F(SupervisorWindowsTest, EmptyDiskIsRefused) {
    makeDisk({});
    window = std::make_unique<frmSupervisorOptions>(session);
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
    EXPECT_EQ(boxes(), QStringList{Box(kEmptyDiskTitle, kEmptyDiskText)});
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
    for (const auto& [file, job] : {std::pair{"temp1", 0}, {"temp3", 1}}) {
        EXPECT_EQ(DecodeAnsi(dvq3test::TestFolder::Read(folder.path(file))), jobs[job].join("\f"));
        EXPECT_EQ(dvq3test::TestFolder::Mode(folder.path(file)), 0600); // confidential
    }
    EXPECT_EQ(dvq3test::TestFolder::Mode(folder.path("report.prn")), 0600);
    EXPECT_FALSE(QFile::exists(folder.path("temp2")));
    EXPECT_EQ(messages.texts(),
              QStringList{"The report of client 2 (Cy Damaged) is not printed.\rScoring stopped: "
                          "the record of client 2 holds sex code \"9\", which is not one of the "
                          "codes 0 to 2."});
    EXPECT_EQ(std::tuple(session.CurClient, window->isVisible()), std::tuple(1, false));
}

// Viewing and selecting reports ask for the secret code first; verifying does not.
TEST_F(SupervisorWindowsTest, EachOperationOpensItsWindow) {
    makeDisk({Client("Ann Lee")});
    QStringList opened;
    const auto close = [&opened](QWidget* modal) {
        opened << modal->objectName();
        modal->close();
    };
    for (const char* option : {"optPrintOption0", "optPrintOption1", (const char*)nullptr}) {
        if (option)
            script.then([](QWidget* box) { dvq3test::Answer(box, "k"); });
        script.then(close);
        choose(option ? 0 : 1, option);
    }
    EXPECT_EQ(opened, QStringList({"frmViewReport", "frmPrintSelected", "frmVerify"}));
    EXPECT_EQ(std::pair(window->isVisible(), jobs.isEmpty()), std::pair(false, true));
    EXPECT_EQ(onDisk(), Client("Ann Lee").toBytes());
}

// Deleting names asks first; a second run finds every name deleted and changes nothing. The
// station's own files that show the names go with them (the report, its copies, the scanned
// sheet, what a killed writer left of them); no other file does.
TEST_F(SupervisorWindowsTest, DeleteNamesAsksFirst) {
    makeDisk({Client("Ann Lee"), Client("Bob Ray")});
    const QByteArray before = onDisk();
    PrintAllReports(session); // report.prn, temp1 and temp2 show the names
    const QString dead = QString::number(dvq3test::EndedProcessId());
    QStringList showing = {".report.prn." + dead + ".0.tmp", ".temp3." + dead + ".0.tmp", "Raw.bmp",
                           "temp12"};
    for (const QString& name : showing)
        dvq3test::TestFolder::Write(folder.path(name), "Ann Lee");
    for (const QString name : {"temp1.bak", "temperature", ".temp4.1.x.tmp"})
        dvq3test::TestFolder::Write(folder.path(name), "other");
    const auto named = [this] {
        QStringList files;
        QDirIterator it(folder.program(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            if (const QByteArray bytes = dvq3test::TestFolder::Read(it.next());
                bytes.contains("Ann Lee") || bytes.contains("Bob Ray"))
                files << it.fileName();
        files.sort();
        return files;
    };
    showing << "DATA401.DVQ"
            << "report.prn"
            << "temp1"
            << "temp2";
    showing.sort();
    ASSERT_EQ(named(), showing);
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
        EXPECT_EQ(named(), reply == vbNo ? showing : QStringList());
    }
    for (const QString name : {"temp1.bak", "temperature", ".temp4.1.x.tmp"})
        EXPECT_TRUE(QFile::exists(folder.path(name))) << name.toStdString();
    EXPECT_EQ(std::pair(disks[0], disks[2]), std::pair(before, disks[1]));
    ASSERT_EQ(disks[1].size(), before.size());
    for (int at : {0, 176}) {
        EXPECT_NE(disks[1].mid(at, 25), before.mid(at, 25));
        EXPECT_EQ(disks[1].mid(at + 25, 150), before.mid(at + 25, 150));
        EXPECT_EQ(disks[1][at + 175], '1');
    }
}
