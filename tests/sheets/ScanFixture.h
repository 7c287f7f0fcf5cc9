#pragma once

#include "../records/RecordsFixture.h"
#include "FilledSheet.h"
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

} // namespace sheettest
