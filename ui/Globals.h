#pragma once
// Process-wide state, set at start-up and by the sign-in, read by every window.

#include <QString>

namespace tev {

class Database;

// The one connection of the run, which every window hands to the domain's functions. The
// data module sets it when it is made.
Database& Db();
void SetDb(Database* db);

// Folder of the running program, ending with "/": the pictures and the shipped templates
// live beside the program.
extern QString ProgramDir;
// Folder of the user's data, ending with "/": the database, the configuration file, the
// report templates in use and the customers' document folders. It is ProgramDir when the
// program's folder can be written, otherwise the user's data folder (see DataLocation.h).
extern QString DataDir;
// DataDir + "Tevrano.ini".
extern QString IniFileName;

// The signed-in user's role, name and range.
extern QString CurrentRole;
extern QString CurrentUser;
extern QString CurrentRange;

// Statement suffixes that restrict a salesman to his own records; empty for other roles.
extern QString CustomerFilter;
extern QString AccountFilter;
extern QString BillFilter;
extern QString VoucherFilter;

// The configuration file's section and keys.
namespace ini {
inline const QString Section = QStringLiteral("Tevrano");
inline const QString CustomerSortField = QStringLiteral("客户排序方式");
inline const QString CustomerSortDirection = QStringLiteral("客户排序方向");
inline const QString BillDateRange = QStringLiteral("业务单据日期范围");
inline const QString BillSortField = QStringLiteral("业务单据排序方式");
inline const QString BillSortDirection = QStringLiteral("业务单据排序方向");
inline const QString VoucherDateRange = QStringLiteral("财务单据日期范围");
inline const QString VoucherSortField = QStringLiteral("财务单据排序方式");
inline const QString VoucherSortDirection = QStringLiteral("财务单据排序方向");
inline const QString PrintType = QStringLiteral("PrintType");
} // namespace ini

// The program's title, the vendor's telephone number and addresses.
inline const QString ProgramTitle = QStringLiteral("Corvina中介管理软件");
inline const QString VendorPhone = QStringLiteral("0571-86882008");
inline const QString VendorSite = QStringLiteral("http://www.corvina-soft.cn/help/");
inline const QString VendorServiceAddress = QStringLiteral("http://www.corvina-soft.cn/service/");

} // namespace tev
