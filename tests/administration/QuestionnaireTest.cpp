#include "station/Questionnaire.h"

#include <gtest/gtest.h>

using namespace dvq3;

// Where each section begins is checked at its edges by the presentation and the keyed-entry grid,
// the answer string by a whole test's record bytes, the help lines by the grid. The two formats
// no section uses are reached only here.
TEST(Questionnaire, FormatsOfTheSectionsAndTheirChoiceCounts) {
    const int formats[] = {-1, 0, 1, 4, 3, 2, -1}; // by section
    for (int section = 0; section <= 6; ++section)
        EXPECT_EQ(SectionFormat(section), formats[section]) << section;
    const int choices[] = {2, 4, 4, 4, 4, 5, 5, 0};
    for (int f = 0; f <= kFormatCount; ++f)
        EXPECT_EQ(FormatChoiceCount(f), choices[f]) << f;
}
