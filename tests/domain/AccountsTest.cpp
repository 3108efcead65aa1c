// Money accounts: deleting an account with its vouchers in one transaction, and one account's
// balance agreeing with the figures of the accounts page.

#include "tests/domain/BusinessRows.h"

#include "domain/Accounts.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::BusinessRows;

namespace {

class AccountsTest : public BusinessRows {};

// The account's row goes first, then its vouchers: the vouchers refusing leaves the account
// already deleted inside the transaction, and all of it is undone.
TEST_F(AccountsTest, DeleteFailingPartWayLeavesEveryTableAsItWas) {
    const qint64 bank = AddAccount(u"工商银行"_s, 100);
    const qint64 cash = AddAccount(u"现金"_s, 10);
    for (int i = 1; i <= 3; ++i)
        AddVoucher(u"甲"_s, i * 100.0, QDate(2024, 3, i), bank);
    AddVoucher(u"甲"_s, 40, QDate(2024, 3, 1), cash);

    Sql(u"CREATE TRIGGER keep BEFORE DELETE ON MoneyTable BEGIN SELECT RAISE(ABORT, 'x'); END"_s);
    const QString before = Everything();
    const Outcome failed = DeleteAccountWithVouchers(db, bank);
    EXPECT_EQ(failed.kind, Outcome::Failed);
    EXPECT_EQ(failed.message, u"数据删除失败"_s);
    EXPECT_EQ(Everything(), before);

    Sql(u"DROP TRIGGER keep"_s);
    ASSERT_TRUE(DeleteAccountWithVouchers(db, bank));
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Account WHERE AccountIndex = ?"_s, {bank}).toInt(), 0);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyAccount = ?"_s, {bank}).toInt(), 0);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyAccount = ?"_s, {cash}).toInt(), 1);
}

// The balances come from monthly totals the engine keeps on every insert, change and delete of
// a voucher: they must be the figures of the plain sum of each account's vouchers up to the
// date, on the first and the last day of a month and between, after vouchers moved between
// months and accounts, changed amounts, deletions, four decimals and a missing amount.
TEST_F(AccountsTest, BalancesFromTheMonthlyTotalsAreThoseOfThePlainSums) {
    const qint64 bank = AddAccount(u"工商银行"_s, 1000);
    const qint64 cash = AddAccount(u"现金"_s, 12.5);
    const qint64 empty = AddAccount(u"备用金"_s, 30);
    const struct {
        double sum;
        QDate date;
        qint64 account;
    } vouchers[] = {
        {500, {2024, 1, 1}, bank},     {-200.254, {2024, 1, 31}, bank}, {0.0001, {2024, 2, 1}, bank},
        {7000, {2024, 2, 29}, bank},   {-0.125, {2024, 3, 1}, cash},    {12.3456, {2024, 3, 15}, cash},
        {99.995, {2024, 3, 31}, cash}, {-50, {2024, 4, 1}, cash},       {3.3333, {2023, 12, 31}, bank},
    };
    for (const auto& v : vouchers)
        AddVoucher(u"甲"_s, v.sum, v.date, v.account);
    Sql(u"INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneyCreateTime) VALUES (?, '乙', '2024-02-10')"_s,
        {cash}); // no amount
    // Moved to another month and account, changed, deleted.
    Sql(u"UPDATE MoneyTable SET MoneyCreateTime = '2024-03-02', MoneyAccount = ? WHERE MoneySum = 7000"_s, {cash});
    Sql(u"UPDATE MoneyTable SET MoneySum = -0.135 WHERE MoneySum = 0.0001"_s);
    Sql(u"DELETE FROM MoneyTable WHERE MoneySum = 500"_s);
    Sql(u"UPDATE MoneyTable SET MoneyUser = '丙' WHERE MoneySum = -50"_s); // not a figure

    EXPECT_EQ(Scalar(u"SELECT group_concat(MoneyAccount || ':' || MonthStart || ':' || Units, ' ') FROM "
                     "(SELECT * FROM AccountMonth WHERE Units <> 0 ORDER BY 1, 2)"_s)
                  .toString(),
              Scalar(u"SELECT group_concat(a || ':' || m || ':' || u, ' ') FROM (SELECT MoneyAccount a, "
                     "substr(MoneyCreateTime, 1, 7) m, Sum(CAST(round(MoneySum * 10000) AS INTEGER)) u FROM "
                     "MoneyTable WHERE MoneyAccount > 1 GROUP BY 1, 2 HAVING u <> 0 ORDER BY 1, 2)"_s)
                  .toString());
    for (const QDate working : {QDate(2023, 12, 31), QDate(2024, 1, 1), QDate(2024, 1, 31), QDate(2024, 2, 15),
                                QDate(2024, 3, 1), QDate(2024, 3, 31), QDate(2024, 4, 1), QDate(2025, 1, 1)}) {
        SCOPED_TRACE(working.toString(Qt::ISODate).toStdString());
        const Result<AccountFigures> figures = AccountBalances(db, {}, working);
        ASSERT_TRUE(figures);
        double total = 0;
        for (const qint64 account : {bank, cash, empty}) {
            const double plain =
                Scalar(u"SELECT AccountBase FROM Account WHERE AccountIndex = ?"_s, {account}).toDouble() +
                Scalar(u"SELECT ROUND(Sum(MoneySum), 2) FROM MoneyTable WHERE MoneyAccount = ? AND "
                       "MoneyCreateTime <= ?"_s,
                       {account, working.toString(u"yyyy-MM-dd"_s)})
                    .toDouble();
            EXPECT_DOUBLE_EQ(figures.value.balance.value(account), plain) << account;
            total += plain;
        }
        EXPECT_NEAR(figures.value.total, total, 1e-9);
    }
}

TEST_F(AccountsTest, OneAccountsBalanceIsTheFigureOfThePage) {
    const qint64 bank = AddAccount(u"工商银行"_s, 1000);
    AddVoucher(u"甲"_s, 500, QDate(2024, 3, 10), bank);
    AddVoucher(u"甲"_s, -200.254, QDate(2024, 2, 10), bank); // the sums round to cents
    AddVoucher(u"甲"_s, 7000, QDate(2024, 3, 20), bank);     // later in the month: its movement only
    AddVoucher(u"甲"_s, 9000, QDate(2024, 4, 2), bank);      // after the month: neither
    const qint64 cash = AddAccount(u"现金"_s, 0, u"李明"_s);
    AddVoucher(u"乙"_s, -50, QDate(2024, 1, 5), cash);
    const qint64 spare = AddAccount(u"备用金"_s, 30, u"王五"_s);
    const QDate working(2024, 3, 15);

    const Result<AccountFigures> all = AccountBalances(db, {}, working);
    ASSERT_TRUE(all);
    EXPECT_EQ(all.value.count, 3);
    EXPECT_DOUBLE_EQ(all.value.balance.value(bank), 1299.75);
    EXPECT_DOUBLE_EQ(all.value.month.value(bank), 7500);
    EXPECT_DOUBLE_EQ(all.value.balance.value(cash), -50);
    EXPECT_DOUBLE_EQ(all.value.balance.value(spare), 30);
    EXPECT_DOUBLE_EQ(all.value.total, 1279.75);
    for (const qint64 account : {bank, cash, spare}) {
        const Result<double> one = AccountBalanceAt(db, account, working);
        ASSERT_TRUE(one);
        EXPECT_EQ(one.value, all.value.balance.value(account)) << account;
    }
    EXPECT_EQ(AccountBalanceAt(db, 999, working).kind, Outcome::Missing);

    // A salesman's filter leaves the others' accounts out of the count and the total.
    const Result<AccountFigures> his = AccountBalances(db, u" And (AccountMan = '李明')"_s, working);
    ASSERT_TRUE(his);
    EXPECT_EQ(his.value.count, 1);
    EXPECT_DOUBLE_EQ(his.value.total, -50);
}

} // namespace
