#include "administration/Audio.h"

#include <QFileInfo>

namespace dvq3 {

QString SoundError::text() const {
    return QStringLiteral("Error %1:%2").arg(number).arg(description);
}

Audio::Audio(AudioBackend& backend, const QString& sndPath, const QString& language)
    : backend_(backend), sndPath_(sndPath), language_(language) {}

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
    const QFileInfo path(SoundDir() + file);
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
