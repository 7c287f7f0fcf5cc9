#include "platform/StartupGlobals.h"

namespace dvq3 {

QString SndPath;
QString DbPath;

QuestionDatabase& dbTest() {
    static QuestionDatabase db;
    return db;
}

} // namespace dvq3
