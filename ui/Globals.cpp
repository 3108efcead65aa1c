#include "ui/Globals.h"

#include <QtGlobal>

namespace tev {

namespace {
Database* g_db = nullptr;
} // namespace

Database& Db() {
    Q_ASSERT_X(g_db, "Db", "the data module is not made yet");
    return *g_db;
}

void SetDb(Database* db) {
    g_db = db;
}

QString ProgramDir;
QString DataDir;
QString IniFileName;
QString CurrentRole;
QString CurrentUser;
QString CurrentRange;
QString CustomerFilter;
QString AccountFilter;
QString BillFilter;
QString VoucherFilter;

} // namespace tev
