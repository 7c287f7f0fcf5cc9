// The imaging layer: black-plane threshold and control error texts; the scan's diagnostic
// switches on the command line.
#include "sheets/ImagingControl.h"
#include "sheets/ScanSupport.h"
#include "sheets/ScanSwitches.h"

#include <gtest/gtest.h>

using namespace dvq3;

// Ink is 255 minus the red channel (the sheet is printed in red drop-out colour); its level
// before the threshold is kept for telling a light mark from paper.
TEST(PrepareSheetImage, InkAtOrAboveTheThresholdTurnsBlackEverythingElseWhite) {
    const std::vector<std::tuple<QRgb, bool, int>> rows = {
        {qRgb(138, 138, 138), false, 117}, {qRgb(137, 137, 137), true, 118},
        {qRgb(255, 96, 128), false, 0},    // the sheet's drop-out printing
        {qRgb(255, 0, 0), false, 0},       // full red, anti-aliased edges alike
        {qRgb(25, 35, 110), true, 230},    // blue ballpoint, dark
        {qRgb(50, 60, 180), true, 205},    // blue ballpoint as most scanners see it
        {qRgb(210, 40, 40), false, 45},    // red pen
        {qRgb(150, 150, 150), false, 105}, // light pencil
        {qRgb(205, 205, 205), false, 50},  // erasure residue
        {qRgb(0, 0, 0), true, 255}};
    QImage image(int(rows.size()), 1, QImage::Format_RGB32);
    for (int i = 0; i < image.width(); ++i)
        image.setPixel(i, 0, std::get<0>(rows[i]));
    ImagingControl lead;
    lead.setImage(image);
    ASSERT_TRUE(PrepareSheetImage(lead));
    const BitmapDC dc = lead.GetBitmapDC();
    for (int i = 0; i < image.width(); ++i) {
        const auto& [colour, dark, ink] = rows[i];
        EXPECT_EQ(dc.GetPixel(i, 0), dark ? 0u : BitmapDC::kWhite) << i;
        EXPECT_EQ(dc.InkLevel(i, 0), ink) << i;
    }
    EXPECT_EQ(dc.InkLevel(-1, 0), 255); // off the image, like its dark edge
}

// The box shows the number and the text alike; a code without a row of the control's error
// table has an empty text, the two ranges share one text each (the other rows are met by the
// scan's own errors).
TEST(LeadErrorText, RangesShareATextAndCodesWithoutARowHaveNone) {
    const std::pair<int, QString> rows[] = {{20030, "Internal Error - Call LEAD"},
                                            {20062, "Internal Error - Call LEAD"},
                                            {20074, "Premature end-of-line code"},
                                            {20077, "Premature end-of-line code"},
                                            {19999, ""},
                                            {20016, ""},
                                            {20066, ""},
                                            {20091, ""}};
    for (const auto& [code, text] : rows)
        EXPECT_EQ(TwainErrorMessage(code),
                  (ScanMessage{"Twain Error", QString("Error '%1, %2.").arg(code).arg(text)}));
}

TEST(ReadScanSwitches, ReadsTheWholeCommandLineInUpperCaseAndAllWinsOverFirst) {
    const auto row = [](QStringList args, ScanSwitches expected) {
        EXPECT_EQ(ReadScanSwitches(args), expected) << args.join(' ').toStdString();
    };
    row({"dvq3test", "/v", "all", "/v", "first"}, {true, false, false});
    row({"dvq3test", "/V FIRST", "/scan=debug"}, {false, true, true});
    row({"dvq3test", "/V", "ALLX"}, {true, false, false});
    row({"dvq3test", "/VALL", "/SCAN"}, {false, false, false});
}
