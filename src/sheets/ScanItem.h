#pragma once

#include "platform/Error.h"
#include "sheets/PolarPoint.h"

#include <QPoint>
#include <QString>

#include <vector>

namespace dvq3 {

class QuestionDatabase;

// One field of the answer sheet: a record of the question database's table "ScanItem". The
// first bubble lies at (x, y) relative to the anchor box, which the polar position (r, theta)
// gives; a row field has dimx bubbles dx apart to the right, a column field DimY bubbles dy
// apart downwards.
struct ScanItem {
    QString LocationName;
    float r = 0;
    float theta = 0;
    int x = 0;
    int y = 0;
    int dimx = 0;
    int dx = 0;
    int DimY = 0;
    int dy = 0;
};

// The records the reader expects, in stored order.
inline constexpr int kScanItemCount = 109;
inline constexpr int kAgeTensField = 0;
inline constexpr int kAgeUnitsField = 1;
inline constexpr int kGenderField = 2;
inline constexpr int kRaceField = 3;
inline constexpr int kEducationField = 4;
inline constexpr int kMaritalField = 5;
inline constexpr int kDUIArrestsField = 6;
inline constexpr int kAlcoholArrestsField = 7;
inline constexpr int kDrugArrestsField = 8;
inline constexpr int kFirstItemField = 9; // item n is field kFirstItemField + n - 1
// More bubbles than this in one field means a damaged layout, not a sheet.
inline constexpr int kMaxBubbles = 40;

enum class FieldKind { DigitColumn, ChoiceRow, CountRow };
[[nodiscard]] FieldKind KindOfField(int index);

// The title of every box that ends a scan before anything decoded is used.
inline constexpr const char* kScanErrorTitle = "Scan Error";

// The first bubble's position from the polar position, as the reader computes it.
[[nodiscard]] QPoint ScanItemOrigin(const ScanItem& item);
// Every bubble's position relative to the anchor box on a straight sheet (what is printed).
[[nodiscard]] std::vector<QPoint> LayoutBubbles(const ScanItem& item, int index);

// A layout the reader can use: at least kScanItemCount records with sane bubble counts.
// The error's text is the "Scan Error" message.
Status CheckScanItems(const std::vector<ScanItem>& items);

// Reads table "ScanItem" in stored order and checks it.
[[nodiscard]] Result<std::vector<ScanItem>> ReadScanItems(const QuestionDatabase& db);
// Writes each record's x and y back (the positions the last scan computed).
Status WriteScanPositions(const QuestionDatabase& db, const std::vector<ScanItem>& items);

} // namespace dvq3
