#pragma once

#include <QString>

#include <array>

namespace dvq3 {

// The questionnaire's shape: 100 items in five sections. Section s holds items
// SectionStart[s-1]+1 .. SectionStart[s]; code that needs a boundary reads this array.
inline constexpr int kItemCount = 100;
inline constexpr int kSectionCount = 5;
inline constexpr std::array<int, kSectionCount + 1> SectionStart = {0, 29, 54, 77, 93, 100};

// True exactly when low <= value <= high: the station's one range test (item numbers in a
// section, scores in a band).
constexpr bool InRange(int value, int low, int high) {
    return low <= value && value <= high;
}

// The section (1..5) of item 1..100, or 0 outside the items.
int SectionOfItem(int item);

// Answer formats of the keyed-entry grids; code 0 is always "no answer".
inline constexpr int kFormatCount = 7;
// The answer format of section 1..5.
int SectionFormat(int section);
// How many answer codes format has (2 for true/false ... 5).
int FormatChoiceCount(int format);
// The help line shown while a cell of a grid of this format is active.
QString FormatHelpLine(int format);

// The answers of one test: index i holds item i's code, index 0 unused.
using ItemAnswers = std::array<int, kItemCount + 1>;
// The 100-character answer string: for each item the last digit of its code's decimal text.
QString BuildResponses(const ItemAnswers& answers);

} // namespace dvq3
