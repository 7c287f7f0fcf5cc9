// Polar and rectangular positions, finding the registration boxes, reading fields, and the
// multiple-mark warnings.
#include "SheetMaker.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/PolarPoint.h"
#include "sheets/ScanMessages.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace sheettest;

namespace {

QImage WhiteWith(std::initializer_list<QRect> dark) {
    QImage image(kSheetWidth, 1100, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter painter(&image);
    for (const QRect& rect : dark)
        painter.fillRect(rect, Qt::black);
    return image;
}

SheetDecode Decoded(const std::vector<Mark>& marks, const Scan& scan = {}) {
    QImage page = Blank(false);
    Fill(page, marks);
    auto sheet = Decode(Scanned(page, scan));
    EXPECT_TRUE(sheet) << sheet.error().text().toStdString();
    return sheet ? sheet.value() : SheetDecode{};
}

} // namespace

// Halves round to even; the angle back has no quadrant correction and is 90 degrees on the y
// axis.
TEST(PolarPoint, RoundsHalvesToEvenAndComesBackWithoutQuadrantCorrection) {
    const std::tuple<float, float, int, int> toRect[] = {{2.5F, 0, 2, 0},   {3.5F, 0, 4, 0},
                                                         {-2.5F, 0, -2, 0}, {4.5F, 90, 0, 4},
                                                         {10, 180, -10, 0}, {771, 3, 770, 40}};
    for (const auto& [r, theta, x, y] : toRect) {
        const PolarPoint p = PolarToRect({0, 0, r, theta});
        EXPECT_EQ(QPoint(p.x, p.y), QPoint(x, y)) << r << " " << theta;
    }
    const std::tuple<qint16, qint16, float, float> toPolar[] = {
        {3, 4, 5, 53.130102F}, {-3, 4, 5, -53.130102F}, {0, -7, 7, 90}, {771, 0, 771, 0}};
    for (const auto& [x, y, r, theta] : toPolar) {
        const PolarPoint p = RectToPolar({x, y, 0, 0});
        EXPECT_FLOAT_EQ(p.r, r);
        EXPECT_NEAR(p.theta, theta, 1e-4);
    }
}

TEST(IsBox, NeedsMoreThanItsFractionOfNSquaredDarkAndCountsOutsideAsDark) {
    const auto row = [](std::initializer_list<QRect> dark, PolarPoint at, int n, int count) {
        const BoxTest test = IsBox(BitmapDC(WhiteWith(dark)), at, n);
        EXPECT_EQ(test.count, count);
        EXPECT_EQ(test.hit, count > (n == 6 ? 10 : 9)) << count;
    };
    row({{100, 100, 7, 1}, {100, 101, 3, 1}}, {100, 100, 0, 0}, 6, 10);
    row({{100, 100, 7, 1}, {100, 101, 4, 1}}, {100, 100, 0, 0}, 6, 11);
    row({{100, 100, 9, 1}}, {100, 100, 0, 0}, 14, 9);
    row({{100, 100, 10, 1}}, {100, 100, 0, 0}, 14, 10);
    row({}, {-3, 10, 0, 0}, 6, 21); // three columns left of the image
}

TEST(FindAnchorBox, TakesTheFirstHitsRowAndTheLeftmostHitsColumnOnceWhiteWasSeen) {
    const auto row = [](std::initializer_list<QRect> dark, std::optional<QPoint> expected) {
        const auto anchor = FindAnchorBox(BitmapDC(WhiteWith(dark)));
        EXPECT_EQ(anchor ? std::optional(QPoint(anchor->x, anchor->y)) : std::nullopt, expected);
    };
    row({{35, 50, 12, 12}}, QPoint(35, 50));
    row({{0, 0, 850, 8}, {35, 50, 12, 12}}, QPoint(35, 50));   // dark margin before any white
    row({{0, 0, 4, 1100}, {35, 50, 12, 12}}, QPoint(35, 50));  // and at the glass's edge
    row({{20, 30, 100, 3}, {35, 50, 12, 12}}, QPoint(35, 50)); // a line above: not a box
    row({{40, 50, 12, 12}, {20, 60, 12, 12}}, QPoint(40, 50)); // the other box's hits: not its own
    row({{40, 50, 12, 12}, {38, 56, 1, 1}}, QPoint(40, 50));   // nor a speck's beside it
    row({{2, 50, 12, 12}}, QPoint(2, 50));
    row({{-6, 50, 12, 12}}, QPoint(0, 50));      // cut by the image's edge
    row({{160, 200, 12, 12}}, QPoint(160, 200)); // the window's last column and row
    row({{35, 50, 3, 3}, {161, 50, 12, 12}, {35, 201, 12, 12}}, std::nullopt); // a dot; outside
}

TEST(FindReferenceBox, SearchesColumns640To900RightOfTheAnchorUpToTheImagesEdge) {
    const auto column = [](int x) {
        const auto ref =
            FindReferenceBox(BitmapDC(WhiteWith({{35 + x, 60, 12, 12}})), PolarPoint{35, 50, 0, 0});
        return ref ? std::optional(QPoint(ref->x, ref->y)) : std::nullopt;
    };
    EXPECT_EQ(column(639), QPoint(640, 10)); // the box test reaches in from outside the window
    EXPECT_EQ(column(812), QPoint(812, 10)); // cut by the image's edge
    EXPECT_EQ(column(815), std::nullopt);    // off it
}

TEST(FindReferenceBox, AStraightSheetHasAngleZeroWhereverTheAnchorLies) {
    for (const QPoint shift : {QPoint(-30, -40), QPoint(0, 0), QPoint(25, 40), QPoint(30, 40)}) {
        SCOPED_TRACE(testing::Message() << shift.x() << "," << shift.y());
        const SheetDecode sheet = Decoded({}, Scan{.shift = shift});
        EXPECT_EQ(QPoint(sheet.AnchorBox.x, sheet.AnchorBox.y), QPoint(35, 50) + shift);
        EXPECT_EQ(QPoint(sheet.RefBox.x, sheet.RefBox.y), QPoint(771, 0));
        EXPECT_EQ(sheet.SheetTheta, 0.0F);
    }
}

TEST(DecodeSheet, MissingCutOrMisplacedRegistrationBoxesEndTheScan) {
    const auto row = [](std::initializer_list<QRect> dark, const QString& text) {
        const auto sheet = DecodeSheet(BitmapDC(WhiteWith(dark)), Layout());
        ASSERT_FALSE(sheet);
        EXPECT_TRUE(sheet.error().refused());
        EXPECT_EQ(sheet.error().text(), text + "\rAborting scan.");
    };
    row({}, "Anchor Box not found");
    row({{35, 50, 12, 12}}, "Reference Box not found");
    row({{-6, 50, 12, 12}, {800, 50, 12, 12}}, SheetOffGlassText()); // cut on the left
    row({{35, 50, 12, 12}, {843, 50, 12, 12}}, SheetOffGlassText()); // cut on the right
    row({{35, 50, 12, 12}, {35 + 650, 50, 12, 12}}, SheetScaleText(84));
    row({{35, 50, 12, 12}, {35 + 850, 50, 12, 12}}, "Reference Box not found");
}

TEST(DecodeSheet, FieldEdgeCasesAndTheClientRecord) {
    const int item7 = kFirstItemField + 6, item40 = kFirstItemField + 39;
    // Marks, the field, its value, the marks seen, doubtful.
    const auto row = [](std::vector<Mark> marks, int field, const char* value, int seen,
                        bool doubtful) {
        const SheetDecode sheet = Decoded(marks);
        ASSERT_EQ(sheet.fields.size(), size_t(kScanItemCount));
        const FieldRead& read = sheet.fields[field].read;
        EXPECT_EQ(std::tuple(read.value, read.marks, read.doubtful),
                  std::tuple(QString(value), seen, doubtful))
            << field << " " << marks.back().bubble;
        const int item = field - kFirstItemField + 1;
        EXPECT_EQ(sheet.DoubtfulItems, doubtful ? std::vector{item} : std::vector<int>{});
    };
    row({}, kAgeTensField, "N", 0, false);
    row({{item40, 1, 70, 0.6}, {item40, 3}}, item40, "4", 2, true);           // 2 and 4, 4 darker
    row({{item40, 0, 70, 2.2}, {item40, 2, 70, 2.2}}, item40, "1", 2, false); // equal: lower wins
    row({}, item7, "0", 0, false);
    row({{kDUIArrestsField, 0}}, kDUIArrestsField, "0", 1, false);
    row({{kDrugArrestsField, 9}}, kDrugArrestsField, "9", 1, false);
    row({{kRaceField, 5, 205}}, kRaceField, "0", 0, false); // erasure residue
    // Pens through the red drop-out: blue and black read, red vanishes with the printing.
    row({{item40, 2, 0, 1, QColor(30, 40, 135)}}, item40, "3", 1, false);
    row({{item40, 1, 0, 1, QColor(70, 80, 190)}}, item40, "2", 1, false);
    row({{item40, 3, 0, 1, QColor(20, 20, 20)}}, item40, "4", 1, false);
    row({{item40, 0, 0, 1, QColor(230, 30, 40)}}, item40, "0", 0, false);
    // Doubtful, read by the same rules: a light mark alone, a light one beside a dark one, a
    // chosen mark that fills little of its bubble.
    row({{item7, 1, 150}}, item7, "0", 0, true);
    row({{item40, 0}, {item40, 2, 155, 0.8}}, item40, "1", 1, true);
    row({{item40, 2, 70, 0.5}}, item40, "3", 1, true);
    row({{item40, 2, 135}}, item40, "3", 1, false); // light, but dark enough throughout

    // Age "00" while a column is blank; a faint second mark names its field once. (Every other
    // field of the client record: the filled sheet of the scan window tests.)
    const SheetDecode sheet =
        Decoded({{kAgeTensField, 3}, {kRaceField, 2}, {kRaceField, 4, 70, 0.6}});
    EXPECT_EQ(sheet.client.Age + QString::number(sheet.client.Race), "003");
    EXPECT_EQ(sheet.MultiNames, std::vector<QString>{QString("Race").leftJustified(50)});
}

TEST(ScanSheetWarning, ListsMultipleMarksThenTheOtherDoubtfulFieldsUpToTen) {
    const auto padded = [](const char* name) { return QString(name).leftJustified(50); };
    EXPECT_EQ(MultipleMarksWarning({}), std::nullopt);
    EXPECT_EQ(
        MultipleMarksWarning({padded("Item 5"), padded("Item 5"), padded(""), padded("Item 7")}),
        (ScanMessage{"Scan sheet Answers", "Warning! some items had multiple answers marked.\r"
                                           "Please review the follwing answers.\r\r"
                                           "     Item 5\r     Item 7\r"}));
    EXPECT_EQ(MultipleMarksWarning(std::vector<QString>(10, padded("Item 1")))->text,
              "Warning! some items had multiple answers marked.\r"
              "Please review the follwing answers.\r\r     Item 1\r");
    EXPECT_EQ(MultipleMarksWarning(std::vector<QString>(11, padded("Item 1"))),
              (ScanMessage{"Scan Sheet Answers",
                           "Warning Many answers on this scanned answer sheet are \r"
                           "Marked incorrectly. Please review the answer sheet to \r"
                           "Ensure that proper answers have been scored."}));

    // Doubtful fields follow, those already named left out; alone they make the warning.
    const QString doubtful = "Warning! some items had faint or partly filled marks.\r"
                             "Please check the following answers on the sheet.\r\r";
    EXPECT_EQ(ScanSheetWarning({}, {}), std::nullopt);
    EXPECT_EQ(ScanSheetWarning({padded("Item 5")}, {padded("Item 5")}),
              MultipleMarksWarning({padded("Item 5")}));
    EXPECT_EQ(ScanSheetWarning({padded("Item 5")}, {padded("Age tens"), padded("Item 5")}),
              (ScanMessage{"Scan sheet Answers",
                           "Warning! some items had multiple answers marked.\r"
                           "Please review the follwing answers.\r\r     Item 5\r\r" +
                               doubtful + "     Age tens\r"}));
    std::vector<QString> twelve;
    for (int i = 1; i <= 12; ++i)
        twelve.push_back(padded(qPrintable(QString("Item %1").arg(i))));
    EXPECT_TRUE(ScanSheetWarning(std::vector<QString>(11, padded("Item 1")), twelve)
                    ->text.contains("scored.\r\r" + doubtful + "     Item 2\r"));
    EXPECT_EQ(ScanSheetWarning({}, twelve),
              (ScanMessage{"Scan sheet Answers",
                           doubtful + "     Item 1\r     Item 2\r     Item 3\r     Item 4\r"
                                      "     Item 5\r     Item 6\r     Item 7\r     Item 8\r"
                                      "     Item 9\r     Item 10\r     and 2 more\r"}));
}
