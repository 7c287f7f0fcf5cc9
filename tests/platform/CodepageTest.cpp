#include "platform/Codepage.h"

#include <gtest/gtest.h>

using namespace dvq3;

TEST(Codepage, EveryByteRoundTrips) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const QString text = DecodeAnsi(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(EncodeAnsi(text), all);
    EXPECT_TRUE(IsAnsiText(text));
}

TEST(Codepage, MapsTheWindowsRangeAndUndefinedPositions) {
    struct Case {
        unsigned char byte;
        char16_t unicode;
    };
    const Case cases[] = {{0x41, u'A'},   {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D},
                          {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D}, {0x93, 0x201C},
                          {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
    for (const Case& c : cases) {
        const QString text = DecodeAnsi(QByteArray(1, static_cast<char>(c.byte)));
        EXPECT_EQ(text.at(0).unicode(), c.unicode) << int(c.byte);
        EXPECT_EQ(EncodeAnsi(QString(QChar(c.unicode))), QByteArray(1, static_cast<char>(c.byte)));
    }
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const QString text = QStringLiteral("a\u0142b\u4e2d");
    EXPECT_FALSE(IsAnsiText(text));
    EXPECT_EQ(EncodeAnsi(text), QByteArray("a?b?"));
}
