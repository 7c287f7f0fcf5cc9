#include "administration/Audio.h"

#include "administration/VoiceFiles.h"

#include <QFileInfo>

namespace dvq3 {

QString SoundError::text() const {
    return QStringLiteral("Error %1:%2").arg(number).arg(description);
}

Audio::Audio(AudioBackend& backend, const QString& sndPath, const QString& language,
             const QString& userSndPath)
    : backend_(backend), sndPath_(sndPath), language_(language), userSndPath_(userSndPath) {}

QString Audio::SoundDir() const {
    return sndPath_ + QStringLiteral("/dvq3test") + QStringLiteral("/sound/") + language_ + u'/';
}

void Audio::InitAudio() {
    for (int s = 0; s < 5; ++s)
        InstFile[s] = QStringLiteral("Inst%1.wav").arg(s);
    InstFile[5].clear();
    AudioOn = backend_.available();
}

void Audio::PlaySound(const QString& file) {
    if (!AudioOn)
        return;
    CloseAudio();
    if (file.isEmpty())
        return;
    QFileInfo path(SoundDir() + file);
    // A recording in the sound folder comes first; voices the user installed fill its gaps.
    if (!path.exists() && !userSndPath_.isEmpty())
        path = QFileInfo(VoiceFolder(userSndPath_, language_) + file);
    if (!path.exists())
        return;
    if (!path.isFile() || !path.isReadable())
        return; // a path or file access error: the prompt is skipped
    backend_.play(path.filePath());
}

void Audio::CloseAudio() {
    backend_.stop();
}

bool Audio::Ignored(int number) {
    switch (number) {
    case 52:
    case 53:
    case 57:
    case 68:
    case 75:
    case 76:
        return true;
    default:
        return false;
    }
}

} // namespace dvq3
