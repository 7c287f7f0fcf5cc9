#pragma once

#include <QStringList>
#include <QTextStream>

namespace dvq3tool {

// dvq3tool voices [--overwrite] [SOUND_ROOT]: speaks every prompt the question database names,
// and the instruction screens Inst0.wav to Inst4.wav, into the sound folder of each presentation
// language (SOUND_ROOT/dvq3test/sound/LANGUAGE/; by default the program folder's Sounds), with
// espeak-ng. Files already there are kept unless --overwrite. Prints one line per language.
// Returns 0 (also after --help); 1 when the database cannot be read, espeak-ng is missing or a file
// cannot be written; 2 for a usage error.
int RunVoices(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace dvq3tool
