// The two report list pages: running a statement with the salesman's filter, grouping and
// order, the footers, a refused statement, opening a document by double-click, printing.

#include "tests/ui/DocumentFixture.h"

#include "bills/BuySellForm.h"
#include "data/RowSource.h"
#include "domain/Reports.h"
#include "reports/ReportLists.h"
#include "rules/IniFile.h"
#include "rules/PublicFunction.h"
#include "vouchers/GetPayForm.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

const QString kBills =
    u"Select BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,IIF(Round(Sum(MoneySum),2) Is "
    "Null,0,Round(Sum(MoneySum),2)) As BillGet,BillSum-IIF(Round(Sum(MoneySum),2) Is "
    "Null,0,Round(Sum(MoneySum),2)) "
    "As BillOwe,BillMan,BillReason,BillState,BillRemark From (Bill Left Join MoneyTable On Bill.BillIndex = "
    "MoneyTable.MoneyBill) Where (BillIndex > 1)"_s;
const QString kVouchers =
    u"Select MoneyIndex,MoneyCreateTime,MoneySerial,AccountName,MoneyUser,MoneyIn,MoneyOut,MoneySum,MoneyMan,"
    "MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable Where (AccountIndex = "
    "MoneyAccount) "
    "And (MoneyIndex > 1)"_s;

class ReportListsTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        cash = AddAccount(u"现金"_s);
        bank = AddAccount(u"银行"_s);
    }
    BillReportList* Bills() const { return static_cast<BillReportList*>(FormMain->BillReport); }
    MoneyReportList* Vouchers() const { return static_cast<MoneyReportList*>(FormMain->MoneyReport); }

    qint64 Bill(const QString& serial, const QString& kind, double sum, const QString& date,
                const QString& man = u"李娜"_s, const QString& customer = u"张三"_s) {
        const qint64 bill = AddBill(kind, customer, sum, serial);
        Sql(u"UPDATE Bill SET BillCreateTime = ?, BillMan = ? WHERE BillIndex = ?"_s, {date, man, bill});
        return bill;
    }
    qint64 Voucher(const QString& serial, qint64 account, double sum, const QString& date, qint64 bill = 0,
                   const QString& man = u"李娜"_s) {
        const qint64 voucher = AddVoucher(account, u"张三"_s, sum, bill, serial);
        Sql(u"UPDATE MoneyTable SET MoneyCreateTime = ?, MoneyMan = ? WHERE MoneyIndex = ?"_s,
            {date, man, voucher});
        return voucher;
    }
    static QStringList Column(const TDataGrid* grid, const QString& field) {
        QStringList values;
        for (int row = 0; row < grid->RowCount(); ++row)
            values << grid->CellText(row, field);
        return values;
    }
    static QColor TextColour(const TDataGrid* grid, int row, const QString& field) {
        const auto* m = grid->Model();
        return m->data(m->index(row, grid->ColumnIndex(field)), Qt::ForegroundRole).value<QColor>();
    }
    void ExpectPreview(Report& report, QString* dump) {
        ui.ExpectModal(u"ReportPreview"_s, [&report, dump](QDialog*) { *dump = report.TextDump(); });
    }

    qint64 cash = 0, bank = 0;
};

TEST_F(ReportListsTest, PagesHoldTheirControls) {
    EXPECT_EQ(Bills()->DBGridEh2->parentWidget(), FormMain->TabSheet2);
    EXPECT_EQ(Vouchers()->DBGridEh1->parentWidget(), FormMain->TabSheet4);
    EXPECT_EQ(Bills()->DBGridEh2->Model()->headerData(6, Qt::Horizontal).toString(), u"未收金额"_s);
    EXPECT_EQ(Vouchers()->DBGridEh1->Model()->headerData(8, Qt::Horizontal).toString(), u"收支种类"_s);
    // The analysis is pressable before any search: it says itself what to do first.
    EXPECT_TRUE(Bills()->SpeedButton5->isEnabled());
    // Printing and the export need a list: greyed, saying why, until a search has run.
    for (QPushButton* b : {Bills()->SpeedButton4, Bills()->SpeedButton6, Vouchers()->SpeedButton7}) {
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_EQ(b->toolTip(), u"请先用“查找单据”查出单据"_s);
    }
    FormMain->RunBillReport(kBills);
    EXPECT_TRUE(Bills()->SpeedButton4->isEnabled());
    EXPECT_TRUE(Bills()->SpeedButton6->isEnabled());
    EXPECT_FALSE(Vouchers()->PrintReport->isEnabled());
    EXPECT_FALSE(Vouchers()->SpeedButton7->isEnabled());
    EXPECT_EQ(Vouchers()->PrintReport->text(), u"打印列表"_s);
    EXPECT_EQ(Bills()->ComboBox2->currentText(), u"按时间排"_s);
    EXPECT_EQ(Vouchers()->ComboBox9->itemText(1), u"按帐户排"_s);
}

TEST_F(ReportListsTest, OneRowPerBillWithReceivedOwedAndFooters) {
    const qint64 sold = Bill(u"XS1"_s, u"销售开单"_s, 1000, u"2024-03-01"_s);
    Voucher(u"SR1"_s, cash, 300, u"2024-03-02"_s, sold);
    Voucher(u"SR2"_s, bank, 200.333, u"2024-03-03"_s, sold);
    Voucher(u"SR3"_s, cash, 50, u"2024-03-03"_s, sold);
    Bill(u"CG1"_s, u"采购开单"_s, -800, u"2024-03-02"_s);

    FormMain->RunBillReport(kBills);
    const TDataGrid* g = Bills()->DBGridEh2;
    ASSERT_EQ(g->RowCount(), 2);
    EXPECT_EQ(Column(g, u"BillSerial"_s), QStringList({u"XS1"_s, u"CG1"_s}));
    EXPECT_EQ(Column(g, u"BillGet"_s), QStringList({u"550.33"_s, u"0"_s}));
    EXPECT_EQ(Column(g, u"BillOwe"_s), QStringList({u"449.67"_s, u"-800"_s}));
    EXPECT_EQ(g->CellText(0, u"BillCreateTime"_s), u"2024-3-1"_s);

    const struct {
        QString field, text;
        QColor colour;
    } footers[] = {
        {u"BillCreateTime"_s, u"共2条"_s, Qt::black}, {u"BillSum"_s, u"200"_s, Qt::black},
        {u"BillGet"_s, u"550.33"_s, Qt::blue},        {u"BillOwe"_s, u"-350.33"_s, Qt::red},
        {u"BillSerial"_s, u""_s, Qt::blue},
    };
    for (const auto& f : footers) {
        EXPECT_EQ(g->FooterText(f.field), f.text) << f.field.toStdString();
        if (!f.text.isEmpty()) {
            EXPECT_EQ(g->FooterColour(f.field), f.colour) << f.field.toStdString();
        }
    }
    // Negative bill amounts in red, the others in black.
    EXPECT_EQ(TextColour(g, 0, u"BillSum"_s), QColor(Qt::black));
    EXPECT_EQ(TextColour(g, 1, u"BillSum"_s), QColor(Qt::red));
    EXPECT_FALSE(TextColour(g, 1, u"BillOwe"_s).isValid());

    // A search's statement is read without the join: the same rows and figures.
    FormMain->RunBillReport(BillQuerySelect() + u" Where (BillIndex > 1)"_s);
    EXPECT_EQ(Column(g, u"BillGet"_s), QStringList({u"550.33"_s, u"0"_s}));
    EXPECT_EQ(Column(g, u"BillOwe"_s), QStringList({u"449.67"_s, u"-800"_s}));
    for (const auto& f : footers)
        EXPECT_EQ(g->FooterText(f.field), f.text) << f.field.toStdString();

    // A run that finds nothing leaves no stale count or sums.
    FormMain->RunBillReport(kBills + u" And (BillIndex < 0)"_s);
    EXPECT_EQ(g->RowCount(), 0);
    EXPECT_EQ(g->FooterText(u"BillCreateTime"_s), u""_s);
}

TEST_F(ReportListsTest, SalesmanSeesOnlyHisRowsAndTheFilterMayRepeat) {
    Bill(u"XS1"_s, u"销售开单"_s, 100, u"2024-03-01"_s, u"李娜"_s);
    Bill(u"XS2"_s, u"销售开单"_s, 200, u"2024-03-02"_s, u"王强"_s);
    Bill(u"XS3"_s, u"销售开单"_s, 300, u"2024-03-03"_s, u"李娜"_s);
    Voucher(u"SR1"_s, cash, 10, u"2024-03-01"_s, 0, u"王强"_s);
    Voucher(u"SR2"_s, cash, 20, u"2024-03-02"_s, 0, u"李娜"_s);
    BillFilter = u" And (BillMan = '李娜')"_s;
    VoucherFilter = u" And (MoneyMan = '李娜')"_s;

    FormMain->RunBillReport(kBills);
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillSerial"_s), QStringList({u"XS1"_s, u"XS3"_s}));
    EXPECT_EQ(Bills()->SavedStatement(), kBills);
    FormMain->RunBillReport(kBills + BillFilter);
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillSerial"_s), QStringList({u"XS1"_s, u"XS3"_s}));
    EXPECT_EQ(Bills()->DBGridEh2->FooterText(u"BillSum"_s), u"400"_s);

    FormMain->RunBillReport(kBills);
    FormMain->RunMoneyReport(kVouchers);
    EXPECT_EQ(Column(Vouchers()->DBGridEh1, u"MoneySerial"_s), QStringList({u"SR2"_s}));

    // Another user signs in: the kept statements run again with his filter — the list on
    // screen at once, the other one when its page is shown.
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillReportPage);
    BillFilter.clear();
    VoucherFilter.clear();
    FormMain->RefreshAllViews();
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 3);
    EXPECT_FALSE(Bills()->IsStale());
    EXPECT_TRUE(Vouchers()->IsStale());
    EXPECT_EQ(Vouchers()->DBGridEh1->RowCount(), 1); // not run yet
    FormMain->PageControl1->setCurrentIndex(TFormMain::MoneyReportPage);
    EXPECT_FALSE(Vouchers()->IsStale());
    EXPECT_EQ(Vouchers()->DBGridEh1->RowCount(), 2);
}

// A list kept on a page that is not shown does no work on a change, and shows exactly what a
// full run shows once its page is shown.
TEST_F(ReportListsTest, AListNotShownCatchesUpWhenItsPageIsShown) {
    Bill(u"XS1"_s, u"销售开单"_s, 100, u"2024-03-01"_s);
    FormMain->RunBillReport(kBills);
    FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
    Bill(u"XS2"_s, u"销售开单"_s, 250, u"2024-03-02"_s);
    Voucher(u"SR1"_s, cash, 40, u"2024-03-02"_s, Scalar(u"SELECT MAX(BillIndex) FROM Bill"_s).toLongLong());
    FormMain->RefreshAllViews();
    EXPECT_TRUE(Bills()->IsStale());
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 1);
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillReportPage);
    EXPECT_FALSE(Bills()->IsStale());
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillSerial"_s), QStringList({u"XS1"_s, u"XS2"_s}));
    EXPECT_EQ(Bills()->DBGridEh2->FooterText(u"BillSum"_s), u"350"_s);
    EXPECT_EQ(Bills()->DBGridEh2->FooterText(u"BillGet"_s), u"40"_s);
    // A print of a list that is out of date prints what it would show.
    FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
    Bill(u"XS3"_s, u"销售开单"_s, 1, u"2024-03-03"_s);
    FormMain->RefreshAllViews();
    QString dump;
    ExpectPreview(Bills()->frReport3, &dump);
    Bills()->PrintList();
    EXPECT_TRUE(dump.contains(u"XS3"_s)) << dump.toStdString();
}

TEST_F(ReportListsTest, TheThreeOrders) {
    // Serial, kind, amount, date, customer.
    const qint64 b1 = Bill(u"B1"_s, u"销售开单"_s, 500, u"2024-03-05"_s, u"李娜"_s, u"C公司"_s);
    Bill(u"B2"_s, u"采购开单"_s, -100, u"2024-03-01"_s, u"李娜"_s, u"A公司"_s);
    Bill(u"B3"_s, u"销售开单"_s, 500, u"2024-03-02"_s, u"李娜"_s, u"B公司"_s);
    Bill(u"B4"_s, u"销售开单"_s, 500, u"2024-03-02"_s, u"李娜"_s, u"A公司"_s);
    Bill(u"B5"_s, u"销售开单"_s, 50, u"2024-03-05"_s, u"李娜"_s, u"B公司"_s);
    Voucher(u"V1"_s, bank, 300, u"2024-03-04"_s, b1);
    Voucher(u"V2"_s, cash, -20, u"2024-03-01"_s);
    Voucher(u"V3"_s, bank, 300, u"2024-03-02"_s);
    Voucher(u"V4"_s, cash, 0, u"2024-03-03"_s);

    // Sorting before any search does nothing and says nothing.
    Bills()->ComboBox2->setCurrentIndex(2);
    Bills()->ComboBox2Change();
    Vouchers()->ComboBox9Change();
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 0);
    EXPECT_FALSE(Bills()->BReportADOQuery.Active());
    EXPECT_EQ(Vouchers()->DBGridEh1->RowCount(), 0);

    FormMain->RunBillReport(kBills);
    FormMain->RunMoneyReport(kVouchers);
    const struct {
        int index;
        QStringList bills, vouchers;
    } orders[] = {
        {0, {u"B2"_s, u"B3"_s, u"B4"_s, u"B1"_s, u"B5"_s}, {u"V2"_s, u"V3"_s, u"V4"_s, u"V1"_s}},
        {1, {u"B2"_s, u"B4"_s, u"B3"_s, u"B5"_s, u"B1"_s}, {u"V2"_s, u"V4"_s, u"V3"_s, u"V1"_s}},
        // Largest first, purchases last; ties by date, then by index.
        {2, {u"B3"_s, u"B4"_s, u"B1"_s, u"B5"_s, u"B2"_s}, {u"V3"_s, u"V1"_s, u"V4"_s, u"V2"_s}},
    };
    for (const auto& o : orders) {
        Bills()->ComboBox2->setCurrentIndex(o.index);
        Bills()->ComboBox2Change();
        Vouchers()->ComboBox9->setCurrentIndex(o.index);
        Vouchers()->ComboBox9Change();
        EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillSerial"_s), o.bills) << o.index;
        EXPECT_EQ(Column(Vouchers()->DBGridEh1, u"MoneySerial"_s), o.vouchers) << o.index;
    }
    // The order box's own signal re-runs the list too.
    Vouchers()->ComboBox9->setCurrentIndex(0);
    emit Vouchers()->ComboBox9->activated(0);
    EXPECT_EQ(Vouchers()->DBGridEh1->CellText(0, u"MoneySerial"_s), u"V2"_s);

    const TDataGrid* g = Vouchers()->DBGridEh1;
    const struct {
        QString field, text;
        QColor colour;
    } footers[] = {
        {u"MoneyCreateTime"_s, u"共4条"_s, Qt::black},
        {u"MoneyIn"_s, u"600"_s, Qt::blue},
        {u"MoneyOut"_s, u"20"_s, Qt::red},
        {u"MoneySum"_s, u"580"_s, Qt::black},
    };
    for (const auto& f : footers) {
        EXPECT_EQ(g->FooterText(f.field), f.text) << f.field.toStdString();
        EXPECT_EQ(g->FooterColour(f.field), f.colour) << f.field.toStdString();
    }
    EXPECT_EQ(TextColour(g, 0, u"MoneySum"_s), QColor(Qt::red));
    EXPECT_EQ(TextColour(g, 2, u"MoneySum"_s), QColor(Qt::black)); // 0
}

// 200,000 bills: the list shows its last row, its footers are the aggregate of the grouped
// statement, and reading every row in order (as a print does) holds at most 8 blocks of 256
// rows and runs one statement for the stretch instead of one per block.
TEST_F(ReportListsTest, TwoHundredThousandBillsAreReadWhereTheyLie) {
    Sql(u"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
        "INSERT INTO Bill (BillCreateTime, BillSerial, BillKind, BillUser, BillSum, BillMan) "
        "SELECT date('2024-01-01', '+' || (i % 366) || ' days'), 'XS' || i, '销售开单', "
        "CASE i % 3 WHEN 0 THEN '张三' WHEN 1 THEN '李四' ELSE '王五' END, i % 1000 + 0.25, '李娜' FROM n"_s);
    Sql(u"INSERT INTO MoneyTable (MoneyCreateTime, MoneySerial, MoneyAccount, MoneyUser, MoneyBill, MoneyIn, "
        "MoneyOut, MoneySum) SELECT BillCreateTime, 'SR' || BillIndex, ?, BillUser, BillIndex, 10.125, 0, "
        "10.125 "
        "FROM Bill WHERE BillIndex % 97 = 0"_s,
        {cash});
    const QString grouped = kBills + BillListGrouping();
    const QVariant count = Scalar(u"SELECT Count(*) FROM (%1)"_s.arg(grouped));
    ASSERT_EQ(count.toInt(), 200000);

    FormMain->PageControl1->setCurrentIndex(TFormMain::BillReportPage);
    FormMain->RunBillReport(BillQuerySelect() + u" Where (BillIndex > 1)"_s);
    TDataGrid* g = Bills()->DBGridEh2;
    ASSERT_EQ(g->RowCount(), 200000);
    EXPECT_EQ(g->FooterText(u"BillCreateTime"_s), u"共200000条"_s);
    for (const QString& field : {u"BillSum"_s, u"BillGet"_s, u"BillOwe"_s})
        EXPECT_EQ(g->FooterText(field),
                  FormatAmount(Scalar(u"SELECT Sum(%1) FROM (%2)"_s.arg(field, grouped)).toDouble()))
            << field.toStdString();

    // The last row, as the grouped statement in the list's order gives it.
    g->View()->scrollToBottom();
    const QVariant lastSerial = Scalar(
        u"SELECT BillSerial FROM Bill WHERE BillIndex > 1 ORDER BY BillCreateTime DESC, BillIndex DESC LIMIT 1"_s);
    EXPECT_EQ(g->CellText(199999, u"BillSerial"_s), lastSerial.toString());
    // Rows near the end are read from the end: the same rows as counted from the start, in
    // every order, whatever the block.
    for (int order = 0; order < 3; ++order) {
        Bills()->ComboBox2->setCurrentIndex(order);
        Bills()->ComboBox2Change();
        const QString ordered = grouped + BillListOrderClause(BillListOrder(order));
        for (const int row : {199999, 100001}) {
            EXPECT_EQ(
                g->CellText(row, u"BillSerial"_s),
                Scalar(u"SELECT BillSerial FROM (%1 LIMIT 1 OFFSET %2)"_s.arg(ordered).arg(row)).toString())
                << order << ' ' << row;
        }
    }
    Bills()->ComboBox2->setCurrentIndex(0);
    Bills()->ComboBox2Change();
    EXPECT_EQ(g->View()->verticalScrollBar()->value(), g->View()->verticalScrollBar()->maximum());

    auto* paged = dynamic_cast<PagedRows*>(g->Source().get());
    ASSERT_NE(paged, nullptr);
    const int before = paged->StatementsRun();
    QString previous;
    for (int row = 0; row < 200000; ++row)
        previous = g->CellText(row, u"BillSerial"_s);
    EXPECT_EQ(previous, lastSerial.toString());
    EXPECT_LE(paged->BlocksHeld(), 8);
    EXPECT_LE(paged->StatementsRun() - before, 3);
}

// 按客户排 and 按帐户排 order names as a Chinese reader expects, with the customers page's
// collation: Chinese names by pinyin, then Latin names without regard to case.
TEST_F(ReportListsTest, NamesOrderByPinyinInBothLists) {
    const QStringList names{u"赵六"_s, u"张三"_s, u"Bob"_s, u"王五"_s, u"李四"_s, u"阿强"_s, u"alice"_s};
    int day = 1;
    for (const QString& name : names) {
        const QString date = u"2024-03-%1"_s.arg(day, 2, 10, QLatin1Char('0'));
        Bill(u"B%1"_s.arg(day), u"销售开单"_s, 100, date, u"李娜"_s, name);
        Voucher(u"V%1"_s.arg(day), AddAccount(name + u"户"_s), 10, date);
        ++day;
    }
    FormMain->RunBillReport(kBills);
    FormMain->RunMoneyReport(kVouchers);
    Bills()->ComboBox2->setCurrentIndex(1);
    Bills()->ComboBox2Change();
    Vouchers()->ComboBox9->setCurrentIndex(1);
    Vouchers()->ComboBox9Change();
    const QStringList expected{u"阿强"_s, u"李四"_s, u"王五"_s, u"张三"_s, u"赵六"_s, u"alice"_s, u"Bob"_s};
    EXPECT_EQ(Column(Bills()->DBGridEh2, u"BillUser"_s), expected);
    QStringList accounts;
    for (const QString& name : expected)
        accounts << name + u"户"_s;
    EXPECT_EQ(Column(Vouchers()->DBGridEh1, u"AccountName"_s), accounts);
}

TEST_F(ReportListsTest, RefusedStatementIsReportedAndKept) {
    Bill(u"XS1"_s, u"销售开单"_s, 100, u"2024-03-01"_s);
    FormMain->RunBillReport(kBills);
    ASSERT_EQ(Bills()->DBGridEh2->RowCount(), 1);

    const QString bad = kBills + u" And (BillUser = 'O'Brien')"_s;
    ui.ExpectMessage(u"数据库打开失败"_s);
    FormMain->RunBillReport(bad);
    EXPECT_EQ(Bills()->SavedStatement(), bad);
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 0);
    EXPECT_EQ(Bills()->DBGridEh2->FooterText(u"BillCreateTime"_s), u""_s);
    EXPECT_FALSE(Bills()->BReportADOQuery.Active());

    // A sort change fails the same way; printing does nothing; opening asks for a row.
    ui.ExpectMessage(u"数据库打开失败"_s);
    Bills()->ComboBox2Change();
    Bills()->SpeedButton4->click();
    ui.ExpectMessage(u"请先选中需要查看的记录"_s);
    Bills()->DBGridEh2DblClick();
    ui.ExpectMessage(u"请先选中需要查看的记录"_s);
    Vouchers()->DBGridEh1DblClick(); // never searched

    // A new search that succeeds replaces it.
    FormMain->RunBillReport(kBills);
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 1);
}

TEST_F(ReportListsTest, DoubleClickOpensTheBillEditor) {
    Bill(u"XS1"_s, u"销售开单"_s, 100, u"2024-03-01"_s);
    const qint64 purchase = Bill(u"CG1"_s, u"采购开单"_s, -300, u"2024-03-02"_s);
    FormMain->RunBillReport(kBills);
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillReportPage); // the list is on screen
    Bills()->DBGridEh2->SetCurrentRow(1);

    // Closed without unlocking: nothing changed, nothing re-run.
    FormBuySell->Unlocked = true;
    ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [&](TFormBuySell* f) {
        EXPECT_EQ(f->OpenMode, OpenMode::Change);
        EXPECT_EQ(f->DocKind, BillKind::Purchase);
        EXPECT_EQ(f->CurrentBill, purchase);
        EXPECT_FALSE(f->CustomerFixed);
        EXPECT_FALSE(f->Unlocked);
        EXPECT_EQ(f->Edit1->text(), u"CG1"_s);
        Bill(u"XS2"_s, u"销售开单"_s, 1, u"2024-03-03"_s);
        f->reject();
    });
    emit Bills()->DBGridEh2->DoubleClicked(1);
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 2);

    // Unlocked: the lists are run again.
    Bills()->DBGridEh2->SetCurrentRow(0);
    ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [](TFormBuySell* f) {
        EXPECT_EQ(f->DocKind, BillKind::Sales);
        f->Unlocked = true;
        f->reject();
    });
    Bills()->DBGridEh2DblClick();
    EXPECT_EQ(Bills()->DBGridEh2->RowCount(), 3);
}

TEST_F(ReportListsTest, DoubleClickOpensTheVoucherEditorByTheSignOfItsSum) {
    const qint64 zero = Voucher(u"SR0"_s, cash, 0, u"2024-03-01"_s);
    const qint64 expense = Voucher(u"ZC1"_s, cash, -0.25, u"2024-03-02"_s);
    FormMain->RunMoneyReport(kVouchers);
    FormMain->PageControl1->setCurrentIndex(TFormMain::MoneyReportPage); // the list is on screen
    EXPECT_EQ(TextColour(Vouchers()->DBGridEh1, 1, u"MoneySum"_s), QColor(Qt::red));

    const struct {
        int row;
        qint64 voucher;
        QString kind;
        bool ok;
        int rowsAfter;
    } cases[] = {
        {0, zero, u"财务收入单"_s, false, 2},
        {1, expense, u"财务支出单"_s, true, 4},
    };
    for (const auto& c : cases) {
        Vouchers()->DBGridEh1->SetCurrentRow(c.row);
        ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [&](TFormGetPay* f) {
            EXPECT_EQ(f->OpenMode, OpenMode::Change);
            EXPECT_EQ(Text(f->DocKind), c.kind);
            EXPECT_EQ(f->CurrentVoucher, c.voucher);
            EXPECT_FALSE(f->CustomerFixed);
            Voucher(u"NEW"_s, cash, 5, u"2024-03-09"_s);
            c.ok ? f->accept() : f->reject();
        });
        Vouchers()->DBGridEh1DblClick();
        // Only a change confirmed with OK re-runs the lists.
        EXPECT_EQ(Vouchers()->DBGridEh1->RowCount(), c.rowsAfter) << c.row;
    }
}

TEST_F(ReportListsTest, PrintingPicksTheTemplateByPrintTypeAndPrintsTheListInItsOrder) {
    Bill(u"XS1"_s, u"销售开单"_s, 100, u"2024-03-01"_s, u"李娜"_s, u"华夏贸易"_s);
    Bill(u"XS2"_s, u"销售开单"_s, 900, u"2024-03-02"_s, u"李娜"_s, u"宁波港"_s);
    Voucher(u"SR1"_s, bank, 40.5, u"2024-03-01"_s);

    // Nothing searched yet: nothing to print, no preview.
    Bills()->SpeedButton4->click();
    Vouchers()->PrintReport->click();

    FormMain->RunBillReport(ListRequest::Fixed(kBills, u"单据类型：销售开单"_s));
    FormMain->RunMoneyReport(ListRequest::Fixed(kVouchers, u"本月（2024年3月）财务单据"_s));
    Bills()->ComboBox2->setCurrentIndex(2);
    Bills()->ComboBox2Change();

    const struct {
        QString printType; // empty: no key in the file
        QString billTemplate, voucherTemplate;
    } cases[] = {
        {u""_s, u"BillReport.frf"_s, u"MoneyReport.frf"_s},
        {u"横向打印"_s, u"BillReport2.frf"_s, u"MoneyReport2.frf"_s},
        {u"纵向打印"_s, u"BillReport.frf"_s, u"MoneyReport.frf"_s},
        {u"竖着"_s, u"BillReport2.frf"_s, u"MoneyReport2.frf"_s},
    };
    for (const auto& c : cases) {
        if (!c.printType.isEmpty()) IniWriteString(ini::Section, ini::PrintType, c.printType, IniFileName);
        QString dump;
        ExpectPreview(Bills()->frReport3, &dump);
        Bills()->SpeedButton4->click();
        EXPECT_TRUE(Bills()->frReport3.FileName().endsWith(u"/Frf/"_s + c.billTemplate))
            << Bills()->frReport3.FileName().toStdString();
        const qsizetype first = dump.indexOf(u"XS2"_s), second = dump.indexOf(u"XS1"_s);
        EXPECT_TRUE(first >= 0 && second > first) << dump.toStdString();
        EXPECT_TRUE(dump.contains(u"宁波港"_s) && dump.contains(u"1,000.00"_s)) << dump.toStdString();
        // A printed list can be read on its own: it says what it shows.
        EXPECT_TRUE(dump.contains(u"查询条件：单据类型：销售开单"_s)) << dump.toStdString();

        ExpectPreview(Vouchers()->frReport2, &dump);
        Vouchers()->ActionPrintMoneyReportExecute();
        EXPECT_TRUE(Vouchers()->frReport2.FileName().endsWith(u"/Frf/"_s + c.voucherTemplate))
            << Vouchers()->frReport2.FileName().toStdString();
        EXPECT_TRUE(dump.contains(u"SR1"_s) && dump.contains(u"40.50"_s)) << dump.toStdString();
        EXPECT_TRUE(dump.contains(u"查询条件：本月（2024年3月）财务单据"_s)) << dump.toStdString();
    }
}

TEST_F(ReportListsTest, TitleClickWidensToTheWidestText) {
    const qint64 bill = Bill(u"XS1"_s, u"销售开单"_s, 100, u"2024-03-01"_s);
    Sql(u"UPDATE Bill SET BillRemark = ? WHERE BillIndex = ?"_s,
        {u"这是一段很长很长的备注信息，远远超过了列的宽度"_s, bill});
    FormMain->RunBillReport(kBills);
    BillReportList* list = Bills();
    const int remark = list->DBGridEh2->ColumnIndex(u"BillRemark"_s);
    const int serial = list->DBGridEh2->ColumnIndex(u"BillSerial"_s);
    QTableView* view = list->DBGridEh2->View();
    view->horizontalHeader()->setStretchLastSection(false);
    // The widths are learnt from the cells as they are drawn.
    EXPECT_EQ(list->RememberedWidth(remark), 0);
    list->DBGridEh2->resize(900, 300);
    view->scrollTo(view->model()->index(0, remark));
    view->viewport()->grab();
    ASSERT_GT(list->RememberedWidth(remark), 120);
    list->TitleClick(remark);
    EXPECT_EQ(view->columnWidth(remark), list->RememberedWidth(remark));
    // A column wider than its texts stays as it is.
    list->TitleClick(serial);
    EXPECT_EQ(view->columnWidth(serial), 80);
}

} // namespace
