#include "administration/windows/QtAudioBackend.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace dvq3 {
namespace {
// The multimedia device's code for a file it cannot play (corrupt or not a wave file).
constexpr int kCannotPlay = 296;
} // namespace

QtAudioBackend::QtAudioBackend() = default;
QtAudioBackend::~QtAudioBackend() = default;

bool QtAudioBackend::available() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void QtAudioBackend::play(const QString& path) {
    stop();
    sound_ = std::make_unique<QSoundEffect>();
    QSoundEffect* sound = sound_.get();
    QObject::connect(sound, &QSoundEffect::statusChanged, sound, [this, sound, path] {
        if (sound->status() == QSoundEffect::Error && onError)
            onError(
                kCannotPlay,
                QStringLiteral("The file %1 cannot be played on the wave-audio device.").arg(path));
    });
    sound->setSource(QUrl::fromLocalFile(path));
    sound->play();
}

void QtAudioBackend::stop() {
    if (!sound_)
        return;
    sound_->stop();
    // Released later: a stop may come from within the sound's own signal.
    sound_.release()->deleteLater();
}

} // namespace dvq3
