#pragma once
// User management: the salesmen's rows of Power (sign-in name, password, picture, range of
// rights) and the hand-over that gives a renamed salesman's customers, bills and vouchers to
// the new name. The set of salesman rows is whatever the database holds: rows are changed
// here, never added or deleted, and a row's role is never changed.

#include "data/Database.h"
#include "domain/Outcome.h"

#include <QString>

namespace tev {

// The range of rights as PowerRange stores it: "业务管理；" when business is set, then
// "财务管理；" when finance is set (each with the full-width semicolon); neither is empty.
QString SalesmanRange(bool business, bool finance);
// What a stored range grants, tested by substring as the sign-in tests it.
bool RangeHasBusiness(const QString& range);
bool RangeHasFinance(const QString& range);

// "Select * From Power Where PowerRole = '业务员' Order By PowerIndex".
QString SalesmanListStatement();
// Every salesman row, free slots (empty names) included, in the order of PowerIndex.
// A failure carries "数据库打开失败".
Result<ResultSet> SalesmanRows(Database& db);

// The user window's entries for one salesman row, as typed.
struct SalesmanInput {
    qint64 index = 0; // PowerIndex of the row being changed
    QString name, key, picture;
    bool business = false, finance = false;
};

// Whether the row may be stored as typed, and the name it carries now (the old name of a
// hand-over); nothing is written. Refused with "名字有重复，请重新操作" when any other row of
// Power carries the name (another salesman, a management role row, the modification-password
// row, or a free slot for the empty name), as the database compares names: letter case
// ignored. Whether a name is taken never depends on the order rows are read in. Gone
// "找不到要修改的记录" when the row is no salesman row any more. A failure carries
// "数据库打开失败".
Result<QString> CheckSalesman(Database& db, const SalesmanInput& in);

// Whether a stored change of name offers the hand-over: the row had a name, and the new one
// differs from it by exact comparison (a change of letter case alone offers it too).
bool HandOverOffered(const QString& oldName, const QString& newName);

// The rows a hand-over gave to the new name.
struct HandOverCounts {
    int customers = 0, bills = 0, vouchers = 0;
};
// Gives every customer (CustomerMan), bill (BillMan) and voucher (MoneyMan) that the database
// finds carrying oldName to newName. Accounts keep their AccountMan. All three tables change in
// one transaction (or in the caller's): a failure part-way leaves every row as it was
// ("数据库打开失败"), so a salesman's business is never split between the two names. An empty
// old name hands nothing over (a free slot owns no records).
Result<HandOverCounts> HandOver(Database& db, const QString& oldName, const QString& newName);

struct SalesmanStored {
    QString oldName;         // the name the row carried before
    bool handedOver = false; // the old name's records now carry the new one
    HandOverCounts counts;
};
// Stores name, password, picture and range into the salesman row in.index after the checks of
// CheckSalesman and, when handOver is asked for and the store renames a named row
// (HandOverOffered), hands the old name's records over to the new one. The row and the records
// change in one transaction: all of it lands or none, so a failure never leaves the row renamed
// with its business still under the old name. Failures: "数据库打开失败" (reading, the
// hand-over), "数据保存失败" (the row).
Result<SalesmanStored> StoreSalesman(Database& db, const SalesmanInput& in, bool handOver);

} // namespace tev
