#pragma once
// What is particular to one database engine, in one object: how a connection is opened and
// set up, how the program's statements (dates as #yyyy-M-d#, True/False) become the
// engine's, the engine's spelling of the few things the statements need beyond plain SQL
// (ordering names by pinyin, a row limit, an upsert, the catalogue of tables, the file's
// stamp), the functions the program adds to the engine (InStr, Round, the pinyin order) and
// the hooks that copy and check a whole database for backup and restore.
//
// Everything above the data layer writes statements in the program's own dialect and asks
// this object for the rest; a second engine is a second implementation of this class.

#include "data/Errors.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace tev {

class Database;
struct CopyFailure;

class Dialect {
public:
    virtual ~Dialect() = default;

    // The Qt SQL driver and the connection options (mustExist: never create the file;
    // readOnly: never write to it; busyTimeout: how long to wait for another's lock, in ms).
    virtual QString DriverName() const = 0;
    virtual QString ConnectOptions(bool mustExist, bool readOnly, int busyTimeout) const = 0;
    // Run after every open: durability and locking settings.
    virtual QStringList SessionStatements() const = 0;
    // Sets how long a statement waits for another connection's lock, in milliseconds.
    virtual QString BusyTimeoutStatement(int milliseconds) const = 0;
    // Adds the program's functions and collations to an open connection.
    virtual bool RegisterFunctions(const QSqlDatabase& connection) const = 0;
    // The statement that starts a writing transaction (taking the write lock at once).
    virtual QString BeginWrite() const = 0;

    // A statement in the program's dialect in the engine's own.
    virtual QString Translate(const QString& programSql) const = 0;
    // A date as the engine compares stored dates.
    virtual QString DateLiteral(const QDate& date) const = 0;
    // "{column} Collate PINYIN": names in the order a Chinese reader expects.
    virtual QString PinyinOrder(const QString& column) const = 0;
    // " Limit {limit} Offset {offset}".
    virtual QString LimitOffset(int limit, int offset) const = 0;
    // Inserts a row or, when its key exists, replaces its other columns.
    virtual QString Upsert(const QString& table, const QString& keyColumn,
                           const QStringList& columns) const = 0;
    // The names of the tables in the database, one per row in column "name".
    virtual QString TableListStatement() const = 0;

    // The file's stamp: which program made it, and the version of its schema.
    virtual QString ReadApplicationId() const = 0;
    virtual QString WriteApplicationId(int id) const = 0;
    virtual QString ReadSchemaVersion() const = 0;
    virtual QString WriteSchemaVersion(int version) const = 0;

    // Backup hooks. A consistent copy of the open database into a new file at target (nothing
    // left there on failure); and a check that reads every page of an open database.
    virtual bool CopyDatabase(const Database& source, const QString& target, CopyFailure* failure) const = 0;
    virtual bool CheckIntact(Database& db, QString* problem) const = 0;
};

// The engine the program runs on.
const Dialect& SqliteDialect();

} // namespace tev
