#pragma once
// The one database layer: the connection, the dialect step that lets the system's
// SELECT statements run as written, the quoting helper, the materialised result,
// parameterised writes and transactions. No other folder opens a connection.

#include "data/Errors.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class QSqlDatabase;
class QSqlError;

namespace tev {

class Dialect;

// Doubles every single quote so that a text can be spliced between '…' in a
// statement. Every text value that comes from a user goes through this.
QString SqlText(const QString& text);

// A date written as the system writes dates in statements: #yyyy-M-d#.
QString SqlDate(const QDate& date);

// Rewrites a statement written in the Jet dialect for the engine underneath:
// #date# literals become ISO text, True/False become 1/0. Text inside '…' is left alone.
QString TranslateStatement(const QString& jetSql);

// A materialised result: every row is read at once, so the record count is known
// and the result stays valid after other statements run.
class ResultSet {
public:
    ResultSet() = default;

    int RecordCount() const { return int(m_rows.size()); }
    bool IsEmpty() const { return m_rows.isEmpty(); }
    bool Eof() const { return m_pos >= m_rows.size(); }
    bool Bof() const { return m_pos < 0 || m_rows.isEmpty(); }
    void First() { m_pos = 0; }
    void Last() { m_pos = m_rows.isEmpty() ? 0 : int(m_rows.size()) - 1; }
    void Next() {
        if (m_pos < m_rows.size()) ++m_pos;
    }
    void Prior() {
        if (m_pos >= 0) --m_pos;
    }
    void MoveBy(int n);
    int Position() const { return m_pos; }
    void SetPosition(int row) { m_pos = row; }

    const QStringList& Columns() const { return m_columns; }
    int ColumnIndex(const QString& column) const;
    bool HasColumn(const QString& column) const { return ColumnIndex(column) >= 0; }

    // Field of the current row. A missing value (NULL, no such column, past the end)
    // reads as empty text, 0, false or an invalid date.
    QVariant Value(const QString& column) const;
    QString AsString(const QString& column) const;
    qint64 AsInteger(const QString& column) const;
    double AsFloat(const QString& column) const;
    bool AsBoolean(const QString& column) const;
    QDate AsDate(const QString& column) const;
    QDateTime AsDateTime(const QString& column) const;

    // Direct access for grids and reports.
    QVariant At(int row, int column) const;
    const QVector<QVariant>& Row(int row) const { return m_rows[row]; }

private:
    friend class Database;
    QStringList m_columns;
    QVector<QVector<QVariant>> m_rows;
    int m_pos = 0;
};

// Column name and value pairs for an insert or update.
using FieldValues = QList<QPair<QString, QVariant>>;

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // What a database is opened for: to work on it, which needs the file and its folder to
    // take writes, or only to read it (a backup being checked), which never writes to it.
    enum class OpenFor { Work, Reading };

    // Opens an existing database of this program. Fails with a readable error for a
    // missing file, a file that is no database, a database of another program or one
    // missing tables, and, opened for work, for a file or folder that cannot be written
    // (the message names the file): a program that went on with such a file would fail
    // at every save. Never creates a file, and the check writes nothing that stays.
    bool Open(const QString& path, OpenFor purpose = OpenFor::Work);
    // Creates a new file (which must not exist) and opens it; the caller creates the schema.
    bool CreateNew(const QString& path);
    void Close();
    bool IsOpen() const;
    QString Path() const { return m_path; }
    // The engine's own words of the last failure (for the log), and what kind of failure it
    // was (for the user: ReasonText).
    QString LastError() const { return m_error; }
    DbError LastErrorKind() const { return m_errorKind; }

    // Runs a SELECT written in the Jet dialect. On failure returns false and keeps
    // the engine's text in LastError().
    bool Select(const QString& jetSql, ResultSet& out);
    // Runs a statement without rows written in the Jet dialect; rows affected, -1 on failure.
    int Execute(const QString& jetSql);

    // Parameterised statement in the engine's own dialect: values are bound, never spliced.
    bool Query(const QString& sql, const QVariantList& args, ResultSet* out = nullptr,
               int* affected = nullptr);
    // Inserts a row; returns the new key, or -1.
    qint64 Insert(const QString& table, const FieldValues& values);
    // Updates the rows matching where (with ? placeholders bound to whereArgs); rows affected, -1.
    int Update(const QString& table, const FieldValues& values, const QString& where,
               const QVariantList& whereArgs = {});
    int Delete(const QString& table, const QString& where, const QVariantList& whereArgs = {});

    // Runs work inside one transaction: everything lands, or nothing does when work
    // returns false or a statement inside it failed. Nested calls join the outer one.
    bool Transaction(const std::function<bool()>& work);

    // How long a statement waits for another program's lock on the file before it fails as
    // busy (DbError::Busy). Applies at once and to every later open of this connection.
    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return m_busyTimeout; }
    static constexpr int DefaultBusyTimeout = 5000;

    // The engine's connection, for the data layer's own use (the dialect, prepared statements).
    QSqlDatabase Connection() const;
    // The engine's particulars (SqliteDialect() unless another is given).
    const Dialect& SqlDialect() const { return *m_dialect; }
    // Whether the engine's driver is installed.
    static bool DriverAvailable();

    static constexpr int ApplicationId = 0x54455652; // "TEVR"
    // The schema this program writes; older files are upgraded by the steps of Migrate.h.
    static constexpr int SchemaVersion = 4;
    // The version of the first schema, the one CreateSchema starts from.
    static constexpr int BaseSchemaVersion = 1;

private:
    bool OpenConnection(const QString& path, bool mustExist, bool readOnly = false);
    bool ApplySettings(bool reading = false);
    bool CheckWritable(int version);
    bool Fail(const QString& error, DbError kind);
    bool Fail(const QSqlError& error);

    const Dialect* m_dialect;
    QString m_name;
    QString m_path;
    QString m_error;
    DbError m_errorKind = DbError::None;
    int m_busyTimeout = DefaultBusyTimeout;
    int m_depth = 0;
    bool m_failedInTransaction = false;
};

} // namespace tev
