#include "records/Verification.h"

#include <gtest/gtest.h>

using namespace dvq3;

namespace {

// Keys the whole first pass: the stored answers with the given items changed.
Verification::Step KeyFirstPass(Verification& pass, const QString& answers) {
    Verification::Step step = Verification::Step::Next;
    for (int i = 0; i < 100; ++i)
        step = pass.Answer(answers[i]);
    return step;
}

const QString kStored = QString(29, u'1') + QString(71, u'3');

} // namespace

TEST(VerificationTest, SectionRangesRefuseWithoutMoving) {
    Verification pass(kStored);
    EXPECT_EQ(pass.Answer(u'3'), Verification::Step::Refused); // item 1 is True/False
    EXPECT_EQ(pass.Answer(u'x'), Verification::Step::Refused);
    EXPECT_EQ(pass.CurrentItem(), 1);
    for (int i = 1; i <= 29; ++i)
        ASSERT_EQ(pass.Answer(u'2'), Verification::Step::Next);
    EXPECT_EQ(pass.Answer(u'5'), Verification::Step::Refused);
    EXPECT_EQ(pass.Answer(u'4'), Verification::Step::Next); // item 30 takes 0..4
    EXPECT_EQ(pass.AnswerOf(30), u'4');
}

TEST(VerificationTest, BackReturnsWithinThePass) {
    Verification pass(kStored);
    EXPECT_FALSE(pass.Back());
    (void)pass.Answer(u'2');
    (void)pass.Answer(u'1');
    EXPECT_EQ(pass.PreviousItem(), 2);
    EXPECT_TRUE(pass.Back());
    EXPECT_EQ(pass.CurrentItem(), 2);
    EXPECT_EQ(pass.AnswerOf(2), u'1'); // kept until typed again
}

TEST(VerificationTest, ComparesThenOneCorrectionPass) {
    Verification same(kStored);
    EXPECT_EQ(KeyFirstPass(same, kStored), Verification::Step::NoDifferences);

    QString keyed = kStored;
    keyed[40] = u'0'; // item 41
    Verification pass(kStored);
    ASSERT_EQ(KeyFirstPass(pass, keyed), Verification::Step::Differences);
    EXPECT_EQ(pass.PassLength, 1);
    EXPECT_EQ(pass.CurrentItem(), 41);
    EXPECT_FALSE(pass.Back());
    EXPECT_EQ(pass.Answer(u'2'), Verification::Step::Corrected); // matches neither entry
    QString expected = kStored;
    expected[40] = u'2';
    EXPECT_EQ(pass.NewAnswers, expected);
}

TEST(VerificationTest, ShortStoredAnswersDifferWhereMissing) {
    Verification pass(kStored.left(97));
    ASSERT_EQ(KeyFirstPass(pass, kStored), Verification::Step::Differences);
    EXPECT_EQ(pass.PassLength, 3);
    EXPECT_EQ(pass.CurrentItem(), 98);
    (void)pass.Answer(u'1');
    EXPECT_EQ(pass.PreviousItem(), 98);
    EXPECT_EQ(pass.CurrentItem(), 99);
}
