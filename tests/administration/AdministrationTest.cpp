#include "AdminFixture.h"
#include "FakeWindows.h"
#include "OnScreen.h"
#include "administration/AdminTexts.h"
#include "administration/Audio.h"
#include "administration/InstructionText.h"
#include "administration/windows/frmInstallVoices.h"
#include "administration/windows/frmPresentQA.h"
#include "administration/windows/frmSelectEntryMethod.h"
#include "records/DiskCheck.h"

#include <cerrno>

using namespace dvq3;
using dvq3test::TestFolder;

namespace {

struct EntryMethodTest : dvq3test::AdminFixture {
    dvq3test::ModalScript script;
    dvq3test::FakeWindows chain;

    void SetUp() override {
        AdminFixture::SetUp();
        session.CurClient = 1;
        // Client information and court history confirm a new client as they would.
        session.windowOpener = &chain;
        chain.windows[ChainWindow::ClientInfo] = [this](Session&) {
            newClient();
            session.ContinueFlag = true;
        };
        chain.windows[ChainWindow::CourtHistory] = [](Session& s) { s.ContinueFlag = true; };
    }
    void openWindow() { show<frmSelectEntryMethod>(&audio); }
    void choose(int method) { keys(QString(method, u'd') + "e"); }
};

struct PresentationTest : dvq3test::AdminFixture {
    void present(const QString& language = kEnglish) {
        show<frmPresentQA>(language, OpenQuestionTable(session.dbTest, language).value(), audio);
    }
    QString instructions() const { return w<QPlainTextEdit>("txtInstructions")->toPlainText(); }
    static QString screen(bool spanish, int section) {
        return InstructionText(spanish, section).replace("\r\n", "\n");
    }
    bool instructionsShown() const { return w("fraInstructions")->isVisible(); }
    int item() const { // the number the question on screen begins with
        return w<QPlainTextEdit>("txtQuestion")->toPlainText().section(u'.', 0, 0).toInt();
    }
    QString button(int i) const { return text(qPrintable(QString("txtButtonText%1").arg(i))); }
    // Chooses answer index of the question on screen, from the question's focus; a new
    // section's instructions are passed with Enter.
    void choose(int index) {
        ASSERT_EQ(focused(), "txtQuestion") << item();
        keys(QString(index + 1, u'd') + "e");
        if (window->isVisible() && instructionsShown())
            keys("e");
    }
    // From the general instructions to the question of item n, answering 1 to each before it.
    void reach(int n) {
        keys("ee");
        while (item() < n)
            choose(0);
    }
};

} // namespace

// The title and the order of the methods are admin_e2e.sh's and scan_e2e.sh's.
TEST_F(EntryMethodTest, ShowsTheFourMethodsAndWhenEditingTheClientAndCancelEdit) {
    openWindow();
    for (int i = 0; i < 4; ++i, keys("d"))
        EXPECT_EQ(text(qPrintable(QString("cmdMenuChoice%1").arg(i))) + "|" + text("MsgPanel"),
                  kMethodCaptions[i] + "|" + kMethodHelp[i]);
    EXPECT_FALSE(w("lblClientName")->isVisible());
    session.EditExisting = true;
    openWindow();
    EXPECT_TRUE(w("lblClientName")->isVisible());
    EXPECT_EQ(text("lblClientName") + "|" + text("cmdMenuChoice3"),
              "Ann Lee                  |" + kCancelEditCaption);
}

// A whole test in Spanish before the code is admin_e2e.sh's "onscreen" run, through the chooser,
// its record's bytes included, as is that the chooser covers the screen behind every window
// meanwhile. Here the chooser cancelled stores nothing; with English only the presentation starts
// at once and the break-off key leads to the secret code, the chooser back at its size. The
// question table is checked before anything shows: each change comes on top of the ones before and
// its check runs first.
TEST_F(EntryMethodTest, OnScreenChainEndsWithTheSecretCodeAndRefusesTablesItCannotRunOn) {
    script.then([](QWidget* chooser) {
        QTest::qWait(20);
        QTest::keyClick(child<QWidget>(chooser, "cmdMenuChoice3"), Qt::Key_Return);
    });
    openWindow();
    choose(0);
    const QByteArray annOnly = dvq3test::Client("Ann Lee").toBytes();
    EXPECT_EQ(std::tuple(script.done(), window->isVisible(), messages.boxes.size(), onDisk()),
              std::tuple(true, false, 0, annOnly));
    ASSERT_TRUE(session.dbTest.execute("DROP TABLE [Spanish]"));
    session.CurClient = 1;
    script.then([&](QWidget* presentation) {
        QTest::qWait(20);
        EXPECT_EQ(presentation->windowTitle(), kPresentationCaption[0]);
        EXPECT_TRUE(w("fraSelectMethod")->isHidden());
        EXPECT_EQ(text("MsgPanel"), kWhenReadyHelp);
        keys("eeb");
    });
    // The secret code prompt: a wrong code first, then the right one.
    for (const char* code : {"x", "k"})
        script.then([code](QWidget* box) { dvq3test::Answer(box, code); });
    openWindow();
    const QSize normal = window->size(); // it covers the screen meanwhile
    choose(0);
    EXPECT_EQ(std::tuple(script.done(), window->isVisible(), window->size(),
                         session.disk.NumClients(), onDisk()),
              std::tuple(true, false, normal, 1, annOnly));
    EXPECT_EQ(messages.texts(), (QStringList{kTestBeginsText, kWrongCodeText}));
    const std::pair<const char*, const char*> rows[] = {
        {"UPDATE [English] SET ID = 7 WHERE ID = 8", "record 8 is not item 8"},
        {"DELETE FROM [English] WHERE ID = 100", "the table holds 99 questions, 100 are needed"},
        {"ALTER TABLE [English] DROP COLUMN ChoiceAudio5", "no field \"ChoiceAudio5\""},
        {"DROP TABLE [English]", "no such table"},
    };
    for (const auto& [change, why] : rows) {
        SCOPED_TRACE(change);
        ASSERT_TRUE(session.dbTest.execute(change));
        messages.boxes.clear();
        openWindow();
        choose(0);
        EXPECT_EQ(std::tuple(messages.boxes.size(), messages.boxes.value(0).title,
                             window->isVisible(), onDisk()),
                  std::tuple(1, kOnScreenTitle, false, annOnly));
        EXPECT_TRUE(messages.texts().join("").contains(why))
            << messages.texts().join("").toStdString();
    }
}

// A section past the last has no screen; Spanish is chosen by its name in any letter case.
TEST(InstructionText, NoScreenPastTheLastAndSpanishInAnyCase) {
    EXPECT_EQ(InstructionText(false, 6), QString());
    for (const char* name : {"Spanish", "SPANISH", "sPaNiSh"})
        EXPECT_TRUE(IsSpanish(name)) << name;
    EXPECT_FALSE(IsSpanish("English") || IsSpanish("Spanish "));
}

// Each row presents from the start: the first question, a two-answer item, its help, the prompts
// asked of the sound device (the question cut off by the first answer and spoken again), Tab
// through the answers and back, and the end of the first section.
TEST_F(PresentationTest, FirstQuestionItsPromptsAndTheEndOfTheFirstSection) {
    struct Row {
        const QString& language;
        bool device, sounds;
        const char *log, *answers; // log: joined by ","; answers: the two answers' captions
        QString answerHelp;
    };
    const Row rows[] = {
        {kEnglish, true, true,
         "play Inst0.wav,stop,play Inst1.wav,stop,play E001Q.wav,stop,play ETRUE.wav,stop,"
         "play E001Q.wav",
         "True|False", kAnswerHelpAudio},
        {kSpanish, true, false, "", "Cierto|Falso", kAnswerHelpSpanish},
        {kEnglish, false, true, "", "True|False", kAnswerHelpSilent},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.language.toStdString() << row.device << row.sounds);
        const bool spanish = row.language == kSpanish;
        window.reset();
        QDir(session.SndPath).removeRecursively();
        if (row.sounds)
            makeSounds();
        audio.log.clear();
        audio.device = row.device;
        messages.boxes.clear();
        present(row.language);
        EXPECT_EQ(instructions(), screen(spanish, 0));
        EXPECT_EQ(text("MsgPanel"), kInstructionsHelp[spanish]);
        keys("ee");
        EXPECT_EQ(item(), 1);
        EXPECT_EQ(text("MsgPanel"), kQuestionHelp[spanish]);
        EXPECT_EQ(button(0) + "|" + button(1), row.answers);
        keys("d");
        EXPECT_EQ(focused(), "cmdMenuChoice0");
        EXPECT_EQ(text("MsgPanel"), row.answerHelp);
        keys("u");
        EXPECT_EQ(focused(), "txtQuestion");
        EXPECT_EQ(audio.log.join(','), row.log);
        QStringList tabbed;
        for (int i = 0; i < 3; ++i)
            keys("t"), tabbed << focused();
        EXPECT_EQ(tabbed, (QStringList{"cmdMenuChoice0", "cmdMenuChoice1", "txtQuestion"}));
        while (item() < 29)
            choose(1);
        keys("de");
        EXPECT_EQ(messages.texts(), QStringList{kSectionDoneText[spanish]});
        EXPECT_EQ(messages.boxes.last().title, kNoteTitle[spanish]);
        EXPECT_EQ(instructions(), screen(spanish, 2));
    }
    // A device failure while playing: the skipped-prompt errors stay silent, any other is shown.
    messages.boxes.clear();
    for (int number : {52, 53, 57, 68, 75, 76})
        audio.onError(number, "ignored");
    audio.onError(296, "The file cannot be played.");
    EXPECT_EQ(boxes(), QStringList{Box(kSoundErrorTitle, "Error 296:The file cannot be played.")});
    EXPECT_EQ(std::pair(messages.boxes.value(0).icon(), window->isVisible()),
              std::pair(int(vbCritical), true));
}

// What the client sees, sampled from the rendered window: the question box cyan with black text
// while it has the focus and blue with white text while an answer has it, the focused answer's
// panel cyan with its text drawn bold and the others blue; the instructions black on white. Each
// row names an item, the focus (-1: the question) and what the question box and the visible
// answer panels show ("!": the answer's text is bold).
TEST_F(PresentationTest, QuestionAndAnswersShowTheirColoursInEachFocus) {
    struct Row {
        int item, focus;
        const char* looks;
    };
    const Row rows[] = {
        {1, -1, "cyan/black | blue blue"},
        {1, 0, "blue/white | cyan! blue"},
        {1, 1, "blue/white | blue cyan!"},
        {30, -1, "cyan/black | blue blue blue blue"},
        {30, 3, "blue/white | blue blue blue cyan!"},
    };
    const auto viewport = [this](const char* name) { return w<QPlainTextEdit>(name)->viewport(); };
    present(); // the colours do not depend on the language
    EXPECT_EQ(dvq3test::OnScreen(window.get()).looks(viewport("txtInstructions")), "white/black");
    keys("ee");
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.item << " " << row.focus);
        while (item() < row.item)
            choose(0);
        keys(QString(row.focus + 1, u'd'));
        const dvq3test::OnScreen shown(window.get());
        auto* question = viewport("txtQuestion"); // inside the focus frame
        QString looks = shown.looks(question, question->rect().adjusted(3, 3, -3, -3)) + " |";
        for (int i = 0; i < 5; ++i) {
            auto* panel = w<QFrame>(qPrintable(QString("sspMenuChoice%1").arg(i)));
            if (!panel->isVisible())
                continue;
            const int edge = panel->frameWidth() + 1; // inside the frame, beside the button
            looks += " " + dvq3test::OnScreen::Name(
                               shown.fill(panel, QRect(edge, edge, 3, panel->height() - 2 * edge)));
            auto* caption = w<QLabel>(qPrintable(QString("txtButtonText%1").arg(i)));
            if (dvq3test::DrawnTexts(caption).value(0).font.bold())
                looks += "!";
        }
        EXPECT_EQ(looks, QString(row.looks));
        keys(QString(row.focus + 1, u'u'));
    }
}

// Each row starts a new presentation with every recording in place, answers 1 up to item `from`,
// presses the keys and checks the notes so far (every one the section-done note), the
// instructions shown and what the last key played on them, then presses `then`.
TEST_F(PresentationTest, SectionEdgesNotesInstructionsAndGoingBack) {
    struct Row {
        const char* name;
        int from;
        const char* keys;
        int beeps, notes, section; // section: whose instructions show; -1: the question
        QStringList played;
        const char* then;
        int item;
    };
    const QStringList inst2{"play Inst2.wav"};
    const Row rows[] = {
        {"29 answered", 29, "de", 0, 1, 2, inst2, "e", 30},
        {"Tab with Alt, Ctrl or Shift stays", 29, "deacs", 0, 1, 2, {}, "kde", 31},
        {"93 answered: silent instructions", 93, "de", 0, 4, 5, {}, "e", 94},
        {"F10 on 1", 1, "f", 1, 0, -1, {}, "", 1},
        {"F10 on 30", 30, "f", 0, 1, -1, {}, "", 29},
        {"29 answered again", 30, "fdde", 0, 2, 2, inst2, "e", 30},
    };
    makeSounds();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        messages.boxes.clear();
        messages.beeps = 0;
        present();
        reach(row.from);
        keys(QString(row.keys).chopped(1));
        audio.log.clear(); // what the last key has played
        keys(QString(row.keys).right(1));
        const QStringList played = row.section >= 0 ? audio.log.filter("play ") : QStringList();
        EXPECT_EQ(std::tuple(messages.beeps, messages.texts(), played),
                  std::tuple(row.beeps, QStringList(row.notes, kSectionDoneText[0]), row.played));
        EXPECT_EQ(instructionsShown() ? instructions() : focused(),
                  row.section >= 0 ? screen(false, row.section) : "txtQuestion");
        keys(row.then);
        EXPECT_EQ(item(), row.item);
        if (row.item == 30) {
            EXPECT_EQ(button(3), "Doesn't apply to me");
        }
    }
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
    keys("de");
    // The disk fails at the save: the answers wait on screen until Enter saves them.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(instructions(), QString(kNotSavedText).replace("\r\n", "\n"));
    EXPECT_EQ(messages.boxes.last().title, kDiskErrorTitle);
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
    faults.reset();
    keys("e");
    EXPECT_EQ(std::tuple(window->isVisible(), session.ContinueFlag, session.disk.NumClients(),
                         messages.texts().count(kCompletedText[0]),
                         messages.texts().count(kSectionDoneText[0])),
              std::tuple(false, true, 2, 1, 4));
    dvq3::ClientRecord record = NewClient();
    record.set(&ClientRecord::Responses, expected);
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes() + record.toBytes());
}

TEST_F(PresentationTest, OnlyTheBreakOffKeyEndsItAndAMessageBoxChangesNothing) {
    present();
    reach(5);
    keys("x");
    window->close();
    window->showMinimized();
    QTest::qWait(20);
    EXPECT_EQ(std::pair(window->isVisible(), window->isMinimized()), std::pair(true, false));
    // Another window over the presentation and back: nothing restarts.
    dvq3test::CoverAndReturn(window.get());
    EXPECT_EQ(std::pair(item(), instructionsShown()), std::pair(5, false));
    keys("b");
    EXPECT_EQ(std::tuple(window->isVisible(), session.ContinueFlag, session.disk.NumClients()),
              std::tuple(false, false, 1));
    EXPECT_EQ(onDisk(), dvq3test::Client("Ann Lee").toBytes());
}

using InstallVoicesTest = dvq3test::AdminFixture;

// The missing prompts of both languages are spoken, by a stand-in espeak-ng writing "RIFF" and its
// voice, into the sound folder, or the user's own folder when the sound folder cannot be written;
// the presentation plays them from there, a recording in the sound folder first. A recording
// already there is kept as it is. Esc stops between two prompts and leaves only whole ones, as
// does a prompt espeak-ng fails on. Rows differ in set-up: files planted where a folder is
// wanted, Esc after two prompts, the espeak-ng on the PATH.
TEST_F(InstallVoicesTest, SpeaksTheMissingPromptsKeepsRecordingsAndSaysHowMany) {
    const QString sound = folder.path("snd/dvq3test/sound"),
                  user = folder.path("user/Sounds/dvq3test/sound");
    const QString done = "The voice files are installed: 293 prompts written, 1 kept.\r\r"
                         "English: 146 written, 1 kept, in %1/English/\r"
                         "Spanish: 147 written, 0 kept, in %1/Spanish/";
    const QString noFolder =
        "The sound folders cannot be made in " + folder.path("%1") + " (Error 76:Path not found).";
    const QString spanishNone = "Spanish: 0 written, 0 kept, in " + sound + "/Spanish/";
    const QString cancelled = "Installing the voice files was cancelled: %1 prompts written, 1 "
                              "kept.\r\rEnglish: %1 written, 1 kept, in " +
                              sound + "/English/\r" + spanishNone +
                              "\r\rChoose Install Voice Files again to speak the rest.";
    const QString failed = "Installing the voice files stopped: espeak-ng failed for " + sound +
                           "/Spanish/Inst0.wav: no voice\r\r146 prompts written, 1 kept.\r\r"
                           "English: 146 written, 1 kept, in " +
                           sound + "/English/\r" + spanishNone;
    const QString noEspeak = "No voice files could be installed: the speech program espeak-ng is "
                             "not installed.\r\rInstall the package espeak-ng, then choose "
                             "Install Voice Files again.";
    const QString noRoom =
        "No voice files could be installed: no sound folder can be written.\r\r" +
        noFolder.arg("snd") + "\r" + noFolder.arg("user/Sounds") +
        "\r\rMake sure one of these folders can be written and has room, "
        "then choose Install Voice Files again.";
    const char* speaks = "printf 'RIFF %s' \"$2\" >\"$4\"";
    const QByteArray onlyEnglish =
        speaks + QByteArray("; [ $2 = en ] || { echo no voice >&2; exit 1; }");
    struct Row {
        QStringList blocked; // regular files where folders are wanted
        const char* espeak;  // the stand-in's script, none when null
        int written;         // -1: Esc after two prompts; those spoken before it (%1 in the text)
        QString heard;       // where the presentation finds Inst0.wav then
        QString text;
    };
    const Row rows[] = {
        {{}, speaks, 293, sound, done.arg(sound)},
        {{"snd/dvq3test/sound/Spanish"}, speaks, 293, user, done.arg(user)},
        {{}, speaks, -1, "", cancelled},
        {{}, onlyEnglish.constData(), 146, sound, failed},
        {{}, nullptr, 0, "", noEspeak},
        {{"snd/dvq3test/sound/Spanish", "user"}, speaks, 0, "", noRoom},
    };
    QDir().mkpath(folder.path("bin"));
    const QByteArray path = qgetenv("PATH");
    session.userSndPath = folder.path("user/Sounds"); // in the user's data folder
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        QDir(folder.path("snd")).removeRecursively();
        QDir(folder.path("user")).removeRecursively();
        QFile::remove(folder.path("user"));
        QDir().mkpath(sound + "/English");
        TestFolder::Write(sound + "/English/E001Q.wav", "kept");
        for (const QString& file : row.blocked)
            TestFolder::Write(folder.path(file), "");
        messages.boxes.clear();
        QFile::remove(folder.path("bin/espeak-ng"));
        if (row.espeak) {
            TestFolder::Write(folder.path("bin/espeak-ng"), QByteArray("#!/bin/sh\n") + row.espeak);
            QFile::setPermissions(folder.path("bin/espeak-ng"), QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", folder.path("bin").toLocal8Bit());
        bool escape = row.written < 0;
        QTimer esc;
        QObject::connect(&esc, &QTimer::timeout, [&] {
            auto* bar = window ? window->findChild<QProgressBar*>("prgVoices") : nullptr;
            if (!bar || bar->value() < 2 || !std::exchange(escape, false))
                return;
            // While it speaks: its caption, the keyboard on Cancel, every text whole.
            EXPECT_EQ(window->windowTitle(), "Install Voice Files");
            EXPECT_EQ(focused(), "cmdMenuChoice0");
            EXPECT_EQ(dvq3test::CutTexts(window.get()), QStringList());
            keys("x");
            EXPECT_EQ(text("MsgPanel"), "Stopping after the prompt being spoken...");
        });
        esc.start(0);
        window = std::make_unique<frmInstallVoices>(session);
        static_cast<QDialog*>(window.get())->exec(); // as the main menu opens it
        qputenv("PATH", path);
        // Every other file is a whole prompt in its language's voice; no scratch is left.
        EXPECT_EQ(TestFolder::Read(sound + "/English/E001Q.wav"), "kept");
        int written = 0;
        QStringList strays;
        for (const QString& root : {folder.path("snd"), folder.path("user")})
            for (QDirIterator it(
                     root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                     QDirIterator::Subdirectories);
                 it.hasNext();) {
                const QString at = it.next();
                const QString voice = at.contains("/English/") ? "RIFF en" : "RIFF es";
                if (it.fileInfo().isDir()
                        ? !it.fileName().startsWith('.')
                        : at.endsWith("/English/E001Q.wav") ||
                              row.blocked.contains(at.mid(folder.path("").size())))
                    continue;
                if (at.endsWith(".wav") && TestFolder::Read(at) == voice)
                    ++written;
                else
                    strays << at;
            }
        EXPECT_EQ(strays, QStringList());
        if (row.heard == user) { // the data folder it made holds client data too
            EXPECT_EQ(TestFolder::Mode(folder.path("user")), 0700);
        }
        if (row.written >= 0)
            EXPECT_EQ(written, row.written);
        else
            EXPECT_TRUE(written >= 2 && written < 293) << written;
        EXPECT_EQ(messages.texts(),
                  QStringList{row.written < 0 ? row.text.arg(written) : row.text});
        EXPECT_EQ(messages.boxes.value(0).title, "Install Voice Files");
        // The presentation hears Inst0.wav where it was installed, and a recording put into the
        // sound folder rather than the user's.
        Audio presentation(audio, session.SndPath, kEnglish, session.userSndPath);
        presentation.InitAudio();
        audio.path.clear();
        presentation.PlaySound("Inst0.wav");
        EXPECT_EQ(audio.path, row.heard.isEmpty() ? "" : row.heard + "/English/Inst0.wav");
        TestFolder::Write(sound + "/English/Inst0.wav", "agency");
        presentation.PlaySound("Inst0.wav");
        EXPECT_EQ(audio.path, sound + "/English/Inst0.wav");
    }
}
