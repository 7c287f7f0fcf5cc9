#include "sheets/AnswerSheetDrawing.h"

#include "platform/DriveFile.h"
#include "sheets/ScanMessages.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace dvq3 {
namespace {

constexpr int kTrueFalseItems = 29;

// Captions and legends, each at a position relative to its field's first bubble.
struct Caption {
    int field;
    QPoint offset;
    const char* text;
};

constexpr Caption kCaptions[] = {
    {kAgeTensField, {-4, -20}, "Age"},
    {kGenderField, {0, -17}, "Gender"},
    {kGenderField, {0, 19}, "1 Male    2 Female"},
    {kRaceField, {0, -17}, "Race"},
    {kRaceField, {0, 19}, "1 Caucasian    2 Black    3 Hispanic"},
    {kRaceField, {0, 31}, "4 Asian    5 Native American    6 Other"},
    {kEducationField, {0, -17}, "Education"},
    {kEducationField, {0, 19}, "1 8th grade or less    2 Partial H.S.    3 G.E.D."},
    {kEducationField,
     {0, 31},
     "4 H.S. graduate    5 Partial college    6 Trade or technical school"},
    {kEducationField, {0, 43}, "7 College graduate    8 Advanced degree"},
    {kMaritalField, {0, -17}, "Marital status"},
    {kMaritalField, {0, 19}, "1 Single    2 Married    3 Divorced"},
    {kMaritalField, {0, 31}, "4 Separated    5 Widowed"},
    {kDUIArrestsField, {0, -37}, "Lifetime arrests (mark 0 to 9)"},
    {kDUIArrestsField, {0, -17}, "DUI/DWI arrests"},
    {kAlcoholArrestsField, {0, -17}, "Alcohol-related arrests"},
    {kDrugArrestsField, {0, -17}, "Drug-related arrests"},
    {kFirstItemField,
     {-40, -30},
     "Answers.  Items 1 to 29: T = True, F = False.  Items 30 to 100: "
     "mark 1, 2, 3 or 4 as the question booklet shows."},
};

QFont SheetFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPoint OnPage(QPoint relative) {
    return kAnchorBoxOnPage + relative;
}

QString BubbleLabel(int field, int bubble) {
    if (field >= kFirstItemField)
        return field - kFirstItemField + 1 <= kTrueFalseItems ? QString(bubble == 0 ? u'T' : u'F')
                                                              : QString::number(bubble + 1);
    if (KindOfField(field) == FieldKind::ChoiceRow)
        return QString::number(bubble + 1);
    return QString::number(bubble);
}

} // namespace

QPointF BubbleCentreOnPage(QPoint relative) {
    const QPoint page = OnPage(relative);
    return {page.x() + (kBubbleTestSize - 1) / 2.0 + 0.5,
            page.y() + (kBubbleTestSize - 1) / 2.0 + 0.5};
}

void DrawRegistrationBoxes(QPainter& painter) {
    const QSize box(kRegistrationBoxSize, kRegistrationBoxSize);
    painter.fillRect(QRect(kAnchorBoxOnPage, box), Qt::black);
    painter.fillRect(QRect(kAnchorBoxOnPage + QPoint(kRefBoxOffset, 0), box), Qt::black);
}

void DrawBubbles(QPainter& painter, const std::vector<ScanItem>& layout) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kDropOutColour, 1.2));
    painter.setBrush(Qt::NoBrush);
    const double radius = kBubbleDiameter / 2.0;
    for (int field = 0; field < static_cast<int>(layout.size()) && field < kScanItemCount; ++field)
        for (const QPoint& bubble : LayoutBubbles(layout[field], field))
            painter.drawEllipse(BubbleCentreOnPage(bubble), radius, radius);
    painter.restore();
}

void DrawAnswerSheet(QPainter& painter, const std::vector<ScanItem>& layout) {
    DrawRegistrationBoxes(painter);
    DrawBubbles(painter, layout);
    painter.save();
    painter.setPen(kDropOutColour);
    const QRect top(0, 44, kSheetWidth, 24);
    painter.setFont(SheetFont(17, true));
    painter.drawText(top, Qt::AlignCenter, QStringLiteral("DVQ-III Answer Sheet"));
    painter.setFont(SheetFont(10));
    painter.drawText(QRect(0, 72, kSheetWidth, 14), Qt::AlignCenter,
                     QStringLiteral("Print this page at 100 % scale (actual size) and scan it "
                                    "at 100 dots per inch, laid against the corner of the glass."));
    painter.drawText(QRect(0, 88, kSheetWidth, 14), Qt::AlignCenter, kSheetMarkingText);
    painter.setFont(SheetFont(12, true));
    painter.drawText(QPoint(60, 140), QStringLiteral("Name"));
    painter.drawLine(QPoint(110, 141), QPoint(700, 141));

    const int fields = std::min<int>(static_cast<int>(layout.size()), kScanItemCount);
    painter.setFont(SheetFont(11, true));
    for (const Caption& caption : kCaptions)
        if (caption.field < fields) {
            if (caption.offset.y() > 0)
                painter.setFont(SheetFont(10));
            else
                painter.setFont(SheetFont(11, true));
            const QPoint at = OnPage(ScanItemOrigin(layout[caption.field])) + caption.offset;
            painter.drawText(at + QPoint(0, 10), QString::fromUtf8(caption.text));
        }

    painter.setFont(SheetFont(9));
    for (int field = 0; field < fields; ++field) {
        const std::vector<QPoint> bubbles = LayoutBubbles(layout[field], field);
        for (int b = 0; b < static_cast<int>(bubbles.size()); ++b) {
            const QPointF centre = BubbleCentreOnPage(bubbles[b]);
            painter.drawText(QRectF(centre - QPointF(7, 7), QSizeF(14, 14)), Qt::AlignCenter,
                             BubbleLabel(field, b));
        }
    }
    painter.setFont(SheetFont(11, true));
    for (int field = kFirstItemField; field < fields; ++field) {
        const QPoint first = OnPage(ScanItemOrigin(layout[field]));
        painter.drawText(QRect(first.x() - 42, first.y(), 36, kBubbleTestSize),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(field - kFirstItemField + 1));
    }
    painter.restore();
}

Status WriteAnswerSheetPdf(const std::vector<ScanItem>& layout, const QString& file) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setTitle(QStringLiteral("DVQ-III Answer Sheet"));
    writer.setResolution(100);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        return Error::Refusal(QStringLiteral("cannot write %1").arg(file));
    DrawAnswerSheet(painter, layout);
    if (!painter.end())
        return Error::Refusal(QStringLiteral("cannot write %1").arg(file));
    // Put in place whole: a full disk leaves no cut-off sheet behind.
    if (auto written = ReplaceFile(file, pdf.data()); !written)
        return Error::Refusal(
            QStringLiteral("cannot write %1 (%2)").arg(file, written.error().text()));
    return {};
}

} // namespace dvq3
