#pragma once

#include "DriveFaults.h"
#include "MessageRecorder.h"
#include "TestFolder.h"
#include "records/Clock.h"
#include "records/Session.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

#include <gtest/gtest.h>

namespace dvq3test {

// A clock the tests set.
struct FixedClock : dvq3::Clock {
    QDateTime at{QDate(2026, 12, 6), QTime(10, 30)};
    QDateTime now() const override { return at; }
};

// A complete, scorable client record: age 35, male, born 01/02/1980, H.S. graduate, Caucasian,
// married, saved 01/01/2020, arrests 1, 0 and N, edited never, name not deleted.
inline dvq3::ClientRecord Client(const QString& name) {
    return dvq3::ClientRecord::FromBytes((dvq3::FitField(name, 25) +
                                          "35101/02/198041201/01/2020A123-456-78-901-11 0 N " +
                                          QString(29, u'1') + QString(71, u'2') + "00")
                                             .toLatin1());
}

// Runs each scripted step on the next modal window that has not had one yet.
class ModalScript {
public:
    void then(std::function<void(QWidget*)> step) { steps_.push_back(std::move(step)); }
    ModalScript() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (steps_.empty() || !modal || !modal->isVisible() ||
                modal->property("scripted").toBool())
                return;
            modal->setProperty("scripted", true);
            auto step = std::move(steps_.front());
            steps_.pop_front();
            step(modal);
        });
        timer_.start();
    }
    bool done() const { return steps_.empty(); }

private:
    std::deque<std::function<void(QWidget*)>> steps_;
    QTimer timer_;
};

// Types text into the box of a modal prompt and confirms it.
inline void Answer(QWidget* box, const QString& text) {
    auto* input = box->findChild<QWidget*>("txtInput");
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
    QTest::keyClick(box->findChild<QWidget*>("cmdMenuChoice0"), Qt::Key_Return);
}

// A program folder with the scoring and report files and a data disk of clients.
struct RecordsFixture : ::testing::Test {
    TestFolder folder;
    MessageRecorder messages;
    dvq3::Session session;
    FixedClock clock;

    void makeDisk(const QList<dvq3::ClientRecord>& clients) {
        const QDir built(BuiltProgramFolder());
        for (const QString& name : built.entryList({"*.TXT"}, QDir::Files))
            QFile::copy(built.filePath(name), folder.path(name));
        QDir().mkpath(folder.drive());
        session.disk.SetDataDrive(folder.drive());
        QByteArray bytes;
        for (const dvq3::ClientRecord& record : clients)
            bytes += record.toBytes();
        TestFolder::Write(session.disk.ClientFile(), bytes);
        ASSERT_TRUE(session.LoadClients());
    }
    QByteArray onDisk() const { return TestFolder::Read(session.disk.ClientFile()); }
    QByteArray recordOnDisk(int i) const { return onDisk().mid((i - 1) * 176, 176); }

    template <class T> static T* child(QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    // Shows a window and lets its first activation run.
    static void open(QWidget* window) {
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::qWait(10);
    }
};

} // namespace dvq3test
