// The ScanItem table as built into the question database, its faults, and dvq3tool decode.
#include "DecodeCommand.h"
#include "SheetMaker.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "platform/QuestionDatabase.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ImagingControl.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace sheettest;

TEST(ScanItemTable, Holds109FieldsInDecodingOrderAndThePolarPositionsGiveXAndY) {
    const std::vector<ScanItem>& layout = Layout();
    ASSERT_EQ(layout.size(), size_t(kScanItemCount));
    EXPECT_EQ(layout[kMaritalField].LocationName, "Marital status");
    for (int item = 1; item <= 100; ++item) {
        const ScanItem& row = layout[kFirstItemField + item - 1];
        EXPECT_EQ(row.LocationName, QString("Item %1").arg(item));
        EXPECT_EQ(row.dimx, item <= 29 ? 2 : 4) << item;
    }
    for (const ScanItem& row : layout)
        EXPECT_EQ(ScanItemOrigin(row), QPoint(row.x, row.y)) << row.LocationName.toStdString();
}

TEST(ScanItemTable, BubblesLieOnThePageApartAndClearOfTheRegistrationBoxSearches) {
    std::vector<QRect> squares;
    for (int f = 0; f < kScanItemCount; ++f)
        for (const QPoint& b : LayoutBubbles(Layout()[f], f))
            squares.emplace_back(kAnchorBoxOnPage + b, QSize(15, 15));
    const QRect page(30, 30, kSheetWidth - 60, kSheetHeight - 60);
    const QRect anchorSearch(0, 0, 65 + 7 + 30, 112 + 7 + 40); // with shifts of 30 and 40
    const QRect refSearch(kAnchorBoxOnPage.x() + 741 - 30, 0, 200, kAnchorBoxOnPage.y() + 119);
    for (size_t i = 0; i < squares.size(); ++i) {
        EXPECT_TRUE(page.contains(squares[i])) << i;
        EXPECT_FALSE(squares[i].intersects(anchorSearch) || squares[i].intersects(refSearch)) << i;
        for (size_t j = i + 1; j < squares.size(); ++j)
            EXPECT_FALSE(squares[i].adjusted(-4, -4, 4, 4).intersects(squares[j])) << i << " " << j;
    }
}

namespace {

// A copy of the built question database, open for writing.
struct ScanItemCopy : testing::Test {
    dvq3test::TestFolder folder;
    QuestionDatabase db;
    void SetUp() override {
        ASSERT_TRUE(
            QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB")));
        ASSERT_TRUE(db.open(folder.path("DVQ3.MDB"), true));
    }
};

} // namespace

TEST_F(ScanItemCopy, ATableTooShortOrUnreadableEndsTheScan) {
    ASSERT_TRUE(db.execute("DELETE FROM ScanItem WHERE LocationName = 'Item 100'"));
    const auto shortTable = ReadScanItems(db);
    ASSERT_FALSE(shortTable);
    EXPECT_EQ(shortTable.error().text(), "The answer sheet layout (table ScanItem) holds 108 "
                                         "fields; the sheet has 109.\rAborting scan.");
    ASSERT_TRUE(db.execute("DROP TABLE ScanItem"));
    const auto noTable = ReadScanItems(db);
    ASSERT_FALSE(noTable);
    EXPECT_TRUE(noTable.error().text().startsWith("The answer sheet layout (table ScanItem) "
                                                  "cannot be used:\r"));
    std::vector<ScanItem> layout = Layout();
    layout[kRaceField].dimx = 100000;
    const QImage page = Blank(false);
    for (const auto& broken : {std::vector<ScanItem>(layout.begin(), layout.end() - 1), layout}) {
        ImagingControl lead;
        lead.setImage(page);
        ASSERT_TRUE(PrepareSheetImage(lead));
        const auto sheet = DecodeSheet(lead.GetBitmapDC(), broken);
        ASSERT_FALSE(sheet);
        EXPECT_TRUE(sheet.error().text().endsWith("\rAborting scan."));
    }
}

TEST_F(ScanItemCopy, TheScanWritesTheUnturnedPositionsBack) {
    ASSERT_TRUE(db.execute("UPDATE ScanItem SET x = 0, y = 0"));
    auto sheet = Decode(Scanned(Blank(false), Scan().turn(2)));
    ASSERT_TRUE(sheet);
    EXPECT_NEAR(sheet.value().SheetTheta, 2, 0.15);
    ASSERT_TRUE(WriteScanPositions(db, sheet.value().positions));
    const auto stored = ReadScanItems(db);
    ASSERT_TRUE(stored);
    for (int f = 0; f < kScanItemCount; ++f)
        EXPECT_EQ(QPoint(stored.value()[f].x, stored.value()[f].y),
                  QPoint(Layout()[f].x, Layout()[f].y));
}

TEST_F(ScanItemCopy, DecodeCommandPrintsEveryFieldAsJsonOrTheScanErrorWithAFailingStatus) {
    QImage page = Blank(false);
    Fill(page, {{kAgeTensField, 5},
                {kAgeUnitsField, 2},
                {kFirstItemField + 99, 3},
                {kFirstItemField + 99, 1, 70, 0.6}});
    ImagingControl lead;
    lead.setImage(page);
    ASSERT_TRUE(lead.Save(folder.path("sheet.bmp")));
    lead.setImage(page.copy(0, 0, 400, 1100)); // no reference box
    ASSERT_TRUE(lead.Save(folder.path("half.bmp")));
    const auto run = [&](const char* image, int status, const char* error) {
        const dvq3test::ToolRun run = dvq3test::RunTool([&](QTextStream& out, QTextStream& err) {
            const QString db = dvq3test::BuiltProgramFolder() + "/DVQ3.MDB";
            return dvq3tool::RunDecode({folder.path(image), "--db", db}, out, err);
        });
        EXPECT_EQ(std::pair(run.status, run.err), std::pair(status, QString(error)));
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    };
    run("half.bmp", 2, "Scan Error: Reference Box not found Aborting scan.\n");
    run("none.bmp", 2, "Twain Error: Error '20010, File not found.\n");
    const QJsonObject json = run("sheet.bmp", 0, "");
    EXPECT_EQ(json["client"].toObject()["Age"].toString(), "52");
    EXPECT_EQ(json["SheetTheta"].toDouble(), 0.0);
    EXPECT_EQ(json["AnchorBox"].toObject()["x"].toInt(), 35);
    const QJsonObject last = json["fields"].toArray()[kScanItemCount - 1].toObject();
    EXPECT_EQ(last["value"].toString(), "4");
    EXPECT_TRUE(last["multiple"].toBool());
    EXPECT_GT(last["darkness"].toInt(), 60);
}
