#include "ui/MenuButtons.h"
#include "MessageRecorder.h"
#include "records/Session.h"
#include "ui/WindowRoutines.h"
#include "ui/WindowSeam.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace dvq3;

namespace {

void Show(QWidget& window) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The buttons of a menu as a user sees them, one letter each: C on cyan, I on the idle blue, ?
// on any other colour, in lower case when the caption is not bold; > before the focused one.
QString Looks(const MenuButtons& menu) {
    QString looks;
    for (int i = 0; i < menu.count(); ++i) {
        const QColor colour = menu.sspMenuChoice(i)->palette().color(QPalette::Window);
        const QChar letter = colour == MenuButtons::kFocusColour  ? u'C'
                             : colour == MenuButtons::kIdleColour ? u'I'
                                                                  : u'?';
        looks += QString(menu.cmdMenuChoice(i)->hasFocus() ? ">" : "") +
                 (menu.cmdMenuChoice(i)->font().bold() ? letter : letter.toLower());
    }
    return looks;
}

// A window with three menu buttons and a help line, as every window of the station has.
struct MenuWindow {
    QDialog window;
    MsgPanel* panel = new MsgPanel(&window);
    MenuButtons menu{panel};
    MenuWindow() {
        auto* layout = new QVBoxLayout(&window);
        for (const char* name : {"first", "second", "third"})
            layout->addWidget(
                menu.add(&window, name, QStringLiteral("Help for the %1.").arg(name)));
        layout->addWidget(panel);
        Show(window);
        menu.cmdMenuChoice(0)->setFocus();
    }
};

} // namespace

// Tab goes round the buttons; the arrow keys move through them as well, wrapping around.
TEST(MenuButtons, OnlyTheFocusedButtonIsCyanAndBold) {
    MenuWindow w;
    EXPECT_EQ(Looks(w.menu) + " " + w.panel->caption(), ">Cii Help for the first.");
    const std::pair<Qt::Key, const char*> steps[] = {
        {Qt::Key_Tab, "i>Ci Help for the second."}, {Qt::Key_Tab, "ii>C Help for the third."},
        {Qt::Key_Tab, ">Cii Help for the first."},  {Qt::Key_Tab, "i>Ci Help for the second."},
        {Qt::Key_Up, ">Cii Help for the first."},   {Qt::Key_Up, "ii>C Help for the third."},
        {Qt::Key_Down, ">Cii Help for the first."},
    };
    for (const auto& [key, looks] : steps) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(Looks(w.menu) + " " + w.panel->caption(), looks);
    }
}

TEST(MenuButtons, EnterRunsOnceLettersNothingSpaceClicks) {
    MenuWindow w;
    QSignalSpy clicked(&w.menu, &MenuButtons::clicked);
    QTest::keyClick(w.menu.cmdMenuChoice(0), Qt::Key_A);
    QTest::keyClick(w.menu.cmdMenuChoice(0), Qt::Key_Escape);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(w.window.isVisible()); // Escape is swallowed, not a cancel of the window
    QTest::keyClick(w.menu.cmdMenuChoice(0), Qt::Key_Return);
    w.menu.cmdMenuChoice(1)->setFocus();
    QTest::keyClick(w.menu.cmdMenuChoice(1), Qt::Key_Space);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 0);
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 1);
}

TEST(WindowRoutines, ResetAndHighlightPaintExactlyTheirButtons) {
    MsgPanel panel;
    MenuButtons menu(&panel);
    QWidget parent;
    for (int i = 0; i < 6; ++i) {
        menu.add(&parent, QString::number(i), {});
        menu.paint(i, true);
    }
    ResetMenuChoices(menu, 4); // buttons 0 to 4 inclusive
    EXPECT_EQ(Looks(menu), "iiiiiC");
    HighlightMenuChoice(menu, 5, 2);
    EXPECT_EQ(Looks(menu), "iiCiii");
}

TEST(WindowRoutines, SelectAllTextSelectsTheFocusedField) {
    QDialog window;
    auto* edit = new QLineEdit("Harlan", &window);
    Show(window);
    edit->setFocus();
    edit->deselect();
    SelectAllText();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Harlan"));
}

TEST(WindowSeam, MissingWindowSaysSoAndCancelsTheChain) {
    dvq3test::MessageRecorder messages;
    Session session;
    session.ContinueFlag = true;
    ShowModalWindow(session, "frmClientInfo");
    EXPECT_FALSE(session.ContinueFlag);
    EXPECT_EQ(messages.texts(), QStringList{kNotAvailableText});
}
