#include "shell/Startup.h"
#include "ShellFixture.h"
#include "Widgets.h"
#include "platform/SingleInstance.h"
#include "shell/DiskCheck.h"
#include "shell/frmAbout.h"
#include "shell/frmMainMenu.h"
#include "test/Questionnaire.h"

#include <QFile>
#include <QSignalSpy>
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
    EXPECT_EQ(messages.boxes[0].text, kDiskNotFoundText);
    EXPECT_EQ(messages.boxes[0].style, int(vbOKCancel | vbCritical));
    EXPECT_EQ(messages.boxes[0].title, kDiskErrorTitle);

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
