// Customers: the search's conditions, the customers page's set-based list and the plans of its
// sums, the rename carried into bills and vouchers in one transaction, the sums of a page and
// the folder names.

#include "tests/domain/BusinessRows.h"

#include "domain/Customers.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::BusinessRows;

namespace {

constexpr int kPageSize = 15;

TEST(CustomerSearchFilterText, ConditionsInFieldOrderWithQuotesDoubled) {
    struct Case {
        std::vector<std::pair<int, QString>> texts;
        bool period;
        QString filter;
    } cases[] = {
        {{}, false, u""_s},
        {{{3, u"138"_s}, {0, u"张"_s}},
         false,
         u" And (InStr(CustomerName,'张')) And (InStr(CustomerPhone,'138'))"_s},
        {{{8, u"O'Brien's"_s}}, false, u" And (InStr(CustomerRemark,'O''Brien''s'))"_s},
        {{{1, u"王"_s}, {2, u"139"_s}, {4, u"86"_s}, {5, u"@"_s}, {6, u"www"_s}, {7, u"杭州"_s}},
         false,
         u" And (InStr(CustomerContact,'王')) And (InStr(CustomerHandPhone,'139')) And "
         u"(InStr(CustomerFax,'86'))"
         " And (InStr(CustomerEMail,'@')) And (InStr(CustomerWebsite,'www')) And (InStr(CustomerAddress,'杭州'))"_s},
        {{{0, u"张"_s}},
         true,
         u" And (InStr(CustomerName,'张')) And (BillCreateTime Between #2024-3-1# And #2024-3-31#)"_s},
    };
    for (const Case& c : cases) {
        CustomerSearchInput input;
        for (const auto& [field, text] : c.texts)
            input.texts[field] = text;
        input.period = c.period;
        input.start = QDate(2024, 3, 1);
        input.end = QDate(2024, 3, 31);
        EXPECT_EQ(CustomerSearchFilter(input), c.filter);
    }
}

TEST(CustomerFolders, NamesStayInsideTheCustomersFolder) {
    const struct {
        QString name, folder;
    } cases[] = {
        {u"张三"_s, u"张三"_s},
        {u"../逃逸"_s, u"___逃逸"_s},
        {u"..\\..\\x"_s, u"___.._x"_s},
        {u"a/b:c*d?\"e<f>g|"_s, u"a_b_c_d__e_f_g_"_s},
        {u"公司. "_s, u"公司"_s},
        {u"con"_s, u"con_"_s},
        {u"LPT1.txt"_s, u"LPT1.txt_"_s},
        {u".."_s, u""_s},
        {u"."_s, u""_s},
        {u""_s, u""_s},
    };
    for (const auto& k : cases)
        EXPECT_EQ(CustomerFolderName(k.name), k.folder) << k.name.toStdString();
}

class CustomersTest : public BusinessRows {};

// The list without the join gives the very customers, count and order of the statement
// "Select Distinct Customer.* From (Customer Left Join Bill on …)" for every filter and search.
TEST_F(CustomersTest, SetBasedListMatchesTheJoinStatement) {
    const QStringList people = {u"张"_s, u"李"_s, u"王"_s, u"赵"_s, u"陈"_s, u"刘"_s, u"杨"_s};
    for (int i = 0; i < 40; ++i) {
        const QString name = people[i % people.size()] + u"Co%1"_s.arg(i);
        const qint64 key = AddCustomer(name, i, i % 3 == 0 ? u"李明"_s : u"总经理"_s);
        Sql(u"UPDATE Customer SET CustomerPhone = ? WHERE CustomerIndex = ?"_s,
            {i % 4 == 0 ? u"138%1"_s.arg(i) : u""_s, key});
        // Customers 0, 5, 10 … have no bills; the others one to three, spread over three months.
        for (int b = 0; b < (i % 5 == 0 ? 0 : i % 3 + 1); ++b)
            AddBill(i % 11 == 0 ? name.toUpper() : name, // the database matches names whatever their case
                    100.0 * b, QDate(2024, 1 + (i + b) % 3, 1 + i % 28));
    }
    auto search = [](QString nameText, QString phoneText, bool period, QDate start = {}, QDate end = {}) {
        CustomerSearchInput s;
        s.texts[0] = nameText;
        s.texts[3] = phoneText;
        s.period = period;
        s.start = start;
        s.end = end;
        return s;
    };
    const CustomerSearchInput searches[] = {
        search({}, {}, false),
        search(u"张"_s, {}, false),
        search({}, u"138"_s, false),
        search({}, {}, true, QDate(2024, 2, 1), QDate(2024, 2, 29)),
        search(u"Co1"_s, {}, true, QDate(2024, 1, 1), QDate(2024, 3, 31)),
        search({}, {}, true, QDate(2024, 3, 1), QDate(2024, 2, 1)),
    };
    int cases = 0;
    for (const QString& filter : {QString(), u" And (CustomerMan = '李明')"_s}) {
        for (const CustomerSearchInput& s : searches) {
            for (int field : {0, 1}) {
                for (int direction : {0, 1}) {
                    CustomerListOptions o{filter, s, field, direction};
                    ResultSet reference;
                    ASSERT_TRUE(db.Select(
                        u"Select Distinct Customer.* From (Customer Left Join Bill on "
                        "Customer.CustomerName = Bill.BillUser) Where (CustomerIndex > 1)"_s +
                            filter + CustomerSearchFilter(s) + CustomerOrderClause(field, direction),
                        reference))
                        << db.LastError().toStdString();
                    QList<qint64> expected;
                    for (reference.First(); !reference.Eof(); reference.Next())
                        expected << reference.AsInteger(u"CustomerIndex"_s);

                    const Result<int> count = CountCustomers(db, o);
                    ASSERT_TRUE(count) << db.LastError().toStdString();
                    EXPECT_EQ(count.value, expected.size());
                    QList<qint64> paged;
                    for (int offset = 0; offset < expected.size() + kPageSize; offset += kPageSize) {
                        Result<ResultSet> page = CustomerPageRows(db, o, offset, kPageSize);
                        ASSERT_TRUE(page);
                        for (page.value.First(); !page.value.Eof(); page.value.Next())
                            paged << page.value.AsInteger(u"CustomerIndex"_s);
                    }
                    EXPECT_EQ(paged, expected)
                        << CustomerSearchFilter(s).toStdString() << filter.toStdString();
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, 48);
}

TEST_F(CustomersTest, SumsAndPeriodTestUseTheCoveringIndexes) {
    CustomerSearchInput period;
    period.period = true;
    period.start = QDate(2024, 3, 1);
    period.end = QDate(2024, 3, 31);
    const QString statements[] = {
        CustomerBillSumStatement(u"张三"_s, QDate(2024, 3, 15)),
        CustomerPaidStatement(u"张三"_s, QDate(2024, 3, 15)),
        CustomerCountStatement(CustomerListOptions{{}, period, 0, 1}),
        CustomerPageStatement(CustomerListOptions{{}, period, 1, 0}, 30, 15),
    };
    for (const QString& sql : statements) {
        ResultSet plan;
        ASSERT_TRUE(db.Query(u"EXPLAIN QUERY PLAN "_s + TranslateStatement(sql), {}, &plan));
        QStringList details;
        for (plan.First(); !plan.Eof(); plan.Next())
            details << plan.AsString(u"detail"_s);
        const QString text = details.join(u" | "_s);
        // Bills and vouchers are only ever searched through their covering index, never scanned.
        EXPECT_TRUE(text.contains(u"COVERING INDEX BillByUser"_s) ||
                    text.contains(u"COVERING INDEX MoneyByUser"_s))
            << sql.toStdString() << "\n"
            << text.toStdString();
        EXPECT_FALSE(text.contains(u"SCAN Bill"_s) || text.contains(u"SCAN MoneyTable"_s))
            << sql.toStdString() << "\n"
            << text.toStdString();
    }
}

// The bills are renamed first, then the vouchers, then the customer's row: the vouchers
// refusing leaves the bills already renamed inside the transaction, and all of it is undone.
TEST_F(CustomersTest, RenameFailingPartWayLeavesEveryTableAsItWas) {
    const qint64 key = AddCustomer(u"Acme"_s, 10);
    AddCustomer(u"Beta"_s);
    AddBill(u"Acme"_s, 100, QDate(2024, 3, 1));
    AddBill(u"ACME"_s, 200, QDate(2024, 3, 2));
    AddBill(u"Beta"_s, 300, QDate(2024, 3, 3));
    AddVoucher(u"acme"_s, 50, QDate(2024, 3, 4));
    CustomerInput in;
    in.name = u"Zenith"_s;
    in.openingDebt = u"20"_s;

    Sql(u"CREATE TRIGGER refuse BEFORE UPDATE ON MoneyTable BEGIN SELECT RAISE(ABORT, 'x'); END"_s);
    const QString before = Everything();
    const CustomerOutcome failed = ChangeCustomer(db, key, in);
    EXPECT_EQ(failed.kind, Outcome::Failed);
    EXPECT_EQ(failed.message, u"数据保存失败"_s);
    EXPECT_EQ(Everything(), before);

    // Without the failure the same change lands whole.
    Sql(u"DROP TRIGGER refuse"_s);
    ASSERT_TRUE(ChangeCustomer(db, key, in));
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Bill WHERE BillUser = 'Zenith'"_s).toInt(), 2);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyUser = 'Zenith'"_s).toInt(), 1);
    EXPECT_EQ(Scalar(u"SELECT CustomerOwe FROM Customer WHERE CustomerName = 'Zenith'"_s).toDouble(), 20.0);
}

TEST_F(CustomersTest, PageSumsFollowTheNamesUpToTheDate) {
    AddCustomer(u"甲"_s, 100);
    AddBill(u"甲"_s, 500, QDate(2024, 3, 1));
    AddBill(u"甲"_s, -200, QDate(2024, 3, 5));
    AddBill(u"甲"_s, 7000, QDate(2024, 3, 16)); // after the date
    AddVoucher(u"甲"_s, 300, QDate(2024, 3, 10));
    AddCustomer(u"O'Brien"_s, 10);
    AddBill(u"O'Brien"_s, 0.1, QDate(2024, 3, 1));
    AddBill(u"O'Brien"_s, 0.2, QDate(2024, 3, 1));
    AddVoucher(u"O'Brien"_s, 0.3, QDate(2024, 3, 1));

    const Result<QList<CustomerSums>> sums =
        CustomerPageSums(db, {u"O'Brien"_s, u"无此人"_s, u"甲"_s}, QDate(2024, 3, 15));
    ASSERT_TRUE(sums);
    ASSERT_EQ(sums.value.size(), 3);
    EXPECT_DOUBLE_EQ(sums.value[0].bills, 0.3);
    EXPECT_DOUBLE_EQ(sums.value[0].paid, 0.3);
    EXPECT_EQ(sums.value[1].bills, 0.0);
    EXPECT_EQ(sums.value[1].paid, 0.0);
    EXPECT_EQ(sums.value[2].bills, 300.0);
    EXPECT_EQ(sums.value[2].paid, 300.0);
    EXPECT_EQ(sums.value[2].Owing(100), 100.0);

    // Each sum fails with its own words, and nothing of a later customer is read.
    for (const auto& [table, message] : {std::pair{u"MoneyTable"_s, u"统计客户付款时出错"_s},
                                         std::pair{u"Bill"_s, u"统计客户货款时出错"_s}}) {
        Sql(u"ALTER TABLE %1 RENAME TO Away"_s.arg(table));
        const Result<QList<CustomerSums>> failed =
            CustomerPageSums(db, {u"甲"_s, u"O'Brien"_s}, QDate(2024, 3, 15));
        EXPECT_EQ(failed.kind, Outcome::Failed);
        EXPECT_EQ(failed.message, message);
        EXPECT_TRUE(failed.value.isEmpty());
        Sql(u"ALTER TABLE Away RENAME TO %1"_s.arg(table));
    }
}

} // namespace
