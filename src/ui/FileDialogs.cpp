#include "ui/FileDialogs.h"

#include <QFileDialog>

#include <optional>

namespace dvq3 {
namespace {

std::optional<QString>& NextAnswer() {
    static std::optional<QString> answer;
    return answer;
}

QString& LastStart() {
    static QString start;
    return start;
}

std::optional<QString> TakeNextAnswer() {
    std::optional<QString> answer = NextAnswer();
    NextAnswer().reset();
    return answer;
}

} // namespace

QString ChooseFolder(QWidget* parent, const QString& caption, const QString& start) {
    LastStart() = start;
    if (auto answer = TakeNextAnswer())
        return *answer;
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

QString ChooseSaveFile(QWidget* parent, const QString& caption, const QString& start,
                       const QString& filter) {
    LastStart() = start;
    if (auto answer = TakeNextAnswer())
        return *answer;
    return QFileDialog::getSaveFileName(parent, caption, start, filter);
}

void SetNextFileDialogAnswer(const QString& answer) {
    NextAnswer() = answer;
}

QString LastFileDialogStart() {
    return LastStart();
}

} // namespace dvq3
