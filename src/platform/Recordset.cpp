#include "platform/Recordset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace dvq3 {

void Recordset::moveNext() {
    if (position_ < recordCount())
        ++position_;
}

void Recordset::movePrevious() {
    if (position_ >= 0)
        --position_;
}

int Recordset::column(const QString& name) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Recordset::field(const QString& name) const {
    const int c = column(name);
    if (c < 0 || bof() || eof())
        return {};
    return rows_[position_][c];
}

void Recordset::setField(const QString& name, const QVariant& value) {
    const int c = column(name);
    if (c >= 0 && !bof() && !eof())
        rows_[position_][c] = value;
}

Status Recordset::update() {
    if (!editing_ || table_.isEmpty() || bof() || eof())
        return Error::DatabaseFault(3020);
    editing_ = false;
    QStringList assignments;
    for (const QString& name : fields_)
        assignments << QStringLiteral("\"%1\" = ?").arg(name);
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?")
                      .arg(table_, assignments.join(QStringLiteral(", "))));
    for (const QVariant& value : rows_[position_])
        query.addBindValue(value);
    query.addBindValue(rowIds_[position_]);
    if (!query.exec())
        return Error::DatabaseFault(3051, query.lastError().text());
    return {};
}

void Recordset::close() {
    rows_.clear();
    rowIds_.clear();
    position_ = 0;
    editing_ = false;
}

} // namespace dvq3
