#include "tests/support/FaultVfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <cassert>
#include <string>

namespace tevtest {

namespace {

// The faults in force. Kept for the whole run, so that a connection still open when its
// FaultVfs is gone keeps working on the system's file system.
struct Faults {
    sqlite3_vfs* system = nullptr; // the engine's own default
    sqlite3_int64 room = -1;
    std::string folder;
    bool readOnlyFiles = false;
    bool noNewFiles = false;
    int refused = 0;
    bool active = false;
};
Faults g_faults;
sqlite3_vfs g_vfs;

struct File {
    sqlite3_file base;
    sqlite3_file* real; // the system's file, in the memory right after this one
    bool limited;       // under the folder whose room is limited
};

sqlite3_file* Real(sqlite3_file* f) {
    return reinterpret_cast<File*>(f)->real;
}

int Close(sqlite3_file* f) {
    return Real(f)->pMethods->xClose(Real(f));
}
int Read(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return Real(f)->pMethods->xRead(Real(f), buffer, amount, offset);
}
int Write(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    auto* file = reinterpret_cast<File*>(f);
    if (file->limited && g_faults.active && g_faults.room >= 0) {
        sqlite3_int64 size = 0;
        if (int rc = file->real->pMethods->xFileSize(file->real, &size); rc != SQLITE_OK) return rc;
        const sqlite3_int64 growth = std::max<sqlite3_int64>(0, offset + amount - size);
        if (growth > g_faults.room) {
            ++g_faults.refused;
            return SQLITE_FULL;
        }
        g_faults.room -= growth;
    }
    return file->real->pMethods->xWrite(file->real, buffer, amount, offset);
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) {
    return Real(f)->pMethods->xTruncate(Real(f), size);
}
int Sync(sqlite3_file* f, int flags) {
    return Real(f)->pMethods->xSync(Real(f), flags);
}
int FileSize(sqlite3_file* f, sqlite3_int64* size) {
    return Real(f)->pMethods->xFileSize(Real(f), size);
}
int Lock(sqlite3_file* f, int level) {
    return Real(f)->pMethods->xLock(Real(f), level);
}
int Unlock(sqlite3_file* f, int level) {
    return Real(f)->pMethods->xUnlock(Real(f), level);
}
int CheckReservedLock(sqlite3_file* f, int* out) {
    return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
}
int FileControl(sqlite3_file* f, int op, void* arg) {
    return Real(f)->pMethods->xFileControl(Real(f), op, arg);
}
int SectorSize(sqlite3_file* f) {
    return Real(f)->pMethods->xSectorSize(Real(f));
}
int DeviceCharacteristics(sqlite3_file* f) {
    return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
}
int ShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return Real(f)->pMethods->xShmMap(Real(f), region, size, extend, out);
}
int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
}
void ShmBarrier(sqlite3_file* f) {
    Real(f)->pMethods->xShmBarrier(Real(f));
}
int ShmUnmap(sqlite3_file* f, int deleteFlag) {
    return Real(f)->pMethods->xShmUnmap(Real(f), deleteFlag);
}
int Fetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
    return Real(f)->pMethods->xFetch(Real(f), offset, amount, out);
}
int Unfetch(sqlite3_file* f, sqlite3_int64 offset, void* p) {
    return Real(f)->pMethods->xUnfetch(Real(f), offset, p);
}

const sqlite3_io_methods g_methods = {3,
                                      Close,
                                      Read,
                                      Write,
                                      Truncate,
                                      Sync,
                                      FileSize,
                                      Lock,
                                      Unlock,
                                      CheckReservedLock,
                                      FileControl,
                                      SectorSize,
                                      DeviceCharacteristics,
                                      ShmMap,
                                      ShmLock,
                                      ShmBarrier,
                                      ShmUnmap,
                                      Fetch,
                                      Unfetch};

int Open(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    auto* file = reinterpret_cast<File*>(f);
    file->base.pMethods = nullptr; // the engine closes nothing that did not open
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    sqlite3_vfs* system = g_faults.system;
    if (g_faults.active && name) {
        int exists = 0;
        system->xAccess(system, name, SQLITE_ACCESS_EXISTS, &exists);
        if (g_faults.noNewFiles && !exists && (flags & SQLITE_OPEN_CREATE)) return SQLITE_CANTOPEN;
        // What the system's file system does when a database file refuses to be opened for writing.
        if (g_faults.readOnlyFiles && (flags & SQLITE_OPEN_MAIN_DB) && (flags & SQLITE_OPEN_READWRITE))
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    }
    const int rc = system->xOpen(system, name, file->real, flags, outFlags);
    if (rc != SQLITE_OK) return rc;
    file->limited = name && (g_faults.folder.empty() || std::string(name).rfind(g_faults.folder, 0) == 0);
    file->base.pMethods = &g_methods;
    return SQLITE_OK;
}

} // namespace

FaultVfs::FaultVfs() {
    assert(!g_faults.active && "one FaultVfs at a time");
    if (!g_faults.system) {
        g_faults.system = sqlite3_vfs_find(nullptr);
        g_vfs = *g_faults.system;
        g_vfs.pNext = nullptr;
        g_vfs.zName = "tevrano-faults";
        g_vfs.szOsFile = int(sizeof(File)) + g_faults.system->szOsFile;
        g_vfs.xOpen = Open;
    }
    g_faults.room = -1;
    g_faults.folder.clear();
    g_faults.readOnlyFiles = g_faults.noNewFiles = false;
    g_faults.refused = 0;
    g_faults.active = true;
    sqlite3_vfs_register(&g_vfs, 1);
}

FaultVfs::~FaultVfs() {
    g_faults.active = false;
    sqlite3_vfs_unregister(&g_vfs);
    sqlite3_vfs_register(g_faults.system, 1);
}

void FaultVfs::SetRoom(qint64 bytes, const QString& folder) {
    g_faults.room = bytes;
    g_faults.folder = folder.toStdString();
}

void FaultVfs::SetReadOnlyFiles(bool on) {
    g_faults.readOnlyFiles = on;
}

void FaultVfs::SetNoNewFiles(bool on) {
    g_faults.noNewFiles = on;
}

int FaultVfs::RefusedWrites() const {
    return g_faults.refused;
}

OtherProgramLock::OtherProgramLock(const QString& path, const char* mode) {
    // The system's own file system: the other program knows nothing of the faults.
    const char* vfs = g_faults.system ? g_faults.system->zName : nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, vfs) != SQLITE_OK) return;
    const std::string begin = std::string("BEGIN ") + mode;
    // Something written, so that the lock is that of a program in the middle of a change.
    m_held = sqlite3_exec(m_db, begin.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK &&
             sqlite3_exec(m_db, "UPDATE Setting SET SettingValue = SettingValue", nullptr, nullptr,
                          nullptr) == SQLITE_OK;
}

OtherProgramLock::~OtherProgramLock() {
    Release();
    sqlite3_close(m_db);
}

void OtherProgramLock::Release() {
    if (!m_held) return;
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    m_held = false;
}

} // namespace tevtest
