#include "VoicesCommand.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

using dvq3test::TestFolder;

// Every prompt the database names is spoken into each language's sound folder; existing files
// are kept unless asked to overwrite. espeak-ng itself speaks every prompt once; the overwrite
// run uses a stand-in that writes "RIFF " and the voice it was given. (That nothing is left half
// written or beside the prompts is the install window's test, through the same installer.)
TEST(VoicesCommandTest, SpeaksEveryPromptOnceAndKeepsWhatIsThere) {
    if (QStandardPaths::findExecutable("espeak-ng").isEmpty())
        GTEST_SKIP() << "espeak-ng is not installed";
    TestFolder folder;
    ASSERT_TRUE(QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB")));
    const QString root = folder.path("snd"), sound = root + "/dvq3test/sound/";
    QDir().mkpath(sound + "English");
    TestFolder::Write(sound + "English/E001Q.wav", "kept");
    QDir().mkpath(folder.path("bin"));
    TestFolder::Write(folder.path("bin/espeak-ng"), "#!/bin/sh\nprintf 'RIFF %s' \"$2\" >\"$4\"\n");
    QFile::setPermissions(folder.path("bin/espeak-ng"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    for (const bool standIn : {false, true}) { // the stand-in's run overwrites
        SCOPED_TRACE(standIn);
        qputenv("PATH", (standIn ? folder.path("bin").toLocal8Bit() + ":" : "") + path);
        QString output, errors;
        {
            QTextStream out(&output), err(&errors);
            const QStringList args = standIn ? QStringList{"--overwrite", root} : QStringList{root};
            EXPECT_EQ(dvq3tool::RunVoices(args, out, err), 0);
        }
        qputenv("PATH", path);
        EXPECT_EQ(output, QString("English: 147 prompts in %1English/, %2 written, %3 kept\n"
                                  "Spanish: 147 prompts in %1Spanish/, 147 written, 0 kept\n")
                              .arg(sound)
                              .arg(standIn ? 147 : 146)
                              .arg(standIn ? 0 : 1));
        EXPECT_EQ(TestFolder::Read(sound + "English/E001Q.wav"), standIn ? "RIFF en" : "kept");
        for (const QString name : {"English/Inst0.wav", "English/E094A4.wav", "Spanish/STRUE.wav",
                                   "Spanish/Inst4.wav", "English/EDNAPPLY.wav"}) {
            const QByteArray wav = TestFolder::Read(sound + name);
            const char* voice = name.startsWith("English") ? "RIFF en" : "RIFF es";
            EXPECT_EQ(standIn ? wav : wav.left(4) + wav.mid(8, 4), standIn ? voice : "RIFFWAVE")
                << name.toStdString();
        }
    }
}
