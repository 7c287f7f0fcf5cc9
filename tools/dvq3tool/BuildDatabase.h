#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace dvq3tool {

// Builds the question database at output from block files, one table per file named after the
// file (English.txt -> table "English"), in the order given. Every record of a file has the
// same keys in the same order; a column is INTEGER when all its values are whole numbers, REAL
// when all are numbers, TEXT otherwise; an empty value is stored as Null. A fault is
// refused with its message. The answer sheet layout source ScanItem.txt has a table format
// of its own (ScanItemSource.h).
dvq3::Status BuildDatabase(const QStringList& sources, const QString& output);

// dvq3tool build-db OUTPUT SOURCE...: the command line of BuildDatabase.
int RunBuildDatabase(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace dvq3tool
