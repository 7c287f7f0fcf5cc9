#include "scoring/DataFileReader.h"
#include "ScoringFixtures.h"
#include "scoring/ScoringMessages.h"

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::FaultText;

namespace {

// One value read the way the tables read it: 'i' a whole number, 'b' one bounded to 0..92,
// 's' a field, 'l' a whole line. Numbers come back as their text.
Result<QString> ReadOne(DataFileReader& file, char kind, const ValueName& what) {
    if (kind == 's')
        return file.readString(what);
    if (kind == 'l')
        return file.readLine(what);
    auto number = kind == 'b' ? file.readBounded(what, 0, 92) : file.readInteger(what);
    if (!number)
        return number.error();
    return QString::number(number.value());
}

} // namespace

TEST(DataFileReader, ReadsFieldsAndLinesAsTheFilesLayThemOut) {
    struct Case {
        const char* name;
        QByteArray bytes;
        char kind;
        QStringList values; // UTF-8; a value "LINE:..." is read as a whole line
    };
    const Case cases[] = {
        {"several a line and one a line",
         "1,2, 3\r\n  -4\r\n5 ,6\n7",
         'i',
         {"1", "2", "3", "-4", "5", "6", "7"}},
        {"16-bit edges and a plus sign", "32767,-32768,+5", 'i', {"32767", "-32768", "5"}},
        {"bounded at its highest", "92\r\n0\r\n", 'b', {"92", "0"}},
        {"quotes keep commas and leading blanks, not themselves",
         "\"A, B\",  \"  lead\" , plain text  ,\"\"\r\n\"last\"\r\n",
         's',
         {"A, B", "  lead", "plain text  ", "", "last"}},
        {"blank lines carry no value, a trailing comma an empty one",
         "\"a\"\r\n\r\n   \r\n\"b\",\r\n\"c\"\r\n",
         's',
         {"a", "b", "", "c"}},
        {"lines after the field that ended the last one",
         "\"LOW\",\"HIGH\"\r\n10. Says \"yes\", often  \r\n\r\nend",
         's',
         {"LOW", "HIGH", "LINE:10. Says \"yes\", often  ", "LINE:", "LINE:end"}},
        {"Windows-1252", "caf\xe9 \x93quoted\x94\r\n", 'l', {"café “quoted”"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataFileReader file = DataFileReader::FromBytes("DVQ3B.TXT", c.bytes);
        for (const QString& expected : c.values) {
            const bool line = expected.startsWith("LINE:");
            auto value = ReadOne(file, line ? 'l' : c.kind, "a value");
            ASSERT_TRUE(value) << value.error().text().toStdString();
            EXPECT_EQ(value.value(), line ? expected.mid(5) : expected);
        }
        EXPECT_TRUE(file.atEnd());
    }
}

TEST(DataFileReader, FaultsNameTheFileTheLineAndTheValue) {
    struct Case {
        QByteArray bytes;
        char kind;
        int goodReads; // values of the same kind read before the faulty one
        const char* message;
    };
    const QString number = "DVQ3B.TXT, line 2: status item 2 is \"%1\", not a whole number from "
                           "-32768 to 32767.";
    std::vector<Case> cases = {
        {"1,2\r\n", 'i', 2, "DVQ3B.TXT ends too early: status item 2 is missing."},
        {"1,2\r\n", 'l', 2, "DVQ3B.TXT ends too early: status item 2 is missing."},
        {"92\r\n93\r\n", 'b', 1, "DVQ3B.TXT, line 2: status item 2 is 93, outside 0 to 92."},
        {"0\r\n-1\r\n", 'b', 1, "DVQ3B.TXT, line 2: status item 2 is -1, outside 0 to 92."},
        {"\"no end\r\n", 's', 0, "DVQ3B.TXT, line 1: status item 2 has no closing quote."},
        {"\"a\"b,1\r\n", 's', 0,
         "DVQ3B.TXT, line 1: status item 2 has text after its closing quote."},
    };
    // Not a whole number, on line 2 after a good one.
    for (const char* value : {"32768", "-32769", "12 3", "1.5", "x1", "-", "", "99999999999"})
        cases.push_back({"7\r\n" + QByteArray(value) + ",1\r\n", 'i', 1, value});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        DataFileReader file = DataFileReader::FromBytes("DVQ3B.TXT", c.bytes);
        for (int i = 0; i < c.goodReads; ++i)
            ASSERT_TRUE(ReadOne(file, c.kind == 'l' ? 'i' : c.kind, "good"));
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(FaultText(ReadOne(file, c.kind, {"status item %1", {2}})),
                  kScoringStopped + (message.startsWith("DVQ3B") ? message : number.arg(message)));
    }
}
