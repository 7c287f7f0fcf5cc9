#include "records/Verification.h"

#include "station/Questionnaire.h"

namespace dvq3 {

Verification::Verification(const QString& storedAnswers)
    : NewAnswers(kItemCount, u'0'), OldAnswers(storedAnswers.trimmed()) {
    for (int i = 1; i <= kItemCount; ++i)
        QuestionOrder[i] = static_cast<qint16>(i);
}

Verification::Step Verification::Answer(QChar key) {
    const int item = CurrentItem();
    // Section 1 is answered True/False (1, 2); the others with codes up to 4; 0 is no answer.
    const QChar highest = item <= SectionStart[1] ? u'2' : u'4';
    if (key < u'0' || key > highest)
        return Step::Refused;
    NewAnswers[item - 1] = key;
    ++CurPos;
    if (CurPos > PassLength)
        return EndOfPass();
    return Step::Next;
}

bool Verification::Back() {
    if (CurPos < 2)
        return false;
    --CurPos;
    return true;
}

Verification::Step Verification::EndOfPass() {
    if (CorrectionPass)
        return Step::Corrected;
    int differences = 0;
    for (int i = 1; i <= kItemCount; ++i)
        if (i > OldAnswers.size() || OldAnswers[i - 1] != NewAnswers[i - 1])
            QuestionOrder[++differences] = static_cast<qint16>(i);
    if (differences == 0)
        return Step::NoDifferences;
    CorrectionPass = true;
    PassLength = differences;
    CurPos = 1;
    return Step::Differences;
}

} // namespace dvq3
