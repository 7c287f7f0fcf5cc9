#include "platform/Codepage.h"

#include <array>

namespace dvq3 {
namespace {

// Code points of bytes 0x80-0x9F; the rest of the range matches Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int ByteOf(char16_t unicode) {
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF))
        return unicode;
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == unicode)
            return static_cast<int>(0x80 + i);
    return -1;
}

} // namespace

QString DecodeAnsi(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kHighControls[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QByteArray EncodeAnsi(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = ByteOf(text[i].unicode());
        bytes[i] = static_cast<char>(byte < 0 ? '?' : byte);
    }
    return bytes;
}

bool IsAnsiText(const QString& text) {
    for (QChar c : text)
        if (ByteOf(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace dvq3
