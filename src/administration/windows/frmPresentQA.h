#pragma once

#include "administration/Audio.h"
#include "platform/Recordset.h"
#include "station/Questionnaire.h"

#include <QDialog>

#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;

namespace dvq3 {

class MenuButtons;
class MsgPanel;
class Session;

// The client takes the test alone at the keyboard: general and section instructions, then the
// 100 items one at a time, spoken through audio. On completion the answers are stored in the
// current client's record and the new client is counted; the break-off key ends it with nothing
// stored. While it runs the window cannot be closed, minimised or left.
class frmPresentQA : public QDialog {
    Q_OBJECT
public:
    // rsQuestions: the language's question table, checked by OpenQuestionTable.
    frmPresentQA(Session& session, const QString& language, Recordset rsQuestions,
                 AudioBackend& audio, QWidget* parent = nullptr);
    ~frmPresentQA() override;

    QString Language() const { return language_; }
    bool AudioOn() const { return audio_.AudioOn; }

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Activate();
    void GetNextQuestion();
    void TestInstructions(int section);
    void ShowSectionDone();
    void LeaveInstructions();
    void ChooseAnswer(int index);
    void GoBack();
    void BreakOff();
    void SaveAnswers();
    void PlaySound(const QString& file);
    void ShowSoundError(int number, const QString& description);
    void QuestionFocus();
    void AnswerFocus(int index, bool in);
    void SetAnswerBold(int index, bool bold);
    void ShowQuestionFrames(bool shown);
    void End(bool completed);
    int RecordId() const;
    QString Field(const char* name) const;

    Session& session_;
    QString language_;
    bool spanish_;
    Recordset rsQuestions_;
    Audio audio_;

    QGroupBox* fraInstructions;
    QPlainTextEdit* txtInstructions;
    QFrame* frQandA;
    QGroupBox* fraQuestions;
    QPlainTextEdit* txtQuestion;
    QGroupBox* fraAnswer;
    std::array<QLabel*, 5> txtButtonText;
    MsgPanel* msgPanel;
    MenuButtons* menu;

    ItemAnswers PresentAnswers{};
    int QNum = 0;
    bool FirstQuestion = true;
    bool FirstInstructions = false;
    bool GoingBack = false;
    bool activated_ = false;
    bool ending_ = false;
    bool unsaved_ = false; // the test is finished but its answers are not on the disk yet
    QString QuestionAudioFile;
    std::array<QString, 5> ChoiceAudioFile;
};

} // namespace dvq3
