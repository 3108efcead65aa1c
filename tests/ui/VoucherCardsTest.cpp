// The vouchers page: what a tile shows, the day and month ranges, the orders, the salesman's
// list, paging against the whole list statement, and opening a voucher from its tile.

#include "tests/ui/DocumentCardsFixture.h"

#include "cards/VoucherCards.h"
#include "rules/IniFile.h"
#include "ui/Globals.h"
#include "vouchers/BillForm2.h"
#include "vouchers/GetPayForm.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::DocumentCardsFixture;

namespace {

class VoucherCardsTest : public DocumentCardsFixture {
protected:
    void SetUp() override {
        DocumentCardsFixture::SetUp();
        // A page not on screen is refreshed when it is shown: these tests look at the vouchers page.
        FormMain->PageControl1->setCurrentIndex(TFormMain::VoucherPage);
    }
    VoucherCardPage* Page() const { return static_cast<VoucherCardPage*>(FormMain->VoucherCards); }
    TileView Tile(int n) const { return ViewOf(Page(), n); }
    void SetBoxes(int range, int field, int direction) {
        FormMain->ComboBox4->setCurrentIndex(range);
        FormMain->ComboBox11->setCurrentIndex(field);
        FormMain->ComboBox12->setCurrentIndex(direction);
    }
};

TEST_F(VoucherCardsTest, TileShowsCustomerCategoryAmountKindColourAndIcon) {
    const QDate day = ui.today;
    const qint64 rent = AddVoucher(u"房东"_s, -4500, day, 0, u"房租"_s, u"收据"_s);
    AddVoucher(u"零单"_s, 0, day);
    // A voucher linked to a bill is listed like any other.
    const qint64 bill = AddBill(u"华夏贸易"_s, 20000, day);
    AddVoucher(u"华夏贸易"_s, 12000, day, bill, u"定金"_s, u"转帐"_s);
    const QString longName = u"一二三四五六七八九十甲乙丙丁戊己庚辛壬癸"_s;
    AddVoucher(longName, 3000, day, 0, u"佣金"_s, u""_s);
    Sql(u"UPDATE MoneyTable SET MoneyUser = '保留', MoneySum = 5, MoneyCreateTime = ? WHERE MoneyIndex = 1"_s,
        {Iso(day)});

    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 4 记录，第 1/1 页"_s);
    const TileView expected[] = {
        {{u"一二三四五六七八九"_s, u"佣金‖"_s, u"3000 元"_s}, u"收入单"_s, u"Green+.ico"_s, TileBlue},
        {{u"华夏贸易"_s, u"定金‖转帐"_s, u"12000 元"_s}, u"收入单"_s, u"Green+++.ico"_s, TileBlue},
        {{u"零单"_s, u"定金‖转帐"_s, u"0 元"_s}, u"收入单"_s, u"Money0.ico"_s, TileBlue},
        {{u"房东"_s, u"房租‖收据"_s, u"4500 元"_s}, u"支出单"_s, u"Green++.ico"_s, TileRed},
    };
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(Tile(n), expected[n - 1]) << "tile " << n;
    EXPECT_EQ(Page()->Tile(4)->Tag, rent);
    EXPECT_EQ(Page()->Tile(1)->toolTip(), longName);
    EXPECT_EQ(Page()->Tile(4)->Captions[1]->text(), u"类型："_s);
    EXPECT_EQ(Page()->Tile(4)->Values[1]->objectName(), u"MoneyKind4"_s);
    EXPECT_EQ(Page()->Tile(4)->Under->objectName(), u"MoneyType4"_s);
}

TEST_F(VoucherCardsTest, DayOrWholeMonthWhateverTheDay) {
    const qint64 yesterday = AddVoucher(u"甲"_s, 1, QDate(2024, 3, 14));
    const qint64 today = AddVoucher(u"乙"_s, 2, QDate(2024, 3, 15));
    const qint64 first = AddVoucher(u"丙"_s, 3, QDate(2024, 3, 1));
    const qint64 last = AddVoucher(u"丁"_s, 4, QDate(2024, 3, 31));
    AddVoucher(u"戊"_s, 5, QDate(2024, 2, 29));
    AddVoucher(u"己"_s, 6, QDate(2024, 4, 1));
    SetBoxes(0, 0, 1);
    Page()->Refresh();
    EXPECT_EQ(ShownKeys(Page()), QList<qint64>{today});
    FormMain->BitBtn1->click();
    EXPECT_EQ(ShownKeys(Page()), QList<qint64>{yesterday});

    FormMain->ComboBox4->setCurrentIndex(1);
    emit FormMain->ComboBox4->activated(1);
    EXPECT_EQ(IniReadString(ini::Section, ini::VoucherDateRange, u"?"_s, IniFileName), u"1"_s);
    const QList<qint64> month = {last, first, today, yesterday};
    EXPECT_EQ(ShownKeys(Page()), month);
    for (const QDate& working : {QDate(2024, 3, 1), QDate(2024, 3, 31)}) {
        FormMain->SetWorkingDate(working);
        Page()->Refresh();
        EXPECT_EQ(ShownKeys(Page()), month) << working.toString().toStdString();
    }
}

TEST_F(VoucherCardsTest, OrdersAndSortBoxes) {
    FormMain->SetWorkingDate(QDate(2024, 6, 15));
    const qint64 a = AddVoucher(u"张三"_s, 10, QDate(2024, 6, 2), 0, u"定金"_s, u"转帐"_s, u"SR0003"_s);
    const qint64 b = AddVoucher(u"阿明"_s, -20, QDate(2024, 6, 1), 0, u"定金"_s, u"转帐"_s, u"ZC0001"_s);
    const qint64 c = AddVoucher(u"张三"_s, 30, QDate(2024, 6, 1), 0, u"定金"_s, u"转帐"_s, u"SR0002"_s);
    const qint64 d = AddVoucher(u"阿明"_s, -40, QDate(2024, 6, 2), 0, u"定金"_s, u"转帐"_s, u"SR0001"_s);
    SetBoxes(1, 0, 1);
    Page()->Refresh();
    ASSERT_EQ(ShownKeys(Page()), (QList<qint64>{d, c, b, a}));
    // Each change by the user writes its key and reorders at once.
    struct Case {
        QComboBox* box;
        QString key;
        int index;
        QList<qint64> keys;
    } cases[] = {
        {FormMain->ComboBox11, ini::VoucherSortField, 3, {c, b, d, a}}, // dates ascending, then newest record
        {FormMain->ComboBox12, ini::VoucherSortDirection, 0, {b, c, a, d}},
        {FormMain->ComboBox11, ini::VoucherSortField, 1, {d, c, a, b}},
        {FormMain->ComboBox11, ini::VoucherSortField, 2, {b, d, c, a}},
        {FormMain->ComboBox12, ini::VoucherSortDirection, 1, {d, b, a, c}}, // customers stay in order
    };
    for (const Case& k : cases) {
        k.box->setCurrentIndex(k.index);
        emit k.box->activated(k.index);
        EXPECT_EQ(IniReadString(ini::Section, k.key, u"?"_s, IniFileName), QString::number(k.index));
        EXPECT_EQ(ShownKeys(Page()), k.keys) << k.box->objectName().toStdString() << " " << k.index;
    }
}

TEST_F(VoucherCardsTest, SalesmanSeesHisOwnVouchers) {
    AddSalesman(u"李明"_s, u""_s, u"财务管理；"_s);
    const qint64 his = AddVoucher(u"甲公司"_s, 100, ui.today, 0, u"定金"_s, u"转帐"_s, u""_s, u"李明"_s);
    AddVoucher(u"甲公司"_s, 200, ui.today, 0, u"定金"_s, u"转帐"_s, u""_s, u"财务主管"_s);
    ExpectSignIn(u"李明"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    FormMain->PageControl1->setCurrentIndex(TFormMain::VoucherPage);
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    EXPECT_EQ(ShownKeys(Page()), QList<qint64>{his});
}

TEST_F(VoucherCardsTest, PagesMatchTheWholeListStatement) {
    const QStringList people = {u"张三"_s, u"阿明"_s, u"李四"_s, u"O'Brien"_s};
    for (int i = 0; i < 40; ++i) {
        const QDate date = i % 7 == 0 ? QDate(2024, 4, 1 + i % 3) : QDate(2024, 3, 1 + (i * 5) % 31);
        AddVoucher(people[i % people.size()], i % 3 == 0 ? -10.0 * i : 10.0 * i, i % 6 == 1 ? ui.today : date,
                   0, u"定金"_s, u"转帐"_s, u"SR%1"_s.arg(i % 9, 4, 10, QChar(u'0')),
                   i % 2 ? u"李明"_s : u"总经理"_s);
    }
    const QString ranges[] = {u" And (MoneyCreateTime = #2024-3-15#)"_s,
                              u" And (MoneyCreateTime Between #2024-3-1# And #2024-3-31#)"_s};
    const QString orders[] = {u" Order By MoneyIndex"_s, u" Order By MoneySerial"_s,
                              u" Order By MoneyUser Collate PINYIN,MoneyCreateTime"_s,
                              u" Order By MoneyCreateTime,MoneyIndex"_s};
    const QStringList orderColumns[] = {{u"MoneyIndex"_s},
                                        {u"MoneySerial"_s},
                                        {u"MoneyUser"_s, u"MoneyCreateTime"_s},
                                        {u"MoneyCreateTime"_s, u"MoneyIndex"_s}};
    for (const QString& filter : {QString(), u" And (MoneyMan = '李明')"_s}) {
        VoucherFilter = filter;
        for (int range = 0; range < 2; ++range)
            for (int field = 0; field < 4; ++field)
                for (int direction = 0; direction < 2; ++direction) {
                    SetBoxes(range, field, direction);
                    ExpectPagesMatch(Page(),
                                     u"Select * From MoneyTable Where (MoneyIndex > 1)"_s + ranges[range] +
                                         filter + orders[field] + (direction == 0 ? u" Asc"_s : u" Desc"_s),
                                     u"MoneyIndex"_s, orderColumns[field]);
                }
    }
}

TEST_F(VoucherCardsTest, TileOpensTheVoucherAndOnlyAStoreRefreshes) {
    Sql(u"INSERT INTO Customer (CustomerName) VALUES ('房东')"_s);
    const qint64 rent = AddVoucher(u"房东"_s, -4500, ui.today, 0, u"房租"_s, u"收据"_s, u"ZC0007"_s);
    Page()->Refresh();
    AddVoucher(u"房东"_s, 10, ui.today); // not on the page until it is refreshed
    FormGetPay->CustomerFixed = true;    // left over from a customer's window

    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [rent](TFormGetPay* f) {
        EXPECT_EQ(f->OpenMode, OpenMode::Change);
        EXPECT_EQ(f->DocKind, VoucherKind::Expense);
        EXPECT_EQ(f->CurrentVoucher, rent);
        EXPECT_FALSE(f->CustomerFixed);
        EXPECT_TRUE(f->ComboBox5->isEnabled());
        EXPECT_EQ(f->Edit4->text(), u"ZC0007"_s);
        EXPECT_EQ(f->Edit2->text(), u"4500"_s);
        EXPECT_EQ(f->ComboBox1->currentText(), u"现金"_s);
        f->BitBtn2->click();
    });
    Page()->OpenVoucherTile(1);
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);

    // Stored with OK: every page is rebuilt.
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [this](TFormGetPay* f) {
        f->Edit2->setText(u"4600"_s);
        ui.ExpectMessage(u"记录修改成功"_s);
        f->BitBtn1->click();
    });
    Page()->TileClick(1);
    EXPECT_EQ(Page()->Status->text(), u"共 2 记录，第 1/1 页"_s);
    EXPECT_EQ(Tile(2).values[2], u"4600 元"_s);
    EXPECT_EQ(Tile(2).under, u"支出单"_s);
    EXPECT_EQ(Page()->Tile(2)->Tag, rent);

    // An income voucher opens as one.
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [](TFormGetPay* f) {
        EXPECT_EQ(f->DocKind, VoucherKind::Income);
        f->BitBtn2->click();
    });
    Page()->OpenVoucherTile(1);

    Sql(u"DELETE FROM MoneyTable WHERE MoneyIndex = ?"_s, {rent});
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    Page()->OpenVoucherTile(2);
}

TEST_F(VoucherCardsTest, FailuresAndTheChooser) {
    AddVoucher(u"甲"_s, 1, ui.today);
    Page()->Refresh();
    Sql(u"ALTER TABLE MoneyTable RENAME TO MoneyAway"_s);
    ui.ExpectMessage(u"获取财务单据时出错"_s);
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    ui.ExpectMessage(u"单据表打开失败"_s);
    Page()->OpenVoucherTile(1);

    EXPECT_EQ(Page()->NewMoney->text(), u"新增财务单据"_s);
    EXPECT_EQ(Page()->Label10->text(), u"单据日期"_s);
    EXPECT_EQ(Page()->Label18->text(), u"排序方式"_s);
    EXPECT_EQ(Page()->Status->objectName(), u"MoneySum"_s);
    ui.ExpectModal<TFormBill2>(u"FormBill2"_s, [](TFormBill2* f) { f->reject(); });
    Page()->NewMoney->click();
}

} // namespace
