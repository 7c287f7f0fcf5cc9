#pragma once

#include <QByteArray>
#include <QString>

// Files on the data drive and the scoring and report text files hold one byte a character in
// Windows-1252. Inside the program text is QString; these convert at the file boundary.
// Every byte 0x00-0xFF decodes to one character and encodes back to the same byte: the five
// positions Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control
// characters of the same value, so names written by other stations survive a load and a save.
namespace dvq3 {

QString DecodeAnsi(const QByteArray& bytes);
QByteArray EncodeAnsi(const QString& text);
// True when every character of text has a Windows-1252 byte.
bool IsAnsiText(const QString& text);

} // namespace dvq3
