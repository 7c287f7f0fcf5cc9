#include "platform/IniFile.h"

#include "platform/Codepage.h"
#include "platform/DriveFile.h"

namespace dvq3 {
namespace {

bool IsHeader(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.contains(u']');
}

QString HeaderName(const QString& line) {
    const QString t = line.trimmed();
    return t.mid(1, t.indexOf(u']') - 1).trimmed();
}

bool IsComment(const QString& line) {
    return line.trimmed().startsWith(u';');
}

QString KeyOf(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

} // namespace

Result<IniFile> IniFile::Load(const QString& path) {
    auto exists = DriveFileExists(path);
    if (!exists)
        return exists.error();
    if (!exists.value())
        return IniFile();
    auto bytes = ReadDriveFile(path);
    if (!bytes)
        return bytes.error();
    return Parse(bytes.value());
}

IniFile IniFile::Parse(const QByteArray& bytes) {
    IniFile ini;
    QString text = DecodeAnsi(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (!text.isEmpty())
        ini.lines_ = text.split(u'\n');
    return ini;
}

qsizetype IniFile::findSection(const QString& section) const {
    for (qsizetype i = 0; i < lines_.size(); ++i)
        if (IsHeader(lines_[i]) && HeaderName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const {
    qsizetype end = header + 1;
    qsizetype lastKey = header + 1;
    for (; end < lines_.size() && !IsHeader(lines_[end]); ++end)
        if (!KeyOf(lines_[end]).isEmpty() && !IsComment(lines_[end]))
            lastKey = end + 1;
    return lastKey;
}

qsizetype IniFile::findKey(qsizetype header, const QString& key) const {
    for (qsizetype i = header + 1; i < lines_.size() && !IsHeader(lines_[i]); ++i)
        if (!IsComment(lines_[i]) && KeyOf(lines_[i]).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const {
    const qsizetype header = findSection(section);
    if (header < 0)
        return fallback;
    const qsizetype line = findKey(header, key);
    if (line < 0)
        return fallback;
    const QString& text = lines_[line];
    return text.mid(text.indexOf(u'=') + 1).trimmed();
}

QString IniFile::pathValue(const QString& section, const QString& key,
                           const QString& fallback) const {
    const qsizetype header = findSection(section);
    const qsizetype line = header < 0 ? -1 : findKey(header, key);
    if (line < 0)
        return fallback;
    const QString& text = lines_[line];
    // Lines hold one character per byte, so the value's bytes come back exactly.
    QByteArray bytes = EncodeAnsi(text.mid(text.indexOf(u'=') + 1));
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!bytes.isEmpty() && blank(bytes.front()))
        bytes.remove(0, 1);
    while (!bytes.isEmpty() && blank(bytes.back()))
        bytes.chop(1);
    return PathFromNative(bytes);
}

void IniFile::setPathValue(const QString& section, const QString& key, const QString& path) {
    setValue(section, key, DecodeAnsi(NativePath(path)));
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value) {
    const QString entry = key + u'=' + value;
    qsizetype header = findSection(section);
    if (header < 0) {
        lines_.append(u'[' + section + u']');
        lines_.append(entry);
        return;
    }
    if (const qsizetype line = findKey(header, key); line >= 0)
        lines_[line] = entry;
    else
        lines_.insert(sectionEnd(header), entry);
}

QByteArray IniFile::toBytes() const {
    QByteArray bytes;
    for (const QString& line : lines_)
        bytes += EncodeAnsi(line) + "\r\n";
    return bytes;
}

Status IniFile::save(const QString& path) const {
    return ReplaceFile(path, toBytes());
}

} // namespace dvq3
