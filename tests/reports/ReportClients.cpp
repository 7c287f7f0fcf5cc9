#include "ReportClients.h"
#include "TestFolder.h"

namespace dvq3test {
namespace {

using dvq3::ClientRecord;

// A record of the fields in file order, '|' between them, up to the answers; never edited, name
// not deleted.
ClientRecord Record(const QString& fields) {
    ClientRecord record;
    auto field = dvq3::kClientFields.begin();
    for (const QString& text : fields.split(u'|'))
        record.set((field++)->member, text);
    record.set(&ClientRecord::EditCount, "0");
    record.set(&ClientRecord::NameDeleted, "0");
    return record;
}

} // namespace

std::vector<ReportClient> ReportClients() {
    return {
        // Truthfulness low, stress coping medium-high: two pages, override item 10.
        {"valid", 1,
         Record("Harlan Petrosky|42|1|03/14/1984|4|1|3|11/02/2026|P214-558-31-907-2|2|1|0|"
                "2122122212221212221211112212111211311214112213111421123323322331323234322322322323"
                "223223222224424343")},
        // Truthfulness in the problem range: the current status runs onto page 2.
        {"statusbreak", 2,
         Record("Maribel Okonkwo-Haines|35|2|07/22/1990|6|2|2|11/03/2026|M908-114-72-650-3|1|0|1|"
                "2112211221112222122211112212122123122121241221214122123333433333233133333323322323"
                "223223314333313232")},
        // Truthfulness 90 (doubtful), stress coping above every interval: scale 2's narrative
        // runs onto page 2, and the second part is page 3.
        {"narrativebreak", 3,
         Record(QStringLiteral(
                    u"Teodoro Valdés|29|1|01/05/1997|3|3|1|11/04/2026|V300-221-09-417-8|3|2|0|") +
                "2122221221122222112112212111111111111111111111111111113333333333333333333333344141"
                "441441141114444444")},
        // True to every statement of section 1: an invalid profile on one page.
        {"invalid", 4,
         Record("Lin Mei Harrow|51|2|12/30/1974|7|4|5|11/05/2026|H611-903-55-120-4|1|1|0|"
                "1111111111111111111111111111111111111111111111111111113333333333333333333333322222"
                "222222222224444444")},
        // Truthfulness 91 with scale 2 not scored: the not-scored footnote wins. 8 Yes and 9
        // Better answers fall just short of both criteria.
        {"notscored", 5,
         Record(
             "Maximilian Thorvaldsen-Ek|63|2|02/11/1963|8|6|4|11/06/2026|A002-417-66-381-9|10|4|12|"
             "2122221221122222122112211202011111111222222222222334403333333332222222222114020023"
             "020023023331234123")},
        // Nothing available, status, override and abstinence items unanswered, scale 1 not
        // scored, arrest counts "-1", "N" and "10".
        {"omissions", 11,
         Record("N|N|0|N|0|0|0|11/09/2026|N___-___-__-___-_|-1|N|10|"
                "0000010010211212221221122012101234012341111111111111010123433333333330333333311414"
                "114114414440123410")},
    };
}

ReportClient ClientOf(const char* report) {
    for (const ReportClient& client : ReportClients())
        if (qstrcmp(client.report, report) == 0)
            return client;
    return {};
}

QByteArray ExpectedReport(const char* report, int testNumber) {
    const int number = ClientOf(report).number;
    return TestFolder::Read(SourceFolder() + "/tests/reports/expected/" + report + ".prn")
        .replace("(Test #" + QByteArray::number(number) + ")",
                 "(Test #" + QByteArray::number(testNumber) + ")");
}

} // namespace dvq3test
