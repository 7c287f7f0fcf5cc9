#include "test/Questionnaire.h"

#include <gtest/gtest.h>

using namespace dvq3;

TEST(Questionnaire, SectionBoundaries) {
    EXPECT_EQ(SectionStart, (std::array<int, 6>{0, 29, 54, 77, 93, 100}));
    const std::pair<int, int> items[] = {{1, 1},  {29, 1}, {30, 2}, {54, 2},  {55, 3}, {77, 3},
                                         {78, 4}, {93, 4}, {94, 5}, {100, 5}, {0, 0},  {101, 0}};
    for (auto [item, section] : items)
        EXPECT_EQ(SectionOfItem(item), section) << item;
}

TEST(Questionnaire, FormatsOfTheSectionsAndTheirHelpLines) {
    const int formats[] = {0, 0, 1, 4, 3, 2}; // by section
    for (int section = 1; section <= 5; ++section)
        EXPECT_EQ(SectionFormat(section), formats[section]) << section;
    const char* lines[] = {
        "0=No answer, 1=True, 2=False, Tab=Next grid",
        "0=No answer, 1=Yes, 2=No, 3=I don't know, 4=Doesn't apply to me, Tab=Next grid",
        "0=No answer, 1=1, 2=2,  3=3, 4=4, Tab=Next grid",
        "0=No answer, 1=Rare or Never, 2=Sometimes, 3=Often, 4=Very Often or Always, Tab=Next "
        "grid",
        "0=No answer, 1=Worse, 2=No Change, 3=Better, 4=Does not apply to me, Tab=Next grid",
        "0=No answer, 1=True, 2=Mostly True, 3=Can't Decide, 4=Mostly False, 5=False, Tab=Next "
        "grid",
        "0=No answer, 1=Very Often, 2=Often, 3=Can't Decide, 4=Often, 5=Very Often, Tab=Next "
        "grid"};
    const int choices[] = {2, 4, 4, 4, 4, 5, 5};
    for (int f = 0; f < kFormatCount; ++f) {
        EXPECT_EQ(FormatHelpLine(f), QString::fromLatin1(lines[f])) << f;
        EXPECT_EQ(FormatChoiceCount(f), choices[f]) << f;
    }
}

TEST(Questionnaire, AnswerStringHasOneDigitPerItem) {
    ItemAnswers PresentAnswers{};
    EXPECT_EQ(BuildResponses(PresentAnswers), QString(100, u'0'));
    PresentAnswers[1] = 2;
    PresentAnswers[29] = 1;
    PresentAnswers[30] = 4;
    PresentAnswers[100] = 12; // only the last digit is kept
    const QString responses = BuildResponses(PresentAnswers);
    ASSERT_EQ(responses.size(), 100);
    EXPECT_EQ(responses[0], u'2');
    EXPECT_EQ(responses[28], u'1');
    EXPECT_EQ(responses[29], u'4');
    EXPECT_EQ(responses[99], u'2');
    EXPECT_EQ(responses.count(u'0'), 96);
}
