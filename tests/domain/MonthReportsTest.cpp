// The monthly reports: the figures of every customer and account from a few statements agree
// with one statement per figure and line; the pool takes every line and the grand total
// whatever their number, in one transaction.

#include "tests/domain/BusinessRows.h"
#include "tests/support/FaultVfs.h"

#include "data/Query.h"
#include "domain/MonthReports.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::BusinessRows;

namespace {

// The month of the working date runs from 2024-5-1 to 2024-5-31.
const QDate kWorking(2024, 5, 17);
const QDate kFirst(2024, 5, 1);
const QDate kLast(2024, 5, 31);

class MonthReportsTest : public BusinessRows {
protected:
    // Many rows in one transaction: one write to the disk instead of one per row.
    void Batch(const std::function<void()>& write) {
        ASSERT_TRUE(db.Transaction([&] {
            write();
            return true;
        })) << db.LastError().toStdString();
    }
    void AddBillOfKind(const QString& kind, const QString& customer, double sum, const QDate& date) {
        Sql(u"INSERT INTO Bill (BillKind, BillUser, BillSum, BillCreateTime) VALUES (?, ?, ?, ?)"_s,
            {kind, customer, sum, date.toString(u"yyyy-MM-dd"_s)});
    }

    // The first column of a statement in the program's dialect; a sum over nothing is 0.
    double Total(const QString& statement) {
        ResultSet rs;
        EXPECT_TRUE(db.Select(statement, rs)) << statement.toStdString() << db.LastError().toStdString();
        return rs.AsFloat(u"TotalMoney"_s);
    }

    // One customer's figures the way they used to be computed: an aggregate statement each.
    CustomerMonthLine OneByOne(const QString& name, double owe) {
        const QString who = SqlText(name);
        const QString month = u"(BillCreateTime Between %1 And %2)"_s.arg(SqlDate(kFirst), SqlDate(kLast));
        CustomerMonthLine l;
        l.name = name;
        l.purchases = Total(u"Select ABS(SUM(BillSum)) As TotalMoney From Bill Where (BillKind = '采购开单') "
                            "And (BillUser = '%1') And %2"_s.arg(who, month));
        l.sales = Total(u"Select SUM(BillSum) As TotalMoney From Bill Where (BillKind = '销售开单') And "
                        "(BillUser = '%1') And %2"_s.arg(who, month));
        l.payments = Total(u"Select SUM(MoneySum) As TotalMoney From MoneyTable Where (MoneyUser = '%1') And "
                           "(MoneyCreateTime Between %2 And %3)"_s.arg(who, SqlDate(kFirst), SqlDate(kLast)));
        l.start = owe +
                  Total(u"Select Sum(BillSum) As TotalMoney From Bill Where ((BillKind = '销售开单') Or "
                        "(BillKind = '采购开单')) And (BillUser = '%1') And (BillCreateTime < %2)"_s.arg(
                            who, SqlDate(kFirst))) -
                  Total(u"Select Sum(MoneySum) As TotalMoney From MoneyTable Where (MoneyUser = '%1') And "
                        "(MoneyCreateTime < %2)"_s.arg(who, SqlDate(kFirst)));
        l.end = l.sales + l.start - l.payments - l.purchases;
        return l;
    }
    AccountMonthLine OneByOne(qint64 index, const QString& name, double base) {
        const QString mine = u"From Account,MoneyTable Where (AccountIndex > 1) And (AccountIndex = "
                             "MoneyAccount) And (AccountIndex = %1)"_s.arg(index);
        const QString month = u"(MoneyCreateTime Between %1 And %2)"_s.arg(SqlDate(kFirst), SqlDate(kLast));
        AccountMonthLine l;
        l.name = name;
        l.start = base + Total(u"Select Sum(MoneySum) As TotalMoney %1 And (MoneyCreateTime < %2)"_s.arg(
                             mine, SqlDate(kFirst)));
        l.income =
            Total(u"Select Sum(MoneySum) As TotalMoney %1 And (MoneySum > 0) And %2"_s.arg(mine, month));
        l.expense =
            Total(u"Select ABS(Sum(MoneySum)) As TotalMoney %1 And (MoneySum < 0) And %2"_s.arg(mine, month));
        l.net = l.income - l.expense;
        l.end = l.start + l.net;
        return l;
    }

    // Every row of the pool and the headings, to show that a failed report changed nothing.
    QString Pool() {
        QString all;
        for (const char* table : {"PrintReport", "PrintList"}) {
            ResultSet rs;
            EXPECT_TRUE(db.Query(u"SELECT * FROM %1 ORDER BY 1"_s.arg(QLatin1String(table)), {}, &rs));
            for (int r = 0; r < rs.RecordCount(); ++r) {
                for (int c = 0; c < rs.Columns().size(); ++c)
                    all += rs.At(r, c).toString() + u'|';
                all += u'\n';
            }
        }
        return all;
    }
    // The rows a monthly template prints: ReportGrid1 … ReportGrid6 of each, joined by " | ".
    QStringList Printed() {
        Query rows, period, title;
        EXPECT_TRUE(OpenMonthReport(db, rows, period, title));
        QStringList lines;
        for (rows.First(); !rows.Eof(); rows.Next()) {
            QStringList cells;
            for (int c = 1; c <= 6; ++c)
                cells << rows.AsString(u"ReportGrid%1"_s.arg(c));
            lines << cells.join(u" | "_s);
        }
        return lines;
    }
    // A report of the list by number, ascending, unless told otherwise.
    Outcome Report(const CustomerListOptions& options = {{}, {}, 0, 0}) {
        const Result<QList<CustomerMonthLine>> lines = CustomerMonthFigures(db, options, kWorking);
        if (!lines) return lines;
        return StoreMonthReport(db, CustomerMonthRows(lines.value, kWorking));
    }

    // 1,100 customers with documents on the first and the last day of the month, before and
    // after it, sales and purchases of one customer, expense vouchers, vouchers of 0, customers
    // without documents and documents naming their customer in another letter case.
    void LargeBusiness() {
        Batch([&] {
            for (int i = 0; i < 1100; ++i) {
                const QString name = i % 2 ? u"客户%1"_s.arg(i, 4, 10, QChar(u'0')) : u"Cust%1"_s.arg(i);
                const QString on = i % 13 == 0 ? name.toUpper() : name;
                AddCustomer(name, (i % 7) * 100.25);
                if (i % 10 == 0) continue; // no documents at all
                AddBill(on, 500 + i * 0.37, i % 3 ? QDate(2024, 5, 10) : kFirst);
                if (i % 4 == 0) AddBill(on, -(300 + i * 0.11), kLast);
                if (i % 5 == 0) AddBill(on, -(45.5 + i), kFirst);
                AddBill(on, 120.05 * (i % 9), QDate(2024, 4, 30));
                AddBill(on, -88.8, QDate(2024, 1, 2 + i % 28));
                AddBill(on, 999, QDate(2024, 6, 1)); // after the month: counts nowhere
                AddVoucher(on, 200 + i * 0.13, i % 2 ? kLast : QDate(2024, 5, 20));
                if (i % 3 == 0) AddVoucher(on, -(80 + i * 0.01), kFirst); // an expense
                if (i % 9 == 0) AddVoucher(on, 0, QDate(2024, 5, 15));
                AddVoucher(on, 66.6 + i % 11, QDate(2024, 4, 30));
                AddVoucher(on, 10, QDate(2024, 6, 1));
            }
        });
    }
};

void ExpectLine(const CustomerMonthLine& got, const CustomerMonthLine& want) {
    SCOPED_TRACE(want.name.toStdString());
    EXPECT_EQ(got.name, want.name);
    EXPECT_NEAR(got.purchases, want.purchases, 0.005);
    EXPECT_NEAR(got.sales, want.sales, 0.005);
    EXPECT_NEAR(got.payments, want.payments, 0.005);
    EXPECT_NEAR(got.start, want.start, 0.005);
    EXPECT_NEAR(got.end, want.end, 0.005);
}

TEST_F(MonthReportsTest, CustomerLinesOfTheMonthFromItsFirstToItsLastDay) {
    // The worked line: purchase 300, sales 500, payments 200, start 100, end 100.
    AddCustomer(u"甲"_s, 100);
    AddBill(u"甲"_s, -300, QDate(2024, 5, 3));
    AddBill(u"甲"_s, 500, QDate(2024, 5, 9));
    AddVoucher(u"甲"_s, 200, QDate(2024, 5, 12));
    // Without any document: the opening debt from start to end.
    AddCustomer(u"乙"_s, 250);
    // An expense voucher lowers the payments and raises what the customer owes at the end.
    AddCustomer(u"丙"_s);
    AddVoucher(u"丙"_s, -80, QDate(2024, 5, 20));
    // The first day counts in the month and not in the start; the last day counts; the day
    // before the first counts in the start; the next month's first day counts nowhere.
    AddCustomer(u"丁"_s, 10);
    AddBill(u"丁"_s, 1000, kFirst);
    AddBill(u"丁"_s, -40, kLast);
    AddBill(u"丁"_s, 70, QDate(2024, 4, 30));
    AddVoucher(u"丁"_s, 30, kFirst);
    AddVoucher(u"丁"_s, 5, QDate(2024, 4, 30));
    AddBill(u"丁"_s, 7777, QDate(2024, 6, 1));
    AddVoucher(u"丁"_s, 7777, QDate(2024, 6, 1));

    const Result<QList<CustomerMonthLine>> lines = CustomerMonthFigures(db, {{}, {}, 0, 0}, kWorking);
    ASSERT_TRUE(lines) << lines.message.toStdString();
    ASSERT_EQ(lines.value.size(), 4);
    ExpectLine(lines.value[0], {0, u"甲"_s, 300, 500, 200, 100, 100});
    ExpectLine(lines.value[1], {0, u"乙"_s, 0, 0, 0, 250, 250});
    ExpectLine(lines.value[2], {0, u"丙"_s, 0, 0, -80, 0, 80});
    ExpectLine(lines.value[3], {0, u"丁"_s, 40, 1000, 30, 75, 1005});

    const MonthReportRows rows = CustomerMonthRows(lines.value, kWorking);
    EXPECT_EQ(rows.period, u"2024年5月份"_s);
    EXPECT_EQ(rows.title, u"各客户应收款"_s);
    ASSERT_EQ(rows.rows.size(), 5);
    EXPECT_EQ(rows.rows[0],
              (ReportRow{u"甲"_s, u"300"_s, u"500"_s, u"200"_s, u"100"_s, u"100"_s, u""_s, u""_s, u""_s}));
    EXPECT_EQ(rows.rows[4], (ReportRow{u"总合计"_s, u"340"_s, u"1500"_s, u"150"_s, u"425"_s, u"1435"_s, u""_s,
                                       u""_s, u""_s}));
}

TEST_F(MonthReportsTest, AccountLinesOfTheMonth) {
    // The worked line: base 1000, income 300 and expense 120 in the month, 50 the month before.
    const qint64 cash = AddAccount(u"现金"_s, 1000);
    AddVoucher(u"甲"_s, 300, QDate(2024, 5, 4), cash);
    AddVoucher(u"甲"_s, -120, kLast, cash);
    AddVoucher(u"甲"_s, 50, QDate(2024, 4, 20), cash);
    // Without vouchers; with a voucher of 0 and one on the first day.
    AddAccount(u"备用金"_s, 20);
    const qint64 bank = AddAccount(u"工商银行"_s);
    AddVoucher(u"乙"_s, 0, QDate(2024, 5, 9), bank);
    AddVoucher(u"乙"_s, -45.5, kFirst, bank);
    AddVoucher(u"乙"_s, 500, QDate(2024, 6, 1), bank);
    // A salesman sees his own accounts and the finance supervisor's.
    AddAccount(u"李明备用金"_s, 5, u"李明"_s);

    const Result<QList<AccountMonthLine>> all = AccountMonthFigures(db, {}, kWorking);
    ASSERT_TRUE(all);
    ASSERT_EQ(all.value.size(), 4);
    const auto expect = [](const AccountMonthLine& l, const QString& name, std::array<double, 5> figures) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(l.name, name);
        EXPECT_DOUBLE_EQ(l.start, figures[0]);
        EXPECT_DOUBLE_EQ(l.income, figures[1]);
        EXPECT_DOUBLE_EQ(l.expense, figures[2]);
        EXPECT_DOUBLE_EQ(l.net, figures[3]);
        EXPECT_DOUBLE_EQ(l.end, figures[4]);
    };
    expect(all.value[0], u"现金"_s, {1050, 300, 120, 180, 1230});
    expect(all.value[1], u"备用金"_s, {20, 0, 0, 0, 20});
    expect(all.value[2], u"工商银行"_s, {0, 0, 45.5, -45.5, -45.5});
    const MonthReportRows rows = AccountMonthRows(all.value, kWorking);
    ASSERT_EQ(rows.rows.size(), 5);
    EXPECT_EQ(rows.rows[4], (ReportRow{u"总合计"_s, u"1075"_s, u"300"_s, u"165.5"_s, u"134.5"_s, u"1209.5"_s,
                                       u""_s, u""_s, u""_s}));
    EXPECT_FALSE(rows.title) << "the account report leaves the title as it is";

    const Result<QList<AccountMonthLine>> his =
        AccountMonthFigures(db, u" And (AccountMan = '财务主管' Or AccountMan = '李明')"_s, kWorking);
    ASSERT_TRUE(his);
    ASSERT_EQ(his.value.size(), 1);
    EXPECT_EQ(his.value[0].name, u"李明备用金"_s);
}

// The figures of 1,100 customers from three statements are those of five aggregate statements
// per customer, to the cent, and so are the totals.
TEST_F(MonthReportsTest, SetBasedFiguresAgreeWithAStatementPerFigure) {
    LargeBusiness();
    const CustomerListOptions byNumber{{}, {}, 0, 0};
    const Result<QList<CustomerMonthLine>> lines = CustomerMonthFigures(db, byNumber, kWorking);
    ASSERT_TRUE(lines);
    // The Part's customer list, by number, ascending.
    ResultSet customers;
    ASSERT_TRUE(db.Select(u"Select Distinct Customer.* From (Customer Left Join Bill on Customer.CustomerName = "
                          "Bill.BillUser) Where (CustomerIndex > 1) Order By CustomerIndex Asc"_s,
                          customers))
        << db.LastError().toStdString();
    ASSERT_EQ(customers.RecordCount(), 1100);
    ASSERT_EQ(lines.value.size(), 1100);
    QList<CustomerMonthLine> reference;
    for (customers.First(); !customers.Eof(); customers.Next())
        reference << OneByOne(customers.AsString(u"CustomerName"_s), customers.AsFloat(u"CustomerOwe"_s));
    for (int i = 0; i < reference.size(); ++i)
        ExpectLine(lines.value[i], reference[i]);
    // The totals: written to four decimals as the pool holds them.
    EXPECT_EQ(CustomerMonthRows(lines.value, kWorking).rows.last(),
              CustomerMonthRows(reference, kWorking).rows.last());
    // Not a comparison of nothing: the month holds purchases, sales and payments.
    const ReportRow total = CustomerMonthRows(lines.value, kWorking).rows.last();
    for (int column : {1, 2, 3})
        EXPECT_GT(total[column].toDouble(), 1000) << column;

    // The accounts likewise, with every voucher spread over thirty accounts.
    Batch([&] {
        for (int a = 0; a < 30; ++a)
            AddAccount(u"帐户%1"_s.arg(a), a * 10.5);
        Sql(u"UPDATE MoneyTable SET MoneyAccount = 2 + MoneyIndex % 31 WHERE MoneyIndex > 1"_s);
    });
    const Result<QList<AccountMonthLine>> accounts = AccountMonthFigures(db, {}, kWorking);
    ASSERT_TRUE(accounts);
    ASSERT_EQ(accounts.value.size(), 30);
    QList<AccountMonthLine> accountReference;
    for (const AccountMonthLine& l : accounts.value) {
        const AccountMonthLine want = OneByOne(l.index, l.name, (l.index - 2) * 10.5);
        SCOPED_TRACE(l.name.toStdString());
        EXPECT_NEAR(l.start, want.start, 0.005);
        EXPECT_NEAR(l.income, want.income, 0.005);
        EXPECT_NEAR(l.expense, want.expense, 0.005);
        EXPECT_NEAR(l.end, want.end, 0.005);
        accountReference << want;
    }
    EXPECT_EQ(AccountMonthRows(accounts.value, kWorking).rows.last(),
              AccountMonthRows(accountReference, kWorking).rows.last());
}

// The pool used to stop growing at 1024 rows: customers past it and the grand total were left
// out of the printout while the totals still counted them.
TEST_F(MonthReportsTest, EveryCustomerAndTheTotalReachThePoolWhateverTheirNumber) {
    LargeBusiness();
    const Result<QList<CustomerMonthLine>> lines = CustomerMonthFigures(db, {}, kWorking);
    ASSERT_TRUE(lines);
    const MonthReportRows rows = CustomerMonthRows(lines.value, kWorking);
    QList<int> told;
    ASSERT_TRUE(StoreMonthReport(db, rows, [&](int percent) { told << percent; }));
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM PrintReport"_s).toInt(), 1102);
    const QStringList printed = Printed();
    ASSERT_EQ(printed.size(), 1101);
    for (int i = 0; i < rows.rows.size(); ++i)
        EXPECT_EQ(printed[i], QStringList(rows.rows[i].begin(), rows.rows[i].begin() + 6).join(u" | "_s));
    EXPECT_TRUE(printed.last().startsWith(u"总合计 | "_s));
    EXPECT_EQ(Scalar(u"SELECT ListValue FROM PrintList WHERE ListIndex = 1"_s).toString(), u"2024年5月份"_s);
    EXPECT_EQ(Scalar(u"SELECT ListValue FROM PrintList WHERE ListIndex = 2"_s).toString(), u"各客户应收款"_s);
    // The progress rises between the batches of rows and ends full.
    EXPECT_GE(told.size(), 4);
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.last(), 100);
}

TEST_F(MonthReportsTest, ASecondReportOverwritesTheSameRowsAndDisablesTheRest) {
    AddCustomer(u"甲"_s, 100);
    AddCustomer(u"乙"_s, 200);
    const qint64 third = AddCustomer(u"丙"_s, 300);
    ASSERT_TRUE(Report());
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM PrintReport"_s).toInt(), 5);
    EXPECT_EQ(Printed().last(), u"总合计 | 0 | 0 | 0 | 600 | 600"_s);

    // New documents, one customer fewer: the first rows take the new report, the old total
    // stays behind disabled with its texts, and the pool does not grow.
    AddBill(u"甲"_s, 50, QDate(2024, 5, 20));
    Sql(u"DELETE FROM Customer WHERE CustomerIndex = ?"_s, {third});
    ASSERT_TRUE(Report());
    EXPECT_EQ(Printed(), (QStringList{u"甲 | 0 | 50 | 0 | 100 | 150"_s, u"乙 | 0 | 0 | 0 | 200 | 200"_s,
                                      u"总合计 | 0 | 50 | 0 | 300 | 350"_s}));
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM PrintReport"_s).toInt(), 5);
    ResultSet pool;
    ASSERT_TRUE(
        db.Query(u"SELECT ReportIndex, ReportEnable, ReportGrid1 FROM PrintReport ORDER BY 1"_s, {}, &pool));
    QStringList rows;
    for (pool.First(); !pool.Eof(); pool.Next())
        rows << u"%1 %2 %3"_s.arg(pool.AsInteger(u"ReportIndex"_s))
                    .arg(pool.AsInteger(u"ReportEnable"_s))
                    .arg(pool.AsString(u"ReportGrid1"_s));
    EXPECT_EQ(rows, (QStringList{u"1 1 甲"_s, u"2 1 乙"_s, u"3 1 总合计"_s, u"4 0 总合计"_s, u"5 0 "_s}));
}

TEST_F(MonthReportsTest, CustomersInTheOrderOfThePageWithTheTotalLast) {
    for (const QString& name : {u"王五"_s, u"张三"_s, u"李四"_s, u"阿明"_s})
        AddCustomer(name, 10, name == u"王五"_s ? u"李明"_s : u""_s);
    const struct {
        CustomerListOptions options;
        QStringList names;
    } cases[] = {
        {{{}, {}, 1, 1}, {u"张三"_s, u"王五"_s, u"李四"_s, u"阿明"_s}}, // by pinyin, descending
        {{{}, {}, 1, 0}, {u"阿明"_s, u"李四"_s, u"王五"_s, u"张三"_s}},
        {{{}, {}, 0, 1}, {u"阿明"_s, u"李四"_s, u"张三"_s, u"王五"_s}},
        {{u" And (CustomerMan = '李明')"_s, {}, 0, 0}, {u"王五"_s}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Report(c.options));
        QStringList names;
        for (const QString& line : Printed())
            names << line.section(u" | "_s, 0, 0);
        EXPECT_EQ(names, c.names + QStringList{u"总合计"_s});
        // The customers page's own list, every page of it, in the same order.
        const Result<ResultSet> page = CustomerPageRows(db, c.options, 0, 100);
        ASSERT_TRUE(page);
        QStringList listed;
        for (int r = 0; r < page.value.RecordCount(); ++r)
            listed << page.value.At(r, page.value.ColumnIndex(u"CustomerName"_s)).toString();
        EXPECT_EQ(listed, c.names);
    }
    CustomerSearchInput search;
    search.texts[0] = u"三"_s;
    ASSERT_TRUE(Report({{}, search, 0, 0}));
    EXPECT_EQ(Printed(), (QStringList{u"张三 | 0 | 0 | 0 | 10 | 10"_s, u"总合计 | 0 | 0 | 0 | 10 | 10"_s}));
}

TEST_F(MonthReportsTest, FailuresOfTheStatementsAndOfThePoolChangeNothing) {
    AddCustomer(u"甲"_s, 100);
    AddCustomer(u"乙"_s, 200);
    const qint64 cash = AddAccount(u"现金"_s, 10);
    ASSERT_TRUE(Report());
    const QString before = Pool();

    // A customer list the database refuses, then sums it refuses.
    const Result<QList<CustomerMonthLine>> list =
        CustomerMonthFigures(db, {u" And (NoSuchColumn = 1)"_s, {}, 0, 0}, kWorking);
    EXPECT_EQ(list.kind, Outcome::Failed);
    EXPECT_EQ(list.message, u"刷新客户时出错"_s);
    Sql(u"ALTER TABLE MoneyTable RENAME TO MoneyElsewhere"_s);
    const Result<QList<CustomerMonthLine>> sums = CustomerMonthFigures(db, {}, kWorking);
    EXPECT_EQ(sums.kind, Outcome::Failed);
    EXPECT_EQ(sums.message, u"数据库打开失败"_s);
    const Result<QList<AccountMonthLine>> accounts = AccountMonthFigures(db, {}, kWorking);
    EXPECT_EQ(accounts.kind, Outcome::Failed);
    EXPECT_EQ(accounts.message, u"数据库打开失败"_s);
    Sql(u"ALTER TABLE MoneyElsewhere RENAME TO MoneyTable"_s);

    // The pool refusing part-way (the third customer's row, after two were written), and refusing to grow:
    // the rows written before are undone with the headings.
    AddCustomer(u"丙"_s, 300);
    AddVoucher(u"甲"_s, 40, kFirst, cash);
    const Result<QList<CustomerMonthLine>> lines = CustomerMonthFigures(db, {}, kWorking);
    ASSERT_TRUE(lines);
    MonthReportRows rows = CustomerMonthRows(lines.value, QDate(2024, 6, 3));
    for (const QString& trigger :
         {u"CREATE TRIGGER refuse BEFORE UPDATE ON PrintReport WHEN NEW.ReportGrid1 = '丙' "
          "BEGIN SELECT RAISE(ABORT, 'x'); END"_s,
          u"CREATE TRIGGER refuse BEFORE INSERT ON PrintReport BEGIN SELECT RAISE(ABORT, 'x'); END"_s}) {
        Sql(trigger);
        const Outcome failed = StoreMonthReport(db, rows);
        EXPECT_EQ(failed.kind, Outcome::Failed);
        EXPECT_EQ(failed.message, u"数据库打开失败"_s);
        EXPECT_EQ(Pool(), before);
        Sql(u"DROP TRIGGER refuse"_s);
    }

    // A heading row gone is left out; the rest of the report is written.
    Sql(u"DELETE FROM PrintList WHERE ListIndex = 2"_s);
    ASSERT_TRUE(StoreMonthReport(db, rows));
    EXPECT_EQ(Printed().size(), 4);
    EXPECT_EQ(Scalar(u"SELECT ListValue FROM PrintList WHERE ListIndex = 1"_s).toString(), u"2024年6月份"_s);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM PrintList WHERE ListIndex = 2"_s).toInt(), 0);
}

// The database runs on a disk that can be made full.
class MonthReportsFullDiskTest : public MonthReportsTest {
protected:
    tevtest::FaultVfs disk; // made before the fixture opens the database
};

TEST_F(MonthReportsFullDiskTest, AFullDiskLeavesThePoolAsItWasAndTheReportIsStoredOnceThereIsRoom) {
    AddCustomer(u"甲"_s, 100);
    ASSERT_TRUE(Report());
    const QString before = Pool();
    // Three hundred customers of long names: the pool grows by many pages.
    Batch([&] {
        for (int i = 0; i < 300; ++i)
            AddCustomer(u"客户%1"_s.arg(i) + QString(60, u'名'), i);
    });
    const Result<QList<CustomerMonthLine>> lines = CustomerMonthFigures(db, {}, kWorking);
    ASSERT_TRUE(lines);
    const MonthReportRows rows = CustomerMonthRows(lines.value, kWorking);

    // No room at all, and room for part of the change: neither leaves a row of it.
    int failures = 0;
    for (const qint64 room : {qint64(0), qint64(16 * 1024)}) {
        disk.SetRoom(room);
        const Outcome failed = StoreMonthReport(db, rows);
        disk.SetRoom(-1);
        EXPECT_EQ(failed.kind, Outcome::Failed) << room;
        EXPECT_EQ(failed.error, DbError::DiskFull) << room;
        EXPECT_EQ(failed.Text(), u"数据库打开失败\n磁盘已满"_s) << room;
        failures += failed.kind == Outcome::Failed;
        EXPECT_EQ(Pool(), before) << room;
    }
    EXPECT_EQ(Scalar(u"PRAGMA integrity_check"_s).toString(), u"ok"_s);

    ASSERT_TRUE(StoreMonthReport(db, rows));
    const int printed = int(Printed().size());
    EXPECT_EQ(printed, 302); // every customer and the grand total
    std::cout << "month pool on a full disk: stores refused " << failures << ", writes refused "
              << disk.RefusedWrites() << ", pool unchanged; after room: lines printed " << printed
              << std::endl;
}

TEST(MonthReportWords, HeadingAndWhatTheReportCovers) {
    EXPECT_EQ(MonthHeading(QDate(2006, 6, 30)), u"2006年6月份"_s);
    EXPECT_EQ(MonthHeading(QDate(2024, 12, 1)), u"2024年12月份"_s);
    CustomerSearchInput search;
    search.texts[0] = u"华"_s;
    EXPECT_EQ(CustomerMonthCoverage(QDate(2024, 2, 10), u"李明"_s, search),
              u"统计期间：2024-2-1至2024-2-29；业务员：李明；搜索：客户名称含“华”"_s);
    EXPECT_EQ(CustomerMonthCoverage(QDate(2023, 12, 31), {}, {}),
              u"统计期间：2023-12-1至2023-12-31；业务员：全部；搜索：无"_s);
    EXPECT_EQ(AccountMonthCoverage(QDate(2024, 5, 17), {}), u"统计期间：2024-5-1至2024-5-31；业务员：全部"_s);
}

} // namespace
