#pragma once

#include "administration/AudioBackend.h"

#include <memory>

class QSoundEffect;

namespace dvq3 {

// Wave prompts through Qt Multimedia: one sound effect at a time, played in the background.
class QtAudioBackend : public AudioBackend {
public:
    QtAudioBackend();
    ~QtAudioBackend() override;

    bool available() override;
    void play(const QString& path) override;
    void stop() override;

private:
    std::unique_ptr<QSoundEffect> sound_;
};

} // namespace dvq3
