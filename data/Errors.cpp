#include "data/Errors.h"

#include <QDateTime>
#include <QFile>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
QString g_logPath;
} // namespace

QString ReasonText(DbError error) {
    switch (error) {
    case DbError::None:
        return {};
    case DbError::Busy:
        return u"数据库正忙，请稍后再试"_s;
    case DbError::DiskFull:
        return u"磁盘已满"_s;
    case DbError::ReadOnly:
        return u"数据库文件或所在文件夹为只读，无法写入"_s;
    case DbError::NoPermission:
        return u"没有写入权限"_s;
    case DbError::NotADatabase:
        return u"文件不是本软件的数据库"_s;
    case DbError::Corrupt:
        return u"文件已损坏"_s;
    case DbError::NotFound:
        return u"文件或文件夹不存在"_s;
    case DbError::TooNew:
        return u"数据库由更新版本的程序建立，请升级程序"_s;
    case DbError::NotOpen:
        return u"数据库没有打开"_s;
    case DbError::Other:
        break;
    }
    // No words that would help: the operation's own message says enough.
    return {};
}

DbError ErrorFromEngineCode(int code) {
    switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return DbError::None;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbError::Busy;
    case SQLITE_FULL:
        return DbError::DiskFull;
    case SQLITE_READONLY:
        return DbError::ReadOnly;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return DbError::NoPermission;
    case SQLITE_NOTADB:
        return DbError::NotADatabase;
    case SQLITE_CORRUPT:
        return DbError::Corrupt;
    case SQLITE_CANTOPEN:
        return DbError::NotFound;
    default:
        return DbError::Other;
    }
}

DbError ErrorFromSystemError(int error) {
    switch (error) {
    case 0:
        return DbError::None;
    case ENOSPC:
    case EDQUOT:
        return DbError::DiskFull;
    case EROFS:
        return DbError::ReadOnly;
    case EACCES:
    case EPERM:
        return DbError::NoPermission;
    case ENOENT:
    case ENOTDIR:
        return DbError::NotFound;
    case EBUSY:
    case ETXTBSY:
        return DbError::Busy;
    default:
        return DbError::Other;
    }
}

void SetEngineLog(const QString& path) {
    g_logPath = path;
}

QString EngineLogPath() {
    return g_logPath;
}

void LogEngineError(const QString& operation, const QString& engineText) {
    const QString line =
        u"%1 %2: %3"_s.arg(QDateTime::currentDateTime().toString(Qt::ISODate), operation, engineText);
    std::fprintf(stderr, "Tevrano: %s\n", qUtf8Printable(line));
    if (g_logPath.isEmpty()) return;
    QFile log(g_logPath);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) log.write(line.toUtf8() + '\n');
}

} // namespace tev
