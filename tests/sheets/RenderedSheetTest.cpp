// Whole printed sheets, filled and scanned with a scanner's distortions, read back field by field.
#include "SheetMaker.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ImagingControl.h"
#include "sheets/ScanMessages.h"

#include <gtest/gtest.h>

using namespace dvq3;
using namespace sheettest;

TEST(RenderedSheet, EveryFieldReadsBackThroughScannerDistortions) {
    // Sheet k (from 1) is random sheet k, the first without second marks, scanned so.
    const Scan scans[] = {{},
                          {.angle = 3, .pivot = {35, 50}},
                          {.angle = -3, .pivot = {35, 50}, .shift = {0, 40}},
                          {.angle = 2.5, .shift = {-15, 10}},
                          {.angle = -2, .shift = {20, -20}, .blur = 1},
                          {.shift = {30, 40}, .speckles = 1000},
                          {.shift = {-30, -40}, .blur = 1},
                          {.angle = 1, .blur = 2, .speckles = 600},
                          {.angle = -3, .pivot = {35, 50}, .shift = {5, 40}, .blur = 1},
                          {.angle = 3, .blur = 1, .speckles = 300},
                          {.angle = -3, .speckles = 300}};
    const QImage blank = Blank(true);
    for (unsigned seed = 1; seed <= std::size(scans); ++seed) {
        const Filled filled = RandomSheet(seed, seed > 1);
        QImage page = blank;
        Fill(page, filled.marks, seed);
        const auto sheet = Decode(Scanned(page, scans[seed - 1]));
        ASSERT_TRUE(sheet) << "seed " << seed << ": " << sheet.error().text().toStdString();
        EXPECT_NEAR(sheet.value().SheetTheta, scans[seed - 1].angle, 0.15) << "seed " << seed;
        const int wrong = FirstWrongField(sheet.value(), filled);
        EXPECT_EQ(wrong, -1) << "seed " << seed << " field " << wrong;
    }
}

// A sheet printed at another size either reads whole or is refused with its size: never misread.
TEST(RenderedSheet, PrintScaleRangeThatStillReadsFully) {
    const Filled filled = RandomSheet(42, false);
    QImage page = Blank(true);
    Fill(page, filled.marks);
    int low = 1000, high = 1000; // per mille
    for (int perMille = 900; perMille <= 1100; perMille += 2) {
        const auto sheet = Decode(Scanned(page, Scan{.scale = perMille / 1000.0}));
        if (!sheet) { // a box off its search window, or the size told
            const QString text = sheet.error().text();
            EXPECT_TRUE(text.contains(" Box not found\r") ||
                        text.startsWith("The answer sheet's registration boxes are "))
                << perMille << ": " << text.toStdString();
            EXPECT_TRUE(perMille != 970 || text == SheetScaleText(97) + "\rAborting scan.");
            continue;
        }
        EXPECT_EQ(FirstWrongField(sheet.value(), filled), -1) << perMille;
        low = std::min(low, perMille);
        high = std::max(high, perMille);
    }
    // Lying 40 pixels off the glass's left edge, the anchor box is found cut: refused too.
    const auto offEdge = Decode(Scanned(page, Scan{.shift = {-40, 0}}));
    EXPECT_TRUE(!offEdge &&
                offEdge.error().text().startsWith("The answer sheet's registration boxes are "));
    RecordProperty("PrintScaleLowPerMille", low);
    RecordProperty("PrintScaleHighPerMille", high);
    std::printf("print scale read from %.3f to %.3f\n", low / 1000.0, high / 1000.0);
    EXPECT_LE(low, 995);
    EXPECT_GE(high, 1005);
}
