#pragma once

#include <QDate>
#include <QString>

namespace dvq3 {

// The licence field as shown with no position filled.
inline const QString kEmptyDLMask = QStringLiteral("____-___-__-___-_");
// The oldest year of birth a client may have.
inline constexpr int kEarliestBirthYear = 1890;

// A date of birth "MM/DD/YYYY" that exists, from 1890 up to today.
bool GoodDate(const QString& text, const QDate& today);
// A licence beginning with "N" (not available), or the whole pattern "A123-456-78-901-1".
bool IsValidDL(const QString& text);
// An arrest count: "N" or "n", "0", or one or two digits worth 1 to 99.
bool ValidCount(const QString& text);
// An age confirmed with Enter: "N"..., or a whole number from 11 to 99.
bool AgeAccepted(const QString& text);
// The number the age field's text starts with, 0 when it starts with none.
int AgeValue(const QString& text);

// The list fields of the client window, picked by typing a code digit or the start of a choice.
enum class CodeList { Gender, Education, Race, Marital };
// The list position the typed text selects, or -1 when it selects none (the list then drops
// down).
int ListChoiceFor(CodeList list, const QString& text);
// The code digits a list takes from the keyboard, besides "N" and "n".
int HighestCode(CodeList list);

// The record date of a save: "mm/dd/yyyy".
QString RecordDateText(const QDate& date);

} // namespace dvq3
