#include "scoring/DataFileReader.h"

#include <gtest/gtest.h>

using namespace dvq3;

namespace {

DataFileReader Reader(const QByteArray& bytes) {
    return DataFileReader::FromBytes(QStringLiteral("DVQ3B.TXT"), bytes);
}

QString Message(const Error& error) {
    return error.text();
}

} // namespace

TEST(DataFileReader, ReadsSeveralValuesALineAndOneALine) {
    DataFileReader file = Reader("1,2, 3\r\n  -4\r\n5 ,6\n7");
    for (int expected : {1, 2, 3, -4, 5, 6, 7}) {
        auto value = file.readInteger(QStringLiteral("a value"));
        ASSERT_TRUE(value) << Message(value.error()).toStdString();
        EXPECT_EQ(value.value(), expected);
    }
    EXPECT_TRUE(file.atEnd());
}

TEST(DataFileReader, QuotedFieldsKeepCommasAndLeadingBlanksButNotTheQuotes) {
    DataFileReader file = Reader("\"A, B\",  \"  lead\" , plain text  ,\"\"\r\n\"last\"\r\n");
    const QStringList expected = {"A, B", "  lead", "plain text  ", "", "last"};
    for (const QString& text : expected) {
        auto value = file.readString(QStringLiteral("a name"));
        ASSERT_TRUE(value) << Message(value.error()).toStdString();
        EXPECT_EQ(value.value(), text);
    }
    EXPECT_TRUE(file.atEnd());
}

TEST(DataFileReader, BlankLinesCarryNoValueButATrailingCommaLeavesAnEmptyOne) {
    DataFileReader file = Reader("\"a\"\r\n\r\n   \r\n\"b\",\r\n\"c\"\r\n");
    EXPECT_EQ(file.readString("1").value(), QStringLiteral("a"));
    EXPECT_EQ(file.readString("2").value(), QStringLiteral("b"));
    EXPECT_EQ(file.readString("3").value(), QString());
    EXPECT_EQ(file.readString("4").value(), QStringLiteral("c"));
}

TEST(DataFileReader, LineReadingTakesWholeLinesAfterTheFieldThatEndedTheLastOne) {
    DataFileReader file = Reader("\"LOW\",\"HIGH\"\r\n10. Says \"yes\", often  \r\n\r\nend");
    EXPECT_EQ(file.readString("first").value(), QStringLiteral("LOW"));
    EXPECT_EQ(file.readString("second").value(), QStringLiteral("HIGH"));
    EXPECT_EQ(file.readLine("line").value(), QStringLiteral("10. Says \"yes\", often  "));
    EXPECT_EQ(file.readLine("line").value(), QString());
    EXPECT_EQ(file.readLine("line").value(), QStringLiteral("end"));
    EXPECT_TRUE(file.atEnd());
}

TEST(DataFileReader, BytesAreWindows1252) {
    DataFileReader file = Reader("caf\xe9 \x93quoted\x94\r\n");
    EXPECT_EQ(file.readLine("line").value(), QStringLiteral(u"café “quoted”"));
}

TEST(DataFileReader, EarlyEndNamesTheFileAndTheMissingValue) {
    DataFileReader file = Reader("1,2\r\n");
    ASSERT_TRUE(file.readInteger("one"));
    ASSERT_TRUE(file.readInteger("two"));
    auto missing = file.readInteger(QStringLiteral("the count of the norm table"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(Message(missing.error()), QStringLiteral("Scoring stopped: DVQ3B.TXT ends too early: "
                                                       "the count of the norm table is missing."));
    EXPECT_FALSE(file.readLine("a line"));
}

TEST(DataFileReader, FaultyNumbersAreRefusedWithTheirLine) {
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"32768", "32768"}, {"-32769", "-32769"}, {"12 3", "12 3"}, {"1.5", "1.5"},
        {"x1", "x1"},       {"-", "-"},           {"", ""},         {"99999999999", "99999999999"},
    };
    for (const Case& c : cases) {
        DataFileReader file = Reader(QByteArray("7\r\n") + c.text + ",1\r\n");
        ASSERT_TRUE(file.readInteger("first"));
        auto value = file.readInteger(QStringLiteral("status item 2"));
        ASSERT_FALSE(value) << c.text;
        EXPECT_EQ(
            Message(value.error()),
            QStringLiteral("Scoring stopped: DVQ3B.TXT, line 2: status item 2 is \"%1\", not a "
                           "whole number from -32768 to 32767.")
                .arg(QString::fromLatin1(c.shown)));
    }
    DataFileReader edges = Reader("32767,-32768,+5");
    EXPECT_EQ(edges.readInteger("a").value(), 32767);
    EXPECT_EQ(edges.readInteger("b").value(), -32768);
    EXPECT_EQ(edges.readInteger("c").value(), 5);
}

TEST(DataFileReader, BoundedValuesOutsideTheirRangeAreRefused) {
    DataFileReader file = Reader("92\r\n93\r\n-1\r\n");
    EXPECT_TRUE(file.readBounded("count", 0, 92));
    auto over = file.readBounded(QStringLiteral("the count"), 0, 92);
    ASSERT_FALSE(over);
    EXPECT_EQ(
        Message(over.error()),
        QStringLiteral("Scoring stopped: DVQ3B.TXT, line 2: the count is 93, outside 0 to 92."));
    EXPECT_FALSE(file.readBounded("count", 0, 92));
}

TEST(DataFileReader, MalformedQuotesAreRefused) {
    auto open = Reader("\"no end\r\n").readString(QStringLiteral("the report title"));
    ASSERT_FALSE(open);
    EXPECT_TRUE(Message(open.error()).endsWith("the report title has no closing quote."));
    auto trailing = Reader("\"a\"b,1\r\n").readString(QStringLiteral("scale name 1"));
    ASSERT_FALSE(trailing);
    EXPECT_TRUE(
        Message(trailing.error()).endsWith("scale name 1 has text after its closing quote."));
}
