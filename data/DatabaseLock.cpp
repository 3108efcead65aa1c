#include "data/DatabaseLock.h"

#include "data/Errors.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

using namespace Qt::StringLiterals;

namespace tev {

DatabaseLock::DatabaseLock() = default;

DatabaseLock::~DatabaseLock() = default;

QString DatabaseLock::LockPath(const QString& databasePath) {
    return databasePath + u".lock"_s;
}

bool DatabaseLock::Take(const QString& databasePath, QString* refusal) {
    Release();
    const QString path = LockPath(databasePath);
    auto lock = std::make_unique<QLockFile>(path);
    // A lock is stale only when its process is gone: a copy that runs for days keeps it.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return true;
    }
    if (!refusal) return false;
    const QString file = QDir::toNativeSeparators(databasePath);
    qint64 pid = 0;
    QString host;
    QString program;
    if (lock->error() == QLockFile::LockFailedError && lock->getLockInfo(&pid, &host, &program)) {
        const QDateTime since = QFileInfo(path).lastModified();
        *refusal = u"数据库已被另一个正在运行的本软件使用：%1\n"
                   "计算机：%2，程序：%3（进程号 %4），自 %5 起。\n"
                   "请先关闭那个程序，再启动本软件。"_s
                       .arg(file, host, program, QString::number(pid),
                            since.toString(u"yyyy-MM-dd HH:mm:ss"_s));
    } else if (lock->error() == QLockFile::LockFailedError) {
        *refusal = u"数据库已被另一个正在运行的本软件使用：%1\n请先关闭那个程序，再启动本软件。"_s.arg(file);
    } else if (lock->error() == QLockFile::PermissionError) {
        // The folder takes no new file: the database could not be written either.
        *refusal = u"%1：%2"_s.arg(ReasonText(DbError::ReadOnly), file);
    } else {
        *refusal = u"无法在数据库旁建立锁文件，请检查文件夹的权限：%1"_s.arg(QDir::toNativeSeparators(path));
    }
    return false;
}

void DatabaseLock::Release() {
    m_lock.reset(); // unlocks and removes the file
}

bool DatabaseLock::Held() const {
    return m_lock && m_lock->isLocked();
}

} // namespace tev
