// Whole printed sheets, filled and scanned with a scanner's distortions, read back field by field.
#include "SheetMaker.h"
#include "sheets/ScanMessages.h"

#include <random>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace sheettest;

// Every sheet reads every field as marked (the doubtful ones flagged) or is refused with its
// reason; a sheet read with a field wrong fails. A sheet whose boxes and bubbles lie on the
// image, 5 pixels in from its edge, reads; one with any of them off it is refused.
TEST(RenderedSheet, EveryFieldReadsBackOrTheSheetIsRefusedWithItsReason) {
    // Sheet k (from 1) is random sheet k, the first without second marks, scanned so; then
    // sheets placed at random on the glass.
    std::vector<Scan> scans = {{},
                               {.angle = 3, .pivot = {35, 50}},
                               {.angle = -3, .pivot = {35, 50}, .shift = {0, 40}},
                               {.angle = 2.5, .shift = {-15, 10}},
                               {.angle = -2, .shift = {20, -20}, .blur = 1},
                               {.shift = {30, 40}, .speckles = 1000},
                               {.shift = {-30, -40}, .blur = 1},
                               {.angle = 1, .blur = 2, .speckles = 600},
                               {.angle = -3, .pivot = {35, 50}, .shift = {5, 40}, .blur = 1},
                               {.angle = 3, .blur = 1, .speckles = 300},
                               {.angle = -3, .speckles = 300},
                               {.angle = -1.5, .shift = {20, 0}},
                               {.angle = 1.5, .shift = {20, 0}}, // the reference box's corner off
                               {.shift = {-40, 0}}, // the anchor box cut by the glass's edge
                               {.shift = {40, 0}},  // the reference box cut
                               {.shift = {-60, 0}}, // the anchor box off: marks are no box
                               {.angle = 1.5, .shift = {40, -40}, .scale = 1.095},     // both off
                               {.pivot = {425, 200}, .shift = {0, 40}, .scale = 1.04}, // items cut
                               {.scale = 0.90},
                               {.scale = 0.94, .blur = 1},
                               {.angle = -2, .scale = 0.97, .speckles = 300},
                               {.scale = 0.994},
                               {.scale = 1.006},
                               {.angle = 1, .pivot = {425, 200}, .scale = 1.04},
                               {.pivot = {425, 200}, .scale = 1.08},
                               {.pivot = {425, 200}, .scale = 1.10}, // wider than the glass
                               {.scale = 0.88},                      // too small: its size told
                               {.scale = 0.85}};
    std::mt19937 random(21);
    std::uniform_real_distribution<double> turn(-3, 3), shift(-40, 40), scale(0.9, 1.1);
    for (int i = 0; i < 30; ++i)
        scans.push_back({.angle = turn(random),
                         .shift = {shift(random), shift(random)},
                         .scale = i % 3 ? 1 : scale(random),
                         .blur = i % 2,
                         .speckles = i % 5 ? 0 : 400});
    const QImage blank = Blank(true);
    for (unsigned seed = 1; seed <= scans.size(); ++seed) {
        const Scan& scan = scans[seed - 1];
        const Filled filled = RandomSheet(seed, seed > 1);
        QImage page = blank;
        Fill(page, filled.marks, seed);
        const auto sheet = Decode(Scanned(page, scan));
        const double margin = ScanMargin(scan);
        const int percent = qRound(scan.scale * 100);
        SCOPED_TRACE(testing::Message()
                     << "seed " << seed << " angle " << scan.angle << " shift " << scan.shift.x()
                     << "," << scan.shift.y() << " scale " << scan.scale << " margin " << margin);
        if (!sheet) { // its size told, or off the glass, or a box wholly off the image missing
            const QString text = sheet.error().text();
            const bool sized = percent < 90 || percent > 110;
            EXPECT_TRUE(sized || margin < 5) << text.toStdString();
            EXPECT_TRUE(text == (sized ? SheetScaleText(percent) : SheetOffGlassText()) +
                                    "\rAborting scan." ||
                        (margin < 0 && text.endsWith(" Box not found\rAborting scan.")))
                << text.toStdString();
            continue;
        }
        EXPECT_GT(margin, -3); // (where it is read from is found within a pixel or two)
        EXPECT_NEAR(sheet.value().SheetTheta, scan.angle, 0.15);
        EXPECT_NEAR(sheet.value().SheetScale, scan.scale, 0.004);
        EXPECT_TRUE(scan.scale != 1 || sheet.value().SheetScale == 1.0F); // read as printed
        for (int f = 0; f < kScanItemCount; ++f)
            EXPECT_TRUE(ReadsRight(sheet.value(), filled, f))
                << "field " << f << " read " << ReadBack(sheet.value().fields[f].read).toStdString()
                << " for " << filled.values[f].toStdString();
    }
}
