#include "scoring/NarrativeReader.h"

#include "scoring/DataFileReader.h"

namespace dvq3 {
namespace {

const QString kEnd = QStringLiteral("END");

// Lines from first up to the "END" line, which is not returned.
Result<QStringList> ReadToEnd(const TextFile& file, qsizetype first, const QString& what) {
    for (qsizetype line = first; line < file.lines.size(); ++line)
        if (file.lines[line] == kEnd)
            return file.lines.mid(first, line - first);
    return ScoringFault(QStringLiteral("%1 has no \"END\" line after %2.").arg(file.name, what));
}

} // namespace

TextFile LoadTextFile(const QString& path) {
    auto opened = DataFileReader::Open(path);
    if (!opened)
        return {QString(), {}, opened.error()};
    return {opened.value().name(), opened.value().lines(), std::nullopt};
}

Result<QStringList> ReadNarrative(const TextFile& file, const QString& key) {
    if (file.fault)
        return *file.fault;
    const qsizetype at = file.lines.indexOf(key);
    if (at < 0)
        return ScoringFault(QStringLiteral("%1 has no paragraph for \"%2\".").arg(file.name, key));
    return ReadToEnd(file, at + 1, QStringLiteral("the paragraph \"%1\"").arg(key));
}

Result<QStringList> ReadInvalidProfileText(const TextFile& file) {
    if (file.fault)
        return *file.fault;
    return ReadToEnd(file, 0, QStringLiteral("its text"));
}

} // namespace dvq3
