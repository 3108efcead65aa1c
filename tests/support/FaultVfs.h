#pragma once
// Failing file systems and a second program on the same database, for the tests of what the
// program does when the disk is full, the file cannot be written or another program holds it.
//
// FaultVfs sits under the engine and fails as real file systems fail: while an object lives it
// is the engine's default, so every connection opened meanwhile, the program's own included,
// goes through it. Without a fault set it passes everything on to the system's file system.

#include <QString>

struct sqlite3;

namespace tevtest {

class FaultVfs {
public:
    FaultVfs();
    ~FaultVfs();
    FaultVfs(const FaultVfs&) = delete;
    FaultVfs& operator=(const FaultVfs&) = delete;

    // A disk with only bytes of room left: a write that makes a file under folder (every file
    // when folder is empty) longer fails as on a full disk (SQLITE_FULL) once the room is used
    // up; overwriting what a file holds needs no room, as on a real disk. Negative: no limit.
    void SetRoom(qint64 bytes, const QString& folder = {});
    // Database files open for reading only, as the system opens a file on a read-only disk or
    // one the user may not write.
    void SetReadOnlyFiles(bool on);
    // No new file can be made, as in a folder the user may not write: the journal a change
    // needs is refused.
    void SetNoNewFiles(bool on);
    // Writes refused for want of room since the object was made.
    int RefusedWrites() const;
};

// Another program holding the database: a connection of its own, outside the program's
// data layer, in a transaction that takes the lock at once ("IMMEDIATE": others may read but
// not write; "EXCLUSIVE": others may not even read) and keeps it until released.
class OtherProgramLock {
public:
    OtherProgramLock(const QString& path, const char* mode);
    ~OtherProgramLock();
    OtherProgramLock(const OtherProgramLock&) = delete;
    OtherProgramLock& operator=(const OtherProgramLock&) = delete;

    bool Held() const { return m_held; }
    void Release();

private:
    sqlite3* m_db = nullptr;
    bool m_held = false;
};

} // namespace tevtest
