#pragma once
// One copy of the program per database: a lock file beside the database, taken before the
// database is opened for work and held for the whole run. A lock left behind by a copy that
// was killed is recognised by its process number and taken over.

#include <QString>

#include <memory>

class QLockFile;

namespace tev {

class DatabaseLock {
public:
    DatabaseLock();
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

    // The lock file of the database at databasePath.
    static QString LockPath(const QString& databasePath);

    // Takes the lock of the database at databasePath. False when another running copy holds
    // it, with refusal naming the holder (machine, program, process number, since when), or
    // when the lock cannot be written beside the database; the database is not touched.
    bool Take(const QString& databasePath, QString* refusal);
    void Release();
    bool Held() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tev
