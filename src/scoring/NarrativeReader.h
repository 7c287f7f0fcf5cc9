#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>

namespace dvq3 {

// The text lines of the paragraph keyed by key in the narrative file at path: the lines after
// the first line that equals key exactly, up to the line "END". A missing file, a missing key
// or a paragraph without its "END" line is a fault of the file.
[[nodiscard]] Result<QStringList> ReadNarrative(const QString& path, const QString& key);

// The text lines of INVAL.TXT in the program folder, up to its line "END".
[[nodiscard]] Result<QStringList> ReadInvalidProfileText();

} // namespace dvq3
