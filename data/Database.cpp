#include "data/Database.h"

#include "data/Dialect.h"
#include "data/Errors.h"
#include "data/Schema.h"
#include "rules/PublicFunction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

using namespace Qt::StringLiterals;

namespace tev {

QString SqlText(const QString& text) {
    QString out = text;
    out.replace(u'\'', u"''"_s);
    return out;
}

QString SqlDate(const QDate& date) {
    return u"#"_s + date.toString(u"yyyy-M-d"_s) + u"#"_s;
}

QString TranslateStatement(const QString& jetSql) {
    return SqliteDialect().Translate(jetSql);
}

// ---------------------------------------------------------------- ResultSet

void ResultSet::MoveBy(int n) {
    m_pos = std::clamp(m_pos + n, 0, int(m_rows.size()));
}

int ResultSet::ColumnIndex(const QString& column) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0) return i;
    // "Table.Column" asked as "Column", or the other way round.
    const QString bare = column.section(u'.', -1);
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].section(u'.', -1).compare(bare, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant ResultSet::Value(const QString& column) const {
    if (m_pos < 0 || m_pos >= m_rows.size()) return {};
    const int c = ColumnIndex(column);
    if (c < 0) return {};
    return m_rows[m_pos][c];
}

QString ResultSet::AsString(const QString& column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::Double) {
        // Whole numbers read as text without a trailing ".0".
        const double d = v.toDouble();
        return QString::number(d, 'g', 15);
    }
    return v.toString();
}

qint64 ResultSet::AsInteger(const QString& column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return 0;
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (ok) return i;
    const double d = v.toDouble(&ok);
    return ok ? qint64(d) : 0;
}

double ResultSet::AsFloat(const QString& column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0.0;
}

bool ResultSet::AsBoolean(const QString& column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(u"true"_s, Qt::CaseInsensitive) == 0 || (s.toLongLong() != 0);
    }
    return v.toLongLong() != 0;
}

QDate ResultSet::AsDate(const QString& column) const {
    return AsDateTime(column).date();
}

QDateTime ResultSet::AsDateTime(const QString& column) const {
    const QVariant v = Value(column);
    if (v.isNull()) return {};
    const QString s = v.toString().trimmed();
    QDateTime dt = QDateTime::fromString(s, u"yyyy-MM-dd HH:mm:ss"_s);
    if (dt.isValid()) return dt;
    const QDate d = QDate::fromString(s.left(10), u"yyyy-MM-dd"_s);
    if (d.isValid()) return QDateTime(d, QTime(0, 0));
    return {};
}

QVariant ResultSet::At(int row, int column) const {
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size()) return {};
    return m_rows[row][column];
}

// ---------------------------------------------------------------- Database

namespace {

std::atomic<int> g_connectionCounter{0};

// The engine's own words, without the driver's wrapping.
QString EngineText(const QSqlError& e) {
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

// An empty text box gives a null QString, which the driver would bind as NULL; the
// system's text columns hold empty text instead.
QVariant Bindable(const QVariant& v) {
    if (v.typeId() == QMetaType::QString && v.toString().isNull()) return QStringLiteral("");
    return v;
}

} // namespace

Database::Database() : m_dialect(&SqliteDialect()), m_name(u"tevrano-%1"_s.arg(++g_connectionCounter)) {}

Database::~Database() {
    Close();
}

bool Database::Fail(const QString& error, DbError kind) {
    m_error = error;
    m_errorKind = kind;
    if (m_depth > 0) m_failedInTransaction = true;
    return false;
}

bool Database::Fail(const QSqlError& error) {
    return Fail(EngineText(error), ErrorFromEngineCode(error.nativeErrorCode().toInt()));
}

QSqlDatabase Database::Connection() const {
    return QSqlDatabase::database(m_name, false);
}

bool Database::DriverAvailable() {
    return QSqlDatabase::isDriverAvailable(SqliteDialect().DriverName());
}

bool Database::IsOpen() const {
    return QSqlDatabase::contains(m_name) && Connection().isOpen();
}

void Database::Close() {
    if (!QSqlDatabase::contains(m_name)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void Database::SetBusyTimeout(int milliseconds) {
    m_busyTimeout = std::max(0, milliseconds);
    if (!IsOpen()) return;
    QSqlQuery q(Connection());
    if (!q.exec(m_dialect->BusyTimeoutStatement(m_busyTimeout))) Fail(q.lastError());
}

bool Database::OpenConnection(const QString& path, bool mustExist, bool readOnly) {
    Close();
    m_path = path;
    m_error.clear();
    m_errorKind = DbError::None;
    const QFileInfo info(path);
    if (mustExist && !info.isFile()) return Fail(u"数据库文件不存在：%1"_s.arg(path), DbError::NotFound);
    if (!mustExist && info.exists()) return Fail(u"文件已经存在：%1"_s.arg(path), DbError::Other);
    QSqlDatabase db = QSqlDatabase::addDatabase(m_dialect->DriverName(), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(m_dialect->ConnectOptions(mustExist, readOnly, m_busyTimeout));
    if (!db.open()) {
        const QSqlError err = db.lastError();
        Close();
        return Fail(err);
    }
    m_dialect->RegisterFunctions(db);
    return true;
}

bool Database::ApplySettings(bool reading) {
    QSqlQuery q(Connection());
    // A connection that only reads needs no durability settings, and must not change the
    // file's journal.
    QStringList statements = reading ? QStringList() : m_dialect->SessionStatements();
    statements << m_dialect->BusyTimeoutStatement(m_busyTimeout);
    for (const QString& statement : statements) {
        if (!q.exec(statement)) return Fail(q.lastError());
    }
    return true;
}

// Takes the write lock and changes the file's stamp to what it is, then rolls back: a file
// the system lets the engine open only for reading (its permissions, a read-only disk)
// refuses the lock, and a folder that cannot be written refuses the journal the change
// needs. Nothing of it stays in the file. Another program's lock and a full disk are no
// reason to refuse the database: the saves say so when they meet them.
bool Database::CheckWritable(int version) {
    QSqlQuery q(Connection());
    const bool ok = q.exec(m_dialect->BeginWrite()) && q.exec(m_dialect->WriteSchemaVersion(version));
    const QSqlError err = q.lastError();
    q.exec(u"ROLLBACK"_s);
    if (ok) return true;
    const DbError kind = ErrorFromEngineCode(err.nativeErrorCode().toInt());
    if (kind == DbError::Busy || kind == DbError::DiskFull) return true;
    LogEngineError(u"写入 %1"_s.arg(m_path), EngineText(err));
    const QString file = QDir::toNativeSeparators(m_path);
    switch (kind) {
    case DbError::ReadOnly:
    case DbError::NoPermission:
    case DbError::NotFound: // the journal could not be made beside the file
        return Fail(u"%1：%2"_s.arg(ReasonText(DbError::ReadOnly), file), DbError::ReadOnly);
    default: {
        const QString reason = ReasonText(kind);
        return Fail(u"数据库文件无法写入：%1"_s.arg(file) + (reason.isEmpty() ? QString() : u"\n"_s + reason),
                    kind);
    }
    }
}

bool Database::Open(const QString& path, OpenFor purpose) {
    const bool reading = purpose == OpenFor::Reading;
    if (!OpenConnection(path, true, reading)) {
        if (m_errorKind == DbError::NotFound) return false;
        LogEngineError(u"打开 %1"_s.arg(path), m_error);
        const DbError kind = m_errorKind;
        return Fail(u"数据库文件无法打开：%1"_s.arg(ReasonText(kind)), kind);
    }
    QSqlQuery q(Connection());
    // The first read of the file tells a database from any other file.
    if (!q.exec(m_dialect->ReadApplicationId()) || !q.next()) {
        const QSqlError err = q.lastError();
        DbError kind = ErrorFromEngineCode(err.nativeErrorCode().toInt());
        if (kind == DbError::None || kind == DbError::Other) kind = DbError::NotADatabase;
        LogEngineError(u"打开 %1"_s.arg(path), EngineText(err));
        Close();
        return Fail(u"数据库文件无法打开：%1"_s.arg(ReasonText(kind)), kind);
    }
    const int appId = q.value(0).toInt();
    q.finish();
    if (appId != ApplicationId) {
        Close();
        return Fail(u"文件 %1 不是本程序的数据库"_s.arg(path), DbError::NotADatabase);
    }
    if (!q.exec(m_dialect->ReadSchemaVersion()) || !q.next()) {
        const QSqlError err = q.lastError();
        Close();
        return Fail(err);
    }
    const int version = q.value(0).toInt();
    q.finish();
    if (version > SchemaVersion) {
        Close();
        return Fail(u"数据库版本 %1 比本程序新，请升级程序"_s.arg(version), DbError::TooNew);
    }
    const QStringList missing = MissingTables(*this);
    if (!missing.isEmpty()) {
        const QString err =
            m_error.isEmpty() ? u"数据库缺少数据表：%1"_s.arg(missing.join(u", "_s)) : m_error;
        Close();
        return Fail(err, DbError::NotADatabase);
    }
    if (!ApplySettings(reading)) {
        LogEngineError(u"打开 %1"_s.arg(path), m_error);
        const DbError kind = m_errorKind;
        Close();
        return Fail(u"数据库文件无法打开：%1"_s.arg(ReasonText(kind)), kind);
    }
    if (!reading && !CheckWritable(version)) {
        const QString error = m_error;
        const DbError kind = m_errorKind;
        Close();
        return Fail(error, kind);
    }
    return true;
}

bool Database::CreateNew(const QString& path) {
    if (!OpenConnection(path, false)) return false;
    QSqlQuery q(Connection());
    if (!q.exec(m_dialect->WriteApplicationId(ApplicationId)) ||
        !q.exec(m_dialect->WriteSchemaVersion(BaseSchemaVersion))) {
        const QSqlError err = q.lastError();
        Close();
        return Fail(err);
    }
    return ApplySettings();
}

bool Database::Query(const QString& sql, const QVariantList& args, ResultSet* out, int* affected) {
    if (!IsOpen()) return Fail(u"数据库没有打开"_s, DbError::NotOpen);
    QSqlQuery q(Connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql)) return Fail(q.lastError());
    for (int i = 0; i < args.size(); ++i)
        q.bindValue(i, Bindable(args[i]));
    if (!q.exec()) return Fail(q.lastError());
    if (affected) *affected = q.numRowsAffected();
    if (out) {
        *out = ResultSet();
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            out->m_columns << rec.fieldName(i);
        const int cols = rec.count();
        while (q.next()) {
            QVector<QVariant> row(cols);
            for (int i = 0; i < cols; ++i)
                row[i] = q.value(i);
            out->m_rows.push_back(std::move(row));
        }
        if (q.lastError().isValid()) return Fail(q.lastError());
        out->m_pos = 0;
    }
    return true;
}

bool Database::Select(const QString& jetSql, ResultSet& out) {
    ResultSet result;
    if (!Query(m_dialect->Translate(jetSql), {}, &result)) return false;
    out = std::move(result);
    return true;
}

int Database::Execute(const QString& jetSql) {
    int affected = 0;
    if (!Query(m_dialect->Translate(jetSql), {}, nullptr, &affected)) return -1;
    return affected;
}

qint64 Database::Insert(const QString& table, const FieldValues& values) {
    QStringList cols, marks;
    QVariantList args;
    for (const auto& [col, value] : values) {
        cols << col;
        marks << u"?"_s;
        args << value;
    }
    const QString sql = cols.isEmpty() ? u"INSERT INTO %1 DEFAULT VALUES"_s.arg(table)
                                       : u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(table, cols.join(u", "_s),
                                                                                  marks.join(u", "_s));
    if (!IsOpen()) return Fail(u"数据库没有打开"_s, DbError::NotOpen), -1;
    QSqlQuery q(Connection());
    if (!q.prepare(sql)) return Fail(q.lastError()), -1;
    for (int i = 0; i < args.size(); ++i)
        q.bindValue(i, Bindable(args[i]));
    if (!q.exec()) return Fail(q.lastError()), -1;
    return q.lastInsertId().toLongLong();
}

int Database::Update(const QString& table, const FieldValues& values, const QString& where,
                     const QVariantList& whereArgs) {
    QStringList sets;
    QVariantList args;
    for (const auto& [col, value] : values) {
        sets << col + u" = ?"_s;
        args << value;
    }
    args += whereArgs;
    QString sql = u"UPDATE %1 SET %2"_s.arg(table, sets.join(u", "_s));
    if (!where.isEmpty()) sql += u" WHERE "_s + where;
    int affected = 0;
    if (!Query(sql, args, nullptr, &affected)) return -1;
    return affected;
}

int Database::Delete(const QString& table, const QString& where, const QVariantList& whereArgs) {
    QString sql = u"DELETE FROM %1"_s.arg(table);
    if (!where.isEmpty()) sql += u" WHERE "_s + where;
    int affected = 0;
    if (!Query(sql, whereArgs, nullptr, &affected)) return -1;
    return affected;
}

bool Database::Transaction(const std::function<bool()>& work) {
    if (m_depth > 0) { // joins the outer transaction
        ++m_depth;
        const bool ok = work();
        --m_depth;
        if (!ok) m_failedInTransaction = true;
        return ok && !m_failedInTransaction;
    }
    if (!IsOpen()) return Fail(u"数据库没有打开"_s, DbError::NotOpen);
    QSqlQuery q(Connection());
    if (!q.exec(m_dialect->BeginWrite())) return Fail(q.lastError());
    m_depth = 1;
    m_failedInTransaction = false;
    bool ok = false;
    try {
        ok = work();
    } catch (...) {
        m_depth = 0;
        q.exec(u"ROLLBACK"_s);
        throw;
    }
    m_depth = 0;
    if (ok && !m_failedInTransaction) {
        if (q.exec(u"COMMIT"_s)) return true;
        const QSqlError err = q.lastError();
        q.exec(u"ROLLBACK"_s);
        m_failedInTransaction = false;
        return Fail(err);
    }
    const QString err = m_error;
    const DbError kind = m_errorKind;
    q.exec(u"ROLLBACK"_s);
    m_failedInTransaction = false;
    m_error = err;
    m_errorKind = kind;
    return false;
}

} // namespace tev
