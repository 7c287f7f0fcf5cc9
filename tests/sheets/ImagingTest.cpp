// The imaging layer: black-plane threshold, bitmap files, pixel reads, control error texts; the
// scan's diagnostic switches on the command line.
#include "TestFolder.h"
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

TEST(ColorSeparate, SplitsIntoCyanMagentaYellowAndBlackPlanes) {
    const auto planes = [](QRgb colour) {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, colour);
        std::vector<int> out;
        for (int plane = 0; plane < 4; ++plane) {
            ImagingControl lead;
            lead.setImage(image);
            EXPECT_TRUE(lead.ColorSeparate() && lead.SetColorPlane(plane));
            out.push_back(lead.image().constScanLine(0)[0]);
        }
        return out;
    };
    EXPECT_EQ(planes(qRgb(255, 0, 0)), std::vector<int>({0, 255, 255, 0}));
    EXPECT_EQ(planes(qRgb(0, 0, 0)), std::vector<int>({0, 0, 0, 255}));
    EXPECT_EQ(planes(qRgb(51, 102, 102)), std::vector<int>({127, 0, 0, 153}));
}

TEST(BitmapDC, ReadsThroughTheViewportOriginAndOnlyExactWhiteInsideIsWhite) {
    for (const QImage::Format format :
         {QImage::Format_Grayscale8, QImage::Format_RGB32, QImage::Format_RGB888}) {
        QImage image(3, 2, format);
        image.fill(Qt::white);
        image.setPixel(2, 0, format == QImage::Format_Grayscale8 ? 254 : qRgb(255, 255, 254));
        BitmapDC dc(image);
        dc.SetViewportOrg(2, 1);
        const std::tuple<int, int, bool> rows[] = {{0, 0, true},  {-2, -1, true}, {0, -1, false},
                                                   {1, 0, false}, {0, 1, false},  {-3, 0, false}};
        for (const auto& [x, y, white] : rows)
            EXPECT_EQ(dc.IsWhite(x, y), white) << x << "," << y;
        EXPECT_EQ(dc.GetPixel(1, 0), BitmapDC::kInvalidColor);
        EXPECT_EQ(dc.GetPixel(0, 0), BitmapDC::kWhite);
    }
}

TEST(ImagingControl, BitmapFilesKeepEveryPixelAndFailuresCarryControlCodes) {
    dvq3test::TestFolder folder;
    QImage colour(5, 4, QImage::Format_RGB32);
    for (int i = 0; i < 20; ++i)
        colour.setPixel(i % 5, i / 5, qRgb(i * 12, 255 - i * 7, i * 3));
    ImagingControl lead;
    lead.setImage(colour);
    ASSERT_TRUE(lead.Save(folder.path("Raw.bmp")));
    EXPECT_EQ(dvq3test::TestFolder::Read(folder.path("Raw.bmp")).at(28), 24); // bits per pixel
    ASSERT_TRUE(lead.Load(folder.path("Raw.bmp")));
    EXPECT_EQ(lead.image(), colour);
    dvq3test::TestFolder::Write(folder.path("text.bmp"), "not a bitmap");
    for (const auto& [file, code] : std::vector<std::pair<QString, int>>{
             {folder.path("Debug.bmp"), 20010}, {folder.path("text.bmp"), 20009}}) {
        const Status status = lead.Load(file);
        ASSERT_FALSE(status);
        EXPECT_EQ(status.error().number(), code);
    }
}

TEST(LeadErrorText, GivesTheTableTextAndNothingForCodesWithoutARow) {
    std::map<int, QString> table; // "CODE[-LAST] TEXT" rows
    const QString rows =
        "20000 General failure|20001 Not enough memory available|20002 Invalid bitmap handle|20003 "
        "Not enough memory available|20004 Error seeking to position|20005 Error writing file|"
        "20006 File not present - abort|20007 Error reading file|20008 Invalid filename specified|"
        "20009 Invalid file format|20010 File not found|20011 Invalid width/height|20012 Image "
        "format recognized, but sub-type not supported|20013 Invalid parmameter passed|20014 Not "
        "able to open file|20015 Unknown compression format|20017 VGA card only supports 256 "
        "colors (8 bit)|20018 Printer error|20019 Data CRC check error|20021 Invalid QFactor "
        "specified|20022 TARGA not installed|20023 Invalid compression format|20024 X origin "
        "specified invalid|20025 Y origin specified invalid|20026 Invalid video mode|20027 Invalid "
        "bits/pixel|20028 Invalid window size|20029 Escape key pressed|20030-20062 Internal Error "
        "- Call LEAD|20063-20064 Fixed palette data not found|20065 Stamp not found|20070 Invalid "
        "group 3 code|20071 Group3 code end of file|20072 Group3 code end of code|20073 Premature "
        "EOF at scanline|20074-20077 Premature end-of-line code|20078 Bad version number|20079 "
        "Twain source manager not found|20080 Twain Canceled by user or unknown causes|20081 Twain "
        "not enough memory to perform operation|20082 Twain no Data Source|20083 Twain DS is "
        "connected to max possible apps|20084 Twain DS or DSM reported error, app shouldn't|20085 "
        "Twain unknown capability|20086 Twain unrecognized MSG DG DAT combination|20087 Twain data "
        "parameter out of range|20088 Twain DG DAT MSG out of expected sequence|20089 Twain "
        "unknown destination App/Src in DSM_Entry|20090 Twain operation was cancelled";
    for (const QString& row : rows.split('|')) {
        const QStringList codes = row.section(' ', 0, 0).split('-');
        for (int code = codes[0].toInt(); code <= codes.last().toInt(); ++code)
            table[code] = row.section(' ', 1);
    }
    for (int code = 19990; code <= 20100; ++code)
        EXPECT_EQ(LeadErrorText(code), table.count(code) ? table[code] : QString()) << code;
}

TEST(TwainErrorMessage, ShowsTheNumberAndTheTextEvenWhenTheTextIsEmpty) {
    EXPECT_EQ(TwainErrorMessage(20040),
              (ScanMessage{"Twain Error", "Error '20040, Internal Error - Call LEAD."}));
    EXPECT_EQ(TwainErrorMessage(20016), (ScanMessage{"Twain Error", "Error '20016, ."}));
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
