#pragma once

#include <QImage>

#include <functional>

class QMainWindow;
class QWidget;

namespace dvq3 {

class QuestionDatabase;

// Prints the blank answer sheet, drawn from the layout the reader uses, on the default printer
// at full scale. Without a printer the station offers to save it as a PDF instead.
void PrintBlankAnswerSheet(const QuestionDatabase& db, QWidget* parent);

// Adds "Print Blank Answer Sheet" to the Options menu (mnuOptions) of the main window.
void AddAnswerSheetMenuEntry(QMainWindow& mainMenu, const QuestionDatabase& db);

// Test seam: receives the page (100 dots per inch) instead of a printer.
void SetAnswerSheetPrintHandler(std::function<void(const QImage& page)> handler);

} // namespace dvq3
