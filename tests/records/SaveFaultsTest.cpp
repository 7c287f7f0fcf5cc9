#include "RecordsFixture.h"
#include "records/frmClientInfo.h"
#include "records/frmCourtHistory.h"
#include "records/frmSupervisorOptions.h"
#include "records/frmVerify.h"
#include "shell/DiskCheck.h"

#include <cerrno>

using namespace dvq3;

namespace {

struct SaveFaultsTest : dvq3test::RecordsFixture {
    QByteArray original;

    void SetUp() override {
        makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Bob Ray"),
                  dvq3test::Client("Cy Moss")});
        original = onDisk();
    }
    void reset() {
        dvq3test::TestFolder::Write(session.disk.ClientFile(), original);
        ASSERT_TRUE(session.LoadClients());
        session.CurClient = 2;
        session.EditExisting = true;
        messages.boxes.clear();
    }
    bool diskErrorShown() const {
        for (const MsgBoxCall& box : messages.boxes)
            if (box.title == kDiskErrorTitle && box.buttons() == vbOKCancel)
                return true;
        return false;
    }
};

} // namespace

TEST_F(SaveFaultsTest, EveryOperationOfEverySaveLeavesOldOrNewNeverMixed) {
    QString keyed = dvq3test::Client("").Responses;
    keyed[40] = u'4';
    // Each way the record windows write a record: client 2 changed, or every client's name
    // deleted; the box before the save (the corrections, the warning) gets its answer.
    const std::tuple<const char*, int, std::function<void()>> paths[] = {
        {"client information", 0,
         [&] {
             show<frmClientInfo>(clock);
             type("txtName", "Zed Ray");
             press("cmdMenuChoice0");
         }},
        {"court history", 0,
         [&] {
             show<frmCourtHistory>();
             type("txtDUIDWI", "9");
             press("cmdMenuChoice0");
         }},
        {"verification", vbOK,
         [&] {
             show<frmVerify>();
             QTest::keyClicks(w("txtCurQuestion"), keyed + "3");
         }},
        {"name deletion", vbYes,
         [&] {
             show<frmSupervisorOptions>();
             w<QTabWidget>("sstSupervisorOperations")->setCurrentIndex(2);
             press("cmdMenuChoice0");
         }},
    };
    // The disk error box gets reply; none shows when no fault is injected.
    auto run = [&](const auto& path, int reply) {
        for (int answer : {std::get<1>(path), reply})
            if (answer != 0)
                messages.answer(answer);
        std::get<2>(path)();
        window.reset();
    };
    for (const auto& path : paths) {
        const bool names = std::get<1>(path) == vbYes;
        reset();
        run(path, 0);
        const QByteArray changed = onDisk();
        ASSERT_NE(changed, original) << std::get<0>(path);
        for (DriveOp op : {DriveOp::Open, DriveOp::Stat, DriveOp::Read, DriveOp::Write,
                           DriveOp::Sync, DriveOp::Close}) {
            for (int reply : {vbCancel, vbOK}) {
                SCOPED_TRACE(testing::Message()
                             << std::get<0>(path) << " op " << int(op) << " reply " << reply);
                reset();
                {
                    dvq3test::DriveFaults faults;
                    faults.fail(op, EIO, "DATA401", 1);
                    run(path, reply);
                    EXPECT_TRUE(diskErrorShown());
                }
                const QByteArray now = onDisk();
                ASSERT_EQ(now.size(), original.size());
                for (int i = 1; i <= 3; ++i) {
                    const QByteArray record = now.mid((i - 1) * 176, 176);
                    const QByteArray before = original.mid((i - 1) * 176, 176);
                    // Names are scrambled afresh each run: compare all but the name.
                    const QByteArray after = changed.mid((i - 1) * 176, 176);
                    const bool isNew = names ? record.mid(25) == after.mid(25) &&
                                                   record.left(25) != before.left(25)
                                             : record == after;
                    EXPECT_TRUE(record == before || isNew) << i;
                    EXPECT_TRUE(reply != vbOK || isNew) << i;
                    EXPECT_EQ(session.disk.Clients(i).toBytes(), record) << i;
                }
            }
        }
    }
    // An interrupted name deletion run again finishes the job.
    run(paths[3], 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(onDisk()[i * 176 + 175], '1');
}
