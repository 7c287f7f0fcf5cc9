#include "DriveFaults.h"
#include "FakeWindows.h"
#include "MessageRecorder.h"
#include "OnScreen.h"
#include "TestFolder.h"
#include "Widgets.h"
#include "platform/DriveLock.h"
#include "platform/IniFile.h"
#include "platform/IniPaths.h"
#include "platform/ProgramFolder.h"
#include "records/DiskCheck.h"
#include "records/windows/RecordSave.h"
#include "reports/ReportText.h"
#include "shell/ProgramFolderMessages.h"
#include "shell/SelectDataDrive.h"
#include "shell/SingleInstance.h"
#include "shell/Startup.h"
#include "shell/frmAbout.h"
#include "shell/frmDriveSelect.h"
#include "shell/frmMainMenu.h"
#include "ui/ChainRunner.h"
#include "ui/FileDialogs.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::Child;
using dvq3test::TestFolder;

namespace {

// A program folder with data disks in it: good ones (TID marker, a client file of n clients).
struct Station {
    TestFolder folder;
    dvq3test::MessageRecorder messages;
    dvq3::Session session;

    ~Station() { session.dbTest.close(); }
    void copyDatabase() {
        ASSERT_TRUE(
            QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB")));
    }
    QString makeDisk(const QString& name, int clients, const QByteArray& tid = "DVQ3\r\n") {
        const QString disk = folder.path(name);
        QDir().mkpath(disk);
        if (!tid.isNull())
            TestFolder::Write(disk + "/TID", tid);
        QByteArray bytes;
        for (int i = 1; i <= clients; ++i) {
            dvq3::ClientRecord record;
            record.set(&dvq3::ClientRecord::Name, QStringLiteral("%1 Client-%2").arg(name).arg(i));
            bytes += record.toBytes();
        }
        TestFolder::Write(disk + "/DATA401.DVQ", bytes);
        return disk;
    }
    void writeIniFilePath(const QString& drive) { (void)dvq3::WriteINIFilePath(drive); }
};

struct ShellTest : ::testing::Test, Station {
    std::unique_ptr<frmMainMenu> window;
    dvq3test::FakeWindows chain;

    ShellTest() {
        session.skipSplashWait = true;
        session.windowOpener = &chain;
    }

    // The station started on a disk of n clients: the main menu up.
    void open(int clients, const QString& name = "disk") {
        writeIniFilePath(makeDisk(name, clients));
        if (!QFile::exists(folder.path("DVQ3.MDB")))
            copyDatabase();
        session.dbTest.close();
        window = std::make_unique<frmMainMenu>(session);
        ASSERT_TRUE(RunStartup(session, *window));
        dvq3test::ShowActive(window.get());
    }
    QPushButton* button(int i) const {
        return Child<QPushButton>(window.get(), QStringLiteral("cmdMenuChoice%1").arg(i));
    }
    QListWidget* list() const { return Child<QListWidget>(window.get(), "lbNameDisplay"); }
    QFrame* menu() const { return Child<QFrame>(window.get(), "frMainMenu"); }
    // The client list's frame on screen: its colour and its caption's, bold when drawn so.
    QString frameLooks() const {
        return dvq3test::CaptionLooks(Child<QWidget>(window.get(), "fraClient"), list()->y());
    }
};

} // namespace

// A fault of the program folder's files at start-up names the file and its folder; OK tries
// again, Cancel ends the program. A second launch meanwhile shows no unfinished menu.
TEST_F(ShellTest, ProgramFolderFaultsAtStartUpOfferRetryOrEnd) {
    writeIniFilePath(makeDisk("disk", 1));
    frmMainMenu first(session), second(session), third(session);
    messages.onShow = [&](const MsgBoxCall&) {
        first.ComeForward();
        EXPECT_FALSE(first.isVisible());
        copyDatabase(); // the missing database put back: OK finds it
    };
    messages.answer(vbOK);
    ASSERT_TRUE(RunStartup(session, first));
    first.showMinimized();
    first.ComeForward();
    EXPECT_FALSE(first.isMinimized());

    session.dbTest.close();
    const QString db = folder.path("DVQ3.MDB");
    QFile::remove(db);
    messages.onShow = {};
    messages.answer(vbCancel);
    EXPECT_FALSE(RunStartup(session, second));
    copyDatabase();
    QFile::remove(folder.path("dvq3test.ini")); // settings as shipped: still to be written
    writeIniFilePath(folder.path("disk"));
    dvq3test::DriveFaults faults;
    faults.fail(DriveOp::Read, EIO, "dvq3test.ini", 1); // read once, then readable again
    faults.fail(DriveOp::Write, ENOSPC, "dvq3test.ini");
    messages.answer(vbOK);
    messages.answer(vbCancel);
    EXPECT_FALSE(RunStartup(session, third));
    EXPECT_FALSE(second.isVisible() || third.isVisible());
    const QString missing =
        DatabaseFaultText(db, Error::DatabaseFault(3024, "Could not find file (" + db + ")"));
    EXPECT_TRUE(missing.contains("program folder " + folder.program()));
    EXPECT_EQ(
        messages.texts(),
        (QStringList{
            missing, missing,
            SettingsReadFaultText(folder.path("dvq3test.ini"), DriveErrorFromErrno(EIO)),
            SettingsFaultText(folder.path("dvq3test.ini"), DriveErrorFromErrno(ENOSPC), true)}));
    for (const MsgBoxCall& box : messages.boxes)
        EXPECT_EQ(std::pair(box.title, box.style),
                  std::pair(kProgramFolderErrorTitle, int(vbOKCancel | vbCritical)));

    // Another user's station holds the database: no word of reinstalling. An installed station
    // whose user settings folder cannot be made names the user's settings file.
    faults.clear();
    messages.boxes.clear();
    QuestionDatabase other;
    ASSERT_TRUE(other.open(db, true));
    frmMainMenu fourth(session), fifth(session);
    messages.answer(vbCancel);
    messages.answer(vbCancel);
    EXPECT_FALSE(RunStartup(session, fourth));
    other.close();
    TestFolder::Write(folder.path("blocked"), "a file where the folder would go");
    qputenv("XDG_CONFIG_HOME", folder.path("blocked").toLocal8Bit());
    faults.fail(DriveOp::Open, EROFS, folder.program() + "/.");
    EXPECT_FALSE(RunStartup(session, fifth));
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.texts()[0].startsWith("The question database " + db +
                                               " is in use by another station (Error 3045:"))
        << messages.texts()[0].toStdString();
    EXPECT_EQ(messages.texts()[1], SettingsFaultText(folder.path("blocked/dvq3/dvq3test.ini"),
                                                     DriveErrorFromErrno(ENOTDIR), true));
}

// A sound root that would be cut short at a NUL is named as the setting it is, and not used.
TEST_F(ShellTest, ASoundFolderSettingHoldingANulIsToldAndLeftUnused) {
    const QString nul = folder.path("Sounds") + QChar(0) + "/x";
    IniFile settings = IniFile::Parse({});
    settings.setValue("Path", "SndPath", nul);
    ASSERT_TRUE(settings.save(folder.path("dvq3test.ini")));
    open(1);
    EXPECT_EQ(messages.texts(), QStringList{SettingNulText(
                                    folder.path("dvq3test.ini"), "SndPath", nul,
                                    "The questions are shown without their spoken prompts until "
                                    "the setting is corrected.")});
    EXPECT_TRUE(session.SndPath.isEmpty());
}

// The folders themselves, the settings' drive and the program folder left alone are checked by
// installed_e2e.sh; the report file's place and the copy's bytes are not.
TEST_F(ShellTest, AnInstalledStationKeepsItsReportAndAWholeDiskCopyInTheUsersDataFolder) {
    copyDatabase();
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    const QString bundled = makeDisk("SampleDisk", 2);
    writeIniFilePath(bundled);
    dvq3test::DriveFaults faults;
    faults.fail(DriveOp::Open, EROFS, folder.program() + "/."); // the folder is read-only

    frmMainMenu window(session);
    ASSERT_TRUE(RunStartup(session, window));
    const QString data = home.path() + "/data/dvq3/";
    EXPECT_EQ(session.disk.DataDrive(), data + "SampleDisk");
    EXPECT_EQ(ReportFilePath(), data + "report.prn");
    EXPECT_EQ(TestFolder::Read(bundled + "/DATA401.DVQ"),
              TestFolder::Read(data + "SampleDisk/DATA401.DVQ"));
    // Voices it cannot put into the sound folder go there too. Options, Install Voice Files
    // (Alt+O, I) opens the window that installs them; here it finds no espeak-ng.
    EXPECT_EQ(session.userSndPath, data + "Sounds");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", home.path().toLocal8Bit());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_I);
    qputenv("PATH", path);
    EXPECT_EQ(messages.boxes.value(0).title, "Install Voice Files");
    EXPECT_TRUE(messages.texts().value(0).contains("espeak-ng is not installed"));
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}

// Every row starts on fresh disks: "disk" (3 clients), "wrong" (another marker), "usbdisk" (no
// TID file) and "locked" (4 clients, its write test fails). A row from the menu has started on
// "previous" (2 clients) first. The chooser gives disks by name, "done" (Done without a choice)
// or "cancel"; the boxes are answered in turn. Only the disk in use, and one another station
// holds, have a lock file after. A write-protected data disk given up on is used as it is, its
// name not written to the settings, and a save on it stores nothing.
TEST(SelectDataDrive, EveryWayADriveIsTakenKeptOrTheProgramEnded) {
    struct Row {
        // ini: "menu", from the menu, on "previous"; nullptr, no settings file; "nul", a path
        // to a file of the program folder followed by a NUL character
        const char *name, *ini, *chooser, *replies;
        // failed writes on "locked" and "wrong" (the lock file's among them); -1: every one, as on
        // a read-only disk, whose client file cannot be opened for writing either
        int writeFaults;
        bool previousGone; // the disk in use is removed while "try again?" is up
        DriveSelection result;
        QString texts;     // the boxes' texts joined by "|"; "@" stands for the program folder
        const char* drive; // the disk in use and in the settings after, unless the program ended
        const char* held = nullptr; // a disk another station holds
    };
    using enum DriveSelection;
    const QString noInfo =
        "No test information found on drive %1, would you like to try another drive?";
    const QString notADisk = kNotADataDiskText + "|" + kTryAgainText;
    const Row rows[] = {
        {"settings drive first", "disk", "", "", 0, false, Established, "", "disk"},
        {"no settings: A:, another", nullptr, "disk", "Yes", 0, false, Established,
         noInfo.arg("A:"), "disk"},
        {"no TID", "usbdisk", "", "No", 0, false, EndProgram, noInfo.arg("@/usbdisk"), nullptr},
        {"wrong marker, another", "wrong", "disk", "OK Yes", 0, false, Established, notADisk,
         "disk"},
        {"write-protected retried", "locked", "", "OK", 2, false, Established, kWriteProtectedText,
         "locked"},
        {"write-protected given up at start-up", "locked", "", "Cancel", -1, false, WriteProtected,
         kWriteProtectedText, "locked"},
        {"write-protected and not a data disk", "wrong", "", "OK Cancel No", -1, false, EndProgram,
         kNotADataDiskText + "|" + kWriteProtectedText + "|" + kTryAgainText, nullptr},
        {"declined from the menu", "menu", "wrong", "OK No", 0, false, Kept, notADisk, "previous"},
        {"write-protected given up from the menu", "menu", "locked", "Cancel", -1, false,
         WriteProtected, kWriteProtectedText, "locked"},
        {"previous disk gone", "menu", "wrong", "OK No", 0, true, EndProgram,
         notADisk + "|" + kReloadFailedText, nullptr},
        {"Done without a choice", "menu", "done", "No", 0, false, EndProgram, noInfo.arg(""),
         nullptr},
        {"chooser cancelled after a failed try", "menu", "wrong cancel", "OK Yes", 0, false, Kept,
         notADisk, "previous"},
        {"chooser cancelled at start-up", "/nonexistent", "cancel", "Yes No", 0, false, EndProgram,
         noInfo.arg("/nonexistent") + "|" + kTryAgainText, nullptr},
        {"another drive from the menu", "menu", "disk", "", 0, false, Established, "", "disk"},
        {"NUL in the settings' drive", "nul", "disk", "Yes", 0, false, Established, "nul", "disk"},
        {"held by another station, declined", "menu", "disk", "OK No", 0, false, Kept,
         "held|" + kTryAgainText, "previous", "disk"},
        {"held by another station, another", nullptr, "disk locked", "Yes OK Yes", 0, false,
         Established, noInfo.arg("A:") + "|held|" + kTryAgainText, "locked", "disk"},
    };
    const QMap<QString, int> replies{
        {"OK", vbOK}, {"Cancel", vbCancel}, {"Yes", vbYes}, {"No", vbNo}};
    const QMap<QString, int> clients{{"disk", 3}, {"locked", 4}, {"previous", 2}};
    const QMap<QString, int> styles{{kNotADataDiskText, vbCritical},
                                    {kWriteProtectedText, vbOKCancel | vbCritical},
                                    {kReloadFailedText, vbOKOnly}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Station f;
        const QString previous = f.makeDisk("previous", 2);
        f.makeDisk("disk", 3);
        f.makeDisk("wrong", 1, "DVQ3x\r\n");
        f.makeDisk("usbdisk", 0, QByteArray());
        f.makeDisk("locked", 4);
        const bool fromMenu = row.ini == QString("menu");
        int chooserShown = 0, refreshed = 0;
        QStringList answers = QString(row.chooser).split(' ', Qt::SkipEmptyParts);
        const auto select = [&](bool atStartup) {
            return SelectDataDrive(
                f.session, atStartup, [&] { ++refreshed; },
                [&]() -> DriveChoice {
                    const QString choice = answers.value(chooserShown++);
                    if (choice == "cancel")
                        return std::nullopt;
                    return choice == "done" ? QString() : f.folder.path(choice);
                });
        };
        const QString victim = f.folder.path("victim.txt"), nul = victim + QChar(0) + "/x";
        TestFolder::Write(victim, "agency notes");
        DriveLock other; // another station's hold on a disk
        if (row.held) {
            ASSERT_TRUE(other.lock(f.folder.path(row.held) + "/DATA401.LCK").value());
        }
        if (fromMenu) {
            f.writeIniFilePath(previous);
            ASSERT_EQ(select(true), Established);
            refreshed = 0;
        } else if (row.ini == QString("nul")) {
            f.writeIniFilePath(nul);
        } else if (row.ini) {
            f.writeIniFilePath(QString(row.ini).startsWith('/') ? row.ini : f.folder.path(row.ini));
        }
        dvq3test::DriveFaults faults;
        for (const QString disk : {"/locked/", "/wrong/"}) {
            if (row.writeFaults)
                faults.fail(DriveOp::Write, EROFS, disk, row.writeFaults);
            if (row.writeFaults < 0)
                faults.fail(DriveOp::Open, EROFS, disk + "DATA401.DVQ", 1);
        }
        for (const QString& reply : QString(row.replies).split(' ', Qt::SkipEmptyParts))
            f.messages.answer(replies.value(reply));
        f.messages.onShow = [&](const MsgBoxCall& call) {
            if (row.previousGone && call.text == kTryAgainText)
                QDir(previous).removeRecursively();
        };
        EXPECT_EQ(select(!fromMenu), row.result);
        const QString nulText = SettingNulText(f.folder.path("dvq3test.ini"), "FilePath", nul,
                                               kChooseAnotherDriveText),
                      held = DiskInUseText(f.folder.path("disk"), dvq3test::ThisStation());
        QStringList texts = QString(row.texts).replace("@", f.folder.program()).split('|');
        for (QString& text : texts)
            text = text == "nul" ? nulText : text == "held" ? held : text;
        EXPECT_EQ(f.messages.texts().join('|'), texts.join('|'));
        EXPECT_EQ(chooserShown, answers.size());
        EXPECT_EQ(refreshed, row.result == Established || row.result == WriteProtected);
        for (const MsgBoxCall& box : f.messages.boxes) {
            const bool settings = box.text == nulText;
            EXPECT_EQ(box.style, settings           ? int(vbYesNo | vbExclamation)
                                 : box.text == held ? int(vbCritical)
                                                    : styles.value(box.text, vbYesNo))
                << box.text.toStdString();
            EXPECT_EQ(box.title, settings                   ? kProgramFolderErrorTitle
                                 : box.icon() == vbCritical ? kDiskErrorTitle
                                                            : "Corvalent-III");
        }
        EXPECT_EQ(TestFolder::Read(victim), QByteArray("agency notes"));
        if (row.result != EndProgram) {
            const QString drive = f.folder.path(row.drive);
            EXPECT_EQ(f.session.disk.DataDrive(), drive);
            EXPECT_EQ(IniFile::Parse(TestFolder::Read(f.folder.path("dvq3test.ini")))
                          .value("Path", "FilePath", "<none>"),
                      row.result == WriteProtected ? f.folder.path(fromMenu ? "previous" : row.ini)
                                                   : drive);
            EXPECT_EQ(f.session.disk.NumClients(), clients.value(row.drive));
            EXPECT_EQ(f.session.disk.Clients(1).Name.trimmed(), row.drive + QString(" Client-1"));
            for (const QString disk : {"previous", "disk", "wrong", "usbdisk", "locked"})
                EXPECT_EQ(QFile::exists(f.folder.path(disk) + "/DATA401.LCK"),
                          disk == row.held || (disk == row.drive && row.result != WriteProtected))
                    << disk.toStdString();
        }
        if (row.result == WriteProtected) {
            const QByteArray stored = TestFolder::Read(f.folder.path("locked/DATA401.DVQ"));
            const ClientRecord before = f.session.disk.Clients(1);
            f.session.disk.Clients(1).set(&ClientRecord::Name, QStringLiteral("Changed"));
            f.messages.boxes.clear();
            f.messages.answer(vbCancel);
            faults.fail(DriveOp::Open, EROFS, "/locked/DATA401.DVQ", 1); // opened for writing
            EXPECT_FALSE(SaveRecord(f.session, 1, before));
            EXPECT_EQ(f.messages.texts(), QStringList{kWriteProtectedText});
            EXPECT_EQ(TestFolder::Read(f.folder.path("locked/DATA401.DVQ")), stored);
            EXPECT_EQ(f.session.disk.Clients(1), before);
        }
        for (const QString disk : {"/", "/previous/", "/disk/", "/locked/"})
            EXPECT_FALSE(QFile::exists(f.folder.program() + disk + "checkWriteTest"));
        EXPECT_FALSE(QFile::exists("/DATA401.DVQ") || QFile::exists("/checkWriteTest"));
    }
}

// The drive in use first, once; names that are not folders left out; mounted removable media;
// "Browse..." last, opened only by Enter on it.
TEST(DriveSelect, ArrowsOnlyMoveEnterOnBrowseChoosesAFolderEscapeCancels) {
    dvq3test::TestFolder folder;
    const QString current = folder.drive();
    frmDriveSelect chooser({current, QString(), "relative", current, folder.path("gone")});
    auto* drDrive = Child<QComboBox>(&chooser, "drDrive");
    QStringList items;
    for (int i = 0; i < drDrive->count(); ++i)
        items << drDrive->itemText(i);
    EXPECT_EQ(items.first() + "|" + items.last(), current + "|Browse...");
    EXPECT_EQ(items.filter(QRegularExpression("^(/media/|/run/media/|/mnt)")).size(),
              items.size() - 2);
    EXPECT_TRUE(chooser.NewDrive.isEmpty()); // untouched list: Done gives an empty drive
    chooser.show();
    SetNextFileDialogAnswer("/srv/usbstick");
    QTest::keyClick(drDrive, Qt::Key_End);
    EXPECT_NE(chooser.NewDrive, QStringLiteral("/srv/usbstick")); // passing it opened nothing
    QTest::keyClick(drDrive, Qt::Key_Return);
    EXPECT_EQ(chooser.NewDrive + "|" + drDrive->currentText(), "/srv/usbstick|/srv/usbstick");
    QTest::keyClick(drDrive, Qt::Key_End); // the folder chooser cancelled keeps the last choice
    SetNextFileDialogAnswer(QString());
    QTest::keyClick(drDrive, Qt::Key_Return);
    EXPECT_EQ(chooser.NewDrive, QStringLiteral("/srv/usbstick"));
    QTest::keyClick(drDrive, Qt::Key_Home);
    EXPECT_EQ(chooser.NewDrive, current);
    QTest::keyClick(drDrive, Qt::Key_Escape);
    EXPECT_EQ(chooser.result(), int(QDialog::Rejected));
}

TEST_F(ShellTest, StartsOnTheIniDiskListingEveryClientIdentifiedByTheNumberBeforeTheHyphen) {
    open(12);
    EXPECT_TRUE(messages.boxes.isEmpty());
    EXPECT_TRUE(window->ListEnabled && window->UnloadOthers && session.dbTest.isOpen());
    EXPECT_TRUE(TestFolder::Read(folder.path("dvq3test.ini"))
                    .contains("[Options]\r\nSystemDB=" + folder.path("kpxltd.mda").toLocal8Bit()));
    // The list's form, "1-" and the name in 25 columns, is station_e2e.sh's; two digits here.
    EXPECT_EQ(list()->count(), 12);
    EXPECT_EQ(list()->item(11)->text(), "12-" + QString("disk Client-12").leftJustified(25));
    EXPECT_FALSE(button(0)->isEnabled());
    list()->setFocus();
    EXPECT_EQ(frameLooks(), "cyan/black bold");
    QTest::keyClick(list(), Qt::Key_Down); // nothing chosen yet: the first client
    EXPECT_EQ(session.CurClient, 1);
    EXPECT_EQ(list()->selectedItems().value(0), list()->item(0));
    list()->setCurrentRow(11);
    EXPECT_EQ(session.CurClient, 12); // "12-disk Client-12": a hyphen inside the name too
    EXPECT_TRUE(button(0)->isEnabled());
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(session.CurClient, 11);
    QTest::keyClick(list(), Qt::Key_Tab);
    EXPECT_EQ(frameLooks(), "blue/white");
}

// A flag left true by an earlier chain never opens the next window on its own.
TEST_F(ShellTest, EachChoiceRunsItsChainWhileEachWindowIsConfirmed) {
    struct Row {
        const char* name;
        int clients, choice;
        const char *cancels, *silent, *opened;
        QString texts;
    };
    const Row rows[] = {
        {"edit", 2, 0, "", "", "frmClientInfo frmCourtHistory frmNewEntry", ""},
        {"edit, court history cancelled", 2, 0, "frmCourtHistory", "",
         "frmClientInfo frmCourtHistory", ""},
        {"edit, stale flag", 2, 0, "", "frmClientInfo", "frmClientInfo", ""},
        {"supervisor options", 1, 2, "", "", "frmSupervisorOptions", ""},
        {"new client on a full disk", 51, 1, "", "", "", DiskFullText()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        open(row.clients);
        chain.opened.clear();
        messages.boxes.clear();
        // Stand-ins for the chain's windows that confirm, but for the one that cancels and the
        // one that leaves the flag as it finds it.
        for (const ChainWindow shown :
             {ChainWindow::ClientInfo, ChainWindow::CourtHistory, ChainWindow::NewEntry,
              ChainWindow::SelectEntryMethod, ChainWindow::SupervisorOptions})
            chain.windows[shown] = [this, name = dvq3test::ChainWindowName(shown), &row](Session&) {
                EXPECT_FALSE(window->ListEnabled || !menu()->isHidden()) << name.toStdString();
                if (name != row.silent)
                    session.ContinueFlag = name != row.cancels;
            };
        session.ContinueFlag = true;
        list()->setCurrentRow(1);
        button(row.choice)->setFocus();
        QTest::keyClick(button(row.choice), Qt::Key_Return);
        EXPECT_EQ(chain.opened.join(' '), row.opened);
        EXPECT_EQ(messages.texts().join('|'), row.texts);
        EXPECT_TRUE(window->ListEnabled && window->UnloadOthers && !menu()->isHidden());
        EXPECT_TRUE(row.choice != 0 || (session.EditExisting && !session.FromScan));
        window->Form_Activate(); // back from the chain: no selection, editing disabled
        EXPECT_FALSE(button(0)->isEnabled());
        EXPECT_TRUE(list()->selectedItems().isEmpty());
    }
}

TEST_F(ShellTest, AddNewClientListsTheNewClientAndAnAbandonedOneLeavesNoPhantom) {
    open(1);
    chain.windows[ChainWindow::SelectEntryMethod] = [this](Session&) {
        EXPECT_FALSE(session.EditExisting);
        session.CurClient = session.disk.NumClients() + 1;
        session.disk.Clients(session.CurClient).set(&ClientRecord::Name, "Newly Added");
        ASSERT_TRUE(session.disk.SaveClient(session.CurClient));
        session.disk.CommitNewClient();
    };
    button(1)->setFocus();
    QTest::keyClick(button(1), Qt::Key_Return);
    EXPECT_EQ(chain.opened, QStringList{"frmSelectEntryMethod"});
    EXPECT_EQ(list()->item(list()->count() - 1)->text(),
              "2-" + QStringLiteral("Newly Added").leftJustified(25));

    // The list takes the focus unless it is empty; then Add New Client does.
    for (int clients : {2, 0}) {
        open(clients, QStringLiteral("disk%1").arg(clients));
        EXPECT_EQ(list()->count(), clients);
        list()->setFocus();
        EXPECT_EQ(QApplication::focusWidget(), clients ? (QWidget*)list() : button(1));
        EXPECT_EQ(Child<MsgPanel>(window.get(), "MsgPanel")->caption(),
                  clients ? "Use up or down arrow keys or mouse to select client."
                          : "Enter a new client. Test client on computer or enter data from "
                            "answer sheet.");
        EXPECT_FALSE(button(0)->isEnabled());
        chain.windows[ChainWindow::SelectEntryMethod] = [this](Session&) {
            session.CurClient = session.disk.NumClients() + 1; // entered, never saved
            session.disk.Clients(session.CurClient).set(&ClientRecord::Name, "Abandoned");
        };
        window->cmdMenuChoice_Click(1);
        EXPECT_EQ(session.CurClient, clients > 0 ? 1 : 0);
        EXPECT_EQ(TestFolder::Read(session.disk.ClientFile()).size(), clients * 176);
    }
}

// The Exit menu entry (Alt+X) is driven through the real station by keyboard_e2e.sh.
TEST_F(ShellTest, ExitButtonAndWindowCloseEndTheProgramALetterDoesNot) {
    for (const bool byButton : {true, false}) {
        open(1);
        QSignalSpy ended(window.get(), &frmMainMenu::programEnded);
        button(3)->setFocus();
        QTest::keyClick(button(3), Qt::Key_X); // a letter does nothing
        EXPECT_EQ(std::pair(window->ended, ended.count()), std::pair(false, qsizetype(0)));
        byButton ? QTest::keyClick(button(3), Qt::Key_Return) : (void)window->close();
        EXPECT_EQ(std::pair(window->isVisible(), ended.count()), std::pair(false, qsizetype(1)));
    }
}

// A second launch finds the first and asks it forward, also where the runtime folder cannot be
// made (the station then keeps its lock in the temporary folder rather than refusing to start).
TEST(SingleInstance, ASecondLaunchAsksTheFirstForward) {
    TestFolder folder;
    TestFolder::Write(folder.path("file"), "not a folder");
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    for (const QString& runtime : {folder.path("run"), folder.path("file/run")}) {
        SCOPED_TRACE(runtime.toStdString());
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        const QString key = QStringLiteral("dvq3test-%1").arg(QCoreApplication::applicationPid());
        dvq3::SingleInstance first(key), second(key);
        QSignalSpy asked(&first, &dvq3::SingleInstance::activationRequested);
        ASSERT_TRUE(first.claim());
        EXPECT_FALSE(second.claim());
        EXPECT_TRUE(asked.wait(5000));
    }
    qputenv("XDG_RUNTIME_DIR", saved);
}
