#pragma once

#include "SheetMaker.h"
#include "sheets/ScanItem.h"
#include "station/ClientRecord.h"

namespace sheettest {

// The number of bubbles of item k.
inline int Choices(int item) {
    const int field = dvq3::kFirstItemField + item - 1;
    return static_cast<int>(dvq3::LayoutBubbles(Layout()[field], field).size());
}

// A filled sheet: age 42, female, Caucasian, H.S. graduate, married, arrests 2, 1 and none;
// item k marked on bubble k % (its choices), every tenth item blank, item 5 with a faint second
// mark, item 10 with a light one only (read as blank, doubtful, like item 5). FilledClient is
// what it decodes to.
inline QImage FilledPage() {
    std::vector<Mark> marks{{0, 4}, {1, 2}, {2, 1}, {3, 0}, {4, 3}, {5, 1}, {6, 2}, {7, 1}};
    for (int item = 1; item <= 100; ++item)
        if (item % 10 != 0)
            marks.push_back({dvq3::kFirstItemField + item - 1, item % Choices(item)});
    marks.push_back({dvq3::kFirstItemField + 4, 6 % Choices(5), 90, 0.55});
    marks.push_back({dvq3::kFirstItemField + 9, 1, 150});
    QImage page = Blank(true);
    Fill(page, marks);
    return page.convertToFormat(QImage::Format_RGB32);
}

inline dvq3::ClientRecord FilledClient(const QString& name) {
    QString responses;
    for (int item = 1; item <= 100; ++item)
        responses += item % 10 ? QString::number(item % Choices(item) + 1) : QStringLiteral("0");
    // Name, age, gender, (date of birth), education, race, marital status, (record date,
    // licence), the three arrest counts, the answers, edit count, name not deleted.
    return dvq3::ClientRecord::FromBytes((dvq3::FitField(name, 25) + "422" + QString(10, u' ') +
                                          "412" + QString(27, u' ') + "2 1 0 " + responses + "00")
                                             .toLatin1());
}

} // namespace sheettest
