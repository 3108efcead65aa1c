// The customer window: the balance up to the working date, new documents for the customer,
// the month's documents in the report lists, changing the customer and its document folder.

#include "tests/ui/CustomerFixture.h"

#include "access/AskForm.h"
#include "app/ShareDM.h"
#include "bills/BuySellForm.h"
#include "customers/CustomerForm.h"
#include "customers/CustomerForm2.h"
#include "reports/ReportLists.h"
#include "ui/Globals.h"
#include "vouchers/GetPayForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class CustomerWindowTest : public tevtest::CustomerFixture {
protected:
    // Sets the window up on a customer as a tile click does; false when it closed itself.
    bool Show(qint64 customer) {
        FormCustomer->CurrentCustomer = int(customer);
        return FormCustomer->RunFormShow();
    }
    static QStringList Amounts() {
        QStringList texts;
        for (QLabel* l : {FormCustomer->LabelFirstOwe, FormCustomer->LabelSell, FormCustomer->LabelBuy,
                          FormCustomer->LabelGet, FormCustomer->LabelOwe})
            texts << l->text();
        return texts;
    }
    static QStringList Fields() {
        return {FormCustomer->Edit1->text(), FormCustomer->Edit2->text(), FormCustomer->Edit3->text(),
                FormCustomer->Edit4->text()};
    }
    // Runs act in the shown window; the result the window closed with, or -1 when it stayed open.
    static int ClosedWith(const std::function<void()>& act) {
        int result = -1;
        const auto c = QObject::connect(FormCustomer, &QDialog::finished, [&](int r) { result = r; });
        act();
        QObject::disconnect(c);
        return result;
    }
    void ExpectPassword(const QString& text, bool ok = true) {
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [text, ok](TFormAsk* f) {
            EXPECT_EQ(f->windowTitle(), u"修改密码"_s);
            f->Edit1->setText(text);
            (ok ? f->BitBtn1 : f->BitBtn2)->click();
        });
    }
    static void Click(QWidget* w) {
        const QPointF pos(w->width() / 2.0, w->height() / 2.0);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &e);
        }
    }
    qint64 AddAccount(const QString& name) {
        Sql(u"INSERT INTO Account (AccountName) VALUES (?)"_s, {name});
        return Scalar(u"SELECT last_insert_rowid()"_s).toLongLong();
    }
    void Bill(const QString& serial, const QString& customer, double sum, const QString& date,
              const QString& man = u"总经理"_s) {
        AddBill(customer, sum, QDate::fromString(date, Qt::ISODate), man);
        Sql(u"UPDATE Bill SET BillSerial = ? WHERE BillIndex = (SELECT MAX(BillIndex) FROM Bill)"_s,
            {serial});
    }
    void Voucher(const QString& serial, qint64 account, const QString& customer, double sum,
                 const QString& date, const QString& man = u"总经理"_s) {
        AddVoucher(customer, sum, QDate::fromString(date, Qt::ISODate), man);
        Sql(u"UPDATE MoneyTable SET MoneySerial = ?, MoneyAccount = ? "
            "WHERE MoneyIndex = (SELECT MAX(MoneyIndex) FROM MoneyTable)"_s,
            {serial, account});
    }
    static QStringList Column(const TDataGrid* grid, const QString& field) {
        QStringList values;
        for (int row = 0; row < grid->RowCount(); ++row)
            values << grid->CellText(row, field);
        values.sort();
        return values;
    }
    BillReportList* Bills() const { return static_cast<BillReportList*>(FormMain->BillReport); }
    MoneyReportList* Vouchers() const { return static_cast<MoneyReportList*>(FormMain->MoneyReport); }
};

TEST_F(CustomerWindowTest, BalanceIsTheFormulaUpToTheWorkingDate) {
    const qint64 c = AddCustomer(u"张三"_s, 1000, u"王建国"_s);
    Sql(u"UPDATE Customer SET CustomerPhone = '0571-8888', CustomerHandPhone = '13800001111' "
        "WHERE CustomerIndex = ?"_s,
        {c});
    AddBill(u"张三"_s, 500, QDate(2024, 3, 1));
    AddBill(u"张三"_s, -300, QDate(2024, 3, 5));
    AddVoucher(u"张三"_s, 200, QDate(2024, 3, 10));
    AddVoucher(u"张三"_s, -50, QDate(2024, 3, 15)); // on the working date: counted
    AddBill(u"张三"_s, 9999, QDate(2024, 3, 16));   // after it: left out
    AddVoucher(u"张三"_s, 777, QDate(2024, 3, 16));
    AddBill(u"李四"_s, 123, QDate(2024, 3, 1)); // someone else's

    ASSERT_TRUE(Show(c));
    EXPECT_EQ(Fields(), (QStringList{u"张三"_s, u"0571-8888"_s, u"王建国"_s, u"13800001111"_s}));
    EXPECT_EQ(Amounts(), (QStringList{u"1000"_s, u"500"_s, u"300"_s, u"150"_s, u"1050"_s}));

    // Each showing recomputes at the working date of the moment.
    FormMain->SetWorkingDate(QDate(2024, 3, 4));
    ASSERT_TRUE(Show(c));
    EXPECT_EQ(Amounts(), (QStringList{u"1000"_s, u"500"_s, u"0"_s, u"0"_s, u"1500"_s}));
    FormMain->SetWorkingDate(QDate(2024, 2, 1));
    ASSERT_TRUE(Show(c));
    EXPECT_EQ(Amounts(), (QStringList{u"1000"_s, u"0"_s, u"0"_s, u"0"_s, u"1000"_s}));

    // A quote in the name is text like any other; cents add up without residue.
    FormMain->SetWorkingDate(ui.today);
    const qint64 q = AddCustomer(u"O'Brien"_s, 0.1);
    AddBill(u"O'Brien"_s, 0.1, QDate(2024, 3, 1));
    AddBill(u"O'Brien"_s, 0.2, QDate(2024, 3, 1));
    AddVoucher(u"O'Brien"_s, 0.1, QDate(2024, 3, 1));
    AddVoucher(u"O'Brien"_s, 0.2, QDate(2024, 3, 1));
    ASSERT_TRUE(Show(q));
    EXPECT_EQ(Amounts(), (QStringList{u"0.1"_s, u"0.3"_s, u"0"_s, u"0.3"_s, u"0.1"_s}));
}

TEST_F(CustomerWindowTest, FailingStatementShowsItsMessageAndNoOtherCustomersFigures) {
    const qint64 a = AddCustomer(u"甲"_s, 100);
    AddBill(u"甲"_s, 500, QDate(2024, 3, 1));
    const qint64 b = AddCustomer(u"乙"_s, 7);
    ASSERT_TRUE(Show(a));
    ASSERT_EQ(Amounts(), (QStringList{u"100"_s, u"500"_s, u"0"_s, u"0"_s, u"600"_s}));

    Sql(u"ALTER TABLE MoneyTable RENAME TO MoneyAway"_s);
    ui.ExpectMessage(u"数据库打开失败"_s);
    EXPECT_TRUE(Show(b)); // the window still opens
    EXPECT_EQ(FormCustomer->Edit1->text(), u"乙"_s);
    EXPECT_EQ(Amounts(), (QStringList{u"7"_s, u"0"_s, u"0"_s, u""_s, u""_s}));

    Sql(u"ALTER TABLE Customer RENAME TO CustomerAway"_s);
    ui.ExpectMessage(u"客户资料表打开失败"_s);
    EXPECT_TRUE(Show(a));
    EXPECT_EQ(Fields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));
    EXPECT_EQ(Amounts(), (QStringList{u""_s, u""_s, u""_s, u""_s, u""_s}));
}

TEST_F(CustomerWindowTest, TileClickOpensTheWindowAndAVanishedCustomerLeavesThePage) {
    const qint64 a = AddCustomer(u"甲"_s);
    AddCustomer(u"乙"_s);
    Page()->Refresh();
    ASSERT_EQ(TileTexts(2)[0], u"甲"_s); // by number, descending

    ui.ExpectModal<TFormCustomer>(u"FormCustomer"_s, [a](TFormCustomer* f) {
        EXPECT_EQ(f->CurrentCustomer, a);
        EXPECT_EQ(f->Edit1->text(), u"甲"_s);
        f->Cancel->click();
    });
    Click(Page()->Tile(2));
    EXPECT_EQ(VisibleTiles(), 2);

    // Deleted since its tile was drawn: the message, then the window closes with OK and the
    // page drops the tile.
    Sql(u"DELETE FROM Customer WHERE CustomerIndex = ?"_s, {a});
    ui.ExpectModal<TFormCustomer>(u"FormCustomer"_s, [](TFormCustomer*) { ADD_FAILURE() << "window shown"; });
    ui.ExpectMessage(u"该客户记录已被删除"_s);
    Click(Page()->Tile(2));
    EXPECT_EQ(VisibleTiles(), 1);
    EXPECT_EQ(TileTexts(1)[0], u"乙"_s);
}

TEST_F(CustomerWindowTest, NewDocumentsAreForTheCustomerWhoseBoxIsFixed) {
    const qint64 c = AddCustomer(u"张三"_s);
    AddCustomer(u"李四"_s);
    AddAccount(u"现金"_s);
    struct Case {
        QPushButton* TFormCustomer::*button;
        QString kind;
        bool bill;
        int page;
        double stored;
    };
    const Case cases[] = {
        {&TFormCustomer::SellButton, u"销售开单"_s, true, TFormMain::BillPage, 120},
        {&TFormCustomer::BuyButton, u"采购开单"_s, true, TFormMain::BillPage, -120},
        {&TFormCustomer::GetButton, u"财务收入单"_s, false, TFormMain::VoucherPage, 120},
        {&TFormCustomer::PayButton, u"财务支出单"_s, false, TFormMain::VoucherPage, -120},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.kind.toStdString());
        const QString table = k.bill ? u"Bill"_s : u"MoneyTable"_s;
        const QString sumColumn = k.bill ? u"BillSum"_s : u"MoneySum"_s;
        const QString userColumn = k.bill ? u"BillUser"_s : u"MoneyUser"_s;
        Sql(u"DELETE FROM "_s + table);
        FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
        ASSERT_TRUE(Show(c));
        auto check = [&](QComboBox* customer) {
            EXPECT_EQ(customer->currentText(), u"张三"_s);
            EXPECT_FALSE(customer->isEnabled());
        };
        // Cancelled in the editor: the window stays open, nothing changes.
        if (k.bill) {
            ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [&](TFormBuySell* f) {
                EXPECT_EQ(f->OpenMode, OpenMode::New);
                EXPECT_EQ(tev::Text(f->DocKind), k.kind);
                check(f->ComboBox5);
                f->BitBtn2->click();
            });
        } else {
            ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [&](TFormGetPay* f) {
                EXPECT_EQ(f->OpenMode, OpenMode::New);
                EXPECT_EQ(tev::Text(f->DocKind), k.kind);
                EXPECT_EQ(f->LinkedBill, 0);
                check(f->ComboBox5);
                f->BitBtn2->click();
            });
        }
        EXPECT_EQ(ClosedWith([&] { (FormCustomer->*k.button)->click(); }), -1);
        EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::CustomerPage));

        // Stored: the document is the customer's, the window closes with Cancel on its page.
        if (k.bill) {
            ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [&](TFormBuySell* f) {
                f->Edit2->setText(u"120"_s);
                ui.ExpectMessage(u"单据新增成功"_s);
                f->BitBtn1->click();
            });
        } else {
            ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [&](TFormGetPay* f) {
                f->ComboBox1->setCurrentIndex(f->ComboBox1->findText(u"现金"_s));
                f->Edit2->setText(u"120"_s);
                ui.ExpectMessage(u"记录新增成功"_s);
                f->BitBtn1->click();
            });
        }
        EXPECT_EQ(ClosedWith([&] { (FormCustomer->*k.button)->click(); }), int(QDialog::Rejected));
        EXPECT_EQ(FormMain->PageControl1->currentIndex(), k.page);
        EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM "_s + table).toInt(), 1);
        EXPECT_EQ(Scalar(u"SELECT %1 FROM %2"_s.arg(userColumn, table)).toString(), u"张三"_s);
        EXPECT_DOUBLE_EQ(Scalar(u"SELECT %1 FROM %2"_s.arg(sumColumn, table)).toDouble(), k.stored);
    }
}

TEST_F(CustomerWindowTest, MonthButtonsHandTheWholeMonthToTheListsAndShowThePage) {
    const qint64 c = AddCustomer(u"张三"_s);
    const qint64 cash = AddAccount(u"现金"_s);
    FormMain->SetWorkingDate(QDate(2024, 2, 15));
    Bill(u"XS-0131"_s, u"张三"_s, 10, u"2024-01-31"_s);
    Bill(u"XS-0201"_s, u"张三"_s, 20, u"2024-02-01"_s);
    Bill(u"XS-0229"_s, u"张三"_s, 30, u"2024-02-29"_s); // after the working date, in its month
    Bill(u"XS-0301"_s, u"张三"_s, 40, u"2024-03-01"_s);
    Bill(u"XS-LS"_s, u"李四"_s, 50, u"2024-02-10"_s);
    Bill(u"CG-0210"_s, u"张三"_s, -60, u"2024-02-10"_s);
    Voucher(u"SR-0203"_s, cash, u"张三"_s, 70, u"2024-02-03"_s);
    Voucher(u"SR-0301"_s, cash, u"张三"_s, 80, u"2024-03-01"_s);
    Voucher(u"ZC-0204"_s, cash, u"张三"_s, -90, u"2024-02-04"_s);

    struct Case {
        QPushButton* TFormCustomer::*button;
        bool bills;
        QStringList serials;
    };
    const Case cases[] = {
        {&TFormCustomer::Button1, true, {u"XS-0201"_s, u"XS-0229"_s}},
        {&TFormCustomer::Button2, true, {u"CG-0210"_s}},
        {&TFormCustomer::Button3, false, {u"SR-0203"_s}},
        {&TFormCustomer::Button4, false, {u"ZC-0204"_s}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE((FormCustomer->*k.button)->text().toStdString());
        FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
        ASSERT_TRUE(Show(c));
        EXPECT_EQ(ClosedWith([&] { (FormCustomer->*k.button)->click(); }), int(QDialog::Rejected));
        if (k.bills) {
            EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillSerial"_s), k.serials);
            EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::BillReportPage));
        } else {
            EXPECT_EQ(Column(Vouchers()->DBGridEh1, u"MoneySerial"_s), k.serials);
            EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::MoneyReportPage));
        }
    }

    // The customer gone meanwhile: nothing happens.
    ASSERT_TRUE(Show(c));
    const QString kept = Bills()->SavedStatement();
    Sql(u"DELETE FROM Customer WHERE CustomerIndex = ?"_s, {c});
    EXPECT_EQ(ClosedWith([] { FormCustomer->Button1->click(); }), -1);
    EXPECT_EQ(Bills()->SavedStatement(), kept);
}

TEST_F(CustomerWindowTest, SalesmanSeesHisButtonsAndHisDocumentsButEveryonesTotals) {
    AddSalesman(u"李明"_s, u""_s, u"业务管理；"_s);
    const qint64 c = AddCustomer(u"甲公司"_s, 0, {}, u"李明"_s);
    Bill(u"XS1"_s, u"甲公司"_s, 800, u"2024-03-01"_s, u"李明"_s);
    Bill(u"XS2"_s, u"甲公司"_s, 200, u"2024-03-02"_s, u"总经理"_s);
    ExpectSignIn(u"李明"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());

    ASSERT_TRUE(Show(c));
    EXPECT_EQ(FormCustomer->LabelSell->text(), u"1000"_s);
    for (QPushButton* b :
         {FormCustomer->Button1, FormCustomer->Button2, FormCustomer->SellButton, FormCustomer->BuyButton})
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
    for (QPushButton* b :
         {FormCustomer->Button3, FormCustomer->Button4, FormCustomer->GetButton, FormCustomer->PayButton})
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    FormCustomer->Button1->click();
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillSerial"_s), QStringList{u"XS1"_s});

    // Any other role sees all eight.
    CurrentRole = u"财务主管"_s;
    CurrentRange.clear();
    ASSERT_TRUE(Show(c));
    for (QPushButton* b : {FormCustomer->Button3, FormCustomer->GetButton})
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
}

TEST_F(CustomerWindowTest, ChangingTheCustomerAsksThePasswordAndOkRefreshesTheTiles) {
    const qint64 c = AddCustomer(u"甲"_s);
    Sql(u"UPDATE Power SET PowerKey = 'k' WHERE PowerName = '修改'"_s);
    Page()->Refresh();

    ASSERT_TRUE(Show(c));
    // A wrong password or a cancelled prompt: no editor, the window stays open.
    ExpectPassword(u"x"_s);
    ui.ExpectMessage(u"密码错误，请重新操作"_s);
    EXPECT_EQ(ClosedWith([] { FormCustomer->CustomerEdit->click(); }), -1);
    ExpectPassword(u"k"_s, false);
    EXPECT_EQ(ClosedWith([] { FormCustomer->CustomerEdit->click(); }), -1);
    // The editor cancelled: the window stays open.
    ExpectPassword(u"k"_s);
    ui.ExpectModal<TFormCustomer2>(u"FormCustomer2"_s, [c](TFormCustomer2* f) {
        EXPECT_EQ(f->EditMode, 1);
        EXPECT_EQ(f->EditIndex, c);
        EXPECT_EQ(f->CustomerName->text(), u"甲"_s);
        f->BitBtn2->click();
    });
    EXPECT_EQ(ClosedWith([] { FormCustomer->CustomerEdit->click(); }), -1);

    // Renamed from the window opened by its tile: the window closes with OK and the tile
    // shows the new name.
    ui.ExpectModal<TFormCustomer>(u"FormCustomer"_s, [this](TFormCustomer* f) {
        ExpectPassword(u"k"_s);
        ui.ExpectModal<TFormCustomer2>(u"FormCustomer2"_s, [this](TFormCustomer2* e) {
            e->CustomerName->setText(u"甲方"_s);
            ui.ExpectMessage(u"客户资料修改成功"_s);
            e->BitBtn1->click();
        });
        f->CustomerEdit->click();
        EXPECT_EQ(f->result(), int(QDialog::Accepted));
    });
    Click(Page()->Tile(1));
    EXPECT_EQ(TileTexts(1)[0], u"甲方"_s);
}

// A kept list follows changes: the customer's month list shows the customer's new name at
// once after a rename in the customer window, and says what it shows.
TEST_F(CustomerWindowTest, KeptListsFollowARenameInTheCustomerWindow) {
    const qint64 c = AddCustomer(u"甲"_s);
    Bill(u"XS-1"_s, u"甲"_s, 800, u"2024-03-01"_s);
    Bill(u"XS-2"_s, u"乙"_s, 100, u"2024-03-01"_s);
    Page()->Refresh();
    ASSERT_TRUE(Show(c));
    FormCustomer->Button1->click(); // this month's sales into the bill list
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillUser"_s), QStringList{u"甲"_s});
    EXPECT_EQ(Bills()->ConditionsLine->text(), u"查询条件：客户“甲”本月（2024年3月）销售单据"_s);

    ui.ExpectModal<TFormCustomer>(u"FormCustomer"_s, [this](TFormCustomer* f) {
        ui.ExpectModal<TFormCustomer2>(u"FormCustomer2"_s, [this](TFormCustomer2* e) {
            e->CustomerName->setText(u"甲方"_s);
            ui.ExpectMessage(u"客户资料修改成功"_s);
            e->BitBtn1->click();
        });
        f->CustomerEdit->click();
    });
    Click(Page()->Tile(1));
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillUser"_s), QStringList{u"甲方"_s});
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillSerial"_s), QStringList{u"XS-1"_s});
    EXPECT_EQ(Bills()->ConditionsLine->text(), u"查询条件：客户“甲方”本月（2024年3月）销售单据"_s);
}

TEST_F(CustomerWindowTest, FolderIsCreatedInsideTheProgramFolderAndOpened) {
    const QString root = DataDir + u"客户目录"_s;
    const qint64 c = AddCustomer(u"张三"_s);
    ASSERT_TRUE(Show(c));
    ui.ExpectOpenUrl();
    Click(FormCustomer->Image1);
    EXPECT_EQ(ui.lastUrl, QUrl::fromLocalFile(root + u"/张三"_s));
    EXPECT_TRUE(QDir(root + u"/张三"_s).exists());
    // Existing already: opened again; the desktop failing to open it says so.
    ui.ExpectOpenUrl(false);
    ui.ExpectMessage(u"无法打开客户目录：%1"_s.arg(QDir::toNativeSeparators(root + u"/张三"_s)));
    FormCustomer->Image1Click();

    // A name that would climb out stays inside; one that names no folder is refused.
    const qint64 escape = AddCustomer(u"../逃逸"_s);
    ASSERT_TRUE(Show(escape));
    ui.ExpectOpenUrl();
    FormCustomer->Image1Click();
    EXPECT_EQ(ui.lastUrl, QUrl::fromLocalFile(root + u"/___逃逸"_s));
    EXPECT_FALSE(QDir(DataDir + u"逃逸"_s).exists());
    const qint64 dots = AddCustomer(u".."_s);
    ASSERT_TRUE(Show(dots));
    ui.ExpectMessage(u"客户名称不能用作目录名"_s);
    FormCustomer->Image1Click();
    EXPECT_EQ(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{u"___逃逸"_s, u"张三"_s}));

    // The frame lights up while the mouse is over the picture.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(FormCustomer->Shape1, &enter);
    EXPECT_EQ(FormCustomer->Shape1->palette().color(QPalette::Window), TFormCustomer::HoverColour());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(FormCustomer->Shape1, &leave);
    EXPECT_EQ(FormCustomer->Shape1->palette().color(QPalette::Window), QColor(Qt::white));
}

} // namespace
