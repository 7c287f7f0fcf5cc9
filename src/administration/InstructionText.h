#pragma once

#include <QString>

namespace dvq3 {

// Whether a presentation language is Spanish: its name upper-cased reads "SPANISH".
bool IsSpanish(const QString& language);

// The instruction screen of section 0 (general) to 5 in English or Spanish, lines separated by
// CR LF, the last without one; any other section gives an empty text.
QString InstructionText(bool spanish, int section);

} // namespace dvq3
