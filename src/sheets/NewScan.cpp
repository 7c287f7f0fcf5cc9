#include "sheets/NewScan.h"

#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ScanMessages.h"

#include <QRect>

#include <algorithm>
#include <array>
#include <cmath>

namespace dvq3 {
namespace {

constexpr int kRegistrationBox = 6;
constexpr int kBubbleBox = 14;
constexpr int kNameLength = 50;

// Where the registration boxes are looked for: image columns and rows for the anchor box,
// columns and rows relative to it for the reference box.
constexpr int kAnchorRight = 160;
constexpr int kAnchorBottom = 200;
constexpr int kRefLeft = 640;
constexpr int kRefRight = 900;
constexpr int kRefTop = -88;
constexpr int kRefBottom = 112;
// A registration box as scanned (12 pixels a side at 100 %, turned a little, blurred): its
// dark pixels span this many pixels each way, and fill its corners, which a round mark leaves
// white. Fewer dark pixels are a speck.
constexpr int kBoxSmallest = 8;
constexpr int kBoxLargest = 18;
constexpr int kSpeck = 12;

// Print scales read (percent of the boxes' printed distance), and how far from the printed
// distance the boxes may be found on a sheet at 100 %: the found corners are whole pixels, and
// within this the sheet is read unscaled, exactly as printed.
constexpr int kLowestScale = 90;
constexpr int kHighestScale = 110;
constexpr float kUnscaledSlack = 1.5F;

// A pixel holds ink from this level on: a light pencil mark (grey 140 to 160) does, erasure
// residue (grey 205) does not.
constexpr int kLightInk = 72;
// Of a bubble's 15 x 15 square: a mark filling less than this is partial (a well filled bubble
// gives well over 100), and ink over this much of it fills it clearly in part.
constexpr int kSolidMark = 45;
constexpr int kPartlyFilled = 20;
// Doubtful fields named in the warning; the rest are only counted.
constexpr int kDoubtfulListed = 10;

bool OnImage(const BitmapDC& dc, int x, int y) {
    x += dc.viewportX();
    y += dc.viewportY();
    return x >= 0 && y >= 0 && x < dc.width() && y < dc.height();
}

// The dark pixels joined to a hit, followed no further than a box's size around it.
struct Blob {
    QRect bounds;
    int pixels = 0;
    bool atEdge = false; // reaches the image's edge: cut by it
    bool larger = false; // goes on beyond a box's size: a margin or a line, not a box
};

Blob FollowBlob(const BitmapDC& dc, QPoint seed) {
    constexpr int reach = kBoxLargest + 2, side = 2 * reach + 1;
    std::array<bool, side * side> seen{};
    Blob blob;
    std::vector<QPoint> open{seed};
    seen[reach * side + reach] = true;
    while (!open.empty()) {
        const QPoint p = open.back();
        open.pop_back();
        ++blob.pixels;
        blob.bounds |= QRect(p, QSize(1, 1));
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + step, local = q - seed + QPoint(reach, reach);
            if (!OnImage(dc, q.x(), q.y())) {
                blob.atEdge = true;
            } else if (dc.IsWhite(q.x(), q.y())) {
                continue;
            } else if (local.x() < 0 || local.y() < 0 || local.x() >= side || local.y() >= side) {
                blob.larger = true;
            } else if (!seen[local.y() * side + local.x()]) {
                seen[local.y() * side + local.x()] = true;
                open.push_back(q);
            }
        }
    }
    return blob;
}

// What a hit belongs to: a registration box (whole, or cut by the image's edge), or something
// else (a mark, a speck, a margin), which the search passes over.
enum class HitIs { Box, CutBox, Other };

HitIs Examine(const BitmapDC& dc, QPoint hit, QRect& bounds) {
    const Blob blob = FollowBlob(dc, hit);
    bounds = blob.bounds;
    const QRect& b = blob.bounds;
    if (blob.larger || b.width() > kBoxLargest || b.height() > kBoxLargest || blob.pixels < kSpeck)
        return HitIs::Other;
    if (blob.atEdge)
        return HitIs::CutBox;
    int corners = 0;
    for (const QPoint c : {b.topLeft() + QPoint(1, 1), b.topRight() + QPoint(-1, 1),
                           b.bottomLeft() + QPoint(1, -1), b.bottomRight() + QPoint(-1, -1)})
        corners += !dc.IsWhite(c.x(), c.y());
    const bool boxSized = b.width() >= kBoxSmallest && b.height() >= kBoxSmallest;
    return boxSized && corners >= 2 ? HitIs::Box : HitIs::Other;
}

// A registration box found: its position (the first hit's row, the leftmost hit's column), its
// dark pixels' bounds, and whether the image's edge cuts it.
struct BoxFound {
    PolarPoint at;
    QRect bounds;
    bool cut = false;
};

// The registration box search shared by both boxes: row by row, left to right; dark pixels
// count as candidates only once a white pixel has been seen, so the dark margin above or beside
// the page never starts a box. A hit on anything but a box (a mark, a margin) is passed over.
// The first hit on a box fixes y; later hits on the same box (not on a speck beside it) only
// move x to the left.
std::optional<BoxFound> SearchBox(const BitmapDC& dc, int left, int right, int top, int bottom) {
    bool whiteSeen = false;
    std::optional<BoxFound> box;
    std::vector<QRect> passed;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            if (dc.IsWhite(x, y)) {
                whiteSeen = true;
                continue;
            }
            if (!whiteSeen || (box && !box->bounds.contains(x, y)))
                continue;
            if (std::any_of(passed.begin(), passed.end(),
                            [x, y](const QRect& r) { return r.contains(x, y); }))
                continue;
            const PolarPoint candidate{static_cast<qint16>(x), static_cast<qint16>(y), 0, 0};
            if (!IsBox(dc, candidate, kRegistrationBox).hit)
                continue;
            if (!box) {
                QRect bounds;
                const HitIs what = Examine(dc, QPoint(x, y), bounds);
                if (what == HitIs::Other) {
                    passed.push_back(bounds);
                    continue;
                }
                box = BoxFound{candidate, bounds, what == HitIs::CutBox};
            } else if (x < box->at.x) {
                box->at.x = static_cast<qint16>(x);
            }
            box->at = RectToPolar(box->at);
        }
    return box;
}

std::optional<BoxFound> SearchAnchorBox(const BitmapDC& dc) {
    return SearchBox(dc, 0, kAnchorRight, 0, kAnchorBottom);
}

// Relative to the anchor box; to the image's last column, so that a box cut by its right edge
// is seen (the box test counts beyond the edge as dark, the blob then tells a cut box).
std::optional<BoxFound> SearchReferenceBox(BitmapDC dc, PolarPoint anchor) {
    dc.SetViewportOrg(anchor.x, anchor.y);
    const int right = std::min(kRefRight, dc.width() - 1 - anchor.x);
    const int top = std::max(-static_cast<int>(anchor.y), kRefTop);
    return SearchBox(dc, kRefLeft, right, top, kRefBottom);
}

Error OffGlass() {
    return ScanError(SheetOffGlassText());
}

// The ink of one bubble's square, and whether its marks call for a look by the staff member.
BubbleRead ReadBubble(const BitmapDC& dc, QPoint at, const BoxTest& test) {
    BubbleRead read{test.count, 0, test.hit};
    for (int y = at.y(); y <= at.y() + kBubbleBox; ++y)
        for (int x = at.x(); x <= at.x() + kBubbleBox; ++x)
            if (dc.InkLevel(x, y) >= kLightInk)
                ++read.ink;
    return read;
}

bool Doubtful(const FieldRead& read, int chosen) {
    if (chosen >= 0 && read.darkness < kSolidMark)
        return true; // a faint mark chosen
    // A partial mark beside the chosen one (a mark itself or not), or with none chosen.
    for (int i = 0; i < static_cast<int>(read.bubbles.size()); ++i) {
        const BubbleRead& b = read.bubbles[i];
        if (i != chosen && b.darkness < kSolidMark && (b.ink >= kPartlyFilled || b.marked))
            return true;
    }
    return false;
}

// Tests every bubble; the darkest marked bubble wins, the lower index on equal darkness.
// Returns the winner's index, or -1 when nothing is marked.
int ReadBubbles(const BitmapDC& dc, const std::vector<QPoint>& bubbles, int index,
                const BubbleWatcher& watch, FieldRead& read) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(bubbles.size()); ++i) {
        const PolarPoint p{static_cast<qint16>(bubbles[i].x()), static_cast<qint16>(bubbles[i].y()),
                           0, 0};
        const BoxTest test = IsBox(dc, p, kBubbleBox);
        if (watch)
            watch(BubbleProbe{index, i, bubbles[i] + QPoint(dc.viewportX(), dc.viewportY()),
                              test.count});
        read.bubbles.push_back(ReadBubble(dc, bubbles[i], test));
        if (!test.hit)
            continue;
        ++read.marks;
        if (best < 0 || test.count > read.darkness) {
            best = i;
            read.darkness = test.count;
        }
    }
    read.doubtful = Doubtful(read, best);
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
    const auto found = SearchAnchorBox(dc);
    return found ? std::optional(found->at) : std::nullopt;
}

std::optional<PolarPoint> FindReferenceBox(BitmapDC dc, PolarPoint anchor) {
    const auto found = SearchReferenceBox(dc, anchor);
    return found ? std::optional(found->at) : std::nullopt;
}

std::vector<QPoint> SheetBubbles(const ScanItem& item, int index, float sheetTheta,
                                 float sheetScale) {
    const bool column = KindOfField(index) == FieldKind::DigitColumn;
    const PolarPoint origin =
        PolarToRect(PolarPoint{0, 0, item.r * sheetScale, item.theta + sheetTheta});
    // The bubble's square is scaled about its centre, half a square from its corner.
    const int centring = qRound((kBubbleBox + 1) / 2.0F * (sheetScale - 1));
    const int count = column ? item.DimY : item.dimx;
    const int spacing = column ? item.dy : item.dx;
    const float direction = column ? sheetTheta + 90.0F : sheetTheta;
    std::vector<QPoint> bubbles;
    for (int i = 0; i < std::clamp(count, 0, kMaxBubbles); ++i) {
        const PolarPoint offset = PolarToRect(PolarPoint{
            0, 0, static_cast<float>(i) * static_cast<float>(spacing) * sheetScale, direction});
        bubbles.emplace_back(origin.x + offset.x + centring, origin.y + offset.y + centring);
    }
    return bubbles;
}

FieldRead ReadDigitColumn(const BitmapDC& dc, const std::vector<QPoint>& bubbles, int index,
                          const BubbleWatcher& watch) {
    FieldRead read;
    const int best = ReadBubbles(dc, bubbles, index, watch, read);
    read.value = best < 0 ? QStringLiteral("N") : QString::number(best);
    return read;
}

FieldRead ReadChoiceRow(const BitmapDC& dc, const std::vector<QPoint>& bubbles, int index,
                        const BubbleWatcher& watch) {
    FieldRead read;
    const int best = ReadBubbles(dc, bubbles, index, watch, read);
    read.value = QString::number(best + 1);
    return read;
}

FieldRead ReadCountRow(const BitmapDC& dc, const std::vector<QPoint>& bubbles, int index,
                       const BubbleWatcher& watch) {
    FieldRead read;
    const int best = ReadBubbles(dc, bubbles, index, watch, read);
    read.value = QString::number(std::max(best, 0));
    return read;
}

Result<SheetDecode> DecodeSheet(const BitmapDC& image, const std::vector<ScanItem>& layout,
                                const BubbleWatcher& watch) {
    BitmapDC dc = image;
    dc.SetViewportOrg(0, 0);
    const std::optional<BoxFound> anchorFound = SearchAnchorBox(dc);
    if (!anchorFound)
        return ScanError(QStringLiteral("Anchor Box not found"));
    // A sheet lying partly off the glass has its box cut: its corner is not where it was printed.
    if (anchorFound->cut)
        return OffGlass();
    const PolarPoint& anchor = anchorFound->at;
    const std::optional<BoxFound> refFound = SearchReferenceBox(dc, anchor);
    if (!refFound)
        return ScanError(QStringLiteral("Reference Box not found"));
    if (refFound->cut)
        return OffGlass();
    const PolarPoint& ref = refFound->at;
    BitmapDC fromAnchor = dc;
    fromAnchor.SetViewportOrg(anchor.x, anchor.y);
    // Fields are found from the boxes' distance as printed at 90 to 110 % ("fit to page", or
    // scanned at another resolution); beyond that the sheet is refused rather than guessed at.
    const int percent = qRound(100 * ref.r / kRefBoxOffset);
    if (percent < kLowestScale || percent > kHighestScale)
        return ScanError(SheetScaleText(percent));
    if (auto usable = CheckScanItems(layout); !usable)
        return usable.error();

    SheetDecode sheet;
    sheet.AnchorBox = anchor;
    sheet.RefBox = ref;
    sheet.SheetTheta = ref.theta;
    sheet.SheetScale = std::abs(ref.r - static_cast<float>(kRefBoxOffset)) <= kUnscaledSlack
                           ? 1.0F
                           : ref.r / static_cast<float>(kRefBoxOffset);
    std::vector<std::vector<QPoint>> bubbles;
    for (int i = 0; i < kScanItemCount; ++i) {
        bubbles.push_back(SheetBubbles(layout[i], i, sheet.SheetTheta, sheet.SheetScale));
        // Beyond the image every pixel reads as ink: a field there would read as marked.
        for (const QPoint& b : bubbles.back())
            if (!OnImage(fromAnchor, b.x(), b.y()) ||
                !OnImage(fromAnchor, b.x() + kBubbleBox, b.y() + kBubbleBox))
                return OffGlass();
    }
    QString age;
    for (int i = 0; i < kScanItemCount; ++i) {
        ScanItem item = layout[i];
        const QPoint origin = ScanItemOrigin(item);
        item.x = origin.x();
        item.y = origin.y();
        FieldRead read;
        switch (KindOfField(i)) {
        case FieldKind::DigitColumn:
            read = ReadDigitColumn(fromAnchor, bubbles[i], i, watch);
            age += read.value;
            break;
        case FieldKind::ChoiceRow:
            read = ReadChoiceRow(fromAnchor, bubbles[i], i, watch);
            break;
        case FieldKind::CountRow:
            read = ReadCountRow(fromAnchor, bubbles[i], i, watch);
            break;
        }
        if (read.multiple())
            sheet.MultiNames.push_back(Padded(item.LocationName));
        if (read.doubtful) {
            sheet.DoubtfulNames.push_back(Padded(item.LocationName));
            if (i >= kFirstItemField)
                sheet.DoubtfulItems.push_back(i - kFirstItemField + 1);
        }
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

std::optional<ScanMessage> ScanSheetWarning(const std::vector<QString>& multiNames,
                                            const std::vector<QString>& doubtful) {
    std::optional<ScanMessage> warning = MultipleMarksWarning(multiNames);
    QStringList listed;
    for (const QString& name : doubtful) {
        const QString trimmed = name.trimmed();
        const bool named = std::any_of(multiNames.begin(), multiNames.end(),
                                       [&](const QString& m) { return m.trimmed() == trimmed; });
        if (!trimmed.isEmpty() && !named && !listed.contains(trimmed))
            listed << trimmed;
    }
    if (listed.isEmpty())
        return warning;
    QString text = DoubtfulMarksText();
    for (int i = 0; i < listed.size() && i < kDoubtfulListed; ++i)
        text += QStringLiteral("     ") + listed[i] + u'\r';
    if (listed.size() > kDoubtfulListed)
        text += DoubtfulMoreText(static_cast<int>(listed.size()) - kDoubtfulListed);
    if (!warning)
        return ScanMessage{QStringLiteral("Scan sheet Answers"), text};
    warning->text +=
        (warning->text.endsWith(u'\r') ? QStringLiteral("\r") : QStringLiteral("\r\r")) + text;
    return warning;
}

} // namespace dvq3
