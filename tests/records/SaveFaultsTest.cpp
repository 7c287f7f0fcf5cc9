#include "RecordsFixture.h"
#include "records/DiskCheck.h"
#include "records/windows/frmClientInfo.h"
#include "records/windows/frmCourtHistory.h"
#include "supervisor/frmSupervisorOptions.h"
#include "supervisor/frmVerify.h"

#include <cerrno>

using namespace dvq3;
using dvq3test::Client;

using SaveFaultsTest = dvq3test::RecordsFixture;

TEST_F(SaveFaultsTest, EveryOperationOfEverySaveLeavesOldOrNewNeverMixed) {
    makeDisk({Client("Ann Lee"), Client("Bob Ray"), Client("Cy Moss")});
    const QByteArray original = onDisk();
    auto reset = [&] {
        dvq3test::TestFolder::Write(session.disk.ClientFile(), original);
        ASSERT_TRUE(session.LoadClients());
        session.CurClient = 2;
        session.EditExisting = true;
        messages.boxes.clear();
    };
    QString answers = Client("").Responses;
    answers[40] = u'4';
    // Each way the record windows write a record: client 2 changed, or every client's name
    // deleted; the box before the save (the corrections, the warning) gets its answer.
    struct Path {
        const char* name;
        int before;
        std::function<void()> open;
        const char* field = nullptr;
        QString keys = {};
    };
    const Path paths[] = {
        {"client information", 0, [&] { show<frmClientInfo>(clock); }, "txtName", "Zed Ray"},
        {"court history", 0, [&] { show<frmCourtHistory>(); }, "txtDUIDWI", "9"},
        {"verification", vbOK, [&] { show<frmVerify>(); }, "txtCurQuestion", answers + "3"},
        {"name deletion", vbYes,
         [&] { show<frmSupervisorOptions>()->findChild<QTabWidget*>()->setCurrentIndex(2); }},
    };
    // The disk error box gets reply; none shows when no fault is injected.
    auto run = [&](const Path& path, int reply) {
        for (int answer : {path.before, reply})
            if (answer != 0)
                messages.answer(answer);
        path.open();
        if (path.field)
            type(path.field, path.keys);
        if (path.before != vbOK) // the verification saves on its last key
            press("cmdMenuChoice0");
        window.reset();
    };
    for (const Path& path : paths) {
        reset();
        run(path, 0);
        const QByteArray changed = onDisk();
        ASSERT_NE(changed, original) << path.name;
        // A close that fails after the flush loses nothing and is no failed save.
        for (DriveOp op : {DriveOp::Open, DriveOp::Stat, DriveOp::Read, DriveOp::Write,
                           DriveOp::Sync, DriveOp::Close}) {
            for (int reply : {vbCancel, vbOK}) {
                SCOPED_TRACE(testing::Message()
                             << path.name << " op " << int(op) << " reply " << reply);
                reset();
                {
                    dvq3test::DriveFaults faults;
                    faults.fail(op, EIO, "DATA401", 1);
                    run(path, op == DriveOp::Close ? 0 : reply);
                    bool diskError = false;
                    for (const MsgBoxCall& box : messages.boxes)
                        diskError |= box.title == kDiskErrorTitle && box.buttons() == vbOKCancel;
                    EXPECT_EQ(diskError, op != DriveOp::Close);
                }
                const QByteArray now = onDisk();
                ASSERT_EQ(now.size(), original.size());
                for (int at = 0; at < now.size(); at += 176) {
                    const QByteArray record = now.mid(at, 176), before = original.mid(at, 176),
                                     after = changed.mid(at, 176);
                    // Names are scrambled afresh each run: compare all but the name.
                    const bool isNew = path.before == vbYes ? record.mid(25) == after.mid(25) &&
                                                                  record.left(25) != before.left(25)
                                                            : record == after;
                    EXPECT_TRUE(record == before || isNew) << at;
                    EXPECT_TRUE((reply != vbOK && op != DriveOp::Close) || isNew) << at;
                    EXPECT_EQ(session.disk.Clients(at / 176 + 1).toBytes(), record) << at;
                }
            }
        }
    }
    // An interrupted name deletion run again finishes the job.
    run(paths[3], 0);
    for (int at = 175; at < onDisk().size(); at += 176)
        EXPECT_EQ(onDisk()[at], '1');
}
