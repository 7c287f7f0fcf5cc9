#pragma once

#include <QString>

class QWidget;

namespace dvq3 {

// Asks for a folder; empty when the user cancels. Tests set the next answer instead of a window.
QString ChooseFolder(QWidget* parent, const QString& caption, const QString& start);
void SetNextFolderAnswer(const QString& folder);

} // namespace dvq3
