#include "ui/MenuButtons.h"
#include "MessageRecorder.h"
#include "platform/Twips.h"
#include "records/Session.h"
#include "ui/FocusStyle.h"
#include "ui/WindowRoutines.h"
#include "ui/WindowSeam.h"

#include <QDialog>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace dvq3;

namespace {

// A window with three menu buttons and a help line, as every window of the station has.
struct MenuWindow {
    QDialog window;
    MsgPanel* panel = new MsgPanel(&window);
    MenuButtons menu{panel};
    MenuWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(menu.add(&window, "First", "Help for the first."));
        layout->addWidget(menu.add(&window, "Second", "Help for the second."));
        layout->addWidget(menu.add(&window, "Third", "Help for the third."));
        layout->addWidget(panel);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        menu.cmdMenuChoice(0)->setFocus();
    }
    QColor colour(int i) const { return menu.sspMenuChoice(i)->palette().color(QPalette::Window); }
    int cyanCount() const {
        int n = 0;
        for (int i = 0; i < menu.count(); ++i)
            n += colour(i) == MenuButtons::kFocusColour;
        return n;
    }
    bool bold(int i) const { return menu.cmdMenuChoice(i)->font().bold(); }
};

} // namespace

TEST(MenuButtons, OnlyTheFocusedButtonIsCyanAndBold) {
    MenuWindow w;
    const char* helps[] = {"Help for the first.", "Help for the second.", "Help for the third."};
    for (int step = 0; step < 4; ++step) {
        const int focused = step % 3;
        EXPECT_TRUE(w.menu.cmdMenuChoice(focused)->hasFocus()) << step;
        EXPECT_EQ(w.cyanCount(), 1) << step;
        EXPECT_EQ(w.colour(focused), MenuButtons::kFocusColour);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(w.bold(i), i == focused) << step;
        EXPECT_EQ(w.panel->caption(), QString::fromLatin1(helps[focused]));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // The arrow keys move through the buttons as well, wrapping around.
    for (auto [key, focused] : {std::pair{Qt::Key_Up, 0}, {Qt::Key_Up, 2}, {Qt::Key_Down, 0}}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_TRUE(w.menu.cmdMenuChoice(focused)->hasFocus()) << focused;
    }
    EXPECT_EQ(w.cyanCount(), 1);
}

TEST(MenuButtons, EnterRunsOnceLettersNothingSpaceClicks) {
    MenuWindow w;
    QSignalSpy clicked(&w.menu, &MenuButtons::clicked);
    QTest::keyClick(w.menu.cmdMenuChoice(0), Qt::Key_A);
    QTest::keyClick(w.menu.cmdMenuChoice(0), Qt::Key_Escape);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_TRUE(w.window.isVisible()); // Escape is swallowed, not a cancel of the window
    QTest::keyClick(w.menu.cmdMenuChoice(0), Qt::Key_Return);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 0);
    w.menu.cmdMenuChoice(1)->setFocus();
    QTest::keyClick(w.menu.cmdMenuChoice(1), Qt::Key_Space);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 1);
}

TEST(WindowRoutines, ResetAndHighlightPaintExactlyTheirButtons) {
    MsgPanel panel;
    MenuButtons menu(&panel);
    QWidget parent;
    for (int i = 0; i < 6; ++i)
        menu.add(&parent, QString::number(i), {});
    for (int i = 0; i < 6; ++i)
        menu.paint(i, true);
    ResetMenuChoices(menu, 4); // buttons 0 to 4 inclusive
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(menu.sspMenuChoice(i)->palette().color(QPalette::Window),
                  MenuButtons::kIdleColour);
    EXPECT_EQ(menu.sspMenuChoice(5)->palette().color(QPalette::Window), MenuButtons::kFocusColour);
    HighlightMenuChoice(menu, 5, 2);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(menu.sspMenuChoice(i)->palette().color(QPalette::Window) ==
                      MenuButtons::kFocusColour,
                  i == 2);
        EXPECT_EQ(menu.cmdMenuChoice(i)->font().bold(), i == 2);
    }
}

TEST(WindowRoutines, InRangeIncludesBothEnds) {
    for (auto [value, inside] : {std::pair{29, true}, {1, true}, {30, false}, {0, false}})
        EXPECT_EQ(InRange(value, 1, 29), inside) << value;
}

TEST(WindowRoutines, SelectAllTextSelectsTheFocusedField) {
    QDialog window;
    auto* edit = new QLineEdit("Harlan", &window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
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
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].text, kNotAvailableText);

    int shown = 0;
    session.ChainWindows["frmClientInfo"] = [&](Session&) { ++shown; };
    ShowModalWindow(session, "frmClientInfo");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(messages.boxes.size(), 1);
}

TEST(WindowRoutines, TwipsFollowTheScreensResolution) {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    EXPECT_EQ(TwipsToPixels(1440), qRound(dpi));
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(PixelsToTwips(TwipsToPixels(2880)), 2880);
}

TEST(WindowRoutines, CenterFrameLiftsTheFrameByHalfOf1000Twips) {
    QWidget form;
    form.resize(800, 600);
    QWidget frame(&form);
    frame.resize(200, 100);
    CenterFrame(&form, &frame);
    EXPECT_EQ(frame.x(), 300);
    EXPECT_EQ(frame.y(), 300 - (100 + TwipsToPixels(1000)) / 2);
}

TEST(FocusStyle, AFocusedButtonLooksPlainlyDifferent) {
    ApplyFocusStyle(*qApp);
    QDialog dialog;
    auto* first = new QPushButton(QStringLiteral("Print"), &dialog);
    auto* second = new QPushButton(QStringLiteral("Cancel"), &dialog);
    second->move(0, 60);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    first->setFocus();
    QCoreApplication::processEvents();
    const QImage focused = first->grab().toImage();
    const QImage idle = second->grab().toImage();
    const QPoint inside(focused.width() / 4, focused.height() / 2);
    EXPECT_EQ(focused.pixelColor(inside), QColor(0, 255, 255));
    EXPECT_NE(idle.pixelColor(inside), QColor(0, 255, 255));
    qApp->setStyleSheet(QString());
}
