#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace dvq3tool {

// A reviewable text source: records of "Key: value" lines, separated by blank lines; lines
// starting with '#' are comments. A value is the rest of the line after ": " (empty = none).
struct Block {
    int line = 0; // line of the block's first key, for messages
    std::vector<std::pair<QString, QString>> fields;

    QStringList keys() const;
    std::optional<QString> value(const QString& key) const;
};

struct BlockFile {
    std::vector<Block> blocks;
    QString error; // "file:line: what is wrong", empty when the file read cleanly
};

// The UTF-8 text of a source file, read as the station reads its files: only a regular file of
// a sane size (never a pipe or a device); the error names the file.
dvq3::Result<QString> ReadSourceText(const QString& path);

// Reads a UTF-8 block file.
BlockFile ReadBlockFile(const QString& path);

} // namespace dvq3tool
