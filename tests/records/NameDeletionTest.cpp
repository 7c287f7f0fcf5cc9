#include "records/NameDeletion.h"
#include "DriveFaults.h"
#include "TestFolder.h"
#include "records/Session.h"

#include <cerrno>

#include <gtest/gtest.h>

using namespace dvq3;
using dvq3test::DriveFaults;
using dvq3test::TestFolder;

TEST(NameDeletionTest, ScrambledNamesKeepShapeButNothingOfTheName) {
    const QString name = FitField("Ann Lee", 25);
    const QString first = ScrambleName(name);
    ASSERT_EQ(first.size(), 25);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(first[i] == u' ', name[i] == u' ') << i;
        EXPECT_TRUE(first[i].unicode() >= 32 && first[i].unicode() < 127);
    }
    EXPECT_NE(first.left(7), QStringLiteral("Duu Shh")); // the old reversible shift
    // Scrambling the same name again gives another result: it is not a function of the name.
    EXPECT_NE(ScrambleName(name), first);
    EXPECT_NE(ScrambleName(QString(25, u'A')), ScrambleName(QString(25, u'A')));
}

TEST(NameDeletionTest, DeletesEachNameOnceInterruptedRunsFinish) {
    TestFolder folder;
    Session session;
    session.disk.SetDataDrive(folder.drive());
    QByteArray bytes;
    for (int i = 1; i <= 3; ++i) {
        ClientRecord record;
        record.set(&ClientRecord::Name, QStringLiteral("Client Number %1").arg(i));
        record.set(&ClientRecord::Responses, QString(100, u'1'));
        record.set(&ClientRecord::NameDeleted, i == 1 ? "1" : "0");
        bytes += record.toBytes();
    }
    TestFolder::Write(session.disk.ClientFile(), bytes);
    ASSERT_TRUE(session.LoadClients());
    bool failThird = true;
    auto save = [&](int i, const ClientRecord& before) {
        DriveFaults faults;
        if (i == 3 && failThird)
            faults.fail(DriveOp::Write, EIO);
        if (session.disk.SaveClient(i))
            return true;
        session.disk.Clients(i) = before;
        return false;
    };
    EXPECT_FALSE(DeleteNames(session, save)); // the drive fails at the third client
    QByteArray now = TestFolder::Read(session.disk.ClientFile());
    EXPECT_EQ(now.mid(0, 176), bytes.mid(0, 176));   // already deleted: untouched
    EXPECT_NE(now.mid(176, 25), bytes.mid(176, 25)); // deleted
    EXPECT_EQ(now.mid(352), bytes.mid(352));         // not reached
    const QByteArray second = now.mid(176, 176);

    failThird = false;
    EXPECT_TRUE(DeleteNames(session, save)); // the run again finishes the job
    now = TestFolder::Read(session.disk.ClientFile());
    ASSERT_EQ(now.size(), bytes.size());
    EXPECT_EQ(now.mid(176, 176), second); // not deleted twice
    for (int i = 1; i < 3; ++i) {
        const int at = i * 176;
        EXPECT_EQ(now.mid(at + 25, 150), bytes.mid(at + 25, 150)); // every other field kept
        EXPECT_EQ(now[at + 175], '1');
        for (int c = 0; c < 25; ++c)
            EXPECT_EQ(now[at + c] == ' ', bytes[at + c] == ' ');
    }
    EXPECT_TRUE(DeleteNames(session, save));
    EXPECT_EQ(TestFolder::Read(session.disk.ClientFile()), now); // a second run changes nothing
}
