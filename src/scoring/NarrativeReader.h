#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace dvq3 {

// The widest narrative or invalid-profile line the report can set after its indent.
inline constexpr int kNarrativeWidth = 73;

// A narrative file or INVAL.TXT as loaded with the tables: its lines, or why it could not be
// read. The fault is told only when a report needs the file, as a report that prints no
// narrative never opens them.
struct TextFile {
    QString name;
    QStringList lines;
    std::optional<Error> fault;
};

// The file at path, whole.
TextFile LoadTextFile(const QString& path);

// The text lines of the paragraph keyed by key: the lines after the first line that equals key
// exactly, up to the line "END". A file that could not be read, a missing key or a paragraph
// without its "END" line is a fault of the file.
[[nodiscard]] Result<QStringList> ReadNarrative(const TextFile& file, const QString& key);

// The text lines of the invalid-profile file up to its line "END".
[[nodiscard]] Result<QStringList> ReadInvalidProfileText(const TextFile& file);

} // namespace dvq3
