#include "shell/Startup.h"
#include "DriveFaults.h"
#include "ShellFixture.h"
#include "Widgets.h"
#include "platform/IniPaths.h"
#include "platform/ProgramFolder.h"
#include "reports/ReportText.h"
#include "platform/SingleInstance.h"
#include "shell/DiskCheck.h"
#include "shell/ProgramFolderMessages.h"
#include "shell/frmAbout.h"
#include "shell/frmMainMenu.h"
#include "test/Questionnaire.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::Child;

namespace {

struct StartupTest : ::testing::Test, dvq3test::ShellFixture {
    StartupTest() { frmAbout::SkipSplashWait = true; }
    ~StartupTest() override { session.dbTest.close(); }
    void copyDatabase() {
        ASSERT_TRUE(
            QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB")));
    }
};

} // namespace

TEST_F(StartupTest, OpensTheMainMenuOnTheIniDisk) {
    copyDatabase();
    const QString disk = makeDisk("disk", 2);
    writeIniFilePath(disk);
    frmMainMenu window(session);
    ASSERT_TRUE(RunStartup(session, window));
    EXPECT_TRUE(messages.boxes.isEmpty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Corvalent-III"));
    EXPECT_EQ(Child<QListWidget>(&window, "lbNameDisplay")->count(), 2);
    EXPECT_TRUE(window.ListEnabled);
    EXPECT_TRUE(window.UnloadOthers);
    EXPECT_TRUE(session.dbTest.isOpen());
    EXPECT_EQ(SectionStart[5], 100);
    EXPECT_EQ(session.SndPath, QStringLiteral("c:"));
    EXPECT_EQ(session.DbPath, folder.path("DVQ3.MDB"));
    const QByteArray ini = dvq3test::TestFolder::Read(folder.path("dvq3test.ini"));
    EXPECT_TRUE(ini.contains("[Options]\r\nSystemDB=" + folder.path("kpxltd.mda").toLocal8Bit()));
    // The splash is gone once the main menu shows.
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible() && top->objectName() == "frmAbout");
}

TEST_F(StartupTest, ASecondLaunchDuringStartUpShowsNoUnfinishedMenu) {
    const QString disk = makeDisk("disk", 1);
    writeIniFilePath(disk);
    frmMainMenu window(session);
    bool shownWhileStarting = true;
    messages.onShow = [&](const MsgBoxCall&) {
        window.ComeForward();
        shownWhileStarting = window.isVisible();
        copyDatabase();
    };
    messages.answer(vbOK); // the database is missing: retry
    ASSERT_TRUE(RunStartup(session, window));
    EXPECT_FALSE(shownWhileStarting);
    window.showMinimized();
    window.ComeForward();
    EXPECT_FALSE(window.isMinimized());
}

TEST_F(StartupTest, MissingDatabaseOffersRetryThenEnds) {
    makeDisk("disk", 1);
    messages.onShow = [&](const MsgBoxCall&) {
        if (messages.boxes.size() == 1)
            copyDatabase(); // the first OK finds the database in place
    };
    messages.answer(vbOK);
    frmMainMenu window(session);
    writeIniFilePath(folder.path("disk"));
    ASSERT_TRUE(RunStartup(session, window));
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].text,
              DatabaseFaultText(folder.path("DVQ3.MDB"),
                                Error::DriveFault(3024, "Could not find file (" +
                                                            folder.path("DVQ3.MDB") + ")")));
    EXPECT_TRUE(messages.boxes[0].text.contains("program folder " + folder.program()));
    EXPECT_EQ(messages.boxes[0].style, int(vbOKCancel | vbCritical));
    EXPECT_EQ(messages.boxes[0].title, kProgramFolderErrorTitle);

    session.dbTest.close();
    QFile::remove(folder.path("DVQ3.MDB"));
    messages.onShow = {};
    messages.answer(vbCancel);
    frmMainMenu second(session);
    EXPECT_FALSE(RunStartup(session, second));
    EXPECT_FALSE(second.isVisible());
}

TEST_F(StartupTest, AboutBoxAndSplashCaptions) {
    frmAbout about;
    about.setSplash(true);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Initializing..."));
    EXPECT_TRUE(Child<QPushButton>(&about, "cmdOK")->isHidden() ||
                !Child<QPushButton>(&about, "cmdOK")->isVisibleTo(&about));
    about.setSplash(false);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About DVQ-III"));
    EXPECT_TRUE(Child<QPushButton>(&about, "cmdOK")->isVisibleTo(&about));

    // The reveal runs on its own timer when the waits are kept.
    frmAbout::SkipSplashWait = false;
    frmAbout splash;
    splash.setSplash(true);
    splash.show();
    EXPECT_FALSE(splash.FadeDone());
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.FadeDone(); }, 5000));
    EXPECT_TRUE(Child<QLabel>(&splash, "imgKPXLogo")->isVisible());
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(Child<QFrame>(&splash, QStringLiteral("Picture2%1").arg(i))->isVisible());
    frmAbout::SkipSplashWait = true;
}

TEST(SingleInstance, SecondLaunchAsksTheFirstToComeForward) {
    const QString key = "dvq3test-" + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    SingleInstance second(key);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(asked.wait(3000));
}

TEST_F(StartupTest, AnInstalledStationKeepsItsSettingsAndDataDiskInTheUsersFolders) {
    copyDatabase();
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    const QString bundled = makeDisk("SampleDisk", 2);
    writeIniFilePath(bundled);
    const QByteArray shippedIni = dvq3test::TestFolder::Read(folder.path("dvq3test.ini"));
    dvq3test::DriveFaults faults;
    faults.fail(DriveOp::Open, EROFS, folder.program() + "/."); // the folder is read-only

    frmMainMenu window(session);
    ASSERT_TRUE(RunStartup(session, window));
    EXPECT_TRUE(messages.boxes.isEmpty()) << messages.texts().join('|').toStdString();
    const QString copy = home.path() + "/data/dvq3/SampleDisk";
    EXPECT_EQ(session.disk.DataDrive(), copy);
    EXPECT_EQ(session.disk.NumClients(), 2);
    EXPECT_EQ(IniFilePath(), home.path() + "/config/dvq3/dvq3test.ini");
    EXPECT_EQ(GetINIFilePath(), copy);
    EXPECT_EQ(dvq3test::TestFolder::Read(folder.path("dvq3test.ini")), shippedIni);
    EXPECT_EQ(dvq3test::TestFolder::Read(bundled + "/DATA401.DVQ"),
              dvq3test::TestFolder::Read(copy + "/DATA401.DVQ"));
    EXPECT_EQ(StationFile("report.prn"), home.path() + "/data/dvq3/report.prn");
    EXPECT_EQ(ReportFilePath(), home.path() + "/data/dvq3/report.prn");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}

TEST_F(StartupTest, SettingsThatCannotBeWrittenNameTheFileAndItsFolder) {
    copyDatabase();
    writeIniFilePath(makeDisk("disk", 1));
    dvq3test::DriveFaults faults;
    faults.fail(DriveOp::Write, ENOSPC, "dvq3test.ini");
    messages.answer(vbCancel);
    frmMainMenu window(session);
    EXPECT_FALSE(RunStartup(session, window));
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].text,
              SettingsFaultText(folder.path("dvq3test.ini"), DriveErrorFromErrno(ENOSPC), true));
    EXPECT_EQ(messages.boxes[0].title, kProgramFolderErrorTitle);
    EXPECT_FALSE(window.isVisible());
}

TEST(AboutBox, SplashAndAboutBoxAreCentredAndTheCoversHideEverythingAtFirst) {
    for (bool splash : {true, false}) {
        frmAbout::SkipSplashWait = false;
        frmAbout about;
        about.setSplash(splash);
        about.show();
        QCoreApplication::processEvents();
        const QRect area = about.screen()->availableGeometry();
        EXPECT_LE((about.frameGeometry().center() - area.center()).manhattanLength(), 2) << splash;
        // At first the six covers hide the whole content; then they shrink away.
        const QWidget* content = Child<QFrame>(&about, "Picture20")->parentWidget();
        int covered = 0;
        for (int i = 0; i < 6; ++i)
            covered += Child<QFrame>(&about, QStringLiteral("Picture2%1").arg(i))->height();
        EXPECT_GE(covered, content->height()) << splash;
        const QFrame* cover = Child<QFrame>(&about, "Picture20");
        const int first = cover->height();
        EXPECT_TRUE(QTest::qWaitFor([&] { return cover->height() < first; }, 5000)) << splash;
        frmAbout::SkipSplashWait = true;
    }
}
