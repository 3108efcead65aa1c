#include "cards/BillCards.h"

#include "app/ShareDM.h"
#include "bills/BillForm.h"
#include "bills/BuySellForm.h"
#include "rules/PublicFunction.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Ui.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

QString BillListWhere(const DocumentListOptions& options) {
    return u" Where (BillIndex > 1) And (BillKind = '销售开单' Or BillKind = '采购开单')"_s +
           DocumentDateCondition(u"Bill"_s, options.workingDate, options.dateRange) + options.filter;
}

QString BillCountStatement(const DocumentListOptions& options) {
    return u"Select Count(*) As RecordCount From Bill"_s + BillListWhere(options);
}

QString BillPageStatement(const DocumentListOptions& options, int offset, int limit) {
    return u"Select * From Bill"_s + BillListWhere(options) +
           DocumentOrderClause(u"Bill"_s, options.sortField, options.sortDirection) +
           u" Limit %1 Offset %2"_s.arg(limit).arg(offset);
}

QString BillPayStatement(qint64 billIndex) {
    return u"Select ROUND(SUM(MoneySum),2) As BillPay From MoneyTable Where MoneyBill = %1"_s.arg(billIndex);
}

CardKind BillCardPage::Kind() {
    CardKind k;
    k.keyColumn = u"BillIndex"_s;
    k.panel = u"BillPanel"_s;
    k.under = u"BillType"_s;
    k.image = u"BillImage"_s;
    k.captions = {u"客户："_s, u"金额："_s, u"已收："_s};
    k.values = {u"BillName"_s, u"BillMoney"_s, u"BillPay"_s};
    k.prior = u"BillPrior"_s;
    k.next = u"BillNext"_s;
    k.status = u"BillSum"_s;
    k.emptyImage = u"Image8"_s;
    k.newButton = u"NewBill"_s;
    k.newCaption = u"新增业务单据"_s;
    k.colourWord = u"Purple"_s;
    k.threshold1 = 3000;
    k.threshold2 = 10000;
    return k;
}

BillCardPage::BillCardPage(QWidget* sheet, SortBoxes boxes) : CardPage(sheet, Kind()), m_boxes(boxes) {
    NewBill = NewRecord;
    NewBill->setGeometry(NewBill->x(), NewBill->y(), 110, NewBill->height());

    // The second row of the bottom bar: the date range, then the order under the paging buttons.
    Label9 = new QLabel(u"单据日期"_s, sheet);
    Label9->setObjectName(u"Label9"_s);
    Label11 = new QLabel(u"排序方式"_s, sheet);
    Label11->setObjectName(u"Label11"_s);
    m_boxes.field->setGeometry(Prior->x(), 478, 90, 24);
    m_boxes.direction->setGeometry(Next->x(), 478, 90, 24);
    Label11->setGeometry(Prior->x() - 70, 478, 64, 24);
    m_boxes.range->setGeometry(Label11->x() - 96, 478, 90, 24);
    Label9->setGeometry(m_boxes.range->x() - 70, 478, 64, 24);
    for (QLabel* label : {Label9, Label11})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

DocumentListOptions BillCardPage::ListOptions() const {
    DocumentListOptions o;
    o.workingDate = TheShell().WorkingDate();
    o.dateRange = m_boxes.range->currentIndex();
    o.filter = BillFilter;
    o.sortField = m_boxes.field->currentIndex();
    o.sortDirection = m_boxes.direction->currentIndex();
    return o;
}

bool BillCardPage::CountRecords(int& count) {
    return OpenCount(BillCountStatement(ListOptions()), u"获取单据时出错"_s, count);
}

bool BillCardPage::OpenPageRows(int offset, int limit, ResultSet& rows) {
    return OpenRows(BillPageStatement(ListOptions(), offset, limit), u"获取单据时出错"_s, rows);
}

bool BillCardPage::FillTile(CardTile& tile, const ResultSet& row) {
    // What was received (a sales bill) or paid (a purchase bill): the net of the linked
    // vouchers, read before any label changes so that a failure leaves the tile as it was.
    Query& q = ShareDM->ADOQueryTemp2;
    if (!ShareDM->OpenSql(q, BillPayStatement(row.AsInteger(u"BillIndex"_s)), u"数据库打开失败"_s))
        return false;
    q.First();
    const double paid = q.AsFloat(u"BillPay"_s);

    const QString name = row.AsString(u"BillUser"_s);
    const double sum = row.AsFloat(u"BillSum"_s);
    tile.Values[0]->setText(GbkLeft(name, 18));
    SetTileIcon(tile, sum);
    tile.SetTextColour(sum >= 0 ? TileBlue : TileRed);
    tile.Values[1]->setText(FormatAmount(std::fabs(sum)) + u" 元"_s);
    tile.Under->setText(row.AsString(u"BillKind"_s).remove(u'开'));
    tile.Values[2]->setText(FormatAmount(std::fabs(paid)) + u" 元"_s);
    tile.setToolTip(name);
    return true;
}

void BillCardPage::NewBillClick() {
    // The chooser opens the editor and refreshes the main window after a store.
    TheUi().ShowModal(FormBill);
}

void BillCardPage::OpenBillTile(int n) {
    OpenTile(n, Tile(n)->Tag);
}

void BillCardPage::OpenTile(int, qint64 key) {
    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(q, u"Select * From Bill Where BillIndex = %1"_s.arg(key), u"单据表打开失败"_s))
        return;
    if (q.RecordCount() == 0) {
        ShowMessage(u"找不到要修改的记录"_s);
        return;
    }
    q.First();
    FormBuySell->OpenMode = OpenMode::Change;
    // Any kind but a sales bill's opens as a purchase bill.
    FormBuySell->DocKind = BillKindFromText(q.AsString(u"BillKind"_s)).value_or(BillKind::Purchase);
    FormBuySell->CurrentBill = int(q.AsInteger(u"BillIndex"_s));
    FormBuySell->Unlocked = false;
    FormBuySell->CustomerFixed = false;
    TheUi().ShowModal(FormBuySell);
    // A bill stays locked, and so unchanged, unless the modification password unlocked it.
    if (FormBuySell->Unlocked) TheShell().RefreshAllViews();
}

} // namespace tev
