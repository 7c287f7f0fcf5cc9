// Finding the registration boxes, reading fields, and the multiple-mark warnings.
#include "SheetMaker.h"
#include "sheets/AnswerSheetDrawing.h"

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

TEST(IsBox, NeedsMoreThanItsFractionOfNSquaredDarkAndCountsOutsideAsDark) {
    struct Row {
        std::initializer_list<QRect> dark;
        PolarPoint at;
        int n;
        bool hit;
        int count;
    };
    const Row rows[] = {
        {{{100, 100, 7, 1}, {100, 101, 3, 1}}, {100, 100, 0, 0}, 6, false, 10},
        {{{100, 100, 7, 1}, {100, 101, 4, 1}}, {100, 100, 0, 0}, 6, true, 11},
        {{{100, 100, 9, 1}}, {100, 100, 0, 0}, 14, false, 9},
        {{{100, 100, 10, 1}}, {100, 100, 0, 0}, 14, true, 10},
        {{}, {-3, 10, 0, 0}, 6, true, 21},
    };
    for (const Row& row : rows) {
        const BoxTest test = IsBox(BitmapDC(WhiteWith(row.dark)), row.at, row.n);
        EXPECT_EQ(test.hit, row.hit) << row.count;
        EXPECT_EQ(test.count, row.count);
    }
}

TEST(FindAnchorBox, TakesTheFirstHitsRowAndTheLeftmostHitsColumnOnceWhiteWasSeen) {
    struct Row {
        std::initializer_list<QRect> dark;
        std::optional<QPoint> anchor;
    };
    const Row rows[] = {
        {{{35, 50, 12, 12}}, QPoint(35, 50)},
        {{{0, 0, 850, 8}, {35, 50, 12, 12}}, QPoint(35, 50)}, // dark margin before any white
        {{{40, 50, 12, 12}, {20, 60, 12, 12}}, QPoint(20, 50)},
        {{{35, 50, 3, 3}, {70, 50, 12, 12}}, std::nullopt}, // a dot; a box outside columns 5-65
    };
    for (const Row& row : rows) {
        const auto anchor = FindAnchorBox(BitmapDC(WhiteWith(row.dark)));
        ASSERT_EQ(anchor.has_value(), row.anchor.has_value());
        if (anchor) {
            EXPECT_EQ(QPoint(anchor->x, anchor->y), *row.anchor);
        }
    }
}

TEST(FindReferenceBox, AStraightSheetHasAngleZeroWhereverTheAnchorLies) {
    for (const int shift : {-30, 0, 25, 30}) {
        const SheetDecode sheet = Decoded({}, Scan().move(shift, 0));
        EXPECT_EQ(sheet.AnchorBox.x, 35 + shift);
        EXPECT_EQ(QPoint(sheet.RefBox.x, sheet.RefBox.y), QPoint(771, 0)) << shift;
        EXPECT_EQ(sheet.SheetTheta, 0.0F) << shift;
    }
}

TEST(DecodeSheet, MissingRegistrationBoxesEndTheScan) {
    struct Row {
        std::initializer_list<QRect> dark;
        const char* text;
    };
    for (const Row& row : {Row{{}, "Anchor Box not found\rAborting scan."},
                           Row{{{35, 50, 12, 12}}, "Reference Box not found\rAborting scan."}}) {
        QImage image = WhiteWith(row.dark);
        const auto sheet = DecodeSheet(BitmapDC(image), Layout());
        ASSERT_FALSE(sheet);
        EXPECT_TRUE(sheet.error().refused());
        EXPECT_EQ(sheet.error().text(), row.text);
    }
}

TEST(DecodeSheet, FieldEdgeCases) {
    const int item7 = kFirstItemField + 6, item40 = kFirstItemField + 39;
    struct Row {
        std::vector<Mark> marks;
        int field;
        QString value;
        int marksSeen;
    };
    const Row rows[] = {
        {{{kAgeTensField, 4}, {kAgeUnitsField, 7}}, kAgeUnitsField, "7", 1},
        {{}, kAgeTensField, "N", 0},
        {{{item40, 1, 70, 0.6}, {item40, 3}}, item40, "4", 2},          // 2 and 4, 4 darker
        {{{item40, 0, 70, 2.2}, {item40, 2, 70, 2.2}}, item40, "1", 2}, // equal: lower wins
        {{}, item7, "0", 0},
        {{{item7, 1}}, item7, "2", 1},
        {{{kDUIArrestsField, 0}}, kDUIArrestsField, "0", 1},
        {{{kDrugArrestsField, 9}}, kDrugArrestsField, "9", 1},
        {{{kRaceField, 5, 205}}, kRaceField, "0", 0}, // erasure residue
    };
    for (const Row& row : rows) {
        const SheetDecode sheet = Decoded(row.marks);
        ASSERT_EQ(sheet.fields.size(), size_t(kScanItemCount));
        EXPECT_EQ(sheet.fields[row.field].read.value, row.value) << row.field;
        EXPECT_EQ(sheet.fields[row.field].read.marks, row.marksSeen) << row.field;
    }
}

TEST(DecodeSheet, FillsTheClientFromTheFields) {
    std::vector<Mark> marks = {{kAgeTensField, 3},        {kGenderField, 1},
                               {kRaceField, 2},           {kEducationField, 7},
                               {kMaritalField, 4},        {kDUIArrestsField, 2},
                               {kAlcoholArrestsField, 0}, {kDrugArrestsField, 5}};
    QString responses(100, u'0');
    for (int item = 1; item <= 100; item += 3) {
        marks.push_back({kFirstItemField + item - 1, item % 2});
        responses[item - 1] = QChar(u'1' + item % 2);
    }
    const ScanClientValues client = Decoded(marks).client;
    EXPECT_EQ(client.Age, "00"); // the units column is blank
    EXPECT_EQ(std::vector<int>({client.Gender, client.Race, client.Education, client.Marital}),
              std::vector<int>({2, 3, 8, 5}));
    EXPECT_EQ(client.DUIArrests + client.AlcoholArrests + client.DrugArrests, "205");
    EXPECT_EQ(client.Responses, responses);
}

TEST(MultipleMarksWarning, ListsNamesOnceAndSwitchesToTheShortWarningAboveTen) {
    const auto padded = [](const char* name) { return QString(name).leftJustified(50); };
    std::vector<QString> eleven(11, padded("Item 1"));
    struct Row {
        std::vector<QString> names;
        std::optional<ScanMessage> box;
    };
    const Row rows[] = {
        {{}, std::nullopt},
        {{padded("Item 5"), padded("Item 5"), padded(""), padded("Item 7")},
         ScanMessage{"Scan sheet Answers", "Warning! some items had multiple answers marked.\r"
                                           "Please review the follwing answers.\r\r"
                                           "     Item 5\r     Item 7\r"}},
        {eleven, ScanMessage{"Scan Sheet Answers",
                             "Warning Many answers on this scanned answer sheet are \r"
                             "Marked incorrectly. Please review the answer sheet to \r"
                             "Ensure that proper answers have been scored."}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MultipleMarksWarning(row.names), row.box);
}

TEST(DecodeSheet, RecordsEachMultiplyMarkedFieldOnce) {
    const SheetDecode sheet = Decoded({{kRaceField, 1}, {kRaceField, 3, 70, 0.6}});
    ASSERT_EQ(sheet.MultiNames.size(), 1u);
    EXPECT_EQ(sheet.MultiNames[0], QString("Race").leftJustified(50));
}
