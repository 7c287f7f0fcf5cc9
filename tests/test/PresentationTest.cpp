#include "AdminFixture.h"
#include "shell/DiskCheck.h"
#include "test/AdminTexts.h"
#include "test/InstructionText.h"
#include "test/frmPresentQA.h"

#include <cerrno>

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

using namespace dvq3;
using dvq3test::Child;

namespace {

struct PresentationTest : dvq3test::AdminFixture {
    std::unique_ptr<frmPresentQA> window;

    void present(const QString& language = kEnglish) {
        window = std::make_unique<frmPresentQA>(
            session, language, OpenQuestionTable(session.dbTest, language).value(), audio);
        open(window.get());
    }
    QString instructions() const {
        return Child<QPlainTextEdit>(window.get(), "txtInstructions")->toPlainText();
    }
    bool instructionsShown() const {
        return Child<QGroupBox>(window.get(), "fraInstructions")->isVisible();
    }
    QString question() const {
        return Child<QPlainTextEdit>(window.get(), "txtQuestion")->toPlainText();
    }
    int item() const { return question().section(u'.', 0, 0).toInt(); }
    QString help() const { return Child<QLabel>(window.get(), "MsgPanel")->text(); }
    // Chooses answer index of the question on screen, from the question's focus.
    void choose(int index) {
        ASSERT_EQ(focusName(), "txtQuestion") << item();
        for (int i = 0; i <= index; ++i)
            key(Qt::Key_Down);
        key(Qt::Key_Return);
        // A new section's instructions are passed with Enter.
        if (window->isVisible() && instructionsShown())
            key(Qt::Key_Return);
    }
    // From the general instructions to the question of item n, answering 1 to each before it.
    void reach(int n) {
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        while (item() < n)
            choose(0);
    }
};

} // namespace

TEST_F(PresentationTest, InstructionScreensAreShownLineByLine) {
    struct Row {
        bool spanish;
        int section;
        int lines;
        int line;
        const char* text;
    };
    const Row rows[] = {
        {false, 0, 9, 0, "General Instructions"},
        {false, 1, 9, 4, "If a statement is TRUE highlight \"True\" then press Enter."},
        {false, 1, 9, 8, "     Press Enter to begin."},
        {false, 2, 12, 4, "                            1. Yes"},
        {false, 3, 12, 7, "                               4. Does not apply to me"},
        {false, 4, 12, 5, "                              2. Sometimes"},
        {false, 5, 5, 2,
         "Select the answer to each of the following statements that is accurate for you. "
         "Choose the answer (1, 2, 3 or 4) that applies to you now. "},
        {true, 0, 6, 0, "Instrucciones"},
        {true, 1, 1, 0,
         "Las oraciones de esta sección deben contestarse con «Cierto» o «Falso». Si la oración "
         "es cierta, ilumine el área que dice «Cierto» y entonces apriete «Enter». Si la oración "
         "es falsa, ilumine el  área que dice «Falso» y entonces apriete «Enter». Oprima la tecla "
         "«Enter» para comenzar."},
        {true, 3, 1, 0,
         "Las oraciones de esta sección deben describir su persona o circunstancias. Ilumine el "
         "número de la contestación que usted escoja y que más le acierte: 1, 2, 3 ó 4. Luego "
         "oprima la tecla «Enter»."},
        {true, 4, 6, 5, "            4. Muy seguido o muy a menudo"},
        {false, 6, 1, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.spanish << " " << row.section);
        const QString text = InstructionText(row.spanish, row.section);
        EXPECT_FALSE(text.endsWith("\r\n"));
        const QStringList lines = text.split("\r\n");
        ASSERT_EQ(lines.size(), row.lines);
        EXPECT_EQ(lines[row.line], QString::fromUtf8(row.text));
    }
    for (const char* name : {"Spanish", "SPANISH", "spanish", "sPaNiSh"})
        EXPECT_TRUE(IsSpanish(name)) << name;
    EXPECT_FALSE(IsSpanish("English"));
    EXPECT_FALSE(IsSpanish("Spanish "));
}

TEST_F(PresentationTest, SectionEdgesNotesInstructionsAndGoingBack) {
    makeSounds(kEnglish);
    present();
    EXPECT_EQ(instructions(), InstructionText(false, 0).replace("\r\n", "\n"));
    EXPECT_EQ(help(), kInstructionsHelp[0]);
    reach(1);
    EXPECT_EQ(item(), 1);
    EXPECT_EQ(help(), kQuestionHelp[0]);
    // A two-answer item: only buttons 0 and 1; Down from the question reaches button 0.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Child<QWidget>(window.get(), QString("sspMenuChoice%1").arg(i))->isVisible(),
                  i < 2);
    EXPECT_EQ(Child<QLabel>(window.get(), "txtButtonText1")->text(), "False");
    key(Qt::Key_Down);
    EXPECT_EQ(focusName(), "cmdMenuChoice0");
    EXPECT_EQ(help(), kAnswerHelpAudio);
    key(Qt::Key_Up);
    EXPECT_EQ(focusName(), "txtQuestion");
    // Tab goes through the answers and back to the question, which is spoken again.
    for (const char* next : {"cmdMenuChoice0", "cmdMenuChoice1", "txtQuestion"}) {
        key(Qt::Key_Tab);
        EXPECT_EQ(focusName(), next);
    }
    int beeps = messages.beeps;
    key(Qt::Key_F10);
    EXPECT_EQ(messages.beeps - beeps, 1);
    EXPECT_EQ(item(), 1);

    while (item() < 29)
        choose(0);
    audio.log.clear();
    key(Qt::Key_Down);
    key(Qt::Key_Return); // item 29
    EXPECT_EQ(messages.texts().last(), kSectionDoneText[0]);
    EXPECT_EQ(messages.boxes.last().title, kNoteTitle[0]);
    EXPECT_TRUE(instructionsShown());
    EXPECT_EQ(instructions(), InstructionText(false, 2).replace("\r\n", "\n"));
    EXPECT_EQ(audio.played().last(), "play Inst2.wav");
    key(Qt::Key_Return);
    EXPECT_EQ(item(), 30);
    EXPECT_EQ(Child<QLabel>(window.get(), "txtButtonText3")->text(), "Doesn't apply to me");

    // F10 on 30 shows 29 without instructions; answering it again gives the note and section
    // 2's instructions again.
    const int notes = messages.boxes.size();
    key(Qt::Key_F10);
    EXPECT_EQ(item(), 29);
    EXPECT_FALSE(instructionsShown());
    EXPECT_EQ(focusName(), "txtQuestion");
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(messages.boxes.size() - notes, 1);
    EXPECT_TRUE(instructionsShown());
    key(Qt::Key_Return);
    EXPECT_EQ(item(), 30);

    while (item() < 93)
        choose(0);
    key(Qt::Key_Down);
    audio.log.clear();
    key(Qt::Key_Return); // item 93
    EXPECT_EQ(messages.texts().last(), kSectionDoneText[0]);
    EXPECT_EQ(instructions(), InstructionText(false, 5).replace("\r\n", "\n"));
    EXPECT_TRUE(audio.played().isEmpty()) << audio.log.join(",").toStdString();
    EXPECT_EQ(messages.boxes.size(), notes + 1 + 3); // sections 2, 3 and 4 ended on the way
}

TEST_F(PresentationTest, AWholeTestStoresEveryAnswerAndCountsTheClient) {
    present();
    reach(1);
    auto faults = std::make_unique<dvq3test::DriveFaults>();
    faults->fail(DriveOp::Write, EIO, "DATA401", 1);
    messages.onShow = [this](const MsgBoxCall& box) {
        if (box.title == kDiskErrorTitle)
            messages.answer(vbCancel);
    };
    QString expected;
    for (int i = 1; i <= 100; ++i) {
        const int choices = i <= 29 ? 2 : 4;
        expected += QString::number(i % choices + 1);
        ASSERT_EQ(item(), i);
        if (i < 100)
            choose(i % choices);
    }
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    // The disk fails at the save: the answers wait on screen until Enter saves them.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(instructions(), QString(kNotSavedText).replace("\r\n", "\n"));
    EXPECT_EQ(messages.boxes.last().title, kDiskErrorTitle);
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
    faults.reset();
    key(Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(session.ContinueFlag);
    EXPECT_EQ(messages.texts().count(kCompletedText[0]), 1);
    EXPECT_EQ(messages.texts().count(kSectionDoneText[0]), 4);
    EXPECT_EQ(session.disk.NumClients(), 2);
    dvq3::ClientRecord record = NewClient();
    record.set(&ClientRecord::Responses, expected);
    EXPECT_EQ(recordOnDisk(2), record.toBytes());
    EXPECT_EQ(recordOnDisk(1), dvq3test::Client("Ann Lee").toBytes());
}

TEST_F(PresentationTest, SpanishShowsSpanishTexts) {
    present(kSpanish);
    EXPECT_EQ(window->windowTitle(), kPresentationCaption[1]);
    EXPECT_EQ(instructions(), InstructionText(true, 0).replace("\r\n", "\n"));
    EXPECT_EQ(help(), kInstructionsHelp[1]);
    reach(1);
    EXPECT_EQ(help(), kQuestionHelp[1]);
    EXPECT_EQ(Child<QLabel>(window.get(), "txtButtonText0")->text(), "Cierto");
    key(Qt::Key_Down);
    EXPECT_EQ(help(), kAnswerHelpSpanish);
    key(Qt::Key_Up);
    while (item() < 29)
        choose(1);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(messages.boxes.last().text, kSectionDoneText[1]);
    EXPECT_EQ(messages.boxes.last().title, kNoteTitle[1]);
    EXPECT_EQ(instructions(), InstructionText(true, 2).replace("\r\n", "\n"));
}

TEST_F(PresentationTest, AudioAsksForEachPromptInOrderAndStaysSilentWithoutIt) {
    struct Row {
        bool device;
        bool sounds;
        QStringList log;
        QString answerHelp;
    };
    const Row rows[] = {
        {true,
         true,
         {"play Inst0.wav", "stop", "play Inst1.wav", "stop", "play E001Q.wav", "stop",
          "play ETRUE.wav", "stop", "play E001Q.wav"},
         kAnswerHelpAudio},
        {true, false, {}, kAnswerHelpAudio},
        {false, true, {}, kAnswerHelpSilent},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.device << row.sounds);
        window.reset();
        QDir(session.SndPath).removeRecursively();
        if (row.sounds)
            makeSounds(kEnglish);
        audio.log.clear();
        audio.device = row.device;
        present();
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        key(Qt::Key_Down); // the question is cut off by the first answer
        EXPECT_EQ(help(), row.answerHelp);
        key(Qt::Key_Up); // and spoken again
        EXPECT_EQ(audio.log, row.log);
        EXPECT_EQ(window->AudioOn(), row.device);
        EXPECT_TRUE(messages.boxes.isEmpty());
    }
    // A device failure while playing: the skipped-prompt errors stay silent, any other is shown.
    for (int number : {52, 53, 57, 68, 75, 76})
        audio.onError(number, "ignored");
    audio.onError(296, "The file cannot be played.");
    ASSERT_EQ(messages.boxes.size(), 1);
    EXPECT_EQ(messages.boxes[0].text, "Error 296:The file cannot be played.");
    EXPECT_EQ(messages.boxes[0].title, kSoundErrorTitle);
    EXPECT_EQ(messages.boxes[0].icon(), vbCritical);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(PresentationTest, OnlyTheBreakOffKeyEndsItAndAMessageBoxChangesNothing) {
    present();
    reach(5);
    key(Qt::Key_Escape);
    window->close();
    window->showMinimized();
    QTest::qWait(20);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    // Another window over the presentation and back: nothing restarts.
    {
        QDialog box;
        box.show();
        box.activateWindow();
        QTest::qWait(20);
    }
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(20);
    EXPECT_EQ(item(), 5);
    EXPECT_FALSE(instructionsShown());
    key(Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(session.ContinueFlag);
    EXPECT_EQ(session.disk.NumClients(), 1);
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
}
