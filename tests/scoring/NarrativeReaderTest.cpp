#include "scoring/NarrativeReader.h"
#include "ScoringFixtures.h"
#include "scoring/ScoringMessages.h"

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

// Paragraphs found by their exact key, lines kept as they are (trailing blanks, blank lines) and
// the invalid-profile text are in the whole reports of tests/reports (valid, omissions, invalid).
TEST(NarrativeReader, FaultsOfNarrativeFilesAreToldWhenTheTextIsNeeded) {
    struct Case {
        const char* file;
        QByteArray content;
        const char* key; // nullptr: the invalid-profile text
        const char* message;
    };
    const Case cases[] = {
        {"DVQ3VA.TXT", "MEDIUM-LOW\r\nfirst line\r\nsecond line\r\n", "MEDIUM-LOW",
         "DVQ3VA.TXT has no \"END\" line after the paragraph \"MEDIUM-LOW\"."},
        {"DVQ3SC.TXT", "# only a comment\r\n", "MAXIMUM-LOW",
         "DVQ3SC.TXT has no paragraph for \"MAXIMUM-LOW\"."},
        {"DVQ3SC.TXT", "LOW RISK \r\ntext\r\nEND\r\nlow risk\r\ntext\r\nEND\r\n", "LOW RISK",
         "DVQ3SC.TXT has no paragraph for \"LOW RISK\"."},
        {"INVAL.TXT", "INVALID PROFILE\r\n", nullptr,
         "INVAL.TXT has no \"END\" line after its text."},
        {"DVQ3VA.TXT",
         "LOW RISK\r\n" + QByteArray(73, 'a') + "\r\n" + QByteArray(74, 'b') + "\r\nEND\r\n",
         "LOW RISK",
         "DVQ3VA.TXT, line 3: the line is 74 characters long, wider than the report's 73 "
         "columns for text."},
        // A byte-order mark is not part of the first line: the key still matches, so the fault
        // found is the one after it.
        {"DVQ3SC.TXT", "\xEF\xBB\xBFLOW RISK\r\ntext\r\n", "LOW RISK",
         "DVQ3SC.TXT has no \"END\" line after the paragraph \"LOW RISK\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        TestFolder folder;
        const QString path = folder.path(QString::fromLatin1(c.file));
        TestFolder::Write(path, c.content);
        const TextFile file = LoadTextFile(path);
        EXPECT_PRED2(StartsWith,
                     FaultText(c.key ? ReadNarrative(file, c.key) : ReadInvalidProfileText(file)),
                     kScoringStopped + c.message);
    }
}
