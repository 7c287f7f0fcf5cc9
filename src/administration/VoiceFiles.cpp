#include "administration/VoiceFiles.h"

#include "administration/InstructionText.h"
#include "administration/QuestionTable.h"
#include "platform/DriveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <memory>

namespace dvq3 {

std::vector<VoicePrompt> VoicePrompts(Recordset& rs, bool spanish) {
    std::map<QString, QString> prompts;
    for (int s = 0; s < 5; ++s)
        prompts[QStringLiteral("Inst%1.wav").arg(s)] =
            InstructionText(spanish, s).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
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
    std::vector<VoicePrompt> list;
    for (auto& [file, text] : prompts)
        list.push_back({file, text});
    return list;
}

QString VoiceFolder(const QString& root, const QString& language) {
    return root + QStringLiteral("/dvq3test/sound/") + language + u'/';
}

int VoiceInstall::written() const {
    int sum = 0;
    for (const VoiceCount& count : languages)
        sum += count.written;
    return sum;
}

int VoiceInstall::kept() const {
    int sum = 0;
    for (const VoiceCount& count : languages)
        sum += count.kept;
    return sum;
}

namespace {

// Makes folder (absolute) and every missing folder above it, readable by everyone as the
// prompts are; a folder already there, or a link to one, is used as it is.
Status MakeFolders(const QString& folder) {
    QString path;
    for (const QString& part : folder.split(u'/', Qt::SkipEmptyParts)) {
        path += u'/' + part;
        const QByteArray native = NativePath(path);
        if (::mkdir(native.constData(), 0755) == 0)
            continue;
        const int made = errno;
        struct stat info {};
        if (made == EEXIST && ::stat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            continue;
        return DriveErrorFromErrno(made == EEXIST ? ENOTDIR : made, made == ENOENT);
    }
    return {};
}

// Speaks text into path whole: espeak-ng writes scratch, in a folder this run made for itself
// (nobody can have planted a link or a pipe there), which is then renamed over path. Whatever a
// failure leaves in scratch goes with its folder.
QString Speak(const QString& espeak, const QString& voice, const QString& text,
              const QString& scratch, const QString& path) {
    QProcess process;
    process.start(espeak, {QStringLiteral("-v"), voice, QStringLiteral("-w"), scratch, text});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        const QString why = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return QStringLiteral("espeak-ng failed for %1: %2")
            .arg(path, why.isEmpty() ? process.errorString() : why);
    }
    if (::rename(NativePath(scratch).constData(), NativePath(path).constData()) != 0) {
        return QStringLiteral("%1 cannot be written (%2).")
            .arg(path, DriveErrorFromErrno(errno).text());
    }
    return {};
}

} // namespace

VoiceInstaller::VoiceInstaller(const QuestionDatabase& db, QStringList roots)
    : db_(db), roots_(std::move(roots)) {}

VoiceInstall VoiceInstaller::run() {
    VoiceInstall result;
    // What is there already is counted before anything is spoken, so a stop at any point still
    // tells every language's kept prompts.
    std::vector<std::vector<VoicePrompt>> missing;
    int total = 0;
    for (const QString& language : PresentationLanguages(db_)) {
        auto table = OpenQuestionTable(db_, language);
        if (!table) {
            result.end = VoiceInstall::End::Fault;
            result.error = table.error().text();
            return result;
        }
        Recordset rs = std::move(table).value();
        VoiceCount count{language, VoiceFolder(roots_.value(0), language), 0, 0, 0};
        auto& toSpeak = missing.emplace_back();
        for (VoicePrompt& prompt : VoicePrompts(rs, IsSpanish(language))) {
            ++count.prompts;
            const auto there = [&](const QString& root) {
                return QFileInfo::exists(VoiceFolder(root, language) + prompt.file);
            };
            if (!overwrite && std::any_of(roots_.cbegin(), roots_.cend(), there))
                ++count.kept;
            else
                toSpeak.push_back(std::move(prompt));
        }
        total += static_cast<int>(toSpeak.size());
        result.languages.push_back(count);
    }
    if (total == 0)
        return result;

    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty()) {
        result.end = VoiceInstall::End::NoSpeaker;
        result.error = QStringLiteral("espeak-ng is not installed: no voice files written");
        return result;
    }
    // The first root whose language folders can be made takes the prompts; the scratch folder,
    // the user's alone, lies beside them so that a prompt is renamed into place on one file
    // system.
    std::unique_ptr<QTemporaryDir> scratch;
    QString root;
    QStringList refused;
    for (const QString& candidate : roots_) {
        if (candidate.isEmpty() || QDir::isRelativePath(candidate) || HoldsNul(candidate))
            continue;
        Status made;
        for (const VoiceCount& count : result.languages)
            if (made)
                made = MakeFolders(VoiceFolder(candidate, count.language));
        if (!made) {
            refused << QStringLiteral("The sound folders cannot be made in %1 (%2).")
                           .arg(candidate, made.error().text());
            continue;
        }
        scratch =
            std::make_unique<QTemporaryDir>(candidate + QStringLiteral("/.dvq3voices-XXXXXX"));
        if (scratch->isValid()) {
            root = candidate;
            break;
        }
        refused << QStringLiteral("No temporary folder can be made in %1 (%2).")
                       .arg(candidate, scratch->errorString());
    }
    if (root.isEmpty()) {
        result.end = VoiceInstall::End::NoFolder;
        result.error =
            refused.isEmpty() ? QStringLiteral("No sound folder is set.") : refused.join(u'\r');
        return result;
    }

    int done = 0;
    for (size_t i = 0; i < missing.size(); ++i) {
        VoiceCount& count = result.languages[i];
        count.folder = VoiceFolder(root, count.language);
        const QString voice =
            IsSpanish(count.language) ? QStringLiteral("es") : QStringLiteral("en");
        for (const VoicePrompt& prompt : missing[i]) {
            if (onProgress && !onProgress(count.language, prompt.file, done, total)) {
                result.end = VoiceInstall::End::Cancelled;
                return result;
            }
            result.error =
                Speak(espeak, voice, prompt.text, scratch->filePath(QStringLiteral("prompt.wav")),
                      count.folder + prompt.file);
            if (!result.error.isEmpty()) {
                result.end = VoiceInstall::End::Fault;
                return result;
            }
            ++count.written;
            ++done;
        }
    }
    return result;
}

namespace {

// One line per language: what was written and kept, and where.
QString Counts(const VoiceInstall& result) {
    QStringList lines;
    for (const VoiceCount& count : result.languages)
        lines << QStringLiteral("%1: %2 written, %3 kept, in %4")
                     .arg(count.language)
                     .arg(count.written)
                     .arg(count.kept)
                     .arg(count.folder);
    return lines.join(u'\r');
}

} // namespace

QString VoiceInstall::summary() const {
    switch (end) {
    case VoiceInstall::End::Done:
        return QStringLiteral("The voice files are installed: %1 prompts written, %2 kept.\r\r%3")
            .arg(written())
            .arg(kept())
            .arg(Counts(*this));
    case VoiceInstall::End::Cancelled:
        return QStringLiteral("Installing the voice files was cancelled: %1 prompts written, %2 "
                              "kept.\r\r%3\r\rChoose Install Voice Files again to speak the rest.")
            .arg(written())
            .arg(kept())
            .arg(Counts(*this));
    case VoiceInstall::End::NoSpeaker:
        return QStringLiteral(
            "No voice files could be installed: the speech program espeak-ng "
            "is not installed.\r\rInstall the package espeak-ng, then choose Install "
            "Voice Files again.");
    case VoiceInstall::End::NoFolder:
        return QStringLiteral("No voice files could be installed: no sound folder can be "
                              "written.\r\r%1\r\rMake sure one of these folders can be written "
                              "and has room, then choose Install Voice Files again.")
            .arg(error);
    case VoiceInstall::End::Fault:
        break;
    }
    return QStringLiteral("Installing the voice files stopped: %1\r\r%2 prompts written, %3 "
                          "kept.\r\r%4")
        .arg(error)
        .arg(written())
        .arg(kept())
        .arg(Counts(*this));
}

} // namespace dvq3
