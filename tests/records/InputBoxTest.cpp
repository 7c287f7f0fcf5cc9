#include "RecordsFixture.h"
#include "records/RecordsMessages.h"
#include "records/SecretCode.h"
#include "records/frmMyInputBox.h"

#include <QLabel>
#include <QLineEdit>

using namespace dvq3;

namespace {
struct InputBoxTest : dvq3test::RecordsFixture {};
} // namespace

TEST_F(InputBoxTest, SecretCodeRepeatsUntilKAndCannotBeClosed) {
    dvq3test::ModalScript script;
    QStringList echoes;
    for (const QString& typed : {QString(), QStringLiteral("x"), QStringLiteral("k")}) {
        script.then([&echoes, typed](QWidget* box) {
            EXPECT_EQ(box->windowTitle(), kSecretCodeCaption);
            EXPECT_EQ(box->findChild<QLabel*>("lblHelpMsg")->text(), kSecretCodeHelp);
            EXPECT_TRUE(box->findChild<QWidget*>("sspMenuChoice1")->isHidden());
            auto* input = box->findChild<QLineEdit*>("txtInput");
            echoes << QString::number(input->echoMode() == QLineEdit::Password);
            box->close(); // the window manager's close and Alt+F4
            QTest::keyClick(input, Qt::Key_Escape);
            EXPECT_TRUE(box->isVisible());
            if (typed.isEmpty()) {
                QTest::keyClick(input, Qt::Key_Return);
                QTest::keyClick(box->findChild<QWidget*>("cmdMenuChoice0"), Qt::Key_Return);
                EXPECT_TRUE(box->isVisible());
                dvq3test::Answer(box, "K");
                return;
            }
            dvq3test::Answer(box, typed);
        });
    }
    // First box: empty, then "K" accepted at once; run again for the wrong code.
    EXPECT_TRUE(GetSecretCode());
    EXPECT_EQ(messages.texts(), QStringList{kPasswordRequired});
    EXPECT_EQ(messages.boxes[0].title, kInputRequiredTitle);
    EXPECT_EQ(messages.boxes[0].icon(), vbQuestion);

    messages.boxes.clear();
    EXPECT_TRUE(GetSecretCode()); // "x" then "k"
    EXPECT_EQ(messages.texts(), QStringList{kWrongCodeText});
    EXPECT_EQ(messages.boxes[0].title, kWrongCodeTitle);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(echoes, (QStringList{"1", "1", "1"}));
}

TEST_F(InputBoxTest, PropertiesLengthCancelAndClose) {
    frmMyInputBox box;
    box.setInputLength(8);
    box.setHelpMessage("Client name?");
    dvq3test::ModalScript script;
    script.then([](QWidget* shown) {
        auto* input = shown->findChild<QLineEdit*>("txtInput");
        EXPECT_EQ(input->echoMode(), QLineEdit::Normal);
        QTest::keyClick(input, Qt::Key_Return);
        QTest::keyClick(shown->findChild<QWidget*>("cmdMenuChoice0"), Qt::Key_Return);
        dvq3test::Answer(shown, "123456789");
    });
    box.exec();
    EXPECT_EQ(messages.texts(), QStringList{kDataRequired});
    EXPECT_EQ(box.InputValue(), "12345678"); // the ninth key is not taken
    EXPECT_FALSE(box.Cancelled());

    for (int way = 0; way < 2; ++way) {
        box.setProperty("scripted", false);
        script.then([way](QWidget* shown) {
            EXPECT_TRUE(shown->findChild<QLineEdit*>("txtInput")->text().isEmpty());
            if (way == 0)
                QTest::keyClick(shown->findChild<QWidget*>("cmdMenuChoice1"), Qt::Key_Return);
            else
                shown->close();
        });
        box.exec();
        EXPECT_TRUE(box.Cancelled()) << way;
        EXPECT_TRUE(box.InputValue().isEmpty()) << way; // cleared when the box opened
    }
}
