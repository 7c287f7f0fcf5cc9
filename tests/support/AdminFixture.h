#pragma once

#include "RecordsFixture.h"
#include "Widgets.h"
#include "administration/AudioBackend.h"
#include "administration/QuestionTable.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace dvq3test {

// A sound device that plays nothing and keeps what it was asked: "play NAME" and "stop" (a stop
// is logged only when it cuts a sound off).
struct FakeAudio : dvq3::AudioBackend {
    bool device = true;
    bool playing = false;
    QStringList log;
    QString path; // of the last sound played
    bool available() override { return device; }
    void play(const QString& path) override {
        log << "play " + QFileInfo(path).fileName();
        this->path = path;
        playing = true;
    }
    void stop() override {
        if (playing)
            log << "stop";
        playing = false;
    }
};

// A data disk with one stored client, the built question database opened, and a new client
// being entered at index 2, as client information leaves it.
struct AdminFixture : RecordsFixture {
    FakeAudio audio;

    void SetUp() override {
        makeDisk({Client("Ann Lee")});
        QFile::copy(BuiltProgramFolder() + "/DVQ3.MDB", folder.path("DVQ3.MDB"));
        ASSERT_TRUE(session.dbTest.open(folder.path("DVQ3.MDB"), true));
        session.SndPath = folder.path("snd");
        newClient();
    }
    ~AdminFixture() override { window.reset(); } // before the sound device it may play on
    void newClient() {
        session.CurClient = session.disk.NumClients() + 1;
        session.disk.Clients(session.CurClient) = NewClient();
        session.EditExisting = false;
    }
    static dvq3::ClientRecord NewClient() {
        dvq3::ClientRecord record = Client("New One");
        record.set(&dvq3::ClientRecord::Responses, QString(100, u'0'));
        return record;
    }
    // The English instruction screens' recordings and those of the questions the tests hear
    // (item 1 and its first answer, the first items of sections 2 and 5), as short files.
    void makeSounds() {
        const QString dir = session.SndPath + "/dvq3test/sound/English/";
        QDir().mkpath(dir);
        for (const char* name :
             {"Inst0", "Inst1", "Inst2", "Inst3", "Inst4", "E001Q", "ETRUE", "E030Q", "E094Q"})
            TestFolder::Write(dir + name + ".wav", "RIFF");
    }
    // Each character to the control that has the focus when it is typed.
    static void type(const QString& keys) {
        for (QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    // Keys to the control that has the focus when each is pressed: d Down, u Up, e Enter, t Tab,
    // f F10, x Escape, b the break-off key (Shift+Alt+F10), k the keypad's Enter, and Tab with
    // Alt (a), Ctrl (c) or Shift (s).
    static void keys(const QString& sequence) {
        const QString names = "duetfxbkacs";
        const Qt::Key codes[] = {Qt::Key_Down, Qt::Key_Up,     Qt::Key_Return, Qt::Key_Tab,
                                 Qt::Key_F10,  Qt::Key_Escape, Qt::Key_F10,    Qt::Key_Enter,
                                 Qt::Key_Tab,  Qt::Key_Tab,    Qt::Key_Tab};
        const Qt::KeyboardModifiers none, breakOff = Qt::ShiftModifier | Qt::AltModifier,
                                          keypad = Qt::KeypadModifier, alt = Qt::AltModifier,
                                          ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        const Qt::KeyboardModifiers held[] = {none,     none,   none, none, none, none,
                                              breakOff, keypad, alt,  ctrl, shift};
        for (QChar c : sequence)
            key(codes[names.indexOf(c)], held[names.indexOf(c)]);
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget()
                                                      : QApplication::activeWindow();
        ASSERT_TRUE(target);
        QTest::keyClick(target, k, mods);
    }
};

} // namespace dvq3test
