// The ScanItem table as built into the question database, and its faults.
#include "SheetMaker.h"
#include "TestFolder.h"
#include "platform/QuestionDatabase.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ImagingControl.h"

#include <QFile>

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

TEST(ScanItemTable, ATableTooShortUnreadableOrDamagedEndsTheScan) {
    dvq3test::TestFolder folder; // a copy of the built question database, open for writing
    ASSERT_TRUE(QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB")));
    QuestionDatabase db;
    ASSERT_TRUE(db.open(folder.path("DVQ3.MDB"), true));
    const auto read = [&db] {
        const auto items = ReadScanItems(db);
        return items ? QString() : items.error().text();
    };
    ASSERT_TRUE(db.execute("DELETE FROM ScanItem WHERE LocationName = 'Item 100'"));
    EXPECT_EQ(read(), "The answer sheet layout (table ScanItem) holds 108 fields; the sheet has "
                      "109.\rAborting scan.");
    ASSERT_TRUE(db.execute("DROP TABLE ScanItem"));
    EXPECT_TRUE(read().startsWith("The answer sheet layout (table ScanItem) cannot be used:\r"));
    std::vector<ScanItem> layout = Layout();
    layout[kRaceField].dimx = 100000; // more bubbles than a sheet holds
    ImagingControl lead;
    lead.setImage(Blank(false));
    ASSERT_TRUE(PrepareSheetImage(lead));
    const auto sheet = DecodeSheet(lead.GetBitmapDC(), layout);
    EXPECT_EQ(sheet ? QString() : sheet.error().text(),
              QString("The answer sheet layout (table ScanItem) is damaged at field %1 "
                      "(Race).\rAborting scan.")
                  .arg(kRaceField + 1));
}
