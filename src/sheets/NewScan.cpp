#include "sheets/NewScan.h"

#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ScanMessages.h"

#include <algorithm>
#include <cmath>

namespace dvq3 {
namespace {

constexpr int kRegistrationBox = 6;
// How far the boxes may lie from their printed distance: within it every field still reads whole.
constexpr float kRefBoxTolerance = 5;
constexpr int kBubbleBox = 14;
constexpr int kNameLength = 50;

Error ScanError(const char* what) {
    return Error::Refusal(QLatin1String(what) + QStringLiteral("\rAborting scan."));
}

// The registration box search shared by both boxes: row by row, left to right; dark pixels
// count as candidates only once a white pixel has been seen, so the dark margin above or beside
// the page never starts a box. The first hit fixes y, later hits only move x to the left.
std::optional<PolarPoint> SearchBox(const BitmapDC& dc, int left, int right, int top, int bottom) {
    bool whiteSeen = false;
    std::optional<PolarPoint> box;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            if (dc.IsWhite(x, y)) {
                whiteSeen = true;
                continue;
            }
            if (!whiteSeen)
                continue;
            const PolarPoint candidate{static_cast<qint16>(x), static_cast<qint16>(y), 0, 0};
            if (!IsBox(dc, candidate, kRegistrationBox).hit)
                continue;
            if (!box)
                box = candidate;
            else if (x < box->x)
                box->x = static_cast<qint16>(x);
            box = RectToPolar(*box);
        }
    return box;
}

// The bubbles of a field, in anchor-box coordinates, turned by the sheet angle.
std::vector<QPoint> TurnedBubbles(const ScanItem& item, float sheetTheta, bool column) {
    const PolarPoint origin = PolarToRect(PolarPoint{0, 0, item.r, item.theta + sheetTheta});
    const int count = column ? item.DimY : item.dimx;
    const int spacing = column ? item.dy : item.dx;
    const float direction = column ? sheetTheta + 90.0F : sheetTheta;
    std::vector<QPoint> bubbles;
    for (int i = 0; i < std::clamp(count, 0, kMaxBubbles); ++i) {
        const PolarPoint offset = PolarToRect(
            PolarPoint{0, 0, static_cast<float>(i) * static_cast<float>(spacing), direction});
        bubbles.emplace_back(origin.x + offset.x, origin.y + offset.y);
    }
    return bubbles;
}

// Tests every bubble; the darkest marked bubble wins, the lower index on equal darkness.
// Returns the winner's index, or -1 when nothing is marked.
int ReadBubbles(const BitmapDC& dc, const ScanItem& item, float sheetTheta, bool column, int index,
                const BubbleWatcher& watch, FieldRead& read) {
    const std::vector<QPoint> bubbles = TurnedBubbles(item, sheetTheta, column);
    int best = -1;
    for (int i = 0; i < static_cast<int>(bubbles.size()); ++i) {
        const PolarPoint p{static_cast<qint16>(bubbles[i].x()), static_cast<qint16>(bubbles[i].y()),
                           0, 0};
        const BoxTest test = IsBox(dc, p, kBubbleBox);
        if (watch)
            watch(BubbleProbe{index, i, bubbles[i] + QPoint(dc.viewportX(), dc.viewportY()),
                              test.count});
        if (!test.hit)
            continue;
        ++read.marks;
        if (best < 0 || test.count > read.darkness) {
            best = i;
            read.darkness = test.count;
        }
    }
    return best;
}

QString Padded(const QString& name) {
    return name.left(kNameLength).leftJustified(kNameLength, u' ');
}

} // namespace

BoxTest IsBox(const BitmapDC& dc, PolarPoint p, int n) {
    BoxTest test;
    for (int y = p.y; y <= p.y + n; ++y)
        for (int x = p.x; x <= p.x + n; ++x)
            if (!dc.IsWhite(x, y))
                ++test.count;
    const double fraction = n == kRegistrationBox ? 0.3 : 0.05;
    test.hit = test.count > n * n * fraction;
    return test;
}

std::optional<PolarPoint> FindAnchorBox(const BitmapDC& dc) {
    return SearchBox(dc, std::max(5, -15), 65, 0, 112);
}

std::optional<PolarPoint> FindReferenceBox(BitmapDC dc, PolarPoint anchor) {
    dc.SetViewportOrg(anchor.x, anchor.y);
    // The last column keeps the whole 7 x 7 box test left of the image's right edge (850).
    const int right = std::min(801, 843 - anchor.x);
    const int top = std::max(-static_cast<int>(anchor.y), -88);
    return SearchBox(dc, 741, right, top, 112);
}

FieldRead ReadDigitColumn(const BitmapDC& dc, const ScanItem& item, float sheetTheta, int index,
                          const BubbleWatcher& watch) {
    FieldRead read;
    const int best = ReadBubbles(dc, item, sheetTheta, true, index, watch, read);
    read.value = best < 0 ? QStringLiteral("N") : QString::number(best);
    return read;
}

FieldRead ReadChoiceRow(const BitmapDC& dc, const ScanItem& item, float sheetTheta, int index,
                        const BubbleWatcher& watch) {
    FieldRead read;
    const int best = ReadBubbles(dc, item, sheetTheta, false, index, watch, read);
    read.value = QString::number(best + 1);
    return read;
}

FieldRead ReadCountRow(const BitmapDC& dc, const ScanItem& item, float sheetTheta, int index,
                       const BubbleWatcher& watch) {
    FieldRead read;
    const int best = ReadBubbles(dc, item, sheetTheta, false, index, watch, read);
    read.value = QString::number(std::max(best, 0));
    return read;
}

Result<SheetDecode> DecodeSheet(const BitmapDC& image, const std::vector<ScanItem>& layout,
                                const BubbleWatcher& watch) {
    BitmapDC dc = image;
    dc.SetViewportOrg(0, 0);
    const std::optional<PolarPoint> anchor = FindAnchorBox(dc);
    if (!anchor)
        return ScanError("Anchor Box not found");
    const std::optional<PolarPoint> ref = FindReferenceBox(dc, *anchor);
    if (!ref)
        return ScanError("Reference Box not found");
    // The boxes are printed a fixed distance apart. On a sheet printed or scanned at another size
    // every field lies elsewhere and would be misread, so it is refused rather than guessed at.
    if (std::abs(ref->r - kRefBoxOffset) > kRefBoxTolerance)
        return Error::Refusal(SheetScaleText(qRound(100 * ref->r / kRefBoxOffset)) +
                              QStringLiteral("\rAborting scan."));
    if (auto usable = CheckScanItems(layout); !usable)
        return usable.error();

    SheetDecode sheet;
    sheet.AnchorBox = *anchor;
    sheet.RefBox = *ref;
    sheet.SheetTheta = ref->theta;
    dc.SetViewportOrg(anchor->x, anchor->y);
    QString age;
    for (int i = 0; i < kScanItemCount; ++i) {
        ScanItem item = layout[i];
        const QPoint origin = ScanItemOrigin(item);
        item.x = origin.x();
        item.y = origin.y();
        FieldRead read;
        switch (KindOfField(i)) {
        case FieldKind::DigitColumn:
            read = ReadDigitColumn(dc, item, sheet.SheetTheta, i, watch);
            age += read.value;
            break;
        case FieldKind::ChoiceRow:
            read = ReadChoiceRow(dc, item, sheet.SheetTheta, i, watch);
            break;
        case FieldKind::CountRow:
            read = ReadCountRow(dc, item, sheet.SheetTheta, i, watch);
            break;
        }
        if (read.multiple())
            sheet.MultiNames.push_back(Padded(item.LocationName));
        if (i >= kFirstItemField)
            sheet.client.Responses += read.value;
        sheet.fields.push_back(FieldDecode{item.LocationName, read});
        sheet.positions.push_back(item);
    }
    for (int i = kScanItemCount; i < static_cast<int>(layout.size()); ++i)
        sheet.positions.push_back(layout[i]);

    ScanClientValues& client = sheet.client;
    client.Age = age.contains(u'N') ? QStringLiteral("00") : age;
    client.Gender = sheet.fields[kGenderField].read.value.toInt();
    client.Race = sheet.fields[kRaceField].read.value.toInt();
    client.Education = sheet.fields[kEducationField].read.value.toInt();
    client.Marital = sheet.fields[kMaritalField].read.value.toInt();
    client.DUIArrests = sheet.fields[kDUIArrestsField].read.value;
    client.AlcoholArrests = sheet.fields[kAlcoholArrestsField].read.value;
    client.DrugArrests = sheet.fields[kDrugArrestsField].read.value;
    return sheet;
}

std::optional<ScanMessage> MultipleMarksWarning(const std::vector<QString>& names) {
    if (names.empty())
        return std::nullopt;
    if (names.size() > 10)
        return ScanMessage{QStringLiteral("Scan Sheet Answers"),
                           QStringLiteral("Warning Many answers on this scanned answer sheet are \r"
                                          "Marked incorrectly. Please review the answer sheet to \r"
                                          "Ensure that proper answers have been scored.")};
    QString text = QStringLiteral("Warning! some items had multiple answers marked.\r"
                                  "Please review the follwing answers.\r\r");
    QString previous;
    for (const QString& name : names) {
        const QString trimmed = name.trimmed();
        if (!trimmed.isEmpty() && trimmed != previous)
            text += QStringLiteral("     ") + trimmed + u'\r';
        previous = trimmed;
    }
    return ScanMessage{QStringLiteral("Scan sheet Answers"), text};
}

} // namespace dvq3
