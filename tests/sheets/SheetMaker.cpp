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
        painter.setBrush(mark.ink ? QColor(25, 35, 110) : QColor(mark.grey, mark.grey, mark.grey));
        const double radius = 6.5 * mark.size;
        painter.drawEllipse(dvq3::BubbleCentreOnPage(at) + QPointF(jitter(random), jitter(random)),
                            radius, radius * 0.9);
    }
}

QImage Scanned(const QImage& page, const Scan& scan) {
    QImage out(page.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    const QPointF centre(page.width() / 2.0, page.height() / 2.0), turn = scan.pivot;
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(QTransform()
                             .translate(scan.shift.x() + turn.x(), scan.shift.y() + turn.y())
                             .rotate(scan.angle)
                             .translate(centre.x() - turn.x(), centre.y() - turn.y())
                             .scale(scan.scale, scan.scale)
                             .translate(-centre.x(), -centre.y()));
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
    Filled filled;
    for (int field = 0; field < dvq3::kScanItemCount; ++field) {
        const dvq3::FieldKind kind = dvq3::KindOfField(field);
        const int count = static_cast<int>(dvq3::LayoutBubbles(Layout()[field], field).size());
        const int pick = static_cast<int>(random() % (count + 1)) - 1; // -1: left blank
        const int style = doubles ? static_cast<int>(random() % 6) : 0, other = (pick + 1) % count;
        QString value = kind == dvq3::FieldKind::DigitColumn ? "N" : "0";
        if (pick >= 0) {
            const int grey = 40 + static_cast<int>(random() % 90);
            filled.marks.push_back({field, pick, grey, 1.0, style == 1});
            value = QString::number(kind == dvq3::FieldKind::ChoiceRow ? pick + 1 : pick);
        }
        if (style == 2 || (style == 3 && pick < 0)) // erasure residue is not a mark
            filled.marks.push_back({field, other, 205});
        if (style == 4 && pick >= 0) { // a faint second mark: read, reported, not chosen
            filled.marks.push_back({field, other, 90, 0.55});
            value += u'*';
        }
        filled.values.push_back(value);
    }
    return filled;
}

int FirstWrongField(const dvq3::SheetDecode& sheet, const Filled& filled) {
    for (int f = 0; f < dvq3::kScanItemCount; ++f) {
        const dvq3::FieldRead& read = sheet.fields[f].read;
        if (read.value + (read.multiple() ? "*" : "") != filled.values[f])
            return f;
    }
    return -1;
}

} // namespace sheettest
