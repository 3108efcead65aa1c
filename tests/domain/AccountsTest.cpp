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
