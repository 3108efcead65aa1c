#include "domain/Accounts.h"

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// A null text would reach the database as "no value"; the columns hold empty text instead.
QString Stored(const QString& text) {
    return text.isNull() ? u""_s : text;
}

QString ByNameStatement(const QString& name) {
    return u"Select * From Account Where AccountName = '%1'"_s.arg(SqlText(name));
}

AccountRecord RecordOf(const ResultSet& rs) {
    AccountRecord a;
    a.index = rs.AsInteger(u"AccountIndex"_s);
    a.name = rs.AsString(u"AccountName"_s);
    a.man = rs.AsString(u"AccountMan"_s);
    a.base = rs.AsFloat(u"AccountBase"_s);
    return a;
}

// The account of a name; failure carries the words of the operation that asked.
Result<std::optional<AccountRecord>> ReadAccount(Database& db, const QString& name, const QString& failure) {
    ResultSet rs;
    if (!db.Select(ByNameStatement(name), rs)) return Outcome::Fail(failure, db);
    if (rs.IsEmpty()) return std::optional<AccountRecord>();
    rs.First();
    return std::optional<AccountRecord>(RecordOf(rs));
}

// Per MoneyAccount the TotalMoney of a grouped sum.
Result<QHash<qint64, double>> Sums(Database& db, const QString& statement) {
    ResultSet rs;
    if (!db.Select(statement, rs)) return Outcome::Fail(u"统计帐户金额时出错"_s, db);
    QHash<qint64, double> sums;
    for (rs.First(); !rs.Eof(); rs.Next())
        sums.insert(rs.AsInteger(u"MoneyAccount"_s), rs.AsFloat(u"TotalMoney"_s));
    return sums;
}

} // namespace

Result<std::optional<AccountRecord>> FindAccount(Database& db, const QString& name) {
    return ReadAccount(db, name, u"数据库打开失败"_s);
}

Outcome StoreNewAccount(Database& db, const AccountInput& in, const QString& man) {
    const QString name = Stored(in.name);
    if (name.isEmpty()) return Outcome::Refuse(u"帐户名不得为空"_s);
    const Result<std::optional<AccountRecord>> taken = ReadAccount(db, name, u"无法打开数据库"_s);
    if (!taken) return Outcome(taken);
    if (taken.value) return Outcome::Refuse(u"该帐户名已经存在，请重新操作"_s);
    if (db.Insert(u"Account"_s,
                  {{u"AccountName"_s, name}, {u"AccountBase"_s, in.base}, {u"AccountMan"_s, Stored(man)}}) <
        0)
        return Outcome::Fail(u"数据保存失败"_s, db);
    return Outcome::Ok();
}

Outcome ChangeAccount(Database& db, const QString& name, const AccountInput& in) {
    const QString newName = Stored(in.name);
    if (newName.trimmed().isEmpty()) return Outcome::Refuse(u"帐户名不得为空"_s);
    const Result<std::optional<AccountRecord>> stored = ReadAccount(db, name, u"无法打开数据库"_s);
    if (!stored) return Outcome(stored);
    const qint64 index = stored.value ? stored.value->index : -1;

    if (newName != name) {
        // Names compare without regard to case, so the account itself does not count: a
        // change of case only is no duplicate.
        ResultSet rs;
        // One arg() for both: a name holding "%1" must not take the key's place.
        if (!db.Select(u"Select * From Account Where (AccountName = '%1') And (AccountIndex <> %2)"_s.arg(
                           SqlText(newName), QString::number(index)),
                       rs))
            return Outcome::Fail(u"无法打开数据库"_s, db);
        if (!rs.IsEmpty()) return Outcome::Refuse(u"该帐户名已经存在，请重新操作"_s);
    }
    if (index < 0) return Outcome::Gone(u"找不到要修改的帐户"_s);
    const int changed = db.Update(u"Account"_s, {{u"AccountName"_s, newName}, {u"AccountBase"_s, in.base}},
                                  u"AccountIndex = ?"_s, {index});
    if (changed < 0) return Outcome::Fail(u"数据保存失败"_s, db);
    if (changed == 0) return Outcome::Gone(u"找不到要修改的帐户"_s);
    return Outcome::Ok();
}

Outcome DeleteAccountWithVouchers(Database& db, qint64 index) {
    const bool ok = db.Transaction([&] {
        if (db.Delete(u"Account"_s, u"AccountIndex = ?"_s, {index}) < 0) return false;
        return db.Delete(u"MoneyTable"_s, u"MoneyAccount = ?"_s, {index}) >= 0;
    });
    if (!ok) return Outcome::Fail(u"数据删除失败"_s, db);
    return Outcome::Ok();
}

QString AccountStatement(qint64 accountIndex, const Period& period) {
    QString sql = u"Select MoneyIndex,MoneySerial,MoneyCreateTime,AccountName,MoneyUser,MoneyIn,MoneyOut,"
                  "MoneySum,MoneyMan,MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable "
                  "Where (AccountIndex = MoneyAccount) And (MoneyAccount = %1)"_s.arg(accountIndex);
    if (!period.IsAllTime())
        sql += u" And (MoneyCreateTime Between %1 And %2)"_s.arg(SqlDate(period.first), SqlDate(period.last));
    return sql;
}

Result<ListRequest> AccountVouchers(Database& db, const QString& name, const Period& period) {
    const Result<std::optional<AccountRecord>> account = FindAccount(db, name);
    if (!account) return Outcome(account);
    if (!account.value) return ListRequest();
    const qint64 index = account.value->index;
    const QString fallback = account.value->name;
    const QString words = period.IsAllTime() ? u"全部"_s
                          : period.first.month() == period.last.month()
                              ? u"%1年%2月"_s.arg(period.first.year()).arg(period.first.month())
                              : u"%1年"_s.arg(period.first.year());
    Database* const connection = &db;
    ListRequest request;
    request.statement = [index, period] { return AccountStatement(index, period); };
    // The account's name as it is at each run: a renamed account keeps its list.
    request.description = [connection, index, fallback, words] {
        ResultSet rs;
        QString now = fallback;
        if (connection->Query(u"SELECT AccountName FROM Account WHERE AccountIndex = ?"_s, {index}, &rs) &&
            !rs.IsEmpty())
            now = rs.AsString(u"AccountName"_s);
        return u"帐户“%1”%2财务单据"_s.arg(now, words);
    };
    return request;
}

QString AccountListStatement(const QString& accountFilter) {
    return u"Select * From Account Where (AccountIndex > 1)"_s + accountFilter + u" Order By AccountIndex"_s;
}

QString AccountSumsStatement(const QDate& first, const QDate& last) {
    const QString period = first.isValid()
                               ? u"(MoneyCreateTime Between %1 And %2)"_s.arg(SqlDate(first), SqlDate(last))
                               : u"(MoneyCreateTime <= %1)"_s.arg(SqlDate(last));
    return u"Select MoneyAccount, ROUND(Sum(MoneySum),2) As TotalMoney From MoneyTable Where %1 "
           "Group By MoneyAccount"_s.arg(period);
}

namespace {

// Per MoneyAccount the ten-thousandths of its vouchers up to the end of the date: the months
// before the date's month from the kept monthly totals, that month's vouchers up to the date
// from the vouchers themselves (the date index). Every text a voucher's date may hold falls in
// exactly one of the two parts, as it would in one "up to the date" comparison.
Result<QHash<qint64, qint64>> UnitsUpTo(Database& db, QDate date) {
    const QString month = date.toString(u"yyyy-MM"_s);
    const QString statement =
        u"Select MoneyAccount, Sum(Units) As Units From ("
        "Select MoneyAccount, Units From AccountMonth Where MonthStart < '%1' "
        "Union All Select MoneyAccount, Coalesce(Cast(Round(MoneySum * 10000) As Integer), 0) From MoneyTable "
        "Where (MoneyCreateTime >= '%1') And (MoneyCreateTime <= %2) And (MoneyAccount Is Not Null)) "
        "Group By MoneyAccount"_s.arg(month, SqlDate(date));
    ResultSet rs;
    if (!db.Select(statement, rs)) return Outcome::Fail(u"统计帐户金额时出错"_s, db);
    QHash<qint64, qint64> units;
    for (rs.First(); !rs.Eof(); rs.Next())
        units.insert(rs.AsInteger(u"MoneyAccount"_s), rs.AsInteger(u"Units"_s));
    return units;
}

// Ten-thousandths of a yuan to yuan rounded to the cent, halves to the even cent as the
// engine's Round does.
double UnitsToCents(qint64 units) {
    qint64 cents = units / 100;
    const qint64 rest = units % 100;
    if (rest > 50 || (rest == 50 && cents % 2 != 0)) ++cents;
    if (rest < -50 || (rest == -50 && cents % 2 != 0)) --cents;
    return double(cents) / 100.0;
}

} // namespace

Result<AccountFigures> AccountBalances(Database& db, const QString& accountFilter, QDate working) {
    ResultSet all;
    if (!db.Select(AccountListStatement(accountFilter), all)) return Outcome::Fail(u"刷新帐户时出错"_s, db);
    const Result<QHash<qint64, qint64>> units = UnitsUpTo(db, working);
    if (!units) return Outcome(units);
    QHash<qint64, double> upToValues;
    for (auto it = units.value.cbegin(); it != units.value.cend(); ++it)
        upToValues.insert(it.key(), UnitsToCents(it.value()));
    const Result<QHash<qint64, double>> upTo = std::move(upToValues);
    const Period month = MonthOf(working);
    const Result<QHash<qint64, double>> inMonth = Sums(db, AccountSumsStatement(month.first, month.last));
    if (!inMonth) return Outcome(inMonth);
    AccountFigures figures;
    figures.count = all.RecordCount();
    figures.month = inMonth.value;
    for (all.First(); !all.Eof(); all.Next()) {
        const qint64 index = all.AsInteger(u"AccountIndex"_s);
        const double balance = all.AsFloat(u"AccountBase"_s) + upTo.value.value(index);
        figures.balance.insert(index, balance);
        figures.total += balance;
    }
    return figures;
}

Result<double> AccountBalanceAt(Database& db, qint64 index, QDate date) {
    ResultSet account;
    if (!db.Select(u"Select * From Account Where AccountIndex = %1"_s.arg(index), account))
        return Outcome::Fail(u"统计帐户金额时出错"_s, db);
    if (account.IsEmpty()) return Outcome::Gone(u"找不到该帐户"_s);
    account.First();
    // The page's figure for one account: the same rounded sum of the same vouchers.
    const QString statement =
        u"Select ROUND(Sum(MoneySum),2) As TotalMoney From MoneyTable Where "
        "(MoneyAccount = %1) And (MoneyCreateTime <= %2)"_s.arg(QString::number(index), SqlDate(date));
    ResultSet sum;
    if (!db.Select(statement, sum)) return Outcome::Fail(u"统计帐户金额时出错"_s, db);
    sum.First();
    return account.AsFloat(u"AccountBase"_s) + sum.AsFloat(u"TotalMoney"_s);
}

Result<ResultSet> AccountPageRows(Database& db, const QString& accountFilter, int offset, int limit) {
    ResultSet rs;
    if (!db.Select(AccountListStatement(accountFilter) + u" Limit %1 Offset %2"_s.arg(limit).arg(offset), rs))
        return Outcome::Fail(u"刷新帐户时出错"_s, db);
    return rs;
}

} // namespace tev
