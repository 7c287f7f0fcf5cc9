// The scan's diagnostic switches on the command line.
#include "sheets/ScanSwitches.h"

#include <gtest/gtest.h>

using namespace dvq3;

TEST(ReadScanSwitches, ReadsTheWholeCommandLineInUpperCaseAndAllWinsOverFirst) {
    const auto row = [](QStringList args, ScanSwitches expected) {
        EXPECT_EQ(ReadScanSwitches(args), expected) << args.join(' ').toStdString();
    };
    row({"dvq3test", "/v", "all", "/v", "first"}, {true, false, false});
    row({"dvq3test", "/V FIRST", "/scan=debug"}, {false, true, true});
    row({"dvq3test", "/V", "ALLX"}, {true, false, false});
    row({"dvq3test", "/VALL", "/SCAN"}, {false, false, false});
}
