#pragma once

#include "administration/AudioBackend.h"

#include <QString>

#include <array>

namespace dvq3 {

// A failure to report in the "Sound Error" box: "Error " & number & ":" & description.
struct SoundError {
    int number = 0;
    QString description;
    QString text() const;
};

// The spoken prompts of one presentation: instruction screens, questions and answers are wave
// files in the language's sound folder. A missing file, folder or device leaves the prompt
// silent; the presentation never waits for a sound.
class Audio {
public:
    // userSndPath: a second sound root, looked in for a file SndPath's folder lacks.
    Audio(AudioBackend& backend, const QString& sndPath, const QString& language,
          const QString& userSndPath = {});

    // The language's folder: the sound root, "/dvq3test/sound/", the language and "/".
    QString SoundDir() const;
    // Fills InstFile and switches audio off for the presentation when there is no device.
    void InitAudio();
    // Stops any sound and starts file (a name inside SoundDir); failures of the device come
    // later through the backend's onError.
    void PlaySound(const QString& file);
    void CloseAudio();
    // Errors that only mean the prompt is skipped: bad file name, file not found, device
    // input/output error, device unavailable, path or file access error, path not found.
    static bool Ignored(int number);

    bool AudioOn = true;
    // The instruction screens' files; section 5 has none.
    std::array<QString, 6> InstFile;

private:
    AudioBackend& backend_;
    QString sndPath_;
    QString language_;
    QString userSndPath_;
};

} // namespace dvq3
