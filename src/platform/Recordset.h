#pragma once

#include "platform/Error.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace dvq3 {

// The rows of one query, held in memory, with a current position that moves first, next and
// previous as the question screens need. A recordset opened on a table can edit its current row
// and write it back.
class Recordset {
public:
    int recordCount() const { return static_cast<int>(rows_.size()); }
    void moveFirst() { position_ = 0; }
    void moveLast() { position_ = recordCount() - 1; }
    void moveNext();
    void movePrevious();
    // Before the first row (also true when there are no rows).
    bool bof() const { return position_ < 0 || rows_.empty(); }
    // After the last row (also true when there are no rows).
    bool eof() const { return position_ >= recordCount() || rows_.empty(); }

    QStringList fieldNames() const { return fields_; }
    bool hasField(const QString& name) const { return column(name) >= 0; }
    // The field of the current row by name (case-insensitive); invalid outside the rows.
    QVariant field(const QString& name) const;
    bool isNull(const QString& name) const { return field(name).isNull(); }

    // Changes a field of the current row in memory; update() writes the row to its table.
    void edit() { editing_ = true; }
    void setField(const QString& name, const QVariant& value);
    Status update();
    void close();

private:
    friend class QuestionDatabase;
    int column(const QString& name) const;

    QString connection_;
    QString table_; // empty for a read-only query
    QStringList fields_;
    std::vector<QVariantList> rows_;
    std::vector<qint64> rowIds_;
    int position_ = 0;
    bool editing_ = false;
};

} // namespace dvq3
