#pragma once
// Why a database operation failed, in words a user can act on. The engine's own text (in
// English) goes to the log, never into a message box.

#include <QString>

namespace tev {

enum class DbError {
    None,
    Busy,         // another program holds the database
    DiskFull,     // no space left for the change
    ReadOnly,     // the file or its folder cannot be written
    NoPermission, // the system refused access
    NotADatabase, // the file is no database of this program
    Corrupt,      // the file is damaged
    NotFound,     // the file is not there
    TooNew,       // a database of a newer program
    NotOpen,      // no database is open
    Other,
};

// "数据库正忙，请稍后再试", "磁盘已满", … — one short sentence for a message box; empty for
// None and for Other, where no reason would help the user.
QString ReasonText(DbError error);
// From the engine's result code (primary or extended).
DbError ErrorFromEngineCode(int code);
// From the operating system's error number.
DbError ErrorFromSystemError(int error);

// The log beside the database: the engine's own words, with the operation they belong to.
// Until a file is set, lines go to standard error only.
void SetEngineLog(const QString& path);
QString EngineLogPath();
void LogEngineError(const QString& operation, const QString& engineText);

} // namespace tev
