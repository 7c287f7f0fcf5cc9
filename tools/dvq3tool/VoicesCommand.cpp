#include "VoicesCommand.h"

#include "CommandLine.h"
#include "administration/InstructionText.h"
#include "administration/QuestionTable.h"
#include "platform/DriveFile.h"
#include "platform/ProgramFolder.h"
#include "platform/QuestionDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <map>

namespace dvq3tool {
namespace {

// The prompts of one language: file name (with ".wav") and the text spoken.
std::map<QString, QString> Prompts(dvq3::Recordset& rs, bool spanish) {
    std::map<QString, QString> prompts;
    for (int s = 0; s < 5; ++s)
        prompts[QStringLiteral("Inst%1.wav").arg(s)] =
            dvq3::InstructionText(spanish, s).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    const auto add = [&](const QString& nameField, const QString& textField) {
        const QString name = rs.field(nameField).toString().trimmed();
        const QString text = rs.field(textField).toString().trimmed();
        if (!name.isEmpty() && !text.isEmpty())
            prompts.emplace(name + QStringLiteral(".wav"), text);
    };
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        add(QStringLiteral("QuestionAudio"), QStringLiteral("TestQuestion"));
        for (int k = 1; k <= 5; ++k)
            add(QStringLiteral("ChoiceAudio%1").arg(k), QStringLiteral("ANSWER%1").arg(k));
    }
    return prompts;
}

// Speaks text into path whole. espeak-ng writes into scratch, a file in a folder this run made
// for itself (so nobody can have planted a link or a pipe there), and the file is then renamed
// over path: nothing beside path is ever followed or waited on.
bool Speak(const QString& espeak, const QString& voice, const QString& text, const QString& scratch,
           const QString& path, QString& error) {
    QProcess process;
    process.start(espeak, {QStringLiteral("-v"), voice, QStringLiteral("-w"), scratch, text});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error = QStringLiteral("espeak-ng failed for %1: %2")
                    .arg(path, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return false;
    }
    if (::rename(dvq3::NativePath(scratch).constData(), dvq3::NativePath(path).constData()) != 0) {
        error = QStringLiteral("cannot write %1 (%2)")
                    .arg(path, dvq3::DriveErrorFromErrno(errno).text());
        (void)dvq3::RemoveDriveFile(scratch);
        return false;
    }
    return true;
}

// Returns 0 when every prompt is in place, else 2 once err has said why.
int SpeakPrompts(const QString& root, bool overwrite, QTextStream& out, QTextStream& err);

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
    return SpeakPrompts(root, line.isSet(QStringLiteral("overwrite")), out, err) == 0
               ? kExitOk
               : kExitFailure;
}

namespace {

int SpeakPrompts(const QString& root, bool overwrite, QTextStream& out, QTextStream& err) {
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
    // Made exclusively and the user's alone, beside the sound folders so that a prompt is
    // renamed into place on the same file system.
    QDir().mkpath(root);
    const QTemporaryDir scratch(root + QStringLiteral("/.dvq3voices-XXXXXX"));
    if (!scratch.isValid()) {
        err << "cannot create a temporary folder in " << root << ": " << scratch.errorString()
            << '\n';
        return 2;
    }
    for (const QString& language : dvq3::PresentationLanguages(db)) {
        auto table = dvq3::OpenQuestionTable(db, language);
        if (!table) {
            err << table.error().text().replace(u'\r', u' ') << '\n';
            return 2;
        }
        dvq3::Recordset rs = std::move(table).value();
        const bool spanish = dvq3::IsSpanish(language);
        const QString dir = root + QStringLiteral("/dvq3test/sound/") + language + u'/';
        if (!QDir().mkpath(dir)) {
            err << "cannot create " << dir << '\n';
            return 2;
        }
        int written = 0, kept = 0;
        const auto prompts = Prompts(rs, spanish);
        for (const auto& [name, text] : prompts) {
            if (!overwrite && QFile::exists(dir + name)) {
                ++kept;
                continue;
            }
            QString error;
            if (!Speak(espeak, spanish ? QStringLiteral("es") : QStringLiteral("en"), text,
                       scratch.filePath(QStringLiteral("prompt.wav")), dir + name, error)) {
                err << error << '\n';
                return 2;
            }
            ++written;
        }
        out << language << ": " << prompts.size() << " prompts in " << dir << ", " << written
            << " written, " << kept << " kept\n";
        out.flush();
    }
    return 0;
}

} // namespace

} // namespace dvq3tool
