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

// The top-left registration box, in image coordinates, searched in columns 5 to 65 and rows 0
// to 112 of the prepared image.
[[nodiscard]] std::optional<PolarPoint> FindAnchorBox(const BitmapDC& dc);
// The top-right registration box relative to the anchor box; its theta is the sheet angle.
// The search keeps every box test inside the image, so the page edge is never taken for ink.
[[nodiscard]] std::optional<PolarPoint> FindReferenceBox(BitmapDC dc, PolarPoint anchor);

// One bubble test while a field is read, for the debug view.
struct BubbleProbe {
    int field = 0;  // index into the layout
    int bubble = 0; // 0-based bubble of the field
    QPoint image;   // tested position in image coordinates
    int count = 0;  // dark pixels found
};
using BubbleWatcher = std::function<void(const BubbleProbe&)>;

// What one field gave.
struct FieldRead {
    QString value;    // the digit, choice or count; "N" or "0" when unmarked
    int darkness = 0; // dark pixels of the bubble used, 0 when unmarked
    int marks = 0;    // bubbles marked
    bool multiple() const { return marks > 1; }
};

// The field at layout index `index` read from dc (origin at the anchor box). The field's
// origin and its bubble offsets are turned by the sheet angle about the anchor box.
[[nodiscard]] FieldRead ReadDigitColumn(const BitmapDC& dc, const ScanItem& item, float sheetTheta,
                                        int index = 0, const BubbleWatcher& watch = {});
[[nodiscard]] FieldRead ReadChoiceRow(const BitmapDC& dc, const ScanItem& item, float sheetTheta,
                                      int index = 0, const BubbleWatcher& watch = {});
[[nodiscard]] FieldRead ReadCountRow(const BitmapDC& dc, const ScanItem& item, float sheetTheta,
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
    std::vector<FieldDecode> fields; // one per layout record, in layout order
    std::vector<ScanItem> positions; // the layout with x and y as computed (written back)
    std::vector<QString> MultiNames; // fields with several marks, 50 characters each
    ScanClientValues client;
};

// Reads a prepared (black and white) sheet with the layout. Fails with the "Scan Error"
// message when a registration box is missing or the layout cannot be used; then nothing
// decoded is returned.
[[nodiscard]] Result<SheetDecode> DecodeSheet(const BitmapDC& image,
                                              const std::vector<ScanItem>& layout,
                                              const BubbleWatcher& watch = {});

// The warning about multiply-marked fields, or nothing when there were none.
[[nodiscard]] std::optional<ScanMessage> MultipleMarksWarning(const std::vector<QString>& names);

} // namespace dvq3
