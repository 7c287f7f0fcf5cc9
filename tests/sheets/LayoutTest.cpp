// The ScanItem table as built into the question database, its faults, and dvq3tool decode.
#include "DecodeCommand.h"
#include "SheetMaker.h"
#include "TestFolder.h"
#include "ToolRun.h"
#include "platform/QuestionDatabase.h"
#include "sheets/ImagingControl.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace dvq3;
using namespace sheettest;

TEST(ScanItemTable, Holds109FieldsInDecodingOrder) {
    const std::vector<ScanItem>& layout = Layout();
    ASSERT_EQ(layout.size(), size_t(kScanItemCount));
    EXPECT_EQ(layout[kMaritalField].LocationName, "Marital status");
    for (int item = 1; item <= 100; ++item) {
        const ScanItem& row = layout[kFirstItemField + item - 1];
        EXPECT_EQ(row.LocationName, QString("Item %1").arg(item));
        EXPECT_EQ(row.dimx, item <= 29 ? 2 : 4) << item;
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

TEST_F(ScanItemCopy, ATableTooShortUnreadableOrDamagedEndsTheScan) {
    const auto read = [this] {
        const auto items = ReadScanItems(db);
        return items ? QString() : items.error().text();
    };
    ASSERT_TRUE(db.execute("DELETE FROM ScanItem WHERE LocationName = 'Item 100'"));
    EXPECT_EQ(read(), "The answer sheet layout (table ScanItem) holds 108 fields; the sheet has "
                      "109.\rAborting scan.");
    ASSERT_TRUE(db.execute("DROP TABLE ScanItem"));
    EXPECT_TRUE(read().startsWith("The answer sheet layout (table ScanItem) cannot be used:\r"));
    // A damaged row ends the scan; bubbles 0 apart (all on one spot) are still a layout.
    ImagingControl lead;
    lead.setImage(Blank(false));
    ASSERT_TRUE(PrepareSheetImage(lead));
    const QString damaged = QString("The answer sheet layout (table ScanItem) is damaged at field "
                                    "%1 (Race).\rAborting scan.")
                                .arg(kRaceField + 1);
    const std::tuple<int ScanItem::*, int, QString> rows[] = {
        {&ScanItem::dimx, 100000, damaged}, // more bubbles than a sheet holds
        {&ScanItem::dx, 0, ""},
        {&ScanItem::dx, -1, damaged},
    };
    for (const auto& [member, value, text] : rows) {
        std::vector<ScanItem> layout = Layout();
        layout[kRaceField].*member = value;
        const auto sheet = DecodeSheet(lead.GetBitmapDC(), layout);
        EXPECT_EQ(sheet ? QString() : sheet.error().text(), text) << value;
    }
}

// The positions written back after a turned sheet are the layout's, not the turned ones.
TEST_F(ScanItemCopy, TheScanWritesTheUnturnedPositionsBack) {
    ASSERT_TRUE(db.execute("UPDATE ScanItem SET x = 0, y = 0"));
    auto sheet = Decode(Scanned(Blank(false), Scan{.angle = 2}));
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
                {kFirstItemField + 98, 0, 150},
                {kFirstItemField + 99, 3},
                {kFirstItemField + 99, 1, 70, 0.6}});
    ImagingControl lead;
    lead.setImage(page);
    ASSERT_TRUE(lead.Save(folder.path("sheet.bmp")));
    lead.setImage(page.copy(0, 0, 400, 1100)); // no reference box
    ASSERT_TRUE(lead.Save(folder.path("half.bmp")));
    const auto run = [&](const char* image, int status, const char* error) {
        // Read beside the fixture, which holds the database as a running station does.
        const dvq3test::ToolRun run = dvq3test::RunTool([&](QTextStream& out, QTextStream& err) {
            const QString path = image[0] == '/' ? QString(image) : folder.path(image);
            return dvq3tool::RunDecode({path, "--db", folder.path("DVQ3.MDB")}, out, err);
        });
        EXPECT_EQ(std::pair(run.status, run.err), std::pair(status, QString(error)));
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    };
    run("half.bmp", 1, "Scan Error: Reference Box not found Aborting scan.\n");
    run("none.bmp", 1, "Twain Error: Error '20010, File not found.\n");
    // An endless file that says it is empty is not read (nor a pipe: the drive file's tests).
    run("/proc/self/pagemap", 1, "Twain Error: Error '20009, Invalid file format.\n");
    const QJsonObject json = run("sheet.bmp", 0, "");
    EXPECT_EQ(json["client"].toObject()["Age"].toString(), "52");
    EXPECT_EQ(json["SheetTheta"].toDouble(), 0.0);
    EXPECT_EQ(json["AnchorBox"].toObject()["x"].toInt(), 35);
    // Item 100: two marks, the second partial; item 99: a light mark only. Both doubtful, each
    // bubble's dark and inked pixels given.
    const QJsonObject last = json["fields"].toArray()[kScanItemCount - 1].toObject();
    const QJsonArray lastBubbles = last["bubbles"].toArray();
    EXPECT_EQ(last["value"].toString(), "4");
    EXPECT_TRUE(last["multiple"].toBool() && last["doubtful"].toBool());
    EXPECT_GT(last["darkness"].toInt(), 60);
    ASSERT_EQ(lastBubbles.size(), 4);
    EXPECT_EQ(lastBubbles[3].toObject()["darkness"].toInt(), last["darkness"].toInt());
    const QJsonObject light = json["fields"].toArray()[kScanItemCount - 2].toObject();
    const QJsonObject lightBubble = light["bubbles"].toArray()[0].toObject();
    EXPECT_EQ(std::tuple(light["value"].toString(), light["doubtful"].toBool(),
                         lightBubble["darkness"].toInt(), lightBubble["ink"].toInt() > 60),
              std::tuple(QString("0"), true, 0, true));
    EXPECT_TRUE(json["warning"].toObject()["text"].toString().endsWith(
        "Please check the following answers on the sheet.\r\r     Item 99\r"));
}
