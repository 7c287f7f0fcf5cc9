#include "records/ClientRecord.h"

#include <gtest/gtest.h>

using namespace dvq3;

TEST(ClientRecord, FieldsLieAtTheirOffsets) {
    struct Case {
        const char* name;
        int offset;
        int length;
    };
    const Case layout[] = {{"Name", 0, 25},
                           {"Age", 25, 2},
                           {"Gender", 27, 1},
                           {"DOB", 28, 10},
                           {"Education", 38, 1},
                           {"Race", 39, 1},
                           {"Marital", 40, 1},
                           {"RecordDate", 41, 10},
                           {"DL", 51, 17},
                           {"DUIArrests", 68, 2},
                           {"AlcoholArrests", 70, 2},
                           {"DrugArrests", 72, 2},
                           {"Responses", 74, 100},
                           {"EditCount", 174, 1},
                           {"NameDeleted", 175, 1}};
    ASSERT_EQ(std::size(layout), kClientFields.size());
    for (std::size_t i = 0; i < kClientFields.size(); ++i) {
        EXPECT_STREQ(kClientFields[i].name, layout[i].name);
        EXPECT_EQ(kClientFields[i].offset, layout[i].offset) << layout[i].name;
        EXPECT_EQ(kClientFields[i].length, layout[i].length) << layout[i].name;
        // Each field alone, filled with a marker, lands exactly at its offset.
        ClientRecord record;
        record.set(kClientFields[i].member, QString(layout[i].length, u'#'));
        const QByteArray bytes = record.toBytes();
        ASSERT_EQ(bytes.size(), 176);
        EXPECT_EQ(bytes.indexOf('#'), layout[i].offset);
        EXPECT_EQ(bytes.count('#'), layout[i].length);
    }
}

TEST(ClientRecord, EveryByteSurvivesALoadAndASave) {
    for (int start = 0; start < 256; start += 176) {
        QByteArray bytes;
        for (int i = 0; i < 176; ++i)
            bytes += static_cast<char>((start + i) % 256);
        EXPECT_EQ(ClientRecord::FromBytes(bytes).toBytes(), bytes);
    }
}

TEST(ClientRecord, TextIsPaddedAndCut) {
    ClientRecord record;
    record.set(&ClientRecord::Name, "Abcdefghijklmnopqrstuvwxyz0123");
    EXPECT_EQ(record.Name, QStringLiteral("Abcdefghijklmnopqrstuvwxy"));
    record.set(&ClientRecord::Name, "Lee");
    EXPECT_EQ(record.Name, QStringLiteral("Lee") + QString(22, u' '));
    EXPECT_EQ(ClientRecord().toBytes(), QByteArray(176, ' '));
    // Unset fields assigned directly are still written at their own length.
    record.Age = "7";
    EXPECT_EQ(record.toBytes().mid(25, 2), QByteArray("7 "));
}
