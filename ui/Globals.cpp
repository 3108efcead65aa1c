#include "ui/Globals.h"

namespace tev {

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
