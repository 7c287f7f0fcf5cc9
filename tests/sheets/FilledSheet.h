#pragma once

#include "SheetMaker.h"
#include "records/ClientRecord.h"
#include "sheets/ScanItem.h"

namespace sheettest {

// A filled sheet: age 42, female, Caucasian, H.S. graduate, married, arrests 2, 1 and none;
// item k marked on bubble k % (its choices), every tenth item blank, item 5 with a faint second
// mark. FilledClient is what it decodes to.
inline QImage FilledPage() {
    std::vector<Mark> marks{{0, 4}, {1, 2}, {2, 1}, {3, 0}, {4, 3}, {5, 1}, {6, 2}, {7, 1}};
    for (int item = 1; item <= 100; ++item) {
        const int field = dvq3::kFirstItemField + item - 1;
        const int choices = static_cast<int>(dvq3::LayoutBubbles(Layout()[field], field).size());
        if (item % 10 != 0)
            marks.push_back({field, item % choices});
        if (item == 5)
            marks.push_back({field, (item + 1) % choices, 90, 0.55});
    }
    QImage page = Blank(true);
    Fill(page, marks);
    return page.convertToFormat(QImage::Format_RGB32);
}

inline dvq3::ClientRecord FilledClient(const QString& name) {
    QString responses;
    for (int item = 1; item <= 100; ++item) {
        const int field = dvq3::kFirstItemField + item - 1;
        const int choices = static_cast<int>(dvq3::LayoutBubbles(Layout()[field], field).size());
        responses += item % 10 ? QString::number(item % choices + 1) : QStringLiteral("0");
    }
    dvq3::ClientRecord record;
    record.set(&dvq3::ClientRecord::Name, name);
    record.set(&dvq3::ClientRecord::Age, "42");
    record.set(&dvq3::ClientRecord::Gender, "2");
    record.set(&dvq3::ClientRecord::Race, "1");
    record.set(&dvq3::ClientRecord::Education, "4");
    record.set(&dvq3::ClientRecord::Marital, "2");
    record.set(&dvq3::ClientRecord::DUIArrests, "2");
    record.set(&dvq3::ClientRecord::AlcoholArrests, "1");
    record.set(&dvq3::ClientRecord::DrugArrests, "0");
    record.set(&dvq3::ClientRecord::Responses, responses);
    record.set(&dvq3::ClientRecord::EditCount, "0");
    record.set(&dvq3::ClientRecord::NameDeleted, "0");
    return record;
}

} // namespace sheettest
