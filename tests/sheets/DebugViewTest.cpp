// The debug view, alone and shown by the scan under "/V FIRST" and "/V ALL".
#include "ScanFixture.h"
#include "platform/ProgramFolder.h"
#include "sheets/ImagingControl.h"
#include "sheets/ScanMessages.h"
#include "sheets/frmDebugView.h"

#include <QLabel>
#include <QPushButton>

using namespace dvq3;
using namespace sheettest;

namespace {

struct DebugViewTest : ScanFixture {
    // What one debug view showed: position, tested box line, caption.
    struct Seen {
        QString x, y, tested, caption;
    };
    QList<Seen> seen;

    // Notes the view, then presses the button named (by Enter, as the keyboard does).
    std::function<void(QWidget*)> note(const char* button) {
        return [this, button](QWidget* view) {
            QTest::qWait(10);
            seen.append({view->findChild<QLineEdit*>("txtX")->text(),
                         view->findChild<QLineEdit*>("txtY")->text(),
                         view->findChild<QLabel*>("lblTested")->text(), view->windowTitle()});
            QTest::keyClick(view->findChild<QWidget*>(button), Qt::Key_Return);
        };
    }
    // Where the scan tests bubble `bubble` of field `field` on the page (a straight sheet).
    static QPoint BubbleOnPage(int field, int bubble) {
        const PolarPoint anchor = Decode(FilledPage()).value().AnchorBox;
        return QPoint(anchor.x, anchor.y) + LayoutBubbles(Layout()[field], field)[bubble];
    }
};

} // namespace

TEST_F(DebugViewTest, ShowsThePositionMarksItAndFollowsTypedCoordinates) {
    ImagingControl raw;
    QImage white(850, 1100, QImage::Format_RGB32);
    white.fill(Qt::white);
    raw.setImage(white);
    ASSERT_TRUE(raw.Save(StationFile("Raw.bmp")));
    int ended = 0;
    frmDebugView view([&ended] { ++ended; });
    view.setXVal(100);
    view.setYVal(200);
    view.setTestedBox("Item 7", 12);
    QApplication::setOverrideCursor(Qt::WaitCursor); // the scan's hourglass
    open(&view);
    EXPECT_EQ(view.windowTitle(), kDebugViewCaption);
    EXPECT_EQ(child<QPushButton>(&view, "cmdDone")->text(), kNextBoxCaption);
    EXPECT_EQ(child<QPushButton>(&view, "Command1")->text(), kStopCaption);
    EXPECT_EQ(child<QLineEdit>(&view, "txtX")->text(), "100");
    EXPECT_EQ(child<QLineEdit>(&view, "txtY")->text(), "200");
    EXPECT_EQ(child<QLabel>(&view, "lblTested")->text(), TestedBoxText("Item 7", 12));
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdDone");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the operator's own pointer meanwhile
    auto marked = [&view](int x, int y) {
        const QImage shown = child<QLabel>(&view, "leadDebug")->pixmap().toImage();
        return shown.pixelColor(x, y) == QColor(Qt::red);
    };
    EXPECT_TRUE(marked(98, 205));
    EXPECT_FALSE(marked(298, 205));

    auto* txtX = child<QLineEdit>(&view, "txtX");
    txtX->selectAll();
    QTest::keyClicks(txtX, "300");
    EXPECT_EQ(view.XVal(), 300);
    EXPECT_TRUE(marked(298, 205));
    QTest::keyClicks(txtX, "x"); // not a number
    EXPECT_EQ(view.XVal(), 0);

    QTest::keyClick(child<QWidget>(&view, "cmdDone"), Qt::Key_Return);
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(view.Stopped());
    EXPECT_EQ(ended, 0);
    EXPECT_NE(QApplication::overrideCursor(), nullptr); // the hourglass is back
    QApplication::restoreOverrideCursor();

    open(&view);
    QTest::keyClick(child<QWidget>(&view, "Command1"), Qt::Key_Return);
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(view.Stopped());
    EXPECT_EQ(ended, 1);
}

TEST_F(DebugViewTest, VerboseFirstShowsTheFirstBoxOfEachFieldAndStopEndsTheProgram) {
    makeDisk({dvq3test::Client("Ann Lee")});
    const QByteArray before = onDisk();
    review();
    fake->givePage(FilledPage());
    station.switches.VerboseFirst = true;
    scan("Pat Doe", [this](dvq3test::ModalScript& script) {
        script.then(note("cmdDone"));
        script.then(note("cmdDone"));
        script.then(note("Command1"));
    });
    ASSERT_EQ(seen.size(), 3);
    for (int field = 0; field < 3; ++field) {
        const QPoint at = BubbleOnPage(field, 0);
        EXPECT_EQ(seen[field].caption, kDebugViewCaption);
        EXPECT_EQ(seen[field].x, QString::number(at.x())) << field;
        EXPECT_EQ(seen[field].y, QString::number(at.y())) << field;
        EXPECT_TRUE(seen[field].tested.startsWith(Layout()[field].LocationName.trimmed() + ": "));
    }
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(opened.isEmpty()); // the program ends: no window after the view
    EXPECT_EQ(messages.texts(), QStringList{InsertSheetText("Pat Doe")});
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(session.CurClient, 1);
}

TEST_F(DebugViewTest, VerboseAllShowsEveryBoxWithItsDarkPixels) {
    makeDisk({});
    review();
    fake->givePage(FilledPage());
    station.switches.VerboseAll = true;
    scan("Pat Doe", [this](dvq3test::ModalScript& script) {
        for (int i = 0; i < 5; ++i)
            script.then(note("cmdDone"));
        script.then(note("Command1"));
    });
    ASSERT_EQ(seen.size(), 6);
    // The tens of the age: bubbles 0 to 5 of its column; bubble 4 is marked.
    for (int bubble = 0; bubble < 6; ++bubble) {
        const QPoint at = BubbleOnPage(0, bubble);
        EXPECT_EQ(seen[bubble].y, QString::number(at.y())) << bubble;
        const int dark = seen[bubble].tested.section(": ", 1).section(' ', 0, 0).toInt();
        if (bubble == 4)
            EXPECT_GT(dark, 50) << bubble;
        else
            EXPECT_LT(dark, 10) << bubble;
    }
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(opened.isEmpty());
}
