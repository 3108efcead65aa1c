#pragma once
// The tables of Tevrano.mdb, their reserved rows and the indexes the views use.

#include <QString>
#include <QStringList>

namespace tev {

class Database;

// The ten tables every database of this program holds.
QStringList RequiredTables();
// Tables of RequiredTables() that the open database lacks (sets LastError on a read failure).
QStringList MissingTables(Database& db);

// Creates the tables and indexes of the current schema in a freshly created database, inside
// one transaction: the first schema and every upgrade step since.
bool CreateSchema(Database& db);
// Writes the rows the empty database ships with: the reserved key-1 rows, the role rows,
// the "修改" row, the free salesman slots, the four number rows, the heading rows, the
// capitals row and a few default options.
bool FillShippedRows(Database& db);
// Creates path as the empty database that ships with the program. Fails if path exists.
bool CreateEmptyDatabase(const QString& path, QString* error);

// Number of free salesman slots the empty database ships with.
constexpr int ShippedSalesmanSlots = 24;

} // namespace tev
