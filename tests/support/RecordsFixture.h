#pragma once

#include "DriveFaults.h"
#include "MessageRecorder.h"
#include "TestFolder.h"
#include "Widgets.h"
#include "records/RecordsMessages.h"
#include "station/Clock.h"
#include "station/Session.h"

#include <QTest>
#include <QtWidgets>

#include <deque>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace dvq3test {

// A clock the tests set, on a day other than the one the tests run on.
struct FixedClock : dvq3::Clock {
    QDateTime at{QDate(2031, 5, 17), QTime(10, 30)};
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
struct ModalScript {
    std::deque<std::function<void(QWidget*)>> steps;
    QTimer timer;
    ModalScript() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (steps.empty() || !modal || !modal->isVisible() ||
                modal->property("scripted").toBool())
                return;
            modal->setProperty("scripted", true);
            auto step = std::move(steps.front());
            steps.pop_front();
            step(modal);
        });
        timer.start(5);
    }
    void then(std::function<void(QWidget*)> step) { steps.push_back(std::move(step)); }
    bool done() const { return steps.empty(); }
};

// Types text into the box of a modal prompt and confirms it.
inline void Answer(QWidget* box, const QString& text) {
    auto* input = box->findChild<QWidget*>("txtInput");
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
    QTest::keyClick(box->findChild<QWidget*>("cmdMenuChoice0"), Qt::Key_Return);
}

// A program folder with the scoring and report files, a data disk of clients and the record
// window under test, reached by the names of its controls.
struct RecordsFixture : ::testing::Test {
    TestFolder folder;
    MessageRecorder messages;
    dvq3::Session session;
    FixedClock clock;
    std::unique_ptr<QWidget> window;

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

    // Builds a window of the station on the session and opens it.
    template <class W, class... Args> W* show(Args&&... args) {
        window = std::make_unique<W>(session, std::forward<Args>(args)...);
        open(window.get());
        return static_cast<W*>(window.get());
    }
    template <class T> static T* child(QWidget* parent, const char* name) {
        return Child<T>(parent, name);
    }
    template <class T = QWidget> T* w(const char* name) const {
        return child<T>(window.get(), name);
    }
    // What a control shows: the masked text of a box, the choice of a list, a caption.
    QString text(const char* name) const {
        for (const char* property : {"displayText", "currentText", "text"})
            if (const QVariant shown = w(name)->property(property); shown.isValid())
                return shown.toString();
        return {};
    }
    // Focuses a field and types over what it holds (no keys: empties it). The keys come after
    // the focus change has been handled, as a person's do.
    void type(const char* name, const QString& keys) {
        w(name)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        auto* list = qobject_cast<QComboBox*>(w(name));
        (list ? list->lineEdit() : w<QLineEdit>(name))->selectAll();
        if (keys.isEmpty())
            QTest::keyClick(w(name), Qt::Key_Delete);
        QTest::keyClicks(w(name), keys);
    }
    void press(const char* name, Qt::Key key = Qt::Key_Return, Qt::KeyboardModifiers with = {}) {
        QTest::keyClick(w(name), key, with);
    }
    // Types over a field and presses Enter: the texts of the boxes that followed, the beeps, the
    // control that has the focus then and what the field shows.
    QStringList enter(const char* name, const QString& keys) {
        const int boxes = messages.boxes.size(), beeps = messages.beeps;
        type(name, keys);
        press(name);
        return {messages.texts().mid(boxes).join(u'|'), QString::number(messages.beeps - beeps),
                focused(), text(name)};
    }
    // Whether the window is still open, whether the chain of windows goes on, the current client.
    std::tuple<bool, bool, int> after() const {
        return {window->isVisible(), session.ContinueFlag, session.CurClient};
    }
    static QString focused() {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    }
    // Every box shown so far, as Box(title, text).
    QStringList boxes() const {
        QStringList shown;
        for (const dvq3::MsgBoxCall& box : messages.boxes)
            shown << Box(box.title, box.text);
        return shown;
    }
    static QString Box(const QString& title, const QString& text) { return title + ": " + text; }
    QString lastText() const { return messages.boxes.isEmpty() ? "" : messages.boxes.last().text; }
    // Shows a window and lets its first activation run.
    static void open(QWidget* shown) {
        shown->show();
        shown->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(shown));
        QTest::qWait(10);
    }
};

} // namespace dvq3test
