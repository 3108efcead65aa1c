// Bills: a new bill with its number, the bill stored ahead of its first voucher, the abandoned
// bill undone with its vouchers, and what a bill's printout reads.

#include "tests/domain/DocumentsFixture.h"

#include "domain/Bills.h"
#include "domain/Reports.h"

#include <map>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class BillsTest : public tevtest::DocumentsFixture {
protected:
    static BillInput Input(BillKind kind, double amount, const QString& serial) {
        BillInput in;
        in.kind = kind;
        in.created = QDate(2024, 3, 10);
        in.recorded = QDate(2024, 3, 15);
        in.serial = serial;
        in.customer = u"杭州远洋"_s;
        in.amount = amount;
        in.reason = u"中介服务"_s;
        in.state = u"已签约"_s;
        in.remark = u"备注"_s;
        in.man = u"张伟"_s;
        return in;
    }
    QVariant BillField(qint64 bill, const QString& column) {
        return Scalar(u"SELECT %1 FROM Bill WHERE BillIndex = ?"_s.arg(column), {bill});
    }
};

TEST_F(BillsTest, NewBillLandsWithItsNumberAndItsSign) {
    const struct {
        BillKind kind;
        double amount, stored;
        int row;
    } cases[] = {
        {BillKind::Purchase, 250, -250, 2},
        {BillKind::Sales, 99.5, 99.5, 1},
        {BillKind::Purchase, 0, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        const QString otherKind = Setting(3 - c.row);
        const Result<qint64> key =
            StoreNewBill(db, Input(c.kind, c.amount, u"N%1"_s.arg(c.amount)), std::nullopt);
        ASSERT_TRUE(key) << key.Text().toStdString();
        EXPECT_EQ(key.value, Scalar(u"SELECT MAX(BillIndex) FROM Bill"_s).toLongLong());
        EXPECT_EQ(BillField(key.value, u"BillKind"_s).toString(), Text(c.kind));
        EXPECT_DOUBLE_EQ(BillField(key.value, u"BillSum"_s).toDouble(), c.stored);
        EXPECT_EQ(BillField(key.value, u"BillCreateTime"_s).toString(), u"2024-03-10"_s);
        EXPECT_EQ(BillField(key.value, u"BillRecordTime"_s).toString(), u"2024-03-15"_s);
        EXPECT_EQ(Setting(c.row), u"N%1"_s.arg(c.amount));
        EXPECT_EQ(Setting(3 - c.row), otherKind);
    }
    EXPECT_EQ(Setting(3), u"SR100000"_s);
    EXPECT_EQ(Setting(4), u"ZC100000"_s);
}

TEST_F(BillsTest, BillStoredAheadIsWrittenAgainInPlace) {
    const Result<qint64> ahead = StoreNewBill(db, Input(BillKind::Sales, 70, u"XS1"_s), std::nullopt);
    ASSERT_TRUE(ahead);
    const int bills = Count(u"Bill"_s);
    const Result<qint64> stored = StoreNewBill(db, Input(BillKind::Sales, 1200, u"XS2"_s), ahead.value);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored.value, ahead.value);
    EXPECT_EQ(Count(u"Bill"_s), bills);
    EXPECT_DOUBLE_EQ(BillField(ahead.value, u"BillSum"_s).toDouble(), 1200);
    EXPECT_EQ(BillField(ahead.value, u"BillSerial"_s).toString(), u"XS2"_s);
    EXPECT_EQ(Setting(1), u"XS2"_s);

    // Deleted meanwhile by another window: said so, and the number is not recorded.
    Sql(u"DELETE FROM Bill WHERE BillIndex = ?"_s, {ahead.value});
    const QString before = Everything();
    const Result<qint64> gone = StoreNewBill(db, Input(BillKind::Sales, 5, u"XS3"_s), ahead.value);
    EXPECT_EQ(gone.kind, Outcome::Missing);
    EXPECT_EQ(gone.message, u"找不到要修改的记录"_s);
    EXPECT_EQ(Everything(), before);
}

TEST_F(BillsTest, NewBillFailingAtItsNumberLeavesEveryTableAsItWas) {
    const Result<qint64> ahead = StoreNewBill(db, Input(BillKind::Purchase, 70, u"CG1"_s), std::nullopt);
    ASSERT_TRUE(ahead);
    RefuseNumberChanges();
    const QString before = Everything();
    for (const std::optional<qint64> storedAhead :
         {std::optional<qint64>(), std::optional<qint64>(ahead.value)}) {
        SCOPED_TRACE(storedAhead.has_value());
        const Result<qint64> key = StoreNewBill(db, Input(BillKind::Purchase, 300, u"CG2"_s), storedAhead);
        EXPECT_TRUE(key.IsFailure());
        EXPECT_EQ(key.message, u"数据保存失败"_s);
        EXPECT_EQ(Everything(), before);
    }
}

TEST_F(BillsTest, AbandonedBillGoesWithEveryVoucherNamingItAndNothingElse) {
    const qint64 bank = AddAccount(u"工商银行"_s);
    const qint64 other = AddBill(90);
    const qint64 kept = AddVoucher(bank, 90, other);
    const qint64 abandoned = AddBill(-40);
    AddVoucher(bank, -40, abandoned);
    AddVoucher(bank, -10, abandoned);

    // Failing half-way, after the vouchers' delete: nothing goes.
    Sql(u"CREATE TRIGGER t BEFORE DELETE ON Bill BEGIN SELECT RAISE(ABORT,'x'); END"_s);
    const QString before = Everything();
    const Outcome failed = UndoAbandonedBill(db, abandoned);
    EXPECT_TRUE(failed.IsFailure());
    EXPECT_EQ(failed.message, u"数据删除失败"_s);
    EXPECT_EQ(Everything(), before);

    Sql(u"DROP TRIGGER t"_s);
    ASSERT_TRUE(UndoAbandonedBill(db, abandoned));
    EXPECT_TRUE(BillField(abandoned, u"BillIndex"_s).isNull());
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyBill = ?"_s, {abandoned}).toInt(), 0);
    EXPECT_FALSE(BillField(other, u"BillIndex"_s).isNull());
    EXPECT_EQ(Scalar(u"SELECT MoneyBill FROM MoneyTable WHERE MoneyIndex = ?"_s, {kept}).toLongLong(), other);

    // Gone already (another window deleted it): nothing to undo, and no failure.
    EXPECT_TRUE(UndoAbandonedBill(db, abandoned));
}

TEST_F(BillsTest, PrintoutReadsReceivedAndOwedAndTheCapitalsOfTheAmount) {
    const qint64 bank = AddAccount(u"工商银行"_s);
    const struct {
        double sum;
        QList<double> vouchers;
        double received, owed;
        QString capitals;
    } cases[] = {
        {1000, {300.004, 200}, 500, 500, u"壹仟　零佰　零拾　零元　零角　零分　"_s},
        {-800, {-500, -300}, -800, 0, u"捌佰　零拾　零元　零角　零分　"_s},
        {250, {}, 0, 250, u"贰佰　伍拾　零元　零角　零分　"_s}, // no vouchers: nothing received
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sum);
        const qint64 bill = AddBill(c.sum);
        for (double v : c.vouchers)
            AddVoucher(bank, v, bill);
        const Result<BillPrint> print = PrepareBillPrint(db, bill);
        ASSERT_TRUE(print) << print.Text().toStdString();
        ASSERT_EQ(print.value.bill.RecordCount(), 1);
        EXPECT_DOUBLE_EQ(print.value.bill.AsFloat(u"BillGet"_s), c.received);
        EXPECT_DOUBLE_EQ(print.value.bill.AsFloat(u"BillOwe"_s), c.owed);
        ASSERT_FALSE(print.value.capitals.IsEmpty());
        EXPECT_EQ(print.value.capitals.AsString(u"BigFontValue"_s), c.capitals);
        EXPECT_EQ(Scalar(u"SELECT BigFontValue FROM PrintBigFont"_s).toString(), c.capitals);
    }

    const Result<BillPrint> gone = PrepareBillPrint(db, 999);
    EXPECT_EQ(gone.kind, Outcome::Missing);
    EXPECT_EQ(gone.message, u"找不到要打印的单据"_s);
}

// The bill list reads each bill's received amount from the total the engine keeps on the bill's
// row: after vouchers written, moved to another bill, changed, deleted, without an amount, with
// four decimals, and a bill row that arrives after its vouchers, every row and every footer is
// the figure of the grouped statement over the vouchers themselves.
TEST_F(BillsTest, ListReadsTheReceivedAmountsTheVouchersGive) {
    const qint64 bank = AddAccount(u"工商银行"_s);
    const qint64 sale = AddBill(1000), rent = AddBill(500), purchase = AddBill(-800), none = AddBill(300);
    AddVoucher(bank, 200, sale);
    AddVoucher(bank, 300.25, sale);
    AddVoucher(bank, 12.3456, rent);
    const qint64 moved = AddVoucher(bank, 99.99, sale);
    const qint64 changed = AddVoucher(bank, -100, purchase);
    const qint64 removed = AddVoucher(bank, 50, rent);
    AddVoucher(bank, 7, 0); // on no bill
    Sql(u"INSERT INTO MoneyTable (MoneyAccount, MoneyBill, MoneyCreateTime) VALUES (?, ?, '2024-03-02')"_s,
        {bank, rent}); // no amount
    Sql(u"UPDATE MoneyTable SET MoneyBill = ? WHERE MoneyIndex = ?"_s, {rent, moved});
    Sql(u"UPDATE MoneyTable SET MoneySum = -250.5, MoneyOut = 250.5 WHERE MoneyIndex = ?"_s, {changed});
    Sql(u"DELETE FROM MoneyTable WHERE MoneyIndex = ?"_s, {removed});
    Sql(u"UPDATE MoneyTable SET MoneyRemark = 'x' WHERE MoneyBill = ?"_s, {sale}); // not a figure
    // A bill that comes back (a restored or merged row) after its vouchers.
    AddVoucher(bank, 40.4, 900);
    AddVoucher(bank, 0.06, 900);
    Sql(u"INSERT INTO Bill (BillIndex, BillKind, BillUser, BillSum, BillCreateTime) "
        "VALUES (900, '销售开单', '杭州远洋', 60, '2024-03-05')"_s);

    const QString kept = BillQuerySelect() + u" Where (BillIndex > 1)"_s;
    Result<ListRows> list = OpenBillList(db, kept, {}, BillListOrder::ByTime);
    ASSERT_TRUE(list);
    ResultSet grouped;
    ASSERT_TRUE(db.Select(kept + BillListGrouping() + BillListOrderClause(BillListOrder::ByTime), grouped));
    RowSource& rows = *list.value.rows;
    ASSERT_EQ(rows.RowCount(), 5);
    ASSERT_EQ(grouped.RecordCount(), 5);
    const int get = rows.ColumnIndex(u"BillGet"_s), owe = rows.ColumnIndex(u"BillOwe"_s);
    const std::map<qint64, double> received{{sale, 500.25}, {rent, 112.34}, {purchase, -250.5}, {none, 0}, {900, 40.46}};
    for (int r = 0; r < rows.RowCount(); ++r) {
        const qint64 bill = rows.Value(r, rows.ColumnIndex(u"BillIndex"_s)).toLongLong();
        SCOPED_TRACE(bill);
        EXPECT_EQ(bill, grouped.At(r, grouped.Columns().indexOf(u"BillIndex"_s)).toLongLong());
        EXPECT_DOUBLE_EQ(rows.Value(r, get).toDouble(), grouped.At(r, grouped.Columns().indexOf(u"BillGet"_s)).toDouble());
        EXPECT_DOUBLE_EQ(rows.Value(r, owe).toDouble(), grouped.At(r, grouped.Columns().indexOf(u"BillOwe"_s)).toDouble());
        EXPECT_DOUBLE_EQ(rows.Value(r, get).toDouble(), received.at(bill));
    }
    EXPECT_DOUBLE_EQ(list.value.sums.value(u"BillGet"_s), 500.25 + 112.34 - 250.5 + 40.46);
    EXPECT_DOUBLE_EQ(list.value.sums.value(u"BillOwe"_s), 1000 + 500 - 800 + 300 + 60 - (500.25 + 112.34 - 250.5 + 40.46));
}

} // namespace
