#include "platform/StartupGlobals.h"

namespace dvq3 {

QString SndPath;
QString DbPath;

QuestionDatabase& dbTest() {
    // Never destroyed: it must outlive nothing of Qt SQL's own global state. The program closes
    // it before it ends.
    static auto* db = new QuestionDatabase;
    return *db;
}

} // namespace dvq3
