#include "scoring/NarrativeReader.h"

#include "scoring/DataFileReader.h"

namespace dvq3 {
namespace {

const QString kEnd = QStringLiteral("END");

// Lines from first up to the "END" line, which is not returned: the paragraph of key, or the
// whole text when key is empty.
Result<QStringList> ReadToEnd(const TextFile& file, qsizetype first, const QString& key) {
    for (qsizetype line = first; line < file.lines.size(); ++line) {
        if (file.lines[line] == kEnd)
            return file.lines.mid(first, line - first);
        // The report sets each line after its indent; a longer one would run past the page.
        if (file.lines[line].size() > kNarrativeWidth)
            return ScoringFault(QStringLiteral("%1, line %2: the line is %3 characters long, "
                                               "wider than the report's %4 columns for text.")
                                    .arg(file.name)
                                    .arg(line + 1)
                                    .arg(file.lines[line].size())
                                    .arg(kNarrativeWidth));
    }
    const QString what = key.isEmpty() ? QStringLiteral("its text")
                                       : QStringLiteral("the paragraph \"%1\"").arg(key);
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
    return ReadToEnd(file, at + 1, key);
}

Result<QStringList> ReadInvalidProfileText(const TextFile& file) {
    if (file.fault)
        return *file.fault;
    return ReadToEnd(file, 0, QString());
}

} // namespace dvq3
