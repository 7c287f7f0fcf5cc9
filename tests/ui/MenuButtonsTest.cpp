#include "ui/MenuButtons.h"
#include "FakeWindows.h"
#include "MessageRecorder.h"
#include "OnScreen.h"
#include "Widgets.h"
#include "station/Session.h"
#include "ui/ChainRunner.h"
#include "ui/WindowRoutines.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include <gtest/gtest.h>

using namespace dvq3;

namespace {

// The buttons of a menu as a user sees them, one letter each: C on a cyan panel, I on a blue
// one, ? on any other colour, in lower case when the caption is not drawn bold; > before the
// focused one.
QString Looks(const MenuButtons& menu) {
    const dvq3test::OnScreen shown(menu.sspMenuChoice(0)->window());
    QString looks;
    for (int i = 0; i < menu.count(); ++i) {
        const QString colour = shown.margin(menu.sspMenuChoice(i));
        const QChar letter = colour == "cyan" ? u'C' : colour == "blue" ? u'I' : u'?';
        looks += QString(menu.cmdMenuChoice(i)->hasFocus() ? ">" : "") +
                 (dvq3test::DrawnBold(menu.cmdMenuChoice(i)) ? letter : letter.toLower());
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
        dvq3test::ShowActive(&window);
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
    EXPECT_EQ(clicked, (QList<QVariantList>{{0}, {1}}));
}

TEST(WindowRoutines, ResetAndHighlightPaintExactlyTheirButtons) {
    MsgPanel panel;
    MenuButtons menu(&panel);
    QDialog parent;
    auto* layout = new QVBoxLayout(&parent);
    for (int i = 0; i < 6; ++i) {
        layout->addWidget(menu.add(&parent, QString::number(i), {}));
        menu.cmdMenuChoice(i)->setFocusPolicy(Qt::NoFocus); // painted, never focused
        menu.paint(i, true);
    }
    dvq3test::ShowActive(&parent);
    ResetMenuChoices(menu, 4); // buttons 0 to 4 inclusive
    EXPECT_EQ(Looks(menu), "iiiiiC");
    HighlightMenuChoice(menu, 5, 2);
    EXPECT_EQ(Looks(menu), "iiCiii");
}

// The station's focus style as it reaches the screen, the top edge and the far end inside each
// kind of control: a focused field, list, grid or text box is framed in blue, a focused push button
// is cyan in a black frame, a focused option cyan; none of it shows without the focus.
TEST(FocusStyle, OnlyTheFocusedControlIsFramedOrFilled) {
    QDialog window;
    auto* layout = new QVBoxLayout(&window);
    auto* list = new QComboBox;
    list->setEditable(true);
    const std::pair<QWidget*, const char*> rows[] = {
        {new QLineEdit("Harlan"), "blue/white"}, {list, "blue/button-face"}, // its arrow
        {new QListWidget, "blue/white"},         {new QTableWidget(2, 2), "blue/white"},
        {new QPlainTextEdit, "blue/white"},      {new QPushButton("Print"), "black/cyan"},
        {new QCheckBox("Summary"), "cyan/cyan"}, {new QRadioButton("All"), "cyan/cyan"}};
    auto* elsewhere = new QPushButton("Elsewhere");
    for (const auto& [control, focused] : rows)
        layout->addWidget(control);
    layout->addWidget(elsewhere);
    dvq3test::ShowActive(&window);
    auto looks = [&window](const QWidget* control) {
        const dvq3test::OnScreen shown(&window);
        return shown.colour(control, QRect(control->width() / 2, 0, 4, 2)) + '/' +
               shown.colour(control, QRect(control->width() - 8, control->height() / 2 - 2, 4, 4));
    };
    for (const auto& [control, focused] : rows) {
        SCOPED_TRACE(control->metaObject()->className());
        control->setFocus();
        QTest::qWait(5);
        EXPECT_EQ(looks(control), focused);
        elsewhere->setFocus();
        QTest::qWait(5);
        const QStringList idle = looks(control).split('/');
        EXPECT_TRUE(idle[0] != "blue" && idle[0] != "cyan" && idle[1] != "cyan")
            << idle.join(u'/').toStdString();
    }
}

TEST(WindowRoutines, SelectAllTextSelectsTheFocusedField) {
    QDialog window;
    auto* edit = new QLineEdit("Harlan", &window);
    dvq3test::ShowActive(&window);
    edit->setFocus();
    edit->deselect();
    SelectAllText();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Harlan"));
}

// A window the station lacks, or a station with no windows at all, says so and ends the chain
// there, even with the flag left true by an earlier chain.
TEST(ChainRunner, MissingWindowSaysSoAndCancelsTheChain) {
    dvq3test::FakeWindows chain;
    chain.windows[ChainWindow::ClientInfo] = [](Session& s) { s.ContinueFlag = true; };
    for (WindowOpener* opener : {(WindowOpener*)&chain, (WindowOpener*)nullptr}) {
        dvq3test::MessageRecorder messages;
        Session session;
        session.windowOpener = opener;
        session.ContinueFlag = true;
        chain.opened.clear();
        EXPECT_FALSE(RunChain(session, kClientChain));
        EXPECT_FALSE(session.ContinueFlag);
        EXPECT_EQ(messages.texts(), QStringList{kNotAvailableText});
        EXPECT_EQ(chain.opened.join(' '), opener ? "frmClientInfo frmCourtHistory" : "");
    }
}
