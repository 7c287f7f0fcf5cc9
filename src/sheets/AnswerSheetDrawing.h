#pragma once

#include "sheets/ScanItem.h"

#include <QColor>
#include <QPoint>
#include <QString>

#include <vector>

class QPainter;

namespace dvq3 {

// Where the sheet's registration boxes are printed, in pixels at 100 dpi on a US Letter page
// (850 x 1100). The anchor box's top-left corner is the origin of every layout position.
inline constexpr int kSheetWidth = 850;
inline constexpr int kSheetHeight = 1100;
inline constexpr QPoint kAnchorBoxOnPage{35, 50};
inline constexpr int kRefBoxOffset = 771; // to the right of the anchor box, same height
inline constexpr int kRegistrationBoxSize = 12;
// A bubble as printed: centred on the reader's 15 x 15 test square.
inline constexpr int kBubbleTestSize = 15;
inline constexpr int kBubbleDiameter = 14;

// Everything printed that the reader must not see: full red with some green and blue, which the
// black-plane separation turns into white paper.
inline constexpr QColor kDropOutColour{255, 96, 128};

// The blank answer sheet, painted in page pixels at 100 dpi (the painter maps one unit to
// 1/100 inch). The two registration boxes are the only thing printed in black.
void DrawAnswerSheet(QPainter& painter, const std::vector<ScanItem>& layout);
// The parts of the sheet without text: registration boxes and bubble outlines.
void DrawRegistrationBoxes(QPainter& painter);
void DrawBubbles(QPainter& painter, const std::vector<ScanItem>& layout);
// The centre of a bubble on the page, from its position relative to the anchor box.
[[nodiscard]] QPointF BubbleCentreOnPage(QPoint relative);

// Writes the blank sheet as a one-page US Letter PDF (needs a GUI application for the fonts).
// A file that cannot be written is refused with a message naming it.
Status WriteAnswerSheetPdf(const std::vector<ScanItem>& layout, const QString& file);

} // namespace dvq3
