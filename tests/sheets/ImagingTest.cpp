// The imaging layer: black-plane threshold and control error texts; the
// scan's diagnostic switches on the command line.
#include "sheets/ImagingControl.h"
#include "sheets/ScanSupport.h"
#include "sheets/ScanSwitches.h"

#include <gtest/gtest.h>

using namespace dvq3;

TEST(PrepareSheetImage, InkAtOrAboveTheThresholdTurnsBlackEverythingElseWhite) {
    const std::vector<std::pair<QRgb, bool>> rows = {
        {qRgb(138, 138, 138), false}, // black plane 117
        {qRgb(137, 137, 137), true},  // black plane 118
        {qRgb(255, 96, 128), false},  // the sheet's drop-out printing
        {qRgb(255, 0, 0), false},     // full red, anti-aliased edges alike
        {qRgb(25, 35, 110), true},    // blue ballpoint
        {qRgb(205, 205, 205), false}, // erasure residue
        {qRgb(0, 0, 0), true}};
    QImage image(int(rows.size()), 1, QImage::Format_RGB32);
    for (int i = 0; i < image.width(); ++i)
        image.setPixel(i, 0, rows[i].first);
    ImagingControl lead;
    lead.setImage(image);
    ASSERT_TRUE(PrepareSheetImage(lead));
    for (int i = 0; i < image.width(); ++i)
        EXPECT_EQ(lead.GetBitmapDC().GetPixel(i, 0), rows[i].second ? 0u : BitmapDC::kWhite) << i;
}

// Every code the station can show (from bitmap files and the scanner's statuses), and codes
// without a row, which show their number and an empty text.
TEST(TwainErrorMessage, ShowsTheNumberAndTheControlsTextForTheCode) {
    const QString rows =
        "20000 General failure|20002 Invalid bitmap handle|20005 Error writing file|20006 File not "
        "present - abort|20007 Error reading file|20009 Invalid file format|20010 File not found|"
        "20012 Image format recognized, but sub-type not supported|20013 Invalid parmameter passed|"
        "20014 Not able to open file|20016 |20079 Twain source manager not found|20080 Twain "
        "Canceled by user or unknown causes|20081 Twain not enough memory to perform operation|"
        "20082 Twain no Data Source|20083 Twain DS is connected to max possible apps|20084 Twain "
        "DS "
        "or DSM reported error, app shouldn't|20085 Twain unknown capability|20087 Twain data "
        "parameter out of range|20090 Twain operation was cancelled|20091 ";
    for (const QString& row : rows.split('|')) {
        const QString code = row.section(' ', 0, 0), text = row.section(' ', 1);
        EXPECT_EQ(TwainErrorMessage(code.toInt()),
                  (ScanMessage{"Twain Error", "Error '" + code + ", " + text + "."}));
    }
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
