#pragma once

#include <QString>

#include <array>

namespace dvq3 {

// The second entry of a client's answers: a first pass over all 100 items, then one correction
// pass over the items that differ from the stored answers. The pass's answers replace the stored
// ones; nothing is compared after the correction pass.
class Verification {
public:
    explicit Verification(const QString& storedAnswers);

    enum class Step {
        Refused,       // the key is not an answer of this item: beep
        Next,          // the answer is taken; the next item of the pass is asked
        NoDifferences, // first pass complete and equal to the stored answers
        Differences,   // first pass complete; the correction pass begins
        Corrected,     // correction pass complete: NewAnswers is the answer string to store
    };
    // One answer key for the item asked now.
    Step Answer(QChar key);
    // Back to the previous item of the pass; false (beep) on the pass's first item.
    bool Back();

    // The item asked now, and the one before it in this pass (0 before the pass's second item).
    int CurrentItem() const { return QuestionOrder[CurPos]; }
    int PreviousItem() const { return CurPos >= 2 ? QuestionOrder[CurPos - 1] : 0; }
    QChar AnswerOf(int item) const { return NewAnswers[item - 1]; }

    QString NewAnswers;
    QString OldAnswers;
    std::array<qint16, 101> QuestionOrder{};
    int CurPos = 1;
    int PassLength = 100;
    bool CorrectionPass = false;

private:
    Step EndOfPass();
};

} // namespace dvq3
