#include "data/Backup.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDriver>

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

sqlite3* HandleOf(const Database& db) {
    if (!db.IsOpen()) return nullptr;
    const QVariant v = db.Connection().driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) return *static_cast<sqlite3* const*>(v.data());
    return nullptr;
}

// The reason a user reads: the kind's words, with the file it concerns where that helps.
bool Fail(CopyFailure* failure, int code, DbError kind, const QString& detail = {}) {
    if (failure) {
        const QString words = ReasonText(kind);
        *failure = {code, kind, detail.isEmpty() ? words : words + u"："_s + detail};
    }
    return false;
}

bool SameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// A name beside path that no file has yet, for a copy being written.
QString FreshNameBeside(const QString& path) {
    for (;;) {
        const QString name =
            path + u"."_s + QString::number(QRandomGenerator::global()->generate(), 16) + u".tmp"_s;
        if (!QFileInfo::exists(name)) return name;
    }
}

void RemoveCopy(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + u"-journal"_s);
}

// Replaces to by from in one step: a reader of to sees the old file or the new one, never a part.
bool MoveOver(const QString& from, const QString& to, CopyFailure* failure) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), ec);
    if (ec) {
        LogEngineError(u"移动 %1 到 %2"_s.arg(from, to), QString::fromLocal8Bit(ec.message()));
        return Fail(failure, ec.value(), ErrorFromSystemError(ec.value()));
    }
    return true;
}

// Writes the database of the open connection source into a new file at target with the
// engine's backup: every page in one step under one read lock, so the copy is one committed
// state even while other connections write. On failure nothing is left at target.
bool CopyInto(sqlite3* source, const QString& target, CopyFailure* failure) {
    sqlite3* dest = nullptr;
    int rc = sqlite3_open_v2(target.toUtf8().constData(), &dest, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    if (rc == SQLITE_OK) {
        if (sqlite3_backup* backup = sqlite3_backup_init(dest, "main", source, "main")) {
            rc = sqlite3_backup_step(backup, -1);
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
        return Fail(failure, system != 0 ? system : rc, kind);
    }
    rc = sqlite3_close(dest);
    if (rc != SQLITE_OK) {
        LogEngineError(u"关闭 %1"_s.arg(target), QString::fromUtf8(sqlite3_errstr(rc)));
        RemoveCopy(target);
        return Fail(failure, rc, ErrorFromEngineCode(rc));
    }
    return true;
}

// Opens path as a database of this program and reads every page once, so that a damaged or
// truncated file is found before it replaces anything.
bool OpenChecked(Database& db, const QString& path, CopyFailure* failure) {
    if (!QFileInfo(path).isFile())
        return Fail(failure, int(std::errc::no_such_file_or_directory), DbError::NotFound, path);
    if (!db.Open(path)) {
        LogEngineError(u"检查 %1"_s.arg(path), db.LastError());
        const DbError kind =
            db.LastErrorKind() == DbError::Other ? DbError::NotADatabase : db.LastErrorKind();
        return Fail(failure, SQLITE_NOTADB, kind, path);
    }
    ResultSet rs;
    if (!db.Query(u"PRAGMA quick_check"_s, {}, &rs)) {
        LogEngineError(u"检查 %1"_s.arg(path), db.LastError());
        const DbError kind = db.LastErrorKind() == DbError::Other ? DbError::Corrupt : db.LastErrorKind();
        return Fail(failure, SQLITE_CORRUPT, kind, path);
    }
    if (rs.IsEmpty() || rs.At(0, 0).toString() != u"ok"_s) {
        LogEngineError(u"检查 %1"_s.arg(path), rs.At(0, 0).toString());
        return Fail(failure, SQLITE_CORRUPT, DbError::Corrupt, path);
    }
    return true;
}

// Copies source into a fresh file beside target, checks the copy and moves it over target.
bool CopyChecked(sqlite3* source, const QString& target, CopyFailure* failure) {
    const QString fresh = FreshNameBeside(target);
    if (!CopyInto(source, fresh, failure)) return false;
    bool ok;
    {
        Database check;
        ok = OpenChecked(check, fresh, failure);
    }
    ok = ok && MoveOver(fresh, target, failure);
    if (!ok) RemoveCopy(fresh);
    return ok;
}

} // namespace

bool BackupDatabase(Database& live, const QString& target, CopyFailure* failure) {
    sqlite3* source = HandleOf(live);
    if (!source) return Fail(failure, SQLITE_MISUSE, DbError::NotOpen);
    // Renaming a copy over the open file would cut the connection off from its own file.
    if (SameFile(target, live.Path())) {
        if (failure)
            *failure = {SQLITE_MISUSE, DbError::Other, u"不能备份到正在使用的数据库文件：%1"_s.arg(target)};
        return false;
    }
    return CopyChecked(source, target, failure);
}

bool RestoreDatabase(Database& live, const QString& source, CopyFailure* failure) {
    sqlite3* liveHandle = HandleOf(live);
    if (!liveHandle) return Fail(failure, SQLITE_MISUSE, DbError::NotOpen);
    const QString target = live.Path();

    // The whole new database is written and checked beside the live one first.
    const QString fresh = FreshNameBeside(target);
    {
        Database candidate;
        if (!OpenChecked(candidate, source, failure)) return false;
        if (!CopyInto(HandleOf(candidate), fresh, failure)) return false;
    }
    {
        Database check;
        if (!OpenChecked(check, fresh, failure)) {
            check.Close();
            RemoveCopy(fresh);
            return false;
        }
    }
    // The database being replaced stays recoverable beside it.
    if (!CopyChecked(liveHandle, target + u".bak"_s, failure)) {
        RemoveCopy(fresh);
        return false;
    }
    // Nothing written through the old connection may land in the restored file.
    live.Close();
    if (!MoveOver(fresh, target, failure)) {
        RemoveCopy(fresh);
        if (!live.Open(target)) {
            LogEngineError(u"重新打开 %1"_s.arg(target), live.LastError());
            if (failure) failure->reason += u"\n"_s + u"数据库无法重新打开，请重新启动软件"_s;
        }
        return false;
    }
    return true;
}

} // namespace tev
