// The bills page: what a tile shows, the day and month ranges, the orders, the salesman's
// list, paging against the whole list statement, and opening a bill from its tile.

#include "tests/ui/DocumentCardsFixture.h"

#include "bills/BillForm.h"
#include "bills/BuySellForm.h"
#include "cards/BillCards.h"
#include "rules/IniFile.h"
#include "ui/Globals.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::DocumentCardsFixture;

namespace {

class BillCardsTest : public DocumentCardsFixture {
protected:
    void SetUp() override {
        DocumentCardsFixture::SetUp();
        // A page not on screen is refreshed when it is shown: these tests look at the bills page.
        FormMain->PageControl1->setCurrentIndex(TFormMain::BillPage);
    }
    BillCardPage* Page() const { return static_cast<BillCardPage*>(FormMain->BillCards); }
    TileView Tile(int n) const { return ViewOf(Page(), n); }
    void SetBoxes(int range, int field, int direction) {
        FormMain->ComboBox3->setCurrentIndex(range);
        FormMain->ComboBox8->setCurrentIndex(field);
        FormMain->ComboBox10->setCurrentIndex(direction);
    }
};

TEST_F(BillCardsTest, TileShowsCustomerAmountPaidKindColourAndIcon) {
    const QDate day = ui.today;
    const qint64 purchase = AddBill(u"杭州远洋"_s, -12000, day);
    AddBill(u"零单"_s, 0, day);
    const qint64 settled = AddBill(u"华夏贸易"_s, 800, day);
    AddVoucher(u"华夏贸易"_s, 300, day, settled);
    AddVoucher(u"华夏贸易"_s, -50, day, settled);
    AddVoucher(u"华夏贸易"_s, 999, day); // not linked to the bill
    const qint64 paidOut = AddBill(u"宁波港"_s, -3000, day);
    AddVoucher(u"宁波港"_s, -1200.126, day, paidOut); // rounded to cents, shown unsigned
    const QString longName = u"一二三四五六七八九十甲乙丙丁戊己庚辛壬癸"_s;
    AddBill(longName, 3000.5, day);
    // Neither the reserved row nor a document of another kind is a bill of this page.
    Sql(u"UPDATE Bill SET BillKind = '销售开单', BillUser = '保留', BillSum = 5, BillCreateTime = ? "
        "WHERE BillIndex = 1"_s,
        {Iso(day)});
    Sql(u"UPDATE Bill SET BillKind = '其他' WHERE BillIndex = ?"_s, {AddBill(u"别的"_s, 7, day)});

    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 5 记录，第 1/1 页"_s);
    // By record number, descending.
    const TileView expected[] = {
        {{u"一二三四五六七八九"_s, u"3000.5 元"_s, u"0 元"_s}, u"销售单"_s, u"Purple++.ico"_s, TileBlue},
        {{u"宁波港"_s, u"3000 元"_s, u"1200.13 元"_s}, u"采购单"_s, u"Purple+.ico"_s, TileRed},
        {{u"华夏贸易"_s, u"800 元"_s, u"250 元"_s}, u"销售单"_s, u"Purple+.ico"_s, TileBlue},
        {{u"零单"_s, u"0 元"_s, u"0 元"_s}, u"销售单"_s, u"Money0.ico"_s, TileBlue},
        {{u"杭州远洋"_s, u"12000 元"_s, u"0 元"_s}, u"采购单"_s, u"Purple+++.ico"_s, TileRed},
    };
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(Tile(n), expected[n - 1]) << "tile " << n;
    EXPECT_EQ(Page()->Tile(5)->Tag, purchase);
    EXPECT_EQ(Page()->Tile(1)->toolTip(), longName);
    EXPECT_FALSE(Page()->Tile(5)->Image->pixmap().isNull());
    EXPECT_EQ(Page()->Tile(5)->Under->palette().color(QPalette::WindowText), TileRed);
    EXPECT_EQ(Page()->Tile(5)->Captions[2]->text(), u"已收："_s);
}

TEST_F(BillCardsTest, DayOrMonthOfTheWorkingDate) {
    const qint64 yesterday = AddBill(u"甲"_s, 1, QDate(2024, 3, 14));
    const qint64 today = AddBill(u"乙"_s, 2, QDate(2024, 3, 15));
    const qint64 first = AddBill(u"丙"_s, 3, QDate(2024, 3, 1));
    const qint64 last = AddBill(u"丁"_s, 4, QDate(2024, 3, 31));
    const qint64 leapDay = AddBill(u"戊"_s, 5, QDate(2024, 2, 29));
    AddBill(u"己"_s, 6, QDate(2024, 4, 1));
    SetBoxes(0, 0, 1);
    Page()->Refresh();
    EXPECT_EQ(ShownKeys(Page()), QList<qint64>{today});
    // The side bar's back button moves the working day and refreshes every page.
    FormMain->BitBtn1->click();
    EXPECT_EQ(FormMain->WorkingDate(), QDate(2024, 3, 14));
    EXPECT_EQ(ShownKeys(Page()), QList<qint64>{yesterday});

    // The month, chosen by the user: written to the settings and shown at once.
    FormMain->ComboBox3->setCurrentIndex(1);
    emit FormMain->ComboBox3->activated(1);
    EXPECT_EQ(IniReadString(ini::Section, ini::BillDateRange, u"?"_s, IniFileName), u"1"_s);
    EXPECT_EQ(ShownKeys(Page()), (QList<qint64>{last, first, today, yesterday}));

    // February of a leap year runs to the 29th.
    const qint64 feb1 = AddBill(u"庚"_s, 7, QDate(2024, 2, 1));
    AddBill(u"辛"_s, 8, QDate(2024, 1, 31));
    FormMain->SetWorkingDate(QDate(2024, 2, 10));
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 2 记录，第 1/1 页"_s);
    EXPECT_EQ(ShownKeys(Page()), (QList<qint64>{feb1, leapDay}));
}

TEST_F(BillCardsTest, FourOrdersEitherWay) {
    // June: a and c are 张三's, b and d 阿明's (first by pinyin).
    FormMain->SetWorkingDate(QDate(2024, 6, 15));
    const qint64 a = AddBill(u"张三"_s, 10, QDate(2024, 6, 2), u"XS0003"_s);
    const qint64 b = AddBill(u"阿明"_s, 20, QDate(2024, 6, 1), u"XS0001"_s);
    const qint64 c = AddBill(u"张三"_s, 30, QDate(2024, 6, 1), u"XS0002"_s);
    const qint64 d = AddBill(u"阿明"_s, 40, QDate(2024, 6, 2), u"XS0001"_s);
    struct Case {
        int field, direction;
        QList<qint64> keys;
    } cases[] = {
        {0, 0, {a, b, c, d}},
        {0, 1, {d, c, b, a}},
        {1, 0, {b, d, c, a}},
        {1, 1, {a, c, d, b}},
        // The direction applies to the last column: customers stay in order, their bills
        // run from the newest.
        {2, 0, {b, d, c, a}},
        {2, 1, {d, b, a, c}},
        // Dates stay ascending (1 June first); within a day the highest record number first.
        {3, 0, {b, c, a, d}},
        {3, 1, {c, b, d, a}},
    };
    for (const Case& k : cases) {
        SetBoxes(1, k.field, k.direction);
        Page()->Refresh();
        EXPECT_EQ(ShownKeys(Page()), k.keys) << k.field << "/" << k.direction;
    }
}

TEST_F(BillCardsTest, UserChangingTheSortBoxesWritesTheirKeysAndReorders) {
    const qint64 late = AddBill(u"甲"_s, 1, QDate(2024, 3, 15));
    const qint64 early = AddBill(u"乙"_s, 2, QDate(2024, 3, 2));
    SetBoxes(1, 0, 1);
    Page()->Refresh();
    ASSERT_EQ(ShownKeys(Page()), (QList<qint64>{early, late}));
    struct Case {
        QComboBox* box;
        QString key;
        int index;
        QList<qint64> keys;
    } cases[] = {
        {FormMain->ComboBox10, ini::BillSortDirection, 0, {late, early}},
        {FormMain->ComboBox8, ini::BillSortField, 3, {early, late}},
        {FormMain->ComboBox3, ini::BillDateRange, 0, {late}},
    };
    for (const Case& c : cases) {
        c.box->setCurrentIndex(c.index);
        emit c.box->activated(c.index);
        EXPECT_EQ(IniReadString(ini::Section, c.key, u"?"_s, IniFileName), QString::number(c.index));
        EXPECT_EQ(ShownKeys(Page()), c.keys) << c.box->objectName().toStdString();
    }
}

TEST_F(BillCardsTest, SalesmanSeesTheBillsHeLastSaved) {
    AddSalesman(u"李明"_s, u""_s, u"业务管理；"_s);
    const qint64 his = AddBill(u"甲公司"_s, 100, ui.today, u""_s, u"李明"_s);
    AddBill(u"甲公司"_s, 200, ui.today, u""_s, u"总经理"_s);
    const qint64 alsoHis = AddBill(u"乙公司"_s, -300, ui.today, u""_s, u"李明"_s);
    ExpectSignIn(u"李明"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillPage);
    EXPECT_EQ(Page()->Status->text(), u"共 2 记录，第 1/1 页"_s);
    EXPECT_EQ(ShownKeys(Page()), (QList<qint64>{alsoHis, his}));
}

// Count and screen pages (Limit/Offset) give what the whole list statement gives, page after
// page, for both ranges, every order, with and without a salesman's filter.
TEST_F(BillCardsTest, PagesMatchTheWholeListStatement) {
    const QStringList people = {u"张三"_s, u"阿明"_s, u"李四"_s, u"O'Brien"_s, u"王五"_s};
    for (int i = 0; i < 46; ++i) {
        const QDate date = i % 9 == 0 ? QDate(2024, 2, 28 + i % 2) : QDate(2024, 3, 1 + (i * 7) % 31);
        const QString serial = u"XS%1"_s.arg(i % 13, 4, 10, QChar(u'0')); // numbers repeat
        AddBill(people[i % people.size()], i % 4 == 0 ? -100.0 * i : 50.0 * i, i % 6 == 0 ? ui.today : date,
                serial, i % 3 == 0 ? u"李明"_s : u"总经理"_s);
    }
    Sql(u"UPDATE Bill SET BillKind = '其他' WHERE BillIndex % 11 = 0"_s);

    const QString ranges[] = {u" And (BillCreateTime = #2024-3-15#)"_s,
                              u" And (BillCreateTime Between #2024-3-1# And #2024-3-31#)"_s};
    const QString orders[] = {u" Order By BillIndex"_s, u" Order By BillSerial"_s,
                              u" Order By BillUser Collate PINYIN,BillCreateTime"_s,
                              u" Order By BillCreateTime,BillIndex"_s};
    const QStringList orderColumns[] = {{u"BillIndex"_s},
                                        {u"BillSerial"_s},
                                        {u"BillUser"_s, u"BillCreateTime"_s},
                                        {u"BillCreateTime"_s, u"BillIndex"_s}};
    for (const QString& filter : {QString(), u" And (BillMan = '李明')"_s}) {
        BillFilter = filter;
        for (int range = 0; range < 2; ++range)
            for (int field = 0; field < 4; ++field)
                for (int direction = 0; direction < 2; ++direction) {
                    SetBoxes(range, field, direction);
                    ExpectPagesMatch(
                        Page(),
                        u"Select * From Bill Where (BillIndex > 1) And (BillKind = '销售开单' Or "
                        u"BillKind = '采购开单')"_s +
                            ranges[range] + filter + orders[field] +
                            (direction == 0 ? u" Asc"_s : u" Desc"_s),
                        u"BillIndex"_s, orderColumns[field]);
                }
    }
}

TEST_F(BillCardsTest, TileOpensTheBillAndOnlyAnUnlockedBillRefreshes) {
    Sql(u"INSERT INTO Customer (CustomerName) VALUES ('杭州远洋')"_s);
    const qint64 bill = AddBill(u"杭州远洋"_s, -12000, ui.today, u"CG0001"_s);
    Page()->Refresh();
    AddBill(u"杭州远洋"_s, 50, ui.today); // not on the page until it is refreshed
    // Left over from a customer's window and from an earlier unlock.
    FormBuySell->CustomerFixed = true;
    FormBuySell->Unlocked = true;

    ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [bill](TFormBuySell* f) {
        EXPECT_EQ(f->OpenMode, OpenMode::Change);
        EXPECT_EQ(f->DocKind, BillKind::Purchase);
        EXPECT_EQ(f->CurrentBill, bill);
        EXPECT_FALSE(f->Unlocked);
        EXPECT_FALSE(f->CustomerFixed);
        EXPECT_EQ(f->Edit1->text(), u"CG0001"_s);
        EXPECT_EQ(f->Edit2->text(), u"12000"_s);
        EXPECT_EQ(f->ComboBox5->currentText(), u"杭州远洋"_s);
        f->BitBtn2->click();
    });
    Page()->OpenBillTile(1);
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);

    // Unlocked (no modification password is set): the bill may have changed, so every page
    // is rebuilt, even when the editor is then cancelled.
    ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [](TFormBuySell* f) {
        f->SpeedButton4->click();
        EXPECT_TRUE(f->Unlocked);
        f->BitBtn2->click();
    });
    Page()->TileClick(1);
    EXPECT_EQ(Page()->Status->text(), u"共 2 记录，第 1/1 页"_s);

    // A bill deleted since the refresh: said so, and no editor opens.
    Sql(u"DELETE FROM Bill WHERE BillIndex = ?"_s, {Page()->Tile(2)->Tag});
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    Page()->OpenBillTile(2);
}

TEST_F(BillCardsTest, FailuresStopWithTheirMessages) {
    AddBill(u"甲"_s, 1, ui.today);
    Page()->Refresh();
    ASSERT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    AddBill(u"乙"_s, 2, ui.today);
    Sql(u"ALTER TABLE MoneyTable RENAME TO MoneyAway"_s);
    ui.ExpectMessage(u"数据库打开失败"_s);
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    EXPECT_EQ(Tile(1).values[0], u"甲"_s); // the tile whose sum failed keeps what it showed

    Sql(u"ALTER TABLE Bill RENAME TO BillAway"_s);
    ui.ExpectMessage(u"获取单据时出错"_s);
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    EXPECT_FALSE(Page()->Prior->isEnabled());
    EXPECT_FALSE(Page()->Next->isEnabled());
    ui.ExpectMessage(u"单据表打开失败"_s);
    Page()->OpenBillTile(1);
}

TEST_F(BillCardsTest, PageControlsAndTheChooser) {
    EXPECT_EQ(Page()->NewBill->objectName(), u"NewBill"_s);
    EXPECT_EQ(Page()->NewBill->text(), u"新增业务单据"_s);
    EXPECT_EQ(Page()->Label9->text(), u"单据日期"_s);
    EXPECT_EQ(Page()->Label11->text(), u"排序方式"_s);
    EXPECT_EQ(Page()->Status->objectName(), u"BillSum"_s);
    EXPECT_EQ(Page()->Tile(7)->Values[2]->objectName(), u"BillPay7"_s);
    // One row under the paging buttons, left to right, nothing overlapping.
    const QWidget* row[] = {Page()->NewBill, Page()->Label9,      FormMain->ComboBox3,
                            Page()->Label11, FormMain->ComboBox8, FormMain->ComboBox10};
    for (int i = 1; i < 6; ++i)
        EXPECT_LT(row[i - 1]->geometry().right(), row[i]->geometry().left()) << i;
    EXPECT_EQ(FormMain->ComboBox10->geometry().right(), Page()->Next->geometry().right());

    ui.ExpectModal<TFormBill>(u"FormBill"_s, [](TFormBill* f) { f->reject(); });
    Page()->NewBill->click();
}

} // namespace
