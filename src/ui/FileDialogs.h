#pragma once

#include <QString>

class QWidget;

namespace dvq3 {

// The station's file choosers. Tests set the next answer instead of showing a window; an empty
// answer is a cancel.
QString ChooseFolder(QWidget* parent, const QString& caption, const QString& start);
QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& start,
                       const QString& filter);
void SetNextFileDialogAnswer(const QString& answer);
// The start path (the default file name) the last chooser offered, for tests.
QString LastFileDialogStart();

} // namespace dvq3
