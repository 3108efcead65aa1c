#include "vouchers/GetPayForm.h"

#include "access/ModifyPassword.h"
#include "domain/Lists.h"
#include "domain/Vouchers.h"
#include "rules/PublicFunction.h"
#include "ui/Combo.h"
#include "ui/EditorPictures.h"
#include "ui/EditorWidgets.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

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

constexpr int kWidth = 760;
constexpr int kBannerHeight = 60;

const QString kIncome = u"财务收入单"_s;
const QString kNew = u"新增"_s;

} // namespace

TFormGetPay::TFormGetPay(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormGetPay"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setFixedSize(kWidth, kBannerHeight);

    ActionPrint = new QAction(DrawEditorIcon(EditorIcon::Printer, 28), u"打印"_s, this);
    ActionPrint->setObjectName(u"ActionPrint"_s);
    ActionPrint->setToolTip(u"打印单据"_s);
    PrintButton = BannerButton(Image1, u"PrintButton"_s, ActionPrint, kWidth - 52, 40, 28);

    Edit4 = FieldEdit(this, u"Edit4"_s);
    ComboBox1 = FieldCombo(this, u"ComboBox1"_s, false);
    DateTimePicker1 = FieldDate(this, u"DateTimePicker1"_s);
    ComboBox5 = FieldCombo(this, u"ComboBox5"_s, true);
    Edit2 = FieldEdit(this, u"Edit2"_s);
    Edit2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ComboBox2 = FieldCombo(this, u"ComboBox2"_s, false);
    ComboBox3 = FieldCombo(this, u"ComboBox3"_s, false);
    ComboBox4 = FieldCombo(this, u"ComboBox4"_s, false);
    Edit5 = FieldEdit(this, u"Edit5"_s);
    Edit5->setReadOnly(true);
    Edit5->setStyleSheet(u"#Edit5 { background: #e4e7eb; }"_s);
    Edit3 = FieldEdit(this, u"Edit3"_s);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(10);
    const struct {
        const char16_t* caption;
        QWidget* control;
        int row, column, span;
    } cells[] = {
        {u"单据编号", Edit4, 0, 0, 1},
        {u"帐户名称", ComboBox1, 0, 2, 1},
        {u"录入时间", DateTimePicker1, 0, 4, 1},
        {u"客户名称", ComboBox5, 0, 6, 1},
        {u"金额", Edit2, 1, 0, 1},
        {u"业务种类", ComboBox2, 1, 2, 1},
        {u"款项类别", ComboBox3, 1, 4, 1},
        {u"凭证", ComboBox4, 1, 6, 1},
        {u"业务员", Edit5, 2, 0, 1},
        {u"备注", Edit3, 2, 2, 5},
    };
    for (const auto& c : cells) {
        fields->addWidget(FieldLabel(this, QString::fromUtf16(c.caption)), c.row, c.column);
        fields->addWidget(c.control, c.row, c.column + 1, 1, c.span);
    }
    for (int column : {1, 3, 5, 7})
        fields->setColumnStretch(column, 1);

    BitBtn1 = EditorButton(this, u"BitBtn1"_s, u"确定"_s, EditorIcon::Ok);
    BitBtn3 = EditorButton(this, u"BitBtn3"_s, u"删除"_s, EditorIcon::Delete);
    BitBtn2 = EditorButton(this, u"BitBtn2"_s, u"取消"_s, EditorIcon::Cancel);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(14, 14, 14, 12);
    body->setSpacing(14);
    body->addLayout(fields);
    body->addLayout(buttons);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(Image1);
    page->addLayout(body);
    setFixedSize(kWidth, sizeHint().height());

    QWidget* order[] = {Edit4,     ComboBox1, DateTimePicker1, ComboBox5, Edit2,   ComboBox2, ComboBox3,
                        ComboBox4, Edit5,     Edit3,           BitBtn1,   BitBtn2, BitBtn3};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormGetPay::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormGetPay::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormGetPay::BitBtn3Click);
    connect(ActionPrint, &QAction::triggered, this, &TFormGetPay::ActionPrintExecute);
}

bool TFormGetPay::IsIncome() const {
    return DocKind == VoucherKind::Income;
}

bool TFormGetPay::IsNew() const {
    return OpenMode == tev::OpenMode::New;
}

void TFormGetPay::FormShow() {
    const QString mode = IsNew() ? u"New"_s : u"Edit"_s;
    const QString kind = IsIncome() ? u"Get"_s : u"Pay"_s;
    const QString title =
        (IsIncome() ? kIncome : u"财务支出单"_s) + u"（"_s + (IsNew() ? kNew : u"修改"_s) + u"）"_s;
    setWindowTitle(title);
    Image1->setPixmap(
        BannerBand(ProgramDir + u"Res/"_s + mode + kind + u".bmp"_s, kWidth, kBannerHeight, title));

    FillCombo(ComboBox1, AccountNames(Db(), AccountFilter), false);
    FillCombo(ComboBox2, OptionTexts(Db(), 1), false);
    FillCombo(ComboBox3, OptionTexts(Db(), 2), false);
    FillCombo(ComboBox4, OptionTexts(Db(), 3), false);
    FillCombo(ComboBox5, CustomerNames(Db(), CustomerFilter), false);
    ComboBox5->setEnabled(!CustomerFixed);

    if (IsNew()) {
        ShowNew();
    } else {
        if (!ShowStored()) return;
    }
    FocusControl(Edit2);
}

void TFormGetPay::ShowNew() {
    DateTimePicker1->setDate(TheShell().WorkingDate());
    if (!CustomerFixed) SetComboText(ComboBox5, PresetCustomerName);
    Edit2->setText(PresetAmount);
    Edit3->setText(PresetRemark);
    Edit4->clear();
    Edit5->setText(CurrentUser);
    BitBtn3->hide();
    PrintButton->hide();
    for (QComboBox* c : {ComboBox1, ComboBox2, ComboBox3, ComboBox4})
        if (c->count() > 0) c->setCurrentIndex(0);

    if (PresetCustomer != 0) {
        const Result<std::optional<QString>> name = CustomerNameOf(Db(), PresetCustomer);
        if (!name)
            ShowOutcome(this, name);
        else if (name.value)
            SelectComboItem(ComboBox5, *name.value);
    }
    if (!PresetReason.isEmpty()) SelectComboItem(ComboBox2, PresetReason);

    // A stored number with letters after its digits, or one too long to count on, gives no
    // proposal: the box stays empty rather than guessing.
    const Result<QString> number = ProposedNumber(Db(), NumberRow(DocKind));
    if (number)
        Edit4->setText(number.value);
    else
        ShowOutcome(this, number);
}

bool TFormGetPay::ShowStored() {
    const Result<VoucherRecord> stored = LoadVoucher(Db(), CurrentVoucher);
    if (!stored) {
        ShowOutcome(this, stored);
        reject();
        return false;
    }
    const VoucherRecord& v = stored.value;
    SelectComboItem(ComboBox1, v.accountName);
    DateTimePicker1->setDate(v.created);
    SelectComboItem(ComboBox2, v.reason);
    Edit2->setText(FormatAmount(std::abs(v.sum)));
    SelectComboItem(ComboBox3, v.type);
    SelectComboItem(ComboBox4, v.token);
    SetComboText(ComboBox5, v.customer);
    Edit3->setText(v.remark);
    Edit4->setText(v.serial);
    Edit5->setText(v.man);
    BitBtn3->show();
    PrintButton->show();
    m_shownFields = FieldTexts();
    return true;
}

QStringList TFormGetPay::FieldTexts() const {
    return {ComboBox1->currentText(),
            DateTimePicker1->date().toString(Qt::ISODate),
            ComboBox2->currentText(),
            Edit2->text(),
            ComboBox3->currentText(),
            ComboBox4->currentText(),
            ComboBox5->currentText(),
            Edit3->text(),
            Edit4->text(),
            Edit5->text()};
}

bool TFormGetPay::HasUnsavedChanges() const {
    return !IsNew() && FieldTexts() != m_shownFields;
}

std::optional<qint64> TFormGetPay::CheckFields(double& amount) {
    auto refuse = [this](const QString& message, QWidget* focus) -> std::optional<qint64> {
        TheUi().Message(this, message);
        if (focus) FocusControl(focus);
        return std::nullopt;
    };
    if (!HasSelection(ComboBox1)) return refuse(u"请选择一个帐户"_s, ComboBox1);
    if (!HasSelection(ComboBox2)) return refuse(u"请选择帐款项目"_s, ComboBox2);
    // An empty box is as malformed as letters: a voucher always moves money.
    const AmountEntry entry = ReadAmountEntry(Edit2->text());
    if (entry.state != AmountEntry::Amount) return refuse(u"金额格式有误，请重新输入"_s, Edit2);
    if (entry.decimals > 4) return refuse(u"金额内容可能有误，请重新输入"_s, Edit2);
    if (!HasSelection(ComboBox3)) return refuse(u"请选择帐款类别"_s, ComboBox3);
    if (!HasSelection(ComboBox4)) return refuse(u"请选择帐款凭证"_s, ComboBox4);

    // The account is found by the name the list offered: one renamed or deleted since is refused.
    const Result<qint64> account = VoucherAccount(Db(), ComboBox1->currentText());
    if (!account) {
        ShowOutcome(this, account);
        return std::nullopt;
    }

    if (ComboBox5->currentText().isEmpty())
        return refuse(u"请选择客户名称"_s, ComboBox5->isEnabled() ? ComboBox5 : nullptr);
    if (!IsValidSerialNumber(Edit4->text())) return refuse(u"单据编号格式有误，字母不能在数字后面"_s, Edit4);
    amount = entry.value;
    return account.value;
}

void TFormGetPay::BitBtn1Click() {
    if (StoreVoucher()) accept();
}

bool TFormGetPay::StoreVoucher() {
    double amount = 0;
    const std::optional<qint64> account = CheckFields(amount);
    if (!account) return false;

    VoucherInput in;
    in.kind = DocKind;
    in.account = *account;
    in.created = DateTimePicker1->date();
    in.customer = ComboBox5->currentText();
    in.reason = ComboBox2->currentText();
    in.amount = amount;
    in.type = ComboBox3->currentText();
    in.token = ComboBox4->currentText();
    in.remark = Edit3->text();
    in.serial = Edit4->text();
    in.man = Edit5->text();
    in.bill = LinkedBill;
    in.recorded = TheUi().Today();

    if (IsNew()) {
        if (const Outcome stored = StoreNewVoucher(Db(), in); !stored) {
            ShowOutcome(this, stored);
            return false;
        }
        TheUi().Message(this, u"记录新增成功"_s);
        return true;
    }

    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return false;
    if (const Outcome changed = ChangeVoucher(Db(), CurrentVoucher, in); !changed) {
        ShowOutcome(this, changed);
        return false;
    }
    TheUi().Message(this, u"记录修改成功"_s);
    m_shownFields = FieldTexts();
    return true;
}

void TFormGetPay::BitBtn2Click() {
    reject();
}

void TFormGetPay::BitBtn3Click() {
    if (BitBtn3->isHidden()) return; // a new voucher has nothing to delete
    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return;
    if (const Outcome there = FindVoucherToDelete(Db(), CurrentVoucher); !there) {
        ShowOutcome(this, there);
        return;
    }
    if (!TheUi().AskYesNo(this, u"确实要删除该记录吗？"_s, u"删除警告"_s)) return;
    if (const Outcome deleted = DeleteVoucher(Db(), CurrentVoucher); !deleted) {
        ShowOutcome(this, deleted);
        return;
    }
    accept();
}

// Figures and capitals come from the stored voucher; unsaved changes are stored first (behind
// the password) or left out, as the user chooses.
void TFormGetPay::ActionPrintExecute() {
    if (PrintStoredDocument(
            this, HasUnsavedChanges(), [this] { return StoreVoucher(); }, [this] { PrintStored(); }))
        accept();
}

void TFormGetPay::PrintStored() {
    Result<VoucherPrint> print = PrepareVoucherPrint(Db(), CurrentVoucher);
    if (!print) {
        ShowOutcome(this, print);
        return;
    }
    m_printedVoucher = std::move(print.value.voucher);
    CapitalText = print.value.capitals;
    m_voucherData.SetRows(&m_printedVoucher);
    frReport1.SetMainDataSet(&m_voucherData, u"ADOQueryTemp"_s);
    frReport1.SetVariableCallback(
        [this](const QString& name, QVariant& value) { frReport1GetValue(name, value); });
    frReport1.SetPreviewButtons(PreviewButton::Zoom | PreviewButton::Load | PreviewButton::Save |
                                PreviewButton::Print | PreviewButton::Find | PreviewButton::Help |
                                PreviewButton::Exit);
    if (!LoadReportTemplate(frReport1, u"Money.frf"_s)) return;
    PrepareAndShow(frReport1, this);
}

void TFormGetPay::frReport1GetValue(const QString& name, QVariant& value) const {
    if (name == u"MoneyCN"_s) value = CapitalText;
}

} // namespace tev
