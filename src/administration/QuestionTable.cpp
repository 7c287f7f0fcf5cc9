#include "administration/QuestionTable.h"

#include "station/Questionnaire.h"

namespace dvq3 {

const QStringList kQuestionFields = {
    QStringLiteral("ID"),           QStringLiteral("TestQuestion"), QStringLiteral("QuestionAudio"),
    QStringLiteral("ANSWER1"),      QStringLiteral("ANSWER2"),      QStringLiteral("ANSWER3"),
    QStringLiteral("ANSWER4"),      QStringLiteral("ANSWER5"),      QStringLiteral("ChoiceAudio1"),
    QStringLiteral("ChoiceAudio2"), QStringLiteral("ChoiceAudio3"), QStringLiteral("ChoiceAudio4"),
    QStringLiteral("ChoiceAudio5")};

QStringList PresentationLanguages(const QuestionDatabase& db) {
    QStringList languages;
    for (const QString& table : db.tableNames())
        if (kPresentationLanguages.contains(table))
            languages << table;
    return languages;
}

Result<Recordset> OpenQuestionTable(const QuestionDatabase& db, const QString& language) {
    const auto refuse = [&language](const QString& why) {
        return Error::Refusal(QStringLiteral("The questions in \"%1\" cannot be presented: %2.\r"
                                             "The test has not started and nothing is stored.")
                                  .arg(language, why));
    };
    if (!db.tableNames().contains(language))
        return refuse(QStringLiteral("the question database has no such table"));
    Result<Recordset> opened =
        db.openRecordset(QStringLiteral("Select * from [") + language + u']');
    if (!opened)
        return refuse(opened.error().text());
    Recordset rs = std::move(opened).value();
    for (const QString& field : kQuestionFields)
        if (!rs.hasField(field))
            return refuse(QStringLiteral("the table has no field \"%1\"").arg(field));
    if (rs.recordCount() < kItemCount)
        return refuse(QStringLiteral("the table holds %1 questions, %2 are needed")
                          .arg(rs.recordCount())
                          .arg(kItemCount));
    for (int item = 1; item <= kItemCount; ++item, rs.moveNext()) {
        bool number = false;
        if (rs.field(QStringLiteral("ID")).toInt(&number) != item || !number)
            return refuse(QStringLiteral("record %1 is not item %1").arg(item));
    }
    rs.moveFirst();
    return rs;
}

} // namespace dvq3
