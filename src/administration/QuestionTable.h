#pragma once

#include "platform/Error.h"
#include "platform/QuestionDatabase.h"
#include "platform/Recordset.h"

#include <QStringList>

namespace dvq3 {

// The presentation languages the chooser offers, by exact table name.
inline const QStringList kPresentationLanguages = {QStringLiteral("English"),
                                                   QStringLiteral("Spanish")};
// The question tables of db that may be presented, in the database's own table order.
QStringList PresentationLanguages(const QuestionDatabase& db);

// The records of the question table language ("Select * from [language]"), at the first record.
// A table that is missing, holds fewer than one record per item, lacks a field the presentation
// reads, or does not number its items 1 to 100 in order is refused before the client sees
// anything; the refusal's text says why.
Result<Recordset> OpenQuestionTable(const QuestionDatabase& db, const QString& language);

// The fields the presentation reads from each record.
extern const QStringList kQuestionFields;

} // namespace dvq3
