#include "cards/BillCards.h"

#include "bills/BillForm.h"
#include "bills/BuySellForm.h"
#include "domain/Bills.h"
#include "rules/PublicFunction.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

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
    return TakeCount(CountBills(Db(), ListOptions()), count);
}

bool BillCardPage::OpenPageRows(int offset, int limit, ResultSet& rows) {
    return TakeRows(BillPage(Db(), ListOptions(), offset, limit), rows);
}

bool BillCardPage::FillTile(CardTile& tile, const ResultSet& row) {
    // What was received (a sales bill) or paid (a purchase bill): the net of the linked
    // vouchers, read before any label changes so that a failure leaves the tile as it was.
    const Result<double> paid = BillPaid(Db(), row.AsInteger(u"BillIndex"_s));
    if (!paid) {
        ShowOutcome(nullptr, paid);
        return false;
    }

    const QString name = row.AsString(u"BillUser"_s);
    const double sum = row.AsFloat(u"BillSum"_s);
    tile.Values[0]->setText(GbkLeft(name, 18));
    SetTileIcon(tile, sum);
    tile.SetTextColour(sum >= 0 ? TileBlue : TileRed);
    tile.Values[1]->setText(FormatAmount(std::fabs(sum)) + u" 元"_s);
    tile.Under->setText(row.AsString(u"BillKind"_s).remove(u'开'));
    tile.Values[2]->setText(FormatAmount(std::fabs(paid.value)) + u" 元"_s);
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
    const Result<BillKind> kind = StoredBillKind(Db(), key);
    if (!kind) {
        ShowOutcome(nullptr, kind);
        return;
    }
    FormBuySell->OpenMode = OpenMode::Change;
    FormBuySell->DocKind = kind.value;
    FormBuySell->CurrentBill = int(key);
    FormBuySell->Unlocked = false;
    FormBuySell->CustomerFixed = false;
    TheUi().ShowModal(FormBuySell);
    // A bill stays locked, and so unchanged, unless the modification password unlocked it.
    if (FormBuySell->Unlocked) TheShell().RefreshAllViews();
}

} // namespace tev
