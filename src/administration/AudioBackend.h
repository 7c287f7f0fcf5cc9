#pragma once

#include <QString>

#include <functional>

namespace dvq3 {

// The sound device the presentation speaks through: plays one wave file in the background and
// stops it. The station uses Qt Multimedia; tests load a fake that records what was asked.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    // Whether there is a device to play on; without one the test is given in silence.
    virtual bool available() = 0;
    // Starts playing the file at path and returns at once.
    virtual void play(const QString& path) = 0;
    // Stops and releases the sound being played, if any.
    virtual void stop() = 0;

    // Set by the owner: a failure found while a sound is already playing.
    std::function<void(int number, const QString& description)> onError;
};

} // namespace dvq3
