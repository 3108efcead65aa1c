// User management: the range of rights, the salesman rows and their store with its duplicate
// check, and the hand-over of a renamed salesman's records in one transaction.

#include "tests/domain/BusinessRows.h"

#include "domain/Users.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::BusinessRows;

namespace {

TEST(SalesmanRanges, FlagsInFixedOrderAndReadBack) {
    const struct {
        bool business, finance;
        QString range;
    } cases[] = {
        {false, false, u""_s},
        {true, false, u"业务管理；"_s},
        {false, true, u"财务管理；"_s},
        {true, true, u"业务管理；财务管理；"_s},
    };
    for (const auto& c : cases) {
        const QString range = SalesmanRange(c.business, c.finance);
        EXPECT_EQ(range, c.range);
        EXPECT_FALSE(range.isNull()); // the column is NOT NULL
        EXPECT_EQ(RangeHasBusiness(range), c.business);
        EXPECT_EQ(RangeHasFinance(range), c.finance);
    }
    // A range written by hand in another order still reads by substring.
    EXPECT_TRUE(RangeHasBusiness(u"财务管理；业务管理；"_s));
}

TEST(HandOverRule, OfferedOnlyWhenANamedRowChangedItsName) {
    const struct {
        QString oldName, newName;
        bool offered;
    } cases[] = {
        {u""_s, u"李四"_s, false},  {u"张三"_s, u"张三"_s, false}, {u"张三"_s, u"李四"_s, true},
        {u"Tom"_s, u"tom"_s, true}, {u"张三"_s, u""_s, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HandOverOffered(c.oldName, c.newName), c.offered)
            << c.oldName.toStdString() << " -> " << c.newName.toStdString();
}

class UsersTest : public BusinessRows {
protected:
    // Fills the first free salesman slot and answers its PowerIndex.
    qint64 AddSalesman(const QString& name, const QString& key = u"1234"_s) {
        const qint64 index =
            Scalar(u"SELECT MIN(PowerIndex) FROM Power WHERE PowerRole = '业务员' AND PowerName = ''"_s)
                .toLongLong();
        Sql(u"UPDATE Power SET PowerName = ?, PowerKey = ?, PowerRange = '业务管理；' WHERE PowerIndex = ?"_s,
            {name, key, index});
        return index;
    }
    SalesmanInput Input(qint64 index, const QString& name) {
        SalesmanInput in;
        in.index = index;
        in.name = name;
        in.key = u"pw"_s;
        in.picture = u"Faces/5.bmp"_s;
        in.business = true;
        return in;
    }
    int Count(const QString& table, const QString& column, const QString& name) {
        return Scalar(u"SELECT COUNT(*) FROM %1 WHERE %2 = ?"_s.arg(table, column), {name}).toInt();
    }
    QString Man(const QString& table, const QString& column, const QString& key, qint64 index) {
        return Scalar(u"SELECT %2 FROM %1 WHERE %3 = ?"_s.arg(table, column, key), {index}).toString();
    }
    // Customers, bills and vouchers of three men, and an account of the first.
    void AddRecordsOf(const QString& man, const QString& other) {
        AddCustomer(u"甲"_s, 0, man);
        AddCustomer(u"乙"_s, 0, man);
        AddCustomer(u"丙"_s, 0, other);
        for (const QString& m : {man, man, other, u"总经理"_s}) {
            AddBill(u"甲"_s, 100, QDate(2024, 3, 1));
            Sql(u"UPDATE Bill SET BillMan = ? WHERE BillIndex = ?"_s, {m, LastKey()});
            AddVoucher(u"甲"_s, 50, QDate(2024, 3, 2));
            Sql(u"UPDATE MoneyTable SET MoneyMan = ? WHERE MoneyIndex = ?"_s, {m, LastKey()});
        }
        AddAccount(u"张三的现金"_s, 0, man);
    }
};

TEST_F(UsersTest, ListHoldsEverySalesmanRowInIndexOrder) {
    AddSalesman(u"张三"_s);
    const Result<ResultSet> rows = SalesmanRows(db);
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows.value.RecordCount(), ShippedSalesmanSlots); // free slots included
    qint64 last = 0;
    for (int r = 0; r < rows.value.RecordCount(); ++r) {
        const qint64 index = rows.value.At(r, rows.value.ColumnIndex(u"PowerIndex"_s)).toLongLong();
        EXPECT_GT(index, last);
        last = index;
        EXPECT_EQ(rows.value.At(r, rows.value.ColumnIndex(u"PowerRole"_s)).toString(), u"业务员"_s);
    }
    EXPECT_EQ(rows.value.At(0, rows.value.ColumnIndex(u"PowerName"_s)).toString(), u"张三"_s);
}

TEST_F(UsersTest, StoreWritesTheRowAndAnswersTheOldName) {
    const qint64 index = AddSalesman(u"张三"_s);
    SalesmanInput in = Input(index, u"O'Brien"_s);
    in.business = false; // neither flag: the range is stored empty
    const Result<SalesmanStored> stored = StoreSalesman(db, in, false);
    ASSERT_TRUE(stored) << stored.Text().toStdString();
    EXPECT_EQ(stored.value.oldName, u"张三"_s);
    EXPECT_FALSE(stored.value.handedOver);
    tev::ResultSet rs;
    ASSERT_TRUE(db.Query(u"SELECT * FROM Power WHERE PowerIndex = ?"_s, {index}, &rs));
    EXPECT_EQ(rs.AsString(u"PowerName"_s), u"O'Brien"_s);
    EXPECT_EQ(rs.AsString(u"PowerKey"_s), u"pw"_s);
    EXPECT_EQ(rs.AsString(u"PowerPicture"_s), u"Faces/5.bmp"_s);
    EXPECT_EQ(rs.AsString(u"PowerRange"_s), u""_s);
    EXPECT_EQ(rs.AsString(u"PowerRole"_s), u"业务员"_s);

    // Keeping the name, or changing only its letter case, is no duplicate of itself.
    EXPECT_EQ(CheckSalesman(db, Input(index, u"O'Brien"_s)).value, u"O'Brien"_s);
    EXPECT_EQ(StoreSalesman(db, Input(index, u"o'brien"_s), false).value.oldName, u"O'Brien"_s);
}

TEST_F(UsersTest, NameCarriedByAnyOtherRowIsRefusedAndNothingIsWritten) {
    const qint64 index = AddSalesman(u"张三"_s);
    AddSalesman(u"Mary"_s);
    const QString before = Everything();
    // The management rows, the modification-password row, another salesman (letter case
    // ignored) and, with free slots left, the empty name.
    for (const QString& name :
         {u"管理员"_s, u"财务主管"_s, u"财务总监"_s, u"总经理"_s, u"修改"_s, u"Mary"_s, u"MARY"_s, u""_s}) {
        const Result<QString> checked = CheckSalesman(db, Input(index, name));
        EXPECT_EQ(checked.kind, Outcome::Refused) << name.toStdString();
        EXPECT_EQ(checked.message, u"名字有重复，请重新操作"_s);
        const Result<SalesmanStored> stored = StoreSalesman(db, Input(index, name), true);
        EXPECT_EQ(stored.kind, Outcome::Refused) << name.toStdString();
        EXPECT_EQ(stored.message, u"名字有重复，请重新操作"_s);
    }
    EXPECT_EQ(Everything(), before);
}

TEST_F(UsersTest, EmptyNameIsStoredWhenNoOtherRowHasIt) {
    const qint64 index = AddSalesman(u"张三"_s);
    for (int i = 1; i < ShippedSalesmanSlots; ++i)
        AddSalesman(u"业务员%1"_s.arg(i));
    const Result<SalesmanStored> stored = StoreSalesman(db, Input(index, QString()), false);
    ASSERT_TRUE(stored) << stored.Text().toStdString();
    EXPECT_EQ(stored.value.oldName, u"张三"_s);
    EXPECT_EQ(Man(u"Power"_s, u"PowerName"_s, u"PowerIndex"_s, index), u""_s);
}

TEST_F(UsersTest, OnlySalesmanRowsAreChanged) {
    const qint64 admin = Scalar(u"SELECT PowerIndex FROM Power WHERE PowerName = '管理员'"_s).toLongLong();
    const QString before = Everything();
    const Result<SalesmanStored> stored = StoreSalesman(db, Input(admin, u"新人"_s), true);
    EXPECT_EQ(stored.kind, Outcome::Missing);
    EXPECT_EQ(stored.message, u"找不到要修改的记录"_s);
    EXPECT_EQ(CheckSalesman(db, Input(99999, u"新人"_s)).kind, Outcome::Missing);
    EXPECT_EQ(Everything(), before);
}

// The rename and the hand-over are one store; without the hand-over, or without a rename,
// every record stays where it was.
TEST_F(UsersTest, RenameHandsOverCustomersBillsAndVouchersButNotAccounts) {
    const qint64 index = AddSalesman(u"张三"_s);
    AddRecordsOf(u"张三"_s, u"王五"_s);
    ASSERT_FALSE(StoreSalesman(db, Input(index, u"张三"_s), true).value.handedOver); // no rename
    ASSERT_TRUE(StoreSalesman(db, Input(index, u"李四"_s), false));                  // No
    EXPECT_EQ(Count(u"Bill"_s, u"BillMan"_s, u"张三"_s), 2);
    ASSERT_TRUE(StoreSalesman(db, Input(index, u"张三"_s), false)); // back, as before
    EXPECT_EQ(Count(u"Customer"_s, u"CustomerMan"_s, u"张三"_s), 2);

    const Result<SalesmanStored> stored = StoreSalesman(db, Input(index, u"李四"_s), true);
    ASSERT_TRUE(stored) << stored.Text().toStdString();
    EXPECT_TRUE(stored.value.handedOver);
    EXPECT_EQ(stored.value.counts.customers, 2);
    EXPECT_EQ(stored.value.counts.bills, 2);
    EXPECT_EQ(stored.value.counts.vouchers, 2);
    EXPECT_EQ(Man(u"Power"_s, u"PowerName"_s, u"PowerIndex"_s, index), u"李四"_s);
    for (const auto& [table, column] : {std::pair{u"Customer"_s, u"CustomerMan"_s},
                                        {u"Bill"_s, u"BillMan"_s},
                                        {u"MoneyTable"_s, u"MoneyMan"_s}}) {
        EXPECT_EQ(Count(table, column, u"张三"_s), 0) << table.toStdString();
        EXPECT_EQ(Count(table, column, u"李四"_s), 2) << table.toStdString();
        EXPECT_EQ(Count(table, column, u"王五"_s), 1) << table.toStdString();
    }
    EXPECT_EQ(Count(u"Bill"_s, u"BillMan"_s, u"总经理"_s), 1);
    EXPECT_EQ(Count(u"Account"_s, u"AccountMan"_s, u"张三"_s), 1);
}

TEST_F(UsersTest, HandOverMatchesNamesAsTheDatabaseComparesThemAndQuotesSafely) {
    AddRecordsOf(u"O'Neil"_s, u"Other"_s);
    Sql(u"UPDATE Bill SET BillMan = 'O''NEIL' WHERE BillMan = 'O''Neil' AND BillIndex = "
        "(SELECT MIN(BillIndex) FROM Bill WHERE BillMan = 'O''Neil')"_s);
    const Result<HandOverCounts> handed = HandOver(db, u"O'Neil"_s, u"Pat's"_s);
    ASSERT_TRUE(handed) << handed.Text().toStdString();
    EXPECT_EQ(handed.value.bills, 2); // "O'NEIL" is the same salesman for the database
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Bill WHERE BillMan = 'Pat''s'"_s).toInt(), 2);
    // A free slot owns nothing: an empty old name hands nothing over.
    Sql(u"UPDATE Customer SET CustomerMan = '' WHERE CustomerName = '丙'"_s);
    const QString before = Everything();
    const Result<HandOverCounts> none = HandOver(db, u""_s, u"Pat's"_s);
    ASSERT_TRUE(none);
    EXPECT_EQ(none.value.customers, 0);
    EXPECT_EQ(Everything(), before);
}

// The row is renamed first, then the customers and bills are handed over, then the vouchers:
// the vouchers refusing leaves the others already changed inside the transaction, and all of
// it is undone, the row's new name too.
TEST_F(UsersTest, HandOverFailingPartWayLeavesEveryTableAsItWas) {
    const qint64 index = AddSalesman(u"张三"_s);
    AddRecordsOf(u"张三"_s, u"王五"_s);
    Sql(u"CREATE TRIGGER refuse BEFORE UPDATE ON MoneyTable BEGIN SELECT RAISE(ABORT, 'x'); END"_s);
    const QString before = Everything();
    const Result<SalesmanStored> stored = StoreSalesman(db, Input(index, u"李四"_s), true);
    EXPECT_EQ(stored.kind, Outcome::Failed);
    EXPECT_EQ(stored.message, u"数据库打开失败"_s);
    EXPECT_EQ(Everything(), before);
    // The hand-over on its own is one transaction as well.
    const Result<HandOverCounts> handed = HandOver(db, u"张三"_s, u"李四"_s);
    EXPECT_EQ(handed.kind, Outcome::Failed);
    EXPECT_EQ(Everything(), before);
}

TEST_F(UsersTest, HandOverFindsItsRowsThroughTheNameIndexes) {
    for (const auto& [table, column, index] :
         {std::tuple{u"Customer"_s, u"CustomerMan"_s, u"CustomerByMan"_s},
          {u"Bill"_s, u"BillMan"_s, u"BillByMan"_s},
          {u"MoneyTable"_s, u"MoneyMan"_s, u"MoneyByMan"_s}}) {
        tev::ResultSet plan;
        ASSERT_TRUE(db.Query(u"EXPLAIN QUERY PLAN UPDATE %1 SET %2 = ? WHERE %2 = ?"_s.arg(table, column),
                             {u"李四"_s, u"张三"_s}, &plan));
        QStringList details;
        for (plan.First(); !plan.Eof(); plan.Next())
            details << plan.AsString(u"detail"_s);
        EXPECT_TRUE(details.join(u" | "_s).contains(u"USING INDEX "_s + index))
            << details.join(u" | "_s).toStdString();
    }
}

} // namespace
