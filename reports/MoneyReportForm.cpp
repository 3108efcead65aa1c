#include "reports/MoneyReportForm.h"

#include "data/Database.h"
#include "domain/Lists.h"
#include "ui/Combo.h"
#include "ui/EditorWidgets.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Shell.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace tev {

TFormMoneyReport::TFormMoneyReport(QWidget* parent) : TQueryForm(parent, {u"财务收入单"_s, u"财务支出单"_s}) {
    setObjectName(u"FormMoneyReport"_s);
    setWindowTitle(u"查找财务单据"_s);
    setFixedSize(500, 364);

    ComboBox1 = FieldCombo(this, u"ComboBox1"_s, false);
    ComboBox2 = FieldCombo(this, u"ComboBox2"_s, false);
    ComboBox3 = FieldCombo(this, u"ComboBox3"_s, false);
    ComboBox4 = FieldCombo(this, u"ComboBox4"_s, false);

    const int top = 14;
    const int width = kColumn2 - kLeft - kLabelWidth - 16;
    PlaceCommonRows(top);
    PlaceField(u"单据编号"_s, Edit5, kLeft, top + 3 * kRowStep, width);
    PlaceField(u"帐户名称"_s, ComboBox1, kColumn2, top + 3 * kRowStep, width);
    PlaceField(u"客户名称"_s, ComboBox6, kLeft, top + 4 * kRowStep, width);
    PlaceField(u"项目"_s, ComboBox2, kColumn2, top + 4 * kRowStep, width);
    PlaceField(u"款项类别"_s, ComboBox3, kLeft, top + 5 * kRowStep, width);
    PlaceField(u"款项凭证"_s, ComboBox4, kColumn2, top + 5 * kRowStep, width);
    PlaceField(u"备注"_s, Edit3, kLeft, top + 6 * kRowStep, kColumn2 - kLeft + width);
    PlaceQuickSearch(top + 7 * kRowStep + 8, u"当月财务单据"_s);

    const QStyle* style = QApplication::style();
    BitBtn1 = new QPushButton(style->standardIcon(QStyle::SP_DialogOkButton), u"确定"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setGeometry(300, 308, 88, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style->standardIcon(QStyle::SP_DialogCancelButton), u"取消"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setGeometry(396, 308, 88, 28);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormMoneyReport::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormMoneyReport::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &TFormMoneyReport::Button1Click);
}

void TFormMoneyReport::FormShow() {
    ResetFields();
    FillCombo(ComboBox1, AccountNames(Db(), AccountFilter), true);
    FillCombo(ComboBox2, OptionTexts(Db(), 1), true);
    FillCombo(ComboBox3, OptionTexts(Db(), 2), true);
    FillCombo(ComboBox4, OptionTexts(Db(), 3), true);
    FillCombo(ComboBox6, CustomerNames(Db(), CustomerFilter), true);
    ResetKinds();
}

MoneyQueryInput TFormMoneyReport::Input() const {
    MoneyQueryInput in;
    in.kind = ComboBox5->currentText();
    in.period = CheckBox1->isChecked();
    in.from = DateTimePicker1->date();
    in.to = DateTimePicker2->date();
    in.amounts = CheckBox2->isChecked();
    in.lower = Edit2->text().trimmed();
    in.upper = Edit4->text().trimmed();
    in.account = ComboBox1->currentText();
    in.reason = ComboBox2->currentText();
    in.type = ComboBox3->currentText();
    in.token = ComboBox4->currentText();
    in.customer = ComboBox6->currentText();
    in.remark = Edit3->text();
    in.serial = Edit5->text();
    in.salesman = Edit6->text();
    return in;
}

void TFormMoneyReport::BitBtn1Click() {
    if (!AmountsValid()) return;
    RunAndClose(MoneySearchRequest(Input(), VoucherFilter), false);
}

void TFormMoneyReport::BitBtn2Click() {
    reject();
}

void TFormMoneyReport::Button1Click() {
    RunAndClose(MoneyMonthRequest(TheShell().WorkingDate()), false);
}

} // namespace tev
