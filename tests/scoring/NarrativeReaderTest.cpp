#include "scoring/NarrativeReader.h"
#include "ScoringFixtures.h"
#include "scoring/ScoringMessages.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

TEST(NarrativeReader, ParagraphsAreFoundByTheirExactKeyWithTheirLinesUnchanged) {
    TestFolder folder;
    InstallScoringFixtures(folder);
    struct Case {
        const char *file, *key;
        int lines; // -1: not checked
        int line;  // one line checked
        const char* text;
    };
    // MEDIUM-HIGH stands before LOW RISK in DVQ3VA.TXT; DVQ3SC.TXT keys its first paragraph
    // "LOW RISK " with a trailing blank, which "LOW RISK" does not match.
    const Case cases[] = {
        {"DVQ3VA.TXT", "LOW RISK", 5, 0,
         "Truthfulness is in the low range (zero to 39th percentile). The"},
        {"DVQ3VA.TXT", "LOW RISK", 5, 3, "considered accurate.   "},
        {"DVQ3VA.TXT", "MEDIUM-HIGH", 7, 5, ""},
        {"DVQ3VA.TXT", "MAXIMUM-HIGH", 4, 0, "Truthfulness"},
        {"DVQ3SC.TXT", "LOW RISK", -1, 0, "The applicant's Stress Coping score is in the low"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        auto paragraph = ReadNarrative(LoadTextFile(folder.path(c.file)), c.key);
        ASSERT_TRUE(paragraph) << paragraph.error().text().toStdString();
        EXPECT_EQ(paragraph.value().size(), c.lines < 0 ? paragraph.value().size() : c.lines);
        EXPECT_PRED2(StartsWith, paragraph.value().value(c.line), c.text);
    }
    auto invalid = ReadInvalidProfileText(LoadTextFile(folder.path("INVAL.TXT")));
    ASSERT_TRUE(invalid);
    ASSERT_EQ(invalid.value().size(), 7);
    EXPECT_EQ(invalid.value()[3], QString());
    EXPECT_EQ(invalid.value()[6], "answers and retest the applicant on another day.");
}

TEST(NarrativeReader, FaultsOfNarrativeFilesAreToldWhenTheTextIsNeeded) {
    struct Case {
        const char* file;
        QByteArray content; // empty: the file is missing
        const char* key;    // nullptr: the invalid-profile text
        const char* message;
    };
    const Case cases[] = {
        {"DVQ3VA.TXT", "MEDIUM-LOW\r\nfirst line\r\nsecond line\r\n", "MEDIUM-LOW",
         "DVQ3VA.TXT has no \"END\" line after the paragraph \"MEDIUM-LOW\"."},
        {"DVQ3SC.TXT", "# only a comment\r\n", "MAXIMUM-LOW",
         "DVQ3SC.TXT has no paragraph for \"MAXIMUM-LOW\"."},
        {"DVQ3SC.TXT", "LOW RISK \r\ntext\r\nEND\r\nlow risk\r\ntext\r\nEND\r\n", "LOW RISK",
         "DVQ3SC.TXT has no paragraph for \"LOW RISK\"."},
        {"DVQ3SC.TXT", "LOW RISK\r\n", "LOW RISK",
         "DVQ3SC.TXT has no \"END\" line after the paragraph \"LOW RISK\"."},
        {"INVAL.TXT", "INVALID PROFILE\r\n", nullptr,
         "INVAL.TXT has no \"END\" line after its text."},
        {"INVAL.TXT", "", nullptr, "INVAL.TXT is missing from the program folder"},
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
        if (!c.content.isEmpty())
            TestFolder::Write(path, c.content);
        const TextFile file = LoadTextFile(path);
        EXPECT_PRED2(StartsWith,
                     FaultText(c.key ? ReadNarrative(file, c.key) : ReadInvalidProfileText(file)),
                     kScoringStopped + c.message);
    }
}
