#include "platform/FolderDialog.h"

#include <QFileDialog>

#include <optional>

namespace dvq3 {
namespace {

std::optional<QString>& NextAnswer() {
    static std::optional<QString> answer;
    return answer;
}

} // namespace

QString ChooseFolder(QWidget* parent, const QString& caption, const QString& start) {
    if (NextAnswer()) {
        const QString answer = *NextAnswer();
        NextAnswer().reset();
        return answer;
    }
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

void SetNextFolderAnswer(const QString& folder) {
    NextAnswer() = folder;
}

} // namespace dvq3
