#include "sheets/ScanItem.h"

#include "platform/QuestionDatabase.h"
#include "sheets/ScanMessages.h"

#include <cmath>

namespace dvq3 {
namespace {

Error LayoutFault(const Error& error) {
    return ScanError(QStringLiteral("The answer sheet layout (table ScanItem) cannot be used:\r") +
                     error.text());
}

} // namespace

FieldKind KindOfField(int index) {
    if (index == kAgeTensField || index == kAgeUnitsField)
        return FieldKind::DigitColumn;
    if (index >= kDUIArrestsField && index <= kDrugArrestsField)
        return FieldKind::CountRow;
    return FieldKind::ChoiceRow;
}

QPoint ScanItemOrigin(const ScanItem& item) {
    const PolarPoint p = PolarToRect(PolarPoint{0, 0, item.r, item.theta});
    return {p.x, p.y};
}

std::vector<QPoint> LayoutBubbles(const ScanItem& item, int index) {
    const QPoint origin = ScanItemOrigin(item);
    std::vector<QPoint> bubbles;
    if (KindOfField(index) == FieldKind::DigitColumn)
        for (int j = 0; j < item.DimY; ++j)
            bubbles.push_back(origin + QPoint(0, j * item.dy));
    else
        for (int i = 0; i < item.dimx; ++i)
            bubbles.push_back(origin + QPoint(i * item.dx, 0));
    return bubbles;
}

Status CheckScanItems(const std::vector<ScanItem>& items) {
    if (static_cast<int>(items.size()) < kScanItemCount)
        return ScanError(QStringLiteral("The answer sheet layout (table ScanItem) holds %1 "
                                        "fields; the sheet has %2.")
                             .arg(items.size())
                             .arg(kScanItemCount));
    for (int i = 0; i < kScanItemCount; ++i) {
        const ScanItem& item = items[i];
        const int count = KindOfField(i) == FieldKind::DigitColumn ? item.DimY : item.dimx;
        const int spacing = KindOfField(i) == FieldKind::DigitColumn ? item.dy : item.dx;
        if (count < 1 || count > kMaxBubbles || spacing < 0 || spacing > 850 ||
            !(std::abs(item.r) <= 2000.0F) || !(std::abs(item.theta) <= 360.0F))
            return ScanError(QStringLiteral("The answer sheet layout (table ScanItem) is damaged "
                                            "at field %1 (%2).")
                                 .arg(i + 1)
                                 .arg(item.LocationName.trimmed()));
    }
    return {};
}

Result<std::vector<ScanItem>> ReadScanItems(const QuestionDatabase& db) {
    auto table = db.openTable(QStringLiteral("ScanItem"));
    if (!table)
        return LayoutFault(table.error());
    Recordset rs = table.value();
    for (const char* name : {"LocationName", "r", "theta", "dimx", "dx", "DimY", "dy"})
        if (!rs.hasField(QLatin1String(name)))
            return ScanError(QStringLiteral("The answer sheet layout (table ScanItem) has no "
                                            "field %1.")
                                 .arg(QLatin1String(name)));
    std::vector<ScanItem> items;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        ScanItem item;
        item.LocationName = rs.field(QStringLiteral("LocationName")).toString();
        item.r = rs.field(QStringLiteral("r")).toFloat();
        item.theta = rs.field(QStringLiteral("theta")).toFloat();
        item.x = rs.field(QStringLiteral("x")).toInt();
        item.y = rs.field(QStringLiteral("y")).toInt();
        item.dimx = rs.field(QStringLiteral("dimx")).toInt();
        item.dx = rs.field(QStringLiteral("dx")).toInt();
        item.DimY = rs.field(QStringLiteral("DimY")).toInt();
        item.dy = rs.field(QStringLiteral("dy")).toInt();
        items.push_back(item);
    }
    if (auto checked = CheckScanItems(items); !checked)
        return checked.error();
    return items;
}

Status WriteScanPositions(const QuestionDatabase& db, const std::vector<ScanItem>& items) {
    auto table = db.openTable(QStringLiteral("ScanItem"));
    if (!table)
        return LayoutFault(table.error());
    Recordset rs = table.value();
    rs.moveFirst();
    for (const ScanItem& item : items) {
        if (rs.eof())
            return ScanError(QStringLiteral("The answer sheet layout (table ScanItem) lost "
                                            "records while the sheet was read."));
        rs.edit();
        rs.setField(QStringLiteral("x"), item.x);
        rs.setField(QStringLiteral("y"), item.y);
        if (auto updated = rs.update(); !updated)
            return LayoutFault(updated.error());
        rs.moveNext();
    }
    return {};
}

} // namespace dvq3
