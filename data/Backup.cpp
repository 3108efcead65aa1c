#include "data/Backup.h"

#include "data/Dialect.h"
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

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

// Opens path as a database of this program and reads every page once, so that a damaged or
// truncated file is found before it replaces anything. Only reads: a backup on a disk that
// cannot be written is as good as any.
bool OpenChecked(Database& db, const QString& path, CopyFailure* failure) {
    if (!QFileInfo(path).isFile())
        return Fail(failure, int(std::errc::no_such_file_or_directory), DbError::NotFound, path);
    if (!db.Open(path, Database::OpenFor::Reading)) {
        LogEngineError(u"检查 %1"_s.arg(path), db.LastError());
        const DbError kind =
            db.LastErrorKind() == DbError::Other ? DbError::NotADatabase : db.LastErrorKind();
        return Fail(failure, SQLITE_NOTADB, kind, path);
    }
    QString problem;
    if (!db.SqlDialect().CheckIntact(db, &problem)) {
        LogEngineError(u"检查 %1"_s.arg(path), problem);
        const DbError kind = db.LastErrorKind() == DbError::Other || db.LastErrorKind() == DbError::None
                                 ? DbError::Corrupt
                                 : db.LastErrorKind();
        return Fail(failure, SQLITE_CORRUPT, kind, path);
    }
    return true;
}

// Copies source into a fresh file beside target, checks the copy and moves it over target.
bool CopyChecked(const Database& source, const QString& target, CopyFailure* failure) {
    const QString fresh = FreshNameBeside(target);
    if (!source.SqlDialect().CopyDatabase(source, fresh, failure)) return false;
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
    if (!live.IsOpen()) return Fail(failure, SQLITE_MISUSE, DbError::NotOpen);
    // Renaming a copy over the open file would cut the connection off from its own file.
    if (SameFile(target, live.Path())) {
        if (failure)
            *failure = {SQLITE_MISUSE, DbError::Other, u"不能备份到正在使用的数据库文件：%1"_s.arg(target)};
        return false;
    }
    return CopyChecked(live, target, failure);
}

bool RestoreDatabase(Database& live, const QString& source, CopyFailure* failure) {
    if (!live.IsOpen()) return Fail(failure, SQLITE_MISUSE, DbError::NotOpen);
    const QString target = live.Path();

    // The whole new database is written and checked beside the live one first.
    const QString fresh = FreshNameBeside(target);
    {
        Database candidate;
        if (!OpenChecked(candidate, source, failure)) return false;
        if (!candidate.SqlDialect().CopyDatabase(candidate, fresh, failure)) return false;
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
    if (!CopyChecked(live, target + u".bak"_s, failure)) {
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
