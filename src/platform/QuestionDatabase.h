#pragma once

#include "platform/DatabaseLock.h"
#include "platform/Error.h"
#include "platform/Recordset.h"

#include <QString>
#include <QStringList>

namespace dvq3 {

// The question database (DVQ3.MDB): an SQLite file reached through Qt SQL. Open errors carry
// the engine numbers the start-up handler treats like a missing data disk: 3024 file not found,
// 3044 path not valid, 3051 file cannot be opened; and kDatabaseInUse when another station
// holds it.
//
// One station at a time: the station's open takes a hold on the file for the run (DatabaseLock),
// which a second station's open, and the tool's build-db, are refused. The engine's own locking
// stays in its normal mode, so the tool's reading commands read beside a running station: a
// reader and the station's rare writes (the scan's positions) wait for each other's short
// transactions and never see half of one.
class QuestionDatabase {
public:
    QuestionDatabase();
    ~QuestionDatabase();
    QuestionDatabase(const QuestionDatabase&) = delete;
    QuestionDatabase& operator=(const QuestionDatabase&) = delete;

    // Opens an existing database. exclusive: the station's open, read-write, held against any
    // other station until close; otherwise read-only, and possible beside a running station.
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
    DatabaseLock hold_;
};

} // namespace dvq3
