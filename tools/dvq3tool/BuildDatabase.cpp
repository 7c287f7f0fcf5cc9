#include "BuildDatabase.h"

#include "BlockFile.h"
#include "CommandLine.h"
#include "ScanItemSource.h"
#include "platform/DatabaseLock.h"
#include "platform/DriveFile.h"
#include "platform/QuestionDatabase.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <limits>

namespace dvq3tool {
namespace {

enum class ColumnType { Integer, Real, Text };

ColumnType TypeOf(const std::vector<Block>& blocks, int column) {
    ColumnType type = ColumnType::Integer;
    for (const Block& block : blocks) {
        const QString& value = block.fields[column].second;
        if (value.isEmpty())
            continue;
        bool ok = false;
        value.toLongLong(&ok);
        if (ok)
            continue;
        value.toDouble(&ok);
        if (!ok)
            return ColumnType::Text;
        type = ColumnType::Real;
    }
    return type;
}

QVariant ValueOf(const QString& text, ColumnType type) {
    if (text.isEmpty())
        return QVariant(type == ColumnType::Text ? QMetaType::fromType<QString>()
                                                 : QMetaType::fromType<qlonglong>());
    switch (type) {
    case ColumnType::Integer:
        return text.toLongLong();
    case ColumnType::Real:
        return text.toDouble();
    default:
        return text;
    }
}

} // namespace

dvq3::Status BuildDatabase(const QStringList& sources, const QString& output) {
    // A station's database is not replaced under it, and is refused before anything is built.
    // Held from here until replaced, it is not opened by a station starting meanwhile either.
    dvq3::DatabaseLock hold;
    if (QFileInfo::exists(output))
        if (auto held = hold.acquire(output); !held)
            return dvq3::Error::Refusal(
                QStringLiteral("cannot write %1 (%2)").arg(output, held.error().text()));
    // Built in a private folder, then put in place whole.
    QTemporaryDir work;
    const QString temporary = work.filePath(QStringLiteral("building.mdb"));
    dvq3::QuestionDatabase db;
    if (auto created = db.create(temporary); !created)
        return created.error();
    for (const QString& source : sources) {
        if (QFileInfo(source).completeBaseName() == QLatin1String("ScanItem")) {
            if (const dvq3::Status built = BuildScanItemTable(db, source); !built)
                return built;
            continue;
        }
        const BlockFile file = ReadBlockFile(source);
        if (!file.error.isEmpty())
            return dvq3::Error::Refusal(file.error);
        if (file.blocks.empty())
            return dvq3::Error::Refusal(QStringLiteral("%1: no records").arg(source));
        const QStringList keys = file.blocks.front().keys();
        for (const Block& block : file.blocks)
            if (block.keys() != keys)
                return dvq3::Error::Refusal(
                    QStringLiteral("%1:%2: keys differ from the first record (%3)")
                        .arg(source)
                        .arg(block.line)
                        .arg(keys.join(QStringLiteral(", "))));
        const QString table = QFileInfo(source).completeBaseName();
        QStringList columns;
        QStringList marks;
        std::vector<ColumnType> types;
        for (int c = 0; c < keys.size(); ++c) {
            types.push_back(TypeOf(file.blocks, c));
            const char* sqlType = types.back() == ColumnType::Integer ? "INTEGER"
                                  : types.back() == ColumnType::Real  ? "REAL"
                                                                      : "TEXT";
            columns << QStringLiteral("\"%1\" %2").arg(keys[c], QLatin1String(sqlType));
            marks << QStringLiteral("?");
        }
        if (auto made = db.execute(QStringLiteral("CREATE TABLE \"%1\" (%2)")
                                       .arg(table, columns.join(QStringLiteral(", "))));
            !made)
            return made.error();
        const QString insert = QStringLiteral("INSERT INTO \"%1\" VALUES (%2)")
                                   .arg(table, marks.join(QStringLiteral(", ")));
        for (const Block& block : file.blocks) {
            QVariantList values;
            for (int c = 0; c < keys.size(); ++c)
                values << ValueOf(block.fields[c].second, types[c]);
            if (auto inserted = db.execute(insert, values); !inserted)
                return dvq3::Error::Refusal(QStringLiteral("%1:%2: %3")
                                                .arg(source)
                                                .arg(block.line)
                                                .arg(inserted.error().text()));
        }
    }
    db.close();
    auto built = dvq3::ReadDriveFile(temporary, dvq3::DriveFile::Mode::ReadOnly,
                                     std::numeric_limits<qint64>::max());
    if (!built)
        return built.error();
    if (auto written = dvq3::ReplaceFile(output, built.value()); !written)
        return dvq3::Error::Refusal(
            QStringLiteral("cannot write %1 (%2)").arg(output, written.error().text()));
    return {};
}

int RunBuildDatabase(const QStringList& args, QTextStream& out, QTextStream& err) {
    CommandLine line(QStringLiteral("build-db"), {QStringLiteral("build-db OUTPUT SOURCE...")},
                     QStringLiteral("Builds the question database OUTPUT from text sources, one "
                                    "table per source\nnamed after the file."));
    if (const auto done =
            line.parse(args, {QStringLiteral("OUTPUT"), QStringLiteral("SOURCE...")}, out, err))
        return *done;
    const QStringList paths = line.positionalArguments();
    const dvq3::Status built = BuildDatabase(paths.mid(1), paths[0]);
    if (built)
        return kExitOk;
    err << built.error().text() << '\n';
    return kExitFailure;
}

} // namespace dvq3tool
