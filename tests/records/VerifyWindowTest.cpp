#include "RecordsFixture.h"
#include "records/RecordsMessages.h"
#include "records/frmVerify.h"

#include <QLabel>
#include <QLineEdit>

using namespace dvq3;

namespace {

struct VerifyWindowTest : dvq3test::RecordsFixture {
    std::unique_ptr<frmVerify> window;
    // Section 1 takes 0 to 2, the others 0 to 4.
    QString stored = QString(29, u'1') + QString(71, u'3');

    void openWindow(const QString& responses) {
        ClientRecord client = dvq3test::Client("Ann Lee");
        client.Responses = FitField(responses, 100);
        makeDisk({client});
        window = std::make_unique<frmVerify>(session);
        open(window.get());
    }
    QWidget* box() { return child<QWidget>(window.get(), "txtCurQuestion"); }
    QString label(const char* name) { return child<QLabel>(window.get(), name)->text(); }
    void key(QChar c) { QTest::keyClicks(box(), QString(c)); }
};

} // namespace

TEST_F(VerifyWindowTest, SameAnswersNeedNoCorrection) {
    openWindow(stored);
    EXPECT_EQ(window->windowTitle(), kVerifyCaption);
    EXPECT_EQ(label("pnlMessage"), kVerifyHelp);
    EXPECT_EQ(label("lblCurQuestion"), "Question #1");
    const int beeps = messages.beeps;
    QTest::keyClick(box(), Qt::Key_Backspace); // nothing before the first question
    key(u'3');                                 // not an answer of section 1
    key(u'x');
    EXPECT_EQ(messages.beeps - beeps, 3);
    EXPECT_TRUE(child<QWidget>(window.get(), "Frame1")->isHidden());
    key(u'1');
    EXPECT_EQ(label("lblPrevQuestion"), "Question #1");
    EXPECT_EQ(label("lblCurQuestion"), "Question #2");
    EXPECT_EQ(child<QLineEdit>(window.get(), "txtPrevQuestion")->text(), "1");
    EXPECT_TRUE(child<QLineEdit>(window.get(), "txtCurQuestion")->text().isEmpty());
    key(u'2');
    QTest::keyClick(box(), Qt::Key_Backspace); // back to item 2, keyed again
    EXPECT_EQ(label("lblCurQuestion"), "Question #2");
    EXPECT_EQ(child<QLineEdit>(window.get(), "txtPrevQuestion")->text(), "1");
    for (int i = 1; i < 100; ++i) {
        if (i == 29)
            key(u'5'); // refused everywhere
        key(stored[i]);
    }
    EXPECT_EQ(messages.beeps - beeps, 4);
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].text, kNoCorrectionsText);
    EXPECT_EQ(messages.boxes[0].title, kNoCorrectionsTitle);
    EXPECT_EQ(messages.boxes[0].style, vbOKOnly);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(onDisk().mid(74, 100), stored.toLatin1());
}

TEST_F(VerifyWindowTest, DifferencesAreKeyedOnceMoreAndStored) {
    for (const QString& storedNow : {stored, stored.left(99)}) {
        SCOPED_TRACE(storedNow.size());
        messages.boxes.clear();
        QString keyed = stored;
        keyed[40] = u'4'; // item 41
        openWindow(storedNow);
        for (QChar c : keyed)
            key(c);
        ASSERT_EQ(messages.boxes.size(), 1);
        EXPECT_EQ(messages.boxes[0].text, kCorrectionsText);
        EXPECT_EQ(messages.boxes[0].title, kCorrectionsTitle);
        EXPECT_EQ(label("lblCurQuestion"), "Question #41");
        key(u'0'); // matches neither entry, and is stored
        if (storedNow.size() == 99) {
            EXPECT_EQ(label("lblPrevQuestion"), "Question #41");
            EXPECT_EQ(label("lblCurQuestion"), "Question #100");
            key(u'3');
        }
        ASSERT_EQ(messages.boxes.size(), 2);
        EXPECT_EQ(messages.boxes[1].text, kVerifiedText);
        EXPECT_EQ(messages.boxes[1].title, kVerifiedTitle);
        QString expected = stored;
        expected[40] = u'0';
        if (storedNow.size() == 99)
            expected[99] = u'3';
        EXPECT_EQ(session.CurrentClient().Responses, expected);
        EXPECT_EQ(onDisk().mid(74, 100), expected.toLatin1());
    }
}

TEST_F(VerifyWindowTest, CancelStoresNothing) {
    openWindow(stored);
    for (int i = 0; i < 100; ++i)
        key(u'0');
    ASSERT_EQ(messages.boxes.size(), 1); // now in the correction pass
    child<QWidget>(window.get(), "cmdCancel")->setFocus();
    EXPECT_EQ(label("pnlMessage"), kVerifyCancelHelp);
    QTest::keyClick(child<QWidget>(window.get(), "cmdCancel"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session.CurrentClient().Responses, stored);
    EXPECT_EQ(onDisk().mid(74, 100), stored.toLatin1());
}
