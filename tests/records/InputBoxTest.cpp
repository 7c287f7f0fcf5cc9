#include "RecordsFixture.h"
