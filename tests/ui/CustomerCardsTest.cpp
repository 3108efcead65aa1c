// The customers page: what a tile shows, the salesman's list, the order, the new-customer
// button and failing statements.

#include "tests/ui/CustomerFixture.h"

#include "access/LoginForm.h"
#include "customers/CustomerForm2.h"
#include "rules/IniFile.h"
#include "ui/Globals.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::CustomerFixture;

namespace {

class CustomerCardsTest : public CustomerFixture {
protected:
    // Names of the tiles shown, in tile order.
    QStringList ShownNames() const {
        QStringList names;
        for (int n = 1; n <= kTilesPerPage; ++n)
            if (Page()->Tile(n)->isVisibleTo(Page()->Sheet)) names << TileTexts(n)[0];
        return names;
    }
    QString IconOf(int n) const { return Page()->Tile(n)->PictureFile().section(u'/', -1); }
};

TEST_F(CustomerCardsTest, BalancesUpToTheWorkingDate) {
    // Opening debt 100, a sales bill of 500, a purchase bill of 200, an income voucher of 300.
    AddCustomer(u"华夏贸易"_s, 100, u"王建国先生"_s);
    AddBill(u"华夏贸易"_s, 500, QDate(2024, 3, 1));
    AddBill(u"华夏贸易"_s, -200, QDate(2024, 3, 5));
    AddVoucher(u"华夏贸易"_s, 300, QDate(2024, 3, 10));
    // A bill after the working date counts in neither number until the date reaches it.
    AddBill(u"华夏贸易"_s, 7000, QDate(2024, 3, 20));

    struct Case {
        QDate working;
        QString money, owe, icon;
    } cases[] = {
        {QDate(2024, 3, 15), u"300 元"_s, u"100 元"_s, u"Blue+.ico"_s},
        {QDate(2024, 2, 28), u"0 元"_s, u"100 元"_s, u"Money0.ico"_s},    // before all documents
        {QDate(2024, 3, 5), u"300 元"_s, u"400 元"_s, u"Blue+.ico"_s},    // voucher not yet counted
        {QDate(2024, 3, 20), u"7300 元"_s, u"7100 元"_s, u"Blue+.ico"_s}, // the later bill now counts
    };
    for (const Case& c : cases) {
        FormMain->SetWorkingDate(c.working);
        Page()->Refresh();
        EXPECT_EQ(TileTexts(1), (QStringList{u"华夏贸易"_s, c.money, c.owe}))
            << c.working.toString().toStdString();
        EXPECT_EQ(IconOf(1), c.icon) << c.working.toString().toStdString();
        EXPECT_EQ(Page()->Tile(1)->TextColour(), TileBlue);
        EXPECT_EQ(Page()->Tile(1)->Under->text(), u"王建国"_s); // the contact's first three characters
    }
    EXPECT_EQ(Page()->Tile(1)->Tag,
              Scalar(u"SELECT CustomerIndex FROM Customer WHERE CustomerName = '华夏贸易'"_s));
}

TEST_F(CustomerCardsTest, NegativeBillsAreRedWithTwoLevelIconAndLongNamesAreCut) {
    const QString longName = u"一二三四五六七八九十甲乙丙丁戊己庚辛壬癸"_s; // 20 characters
    AddCustomer(longName);
    AddBill(longName, -25000, QDate(2024, 3, 1));
    AddBill(longName, -15000, QDate(2024, 3, 2));
    Page()->Refresh();
    EXPECT_EQ(TileTexts(1), (QStringList{u"一二三四五六七八九"_s, u"-40000 元"_s, u"-40000 元"_s}));
    EXPECT_EQ(Page()->Tile(1)->TextColour(), TileRed);
    EXPECT_EQ(Page()->Tile(1)->Values[0]->palette().color(QPalette::WindowText), TileRed);
    EXPECT_EQ(Page()->Tile(1)->Under->palette().color(QPalette::WindowText), TileRed);
    EXPECT_EQ(Page()->Tile(1)->Captions[0]->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(IconOf(1), u"Blue++.ico"_s);
    EXPECT_FALSE(Page()->Tile(1)->Image->pixmap().isNull());
}

TEST_F(CustomerCardsTest, ResidueOfASumIsNoAmount) {
    // 0.1 + 0.2 − 0.3 is not exactly 0 in floating point; the tile shows 0 and treats it as 0.
    AddCustomer(u"零头"_s);
    AddBill(u"零头"_s, 0.1, QDate(2024, 3, 1));
    AddBill(u"零头"_s, 0.2, QDate(2024, 3, 1));
    AddBill(u"零头"_s, -0.3, QDate(2024, 3, 1));
    Page()->Refresh();
    EXPECT_EQ(TileTexts(1)[1], u"0 元"_s);
    EXPECT_EQ(IconOf(1), u"Money0.ico"_s);
    EXPECT_EQ(Page()->Tile(1)->TextColour(), TileBlue);
}

TEST_F(CustomerCardsTest, NameWithAQuoteIsSummedLikeAnyOther) {
    AddCustomer(u"O'Brien"_s, 10);
    AddBill(u"O'Brien"_s, 90, QDate(2024, 3, 1));
    AddVoucher(u"O'Brien"_s, 40, QDate(2024, 3, 2));
    Page()->Refresh();
    EXPECT_EQ(TileTexts(1), (QStringList{u"O'Brien"_s, u"90 元"_s, u"60 元"_s}));
}

TEST_F(CustomerCardsTest, SalesmanSeesHisCustomersWithEveryonesDocuments) {
    AddSalesman(u"李明"_s, u""_s, u"业务管理；"_s);
    AddCustomer(u"甲公司"_s, 0, {}, u"李明"_s);
    AddCustomer(u"乙公司"_s, 0, {}, u"总经理"_s);
    AddCustomer(u"丙公司"_s, 0, {}, u"李明"_s);
    AddBill(u"甲公司"_s, 800, QDate(2024, 3, 1), u"总经理"_s);
    AddVoucher(u"甲公司"_s, 300, QDate(2024, 3, 2), u"财务主管"_s);
    ExpectSignIn(u"李明"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(Page()->Status->text(), u"共 2 记录，第 1/1 页"_s);
    EXPECT_EQ(ShownNames(), (QStringList{u"丙公司"_s, u"甲公司"_s})); // by number, descending
    EXPECT_EQ(TileTexts(2), (QStringList{u"甲公司"_s, u"800 元"_s, u"500 元"_s}));
}

TEST_F(CustomerCardsTest, OrderByNumberOrByPinyinEitherWay) {
    for (const QString& name : {u"张三"_s, u"阿明"_s, u"赵六"_s, u"李四"_s, u"王五"_s})
        AddCustomer(name);
    struct Case {
        int field, direction;
        QStringList names;
    } cases[] = {
        {0, 0, {u"张三"_s, u"阿明"_s, u"赵六"_s, u"李四"_s, u"王五"_s}},
        {0, 1, {u"王五"_s, u"李四"_s, u"赵六"_s, u"阿明"_s, u"张三"_s}},
        {1, 0, {u"阿明"_s, u"李四"_s, u"王五"_s, u"张三"_s, u"赵六"_s}},
        {1, 1, {u"赵六"_s, u"张三"_s, u"王五"_s, u"李四"_s, u"阿明"_s}},
    };
    for (const Case& c : cases) {
        FormMain->ComboBox6->setCurrentIndex(c.field);
        FormMain->ComboBox7->setCurrentIndex(c.direction);
        Page()->Refresh();
        EXPECT_EQ(ShownNames(), c.names) << c.field << "/" << c.direction;
    }
}

TEST_F(CustomerCardsTest, UserChangingTheSortBoxWritesItsKeyAndReorders) {
    for (const QString& name : {u"张三"_s, u"阿明"_s})
        AddCustomer(name);
    Page()->Refresh();
    ASSERT_EQ(ShownNames(), (QStringList{u"阿明"_s, u"张三"_s}));
    FormMain->ComboBox6->setCurrentIndex(1);
    emit FormMain->ComboBox6->activated(1);
    EXPECT_EQ(IniReadString(ini::Section, ini::CustomerSortField, u"?"_s, IniFileName), u"1"_s);
    EXPECT_EQ(ShownNames(), (QStringList{u"张三"_s, u"阿明"_s})); // by name, still descending
}

TEST_F(CustomerCardsTest, PageControlsAndTheNewCustomerButton) {
    EXPECT_EQ(Page()->NewCustomer->objectName(), u"NewCustomer"_s);
    EXPECT_EQ(Page()->NewCustomer->text(), u"新增客户"_s);
    EXPECT_EQ(Page()->CustomerSearch->text(), u"客户搜索"_s);
    EXPECT_EQ(Page()->BigReport->text(), u"客户报表"_s);
    EXPECT_TRUE(Page()->BigReport->isEnabled());
    EXPECT_EQ(Page()->Label8->text(), u"排序方式"_s);

    // Cancel: nothing stored, nothing refreshed.
    ui.ExpectModal<TFormCustomer2>(u"FormCustomer2"_s, [](TFormCustomer2* f) { f->BitBtn2->click(); });
    Page()->NewCustomer->click();
    EXPECT_EQ(Page()->Status->text(), u""_s);
    // OK: the main window refreshes and the new customer has its tile.
    ui.ExpectModal<TFormCustomer2>(u"FormCustomer2"_s, [](TFormCustomer2* f) {
        EXPECT_EQ(f->EditMode, 0);
        f->CustomerName->setText(u"新客户"_s);
        f->CustomerOwe->setText(u"250"_s);
        f->BitBtn1->click();
    });
    ui.ExpectMessage(u"客户　新客户　新增成功"_s);
    Page()->NewCustomer->click();
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    EXPECT_EQ(TileTexts(1), (QStringList{u"新客户"_s, u"0 元"_s, u"250 元"_s}));
}

TEST_F(CustomerCardsTest, FailingStatementsStopTheRefreshAndKeepTheStatus) {
    const qint64 first = AddCustomer(u"甲"_s);
    Page()->Refresh();
    ASSERT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    AddCustomer(u"乙"_s); // comes first (by number, descending)
    // A sum that fails stops at its tile: the status keeps what it showed.
    Sql(u"ALTER TABLE Bill RENAME TO BillAway"_s);
    ui.ExpectMessage(u"统计客户货款时出错"_s);
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    // The list itself failing: the buttons stay disabled, the tiles keep what they showed.
    Sql(u"ALTER TABLE Customer RENAME TO CustomerAway"_s);
    ui.ExpectMessage(u"刷新客户时出错"_s);
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 1 记录，第 1/1 页"_s);
    // The tile whose sum failed still shows, and opens, the customer it showed.
    EXPECT_EQ(TileTexts(1)[0], u"甲"_s);
    EXPECT_EQ(Page()->Tile(1)->Tag, first);
    EXPECT_FALSE(Page()->Prior->isEnabled());
    EXPECT_FALSE(Page()->Next->isEnabled());
}

} // namespace
