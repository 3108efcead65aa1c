#pragma once
// Backup and restore of the whole database. Both write a complete copy beside its final
// place first and move it there in one rename, so a failure never leaves half a file
// where a database is expected.

#include "data/Database.h"

#include <QString>

namespace tev {

// Why a backup or restore failed: the operating system's error number where the system
// gave one (the engine's result code otherwise), what kind of failure it was and the reason
// in Chinese words. The engine's own text goes to the log.
struct CopyFailure {
    int code = 0;
    DbError kind = DbError::None;
    QString reason;
};

// Writes a consistent copy of the open database live to target, replacing a file of that
// name. The copy is taken through the engine while the connection stays open, so it holds
// exactly the committed data. Refuses the live database file itself as the target.
bool BackupDatabase(Database& live, const QString& target, CopyFailure* failure = nullptr);

// Replaces the database file of live with the database in source. Refuses a source that is
// missing, damaged or no database of this program, before anything is replaced. The
// replaced database is kept beside it as "<file>.bak". On success live is left closed (its
// windows must not go on with data read from the replaced file); on failure the database
// is as it was and live is open again.
bool RestoreDatabase(Database& live, const QString& source, CopyFailure* failure = nullptr);

} // namespace tev
