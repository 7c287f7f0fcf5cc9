#include "VoicesCommand.h"

#include "CommandLine.h"
#include "administration/VoiceFiles.h"
#include "platform/ProgramFolder.h"
#include "platform/QuestionDatabase.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace dvq3tool {
namespace {

// Returns true when every prompt is in place, else false once err has said why.
bool SpeakPrompts(const QString& root, bool overwrite, QTextStream& out, QTextStream& err) {
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) {
        err << "espeak-ng is not installed: no voice files written\n";
        return false;
    }
    dvq3::QuestionDatabase db;
    if (auto opened = db.open(dvq3::ProgramFile(QStringLiteral("DVQ3.MDB")), false); !opened) {
        err << opened.error().text() << '\n';
        return false;
    }
    dvq3::VoiceInstaller installer(db, {QFileInfo(root).absoluteFilePath()});
    installer.overwrite = overwrite;
    dvq3::VoiceInstall result = installer.run();
    for (const dvq3::VoiceCount& count : result.languages) {
        if (!count.complete())
            break;
        out << count.language << ": " << count.prompts << " prompts in "
            << dvq3::VoiceFolder(root, count.language) << ", " << count.written << " written, "
            << count.kept << " kept\n";
    }
    if (result.end != dvq3::VoiceInstall::End::Done) {
        err << result.error.replace(u'\r', u' ') << '\n';
        return false;
    }
    return true;
}

} // namespace

int RunVoices(const QStringList& args, QTextStream& out, QTextStream& err) {
    CommandLine line(
        QStringLiteral("voices"), {QStringLiteral("voices [--overwrite] [SOUND_ROOT]")},
        QStringLiteral(
            "Speaks every prompt of each presentation language with espeak-ng into\n"
            "SOUND_ROOT/dvq3test/sound/LANGUAGE/ (default SOUND_ROOT: the program folder's\n"
            "Sounds). Prints one line per language."));
    line.addOption(
        {QStringLiteral("overwrite"), QStringLiteral("speak the prompts already there again")});
    if (const auto done = line.parse(args, {QStringLiteral("[SOUND_ROOT]")}, out, err))
        return *done;
    const QString root =
        line.positionalArguments().value(0, dvq3::ProgramFile(QStringLiteral("Sounds")));
    return SpeakPrompts(root, line.isSet(QStringLiteral("overwrite")), out, err) ? kExitOk
                                                                                 : kExitFailure;
}

} // namespace dvq3tool
