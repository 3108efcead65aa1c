#include "cards/VoucherCards.h"

#include "domain/Vouchers.h"
#include "rules/PublicFunction.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"
#include "vouchers/BillForm2.h"
#include "vouchers/GetPayForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

CardKind VoucherCardPage::Kind() {
    CardKind k;
    k.keyColumn = u"MoneyIndex"_s;
    k.panel = u"MoneyPanel"_s;
    k.under = u"MoneyType"_s;
    k.image = u"MoneyImage"_s;
    k.captions = {u"客户："_s, u"类型："_s, u"金额："_s};
    k.values = {u"MoneyName"_s, u"MoneyKind"_s, u"MoneyMoney"_s};
    k.prior = u"MoneyPrior"_s;
    k.next = u"MoneyNext"_s;
    k.status = u"MoneySum"_s;
    k.emptyImage = u"Image22"_s;
    k.newButton = u"NewMoney"_s;
    k.newCaption = u"新增财务单据"_s;
    k.colourWord = u"Green"_s;
    k.threshold1 = 3000;
    k.threshold2 = 10000;
    return k;
}

VoucherCardPage::VoucherCardPage(QWidget* sheet, SortBoxes boxes) : CardPage(sheet, Kind()), m_boxes(boxes) {
    NewMoney = NewRecord;
    NewMoney->setGeometry(NewMoney->x(), NewMoney->y(), 110, NewMoney->height());

    // The second row of the bottom bar: the date range, then the order under the paging buttons.
    Label10 = new QLabel(u"单据日期"_s, sheet);
    Label10->setObjectName(u"Label10"_s);
    Label18 = new QLabel(u"排序方式"_s, sheet);
    Label18->setObjectName(u"Label18"_s);
    m_boxes.field->setGeometry(Prior->x(), 478, 90, 24);
    m_boxes.direction->setGeometry(Next->x(), 478, 90, 24);
    Label18->setGeometry(Prior->x() - 70, 478, 64, 24);
    m_boxes.range->setGeometry(Label18->x() - 96, 478, 90, 24);
    Label10->setGeometry(m_boxes.range->x() - 70, 478, 64, 24);
    for (QLabel* label : {Label10, Label18})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

DocumentListOptions VoucherCardPage::ListOptions() const {
    DocumentListOptions o;
    o.workingDate = TheShell().WorkingDate();
    o.dateRange = m_boxes.range->currentIndex();
    o.filter = VoucherFilter;
    o.sortField = m_boxes.field->currentIndex();
    o.sortDirection = m_boxes.direction->currentIndex();
    return o;
}

bool VoucherCardPage::CountRecords(int& count) {
    return TakeCount(CountVouchers(Db(), ListOptions()), count);
}

bool VoucherCardPage::OpenPageRows(int offset, int limit, ResultSet& rows) {
    return TakeRows(VoucherPage(Db(), ListOptions(), offset, limit), rows);
}

bool VoucherCardPage::FillTile(CardTile& tile, const ResultSet& row) {
    const QString name = row.AsString(u"MoneyUser"_s);
    const double sum = row.AsFloat(u"MoneySum"_s);
    const bool income = sum >= 0;
    tile.Values[0]->setText(GbkLeft(name, 18));
    SetTileIcon(tile, sum);
    tile.SetTextColour(income ? TileBlue : TileRed);
    tile.Under->setText(income ? u"收入单"_s : u"支出单"_s);
    // Category and token, parted by a double vertical bar (U+2016).
    tile.Values[1]->setText(row.AsString(u"MoneyType"_s) + u"‖"_s + row.AsString(u"MoneyToken"_s));
    tile.Values[2]->setText(FormatAmount(std::fabs(sum)) + u" 元"_s);
    tile.setToolTip(name);
    return true;
}

void VoucherCardPage::NewMoneyClick() {
    // The chooser opens the editor and refreshes the main window after a store.
    TheUi().ShowModal(FormBill2);
}

void VoucherCardPage::OpenVoucherTile(int n) {
    OpenTile(n, Tile(n)->Tag);
}

void VoucherCardPage::OpenTile(int, qint64 key) {
    const Result<VoucherKind> kind = StoredVoucherKind(Db(), key);
    if (!kind) {
        ShowOutcome(nullptr, kind);
        return;
    }
    FormGetPay->OpenMode = OpenMode::Change;
    FormGetPay->DocKind = kind.value;
    FormGetPay->CurrentVoucher = int(key);
    FormGetPay->CustomerFixed = false;
    if (TheUi().ShowModal(FormGetPay) == QDialog::Accepted) TheShell().RefreshAllViews();
}

} // namespace tev
