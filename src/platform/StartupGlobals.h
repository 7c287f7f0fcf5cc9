#pragma once

#include "platform/QuestionDatabase.h"

#include <QString>

namespace dvq3 {

// Set up at start-up and alive for the whole run.
extern QString SndPath; // root of the sound folders
extern QString DbPath;  // program folder + "/DVQ3.MDB"
// The question database, opened exclusively at start-up.
QuestionDatabase& dbTest();

} // namespace dvq3
