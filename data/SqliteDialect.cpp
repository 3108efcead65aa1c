#include "data/Dialect.h"

#include "data/Backup.h"
#include "data/Database.h"
#include "rules/PublicFunction.h"

#include <QCollator>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// "#2024-3-5#" or "#2024-3-5 8:05:00#" → ISO text that compares correctly with stored dates.
QString IsoFromJetLiteral(const QString& inner) {
    const QString trimmed = inner.trimmed();
    const QStringList formats = {u"yyyy-M-d H:m:s"_s, u"yyyy-M-d H:m"_s, u"yyyy-M-d"_s,
                                 u"yyyy/M/d H:m:s"_s, u"yyyy/M/d"_s,     u"M/d/yyyy"_s};
    for (const QString& f : formats) {
        const QDateTime dt = QDateTime::fromString(trimmed, f);
        if (dt.isValid()) {
            if (f.contains(u'H')) return dt.toString(u"yyyy-MM-dd HH:mm:ss"_s);
            return dt.date().toString(u"yyyy-MM-dd"_s);
        }
        const QDate d = QDate::fromString(trimmed, f);
        if (d.isValid()) return d.toString(u"yyyy-MM-dd"_s);
    }
    return trimmed; // not a date we know: left as text, the comparison will simply not match
}

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

QString TranslateJet(const QString& jetSql) {
    QString out;
    out.reserve(jetSql.size() + 16);
    const qsizetype n = jetSql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = jetSql[i];
        if (c == u'\'') { // copy a text literal unchanged, with its doubled quotes
            qsizetype j = i + 1;
            while (j < n) {
                if (jetSql[j] == u'\'') {
                    if (j + 1 < n && jetSql[j + 1] == u'\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += jetSql.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == u'#') {
            const qsizetype end = jetSql.indexOf(u'#', i + 1);
            if (end > i) {
                out += u'\'' + IsoFromJetLiteral(jetSql.mid(i + 1, end - i - 1)) + u'\'';
                i = end + 1;
                continue;
            }
        }
        if (c.isLetter() && (i == 0 || !IsWordChar(jetSql[i - 1]))) {
            qsizetype j = i;
            while (j < n && IsWordChar(jetSql[j]))
                ++j;
            const QString word = jetSql.mid(i, j - i);
            if (word.compare(u"True"_s, Qt::CaseInsensitive) == 0)
                out += u"1"_s;
            else if (word.compare(u"False"_s, Qt::CaseInsensitive) == 0)
                out += u"0"_s;
            else
                out += word;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

// Orders Chinese text as a Chinese reader expects (by pinyin); registered on every
// connection under the name PINYIN. Columns keep NOCASE, so the file stays readable
// by tools that know nothing of this collation.
int PinyinCompare(void* arg, int len1, const void* s1, int len2, const void* s2) {
    auto* collator = static_cast<QCollator*>(arg);
    const QString a = QString::fromUtf8(static_cast<const char*>(s1), len1);
    const QString b = QString::fromUtf8(static_cast<const char*>(s2), len2);
    return collator->compare(a, b);
}

void DestroyCollator(void* arg) {
    delete static_cast<QCollator*>(arg);
}

// InStr as the system's statements expect it: the 1-based position of the second text in
// the first, compared without regard to case, 0 when it is not there.
void InStrFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto text = [](sqlite3_value* v) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                 sqlite3_value_bytes(v));
    };
    const qsizetype at = text(argv[0]).indexOf(text(argv[1]), 0, Qt::CaseInsensitive);
    sqlite3_result_int64(ctx, at + 1);
}

// Round as the system's statements expect it: halves go to the even neighbour on the
// scaled value, the way amounts are rounded everywhere else in the program.
void RoundFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const int places = argc > 1 ? std::clamp(sqlite3_value_int(argv[1]), 0, 15) : 0;
    const double scale = std::pow(10.0, places);
    sqlite3_result_double(ctx, RoundHalfEven(sqlite3_value_double(argv[0]) * scale) / scale);
}

sqlite3* NativeHandle(const QSqlDatabase& db) {
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) return *static_cast<sqlite3* const*>(v.data());
    return nullptr;
}

sqlite3* HandleOf(const Database& db) {
    return db.IsOpen() ? NativeHandle(db.Connection()) : nullptr;
}

void RemoveCopy(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + u"-journal"_s);
}

bool CopyFailed(CopyFailure* failure, int code, DbError kind) {
    if (failure) *failure = {code, kind, ReasonText(kind)};
    return false;
}

class Sqlite final : public Dialect {
public:
    QString DriverName() const override { return u"QSQLITE"_s; }
    QString ConnectOptions(bool mustExist, bool readOnly, int busyTimeout) const override {
        // Never create a file by accident when it must exist.
        const QString wait = u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(busyTimeout);
        if (readOnly) return u"QSQLITE_OPEN_READONLY;"_s + wait;
        return mustExist ? u"QSQLITE_OPEN_READWRITE_NOCREATE;"_s + wait : wait;
    }
    QStringList SessionStatements() const override {
        // A rollback journal with full syncs: a crash or power loss leaves either the whole
        // change or none of it, and the database stays one file that backups can copy.
        return {u"PRAGMA journal_mode = DELETE"_s, u"PRAGMA synchronous = FULL"_s,
                u"PRAGMA foreign_keys = OFF"_s};
    }
    QString BusyTimeoutStatement(int milliseconds) const override {
        return u"PRAGMA busy_timeout = %1"_s.arg(milliseconds);
    }
    bool RegisterFunctions(const QSqlDatabase& connection) const override {
        sqlite3* h = NativeHandle(connection);
        if (!h) return false;
        auto* collator = new QCollator(QLocale(QLocale::Chinese, QLocale::China));
        collator->setCaseSensitivity(Qt::CaseInsensitive);
        bool ok = sqlite3_create_collation_v2(h, "PINYIN", SQLITE_UTF8, collator, PinyinCompare,
                                              DestroyCollator) == SQLITE_OK;
        for (int args : {1, 2})
            ok = sqlite3_create_function_v2(h, "round", args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                            RoundFunction, nullptr, nullptr, nullptr) == SQLITE_OK &&
                 ok;
        ok = sqlite3_create_function_v2(h, "instr", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                        InStrFunction, nullptr, nullptr, nullptr) == SQLITE_OK &&
             ok;
        return ok;
    }
    QString BeginWrite() const override { return u"BEGIN IMMEDIATE"_s; }

    QString Translate(const QString& programSql) const override { return TranslateJet(programSql); }
    QString DateLiteral(const QDate& date) const override {
        return u"'"_s + date.toString(u"yyyy-MM-dd"_s) + u"'"_s;
    }
    QString PinyinOrder(const QString& column) const override { return column + u" Collate PINYIN"_s; }
    QString LimitOffset(int limit, int offset) const override {
        return u" Limit %1 Offset %2"_s.arg(limit).arg(offset);
    }
    QString Upsert(const QString& table, const QString& keyColumn,
                   const QStringList& columns) const override {
        QStringList marks, sets;
        for (const QString& c : columns) {
            marks << u"?"_s;
            if (c != keyColumn) sets << u"%1 = excluded.%1"_s.arg(c);
        }
        return u"INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT (%4) DO UPDATE SET %5"_s.arg(
            table, columns.join(u", "_s), marks.join(u", "_s), keyColumn, sets.join(u", "_s));
    }
    QString TableListStatement() const override {
        return u"SELECT name FROM sqlite_master WHERE type = 'table'"_s;
    }

    QString ReadApplicationId() const override { return u"PRAGMA application_id"_s; }
    QString WriteApplicationId(int id) const override { return u"PRAGMA application_id = %1"_s.arg(id); }
    QString ReadSchemaVersion() const override { return u"PRAGMA user_version"_s; }
    QString WriteSchemaVersion(int version) const override {
        return u"PRAGMA user_version = %1"_s.arg(version);
    }

    // The engine's backup: every page in one step under one read lock, so the copy is one
    // committed state even while other connections write.
    bool CopyDatabase(const Database& source, const QString& target, CopyFailure* failure) const override {
        sqlite3* from = HandleOf(source);
        if (!from) return CopyFailed(failure, SQLITE_MISUSE, DbError::NotOpen);
        sqlite3* dest = nullptr;
        int rc = sqlite3_open_v2(target.toUtf8().constData(), &dest,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc == SQLITE_OK) {
            if (sqlite3_backup* backup = sqlite3_backup_init(dest, "main", from, "main")) {
                // Another program writing holds the file for the moment of its commit: the step
                // is tried again for as long as a statement waits for a busy database.
                QElapsedTimer waited;
                waited.start();
                rc = sqlite3_backup_step(backup, -1);
                while ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited.elapsed() < source.BusyTimeout()) {
                    sqlite3_sleep(10);
                    rc = sqlite3_backup_step(backup, -1);
                }
                const int finished = sqlite3_backup_finish(backup);
                rc = rc == SQLITE_DONE ? finished : rc;
            } else {
                rc = sqlite3_errcode(dest);
            }
        }
        if (rc != SQLITE_OK) {
            // The operating system's own error number where there is one (a folder that cannot
            // be written, a full disk), the engine's result code otherwise.
            const int system = dest ? sqlite3_system_errno(dest) : 0;
            const QString engine =
                dest ? QString::fromUtf8(sqlite3_errmsg(dest)) : QString::fromUtf8(sqlite3_errstr(rc));
            LogEngineError(u"复制数据库到 %1"_s.arg(target), engine);
            sqlite3_close(dest);
            RemoveCopy(target);
            DbError kind = system != 0 ? ErrorFromSystemError(system) : ErrorFromEngineCode(rc);
            if (kind == DbError::Other) kind = ErrorFromEngineCode(rc);
            return CopyFailed(failure, system != 0 ? system : rc, kind);
        }
        rc = sqlite3_close(dest);
        if (rc != SQLITE_OK) {
            LogEngineError(u"关闭 %1"_s.arg(target), QString::fromUtf8(sqlite3_errstr(rc)));
            RemoveCopy(target);
            return CopyFailed(failure, rc, ErrorFromEngineCode(rc));
        }
        return true;
    }
    bool CheckIntact(Database& db, QString* problem) const override {
        ResultSet rs;
        if (!db.Query(u"PRAGMA quick_check"_s, {}, &rs)) {
            if (problem) *problem = db.LastError();
            return false;
        }
        if (rs.IsEmpty() || rs.At(0, 0).toString() != u"ok"_s) {
            if (problem) *problem = rs.At(0, 0).toString();
            return false;
        }
        return true;
    }
};

} // namespace

const Dialect& SqliteDialect() {
    static const Sqlite dialect;
    return dialect;
}

} // namespace tev
