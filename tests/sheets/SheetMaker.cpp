#include "SheetMaker.h"

#include "TestFolder.h"
#include "platform/QuestionDatabase.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ImagingControl.h"

#include <QPainter>

#include <random>

namespace sheettest {

const std::vector<dvq3::ScanItem>& Layout() {
    static const std::vector<dvq3::ScanItem> layout = [] {
        dvq3::QuestionDatabase db;
        const auto opened = db.open(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", false);
        const auto items = dvq3::ReadScanItems(db);
        return opened && items ? items.value() : std::vector<dvq3::ScanItem>{};
    }();
    return layout;
}

QImage Blank(bool captions) {
    QImage page(dvq3::kSheetWidth, dvq3::kSheetHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    if (captions)
        dvq3::DrawAnswerSheet(painter, Layout());
    else // no text: no fonts needed
        dvq3::DrawRegistrationBoxes(painter), dvq3::DrawBubbles(painter, Layout());
    return page;
}

void Fill(QImage& page, const std::vector<Mark>& marks, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(-1.5, 1.5);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Mark& mark : marks) {
        const QPoint at = dvq3::LayoutBubbles(Layout()[mark.field], mark.field)[mark.bubble];
        painter.setBrush(mark.pen.isValid() ? mark.pen : QColor(mark.grey, mark.grey, mark.grey));
        const double radius = 6.5 * mark.size;
        painter.drawEllipse(dvq3::BubbleCentreOnPage(at) + QPointF(jitter(random), jitter(random)),
                            radius, radius * 0.9);
    }
}

QTransform PageToScan(const Scan& scan) {
    return QTransform()
        .translate(scan.shift.x() + scan.pivot.x(), scan.shift.y() + scan.pivot.y())
        .rotate(scan.angle)
        .scale(scan.scale, scan.scale)
        .translate(-scan.pivot.x(), -scan.pivot.y());
}

double ScanMargin(const Scan& scan) {
    std::vector<QRectF> parts;
    for (const int right : {0, dvq3::kRefBoxOffset})
        parts.emplace_back(dvq3::kAnchorBoxOnPage + QPoint(right, 0),
                           QSizeF(dvq3::kRegistrationBoxSize, dvq3::kRegistrationBoxSize));
    for (int f = 0; f < dvq3::kScanItemCount; ++f)
        for (const QPoint& b : dvq3::LayoutBubbles(Layout()[f], f))
            parts.emplace_back(dvq3::kAnchorBoxOnPage + b,
                               QSizeF(dvq3::kBubbleTestSize, dvq3::kBubbleTestSize));
    double margin = 1e9;
    for (const QRectF& part : parts)
        for (const QPointF& corner : PageToScan(scan).map(QPolygonF(part)))
            margin = std::min({margin, corner.x(), corner.y(), dvq3::kSheetWidth - corner.x(),
                               dvq3::kSheetHeight - corner.y()});
    return margin;
}

QImage Scanned(const QImage& page, const Scan& scan) {
    QImage out(page.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(PageToScan(scan));
    painter.drawImage(0, 0, page);
    painter.resetTransform();
    for (int pass = 0; pass < scan.blur; ++pass) { // a running mean of the 3 x 3 neighbours
        const QImage sharp = out.copy();
        for (int k = 1; k < 9; ++k) {
            painter.setOpacity(1.0 / (k + 1));
            painter.drawImage(k % 3 - 1, k / 3 - 1, sharp);
        }
    }
    painter.setOpacity(1);
    std::mt19937 random(scan.speckles);
    for (int i = 0; i < scan.speckles; ++i) // one or two pixels square
        painter.fillRect(int(random() % 849), int(random() % 1099), 1 + i % 2, 1 + i % 2,
                         QColor(30, 30, 30));
    painter.end();
    return out;
}

dvq3::Result<dvq3::SheetDecode> Decode(const QImage& scan) {
    dvq3::ImagingControl lead;
    lead.setImage(scan);
    if (auto prepared = dvq3::PrepareSheetImage(lead); !prepared)
        return prepared.error();
    return dvq3::DecodeSheet(lead.GetBitmapDC(), Layout());
}

Filled RandomSheet(unsigned seed, bool doubles) {
    std::mt19937 random(seed);
    const auto between = [&random](int low, int high) {
        return low + static_cast<int>(random() % (high - low + 1));
    };
    Filled filled;
    for (int field = 0; field < dvq3::kScanItemCount; ++field) {
        const dvq3::FieldKind kind = dvq3::KindOfField(field);
        const int count = static_cast<int>(dvq3::LayoutBubbles(Layout()[field], field).size());
        const int pick = between(0, count) - 1; // -1: left blank
        const int style = doubles ? between(0, 8) : 0, other = (pick + 1) % count;
        QString value = kind == dvq3::FieldKind::DigitColumn ? "N" : "0";
        if (pick >= 0) { // in pencil, a blue ballpoint as a scanner sees it, black ink, or light
            Mark mark{field, pick, style == 6 ? between(140, 160) : between(40, 129)};
            if (style == 1 || style == 5)
                mark.pen = style == 1 ? QColor(between(20, 80), between(30, 90), between(110, 190))
                                      : QColor(between(10, 50), between(10, 50), between(10, 60));
            filled.marks.push_back(mark);
            const QString marked =
                QString::number(kind == dvq3::FieldKind::ChoiceRow ? pick + 1 : pick);
            // A light mark reads as blank (or, where specks darken it, as marked), shown for
            // review either way.
            value = style == 6 ? value + "?|" + marked + "?" : marked;
        }
        if (style == 2 || (style == 3 && pick < 0)) // erasure residue is not a mark
            filled.marks.push_back({field, other, 205});
        if (style == 4 && pick >= 0) { // a faint second mark: read, reported, not chosen
            filled.marks.push_back({field, other, 90, 0.55});
            value += "*?";
        }
        if (style == 7 && pick >= 0) { // a light second mark: not read, but shown for review
            filled.marks.push_back({field, other, between(140, 160), 0.8});
            value += u'?';
        }
        filled.values.push_back(value);
        filled.speckable.push_back(pick < 0 || style == 6);
    }
    return filled;
}

QString ReadBack(const dvq3::FieldRead& read) {
    return read.value + (read.multiple() ? "*" : "") + (read.doubtful ? "?" : "");
}

bool ReadsRight(const dvq3::SheetDecode& sheet, const Filled& filled, int f) {
    const dvq3::FieldRead& read = sheet.fields[f].read;
    for (const QString& expected : filled.values[f].split('|')) { // specks may add a flag only
        const QString value = QString(expected).remove(u'*').remove(u'?');
        if (read.value == value && (read.multiple() || !expected.contains(u'*')) &&
            (read.doubtful || !expected.contains(u'?')))
            return true;
    }
    // Specks in a blank or lightly marked field may make a mark, but only a doubtful one.
    return read.doubtful && filled.speckable[f];
}

int FirstWrongField(const dvq3::SheetDecode& sheet, const Filled& filled) {
    for (int f = 0; f < dvq3::kScanItemCount; ++f)
        if (!ReadsRight(sheet, filled, f))
            return f;
    return -1;
}

} // namespace sheettest
