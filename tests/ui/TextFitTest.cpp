// Every window of the station, in each of its states, at its designed size: no caption, label,
// header, help line or button text is cut, in the weight it is shown in (bold while focused), in
// either language, and nothing moves when the focus does.
#include "AdminFixture.h"
#include "OnScreen.h"
#include "administration/AdminTexts.h"
#include "administration/windows/frmPresentQA.h"
#include "administration/windows/frmSelectEntryMethod.h"
#include "administration/windows/frmSelectLanguage.h"
#include "platform/ProgramFolder.h"
#include "records/windows/SecretCode.h"
#include "records/windows/frmClientInfo.h"
#include "records/windows/frmCourtHistory.h"
#include "records/windows/frmMyInputBox.h"
#include "reports/windows/frmViewReport.h"
#include "sheets/ScanMessages.h"
#include "sheets/windows/frmDebugView.h"
#include "sheets/windows/frmNewEntry.h"
#include "shell/frmAbout.h"
#include "shell/frmDriveSelect.h"
#include "shell/frmMainMenu.h"
#include "supervisor/frmPrintSelected.h"
#include "supervisor/frmSupervisorOptions.h"
#include "supervisor/frmVerify.h"

#include <QDebug>
#include <QGroupBox>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QTabWidget>

using namespace dvq3;
using dvq3test::Child;

namespace {

struct TextFitTest : dvq3test::AdminFixture {
    QMap<QString, QString> cut; // each fault found, and the first state it was seen in
    dvq3test::ModalScript script;

    void SetUp() override {
        AdminFixture::SetUp();
        // The longest name a record holds, beside a short one.
        makeDisk({dvq3test::Client("Ann Lee"), dvq3test::Client("Maximilian Wolfgang Mwale")});
        session.CurClient = 2;
        session.EditExisting = true;
    }

    // One screen of a window as it is now.
    void check(QWidget* window, const QString& state) {
        for (const QString& text : dvq3test::CutTexts(window))
            cut.insert(window->objectName() + ' ' + text, state);
    }
    // One screen of a window with the focus on each control that takes it in turn: every text
    // whole in every weight, and every control where it was.
    void walk(QWidget* window, const QString& state) {
        QTest::qWait(10);
        const auto place = [window](QWidget* control) {
            QString at;
            QDebug(&at) << QRect(control->mapTo(window, QPoint()), control->size());
            return at;
        };
        QMap<QWidget*, QString> placed;
        for (QWidget* control : window->findChildren<QWidget*>())
            if (control->isVisible())
                placed[control] = place(control);
        check(window, state);
        QList<QWidget*> stops;
        for (QWidget* next = window->nextInFocusChain(); next != window;
             next = next->nextInFocusChain())
            if (next->isVisible() && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus) &&
                next->window() == window && !stops.contains(next))
                stops << next;
        for (QWidget* stop : stops) {
            stop->setFocus(Qt::TabFocusReason);
            QTest::qWait(5);
            const QString focus = state + ", focus on " + dvq3test::ControlName(stop);
            check(window, focus);
            for (auto it = placed.begin(); it != placed.end(); ++it) {
                const QString now = place(it.key()), moved = window->objectName() + ' ' +
                                                             dvq3test::ControlName(it.key()) +
                                                             " moves";
                if (it.key()->isVisible() && now != it.value() && !cut.contains(moved))
                    cut.insert(moved, focus + ": " + it.value() + " to " + now);
            }
        }
    }
    template <class W, class... Args> void walkNew(const QString& state, Args&&... args) {
        W window(std::forward<Args>(args)...);
        open(&window);
        walk(&window, state);
    }
    // The presentation in one language: each instruction screen, and each item with the focus
    // on the question and on every answer.
    void present(const QString& language) {
        newClient();
        frmPresentQA window(session, language, OpenQuestionTable(session.dbTest, language).value(),
                            audio);
        open(&window);
        auto* instructions = Child<QGroupBox>(&window, "fraInstructions");
        auto* question = Child<QPlainTextEdit>(&window, "txtQuestion");
        int screen = 0;
        for (int step = 0; window.isVisible() && step < 200; ++step) { // 100 items, 6 screens
            if (instructions->isVisible()) {
                check(&window, language + " instructions " + QString::number(screen++));
                keys("e");
                continue;
            }
            const QString item = question->toPlainText().section(u'.', 0, 0);
            walk(&window, language + " item " + item);
            question->setFocus();
            keys("de");
        }
        EXPECT_FALSE(window.isVisible()) << "the " << language.toStdString() << " test not ended";
    }
};

TEST_F(TextFitTest, EveryWindowInEachStateShowsItsTextsWhole) {
    // The shell: the main menu over its clients, the about box and the splash, the drive chooser.
    {
        frmMainMenu menu(session);
        menu.ListEnabled = true;
        open(&menu);
        Child<QListWidget>(&menu, "lbNameDisplay")->setCurrentRow(1); // "Edit" takes the focus
        walk(&menu, "two clients");
    }
    {
        frmAbout about;
        open(&about);
        ASSERT_TRUE(QTest::qWaitFor([&about] { return about.FadeDone(); }));
        walk(&about, "about box");
        about.setSplash(true);
        check(&about, "splash");
    }
    walkNew<frmDriveSelect>("drives", QStringList{folder.drive()});

    // Client records: an existing client, one whose name is deleted, one at the edit limit, and a
    // scanned one with its "Check" button.
    walkNew<frmClientInfo>("existing client", session, clock);
    session.CurrentClient().set(&ClientRecord::NameDeleted, "1");
    walkNew<frmClientInfo>("name deleted", session, clock);
    session.CurrentClient().set(&ClientRecord::NameDeleted, "0");
    session.CurrentClient().set(&ClientRecord::EditCount, "3");
    walkNew<frmClientInfo>("edit limit", session, clock);
    session.CurrentClient().set(&ClientRecord::EditCount, "0");
    session.EditExisting = false;
    session.FromScan = true;
    walkNew<frmClientInfo>("scanned", session, clock);
    session.FromScan = false;
    session.EditExisting = true;
    walkNew<frmCourtHistory>("existing client", session);
    {
        frmVerify verify(session);
        open(&verify);
        walk(&verify, "first question");
        QTest::keyClicks(Child<QWidget>(&verify, "txtCurQuestion"), "1111111111");
        walk(&verify, "question 11");
    }
    {
        frmSupervisorOptions options(session);
        open(&options);
        auto* tabs = Child<QTabWidget>(&options, "sstSupervisorOperations");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            walk(&options, "tab " + tabs->tabText(tab));
        }
    }
    {
        frmMyInputBox box;
        box.setWindowTitle(kClientNameCaption);
        box.setHelpMessage(kClientNameHelp);
        script.then([this](QWidget* shown) {
            walk(shown, "client name");
            shown->close();
        });
        box.exec();
    }
    script.then([this](QWidget* shown) {
        walk(shown, "secret code");
        dvq3test::Answer(shown, "k");
    });
    EXPECT_TRUE(GetSecretCode());

    // Test administration: the entry method for a new client and for one being edited, the
    // language chooser, the presentation in both languages, the keyed entry grid.
    session.EditExisting = false;
    walkNew<frmSelectEntryMethod>("new client", session, &audio);
    session.EditExisting = true;
    walkNew<frmSelectEntryMethod>("editing", session, &audio);
    {
        frmSelectLanguage chooser(session);
        ASSERT_EQ(chooser.LanguageCount(), 2);
        open(&chooser);
        walk(&chooser, "two languages");
    }
    for (const QString& language : {kEnglish, kSpanish})
        present(language);
    session.CurClient = 2;
    session.CurrentClient().set(&ClientRecord::Responses, QString(29, u'2') + QString(71, u'4'));
    walkNew<frmNewEntry>("every answer marked", session);

    // Scanning and reports: the debug view on a page, the report viewer, the batch printing.
    QImage page(850, 1100, QImage::Format_Grayscale8);
    page.fill(255);
    ASSERT_TRUE(page.save(StationFile("Raw.bmp"), "BMP"));
    {
        frmDebugView debug(nullptr);
        debug.setXVal(420);
        debug.setYVal(640);
        debug.setTestedBox("Sex", 225);
        open(&debug);
        walk(&debug, "a tested box");
    }
    walkNew<frmViewReport>("client 2", session);
    walkNew<frmPrintSelected>("two clients", session);

    EXPECT_TRUE(script.done());
    QString faults;
    for (auto it = cut.cbegin(); it != cut.cend(); ++it)
        faults += it.key() + "\n    (" + it.value() + ")\n";
    EXPECT_TRUE(cut.isEmpty()) << faults.toStdString();
}

} // namespace
