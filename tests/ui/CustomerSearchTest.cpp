// Customer search: the dialog, and the customers page it narrows.

#include "tests/ui/CustomerFixture.h"

#include "customers/CustomerForm3.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::CustomerFixture;

namespace {

class CustomerSearchTest : public CustomerFixture {
protected:
    void SetUp() override {
        CustomerFixture::SetUp();
        AddWith(u"张三"_s, u"13812345678"_s, u""_s);
        AddWith(u"张四"_s, u"0571-8888"_s, u"0571-9999"_s);
        AddWith(u"李138"_s, u"13900000000"_s, u""_s);
        AddWith(u"O'Brien"_s, u""_s, u""_s);
        AddBill(u"张三"_s, 100, QDate(2024, 3, 10));
        AddBill(u"李138"_s, 100, QDate(2024, 2, 10));
        Page()->Refresh();
    }
    void AddWith(const QString& name, const QString& phone, const QString& fax) {
        const qint64 key = AddCustomer(name);
        Sql(u"UPDATE Customer SET CustomerPhone = ?, CustomerFax = ? WHERE CustomerIndex = ?"_s,
            {phone, fax, key});
    }
    // Runs a search from the page's button; fill sets the dialog's controls.
    void Search(const std::function<void(TFormCustomer3*)>& fill, bool ok = true) {
        ui.ExpectModal<TFormCustomer3>(u"FormCustomer3"_s, [&](TFormCustomer3* f) {
            fill(f);
            (ok ? f->SpeedButton1 : f->SpeedButton2)->click();
        });
        Page()->CustomerSearch->click();
    }
    QStringList Shown() const {
        QStringList names;
        for (int n = 1; n <= kTilesPerPage; ++n)
            if (Page()->Tile(n)->isVisibleTo(Page()->Sheet)) names << TileTexts(n)[0];
        names.sort();
        return names;
    }
    static void Clear(TFormCustomer3* f) {
        for (QLineEdit* e : f->Edits)
            e->clear();
        f->CheckBox1->setChecked(false);
    }
};

TEST_F(CustomerSearchTest, TextConditionsMustAllMatchAndEmptyColumnsNeverMatch) {
    struct Case {
        int field;
        QString text;
        int field2;
        QString text2;
        QStringList found;
    } cases[] = {
        {0, u"张"_s, 3, u"138"_s, {u"张三"_s}}, {3, u"138"_s, -1, {}, {u"张三"_s}},
        {0, u"138"_s, -1, {}, {u"李138"_s}},    {4, u"0"_s, -1, {}, {u"张四"_s}}, // the others' fax is empty
        {0, u"O'B"_s, -1, {}, {u"O'Brien"_s}}, // a quote is searched for literally
        {0, u"无此人"_s, -1, {}, {}},
    };
    for (const Case& c : cases) {
        Search([&](TFormCustomer3* f) {
            Clear(f);
            f->Edits[c.field]->setText(c.text);
            if (c.field2 >= 0) f->Edits[c.field2]->setText(c.text2);
        });
        EXPECT_EQ(Shown(), c.found) << c.text.toStdString();
        EXPECT_EQ(Page()->Status->text(), u"共 %1 记录，第 1/1 页"_s.arg(c.found.size()));
    }
}

TEST_F(CustomerSearchTest, PeriodKeepsCustomersWithABillInItBothEndsIncluded) {
    Search([](TFormCustomer3* f) {
        // The period offered is the working month (2024-3-15), the pickers wait for the box.
        EXPECT_EQ(f->DateTimePicker1->date(), QDate(2024, 3, 1));
        EXPECT_EQ(f->DateTimePicker2->date(), QDate(2024, 3, 31));
        EXPECT_FALSE(f->DateTimePicker1->isEnabled());
        f->CheckBox1->click();
        EXPECT_TRUE(f->DateTimePicker1->isEnabled());
        EXPECT_TRUE(f->DateTimePicker2->isEnabled());
        f->DateTimePicker1->setDate(QDate(2024, 2, 10));
        f->DateTimePicker2->setDate(QDate(2024, 3, 10));
    });
    EXPECT_EQ(Shown(), (QStringList{u"张三"_s, u"李138"_s}));
    // A start after the end finds nobody.
    Search([](TFormCustomer3* f) {
        f->DateTimePicker1->setDate(QDate(2024, 3, 31));
        f->DateTimePicker2->setDate(QDate(2024, 3, 1));
    });
    EXPECT_EQ(Shown(), QStringList{});
    EXPECT_EQ(Page()->Status->text(), u"共 0 记录，第 1/1 页"_s);
    EXPECT_TRUE(Page()->EmptyImage->isVisibleTo(Page()->Sheet));
}

TEST_F(CustomerSearchTest, SearchReturnsToTheFirstPageAndCancelKeepsThePreviousSearch) {
    for (int i = 0; i < 20; ++i)
        AddCustomer(u"张客户%1"_s.arg(i));
    Page()->Refresh();
    Page()->Next->click();
    ASSERT_EQ(Page()->PageNumber, 1);

    Search([](TFormCustomer3* f) { f->Edit1->setText(u"张"_s); });
    EXPECT_EQ(Page()->PageNumber, 0);
    EXPECT_EQ(Page()->Status->text(), u"共 22 记录，第 1/2 页"_s);
    const QString filter = FormCustomer3->SearchFilter;
    EXPECT_EQ(filter, u" And (InStr(CustomerName,'张'))"_s);

    // Cancel: the earlier search stays in force, through later refreshes too.
    Page()->Next->click();
    Search([](TFormCustomer3* f) { f->Edit1->setText(u"李"_s); }, false);
    EXPECT_EQ(FormCustomer3->SearchFilter, filter);
    EXPECT_EQ(Page()->PageNumber, 1);
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"共 22 记录，第 2/2 页"_s);

    // The texts keep what they held; an empty search clears the filter.
    Search([](TFormCustomer3* f) {
        EXPECT_EQ(f->Edit1->text(), u"李"_s);
        f->Edit1->clear();
    });
    EXPECT_EQ(FormCustomer3->SearchFilter, u""_s);
    EXPECT_EQ(Page()->Status->text(), u"共 24 记录，第 1/2 页"_s);
}

// A search in force is on the page, in words, with a way to end it; it belongs to the user
// who made it and ends with the next sign-in.
TEST_F(CustomerSearchTest, ASearchInForceIsShownCanBeClearedAndEndsWithTheNextSignIn) {
    EXPECT_FALSE(Page()->SearchLine->isVisibleTo(Page()->Sheet));
    EXPECT_FALSE(Page()->ClearSearch->isVisibleTo(Page()->Sheet));
    Search([](TFormCustomer3* f) {
        f->Edit1->setText(u"张"_s);
        f->CheckBox1->click();
    });
    EXPECT_TRUE(Page()->SearchLine->isVisibleTo(Page()->Sheet));
    EXPECT_EQ(Page()->SearchLine->toolTip(), u"搜索：客户名称含“张”，2024-3-1至2024-3-31有业务"_s);
    EXPECT_EQ(Shown(), QStringList{u"张三"_s});
    // The record count sits right of "清除搜索" while a search is in force …
    EXPECT_GT(Page()->Status->x(), Page()->ClearSearch->geometry().right());
    EXPECT_LT(Page()->Status->geometry().right(), Page()->Prior->x());

    Page()->ClearSearch->click();
    EXPECT_FALSE(Page()->SearchLine->isVisibleTo(Page()->Sheet));
    // … and takes the whole row without one, room for the count of thousands of customers.
    EXPECT_EQ(Page()->Status->x(), Page()->SearchLine->x());
    EXPECT_LT(Page()->Status->geometry().right(), Page()->Prior->x());
    EXPECT_LE(Page()->Status->fontMetrics().horizontalAdvance(u"共 10000 记录，第 1/667 页"_s),
              Page()->Status->width());
    EXPECT_EQ(FormCustomer3->SearchFilter, u""_s);
    EXPECT_EQ(Shown().size(), 4);
    // The dialog starts empty again.
    Search([](TFormCustomer3* f) {
        EXPECT_EQ(f->Edit1->text(), u""_s);
        EXPECT_FALSE(f->CheckBox1->isChecked());
        f->Edit4->setText(u"0571"_s);
    });
    EXPECT_EQ(Shown(), QStringList{u"张四"_s});

    // The next user starts with every customer.
    ExpectSignIn(u"总经理"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(FormCustomer3->SearchFilter, u""_s);
    EXPECT_FALSE(Page()->SearchLine->isVisibleTo(Page()->Sheet));
    EXPECT_EQ(Shown().size(), 4);
}

} // namespace
