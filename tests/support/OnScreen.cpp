#include "OnScreen.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDebug>
#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QVector3D>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace dvq3test {
namespace {

int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The colours the station's windows are drawn in.
QList<std::pair<QString, QColor>> Named() {
    return {{"cyan", QColor(0, 255, 255)},
            {"blue", QColor(0, 0, 255)},
            {"navy", QColor(0, 0, 128)},
            {"green", QColor(0, 255, 0)},
            {"white", QColor(255, 255, 255)},
            {"black", QColor(0, 0, 0)},
            {"button-face", QApplication::palette().color(QPalette::Button)}};
}

// A paint engine that keeps the texts drawn through it, where they are inked and how they are
// clipped; everything else it is asked to draw is dropped.
class TextEngine : public QPaintEngine {
public:
    struct Run {
        DrawnText drawn;
        QRectF clip; // null: not clipped
    };
    QList<Run> runs;

    TextEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QFontMetricsF metrics(item.font(), paintDevice());
        const QRectF ink = metrics.tightBoundingRect(item.text()).translated(at);
        if (ink.isEmpty())
            return; // blanks
        const QTransform toDevice = painter()->deviceTransform();
        runs << Run{{item.text(), item.font(), toDevice.mapRect(ink)},
                    painter()->hasClipping() ? toDevice.mapRect(painter()->clipBoundingRect())
                                             : QRectF()};
    }
    Type type() const override { return User; }
};

// A surface of a control's size and resolution that paints through a TextEngine.
class TextDevice : public QPaintDevice {
public:
    explicit TextDevice(const QWidget* control) : control_(control) {}
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable TextEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return control_->width();
        case PdmHeight:
            return control_->height();
        case PdmWidthMM:
            return control_->widthMM();
        case PdmHeightMM:
            return control_->heightMM();
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return control_->logicalDpiX();
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return control_->logicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        default:
            return 0;
        }
    }

private:
    const QWidget* control_;
};

QList<TextEngine::Run> Runs(QWidget* control) {
    TextDevice device(control);
    control->render(&device, QPoint(), QRegion(), QWidget::RenderFlags());
    return device.engine.runs;
}

QString Extent(const QRectF& area) {
    QString text;
    QDebug(&text).nospace() << area;
    return text;
}

} // namespace

OnScreen::OnScreen(QWidget* window)
    : window_(window), image_(window->grab().toImage().convertToFormat(QImage::Format_RGB32)) {}

QList<QRgb> OnScreen::pixels(const QWidget* control, QRect area) const {
    if (area.isNull())
        area = control->rect();
    const QRect onWindow(control->mapTo(window_, area.topLeft()), area.size());
    QList<QRgb> found;
    for (int y = onWindow.top(); y <= onWindow.bottom(); ++y)
        for (int x = onWindow.left(); x <= onWindow.right(); ++x)
            if (image_.valid(x, y))
                found << (image_.pixel(x, y) & 0xffffff);
    return found;
}

QColor OnScreen::fill(const QWidget* control, QRect area) const {
    QHash<QRgb, int> counts;
    for (QRgb pixel : pixels(control, area))
        ++counts[pixel];
    QRgb most = 0;
    int count = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > count || (it.value() == count && it.key() < most))
            std::tie(most, count) = std::pair(it.key(), it.value());
    return QColor(most);
}

QColor OnScreen::ink(const QWidget* control, QRect area) const {
    const QRgb background = fill(control, area).rgb() & 0xffffff;
    QRgb farthest = background;
    for (QRgb pixel : pixels(control, area))
        if (Distance(pixel, background) > Distance(farthest, background))
            farthest = pixel;
    return QColor(farthest);
}

QString OnScreen::looks(const QWidget* control, QRect area) const {
    const QColor background = fill(control, area);
    return Name(background) + u'/' + InkName(ink(control, area), background);
}

QString OnScreen::margin(const QWidget* panel) const {
    return colour(panel, QRect(2, 2, panel->width() - 4, 3));
}

QString OnScreen::Name(const QColor& colour) {
    // The style's shading of a surface stays within this of the colour meant.
    int best = 40;
    QString name = colour.name();
    for (const auto& [candidate, value] : Named())
        if (const int d = Distance(colour.rgb(), value.rgb()); d < best)
            std::tie(best, name) = std::pair(d, candidate);
    return name;
}

QString OnScreen::InkName(const QColor& ink, const QColor& fill) {
    if (Distance(ink.rgb(), fill.rgb()) < 40)
        return Name(fill); // nothing stands out
    const auto vector = [](const QColor& c) { return QVector3D(c.redF(), c.greenF(), c.blueF()); };
    const QVector3D seen = vector(ink) - vector(fill);
    float best = 16.0f / 255; // what may be left once the blend is taken out
    QString name = ink.name();
    for (const auto& [candidate, value] : Named()) {
        const QVector3D way = vector(value) - vector(fill);
        if (way.isNull())
            continue;
        // How far along the way to this colour the ink lies: a stroke covers most of a pixel.
        const float along = QVector3D::dotProduct(seen, way) / way.lengthSquared();
        const QVector3D left = seen - along * way;
        const float off = std::max({std::abs(left.x()), std::abs(left.y()), std::abs(left.z())});
        if (along >= 0.6f && along <= 1.05f && off < best)
            std::tie(best, name) = std::pair(off, candidate);
    }
    return name;
}

QString ControlName(const QWidget* control) {
    const QString own = control->objectName();
    if (!own.isEmpty() && !own.startsWith(QLatin1String("qt_")))
        return own;
    const QString kind =
        own.isEmpty() ? QString::fromLatin1(control->metaObject()->className()) : own;
    return control->parentWidget() ? ControlName(control->parentWidget()) + u'>' + kind : kind;
}

QList<DrawnText> DrawnTexts(QWidget* control) {
    QList<DrawnText> texts;
    for (const TextEngine::Run& run : Runs(control))
        texts << run.drawn;
    return texts;
}

QString CaptionLooks(QWidget* frame, int height) {
    return OnScreen(frame->window()).looks(frame, QRect(0, 0, frame->width(), height)) +
           (DrawnBold(frame) ? " bold" : "");
}

QStringList CutTexts(QWidget* window) {
    QStringList cut;
    QList<QWidget*> controls = window->findChildren<QWidget*>();
    controls.prepend(window);
    for (QWidget* control : controls) {
        if (!control->isVisible() || control->size().isEmpty())
            continue;
        // The part of the control that its parents leave visible, in its own coordinates.
        QRectF room = control->rect();
        for (const QWidget* up = control; !up->isWindow(); up = up->parentWidget())
            room &= QRect(control->mapFrom(up->parentWidget(), QPoint(0, 0)),
                          up->parentWidget()->size());
        if (const auto* label = qobject_cast<const QLabel*>(control))
            room &= label->contentsRect();
        const auto* area = qobject_cast<const QAbstractScrollArea*>(control->parentWidget());
        const bool across = area && area->viewport() == control; // its lines scroll up and down
        // The whole text a run belongs to, where there is one (a caption split at its mnemonic).
        const QString whole = control->property("text").toString();
        for (const TextEngine::Run& run : Runs(control)) {
            const QRectF allowed = run.clip.isNull() ? room : room & run.clip;
            const QRectF& ink = run.drawn.ink;
            // Antialiased glyph edges may reach up to a pixel past the text's box.
            const qreal up = across ? 1e9 : 1;
            if (allowed.adjusted(-1, -up, 1, up).contains(ink) &&
                !run.drawn.text.contains(QChar(0x2026))) // not shortened with "..."
                continue;
            cut << QStringLiteral("%1 \"%2\" (%3%4 pt): ink %5 in %6")
                       .arg(ControlName(control), whole.isEmpty() ? run.drawn.text : whole,
                            run.drawn.font.bold() ? QStringLiteral("bold ") : QString())
                       .arg(run.drawn.font.pointSizeF())
                       .arg(Extent(QRectF(ink.toAlignedRect())), Extent(allowed));
        }
    }
    cut.removeDuplicates();
    return cut;
}

} // namespace dvq3test
