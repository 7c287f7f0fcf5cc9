#include "station/Questionnaire.h"

namespace dvq3 {

namespace {

struct AnswerFormat {
    int choices;
    const char* helpLine;
};

// Formats 5 and 6 exist for the grid though no section uses them; both help lines are shown as
// written, the two blanks before "3=3" and the repeated "Often" included.
constexpr std::array<AnswerFormat, kFormatCount> kFormats = {{
    {2, "0=No answer, 1=True, 2=False, Tab=Next grid"},
    {4, "0=No answer, 1=Yes, 2=No, 3=I don't know, 4=Doesn't apply to me, Tab=Next grid"},
    {4, "0=No answer, 1=1, 2=2,  3=3, 4=4, Tab=Next grid"},
    {4, "0=No answer, 1=Rare or Never, 2=Sometimes, 3=Often, 4=Very Often or Always, Tab=Next "
        "grid"},
    {4, "0=No answer, 1=Worse, 2=No Change, 3=Better, 4=Does not apply to me, Tab=Next grid"},
    {5, "0=No answer, 1=True, 2=Mostly True, 3=Can't Decide, 4=Mostly False, 5=False, Tab=Next "
        "grid"},
    {5, "0=No answer, 1=Very Often, 2=Often, 3=Can't Decide, 4=Often, 5=Very Often, Tab=Next "
        "grid"},
}};

constexpr std::array<int, kSectionCount + 1> kSectionFormats = {-1, 0, 1, 4, 3, 2};

bool ValidFormat(int format) {
    return format >= 0 && format < kFormatCount;
}

} // namespace

int SectionOfItem(int item) {
    for (int s = 1; s <= kSectionCount; ++s)
        if (InRange(item, SectionStart[s - 1] + 1, SectionStart[s]))
            return s;
    return 0;
}

int SectionFormat(int section) {
    return InRange(section, 1, kSectionCount) ? kSectionFormats[section] : -1;
}

int FormatChoiceCount(int format) {
    return ValidFormat(format) ? kFormats[format].choices : 0;
}

QString FormatHelpLine(int format) {
    return ValidFormat(format) ? QString::fromLatin1(kFormats[format].helpLine) : QString();
}

QString BuildResponses(const ItemAnswers& answers) {
    QString responses;
    responses.reserve(kItemCount);
    for (int i = 1; i <= kItemCount; ++i)
        responses += QString::number(answers[i]).back();
    return responses;
}

} // namespace dvq3
