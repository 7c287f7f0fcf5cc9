#include "platform/QuestionDatabase.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace dvq3 {
namespace {

QString NewConnectionName() {
    static QAtomicInt next;
    return QStringLiteral("dvq3-questions-%1").arg(next.fetchAndAddRelaxed(1));
}

Error EngineError(int number, const QString& detail = {}) {
    QString description = DriveErrorDescription(number);
    if (!detail.isEmpty())
        description += QStringLiteral(" (%1)").arg(detail);
    return Error::DatabaseFault(number, description);
}

// The engine's "busy" and "locked": another connection (another station) holds the file.
Error OpenError(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return EngineError(code == 5 || code == 6 ? kDatabaseInUse : 3051, error.text());
}

} // namespace

QuestionDatabase::QuestionDatabase() : connection_(NewConnectionName()) {}

QuestionDatabase::~QuestionDatabase() {
    close();
}

bool QuestionDatabase::isOpen() const {
    return QSqlDatabase::contains(connection_) &&
           QSqlDatabase::database(connection_, false).isOpen();
}

void QuestionDatabase::close() {
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
    // Only once the engine is done with the file: the hold's descriptor is closed with it.
    hold_.release();
}

Status QuestionDatabase::open(const QString& path, bool exclusive) {
    close();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.absoluteDir().exists())
        return EngineError(3044, path);
    if (!info.exists())
        return EngineError(3024, path);
    if (!info.isFile() || !info.isReadable())
        return EngineError(3051, path);
    // Another station's hold is reported at once rather than waited for.
    if (exclusive)
        if (auto held = hold_.acquire(path); !held)
            return held;

    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path);
    // A reader and the station's writes wait out each other's short transactions.
    db.setConnectOptions(exclusive
                             ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000")
                             : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        const Error error = OpenError(db.lastError());
        db = {};
        close();
        return error;
    }
    QSqlQuery query(db);
    // A file that is not a database fails on its first read.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const Error error = OpenError(query.lastError());
        query = QSqlQuery();
        db = {};
        close();
        return error;
    }
    return {};
}

Status QuestionDatabase::create(const QString& path) {
    close();
    QFile::remove(path);
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path);
    if (!db.open())
        return EngineError(3051, db.lastError().text());
    return {};
}

QStringList QuestionDatabase::tableNames() const {
    QStringList names;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (query.exec(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid")))
        while (query.next())
            names << query.value(0).toString();
    return names;
}

Result<Recordset> QuestionDatabase::openRecordset(const QString& sql) const {
    return load(sql, {});
}

Result<Recordset> QuestionDatabase::openTable(const QString& table) const {
    if (!tableNames().contains(table))
        return EngineError(3078, table);
    return load(QStringLiteral("SELECT rowid, * FROM \"%1\" ORDER BY rowid").arg(table), table);
}

Result<Recordset> QuestionDatabase::load(const QString& sql, const QString& table) const {
    if (!isOpen())
        return EngineError(3051, QStringLiteral("database not open"));
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return EngineError(3078, query.lastError().text());
    Recordset rs;
    rs.connection_ = connection_;
    rs.table_ = table;
    const QSqlRecord record = query.record();
    const int first = table.isEmpty() ? 0 : 1; // a table recordset reads its rowid first
    for (int c = first; c < record.count(); ++c)
        rs.fields_ << record.fieldName(c);
    while (query.next()) {
        QVariantList row;
        for (int c = first; c < record.count(); ++c)
            row << query.value(c);
        rs.rows_.push_back(row);
        if (!table.isEmpty())
            rs.rowIds_.push_back(query.value(0).toLongLong());
    }
    return rs;
}

Status QuestionDatabase::execute(const QString& sql, const QVariantList& values) const {
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return EngineError(3051, query.lastError().text());
    return {};
}

} // namespace dvq3
