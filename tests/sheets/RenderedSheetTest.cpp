// Whole printed sheets, filled and scanned with a scanner's distortions, read back field by field.
#include "SheetCommand.h"
#include "SheetMaker.h"
#include "TestFolder.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ImagingControl.h"
#include "sheets/ScanMessages.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace sheettest;

TEST(RenderedSheet, EveryFieldReadsBackThroughScannerDistortions) {
    // Sheet k (from 1) is random sheet k, the first without second marks, scanned so.
    const Scan scans[] = {Scan(),
                          Scan(),
                          Scan().turn(3, {35, 50}),
                          Scan().turn(-3, {35, 50}).move(0, 40),
                          Scan().turn(2.5).move(-15, 10),
                          Scan().turn(-2).move(20, -20).dirty(1, 0, 0),
                          Scan().move(30, 40).dirty(0, 1000, 0),
                          Scan().move(-30, -40).dirty(0, 0, 12),
                          Scan().turn(1).dirty(2, 600, 6),
                          Scan().turn(-1.3).move(-20, 30).dirty(1, 400, 0),
                          Scan().turn(3, {35, 50}).move(-20, 0).dirty(0, 0, 8),
                          Scan().turn(-3, {35, 50}).move(5, 40).dirty(1, 0, 0),
                          Scan().turn(3).dirty(1, 300, 4),
                          Scan().turn(-3).dirty(0, 300, 4)};
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
        const auto sheet = Decode(Scanned(page, Scan().print(perMille / 1000.0)));
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
    const auto offEdge = Decode(Scanned(page, Scan().move(-40, 0)));
    EXPECT_TRUE(!offEdge &&
                offEdge.error().text().startsWith("The answer sheet's registration boxes are "));
    RecordProperty("PrintScaleLowPerMille", low);
    RecordProperty("PrintScaleHighPerMille", high);
    std::printf("print scale read from %.3f to %.3f\n", low / 1000.0, high / 1000.0);
    EXPECT_LE(low, 995);
    EXPECT_GE(high, 1005);
}

TEST(RenderedSheet, ThePrintedPdfReadsBackAsMarked) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    dvq3test::TestFolder folder;
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    ASSERT_EQ(dvq3tool::RunSheet({"--pdf", folder.path("sheet.pdf"), "--db",
                                  dvq3test::BuiltProgramFolder() + "/DVQ3.MDB"},
                                 outStream, errStream),
              0);
    ASSERT_EQ(QProcess::execute(pdftoppm, {"-r", "100", "-png", "-singlefile",
                                           folder.path("sheet.pdf"), folder.path("sheet")}),
              0);
    QImage page(folder.path("sheet.png"));
    ASSERT_EQ(page.size(), QSize(kSheetWidth, kSheetHeight));
    const Filled filled = RandomSheet(7, true);
    Fill(page, filled.marks);
    const auto sheet = Decode(page);
    ASSERT_TRUE(sheet) << sheet.error().text().toStdString();
    EXPECT_EQ(FirstWrongField(sheet.value(), filled), -1);
}
