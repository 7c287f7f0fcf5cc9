#pragma once

#include "../records/RecordsFixture.h"
#include "SheetMaker.h"
#include "platform/ScannerFake.h"
#include "sheets/ScanAnswerSheet.h"
#include "sheets/ScanItem.h"

#include <QLineEdit>

namespace sheettest {

// A station ready to scan: a data disk, its own copy of the question database, a fake scanner
// and stand-ins for the review windows that note what they found and confirm, cancel or save.
struct ScanFixture : dvq3test::RecordsFixture {
    std::shared_ptr<dvq3::ScannerFake> fake = std::make_shared<dvq3::ScannerFake>();
    dvq3::ScanStation station{fake, {}, [this] { ++ended; }};
    int ended = 0;
    QStringList opened;              // the review windows, in order
    QList<QByteArray> diskWhenShown; // the client file as each of them found it
    QList<dvq3::ClientRecord> recordWhenShown;

    void SetUp() override {
        QFile::copy(dvq3test::BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB"));
        ASSERT_TRUE(session.dbTest.open(folder.path("DVQ3.MDB"), true));
    }
    void TearDown() override {
        fake->Release();
        session.dbTest.close();
    }

    // The stand-ins: each confirms until the step named, which cancels ("frmNewEntry": the grid
    // saves unless it is the one that cancels).
    void review(const QString& cancelAt = {}) {
        for (const QString name : {"frmClientInfo", "frmCourtHistory", "frmNewEntry"})
            session.ChainWindows[name] = [this, name, cancelAt](dvq3::Session& s) {
                opened << name;
                diskWhenShown << onDisk();
                recordWhenShown << s.CurrentClient();
                s.ContinueFlag = name != cancelAt;
                if (name == "frmNewEntry" && name != cancelAt) {
                    ASSERT_TRUE(s.disk.SaveClient(s.CurClient));
                    s.disk.CommitNewClient();
                }
            };
    }

    // Runs a scan, typing name into the name prompt (an empty name cancels it); then adds the
    // steps for the windows that follow.
    void scan(const QString& name, const std::function<void(dvq3test::ModalScript&)>& then = {}) {
        dvq3test::ModalScript script;
        script.then([name](QWidget* box) {
            EXPECT_TRUE(box->findChild<QLineEdit*>("txtInput")->text().isEmpty());
            if (name.isEmpty())
                QTest::keyClick(box->findChild<QWidget*>("cmdMenuChoice1"), Qt::Key_Return);
            else
                dvq3test::Answer(box, name);
        });
        if (then)
            then(script);
        dvq3::ScanAnswerSheet(session, station);
        EXPECT_TRUE(script.done());
    }
};

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
