#include "records/NameDeletion.h"
#include "DriveFaults.h"
#include "TestFolder.h"

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;

TEST(NameDeletionTest, ScrambledNamesKeepShapeButNothingOfTheName) {
    const QString name = FitField("Ann Lee", 25);
    const QString first = ScrambleName(name);
    ASSERT_EQ(first.size(), 25);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(first[i] == u' ', name[i] == u' ') << i;
        EXPECT_TRUE(first[i].unicode() >= 32 && first[i].unicode() < 127);
    }
    EXPECT_NE(first.left(7), QStringLiteral("Duu Shh")); // the old reversible shift
    // Scrambling the same name again gives another result: it is not a function of the name.
    EXPECT_NE(ScrambleName(name), first);
    EXPECT_NE(ScrambleName(QString(25, u'A')), ScrambleName(QString(25, u'A')));
}
