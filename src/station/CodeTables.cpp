#include "station/CodeTables.h"

namespace dvq3 {

const std::array<QString, 3> GenderNames = {QStringLiteral("N/A"), QStringLiteral("Male"),
                                            QStringLiteral("Female")};
const std::array<QString, 7> RaceNames = {
    QStringLiteral("N/A"),      QStringLiteral("Caucasian"), QStringLiteral("Black"),
    QStringLiteral("Hispanic"), QStringLiteral("Asian"),     QStringLiteral("Native American"),
    QStringLiteral("Other")};
const std::array<QString, 6> MaritalNames = {
    QStringLiteral("N/A"),      QStringLiteral("Single"),    QStringLiteral("Married"),
    QStringLiteral("Divorced"), QStringLiteral("Separated"), QStringLiteral("Widowed")};
const std::array<QString, 9> EducationNames = {QStringLiteral("N/A"),
                                               QStringLiteral("8th grade or less"),
                                               QStringLiteral("Partial H.S."),
                                               QStringLiteral("G.E.D."),
                                               QStringLiteral("H.S. graduate"),
                                               QStringLiteral("Partial college"),
                                               QStringLiteral("Trade or technical school"),
                                               QStringLiteral("College graduate"),
                                               QStringLiteral("Advanced degree")};

} // namespace dvq3
