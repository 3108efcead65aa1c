#include "cards/CustomerCards.h"

#include "customers/CustomerForm2.h"
#include "customers/CustomerForm3.h"
#include "reports/MonthReportPrint.h"
#include "rules/PublicFunction.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

CardKind CustomerCardPage::Kind() {
    CardKind k;
    k.keyColumn = u"CustomerIndex"_s;
    k.panel = u"CustomerPanel"_s;
    k.under = u"CustomerType"_s;
    k.image = u"CustomerImage"_s;
    k.captions = {u"名称："_s, u"货款："_s, u"欠款："_s};
    k.values = {u"CustomerName"_s, u"CustomerMoney"_s, u"CustomerOwe"_s};
    k.prior = u"CustomerPrior"_s;
    k.next = u"CustomerNext"_s;
    k.status = u"CustomerSum"_s;
    k.emptyImage = u"Image9"_s;
    k.newButton = u"NewCustomer"_s;
    k.newCaption = u"新增客户"_s;
    k.colourWord = u"Blue"_s;
    k.threshold1 = 30000;
    k.threshold2 = 100000;
    return k;
}

CustomerCardPage::CustomerCardPage(QWidget* sheet, SortBoxes boxes)
    : CardPage(sheet, Kind()), m_boxes(boxes) {
    NewCustomer = NewRecord;

    CustomerSearch = new QPushButton(u"客户搜索"_s, sheet);
    CustomerSearch->setObjectName(u"CustomerSearch"_s);
    CustomerSearch->setGeometry(110, 477, 96, 26);
    BigReport = new QPushButton(u"客户报表"_s, sheet);
    BigReport->setObjectName(u"BigReport"_s);
    BigReport->setGeometry(212, 477, 96, 26);
    BigReport->setToolTip(u"打印当前列表中各客户本月的进货、销售、收付款和欠款"_s);

    Label8 = new QLabel(u"排序方式"_s, sheet);
    Label8->setObjectName(u"Label8"_s);
    // The sort boxes under the paging buttons.
    m_boxes.field->setGeometry(Prior->x(), 478, 90, 24);
    m_boxes.direction->setGeometry(Next->x(), 478, 90, 24);
    Label8->setGeometry(Prior->x() - 70, 478, 64, 24);
    Label8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The line of the search in force shares the status row, left of the record count.
    SearchLine = new QLabel(sheet);
    SearchLine->setObjectName(u"SearchLine"_s);
    SearchLine->setGeometry(Status->x(), Status->y(), 216, Status->height());
    SearchLine->setStyleSheet(u"#SearchLine { color: #b05a00; }"_s);
    SearchLine->hide();
    ClearSearch = new QPushButton(u"清除搜索"_s, sheet);
    ClearSearch->setObjectName(u"ClearSearch"_s);
    ClearSearch->setGeometry(Status->x() + 220, Status->y(), 70, Status->height() + 2);
    ClearSearch->setToolTip(u"结束搜索，显示全部客户"_s);
    ClearSearch->hide();

    connect(CustomerSearch, &QPushButton::clicked, this, &CustomerCardPage::ActionCustomerSearchExecute);
    connect(ClearSearch, &QPushButton::clicked, this, &CustomerCardPage::ClearSearchClick);
    connect(BigReport, &QPushButton::clicked, this, &CustomerCardPage::ActionCustomerReportExecute);
}

void CustomerCardPage::Refresh() {
    const QString search = FormCustomer3 ? CustomerSearchDescription(FormCustomer3->Search) : QString();
    SearchLine->setVisible(!search.isEmpty());
    ClearSearch->setVisible(!search.isEmpty());
    const QString text = u"搜索：%1"_s.arg(search);
    SearchLine->setText(SearchLine->fontMetrics().elidedText(text, Qt::ElideRight, SearchLine->width()));
    SearchLine->setToolTip(search.isEmpty() ? QString() : text);
    // The record count takes the whole row when no search is in force: with thousands of
    // customers "共 10000 记录，第 1/667 页" is wider than the room right of "清除搜索".
    const int left = search.isEmpty() ? SearchLine->x() : ClearSearch->geometry().right() + 5;
    Status->setGeometry(left, Status->y(), Prior->x() - 10 - left, Status->height());
    CardPage::Refresh();
}

void CustomerCardPage::ClearSearchClick() {
    if (FormCustomer3) FormCustomer3->ClearSearch();
    PageNumber = 0;
    TheShell().RefreshCustomerCards();
}

CustomerListOptions CustomerCardPage::ListOptions() const {
    CustomerListOptions o;
    o.customerFilter = CustomerFilter;
    if (FormCustomer3) o.search = FormCustomer3->Search;
    o.sortField = m_boxes.field->currentIndex();
    o.sortDirection = m_boxes.direction->currentIndex();
    return o;
}

bool CustomerCardPage::CountRecords(int& count) {
    const Result<int> counted = CountCustomers(Db(), ListOptions());
    if (!counted) {
        ShowOutcome(TheShell().Window(), counted);
        return false;
    }
    count = counted.value;
    return true;
}

bool CustomerCardPage::OpenPageRows(int offset, int limit, ResultSet& rows) {
    Result<ResultSet> page = CustomerPageRows(Db(), ListOptions(), offset, limit);
    if (!page) {
        ShowOutcome(TheShell().Window(), page);
        return false;
    }
    rows = std::move(page.value);
    QStringList names;
    for (rows.First(); !rows.Eof(); rows.Next())
        names << rows.AsString(u"CustomerName"_s);
    m_sums = CustomerPageSums(Db(), names, TheShell().WorkingDate());
    return true;
}

bool CustomerCardPage::FillTile(CardTile& tile, const ResultSet& row) {
    // The rows are filled in page order; a tile whose sums could not be read stops the refresh.
    const int n = row.Position();
    if (n >= m_sums.value.size()) {
        ShowOutcome(TheShell().Window(), m_sums);
        return false;
    }
    const CustomerSums& sums = m_sums.value[n];
    const QString name = row.AsString(u"CustomerName"_s);
    const double bills = ShownAmount(sums.bills);

    tile.Values[0]->setText(GbkLeft(name, 18));
    SetTileIcon(tile, bills);
    tile.SetTextColour(bills >= 0 ? TileBlue : TileRed);
    tile.Under->setText(row.AsString(u"CustomerContact"_s).left(3));
    tile.Values[1]->setText(FormatAmount(bills) + u" 元"_s);
    tile.Values[2]->setText(FormatAmount(sums.Owing(row.AsFloat(u"CustomerOwe"_s))) + u" 元"_s);
    tile.setToolTip(name);
    return true;
}

void CustomerCardPage::NewCustomerClick() {
    FormCustomer2->EditMode = 0;
    if (TheUi().ShowModal(FormCustomer2) == QDialog::Accepted) TheShell().RefreshAllViews();
}

void CustomerCardPage::ActionCustomerSearchExecute() {
    // Cancel keeps the previous search in force.
    if (TheUi().ShowModal(FormCustomer3) != QDialog::Accepted) return;
    PageNumber = 0;
    TheShell().RefreshCustomerCards();
}

void CustomerCardPage::ActionCustomerReportExecute() {
    // A salesman's list holds his own customers only; the report says so.
    PrintCustomerMonthReport(ListOptions(), CustomerFilter.isEmpty() ? QString() : CurrentUser);
}

void CustomerCardPage::OpenCustomerTile(int n) {
    OpenTile(n, Tile(n)->Tag);
}

void CustomerCardPage::OpenTile(int, qint64 key) {
    if (!ShowCustomerWindow) return;
    // A rename there shows at once everywhere, in the kept report lists too.
    if (ShowCustomerWindow(key) == QDialog::Accepted) TheShell().RefreshAllViews();
}

} // namespace tev
