#pragma once
// Money accounts: the record and its stores (an account is deleted with every voucher booked
// on it), the balances at the end of the working date with the movement of the working month,
// and an account's vouchers of a period for the voucher report list.

#include "data/Database.h"
#include "domain/ListRequest.h"
#include "domain/Outcome.h"
#include "domain/Periods.h"

#include <QDate>
#include <QHash>
#include <QString>

#include <optional>

namespace tev {

struct AccountRecord {
    qint64 index = 0;
    QString name;
    QString man;     // who made the account; a salesman sees his own and the finance supervisor's
    double base = 0; // AccountBase: the opening amount
};

// The account editor's entries: the name as typed and the opening amount it accepted.
struct AccountInput {
    QString name;
    double base = 0;
};

// The account of a name (the database's comparison, letter case ignored); none when no account
// has it. A failure carries "数据库打开失败".
Result<std::optional<AccountRecord>> FindAccount(Database& db, const QString& name);

// A new account made by man. Refused: an empty name ("帐户名不得为空"), a name taken
// ("该帐户名已经存在，请重新操作"). Failures: "无法打开数据库" (the duplicate check), "数据保存失败".
Outcome StoreNewAccount(Database& db, const AccountInput& in, const QString& man);
// Changes the account now called name to the input's name and opening amount; the man who made
// it stays. Refused: a name of blanks only ("帐户名不得为空"; the reserved row's empty name would
// otherwise make it a duplicate, which is no reason a user can act on), a new name another
// account has ("该帐户名已经存在，请重新操作"; the account itself does not count, so a change of
// letter case only is no duplicate). The account gone: Gone "找不到要修改的帐户". Failures:
// "无法打开数据库", "数据保存失败".
Outcome ChangeAccount(Database& db, const QString& name, const AccountInput& in);
// The account and every voucher booked on it go together in one transaction, or neither does
// ("数据删除失败").
Outcome DeleteAccountWithVouchers(Database& db, qint64 index);

// The voucher statement of an account over a period (all time: every voucher).
QString AccountStatement(qint64 accountIndex, const Period& period = AllTime());
// The vouchers of the account now called name over a period, for the voucher report list. The
// line that says what it shows reads the account's name at every run, so a kept list follows a
// rename; it reads through db, which must outlive the request (the one connection of the run).
// A failure carries "数据库打开失败"; the account gone gives an empty request (nothing to list).
Result<ListRequest> AccountVouchers(Database& db, const QString& name, const Period& period);

// The accounts the user may see (the salesman's AccountFilter), oldest first.
QString AccountListStatement(const QString& accountFilter);
// Per account (MoneyAccount) the rounded sum of its vouchers over first..last as TotalMoney;
// an invalid first means everything up to last.
QString AccountSumsStatement(const QDate& first, const QDate& last);

// The figures of the accounts page.
struct AccountFigures {
    int count = 0;                 // the accounts the user may see
    QHash<qint64, double> balance; // per AccountIndex: the opening amount + the vouchers up to the date
    QHash<qint64, double> month;   // per AccountIndex: the vouchers of the date's month
    double total = 0;              // the balances of every account the user may see
};
// The figures at the end of the working date, from the list and two grouped statements rather
// than two statements per account: the balances from the kept monthly totals and the working
// month's vouchers, the month's movement from that month's vouchers (date index). The figures
// are those of the plain per-account sums, counted exactly in ten-thousandths. Failures:
// "刷新帐户时出错" (the list), "统计帐户金额时出错" (the sums).
Result<AccountFigures> AccountBalances(Database& db, const QString& accountFilter, QDate working);
// One account's balance at the end of the date, the figure its tile shows. "统计帐户金额时出错";
// the account gone: Gone "找不到该帐户".
Result<double> AccountBalanceAt(Database& db, qint64 index, QDate date);
// At most limit accounts of the list from row offset on. "刷新帐户时出错".
Result<ResultSet> AccountPageRows(Database& db, const QString& accountFilter, int offset, int limit);

} // namespace tev
