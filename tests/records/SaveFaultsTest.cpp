#include "RecordsFixture.h"
#include "records/frmClientInfo.h"
#include "records/frmCourtHistory.h"
#include "records/frmSupervisorOptions.h"
#include "records/frmVerify.h"
#include "shell/DiskCheck.h"

#include <QTabWidget>

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
    static void key(QWidget* window, const char* name, const QString& keys) {
        QWidget* field = window->findChild<QWidget*>(QLatin1String(name));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, keys);
    }
    static void ok(QWidget* window) {
        QTest::keyClick(window->findChild<QWidget*>("cmdMenuChoice0"), Qt::Key_Return);
    }
    // Each way the record windows write a record, changing client 2 (all clients for names).
    void run(int path, int reply) {
        if (path == 0) {
            frmClientInfo window(session, clock);
            open(&window);
            key(&window, "txtName", "Zed Ray");
            answer(reply);
            ok(&window);
        } else if (path == 1) {
            frmCourtHistory window(session);
            open(&window);
            key(&window, "txtDUIDWI", "9");
            answer(reply);
            ok(&window);
        } else if (path == 2) {
            frmVerify window(session);
            open(&window);
            QString keyed = dvq3test::Client("").Responses;
            keyed[40] = u'4';
            messages.answer(vbOK); // the corrections box
            answer(reply);
            QTest::keyClicks(window.findChild<QWidget*>("txtCurQuestion"), keyed + "3");
        } else {
            frmSupervisorOptions window(session);
            open(&window);
            window.findChild<QTabWidget*>()->setCurrentIndex(2);
            messages.answer(vbYes);
            answer(reply);
            ok(&window);
        }
    }
    // The answer to the disk error box; none when no fault is injected.
    void answer(int reply) {
        if (reply != 0)
            messages.answer(reply);
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
    for (int path = 0; path < 4; ++path) {
        reset();
        run(path, 0);
        const QByteArray changed = onDisk();
        ASSERT_NE(changed, original) << path;
        for (DriveOp op : {DriveOp::Open, DriveOp::Stat, DriveOp::Read, DriveOp::Write,
                           DriveOp::Sync, DriveOp::Close}) {
            for (int reply : {vbCancel, vbOK}) {
                SCOPED_TRACE(testing::Message()
                             << "path " << path << " op " << int(op) << " reply " << reply);
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
                    const bool isNew = path == 3 ? record.mid(25) == after.mid(25) &&
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
    run(3, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(onDisk()[i * 176 + 175], '1');
}
