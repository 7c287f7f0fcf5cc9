#include "records/CodeTables.h"

namespace dvq3 {

std::array<QString, 3> GenderNames;
std::array<QString, 7> RaceNames;
std::array<QString, 6> MaritalNames;
std::array<QString, 9> EducationNames;

void InitCodeTables() {
    GenderNames = {"N/A", "Male", "Female"};
    RaceNames = {"N/A", "Caucasian", "Black", "Hispanic", "Asian", "Native American", "Other"};
    MaritalNames = {"N/A", "Single", "Married", "Divorced", "Separated", "Widowed"};
    EducationNames = {"N/A",
                      "8th grade or less",
                      "Partial H.S.",
                      "G.E.D.",
                      "H.S. graduate",
                      "Partial college",
                      "Trade or technical school",
                      "College graduate",
                      "Advanced degree"};
}

} // namespace dvq3
