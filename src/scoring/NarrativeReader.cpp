#include "scoring/NarrativeReader.h"

#include "platform/ProgramFolder.h"
#include "scoring/DataFileReader.h"

namespace dvq3 {
namespace {

const QString kEnd = QStringLiteral("END");

// Lines up to the "END" line, which is consumed and not returned.
Result<QStringList> ReadToEnd(DataFileReader& file, const QString& what) {
    QStringList lines;
    while (!file.atEnd()) {
        auto line = file.readLine(what);
        if (!line)
            return line.error();
        if (line.value() == kEnd)
            return lines;
        lines << line.value();
    }
    return file.fileFault(QStringLiteral("has no \"END\" line after %1").arg(what));
}

} // namespace

Result<QStringList> ReadNarrative(const QString& path, const QString& key) {
    auto opened = DataFileReader::Open(path);
    if (!opened)
        return opened.error();
    DataFileReader file = opened.value();
    const QString paragraph = QStringLiteral("the paragraph \"%1\"").arg(key);
    while (!file.atEnd()) {
        auto line = file.readLine(paragraph);
        if (!line)
            return line.error();
        if (line.value() == key)
            return ReadToEnd(file, paragraph);
    }
    return file.fileFault(QStringLiteral("has no paragraph for \"%1\"").arg(key));
}

Result<QStringList> ReadInvalidProfileText() {
    auto opened = DataFileReader::Open(ProgramFile(QStringLiteral("INVAL.TXT")));
    if (!opened)
        return opened.error();
    DataFileReader file = opened.value();
    return ReadToEnd(file, QStringLiteral("its text"));
}

} // namespace dvq3
