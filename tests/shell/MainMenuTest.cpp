#include "ShellFixture.h"
#include "Widgets.h"
#include "shell/SelectDataDrive.h"
#include "shell/frmMainMenu.h"
#include "ui/WindowSeam.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::Child;

namespace {

struct MainMenuTest : ::testing::Test, dvq3test::ShellFixture {
    std::unique_ptr<frmMainMenu> window;
    QStringList opened; // the chain's windows, in the order they were shown

    void open(int clients, const QString& name = "disk") {
        const QString disk = makeDisk(name, clients);
        writeIniFilePath(disk);
        window = std::make_unique<frmMainMenu>(session);
        ASSERT_EQ(SelectDataDrive(session, true, [] {}), DriveSelection::Established);
        window->ListEnabled = true;
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->Form_Activate();
        window->UnloadOthers = true;
    }
    // Registers stand-ins for the chain's windows that confirm (or cancel) as told.
    void chainWindows(QMap<QString, bool> confirms) {
        for (const QString name : {"frmClientInfo", "frmCourtHistory", "frmNewEntry",
                                   "frmSelectEntryMethod", "frmSupervisorOptions"})
            session.ChainWindows[name] = [this, name, confirms](Session&) {
                opened << name;
                EXPECT_FALSE(window->ListEnabled) << name.toStdString();
                EXPECT_TRUE(Child<QFrame>(window.get(), "frMainMenu")->isHidden())
                    << name.toStdString();
                session.ContinueFlag = confirms.value(name, true);
            };
    }
    QStringList listTexts() const {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    QPushButton* button(int i) const {
        return Child<QPushButton>(window.get(), QStringLiteral("cmdMenuChoice%1").arg(i));
    }
    QListWidget* list() const { return Child<QListWidget>(window.get(), "lbNameDisplay"); }
};

} // namespace

TEST_F(MainMenuTest, ListsEveryClientWithItsNumberAndWholeName) {
    open(3);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Corvalent-III"));
    const QStringList texts = listTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[2], "3-" + QStringLiteral("disk Client-3").leftJustified(25));
    EXPECT_FALSE(button(0)->isEnabled());
}

TEST_F(MainMenuTest, ClientIsIdentifiedByTheNumberBeforeTheFirstHyphen) {
    open(12);
    list()->setFocus();
    EXPECT_EQ(Child<MsgPanel>(window.get(), "MsgPanel")->caption(),
              QStringLiteral("Use up or down arrow keys or mouse to select client."));
    EXPECT_EQ(Child<QGroupBox>(window.get(), "fraClient")->palette().color(QPalette::Window),
              QColor(0, 255, 255));
    EXPECT_TRUE(Child<QGroupBox>(window.get(), "fraClient")->font().bold());
    EXPECT_FALSE(list()->font().bold());
    QTest::keyClick(list(), Qt::Key_Down); // nothing chosen yet: the first client
    EXPECT_EQ(session.CurClient, 1);
    EXPECT_EQ(list()->selectedItems().value(0), list()->item(0));
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(session.CurClient, 2);
    list()->setCurrentRow(11);
    EXPECT_EQ(session.CurClient, 12); // "12-disk Client-12": a hyphen inside the name too
    EXPECT_TRUE(button(0)->isEnabled());
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(session.CurClient, 11);
    button(3)->setFocus();
    EXPECT_EQ(Child<QGroupBox>(window.get(), "fraClient")->palette().color(QPalette::Window),
              QColor(0, 0, 255));
    EXPECT_FALSE(Child<QGroupBox>(window.get(), "fraClient")->font().bold());
}

TEST_F(MainMenuTest, EmptyDiskSendsTheListFocusToAddNewClient) {
    open(0);
    EXPECT_TRUE(listTexts().isEmpty());
    list()->setFocus();
    EXPECT_TRUE(button(1)->hasFocus());
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_EQ(Child<MsgPanel>(window.get(), "MsgPanel")->caption(),
              QStringLiteral("Enter a new client. Test client on computer or enter data from "
                             "answer sheet."));
}

TEST_F(MainMenuTest, EditChainRunsWhileEachWindowIsConfirmed) {
    open(2);
    chainWindows({});
    list()->setCurrentRow(1);
    button(0)->setFocus();
    QTest::keyClick(button(0), Qt::Key_Return);
    EXPECT_EQ(opened, (QStringList{"frmClientInfo", "frmCourtHistory", "frmNewEntry"}));
    EXPECT_TRUE(session.EditExisting);
    EXPECT_FALSE(session.FromScan);
    EXPECT_TRUE(window->ListEnabled);
    EXPECT_TRUE(window->UnloadOthers);
    EXPECT_FALSE(Child<QFrame>(window.get(), "frMainMenu")->isHidden());

    opened.clear();
    chainWindows({{"frmCourtHistory", false}});
    window->Form_Activate(); // back from the chain: no selection, editing disabled
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    list()->setCurrentRow(0);
    window->cmdMenuChoice_Click(0);
    EXPECT_EQ(opened, (QStringList{"frmClientInfo", "frmCourtHistory"}));
}

TEST_F(MainMenuTest, AddNewClientOpensTheEntryMethodAndListsTheNewClient) {
    open(1);
    session.ChainWindows["frmSelectEntryMethod"] = [this](Session&) {
        opened << "frmSelectEntryMethod";
        EXPECT_FALSE(session.EditExisting);
        session.CurClient = session.disk.NumClients() + 1;
        session.disk.Clients(session.CurClient).set(&ClientRecord::Name, "Newly Added");
        ASSERT_TRUE(session.disk.SaveClient(session.CurClient));
        session.disk.CommitNewClient();
    };
    button(1)->setFocus();
    QTest::keyClick(button(1), Qt::Key_Return);
    EXPECT_EQ(opened, QStringList{"frmSelectEntryMethod"});
    EXPECT_EQ(listTexts().last(), "2-" + QStringLiteral("Newly Added").leftJustified(25));
}

TEST_F(MainMenuTest, AddNewClientOnAFullDiskRefusesAtOnce) {
    open(51);
    chainWindows({});
    window->cmdMenuChoice_Click(1);
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_TRUE(messages.boxes[0].text == DiskFullText());
    EXPECT_FALSE(Child<QFrame>(window.get(), "frMainMenu")->isHidden());
}

TEST_F(MainMenuTest, SupervisorOptionsAndInstallVoiceFiles) {
    open(1);
    chainWindows({});
    window->cmdMenuChoice_Click(2);
    EXPECT_EQ(opened, QStringList{"frmSupervisorOptions"});
    EXPECT_TRUE(window->ListEnabled);

    const QStringList before = listTexts();
    Child<QAction>(window.get(), "mnuOptionsInstallVoice")->trigger();
    EXPECT_EQ(messages.boxes.size(), 0);
    EXPECT_EQ(listTexts(), before);
    EXPECT_FALSE(window->ProgramEnded);
}

TEST_F(MainMenuTest, ExitButtonMenuEntryAndWindowCloseEndTheProgram) {
    open(1);
    QSignalSpy ended(window.get(), &frmMainMenu::programEnded);
    QTest::keyClick(button(3), Qt::Key_X); // a letter does nothing
    EXPECT_EQ(ended.count(), 0);
    button(3)->setFocus();
    QTest::keyClick(button(3), Qt::Key_Return);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(window->isVisible());

    open(1);
    QSignalSpy endedByMenu(window.get(), &frmMainMenu::programEnded);
    Child<QAction>(window.get(), "mnuExit")->trigger();
    EXPECT_EQ(endedByMenu.count(), 1);

    open(1);
    QSignalSpy endedByClose(window.get(), &frmMainMenu::programEnded);
    window->close();
    EXPECT_EQ(endedByClose.count(), 1);
}

TEST_F(MainMenuTest, TabbingThroughTheMenuLeavesOneCyanPanel) {
    open(2);
    button(1)->setFocus();
    for (int step = 0; step < 3; ++step) {
        int cyan = 0;
        for (int i = 0; i < 4; ++i)
            cyan += Child<QFrame>(window.get(), QStringLiteral("sspMenuChoice%1").arg(i))
                        ->palette()
                        .color(QPalette::Window) == MenuButtons::kFocusColour;
        EXPECT_EQ(cyan, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(MainMenuTest, StaleFlagOpensNothingAndAnAbandonedNewClientLeavesNoPhantom) {
    open(2);
    chainWindows({});
    session.ChainWindows["frmClientInfo"] = [this](Session&) { opened << "frmClientInfo"; };
    session.ContinueFlag = true; // left over from an earlier chain
    list()->setCurrentRow(0);
    window->cmdMenuChoice_Click(0);
    EXPECT_EQ(opened, QStringList{"frmClientInfo"});

    for (int clients : {2, 0}) {
        open(clients, QStringLiteral("disk%1").arg(clients));
        session.ChainWindows["frmSelectEntryMethod"] = [this](Session&) {
            session.CurClient = session.disk.NumClients() + 1; // entered, never saved
            session.disk.Clients(session.CurClient).set(&ClientRecord::Name, "Abandoned");
        };
        window->cmdMenuChoice_Click(1);
        EXPECT_EQ(session.CurClient, clients > 0 ? 1 : 0);
        EXPECT_EQ(dvq3test::TestFolder::Read(session.disk.ClientFile()).size(), clients * 176);
    }
}

TEST_F(MainMenuTest, EveryHelpLineFitsAtTheSmallestWindow) {
    open(2);
    window->resize(window->minimumSize());
    auto* help = Child<MsgPanel>(window.get(), "MsgPanel");
    for (int i = 1; i < 4; ++i) {
        button(i)->setFocus();
        QCoreApplication::processEvents();
        EXPECT_LE(help->fontMetrics().horizontalAdvance(help->caption()),
                  help->contentsRect().width())
            << i;
        EXPECT_LE(help->mapTo(window.get(), QPoint(help->width(), 0)).x(), window->width());
    }
}
