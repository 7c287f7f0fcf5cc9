#include "station/ClientRecord.h"
#include "records/ClientInfoRules.h"
#include "records/NameDeletion.h"

#include <functional>

#include <gtest/gtest.h>

using namespace dvq3;

// Each field alone, filled with a marker, lands right after the one before, at its own length.
TEST(ClientRecord, FieldsLieInFileOrderAtTheirLengths) {
    const int lengths[] = {25, 2, 1, 10, 1, 1, 1, 10, 17, 2, 2, 2, 100, 1, 1};
    ASSERT_EQ(std::size(lengths), kClientFields.size());
    for (int i = 0, offset = 0; i < int(std::size(lengths)); offset += lengths[i++]) {
        ClientRecord record;
        record.set(kClientFields[i].member, QString(lengths[i], u'#'));
        EXPECT_EQ(record.toBytes(), QByteArray(offset, ' ') + QByteArray(lengths[i], '#') +
                                        QByteArray(176 - offset - lengths[i], ' '))
            << kClientFields[i].name;
    }
}

TEST(ClientRecord, EveryByteSurvivesALoadAndASave) {
    for (int start = 0; start < 256; start += 176) {
        QByteArray bytes;
        for (int i = 0; i < 176; ++i)
            bytes += static_cast<char>((start + i) % 256);
        EXPECT_EQ(ClientRecord::FromBytes(bytes).toBytes(), bytes);
    }
}

TEST(ClientRecord, ScrambledNamesKeepShapeButNothingOfTheName) {
    const QString name = FitField("Ann Lee", 25);
    const QString first = ScrambleName(name);
    ASSERT_EQ(first.size(), 25);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(first[i] == u' ', name[i] == u' ') << i;
        EXPECT_TRUE(first[i].unicode() >= 32 && first[i].unicode() < 127);
    }
    // Scrambling the same name again gives another result: it is not a function of the name.
    EXPECT_NE(ScrambleName(name), first);
}

// What each field takes: per rule, the texts it takes and the texts it refuses.
TEST(ClientInfoRules, TypedTextIsTakenOrRefused) {
    const auto goodDate = [](const QString& text) { return GoodDate(text, QDate(2026, 12, 6)); };
    const std::tuple<std::function<bool(const QString&)>, const char*, const char*> rules[] = {
        {goodDate, "02/29/1996 01/01/2001 12/06/2026 01/01/1890",
         "02/29/1999 04/31/1990 13/01/1990 00/10/1990 01/01/1889 12/07/2026 1/1/1990 0a/01/1990"},
        {IsValidDL, "A123-456-78-901-1 N___-___-__-___-_ n",
         "A123-456-78-901-_ A123-456-78-901- AX23-456-78-901-1 A123-4X6-78-901-1 "
         "A123-456-7X-901-1 A123-456-78-901-X"},
        {ValidCount, "0 07 99 n N", "00 N5 5A +5 100"},
        {AgeAccepted, "n 11 99", "10 9 1a"}};
    for (const auto& [rule, taken, refused] : rules) {
        for (const QString& text : QString(taken).split(' '))
            EXPECT_TRUE(rule(text)) << text.toStdString();
        for (const QString& text : QString(refused).split(' '))
            EXPECT_FALSE(rule(text)) << text.toStdString();
    }
    EXPECT_EQ(std::pair(AgeValue("9x"), AgeValue("__")), std::pair(9, 0));
}

// Typed text picks the list position it begins, -1 for none; a list takes codes up to its highest.
TEST(ClientInfoRules, ListPrefixes) {
    using Picks = std::vector<std::pair<const char*, int>>;
    const std::tuple<CodeList, int, Picks> lists[] = {
        {CodeList::Gender, 2, {{"1", 1}, {"m", 1}, {"Female", 2}, {"N", 0}, {"x", -1}}},
        {CodeList::Race, 6, {{"N", -1}, {"Native American", 5}, {"N/A", 0}, {"a", 4}, {"6", 6}}},
        {CodeList::Marital, 5, {{"N", -1}, {"se", 4}, {"Single", 1}, {"N/A", 0}}},
        {CodeList::Education, 8, {{"N", 0}, {"Partial H.S.", 2}, {"partial college", 5}, {"8", 8}}},
        {CodeList::Education, 8, {{"H.S. graduate", 4}, {"College graduate", 7}, {"8th grade", 1}}},
        {CodeList::Education, 8, {{"Trade", 6}, {"GED", 3}, {"advanced", 8}, {"PARTIAL", -1}}}};
    for (const auto& [list, highest, picks] : lists) {
        EXPECT_EQ(HighestCode(list), highest) << int(list);
        for (const auto& [text, choice] : picks)
            EXPECT_EQ(ListChoiceFor(list, text), choice) << text;
    }
}
