#pragma once

#include "platform/Error.h"

#include <QString>

namespace dvq3 {

// The texts of the scan, the debug view and the blank answer sheet; code and tests use these.

// A scan that cannot go on: the reason, then that the scan stops.
inline Error ScanError(const QString& what) {
    return Error::Refusal(what + QStringLiteral("\rAborting scan."));
}

// The client's name before the sheet is scanned.
inline const QString kClientNameCaption = QStringLiteral("Client Name Input");
inline const QString kClientNameHelp = QStringLiteral("Enter the name of client.");
inline constexpr int kClientNameLength = 25;

// The prompt to put the sheet in the scanner.
inline const QString kTestScanTitle = QStringLiteral("Test Scan");
inline QString InsertSheetText(const QString& name) {
    return QStringLiteral("Insert answer sheet for \r\n\r\n") + name +
           QStringLiteral("   (face down)\r\n\r\ninto scanner.");
}

// The registration boxes found closer together or further apart than printed (percent of their
// printed distance): a sheet printed or scanned at another size, or lying partly off the glass.
inline QString SheetScaleText(int percent) {
    return QStringLiteral(
               "The answer sheet's registration boxes are %1 % of their printed distance "
               "apart: the sheet was printed or scanned at another size, or lies partly "
               "off the scanner glass.\rPrint it at 100 % scale (not \"fit to page\"), "
               "lay it straight against the corner and scan it again.")
        .arg(percent);
}

// A registration box or a field cut by the edge of the scanned image.
inline QString SheetOffGlassText() {
    return QStringLiteral("The answer sheet lies partly off the scanner glass: a registration box "
                          "or a field is cut by the edge of the scan.\rLay the sheet straight "
                          "against the corner of the glass and scan it again.");
}

// Fields whose marks the staff member should look at on the sheet, listed after the multiple
// marks (names follow, five blanks in, one a line).
inline QString DoubtfulMarksText() {
    return QStringLiteral("Warning! some items had faint or partly filled marks.\r"
                          "Please check the following answers on the sheet.\r\r");
}
inline QString DoubtfulMoreText(int more) {
    return QStringLiteral("     and %1 more\r").arg(more);
}

// The debug view.
inline const QString kDebugViewCaption = QStringLiteral("Debug Image");
inline const QString kNextBoxCaption = QStringLiteral("Next Box");
inline const QString kStopCaption = QStringLiteral("Stop");
// The field and the dark pixels of the box just tested.
inline QString TestedBoxText(const QString& field, int count) {
    return QStringLiteral("%1: %2 dark pixels").arg(field.trimmed()).arg(count);
}

// The blank answer sheet. Its marking instructions name what the reader sees: the sheet is
// printed in red drop-out colour, so a red pen vanishes with it.
inline const QString kSheetMarkingText =
    QStringLiteral("Fill each bubble completely with a soft pencil or a dark blue or black pen; "
                   "not red. Erase changes cleanly. Mark one answer per field.");
inline const QString kAnswerSheetMenuCaption = QStringLiteral("Print Blank &Answer Sheet");
inline const QString kPrintAnswerSheetTitle = QStringLiteral("Print Answer Sheet");
inline const QString kAnswerSheetNoPrinterText =
    QStringLiteral("No printer is set up on this station.\rWould you like to save the answer "
                   "sheet as a PDF file instead?");
inline const QString kSaveAnswerSheetCaption = QStringLiteral("Save Answer Sheet as PDF");
inline const QString kAnswerSheetPrinterError =
    QStringLiteral("The printer did not take the answer sheet. Please check the printer.");

} // namespace dvq3
