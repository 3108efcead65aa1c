#pragma once
// The schema's versions. A database made by an older program is upgraded when it is opened:
// a checked copy of the file is kept beside it first (through the backup routine), then every
// step from its version to the current one runs in one transaction together with the new
// version stamp, so an interrupted upgrade leaves the old file or the upgraded one, never a
// mix. A file of a newer program is refused and left untouched.

#include <QString>

#include <functional>
#include <vector>

namespace tev {

class Database;

struct MigrationStep {
    int from; // the step takes a database of this version to from + 1
    QString what;
    std::function<bool(Database&)> apply;
};

// Every step, in order; the last one ends at Database::SchemaVersion.
const std::vector<MigrationStep>& MigrationSteps();

// The schema version stamped in an open database (0 when it cannot be read).
int SchemaVersionOf(Database& db);

// Upgrades an open database to the current version when it is older. The copy kept beside
// the file is "{file}.v{old version}.bak". True when the database is current afterwards; on
// failure the file is as it was and error says why in Chinese (the engine's words are logged).
// progress, when given, hears the share of the work done (0 to 100) after the copy and each step.
bool UpgradeDatabase(Database& db, QString* error, QString* keptCopy = nullptr,
                     const std::function<void(int percent)>& progress = {});

} // namespace tev
