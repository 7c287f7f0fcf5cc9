#include "station/Questionnaire.h"

#include <gtest/gtest.h>

using namespace dvq3;

// Where each section begins is checked at its edges by the presentation and the keyed-entry grid,
// the answer string by a whole test's record bytes.
TEST(Questionnaire, FormatsOfTheSectionsAndTheirHelpLines) {
    const int formats[] = {0, 0, 1, 4, 3, 2}; // by section
    for (int section = 1; section <= 5; ++section)
        EXPECT_EQ(SectionFormat(section), formats[section]) << section;
    const std::pair<int, const char*> lines[] = {
        {2, "0=No answer, 1=True, 2=False, Tab=Next grid"},
        {4, "0=No answer, 1=Yes, 2=No, 3=I don't know, 4=Doesn't apply to me, Tab=Next grid"},
        {4, "0=No answer, 1=1, 2=2,  3=3, 4=4, Tab=Next grid"},
        {4, "0=No answer, 1=Rare or Never, 2=Sometimes, 3=Often, 4=Very Often or Always, Tab=Next "
            "grid"},
        {4, "0=No answer, 1=Worse, 2=No Change, 3=Better, 4=Does not apply to me, Tab=Next grid"},
        {5, "0=No answer, 1=True, 2=Mostly True, 3=Can't Decide, 4=Mostly False, 5=False, Tab=Next "
            "grid"},
        {5, "0=No answer, 1=Very Often, 2=Often, 3=Can't Decide, 4=Often, 5=Very Often, Tab=Next "
            "grid"}};
    static_assert(std::size(lines) == kFormatCount);
    for (int f = 0; f < kFormatCount; ++f) {
        EXPECT_EQ(FormatHelpLine(f), QString::fromLatin1(lines[f].second)) << f;
        EXPECT_EQ(FormatChoiceCount(f), lines[f].first) << f;
    }
}
