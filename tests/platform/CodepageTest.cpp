#include "platform/Codepage.h"

#include <gtest/gtest.h>

using namespace dvq3;

// Every byte decodes to one character that encodes back to it; characters outside the code page
// become question marks.
TEST(Codepage, EveryByteRoundTripsAndOtherCharactersBecomeQuestionMarks) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = DecodeAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeAnsi(text), all);
    EXPECT_TRUE(IsAnsiText(text));
    const QString outside = QStringLiteral("a\u0142b\u4e2d");
    EXPECT_FALSE(IsAnsiText(outside));
    EXPECT_EQ(EncodeAnsi(outside), QByteArray("a?b?"));
}

// The Windows range and its undefined positions, which keep their own code points.
TEST(Codepage, MapsTheWindowsRangeAndUndefinedPositions) {
    const std::pair<unsigned char, char16_t> cases[] = {
        {0x41, u'A'},   {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D},
        {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}, {0x93, 0x201C},
        {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
    for (const auto& [byte, unicode] : cases)
        EXPECT_EQ(DecodeAnsi(QByteArray(1, static_cast<char>(byte))), QString(QChar(unicode)))
            << int(byte);
}
