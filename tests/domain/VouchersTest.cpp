// Vouchers: a new voucher lands with its number or not at all.

#include "tests/domain/DocumentsFixture.h"

#include "domain/Vouchers.h"

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

using VouchersTest = tevtest::DocumentsFixture;

TEST_F(VouchersTest, NewVoucherLandsWithItsNumberOrNotAtAll) {
    VoucherInput in;
    in.kind = VoucherKind::Expense;
    in.account = AddAccount(u"工商银行"_s);
    in.created = QDate(2024, 3, 10);
    in.recorded = QDate(2024, 3, 15);
    in.customer = u"杭州远洋"_s;
    in.amount = 80.5;
    in.serial = u"ZC0010"_s;
    in.bill = 7;

    const QString before = Everything();
    RefuseNumberChanges();
    const Outcome failed = StoreNewVoucher(db, in);
    EXPECT_TRUE(failed.IsFailure());
    EXPECT_EQ(failed.message, u"数据保存失败"_s);
    EXPECT_EQ(Everything(), before);

    Sql(u"DROP TRIGGER t"_s);
    ASSERT_TRUE(StoreNewVoucher(db, in));
    ResultSet rs;
    ASSERT_TRUE(db.Query(
        u"SELECT MoneySum, MoneyOut, MoneyBill FROM MoneyTable WHERE MoneySerial = 'ZC0010'"_s, {}, &rs));
    ASSERT_EQ(rs.RecordCount(), 1);
    rs.First();
    EXPECT_DOUBLE_EQ(rs.AsFloat(u"MoneySum"_s), -80.5);
    EXPECT_DOUBLE_EQ(rs.AsFloat(u"MoneyOut"_s), 80.5);
    EXPECT_EQ(rs.AsInteger(u"MoneyBill"_s), 7);
    EXPECT_EQ(Setting(4), u"ZC0010"_s);
    EXPECT_EQ(Setting(3), u"SR100000"_s);
}

} // namespace
