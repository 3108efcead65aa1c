#include "bills/BuySellForm.h"

#include "access/ModifyPassword.h"
#include "domain/Lists.h"
#include "domain/Vouchers.h"
#include "rules/PublicFunction.h"
#include "ui/Combo.h"
#include "ui/DataGrid.h"
#include "ui/EditorPictures.h"
#include "ui/EditorWidgets.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/Ui.h"
#include "vouchers/GetPayForm.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr int kWidth = 560;
constexpr int kBannerHeight = 54;

const QString kSales = u"销售开单"_s;
const QString kNew = u"新增"_s;

} // namespace

TFormBuySell::TFormBuySell(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormBuySell"_s);
    // A single border without border icons: the window closes through its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setFixedSize(kWidth, kBannerHeight);

    ActionEdit = new QAction(DrawEditorIcon(EditorIcon::Tool, 26), u"修改"_s, this);
    ActionEdit->setObjectName(u"ActionEdit"_s);
    ActionEdit->setToolTip(u"输入资料修改密码后修改或删除单据"_s);
    ActionPrint = new QAction(DrawEditorIcon(EditorIcon::Printer, 26), u"打印"_s, this);
    ActionPrint->setObjectName(u"ActionPrint"_s);
    ActionPrint->setToolTip(u"打印单据"_s);
    // The banner pictures end in their own document icon (from x 478 to 514): the buttons
    // stand on the plain stretch before it.
    constexpr int kBannerIconLeft = 478;
    SpeedButton4 = BannerButton(Image1, u"SpeedButton4"_s, ActionEdit, kBannerIconLeft - 88, 36, 26);
    SpeedButton1 = BannerButton(Image1, u"SpeedButton1"_s, ActionPrint, kBannerIconLeft - 46, 36, 26);

    DateTimePicker1 = FieldDate(this, u"DateTimePicker1"_s);
    Edit1 = FieldEdit(this, u"Edit1"_s);
    ComboBox5 = FieldCombo(this, u"ComboBox5"_s, true);
    Edit2 = FieldEdit(this, u"Edit2"_s);
    Edit2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ComboBox2 = FieldCombo(this, u"ComboBox2"_s, false);
    ComboBox3 = FieldCombo(this, u"ComboBox3"_s, false);
    Edit3 = FieldEdit(this, u"Edit3"_s);
    Edit4 = FieldEdit(this, u"Edit4"_s);
    Edit4->setReadOnly(true);
    Edit4->setStyleSheet(u"#Edit4 { background: #e4e7eb; }"_s);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    const struct {
        const char16_t* caption;
        QWidget* control;
        int row, column;
    } cells[] = {
        {u"开单日期", DateTimePicker1, 0, 0}, {u"单据编号", Edit1, 0, 2},     {u"客户名称", ComboBox5, 1, 0},
        {u"单据金额", Edit2, 1, 2},           {u"业务种类", ComboBox2, 2, 0}, {u"业务进度", ComboBox3, 2, 2},
        {u"单据备注", Edit3, 3, 0},           {u"业 务 员", Edit4, 3, 2},
    };
    for (const auto& c : cells) {
        fields->addWidget(FieldLabel(this, QString::fromUtf16(c.caption)), c.row, c.column);
        fields->addWidget(c.control, c.row, c.column + 1);
    }
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    Label8 = new QLabel(u"财务单据"_s, this);
    Label8->setObjectName(u"Label8"_s);
    Label8->setFont(HeiFont(10, true));
    auto small = [this](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setFixedSize(64, 26);
        b->setAutoDefault(false);
        return b;
    };
    Button1 = small(u"Button1"_s, u"新增"_s);
    Button2 = small(u"Button2"_s, u"修改"_s);
    Button3 = small(u"Button3"_s, u"删除"_s);
    // The bar keeps its height while the buttons are hidden, so that unlocking does not
    // make the window jump.
    auto* listBarHolder = new QWidget(this);
    listBarHolder->setFixedHeight(28);
    auto* listBar = new QHBoxLayout(listBarHolder);
    listBar->setContentsMargins(0, 0, 0, 0);
    listBar->setSpacing(6);
    listBar->addWidget(Label8);
    listBar->addStretch(1);
    listBar->addWidget(Button1);
    listBar->addWidget(Button2);
    listBar->addWidget(Button3);

    DBGridEh1 = new TDataGrid(this);
    DBGridEh1->setObjectName(u"DBGridEh1"_s);
    DBGridEh1->setFixedHeight(168);
    DBGridEh1->SetColumns({
        {u"MoneyCreateTime"_s, u"开单时间"_s, 86, Qt::AlignCenter, GridFormat::Date},
        {u"MoneySerial"_s, u"单据编号"_s, 96, Qt::AlignCenter, GridFormat::Text},
        {u"AccountName"_s, u"帐户名称"_s, 104, Qt::AlignCenter, GridFormat::Text},
        {u"MoneyIn"_s, u"收入"_s, 78, Qt::AlignCenter, GridFormat::Amount},
        {u"MoneyOut"_s, u"支出"_s, 78, Qt::AlignCenter, GridFormat::Amount},
        {u"MoneySum"_s, u"合计"_s, 78, Qt::AlignCenter, GridFormat::Amount},
    });

    BitBtn3 = EditorButton(this, u"BitBtn3"_s, u"删除"_s, EditorIcon::Delete);
    BitBtn1 = EditorButton(this, u"BitBtn1"_s, u"确定"_s, EditorIcon::Ok);
    BitBtn2 = EditorButton(this, u"BitBtn2"_s, u"取消"_s, EditorIcon::Cancel);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 12, 14, 12);
    body->setSpacing(8);
    body->addLayout(fields);
    body->addSpacing(6);
    body->addWidget(listBarHolder);
    body->addWidget(DBGridEh1);
    body->addSpacing(4);
    body->addLayout(buttons);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(Image1);
    page->addLayout(body);
    setFixedSize(kWidth, sizeHint().height());

    QWidget* order[] = {DateTimePicker1, Edit1,   ComboBox5,         Edit2,   ComboBox2,
                        ComboBox3,       Edit3,   DBGridEh1->View(), Button1, Button2,
                        Button3,         BitBtn1, BitBtn3,           BitBtn2, Edit4};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormBuySell::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormBuySell::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormBuySell::BitBtn3Click);
    connect(Button1, &QPushButton::clicked, this, &TFormBuySell::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormBuySell::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFormBuySell::Button3Click);
    connect(ActionEdit, &QAction::triggered, this, &TFormBuySell::ActionEditExecute);
    connect(ActionPrint, &QAction::triggered, this, &TFormBuySell::ActionPrintExecute);
    connect(DBGridEh1, &TDataGrid::DoubleClicked, this, &TFormBuySell::DBGridEh1DblClick);
}

bool TFormBuySell::IsSales() const {
    return DocKind == BillKind::Sales;
}

bool TFormBuySell::IsNew() const {
    return OpenMode == tev::OpenMode::New;
}

void TFormBuySell::FormShow() {
    const QString kindText = IsSales() ? kSales : u"采购开单"_s;
    const QString title = u"【"_s + kindText + u"】（"_s + (IsNew() ? kNew : u"修改"_s) + u"）"_s;
    setWindowTitle(kindText);
    Image1->setPixmap(BannerBand(ProgramDir + u"Res/"_s + (IsNew() ? u"New"_s : u"Edit"_s) +
                                     (IsSales() ? u"Sell"_s : u"Buy"_s) + u".bmp"_s,
                                 kWidth, kBannerHeight, title));

    FillCombo(ComboBox2, OptionTexts(Db(), 1), false);
    FillCombo(ComboBox3, OptionTexts(Db(), 4), false);
    FillCombo(ComboBox5, CustomerNames(Db(), CustomerFilter), false);
    ComboBox5->setEnabled(!CustomerFixed);

    if (IsNew()) {
        ShowNew();
    } else if (!ShowStored()) {
        return;
    }
    FocusControl(Edit2);
}

void TFormBuySell::ShowEditButtons(bool editable) {
    for (QWidget* w : {Button1, Button2, Button3, BitBtn1})
        w->setVisible(editable);
}

void TFormBuySell::ShowNew() {
    CurrentBill = 1;
    DateTimePicker1->setDate(TheShell().WorkingDate());
    if (!CustomerFixed) SetComboText(ComboBox5, QString());
    Edit2->clear();
    Edit3->clear();
    Edit4->setText(CurrentUser);
    ShowEditButtons(true);
    BitBtn3->hide();
    SpeedButton4->hide();
    SpeedButton1->hide();

    // A number left over from the previous bill would be stored twice: the box starts empty
    // and takes the proposal, if there is one.
    Edit1->clear();
    const Result<QString> number = ProposedNumber(Db(), NumberRow(DocKind));
    if (number)
        Edit1->setText(number.value);
    else
        ShowOutcome(this, number);
    if (ComboBox2->count() > 0) ComboBox2->setCurrentIndex(0);
    if (ComboBox3->count() > 0) ComboBox3->setCurrentIndex(0);

    if (PresetCustomer != 0) {
        const Result<std::optional<QString>> name = CustomerNameOf(Db(), PresetCustomer);
        if (!name)
            ShowOutcome(this, name);
        else if (name.value)
            SelectComboItem(ComboBox5, *name.value);
    }
    LoadLinkedVouchers();
}

bool TFormBuySell::ShowStored() {
    const Result<BillRecord> stored = LoadBill(Db(), CurrentBill);
    if (!stored) {
        ShowOutcome(this, stored);
        reject();
        return false;
    }
    const BillRecord& bill = stored.value;
    PresetCustomer = int(bill.customerIndex);

    DateTimePicker1->setDate(bill.created);
    Edit1->setText(bill.serial);
    SelectComboItem(ComboBox2, bill.reason);
    SelectComboItem(ComboBox3, bill.state);
    SetComboText(ComboBox5, bill.customer);
    Edit2->setText(FormatAmount(std::abs(bill.sum)));
    Edit3->setText(bill.remark);
    Edit4->setText(bill.man);
    LoadLinkedVouchers();
    m_shownFields = FieldTexts();

    // Locked: the fields accept typing, but nothing can be stored until ActionEdit succeeds.
    ShowEditButtons(false);
    BitBtn3->hide();
    SpeedButton4->show();
    SpeedButton1->show();
    return true;
}

void TFormBuySell::LoadLinkedVouchers() {
    Result<ResultSet> rows = LinkedVouchers(Db(), CurrentBill);
    if (!rows) {
        ShowOutcome(this, rows);
        m_vouchers = ResultSet();
        DBGridEh1->Clear();
        return;
    }
    m_vouchers = std::move(rows.value);
    DBGridEh1->SetData(m_vouchers);
    // An empty list shows empty footers, never the count and sums of an earlier list.
    DBGridEh1->SetCountAndSums(u"MoneyCreateTime"_s, {u"MoneyIn"_s, u"MoneyOut"_s, u"MoneySum"_s});
}

std::optional<double> TFormBuySell::AmountToStore() {
    // An empty box is a bill of 0; anything but a plain amount is refused before anything is
    // written, never stored as 0.
    const AmountEntry entry = ReadAmountEntry(Edit2->text());
    if (entry.state == AmountEntry::Invalid) {
        TheUi().Message(this, u"金额格式有误，请重新输入"_s);
        FocusControl(Edit2);
        return std::nullopt;
    }
    return entry.value;
}

BillInput TFormBuySell::FieldInput(double amount) const {
    BillInput in;
    in.kind = DocKind;
    in.created = DateTimePicker1->date();
    in.recorded = TheUi().Today();
    in.serial = Edit1->text();
    in.customer = ComboBox5->currentText();
    in.amount = amount;
    in.reason = ComboBox2->currentText();
    in.state = ComboBox3->currentText();
    in.remark = Edit3->text();
    in.man = CurrentUser;
    return in;
}

std::optional<qint64> TFormBuySell::StoredAhead() const {
    if (CurrentBill == 1) return std::nullopt;
    return CurrentBill;
}

void TFormBuySell::BitBtn1Click() {
    if (StoreBill()) accept();
}

bool TFormBuySell::StoreBill() {
    if (BitBtn1->isHidden()) return false; // a locked bill cannot be stored
    if (!IsValidSerialNumber(Edit1->text())) {
        TheUi().Message(this, u"单据编号格式有误，字母不能在数字后面"_s);
        FocusControl(Edit1);
        return false;
    }
    if (ComboBox5->currentText().isEmpty()) {
        TheUi().Message(this, u"请选择客户名称"_s);
        if (ComboBox5->isEnabled()) FocusControl(ComboBox5);
        return false;
    }
    if (!HasSelection(ComboBox2)) {
        TheUi().Message(this, u"请选择收支种类"_s);
        FocusControl(ComboBox2);
        return false;
    }
    if (!HasSelection(ComboBox3)) {
        TheUi().Message(this, u"请选择业务进度"_s);
        FocusControl(ComboBox3);
        return false;
    }
    const std::optional<double> amount = AmountToStore();
    if (!amount) return false;

    const BillInput in = FieldInput(*amount);

    if (IsNew()) {
        const Result<qint64> key = StoreNewBill(Db(), in, StoredAhead());
        if (!key) {
            ShowOutcome(this, key);
            return false;
        }
        CurrentBill = int(key.value);
        TheUi().Message(this, u"单据新增成功"_s);
        accept();
        return false;
    }

    if (const Outcome changed = ChangeBill(Db(), CurrentBill, in); !changed) {
        ShowOutcome(this, changed);
        return false;
    }
    TheUi().Message(this, u"记录修改成功"_s);
    m_shownFields = FieldTexts();
    return true;
}

void TFormBuySell::BitBtn2Click() {
    reject();
}

void TFormBuySell::BitBtn3Click() {
    if (BitBtn3->isHidden()) return; // only an unlocked stored bill can be deleted
    if (const Outcome there = FindBillToDelete(Db(), CurrentBill); !there) {
        ShowOutcome(this, there);
        return;
    }
    if (!TheUi().AskYesNo(this, u"确实要删除该记录吗？"_s, u"删除警告"_s)) return;
    if (const Outcome deleted = DeleteBill(Db(), CurrentBill); !deleted) {
        ShowOutcome(this, deleted);
        return;
    }
    accept();
}

void TFormBuySell::ActionEditExecute() {
    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return;
    Unlocked = true;
    ShowEditButtons(true);
    BitBtn3->show();
}

void TFormBuySell::Button1Click() {
    if (Button1->isHidden()) return;
    if (CurrentBill == 1) {
        // The voucher needs a bill to name: store the new bill ahead, without the other checks.
        if (!IsValidSerialNumber(Edit1->text())) {
            TheUi().Message(this, u"单据编号格式有误，字母不能在数字后面"_s);
            FocusControl(Edit1);
            return;
        }
        const std::optional<double> amount = AmountToStore();
        if (!amount) return;
        const Result<qint64> key = StoreNewBill(Db(), FieldInput(*amount), std::nullopt);
        if (!key) {
            ShowOutcome(this, key);
            return;
        }
        CurrentBill = int(key.value);
    }

    FormGetPay->OpenMode = tev::OpenMode::New;
    FormGetPay->DocKind = IsSales() ? VoucherKind::Income : VoucherKind::Expense;
    FormGetPay->LinkedBill = CurrentBill;
    FormGetPay->PresetCustomer = PresetCustomer;
    FormGetPay->CustomerFixed = CustomerFixed;
    FormGetPay->PresetCustomerName = ComboBox5->currentText();
    FormGetPay->PresetReason = ComboBox2->currentText();
    FormGetPay->PresetAmount.clear();
    FormGetPay->PresetRemark = Text(DocKind) + u"："_s + Edit1->text();
    if (TheUi().ShowModal(FormGetPay) == QDialog::Accepted) LoadLinkedVouchers();
}

void TFormBuySell::Button2Click() {
    if (Button2->isHidden() || DBGridEh1->CurrentInteger(u"MoneyIndex"_s) <= 0) return;
    FormGetPay->OpenMode = tev::OpenMode::Change;
    FormGetPay->DocKind = VoucherKindOfSum(DBGridEh1->CurrentFloat(u"MoneySum"_s));
    FormGetPay->CurrentVoucher = int(DBGridEh1->CurrentInteger(u"MoneyIndex"_s));
    FormGetPay->LinkedBill = CurrentBill;
    FormGetPay->PresetCustomer = PresetCustomer;
    FormGetPay->CustomerFixed = CustomerFixed;
    if (TheUi().ShowModal(FormGetPay) == QDialog::Accepted) LoadLinkedVouchers();
}

void TFormBuySell::DBGridEh1DblClick() {
    Button2Click();
}

void TFormBuySell::Button3Click() {
    if (Button3->isHidden()) return;
    const qint64 voucher = DBGridEh1->CurrentInteger(u"MoneyIndex"_s);
    if (voucher <= 0) return;
    if (const Outcome there = FindVoucherToDelete(Db(), voucher); !there) {
        ShowOutcome(this, there);
        return;
    }
    if (!TheUi().AskYesNo(this, u"确实要删除该记录吗？"_s, u"删除警告"_s)) return;
    if (const Outcome deleted = DeleteVoucher(Db(), voucher); !deleted) {
        ShowOutcome(this, deleted);
        return;
    }
    LoadLinkedVouchers();
}

void TFormBuySell::done(int result) {
    if (result != QDialog::Accepted && IsNew() && CurrentBill != 1) FormClose();
    TForm::done(result);
}

void TFormBuySell::FormClose() {
    const int bill = CurrentBill;
    CurrentBill = 1;
    if (const Outcome undone = UndoAbandonedBill(Db(), bill); !undone) ShowOutcome(this, undone);
}

QStringList TFormBuySell::FieldTexts() const {
    return {DateTimePicker1->date().toString(Qt::ISODate),
            Edit1->text(),
            ComboBox5->currentText(),
            Edit2->text(),
            ComboBox2->currentText(),
            ComboBox3->currentText(),
            Edit3->text()};
}

bool TFormBuySell::HasUnsavedChanges() const {
    // Only an unlocked bill can take its changes; a locked one prints as stored.
    return !IsNew() && !BitBtn1->isHidden() && FieldTexts() != m_shownFields;
}

// Figures and capitals come from the stored bill; an unlocked bill's unsaved changes are stored
// first or left out, as the user chooses.
void TFormBuySell::ActionPrintExecute() {
    if (PrintStoredDocument(
            this, HasUnsavedChanges(), [this] { return StoreBill(); }, [this] { PrintStored(); }))
        accept();
}

// Prints the stored bill with what was received or paid on it, what is still owed, its
// vouchers and its amount in capitals. Needs no password: locked bills print too.
void TFormBuySell::PrintStored() {
    Result<BillPrint> print = PrepareBillPrint(Db(), CurrentBill);
    if (!print) {
        ShowOutcome(this, print);
        return;
    }
    m_printedBill = std::move(print.value.bill);
    m_capitals = std::move(print.value.capitals);

    frReport1.SetMainDataSet(&m_gridData, u"ADOQueryGrid"_s);
    frReport1.SetDataSet(u"ADOQuery1"_s, &m_billData);
    frReport1.SetDataSet(u"ADOQueryBigFont"_s, &m_bigFontData);
    frReport1.SetPreviewButtons(PreviewButton::Zoom | PreviewButton::Print | PreviewButton::Find |
                                PreviewButton::Exit);
    if (!LoadReportTemplate(frReport1, u"Bill.frf"_s)) return;
    PrepareAndShow(frReport1, this);
}

} // namespace tev
