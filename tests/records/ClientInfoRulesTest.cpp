#include "records/ClientInfoRules.h"

#include <gtest/gtest.h>

using namespace dvq3;

TEST(ClientInfoRulesTest, GoodDateAcceptsReal1890ToTodayDates) {
    const QDate today(2026, 12, 6);
    const std::pair<const char*, bool> cases[] = {
        {"02/29/1996", true},  {"12/31/2000", true},  {"01/01/2001", true},  {"12/06/2026", true},
        {"01/01/1890", true},  {"02/29/1999", false}, {"04/31/1990", false}, {"13/01/1990", false},
        {"00/10/1990", false}, {"01/00/1990", false}, {"01/01/1889", false}, {"12/07/2026", false},
        {"1/1/1990", false},   {"01-01-1990", false}, {"0a/01/1990", false},
    };
    for (const auto& [text, good] : cases)
        EXPECT_EQ(GoodDate(QString::fromLatin1(text), today), good) << text;
}

TEST(ClientInfoRulesTest, LicenceMasks) {
    const std::pair<const char*, bool> cases[] = {
        {"A123-456-78-901-1", true},  {"N___-___-__-___-_", true},  {"n", true},
        {"A123-456-78-901-_", false}, {"A12_-___-__-___-_", false}, {"A123-456-78-901-", false},
        {"____-___-__-___-_", false}, {"AX23-456-78-901-1", false}, {"A123-4X6-78-901-1", false},
        {"A123-456-7X-901-1", false}, {"A123-456-78-901-X", false},
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(IsValidDL(QString::fromLatin1(text)), valid) << text;
}

TEST(ClientInfoRulesTest, CountsAndAges) {
    const std::pair<const char*, bool> counts[] = {
        {"0", true},   {"07", true},  {"7", true},   {"99", true},   {"n", true},
        {"N", true},   {"00", false}, {"N5", false}, {"5A", false},  {"7.", false},
        {"+5", false}, {"-1", false}, {"", false},   {"100", false}, {"x", false},
    };
    for (const auto& [text, valid] : counts)
        EXPECT_EQ(ValidCount(QString::fromLatin1(text)), valid) << text;
    const std::pair<const char*, bool> ages[] = {{"N", true},  {"n", true},   {"11", true},
                                                 {"99", true}, {"10", false}, {"9", false},
                                                 {"", false},  {"1a", false}};
    for (const auto& [text, accepted] : ages)
        EXPECT_EQ(AgeAccepted(QString::fromLatin1(text)), accepted) << text;
    EXPECT_EQ(AgeValue("9x"), 9);
    EXPECT_EQ(AgeValue("__"), 0);
}

TEST(ClientInfoRulesTest, ListPrefixes) {
    struct Case {
        CodeList list;
        const char* text;
        int choice;
    };
    const Case cases[] = {
        {CodeList::Gender, "1", 1},
        {CodeList::Gender, "m", 1},
        {CodeList::Gender, "Female", 2},
        {CodeList::Gender, "N", 0},
        {CodeList::Gender, "x", -1},
        {CodeList::Race, "N", -1},
        {CodeList::Race, "Native American", 5},
        {CodeList::Race, "N/A", 0},
        {CodeList::Race, "a", 4},
        {CodeList::Race, "6", 6},
        {CodeList::Marital, "N", -1},
        {CodeList::Marital, "se", 4},
        {CodeList::Marital, "Single", 1},
        {CodeList::Marital, "N/A", 0},
        {CodeList::Education, "N", 0},
        {CodeList::Education, "Partial H.S.", 2},
        {CodeList::Education, "partial college", 5},
        {CodeList::Education, "H.S. graduate", 4},
        {CodeList::Education, "College graduate", 7},
        {CodeList::Education, "8th grade", 1},
        {CodeList::Education, "8", 8},
        {CodeList::Education, "Trade", 6},
        {CodeList::Education, "PARTIAL", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListChoiceFor(c.list, QString::fromLatin1(c.text)), c.choice) << c.text;
    const std::pair<CodeList, int> highest[] = {{CodeList::Gender, 2},
                                                {CodeList::Race, 6},
                                                {CodeList::Marital, 5},
                                                {CodeList::Education, 8}};
    for (auto [list, code] : highest)
        EXPECT_EQ(HighestCode(list), code) << int(list);
}
