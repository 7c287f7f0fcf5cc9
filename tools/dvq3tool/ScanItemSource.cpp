#include "ScanItemSource.h"

#include "BlockFile.h"
#include "platform/QuestionDatabase.h"
#include "sheets/PolarPoint.h"

namespace dvq3tool {

ScanItemSource ReadScanItemSource(const QString& path) {
    ScanItemSource source;
    auto text = ReadSourceText(path);
    if (!text) {
        source.error = text.error().text();
        return source;
    }
    const QStringList lines = text.value().split(u'\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto fail = [&](const QString& what) {
            source.error = QStringLiteral("%1:%2: %3").arg(path).arg(n + 1).arg(what);
            source.items.clear();
            return source;
        };
        const QStringList cells = line.split(u'|');
        if (cells.size() != 7)
            return fail(QStringLiteral("expected 7 columns separated by '|'"));
        dvq3::ScanItem item;
        item.LocationName = cells[0].trimmed();
        int values[6];
        for (int c = 0; c < 6; ++c) {
            bool ok = false;
            values[c] = cells[c + 1].trimmed().toInt(&ok);
            if (!ok)
                return fail(QStringLiteral("column %1 is not a whole number").arg(c + 2));
        }
        if (item.LocationName.isEmpty() || item.LocationName.size() > 50)
            return fail(QStringLiteral("LocationName must have 1 to 50 characters"));
        item.x = values[0];
        item.y = values[1];
        item.dimx = values[2];
        item.dx = values[3];
        item.DimY = values[4];
        item.dy = values[5];
        if (item.x < 0 || item.y <= 0 || item.x > 850 || item.y > 1100)
            return fail(QStringLiteral("x must lie in 0..850 and y in 1..1100"));
        const dvq3::PolarPoint polar = dvq3::RectToPolar(
            dvq3::PolarPoint{static_cast<qint16>(item.x), static_cast<qint16>(item.y), 0, 0});
        item.r = polar.r;
        item.theta = polar.theta;
        const dvq3::PolarPoint back = dvq3::PolarToRect(polar);
        if (back.x != item.x || back.y != item.y)
            return fail(QStringLiteral("the polar position gives (%1, %2), not (x, y)")
                            .arg(back.x)
                            .arg(back.y));
        source.items.push_back(item);
    }
    if (source.items.empty())
        source.error = QStringLiteral("%1: no records").arg(path);
    return source;
}

dvq3::Status BuildScanItemTable(const dvq3::QuestionDatabase& db, const QString& path) {
    const ScanItemSource source = ReadScanItemSource(path);
    if (!source.error.isEmpty())
        return dvq3::Error::Refusal(source.error);
    if (auto made = db.execute(QStringLiteral(
            "CREATE TABLE \"ScanItem\" (\"LocationName\" TEXT, \"r\" REAL, \"theta\" REAL, "
            "\"x\" INTEGER, \"y\" INTEGER, \"dimx\" INTEGER, \"dx\" INTEGER, \"DimY\" INTEGER, "
            "\"dy\" INTEGER)"));
        !made)
        return made.error();
    for (const dvq3::ScanItem& item : source.items)
        if (auto inserted = db.execute(
                QStringLiteral("INSERT INTO \"ScanItem\" VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {item.LocationName, static_cast<double>(item.r), static_cast<double>(item.theta),
                 item.x, item.y, item.dimx, item.dx, item.DimY, item.dy});
            !inserted)
            return dvq3::Error::Refusal(
                QStringLiteral("%1: %2").arg(path, inserted.error().text()));
    return {};
}

} // namespace dvq3tool
