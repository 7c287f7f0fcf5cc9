#pragma once

#include "station/ClientRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace dvq3test {

// The clients whose whole reports are kept in tests/reports/expected, scored with the fixture
// scoring files.
struct ReportClient {
    const char* report; // expected/<report>.prn
    int number;         // record number, printed as the test number
    dvq3::ClientRecord record;
};

std::vector<ReportClient> ReportClients();
// The client of expected/<report>.prn.
ReportClient ClientOf(const char* report);
// The bytes of expected/<report>.prn, as printed for test number testNumber.
QByteArray ExpectedReport(const char* report, int testNumber);

} // namespace dvq3test
