#include "ui/FocusStyle.h"

#include <QApplication>

namespace dvq3 {

void ApplyFocusStyle(QApplication& app) {
    app.setStyleSheet(QStringLiteral(
        "QPushButton:focus { background-color: #00ffff; color: #000000; border: 2px solid "
        "#000000; padding: 4px 10px; font-weight: bold; }"
        "QLineEdit:focus, QComboBox:focus, QListWidget:focus, QTableWidget:focus, "
        "QPlainTextEdit:focus, QTextEdit:focus { border: 2px solid #0000ff; }"
        "QCheckBox:focus, QRadioButton:focus { background-color: #00ffff; color: #000000; }"));
}

} // namespace dvq3
