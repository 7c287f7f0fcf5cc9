#include "Commands.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

// The tool's command line as a user meets it: help on standard output with status 0, a wrong
// argument named on standard error with the usage and status 2, and nothing on the other stream.
// Every command shares one parser: one help row shows a command's help, each command's wrong
// arguments show its own rules.
TEST(CommandLine, HelpVersionAndWrongArgumentsOfEveryCommand) {
    struct Row {
        QStringList args;
        int status;
        QString shown; // on standard output when the status is 0, else on standard error
    };
    const QString usage = "\nusage: dvq3tool report N [--drive DIR] [--pdf FILE]\n";
    const Row rows[] = {
        {{"--help"}, 0, "usage: dvq3tool COMMAND [ARGUMENT...]\n"},
        {{"-h"}, 0, "\n  report      score clients and write their reports"},
        {{"--version"}, 0, "dvq3tool " DVQ3_VERSION "\n"},
        {{"dump", "--help"}, 0, "usage: dvq3tool dump DRIVE\n"},
        {{"report", "all", "--out", "x", "--help"}, 0, "\n  --pdf        also print each"},
        {{}, 2, "dvq3tool: no command given\nusage: dvq3tool COMMAND"},
        {{"frob"}, 2, "dvq3tool: unknown command \"frob\"\nusage: dvq3tool COMMAND"},
        {{"--frob"}, 2, "dvq3tool: Unknown option 'frob'.\nusage: dvq3tool COMMAND"},
        {{"report"}, 2, "dvq3tool report: the client number is missing" + usage},
        {{"report", "x"}, 2, "dvq3tool report: the client number \"x\" is not a number" + usage},
        {{"report", "2147483647-2147483647"}, 2, "\"2147483647-2147483647\" is not a number"},
        {{"report", "1", "2"}, 2, "dvq3tool report: unexpected argument \"2\"" + usage},
        {{"report", "--drive"}, 2, "dvq3tool report: Missing value after '--drive'." + usage},
        {{"report", "1", "--pdf"}, 2, "dvq3tool report: Missing value after '--pdf'."},
        {{"report", "3-2", "--out", "."}, 2, "\"3-2\" is not \"all\", a client number, a range"},
        {{"dump"}, 2, "dvq3tool dump: DRIVE is missing\nusage: dvq3tool dump DRIVE\n"},
        {{"dump", "a", "b"}, 2, "dvq3tool dump: unexpected argument \"b\"\n"},
        {{"build-db", "x.mdb"}, 2, "dvq3tool build-db: SOURCE is missing\n"},
        {{"build-disk", "a", "b", "--force=yes"}, 2, "Unexpected value after '--force'."},
        {{"decode"}, 2, "dvq3tool decode: IMAGE is missing\n"},
        {{"sheet", "--db", "x"}, 2, "dvq3tool sheet: --pdf FILE is missing\n"},
        {{"voices", "--loud"}, 2, "dvq3tool voices: Unknown option 'loud'.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(' ').toStdString());
        const dvq3test::ToolRun run = dvq3test::RunTool([&](QTextStream& out, QTextStream& err) {
            return dvq3tool::RunCommandLine(row.args, out, err);
        });
        EXPECT_EQ(run.status, row.status);
        EXPECT_TRUE((row.status == 0 ? run.out : run.err).contains(row.shown))
            << run.out.toStdString() << run.err.toStdString();
        EXPECT_EQ(row.status == 0 ? run.err : run.out, QString());
    }
}
