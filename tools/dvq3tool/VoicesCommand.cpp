#include "VoicesCommand.h"

#include "administration/VoiceFiles.h"
#include "platform/ProgramFolder.h"
#include "platform/QuestionDatabase.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace dvq3tool {

int RunVoices(const QStringList& args, QTextStream& out, QTextStream& err) {
    bool overwrite = false;
    QString root = dvq3::ProgramFile(QStringLiteral("Sounds"));
    int roots = 0;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--overwrite")) {
            overwrite = true;
        } else if (!arg.startsWith(u'-') && roots++ == 0) {
            root = arg;
        } else {
            err << "usage: dvq3tool voices [--overwrite] [SOUND_ROOT]\n";
            return 64;
        }
    }
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) {
        err << "espeak-ng is not installed: no voice files written\n";
        return 2;
    }
    dvq3::QuestionDatabase db;
    if (auto opened = db.open(dvq3::ProgramFile(QStringLiteral("DVQ3.MDB")), false); !opened) {
        err << opened.error().text() << '\n';
        return 2;
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
        return 2;
    }
    return 0;
}

} // namespace dvq3tool
