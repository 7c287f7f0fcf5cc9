#include "records/ClientInfoRules.h"

#include "station/CodeTables.h"

#include <utility>
#include <vector>

namespace dvq3 {
namespace {

bool AllDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

using Prefixes = std::vector<std::pair<QString, int>>;

// Tested in order: a digit must equal the text, a prefix must begin it (upper-cased).
const Prefixes& PrefixTable(CodeList list) {
    static const Prefixes gender = {{"1", 1}, {"M", 1}, {"2", 2}, {"F", 2}, {"0", 0}, {"N", 0}};
    static const Prefixes marital = {{"1", 1}, {"SI", 1}, {"2", 2}, {"MA", 2}, {"3", 3}, {"DI", 3},
                                     {"4", 4}, {"SE", 4}, {"5", 5}, {"WI", 5}, {"0", 0}, {"N/", 0}};
    // "NA" (Native American) comes before "N/" (N/A), so a lone "N" selects neither.
    static const Prefixes race = {{"1", 1}, {"C", 1}, {"2", 2}, {"B", 2}, {"3", 3},
                                  {"H", 3}, {"4", 4}, {"A", 4}, {"5", 5}, {"NA", 5},
                                  {"6", 6}, {"O", 6}, {"0", 0}, {"N/", 0}};
    static const Prefixes education = {
        {"1", 1}, {"8T", 1}, {"2", 2}, {"PARTIAL H", 2}, {"3", 3}, {"G", 3},
        {"4", 4}, {"H", 4},  {"5", 5}, {"PARTIAL C", 5}, {"6", 6}, {"T", 6},
        {"7", 7}, {"C", 7},  {"8", 8}, {"A", 8},         {"0", 0}, {"N", 0}};
    switch (list) {
    case CodeList::Gender:
        return gender;
    case CodeList::Marital:
        return marital;
    case CodeList::Race:
        return race;
    case CodeList::Education:
        break;
    }
    return education;
}

} // namespace

bool GoodDate(const QString& text, const QDate& today) {
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/')
        return false;
    const QString month = text.mid(0, 2), day = text.mid(3, 2), year = text.mid(6, 4);
    if (!AllDigits(month) || !AllDigits(day) || !AllDigits(year))
        return false;
    const QDate date(year.toInt(), month.toInt(), day.toInt());
    // QDate refuses days a month does not have (04/31, 02/29 outside leap years).
    return date.isValid() && date.year() >= kEarliestBirthYear && date <= today;
}

bool IsValidDL(const QString& text) {
    if (text.startsWith(u'N', Qt::CaseInsensitive))
        return true;
    if (text.contains(u'_') || text.size() != 17)
        return false;
    return AllDigits(text.mid(1, 3)) && AllDigits(text.mid(5, 3)) && AllDigits(text.mid(9, 2)) &&
           AllDigits(text.mid(16, 1));
}

bool ValidCount(const QString& text) {
    if (text == u"N" || text == u"n")
        return true;
    if (text.size() > 2 || !AllDigits(text))
        return false;
    return text == u"0" || text.toInt() >= 1;
}

bool AgeAccepted(const QString& text) {
    if (text.startsWith(u'N', Qt::CaseInsensitive))
        return true;
    return AllDigits(text) && text.toInt() > 10 && text.toInt() < 100;
}

int AgeValue(const QString& text) {
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 999)
            break;
    }
    return value;
}

int ListChoiceFor(CodeList list, const QString& text) {
    const QString upper = text.toUpper();
    for (const auto& [prefix, choice] : PrefixTable(list)) {
        const bool digit = prefix.size() == 1 && prefix[0].isDigit();
        if (digit ? text == prefix : upper.startsWith(prefix))
            return choice;
    }
    return -1;
}

int HighestCode(CodeList list) {
    switch (list) {
    case CodeList::Gender:
        return static_cast<int>(GenderNames.size()) - 1;
    case CodeList::Race:
        return static_cast<int>(RaceNames.size()) - 1;
    case CodeList::Marital:
        return static_cast<int>(MaritalNames.size()) - 1;
    case CodeList::Education:
        break;
    }
    return static_cast<int>(EducationNames.size()) - 1;
}

QString RecordDateText(const QDate& date) {
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}

} // namespace dvq3
