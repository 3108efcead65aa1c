#pragma once
// Users in roles: the sign-in list, the rows of Power, the passwords and the filters that
// restrict a salesman to his own records.

#include "domain/Outcome.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tev {

class Database;

struct PowerRow {
    qint64 index = 0;
    QString name, key, role, range, picture;
};

// The accounts offered at sign-in: every named row but the modification-password row.
QString SignInListStatement();
Result<QStringList> SignInNames(Database& db);
// The row of a name; none when no row has it. A failure carries "数据库打开失败".
Result<std::optional<PowerRow>> FindPower(Database& db, const QString& name);
// The modification password ("修改" row); none when the row is missing.
Result<std::optional<QString>> ModifyPasswordKey(Database& db);

// Writes a password into the first row of that name; Gone (missingMessage) when there is no
// such row or it went away after it was read.
Outcome StorePassword(Database& db, const QString& name, const QString& password,
                      const QString& missingMessage);

// The statement suffixes that restrict a salesman to his own records.
struct SalesmanFilters {
    QString customer, account, bill, voucher;
};
SalesmanFilters FiltersFor(const QString& user);

} // namespace tev
