#include "BlockFile.h"

#include "platform/DriveFile.h"

#include <QDir>

namespace dvq3tool {

QStringList Block::keys() const {
    QStringList names;
    for (const auto& field : fields)
        names << field.first;
    return names;
}

std::optional<QString> Block::value(const QString& key) const {
    for (const auto& field : fields)
        if (field.first == key)
            return field.second;
    return std::nullopt;
}

dvq3::Result<QString> ReadSourceText(const QString& path) {
    // As the station reads its files: a regular file of a sane size, or a message naming it.
    auto bytes = dvq3::ReadDriveFile(path);
    if (!bytes) {
        const dvq3::Error& error = bytes.error();
        return dvq3::Error::Refusal(
            error.refused()
                ? error.text()
                : QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error.text()));
    }
    return QString::fromUtf8(bytes.value());
}

BlockFile ReadBlockFile(const QString& path) {
    BlockFile result;
    auto text = ReadSourceText(path);
    if (!text) {
        result.error = text.error().text();
        return result;
    }
    const QStringList lines = text.value().split(u'\n');
    Block current;
    auto finish = [&] {
        if (!current.fields.empty())
            result.blocks.push_back(current);
        current = Block();
    };
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u'#'))
            continue;
        if (line.trimmed().isEmpty()) {
            finish();
            continue;
        }
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0) {
            result.error = QStringLiteral("%1:%2: expected \"Key: value\"").arg(path).arg(i + 1);
            return result;
        }
        if (current.fields.empty())
            current.line = i + 1;
        QString value = line.mid(colon + 1);
        if (value.startsWith(u' '))
            value.remove(0, 1);
        current.fields.emplace_back(line.left(colon).trimmed(), value);
    }
    finish();
    return result;
}

} // namespace dvq3tool
