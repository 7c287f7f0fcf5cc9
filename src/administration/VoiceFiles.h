#pragma once

#include "platform/QuestionDatabase.h"
#include "platform/Recordset.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace dvq3 {

// One spoken prompt: the file the presentation plays (with ".wav") and the words spoken into it.
struct VoicePrompt {
    QString file;
    QString text;
};

// The prompts of one question table: the instruction screens Inst0.wav to Inst4.wav and every
// question and answer file its records name with words to speak, each file once, by name.
std::vector<VoicePrompt> VoicePrompts(Recordset& rs, bool spanish);

// A language's sound folder under a sound root, as the presentation reads it (ends with "/").
QString VoiceFolder(const QString& root, const QString& language);

// What became of one language's prompts.
struct VoiceCount {
    QString language;
    QString folder; // where its missing prompts are spoken into
    int prompts = 0;
    int written = 0;
    int kept = 0;
    bool complete() const { return written + kept == prompts; }
};

// The end of an installation: every language with its counts so far, how it ended and, when it
// stopped short of its own, why, in words for the user.
struct VoiceInstall {
    enum class End {
        Done,
        Cancelled, // the user stopped it between two prompts
        NoSpeaker, // espeak-ng is not installed
        NoFolder,  // no sound root could be written
        Fault,     // the database, espeak-ng or a file failed
    };
    std::vector<VoiceCount> languages;
    End end = End::Done;
    QString error;
    int written() const;
    int kept() const;
    // What the staff member is told when the run has ended: the counts per language, or why
    // nothing could be spoken and what to do.
    QString summary() const;
};

// Speaks the missing prompts of every presentation language with espeak-ng, one at a time.
// Each prompt is spoken into a folder the run makes for itself beside the sound folders and
// renamed into place whole, so a stop or a fault never leaves half a prompt, and nothing planted
// beside a prompt is followed or waited on.
class VoiceInstaller {
public:
    // roots: the sound roots the presentation looks in, in its order. A prompt found under any
    // of them is kept; the missing ones are spoken under the first root whose folders can be
    // made and written. A relative root is looked in but never written into: it names another
    // folder from each working folder.
    VoiceInstaller(const QuestionDatabase& db, QStringList roots);

    // Speak every prompt again, replacing what is there.
    bool overwrite = false;
    // Asked before each prompt is spoken, with how many of those to speak are done; false stops
    // the installation there.
    std::function<bool(const QString& language, const QString& file, int done, int total)>
        onProgress;

    VoiceInstall run();

private:
    const QuestionDatabase& db_;
    QStringList roots_;
};

} // namespace dvq3
