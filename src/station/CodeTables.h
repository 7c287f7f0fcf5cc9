#pragma once

#include <QString>

#include <array>

namespace dvq3 {

// Texts of the demographic codes stored in a client record; code 0 is always "N/A".
extern const std::array<QString, 3> GenderNames;
extern const std::array<QString, 7> RaceNames;
extern const std::array<QString, 6> MaritalNames;
extern const std::array<QString, 9> EducationNames;

} // namespace dvq3
