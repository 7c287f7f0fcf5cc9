#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

namespace dvq3test {

// What a window shows, grabbed once from its rendering: colours are sampled inside its controls,
// never read back from a palette or a style sheet.
class OnScreen {
public:
    explicit OnScreen(QWidget* window);

    // The colour that fills most of an area of a control (its whole rectangle by default).
    QColor fill(const QWidget* control, QRect area = {}) const;
    // The colour standing out most from that fill: the ink of a text or a mark drawn there.
    QColor ink(const QWidget* control, QRect area = {}) const;

    // "fill/ink" by their names: "cyan/black" for black text on cyan, "white/white" for a blank.
    QString looks(const QWidget* control, QRect area = {}) const;
    // The fill by its name.
    QString colour(const QWidget* control, QRect area = {}) const {
        return Name(fill(control, area));
    }
    // A menu button's panel by the colour of its margin above the button.
    QString margin(const QWidget* panel) const;

    // A colour by the name the station's windows use for it ("cyan", "blue", "navy", "green",
    // "white", "black", "button-face"), close enough to pass for it on screen; else its hex.
    static QString Name(const QColor& colour);
    // The ink's colour by name: thin strokes never cover a whole pixel, so the ink shows blended
    // with the fill; it is named for the colour it lies on the way to.
    static QString InkName(const QColor& ink, const QColor& fill);

private:
    QList<QRgb> pixels(const QWidget* control, QRect area) const;

    QWidget* window_;
    QImage image_;
};

// A text as a control draws it: the text run, the font it is drawn in and its ink in the
// control's coordinates.
struct DrawnText {
    QString text;
    QFont font;
    QRectF ink;
};

// A control as a person would point at it: its own name, else its parent's and its kind.
QString ControlName(const QWidget* control);

// The texts one control draws itself (its children not included).
QList<DrawnText> DrawnTexts(QWidget* control);
// Whether the first text a control draws is drawn bold.
inline bool DrawnBold(QWidget* control) {
    return DrawnTexts(control).value(0).font.bold();
}
// A framed group as it looks: its caption's band (the frame's top rows, down to height), "fill/ink"
// as OnScreen::looks names it, with " bold" when the caption is drawn bold.
QString CaptionLooks(QWidget* frame, int height);

// Every text of a window that is not shown whole: its ink reaches past the control's contents
// (or the area its parents leave visible, or the clip the control draws it in), or it is drawn
// shortened with an ellipsis. Scrolling views are checked across only. One line per text,
// naming the control, the text and its weight.
QStringList CutTexts(QWidget* window);

} // namespace dvq3test
