#pragma once

#include "platform/Error.h"
#include "sheets/BitmapDC.h"
#include "sheets/PolarPoint.h"
#include "sheets/ScanItem.h"
#include "sheets/ScanSupport.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace dvq3 {

// The box test at p: the dark pixels of the (n+1) x (n+1) square from p to p + (n, n).
struct BoxTest {
    bool hit = false;
    int count = 0; // the dark pixels counted (LastBoxCount)
};
// A registration box (n = 6) needs more than 30 % of n * n dark pixels, a bubble (n = 14) more
// than 5 %.
[[nodiscard]] BoxTest IsBox(const BitmapDC& dc, PolarPoint p, int n);

// The top-left registration box, in image coordinates, searched in columns 0 to 160 and rows 0
// to 200 of the prepared image: wherever it lies when the sheet is turned up to 3 degrees,
// shifted up to 40 pixels or printed at 85 to 110 %. Hits on anything but a square box of its
// size (a round mark, a speck, a dark margin) are passed over; a box cut by the image's edge is
// found (and the sheet then refused).
[[nodiscard]] std::optional<PolarPoint> FindAnchorBox(const BitmapDC& dc);
// The top-right registration box relative to the anchor box, searched alike from 640 columns to
// its right to 900 or the image's last column (a sheet printed at 83 to 116 %, so that one at
// another size is told so), and from 88 rows above it to 112 below; its theta is the sheet
// angle.
[[nodiscard]] std::optional<PolarPoint> FindReferenceBox(BitmapDC dc, PolarPoint anchor);

// One bubble test while a field is read, for the debug view.
struct BubbleProbe {
    int field = 0;  // index into the layout
    int bubble = 0; // 0-based bubble of the field
    QPoint image;   // tested position in image coordinates
    int count = 0;  // dark pixels found
};
using BubbleWatcher = std::function<void(const BubbleProbe&)>;

// One bubble as read: its dark pixels (those the box test counts) and the pixels holding any
// ink, a light pencil mark's included, of the same 15 x 15 square; marked by the box test.
struct BubbleRead {
    int darkness = 0;
    int ink = 0;
    bool marked = false;
};

// What one field gave.
struct FieldRead {
    QString value;    // the digit, choice or count; "N" or "0" when unmarked
    int darkness = 0; // dark pixels of the bubble used, 0 when unmarked
    int marks = 0;    // bubbles marked
    // For the staff member to check: the chosen mark is faint, or no bubble is marked but one is
    // clearly partly filled, or a bubble beside the chosen one holds a partial mark. The value
    // is read by the same rules either way.
    bool doubtful = false;
    std::vector<BubbleRead> bubbles;
    bool multiple() const { return marks > 1; }
};

// Where a field's bubbles lie on the scanned sheet, relative to the anchor box: the printed
// positions turned by the sheet angle and scaled by the sheet's scale about the anchor box.
[[nodiscard]] std::vector<QPoint> SheetBubbles(const ScanItem& item, int index, float sheetTheta,
                                               float sheetScale);

// The field at layout index `index` read from dc (origin at the anchor box) at its bubbles.
[[nodiscard]] FieldRead ReadDigitColumn(const BitmapDC& dc, const std::vector<QPoint>& bubbles,
                                        int index = 0, const BubbleWatcher& watch = {});
[[nodiscard]] FieldRead ReadChoiceRow(const BitmapDC& dc, const std::vector<QPoint>& bubbles,
                                      int index = 0, const BubbleWatcher& watch = {});
[[nodiscard]] FieldRead ReadCountRow(const BitmapDC& dc, const std::vector<QPoint>& bubbles,
                                     int index = 0, const BubbleWatcher& watch = {});

// What the scan fills a new client's record with (list positions as numbers, 0 = N/A).
struct ScanClientValues {
    QString Age;
    int Gender = 0;
    int Race = 0;
    int Education = 0;
    int Marital = 0;
    QString DUIArrests;
    QString AlcoholArrests;
    QString DrugArrests;
    QString Responses; // 100 answer digits, "0" for no answer
};

struct FieldDecode {
    QString LocationName;
    FieldRead read;
};

// A whole sheet read.
struct SheetDecode {
    PolarPoint AnchorBox; // image coordinates
    PolarPoint RefBox;    // relative to the anchor box
    float SheetTheta = 0;
    float SheetScale = 1; // the boxes' distance over their printed distance; 1 within a pixel
    std::vector<FieldDecode> fields;    // one per layout record, in layout order
    std::vector<ScanItem> positions;    // the layout with x and y as computed (written back)
    std::vector<QString> MultiNames;    // fields with several marks, 50 characters each
    std::vector<QString> DoubtfulNames; // doubtful fields, 50 characters each
    std::vector<int> DoubtfulItems;     // the items (1 to 100) among them
    ScanClientValues client;
};

// Reads a prepared (black and white) sheet with the layout. Fails with the "Scan Error"
// message when a registration box is missing, cut by the image's edge or at a distance no
// print scale from 90 to 110 % gives, when a field lies off the image, or when the layout
// cannot be used; then nothing decoded is returned.
[[nodiscard]] Result<SheetDecode> DecodeSheet(const BitmapDC& image,
                                              const std::vector<ScanItem>& layout,
                                              const BubbleWatcher& watch = {});

// The warning about multiply-marked fields, or nothing when there were none.
[[nodiscard]] std::optional<ScanMessage> MultipleMarksWarning(const std::vector<QString>& names);
// The scan's warning: the multiple-mark warning followed by the doubtful fields not already
// named in it; nothing when there is neither.
[[nodiscard]] std::optional<ScanMessage> ScanSheetWarning(const std::vector<QString>& multiNames,
                                                          const std::vector<QString>& doubtful);

} // namespace dvq3
