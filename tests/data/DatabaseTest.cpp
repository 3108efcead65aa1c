// The database layer: the system's own statements run as written, the quoting helper,
// reads, parameterised writes, transactions, opening only databases of this program, and
// index plans for the per-tile sums.

#include "data/Database.h"
#include "data/Query.h"
#include "data/Schema.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using tev::Database;
using tev::ResultSet;

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.path() + u"/Tevrano.mdb"_s;
        QString error;
        ASSERT_TRUE(tev::CreateEmptyDatabase(path, &error)) << error.toStdString();
        ASSERT_TRUE(db.Open(path)) << db.LastError().toStdString();
    }

    qint64 AddBill(const QString& kind, const QString& user, double sum, const QString& date,
                   const QString& man = u"张伟"_s) {
        return db.Insert(u"Bill"_s, {{u"BillKind"_s, kind},
                                     {u"BillSerial"_s, u"XS%1"_s.arg(++serial)},
                                     {u"BillUser"_s, user},
                                     {u"BillSum"_s, sum},
                                     {u"BillCreateTime"_s, date},
                                     {u"BillRecordTime"_s, date},
                                     {u"BillMan"_s, man}});
    }
    qint64 AddVoucher(qint64 account, qint64 bill, const QString& user, double sum, const QString& date) {
        return db.Insert(u"MoneyTable"_s, {{u"MoneyAccount"_s, account},
                                           {u"MoneyBill"_s, bill},
                                           {u"MoneyUser"_s, user},
                                           {u"MoneyIn"_s, sum > 0 ? sum : 0.0},
                                           {u"MoneyOut"_s, sum < 0 ? -sum : 0.0},
                                           {u"MoneySum"_s, sum},
                                           {u"MoneyCreateTime"_s, date},
                                           {u"MoneySerial"_s, u"SR%1"_s.arg(++serial)}});
    }

    // A small business: two customers (one with a quote in the name), one account,
    // a sales bill paid partly, a purchase bill, a bill with no vouchers.
    void Fixture() {
        db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"张三"_s},
                                  {u"CustomerPhone"_s, u"13812345678"_s},
                                  {u"CustomerMan"_s, u"张伟"_s},
                                  {u"CustomerOwe"_s, 100.0}});
        db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"O'Brien"_s}, {u"CustomerMan"_s, u"李娜"_s}});
        account = db.Insert(
            u"Account"_s,
            {{u"AccountName"_s, u"现金"_s}, {u"AccountBase"_s, 1000.0}, {u"AccountMan"_s, u"财务主管"_s}});
        sale = AddBill(u"销售开单"_s, u"张三"_s, 1000, u"2024-03-05"_s);
        purchase = AddBill(u"采购开单"_s, u"O'Brien"_s, -800, u"2024-03-20"_s, u"李娜"_s);
        empty = AddBill(u"销售开单"_s, u"张三"_s, 50, u"2024-04-01"_s);
        AddVoucher(account, sale, u"张三"_s, 300, u"2024-03-06"_s);
        AddVoucher(account, sale, u"张三"_s, 200.004, u"2024-03-07"_s);
        AddVoucher(account, purchase, u"O'Brien"_s, -800, u"2024-03-21"_s);
        AddVoucher(account, 0, u"张三"_s, -50, u"2024-03-31"_s);
    }

    QTemporaryDir dir;
    QString path;
    Database db;
    qint64 account = 0, sale = 0, purchase = 0, empty = 0;
    int serial = 0;
};

TEST(Dialect, RewritesDateLiteralsAndBooleansOutsideText) {
    const struct {
        QString jet;
        QString engine;
    } cases[] = {
        {u"Where D <= #2024-3-5#"_s, u"Where D <= '2024-03-05'"_s},
        {u"Between #2024-2-1# And #2024-2-29#"_s, u"Between '2024-02-01' And '2024-02-29'"_s},
        {u"Set ReportEnable = False Where X = True"_s, u"Set ReportEnable = 0 Where X = 1"_s},
        {u"Where Name = 'True #1# it''s'"_s, u"Where Name = 'True #1# it''s'"_s},
        {u"Where TrueName = 'a'"_s, u"Where TrueName = 'a'"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tev::TranslateStatement(c.jet), c.engine) << c.jet.toStdString();
}

TEST(Dialect, QuotingHelperDoublesQuotes) {
    EXPECT_EQ(tev::SqlText(u"O'Brien"_s), u"O''Brien"_s);
    EXPECT_EQ(tev::SqlText(u"老王's '"_s), u"老王''s ''"_s);
    EXPECT_EQ(tev::SqlDate(QDate(2024, 3, 5)), u"#2024-3-5#"_s);
}

// The system's statements, as written, against the fixture; the first value of each
// column named in `check` is compared.
TEST_F(DatabaseTest, SystemStatementsRunAsWritten) {
    Fixture();
    const QString billReport =
        u"Select BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,IIF(Round(Sum(MoneySum),2) Is "
        "Null,0,Round(Sum(MoneySum),2)) As BillGet,BillSum-IIF(Round(Sum(MoneySum),2) Is "
        "Null,0,Round(Sum(MoneySum),2)) As BillOwe,BillMan,BillReason,BillState,BillRemark From (Bill Left "
        "Join "
        "MoneyTable On Bill.BillIndex = MoneyTable.MoneyBill) Where (BillIndex = %1) Group By "
        "BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,BillMan,BillReason,BillState,BillRemark"_s;
    const struct {
        QString sql;
        int rows;
        QString column;
        QVariant first;
    } cases[] = {
        {billReport.arg(sale), 1, u"BillGet"_s, 500.0},
        {billReport.arg(sale), 1, u"BillOwe"_s, 500.0},
        {billReport.arg(empty), 1, u"BillGet"_s, 0},
        {billReport.arg(purchase), 1, u"BillOwe"_s, 0.0},
        {u"Select * From Bill Where (BillIndex > 1) And (InStr(BillUser,'张'))"_s, 2, u"BillUser"_s,
         u"张三"_s},
        {u"Select * From Bill Where (BillIndex > 1) And (InStr(BillUser,'O''Brien'))"_s, 1, u"BillSum"_s,
         -800.0},
        {u"Select * From Account,MoneyTable Where (AccountIndex = MoneyAccount) And (MoneyBill = %1)"_s.arg(
             sale),
         2, u"AccountName"_s, u"现金"_s},
        {u"Select Distinct Customer.* From (Customer Left Join Bill on Customer.CustomerName = "
         u"Bill.BillUser) "
         "Where (CustomerIndex > 1) Order By CustomerIndex Desc"_s,
         2, u"CustomerName"_s, u"O'Brien"_s},
        {u"Select Sum(BillSum) As TotalMoney From Bill Where (BillKind = '销售开单' Or BillKind = "
         u"'采购开单') And "
         "(BillUser = '张三') And (BillCreateTime <= #2024-3-31#)"_s,
         1, u"TotalMoney"_s, 1000.0},
        {u"Select Sum(MoneySum) As TotalMoney From MoneyTable Where (MoneyUser = '张三') And "
         u"(MoneyCreateTime <= "
         "#2024-3-6#)"_s,
         1, u"TotalMoney"_s, 300.0},
        {u"Select ROUND(Sum(MoneySum),2) As TotalMoney From MoneyTable Where (MoneyAccount = %1) And "
         "(MoneyCreateTime Between #2024-3-1# And #2024-3-31#)"_s.arg(account),
         1, u"TotalMoney"_s, -350.0},
        {u"Select Sum(BillSum) As TotalMoney From Bill Where (BillUser = '无此人')"_s,
         1,
         u"TotalMoney"_s,
         {}},
        {u"Select * From Bill Where (BillIndex > 1) And (BillCreateTime Between #2024-3-1# And #2024-3-31#) "
         u"Order By "
         "BillUser Asc, BillIndex Desc"_s,
         2, u"BillUser"_s, u"O'Brien"_s},
        {u"Select * From PrintReport Where ReportEnable = True"_s, 0, u"ReportGrid1"_s, {}},
        {u"Select * From Power Where (PowerName <> '') And (PowerName <> '修改')"_s, 4, u"PowerName"_s,
         u"管理员"_s},
    };
    for (const auto& c : cases) {
        ResultSet rs;
        ASSERT_TRUE(db.Select(c.sql, rs)) << c.sql.toStdString() << "\n" << db.LastError().toStdString();
        EXPECT_EQ(rs.RecordCount(), c.rows) << c.sql.toStdString();
        if (c.rows == 0) continue;
        rs.First();
        if (c.first.isNull())
            EXPECT_TRUE(rs.Value(c.column).isNull()) << c.sql.toStdString();
        else if (c.first.typeId() == QMetaType::QString)
            EXPECT_EQ(rs.AsString(c.column), c.first.toString()) << c.sql.toStdString();
        else
            EXPECT_DOUBLE_EQ(rs.AsFloat(c.column), c.first.toDouble()) << c.sql.toStdString();
    }
}

TEST_F(DatabaseTest, InStrFindsTextWithoutRegardToCase) {
    db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"ACME 张记"_s}});
    const struct {
        QString needle;
        int rows;
    } cases[] = {{u"acme"_s, 1}, {u"Acme 张"_s, 1}, {u"张记"_s, 1}, {u"李"_s, 0}};
    for (const auto& c : cases) {
        ResultSet rs;
        ASSERT_TRUE(db.Select(
            u"Select * From Customer Where (CustomerIndex > 1) And (InStr(CustomerName,'%1'))"_s.arg(
                tev::SqlText(c.needle)),
            rs));
        EXPECT_EQ(rs.RecordCount(), c.rows) << c.needle.toStdString();
    }
}

TEST_F(DatabaseTest, RoundTakesHalvesToTheEvenNeighbour) {
    const struct {
        QString expr;
        double value;
    } cases[] = {{u"Round(2.5)"_s, 2},          {u"Round(3.5)"_s, 4},
                 {u"Round(0.125,2)"_s, 0.12},   {u"Round(0.375,2)"_s, 0.38},
                 {u"Round(-0.125,2)"_s, -0.12}, {u"Round(1234.5678,2)"_s, 1234.57}};
    for (const auto& c : cases) {
        ResultSet rs;
        ASSERT_TRUE(db.Select(u"Select "_s + c.expr + u" As R"_s, rs)) << db.LastError().toStdString();
        EXPECT_DOUBLE_EQ(rs.AsFloat(u"R"_s), c.value) << c.expr.toStdString();
    }
    ResultSet rs;
    ASSERT_TRUE(db.Select(u"Select Round(Null,2) As R"_s, rs));
    EXPECT_TRUE(rs.Value(u"R"_s).isNull());
}

TEST_F(DatabaseTest, AbsoluteAmountWithAllColumns) {
    Fixture();
    ResultSet rs;
    ASSERT_TRUE(db.Select(
        u"Select ABS(MoneySum) As MSum,* From MoneyTable Where MoneySum < 0 Order By MoneyIndex"_s, rs));
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_DOUBLE_EQ(rs.AsFloat(u"MSum"_s), 800.0);
    EXPECT_DOUBLE_EQ(rs.AsFloat(u"MoneySum"_s), -800.0);
    EXPECT_EQ(rs.AsString(u"MoneyUser"_s), u"O'Brien"_s);
}

TEST_F(DatabaseTest, BulkUpdateOfScratchRows) {
    for (int i = 0; i < 3; ++i)
        db.Insert(u"PrintReport"_s, {{u"ReportEnable"_s, 1}});
    EXPECT_EQ(db.Execute(u"Update PrintReport Set ReportEnable = False"_s), 3);
    ResultSet rs;
    ASSERT_TRUE(db.Select(u"Select * From PrintReport Where ReportEnable = True"_s, rs));
    EXPECT_EQ(rs.RecordCount(), 0);
}

TEST_F(DatabaseTest, QuotedNameCanNeverChangeOtherRows) {
    Fixture();
    // A name written to break out of its quotes is only ever a name.
    const QString hostile = u"x' Or '1'='1"_s;
    EXPECT_EQ(
        db.Execute(u"Update Bill Set BillRemark = 'hit' Where BillUser = '%1'"_s.arg(tev::SqlText(hostile))),
        0);
    ResultSet rs;
    ASSERT_TRUE(db.Select(u"Select * From Bill Where BillRemark = 'hit'"_s, rs));
    EXPECT_EQ(rs.RecordCount(), 0);
    ASSERT_TRUE(
        db.Select(u"Select * From Customer Where CustomerName = '%1'"_s.arg(tev::SqlText(u"O'Brien"_s)), rs));
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(DatabaseTest, FieldsReadByNameWithMissingValuesEmpty) {
    Fixture();
    ResultSet rs;
    ASSERT_TRUE(db.Select(u"Select * From Customer Where CustomerIndex > 1 Order By CustomerIndex"_s, rs));
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.AsString(u"customername"_s), u"张三"_s); // names are case-insensitive
    EXPECT_DOUBLE_EQ(rs.AsFloat(u"CustomerOwe"_s), 100.0);
    EXPECT_EQ(rs.AsString(u"NoSuchColumn"_s), QString());
    EXPECT_EQ(rs.AsInteger(u"NoSuchColumn"_s), 0);
    EXPECT_FALSE(rs.AsBoolean(u"NoSuchColumn"_s));
    rs.Next();
    EXPECT_EQ(rs.AsString(u"CustomerName"_s), u"O'Brien"_s);
    rs.Next();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.AsString(u"CustomerName"_s), QString());
    ASSERT_TRUE(db.Select(u"Select * From Bill Where BillIndex = %1"_s.arg(sale), rs));
    EXPECT_EQ(rs.AsDate(u"BillCreateTime"_s), QDate(2024, 3, 5));
}

TEST_F(DatabaseTest, TransactionLandsWholeOrNotAtAll) {
    Fixture();
    // A rename carried into bills and vouchers that fails part-way changes nothing.
    const bool ok = db.Transaction([&] {
        if (db.Update(u"Bill"_s, {{u"BillUser"_s, u"张三丰"_s}}, u"BillUser = ?"_s, {u"张三"_s}) < 0)
            return false;
        if (db.Update(u"MoneyTable"_s, {{u"MoneyUser"_s, u"张三丰"_s}}, u"MoneyUser = ?"_s, {u"张三"_s}) < 0)
            return false;
        // The new name exists already: the unique index refuses it.
        return db.Update(u"Customer"_s, {{u"CustomerName"_s, u"o'brien"_s}}, u"CustomerName = ?"_s,
                         {u"张三"_s}) >= 0;
    });
    EXPECT_FALSE(ok);
    ResultSet rs;
    ASSERT_TRUE(db.Select(u"Select * From Bill Where BillUser = '张三丰'"_s, rs));
    EXPECT_EQ(rs.RecordCount(), 0);
    ASSERT_TRUE(db.Select(u"Select * From MoneyTable Where MoneyUser = '张三'"_s, rs));
    EXPECT_EQ(rs.RecordCount(), 3);

    EXPECT_TRUE(db.Transaction([&] {
        return db.Update(u"Bill"_s, {{u"BillUser"_s, u"张三丰"_s}}, u"BillUser = ?"_s, {u"张三"_s}) == 2;
    }));
    ASSERT_TRUE(db.Select(u"Select * From Bill Where BillUser = '张三丰'"_s, rs));
    EXPECT_EQ(rs.RecordCount(), 2);
}

TEST_F(DatabaseTest, EmptyTextBoxesAreStoredAsEmptyText) {
    const qint64 key =
        db.Insert(u"Customer"_s, {{u"CustomerName"_s, u"甲"_s}, {u"CustomerContact"_s, QString()}});
    ASSERT_GT(key, 1) << db.LastError().toStdString();
    EXPECT_EQ(db.Update(u"Customer"_s, {{u"CustomerRemark"_s, QString()}}, u"CustomerIndex = ?"_s, {key}), 1)
        << db.LastError().toStdString();
    ResultSet rs;
    ASSERT_TRUE(db.Select(
        u"Select * From Customer Where CustomerIndex > 1 And CustomerContact = '' And CustomerRemark = ''"_s,
        rs));
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(DatabaseTest, FailingStatementReportsTheEngineText) {
    ResultSet rs;
    EXPECT_FALSE(db.Select(u"Select * From NoSuchTable"_s, rs));
    EXPECT_TRUE(db.LastError().contains(u"NoSuchTable"_s)) << db.LastError().toStdString();
    EXPECT_EQ(db.Execute(u"Update NoSuchTable Set A = 1"_s), -1);
    tev::Query q(u"ADOQueryTemp"_s, &db);
    EXPECT_FALSE(q.Open(u"Select * From NoSuchTable"_s));
    EXPECT_FALSE(q.Active());
}

TEST_F(DatabaseTest, EmptyDatabaseHoldsOnlyTheShippedRows) {
    const struct {
        QString sql;
        int rows;
    } cases[] = {
        {u"Select * From Customer Where (CustomerIndex > 1)"_s, 0},
        {u"Select * From Bill Where (BillIndex > 1)"_s, 0},
        {u"Select * From MoneyTable Where (MoneyIndex > 1)"_s, 0},
        {u"Select * From Account Where (AccountIndex > 1)"_s, 0},
        {u"Select * From Customer Where CustomerIndex = 1"_s, 1},
        {u"Select * From Power Where PowerName = '修改'"_s, 1},
        {u"Select * From Power Where PowerRole = '业务员' And PowerName = ''"_s, tev::ShippedSalesmanSlots},
        {u"Select * From Setting"_s, 4},
        {u"Select * From PrintList"_s, 2},
        {u"Select * From PrintBigFont"_s, 1},
    };
    for (const auto& c : cases) {
        ResultSet rs;
        ASSERT_TRUE(db.Select(c.sql, rs)) << c.sql.toStdString();
        EXPECT_EQ(rs.RecordCount(), c.rows) << c.sql.toStdString();
    }
    EXPECT_GE(tev::ShippedSalesmanSlots, 20);
}

TEST_F(DatabaseTest, DurableSettingsAndStamp) {
    ResultSet rs;
    ASSERT_TRUE(db.Query(u"PRAGMA synchronous"_s, {}, &rs));
    EXPECT_EQ(rs.At(0, 0).toInt(), 2); // FULL
    ASSERT_TRUE(db.Query(u"PRAGMA journal_mode"_s, {}, &rs));
    EXPECT_EQ(rs.At(0, 0).toString(), u"delete"_s);
    ASSERT_TRUE(db.Query(u"PRAGMA busy_timeout"_s, {}, &rs));
    EXPECT_GE(rs.At(0, 0).toInt(), 1000);
    ASSERT_TRUE(db.Query(u"PRAGMA application_id"_s, {}, &rs));
    EXPECT_EQ(rs.At(0, 0).toInt(), Database::ApplicationId);
}

TEST_F(DatabaseTest, OpensOnlyDatabasesOfThisProgram) {
    db.Close();
    Database other;
    // Missing file: never created by opening.
    EXPECT_FALSE(other.Open(dir.path() + u"/none.mdb"_s));
    EXPECT_FALSE(QFile::exists(dir.path() + u"/none.mdb"_s));
    // Not a database at all.
    const QString junk = dir.path() + u"/junk.mdb"_s;
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    EXPECT_FALSE(other.Open(junk));
    EXPECT_FALSE(other.LastError().isEmpty());
    // A database of some other program.
    const QString foreign = dir.path() + u"/foreign.mdb"_s;
    {
        Database f;
        ASSERT_TRUE(f.Open(path));
        f.Close();
        QFile::copy(path, foreign);
        Database g;
        ASSERT_TRUE(g.Open(foreign));
        ASSERT_TRUE(g.Query(u"PRAGMA application_id = 0"_s, {}));
    }
    EXPECT_FALSE(other.Open(foreign));
    EXPECT_TRUE(other.LastError().contains(u"不是本程序的数据库"_s)) << other.LastError().toStdString();
    // One of ours with a table gone.
    const QString broken = dir.path() + u"/broken.mdb"_s;
    QFile::copy(path, broken);
    {
        Database g;
        ASSERT_TRUE(g.Open(broken));
        ASSERT_TRUE(g.Query(u"DROP TABLE Setting"_s, {}));
    }
    EXPECT_FALSE(other.Open(broken));
    EXPECT_TRUE(other.LastError().contains(u"Setting"_s)) << other.LastError().toStdString();
    EXPECT_TRUE(other.Open(path));
}

// Every per-tile sum is answered from a covering index, never by scanning a table.
TEST_F(DatabaseTest, TileSumsUseCoveringIndexes) {
    Fixture();
    const QString sums[] = {
        u"Select Sum(BillSum) As TotalMoney From Bill Where (BillKind = '销售开单' Or BillKind = '采购开单') "
        u"And "
        "(BillUser = '张三') And (BillCreateTime <= #2024-3-31#)"_s,
        u"Select Sum(MoneySum) As TotalMoney From MoneyTable Where (MoneyUser = '张三') And (MoneyCreateTime "
        u"<= "
        "#2024-3-31#)"_s,
        u"Select ROUND(SUM(MoneySum),2) As BillPay From MoneyTable Where MoneyBill = 2"_s,
        u"Select ROUND(Sum(MoneySum),2) As TotalMoney From MoneyTable Where (MoneyAccount = 2) And "
        u"(MoneyCreateTime "
        "<= #2024-3-31#)"_s,
        u"Select ROUND(Sum(MoneySum),2) As TotalMoney From MoneyTable Where (MoneyAccount = 2) And "
        u"(MoneyCreateTime "
        "Between #2024-3-1# And #2024-3-31#)"_s,
    };
    for (const QString& sql : sums) {
        ResultSet plan;
        ASSERT_TRUE(db.Query(u"EXPLAIN QUERY PLAN "_s + tev::TranslateStatement(sql), {}, &plan));
        QStringList details;
        for (plan.First(); !plan.Eof(); plan.Next())
            details << plan.AsString(u"detail"_s);
        const QString text = details.join(u" | "_s);
        EXPECT_TRUE(text.contains(u"COVERING INDEX"_s)) << sql.toStdString() << "\n" << text.toStdString();
        EXPECT_FALSE(text.contains(u"SCAN"_s)) << sql.toStdString() << "\n" << text.toStdString();
    }
}

} // namespace
