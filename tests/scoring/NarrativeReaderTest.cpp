#include "scoring/NarrativeReader.h"
#include "ScoringFixtures.h"
#include "platform/ProgramFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace dvq3test;

namespace {

struct NarrativeReaderTest : ::testing::Test {
    TestFolder folder;
    void SetUp() override { InstallScoringFixtures(folder); }
    QString path(const char* name) const { return folder.path(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(NarrativeReaderTest, ParagraphsAreFoundInAnyOrderWithTheirLinesUnchanged) {
    // MEDIUM-HIGH stands before LOW RISK in the file; both are found.
    auto low = ReadNarrative(path("DVQ3VA.TXT"), "LOW RISK");
    ASSERT_TRUE(low) << low.error().text().toStdString();
    ASSERT_EQ(low.value().size(), 5);
    EXPECT_EQ(low.value()[0],
              QStringLiteral("Truthfulness is in the low range (zero to 39th percentile). The"));
    EXPECT_EQ(low.value()[3], QStringLiteral("considered accurate.   "));
    auto high = ReadNarrative(path("DVQ3VA.TXT"), "MEDIUM-HIGH");
    ASSERT_TRUE(high);
    ASSERT_EQ(high.value().size(), 7);
    EXPECT_EQ(high.value()[5], QString());
    auto last = ReadNarrative(path("DVQ3VA.TXT"), "MAXIMUM-HIGH");
    ASSERT_TRUE(last);
    EXPECT_EQ(last.value().size(), 4);
}

TEST_F(NarrativeReaderTest, KeysMatchExactly) {
    // The file's first paragraph is keyed "LOW RISK " with a trailing blank.
    auto low = ReadNarrative(path("DVQ3SC.TXT"), "LOW RISK");
    ASSERT_TRUE(low);
    EXPECT_TRUE(low.value()[0].startsWith("The applicant's Stress Coping score is in the low"));

    TestFolder::Write(path("DVQ3SC.TXT"),
                      "LOW RISK \r\ntext\r\nEND\r\nlow risk\r\ntext\r\nEND\r\n");
    auto missing = ReadNarrative(path("DVQ3SC.TXT"), "LOW RISK");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().text(),
              QStringLiteral("Scoring stopped: DVQ3SC.TXT has no paragraph for \"LOW RISK\"."));
}

TEST_F(NarrativeReaderTest, FaultsOfNarrativeFiles) {
    struct Case {
        const char* file;
        QByteArray content; // empty: the file is removed
        const char* key;
        const char* message;
    };
    const Case cases[] = {
        {"DVQ3VA.TXT", "MEDIUM-LOW\r\nfirst line\r\nsecond line\r\n", "MEDIUM-LOW",
         "Scoring stopped: DVQ3VA.TXT has no \"END\" line after the paragraph \"MEDIUM-LOW\"."},
        {"DVQ3VA.TXT", "", "LOW RISK",
         "Scoring stopped: DVQ3VA.TXT is missing from the program "
         "folder"},
        {"DVQ3SC.TXT", "# only a comment\r\n", "MAXIMUM-LOW",
         "Scoring stopped: DVQ3SC.TXT has no paragraph for \"MAXIMUM-LOW\"."},
    };
    for (const Case& c : cases) {
        if (c.content.isEmpty())
            QFile::remove(path(c.file));
        else
            TestFolder::Write(path(c.file), c.content);
        auto read = ReadNarrative(path(c.file), QString::fromLatin1(c.key));
        ASSERT_FALSE(read) << c.message;
        EXPECT_TRUE(read.error().text().startsWith(QString::fromLatin1(c.message)))
            << read.error().text().toStdString();
    }
}

TEST_F(NarrativeReaderTest, InvalidProfileTextRunsToItsEndLine) {
    auto text = ReadInvalidProfileText();
    ASSERT_TRUE(text);
    ASSERT_EQ(text.value().size(), 7);
    EXPECT_EQ(text.value()[3], QString());
    EXPECT_EQ(text.value()[6], QStringLiteral("answers and retest the applicant on another day."));

    TestFolder::Write(path("INVAL.TXT"), "INVALID PROFILE\r\n");
    auto unended = ReadInvalidProfileText();
    ASSERT_FALSE(unended);
    EXPECT_EQ(unended.error().text(),
              QStringLiteral("Scoring stopped: INVAL.TXT has no \"END\" line after its text."));
    QFile::remove(path("INVAL.TXT"));
    EXPECT_TRUE(ReadInvalidProfileText().error().text().contains("INVAL.TXT is missing"));
}
