// The imaging layer: black-plane threshold and control error texts; the scan's diagnostic
// switches on the command line.
#include "TestFolder.h"
#include "sheets/ImagingControl.h"
#include "sheets/ScanSupport.h"
#include "sheets/ScanSwitches.h"

#include <map>

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

// The expected file holds a "CODE[-LAST] TEXT" line for each row of the control's error table;
// every other code has an empty text, and the box shows the number and the text alike.
TEST(LeadErrorText, GivesTheTableTextAndNothingForCodesWithoutARow) {
    std::map<int, QString> table;
    const QString file = dvq3test::SourceFolder() + "/tests/sheets/expected/ControlErrorTexts.txt";
    for (const QString& row :
         QString(dvq3test::TestFolder::Read(file)).split('\n', Qt::SkipEmptyParts)) {
        const QStringList codes = row.section(' ', 0, 0).split('-');
        for (int code = codes[0].toInt(); code <= codes.last().toInt(); ++code)
            table[code] = row.section(' ', 1);
    }
    ASSERT_EQ(table.size(), 85u);
    for (int code = 19990; code <= 20100; ++code) {
        const QString text = table.count(code) ? table[code] : QString();
        EXPECT_EQ(
            TwainErrorMessage(code),
            (ScanMessage{"Twain Error", "Error '" + QString::number(code) + ", " + text + "."}))
            << code;
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
