#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

namespace dvq3 {

// A Windows-style profile file ("[Section]" lines, "key=value" lines) that is changed in place:
// unknown sections, keys, comments, blank lines and their order survive a write, as they do
// with the Windows profile functions. Names compare case-insensitively.
class IniFile {
public:
    // Reads path; a missing file reads as empty. The file is Windows-1252, CR LF or LF.
    static Result<IniFile> Load(const QString& path);
    static IniFile Parse(const QByteArray& bytes);

    // The value of key in section, trimmed, or fallback when either is absent.
    QString value(const QString& section, const QString& key, const QString& fallback) const;
    // Replaces the key's value where it stands, or adds the key at the end of its section, or
    // adds the section at the end of the file.
    void setValue(const QString& section, const QString& key, const QString& value);
    // A path value holds the file system's bytes, not Windows-1252: valid UTF-8 reads as the
    // characters it encodes, any other byte as itself (as PathFromNative), and a path is written
    // back as those same bytes. Only blanks are trimmed.
    QString pathValue(const QString& section, const QString& key, const QString& fallback) const;
    void setPathValue(const QString& section, const QString& key, const QString& path);

    QByteArray toBytes() const;
    // Replaces the file whole (created when missing); a fault leaves the old file as it was.
    Status save(const QString& path) const;

private:
    // Index of the section's header line, or -1.
    qsizetype findSection(const QString& section) const;
    // Index of the key's line within the section starting at header, or -1.
    qsizetype findKey(qsizetype header, const QString& key) const;
    // One past the section's last key line.
    qsizetype sectionEnd(qsizetype header) const;

    QStringList lines_;
};

} // namespace dvq3
