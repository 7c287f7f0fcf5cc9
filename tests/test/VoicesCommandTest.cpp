#include "VoicesCommand.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Every prompt the database names is spoken into each language's sound folder; existing files
// are kept unless asked to overwrite.
TEST(VoicesCommandTest, SpeaksEveryPromptOnceAndKeepsWhatIsThere) {
    if (QStandardPaths::findExecutable("espeak-ng").isEmpty())
        GTEST_SKIP() << "espeak-ng is not installed";
    dvq3test::TestFolder folder;
    ASSERT_TRUE(QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB")));
    const QString root = folder.path("snd");
    const QString english = root + "/dvq3test/sound/English/";
    QDir().mkpath(english);
    dvq3test::TestFolder::Write(english + "E001Q.wav", "kept");
    struct Run {
        QStringList args;
        QString line;
    };
    const Run runs[] = {
        {{root},
         "English: 147 prompts in " + english + ", 146 written, 1 kept\nSpanish: 147 prompts in " +
             root + "/dvq3test/sound/Spanish/, 147 written, 0 kept\n"},
        {{"--overwrite", root},
         "English: 147 prompts in " + english + ", 147 written, 0 kept\nSpanish: 147 prompts in " +
             root + "/dvq3test/sound/Spanish/, 147 written, 0 kept\n"},
    };
    for (const Run& run : runs) {
        QString output, errors;
        QTextStream out(&output), err(&errors);
        ASSERT_EQ(dvq3tool::RunVoices(run.args, out, err), 0) << errors.toStdString();
        EXPECT_EQ(output, run.line);
        EXPECT_EQ(dvq3test::TestFolder::Read(english + "E001Q.wav") == "kept",
                  run.args.size() == 1);
    }
    for (const char* name : {"English/Inst0.wav", "English/E094A4.wav", "Spanish/STRUE.wav",
                             "Spanish/Inst4.wav", "English/EDNAPPLY.wav"})
        EXPECT_TRUE(
            dvq3test::TestFolder::Read(root + "/dvq3test/sound/" + QString::fromLatin1(name))
                .startsWith("RIFF"))
            << name;
    EXPECT_TRUE(QDir(english).entryList({"*.part"}).isEmpty());
    QString output, errors;
    QTextStream out(&output), err(&errors);
    EXPECT_EQ(dvq3tool::RunVoices({"--loud"}, out, err), 64);
}
