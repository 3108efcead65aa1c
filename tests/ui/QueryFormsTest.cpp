// The bill and voucher query forms: the statement each combination of fields builds and the
// rows the report list then shows, the checks of the amount range, the month search, the
// reset at every showing, cancelling, and what a salesman is offered and finds.

#include "tests/ui/DocumentFixture.h"

#include "reports/BillReportForm.h"
#include "reports/MoneyReportForm.h"
#include "reports/ReportLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

const QString kBillBase = BillQuerySelect() + u" Where (BillIndex > 1)"_s;
const QString kMoneyBase = MoneyQuerySelect();

// A search with only the fields the case sets.
template <typename T> T Input(void (*set)(T&)) {
    T input;
    set(input);
    return input;
}

class QueryFormsTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        cash = AddAccount(u"现金"_s);
        bank = AddAccount(u"银行"_s);
        for (const QString& name : {u"张三公司"_s, u"李四"_s, u"O'Brien"_s})
            AddCustomer(name);
        Sql(u"UPDATE Customer SET CustomerMan = '李娜' WHERE CustomerName = '张三公司'"_s);
        Sql(u"UPDATE Account SET AccountMan = '王强' WHERE AccountName = '银行'"_s);

        const qint64 xs1 = Bill(u"XS1"_s, u"销售开单"_s, 100, u"2024-03-01"_s, u"李娜"_s, u"张三公司"_s);
        Bill(u"XS2"_s, u"销售开单"_s, 500, u"2024-03-20"_s, u"王强"_s, u"李四"_s);
        Bill(u"CG1"_s, u"采购开单"_s, -100, u"2024-02-10"_s, u"李娜"_s, u"张三公司"_s);
        Bill(u"CG2"_s, u"采购开单"_s, -600, u"2024-03-05"_s, u"王强"_s, u"O'Brien"_s);
        Sql(u"UPDATE Bill SET BillReason = '房屋租赁', BillState = '已完成', BillRemark = '加急客户' "
            "WHERE BillSerial = 'XS2'"_s);

        Voucher(u"SR1"_s, cash, 300, u"2024-03-02"_s, u"李娜"_s, u"张三公司"_s, xs1);
        Voucher(u"SR2"_s, bank, 0, u"2024-03-03"_s, u"王强"_s, u"李四"_s);
        Voucher(u"ZC1"_s, cash, -150, u"2024-03-04"_s, u"王强"_s, u"O'Brien"_s);
        Voucher(u"ZC2"_s, bank, -50, u"2024-02-20"_s, u"李娜"_s, u"张三公司"_s);
        Sql(u"UPDATE MoneyTable SET MoneyReason = '中介服务', MoneyType = '佣金', MoneyToken = '现金', "
            "MoneyRemark = '退回定金' WHERE MoneySerial = 'ZC1'"_s);
    }

    qint64 Bill(const QString& serial, const QString& kind, double sum, const QString& date,
                const QString& man, const QString& customer) {
        const qint64 bill = AddBill(kind, customer, sum, serial);
        Sql(u"UPDATE Bill SET BillCreateTime = ?, BillMan = ? WHERE BillIndex = ?"_s, {date, man, bill});
        return bill;
    }
    void Voucher(const QString& serial, qint64 account, double sum, const QString& date, const QString& man,
                 const QString& customer, qint64 bill = 0) {
        const qint64 v = AddVoucher(account, customer, sum, bill, serial);
        Sql(u"UPDATE MoneyTable SET MoneyCreateTime = ?, MoneyMan = ? WHERE MoneyIndex = ?"_s,
            {date, man, v});
    }
    void SignInAsSalesman(const QString& name) {
        CurrentRole = u"业务员"_s;
        CurrentUser = name;
        CustomerFilter = u" And (CustomerMan = '%1')"_s.arg(name);
        AccountFilter = u" And (AccountMan = '财务主管' Or AccountMan = '%1')"_s.arg(name);
        BillFilter = u" And (BillMan = '%1')"_s.arg(name);
        VoucherFilter = u" And (MoneyMan = '%1')"_s.arg(name);
    }
    void TearDown() override {
        CustomerFilter.clear();
        AccountFilter.clear();
        BillFilter.clear();
        VoucherFilter.clear();
        DocumentFixture::TearDown();
    }

    BillReportList* Bills() const { return static_cast<BillReportList*>(FormMain->BillReport); }
    MoneyReportList* Vouchers() const { return static_cast<MoneyReportList*>(FormMain->MoneyReport); }
    static QStringList Serials(const TDataGrid* grid, const QString& field) {
        QStringList values;
        for (int row = 0; row < grid->RowCount(); ++row)
            values << grid->CellText(row, field);
        return values;
    }
    QStringList BillRows() const { return Serials(Bills()->DBGridEh2, u"BillSerial"_s); }
    QStringList VoucherRows() const { return Serials(Vouchers()->DBGridEh1, u"MoneySerial"_s); }

    // Opens a form from its list page's "查找单据" button and hands it to act.
    template <typename Form>
    void OpenFromPage(QPushButton* button, const QString& name, std::function<void(Form*)> act) {
        ui.ExpectModal<Form>(name, act);
        button->click();
    }

    qint64 cash = 0, bank = 0;
};

TEST_F(QueryFormsTest, BillFieldsBecomeConditionsInTheirOrderAndFindTheirRows) {
    static const QDate d1(2024, 3, 1), d10(2024, 3, 10);
    const struct Case {
        const char* what;
        BillQueryInput in;
        QString conditions;
        QStringList rows; // in time order
    } cases[] = {
        {"nothing asked", BillQueryInput{}, u""_s, {u"CG1"_s, u"XS1"_s, u"CG2"_s, u"XS2"_s}},
        {"date range",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.period = true;
             i.from = d1;
             i.to = d10;
         }),
         u" And (BillCreateTime Between #2024-3-1# And #2024-3-10#)"_s,
         {u"XS1"_s, u"CG2"_s}},
        {"date range back to front",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.period = true;
             i.from = d10;
             i.to = d1;
         }),
         u" And (BillCreateTime Between #2024-3-1# And #2024-3-10#)"_s,
         {u"XS1"_s, u"CG2"_s}},
        {"purchase amounts as magnitudes, bounds inclusive",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.kind = u"采购开单"_s;
             i.amounts = true;
             i.lower = u"100"_s;
             i.upper = u"500"_s;
         }),
         u" And (BillSum <= -100) And (BillSum >= -500) And (BillKind = '采购开单')"_s,
         {u"CG1"_s}},
        {"sales amounts, bounds inclusive",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.kind = u"销售开单"_s;
             i.amounts = true;
             i.lower = u"100"_s;
             i.upper = u"500"_s;
         }),
         u" And (BillSum >= 100) And (BillSum <= 500) And (BillKind = '销售开单')"_s,
         {u"XS1"_s, u"XS2"_s}},
        {"sales upper bound only",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.kind = u"销售开单"_s;
             i.amounts = true;
             i.upper = u"99.5"_s;
         }),
         u" And (BillSum <= 99.5) And (BillKind = '销售开单')"_s,
         {}},
        {"amounts kept but range unchecked",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.kind = u"采购开单"_s;
             i.lower = u"100"_s;
             i.upper = u"500"_s;
         }),
         u" And (BillKind = '采购开单')"_s,
         {u"CG1"_s, u"CG2"_s}},
        {"business kind and progress",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.reason = u"房屋租赁"_s;
             i.state = u"已完成"_s;
         }),
         u" And (BillReason = '房屋租赁') And (BillState = '已完成')"_s,
         {u"XS2"_s}},
        {"customer, part of the name",
         Input<BillQueryInput>([](BillQueryInput& i) { i.customer = u"张三"_s; }),
         u" And (InStr(BillUser,'张三'))"_s,
         {u"CG1"_s, u"XS1"_s}},
        {"customer cleared: every bill with a customer",
         Input<BillQueryInput>([](BillQueryInput& i) { i.customer = u""_s; }),
         u" And (InStr(BillUser,''))"_s,
         {u"CG1"_s, u"XS1"_s, u"CG2"_s, u"XS2"_s}},
        {"remark, number and salesman in that order",
         Input<BillQueryInput>([](BillQueryInput& i) {
             i.remark = u"加急"_s;
             i.serial = u"xs"_s;
             i.salesman = u"王"_s;
         }),
         u" And (InStr(BillRemark,'加急')) And (InStr(BillSerial,'xs')) And (InStr(BillMan,'王'))"_s,
         {u"XS2"_s}},
        {"a quote is searched literally",
         Input<BillQueryInput>([](BillQueryInput& i) { i.customer = u"O'Brien"_s; }),
         u" And (InStr(BillUser,'O''Brien'))"_s,
         {u"CG2"_s}},
        {"a quote in a list value",
         Input<BillQueryInput>([](BillQueryInput& i) { i.reason = u"x') Or (1=1"_s; }),
         u" And (BillReason = 'x'') Or (1=1')"_s,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString sql = BillQueryStatement(c.in, {});
        EXPECT_EQ(sql, kBillBase + c.conditions);
        FormMain->RunBillReport(sql);
        EXPECT_EQ(BillRows(), c.rows);
    }
}

TEST_F(QueryFormsTest, VoucherFieldsBecomeConditionsInTheirOrderAndFindTheirRows) {
    const struct Case {
        const char* what;
        MoneyQueryInput in;
        QString conditions;
        QStringList rows; // in time order
    } cases[] = {
        {"nothing asked: every voucher on an account",
         MoneyQueryInput{},
         u""_s,
         {u"ZC2"_s, u"SR1"_s, u"SR2"_s, u"ZC1"_s}},
        {"date range back to front",
         Input<MoneyQueryInput>([](MoneyQueryInput& i) {
             i.period = true;
             i.from = QDate(2024, 3, 31);
             i.to = QDate(2024, 3, 3);
         }),
         u" And (MoneyCreateTime Between #2024-3-3# And #2024-3-31#)"_s,
         {u"SR2"_s, u"ZC1"_s}},
        {"income with a range: a sum of 0 is income",
         Input<MoneyQueryInput>([](MoneyQueryInput& i) {
             i.kind = u"财务收入单"_s;
             i.amounts = true;
             i.lower = u"0"_s;
             i.upper = u"300"_s;
         }),
         u" And (MoneySum >= 0) And (MoneySum <= 300) And (MoneySum >= 0)"_s,
         {u"SR1"_s, u"SR2"_s}},
        {"expense lower magnitude only",
         Input<MoneyQueryInput>([](MoneyQueryInput& i) {
             i.kind = u"财务支出单"_s;
             i.amounts = true;
             i.lower = u"100"_s;
         }),
         u" And (MoneySum <= -100) And (MoneySum < 0)"_s,
         {u"ZC1"_s}},
        {"expense range as magnitudes",
         Input<MoneyQueryInput>([](MoneyQueryInput& i) {
             i.kind = u"财务支出单"_s;
             i.amounts = true;
             i.lower = u"10"_s;
             i.upper = u"100"_s;
         }),
         u" And (MoneySum <= -10) And (MoneySum >= -100) And (MoneySum < 0)"_s,
         {u"ZC2"_s}},
        {"account",
         Input<MoneyQueryInput>([](MoneyQueryInput& i) { i.account = u"银行"_s; }),
         u" And (AccountName = '银行')"_s,
         {u"ZC2"_s, u"SR2"_s}},
        {"item, category and voucher in that order",
         Input<MoneyQueryInput>([](MoneyQueryInput& i) {
             i.reason = u"中介服务"_s;
             i.type = u"佣金"_s;
             i.token = u"现金"_s;
         }),
         u" And (MoneyReason = '中介服务') And (MoneyType = '佣金') And (MoneyToken = '现金')"_s,
         {u"ZC1"_s}},
        {"customer, remark, number, salesman",
         Input<MoneyQueryInput>([](MoneyQueryInput& i) {
             i.customer = u"o'b"_s;
             i.remark = u"定金"_s;
             i.serial = u"ZC"_s;
             i.salesman = u"王强"_s;
         }),
         u" And (InStr(MoneyUser,'o''b')) And (InStr(MoneyRemark,'定金')) And (InStr(MoneySerial,'ZC'))"
         " And (InStr(MoneyMan,'王强'))"_s,
         {u"ZC1"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString sql = MoneyQueryStatement(c.in, {});
        EXPECT_EQ(sql, kMoneyBase + c.conditions);
        FormMain->RunMoneyReport(sql);
        EXPECT_EQ(VoucherRows(), c.rows);
    }
}

TEST_F(QueryFormsTest, BillFormRunsWhatItsFieldsSayShowsTheListAndClosesWithOk) {
    ASSERT_TRUE(Bills()->SpeedButton3->isEnabled());
    int result = -1;
    ui.ExpectModal<TFormBillReport>(u"FormBillReport"_s, [&](TFormBillReport* f) {
        // The lists: "所有" first and chosen, then the options and the customers.
        EXPECT_EQ(f->ComboBox5->count(), 3);
        EXPECT_EQ(f->ComboBox5->itemText(2), u"采购开单"_s);
        for (QComboBox* c : {f->ComboBox2, f->ComboBox3, f->ComboBox6}) {
            EXPECT_EQ(c->currentText(), u"所有"_s) << c->objectName().toStdString();
        }
        EXPECT_EQ(f->ComboBox2->count(),
                  1 + Scalar(u"SELECT COUNT(*) FROM Parameter WHERE ParameterType = 1"_s).toInt());
        EXPECT_EQ(f->ComboBox3->count(),
                  1 + Scalar(u"SELECT COUNT(*) FROM Parameter WHERE ParameterType = 4"_s).toInt());
        EXPECT_EQ(f->ComboBox6->count(), 4);
        EXPECT_EQ(f->FocusedControl(), f->ComboBox5);

        f->ComboBox5->setCurrentIndex(2); // 采购开单
        f->CheckBox2->click();
        EXPECT_TRUE(f->Edit2->isEnabled());
        f->Edit2->setText(u"200"_s);
        f->CheckBox1->click();
        EXPECT_TRUE(f->DateTimePicker1->isEnabled());
        f->ComboBox6->setCurrentText(u"brien"_s);
        f->SpeedButton1->click();
        result = f->result();
    });
    FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
    Bills()->SpeedButton3->click();

    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(Bills()->SavedStatement(),
              kBillBase + u" And (BillCreateTime Between #2024-3-1# And #2024-3-31#) And (BillSum <= -200)"
                          " And (BillKind = '采购开单') And (InStr(BillUser,'brien'))"_s);
    EXPECT_EQ(BillRows(), QStringList{u"CG2"_s});
    EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::BillReportPage));
    // The list says what it shows, in the order of the fields.
    EXPECT_EQ(
        Bills()->ConditionsLine->text(),
        u"查询条件：单据类型：采购开单；日期：2024-3-1至2024-3-31；金额：200至不限；客户名称含“brien”"_s);
}

TEST_F(QueryFormsTest, VoucherFormRunsWhatItsFieldsSayShowsTheListAndClosesWithOk) {
    ASSERT_TRUE(Vouchers()->MakeReport->isEnabled());
    int result = -1;
    ui.ExpectModal<TFormMoneyReport>(u"FormMoneyReport"_s, [&](TFormMoneyReport* f) {
        EXPECT_EQ(f->ComboBox5->itemText(1), u"财务收入单"_s);
        EXPECT_EQ(f->ComboBox1->count(), 3);
        EXPECT_EQ(f->ComboBox1->itemText(0), u"所有"_s);
        EXPECT_EQ(f->ComboBox4->count(),
                  1 + Scalar(u"SELECT COUNT(*) FROM Parameter WHERE ParameterType = 3"_s).toInt());
        SelectComboItem(f->ComboBox1, u"现金"_s);
        f->ComboBox5->setCurrentIndex(2); // 财务支出单
        f->Edit5->setText(u"Z"_s);
        f->BitBtn1->click();
        result = f->result();
    });
    Vouchers()->MakeReport->click();

    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(Vouchers()->SavedStatement(),
              kMoneyBase + u" And (AccountName = '现金') And (MoneySum < 0) And (InStr(MoneySerial,'Z'))"_s);
    EXPECT_EQ(VoucherRows(), QStringList{u"ZC1"_s});
    EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::MoneyReportPage));
    EXPECT_EQ(Vouchers()->Conditions(), u"单据类型：财务支出单；帐户：现金；单据编号含“Z”"_s);
}

TEST_F(QueryFormsTest, AmountRangeChecksAndRefusals) {
    ui.ExpectModal<TFormBillReport>(u"FormBillReport"_s, [&](TFormBillReport* f) {
        // No range before a kind is chosen.
        ui.ExpectMessage(u"请先选定“单据类型”后再填金额范围"_s);
        f->CheckBox2->click();
        EXPECT_FALSE(f->CheckBox2->isChecked());
        EXPECT_FALSE(f->Edit2->isEnabled());

        f->ComboBox5->setCurrentIndex(1);
        f->CheckBox2->click();
        ASSERT_TRUE(f->Edit4->isEnabled());
        // Back to "所有": the amounts go, the box stays checked and asks for nothing.
        f->Edit2->setText(u"1"_s);
        f->Edit4->setText(u"2"_s);
        f->ComboBox5->setCurrentIndex(0);
        EXPECT_TRUE(f->CheckBox2->isChecked());
        EXPECT_EQ(f->Edit2->text(), u""_s);
        EXPECT_FALSE(f->Edit4->isEnabled());
        EXPECT_EQ(f->Edit4->text(), u""_s);

        // A bad amount is refused whether the range is in use or not; nothing runs.
        f->ComboBox5->setCurrentIndex(1);
        f->CheckBox2->click(); // unchecked again: the amounts stay
        EXPECT_FALSE(f->CheckBox2->isChecked());
        f->CheckBox2->click();
        const struct {
            QString lower, upper;
            QLineEdit* focus;
        } bad[] = {
            {u"abc"_s, u"5"_s, f->Edit2}, {u"-5"_s, u""_s, f->Edit2},    {u"1.2.3"_s, u""_s, f->Edit2},
            {u"5"_s, u"."_s, f->Edit4},   {u""_s, u"1,000"_s, f->Edit4},
        };
        for (const auto& b : bad) {
            f->Edit2->setText(b.lower);
            f->Edit4->setText(b.upper);
            ui.ExpectMessage(u"金额格式有误，请重新输入"_s);
            f->SpeedButton1->click();
            EXPECT_EQ(f->FocusedControl(), b.focus) << b.lower.toStdString() << "/" << b.upper.toStdString();
            EXPECT_EQ(f->result(), QDialog::Rejected);
        }
        f->CheckBox2->click();
        ASSERT_FALSE(f->CheckBox2->isChecked());
        EXPECT_EQ(f->Edit4->text(), u"1,000"_s);
        ui.ExpectMessage(u"金额格式有误，请重新输入"_s);
        f->SpeedButton1->click();
        EXPECT_EQ(f->FocusedControl(), f->Edit4);
        f->SpeedButton2->click();
    });
    Bills()->SpeedButton3->click();
    EXPECT_EQ(Bills()->SavedStatement(), u""_s);
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 0);
}

TEST_F(QueryFormsTest, EveryShowingStartsAfresh) {
    ui.ExpectModal<TFormMoneyReport>(u"FormMoneyReport"_s, [&](TFormMoneyReport* f) {
        f->ComboBox5->setCurrentIndex(1);
        f->CheckBox1->click();
        f->CheckBox2->click();
        f->DateTimePicker1->setDate(QDate(2023, 1, 1));
        for (QLineEdit* e : {f->Edit2, f->Edit4, f->Edit3, f->Edit5, f->Edit6})
            e->setText(u"1"_s);
        SelectComboItem(f->ComboBox1, u"银行"_s);
        SelectComboItem(f->ComboBox3, f->ComboBox3->itemText(1));
        f->ComboBox6->setCurrentText(u"张"_s);
        f->BitBtn1->click();
    });
    Vouchers()->MakeReport->click();
    FormMain->SetWorkingDate(QDate(2024, 2, 29));
    ui.ExpectModal<TFormMoneyReport>(u"FormMoneyReport"_s, [&](TFormMoneyReport* f) {
        for (QLineEdit* e : {f->Edit2, f->Edit3, f->Edit4, f->Edit5, f->Edit6}) {
            EXPECT_EQ(e->text(), u""_s) << e->objectName().toStdString();
        }
        EXPECT_FALSE(f->Edit6->isReadOnly());
        for (QComboBox* c :
             {f->ComboBox1, f->ComboBox2, f->ComboBox3, f->ComboBox4, f->ComboBox5, f->ComboBox6}) {
            EXPECT_EQ(c->currentText(), u"所有"_s) << c->objectName().toStdString();
        }
        EXPECT_FALSE(f->CheckBox1->isChecked());
        EXPECT_FALSE(f->CheckBox2->isChecked());
        for (QWidget* w :
             std::initializer_list<QWidget*>{f->DateTimePicker1, f->DateTimePicker2, f->Edit2, f->Edit4}) {
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        }
        EXPECT_EQ(f->DateTimePicker1->date(), QDate(2024, 2, 1));
        EXPECT_EQ(f->DateTimePicker2->date(), QDate(2024, 2, 29));
        EXPECT_EQ(f->FocusedControl(), f->ComboBox5);
        // Nothing of the last search is left: OK now lists every voucher.
        f->BitBtn1->click();
    });
    Vouchers()->MakeReport->click();
    EXPECT_EQ(Vouchers()->SavedStatement(), kMoneyBase);
    EXPECT_EQ(VoucherRows().size(), 4);
}

TEST_F(QueryFormsTest, MonthSearchIgnoresTheFieldsAndTakesTheWorkingMonth) {
    EXPECT_EQ(BillMonthStatement(QDate(2024, 2, 10)),
              BillQuerySelect() + u" Where (BillCreateTime Between #2024-2-1# And #2024-2-29#)"_s);
    EXPECT_EQ(MoneyMonthStatement(QDate(2023, 12, 31)),
              MoneyQuerySelect() + u" And (MoneyCreateTime Between #2023-12-1# And #2023-12-31#)"_s);

    ui.ExpectModal<TFormBillReport>(u"FormBillReport"_s, [&](TFormBillReport* f) {
        f->Edit5->setText(u"CG"_s);
        f->Button1->click();
        EXPECT_EQ(f->result(), QDialog::Accepted);
    });
    Bills()->SpeedButton3->click();
    EXPECT_EQ(Bills()->SavedStatement(), BillMonthStatement(workingDate));
    EXPECT_EQ(BillRows(), QStringList({u"XS1"_s, u"CG2"_s, u"XS2"_s}));
    EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::BillReportPage));
    EXPECT_EQ(Bills()->Conditions(), u"本月（2024年3月）业务单据"_s);

    ui.ExpectModal<TFormMoneyReport>(u"FormMoneyReport"_s, [&](TFormMoneyReport* f) {
        f->Edit5->setText(u"ZC"_s);
        f->Button1->click();
    });
    Vouchers()->MakeReport->click();
    EXPECT_EQ(VoucherRows(), QStringList({u"SR1"_s, u"SR2"_s, u"ZC1"_s}));
    EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::MoneyReportPage));
    EXPECT_EQ(Vouchers()->Conditions(), u"本月（2024年3月）财务单据"_s);
}

TEST_F(QueryFormsTest, CancelRunsNothing) {
    FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
    int billResult = -1, moneyResult = -1;
    ui.ExpectModal<TFormBillReport>(u"FormBillReport"_s, [&](TFormBillReport* f) {
        f->Edit5->setText(u"XS"_s);
        f->SpeedButton2->click();
        billResult = f->result();
    });
    Bills()->SpeedButton3->click();
    ui.ExpectModal<TFormMoneyReport>(u"FormMoneyReport"_s, [&](TFormMoneyReport* f) {
        f->Edit5->setText(u"SR"_s);
        f->BitBtn2->click();
        moneyResult = f->result();
    });
    Vouchers()->MakeReport->click();

    EXPECT_EQ(billResult, QDialog::Rejected);
    EXPECT_EQ(moneyResult, QDialog::Rejected);
    EXPECT_EQ(Bills()->SavedStatement(), u""_s);
    EXPECT_EQ(Vouchers()->SavedStatement(), u""_s);
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 0);
    EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::CustomerPage));
}

TEST_F(QueryFormsTest, SalesmanIsOfferedAndFindsOnlyHisOwn) {
    SignInAsSalesman(u"李娜"_s);
    ui.ExpectModal<TFormBillReport>(u"FormBillReport"_s, [&](TFormBillReport* f) {
        EXPECT_EQ(f->Edit6->text(), u"李娜"_s);
        EXPECT_TRUE(f->Edit6->isReadOnly());
        EXPECT_EQ(f->Edit6->palette().color(QPalette::Base), QColor(222, 222, 222));
        EXPECT_EQ(f->ComboBox6->count(), 2);
        EXPECT_EQ(f->ComboBox6->itemText(1), u"张三公司"_s);
        f->SpeedButton1->click();
    });
    Bills()->SpeedButton3->click();
    EXPECT_EQ(Bills()->SavedStatement(),
              kBillBase + u" And (BillMan = '李娜') And (InStr(BillMan,'李娜'))"_s);
    EXPECT_EQ(BillRows(), QStringList({u"CG1"_s, u"XS1"_s}));

    // The month search leaves the filter to the list, which adds it.
    ui.ExpectModal<TFormMoneyReport>(u"FormMoneyReport"_s, [&](TFormMoneyReport* f) {
        // Only the accounts he may see: the finance supervisor's and his own.
        EXPECT_EQ(f->ComboBox1->count(), 1);
        f->Button1->click();
    });
    Vouchers()->MakeReport->click();
    EXPECT_EQ(Vouchers()->SavedStatement(), MoneyMonthStatement(workingDate));
    EXPECT_EQ(VoucherRows(), QStringList{u"SR1"_s});

    // Signed in as someone else, the same form starts editable again.
    CurrentRole = u"管理员"_s;
    BillFilter.clear();
    ui.ExpectModal<TFormBillReport>(u"FormBillReport"_s, [&](TFormBillReport* f) {
        EXPECT_EQ(f->Edit6->text(), u""_s);
        EXPECT_FALSE(f->Edit6->isReadOnly());
        EXPECT_NE(f->Edit6->palette().color(QPalette::Base), QColor(222, 222, 222));
        f->SpeedButton2->click();
    });
    Bills()->SpeedButton3->click();
}

} // namespace
