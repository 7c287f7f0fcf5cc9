#pragma once

#include "platform/Error.h"
#include "platform/Recordset.h"

#include <QString>
#include <QStringList>

namespace dvq3 {

// The engine's number for a database another station holds open.
inline constexpr int kDatabaseInUse = 3045;

// The question database (DVQ3.MDB): an SQLite file reached through Qt SQL. Open errors carry
// the engine numbers the start-up handler treats like a missing data disk: 3024 file not found,
// 3044 path not valid, 3051 file cannot be opened; and kDatabaseInUse when another station
// holds it.
class QuestionDatabase {
public:
    QuestionDatabase();
    ~QuestionDatabase();
    QuestionDatabase(const QuestionDatabase&) = delete;
    QuestionDatabase& operator=(const QuestionDatabase&) = delete;

    // Opens an existing database read-write; exclusive keeps every other process out until close.
    Status open(const QString& path, bool exclusive);
    // Creates an empty database file (build time).
    Status create(const QString& path);
    bool isOpen() const;
    void close();

    // Table names in the order the tables were created.
    QStringList tableNames() const;
    // The rows of a query, e.g. "Select * from [English]", read-only.
    Result<Recordset> openRecordset(const QString& sql) const;
    // A whole table in stored order, whose rows can be edited and updated.
    Result<Recordset> openTable(const QString& table) const;
    // Runs a statement that returns no rows (build time).
    Status execute(const QString& sql, const QVariantList& values = {}) const;

private:
    Result<Recordset> load(const QString& sql, const QString& table) const;

    QString connection_;
};

} // namespace dvq3
