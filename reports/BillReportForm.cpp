#include "reports/BillReportForm.h"

#include "data/Database.h"
#include "domain/Lists.h"
#include "ui/Combo.h"
#include "ui/EditorWidgets.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

TFormBillReport::TFormBillReport(QWidget* parent) : TQueryForm(parent, {u"销售开单"_s, u"采购开单"_s}) {
    setObjectName(u"FormBillReport"_s);
    setWindowTitle(u"查找业务单据"_s);
    setFixedSize(500, 300);

    ComboBox2 = FieldCombo(this, u"ComboBox2"_s, false);
    ComboBox3 = FieldCombo(this, u"ComboBox3"_s, false);

    const int top = 14;
    const int width = kColumn2 - kLeft - kLabelWidth - 16;
    PlaceCommonRows(top);
    PlaceField(u"单据编号"_s, Edit5, kLeft, top + 3 * kRowStep, width);
    PlaceField(u"客户名称"_s, ComboBox6, kColumn2, top + 3 * kRowStep, width);
    PlaceField(u"业务种类"_s, ComboBox2, kLeft, top + 4 * kRowStep, width);
    PlaceField(u"业务进度"_s, ComboBox3, kColumn2, top + 4 * kRowStep, width);
    PlaceField(u"备注信息"_s, Edit3, kLeft, top + 5 * kRowStep, kColumn2 - kLeft + width);
    PlaceQuickSearch(top + 6 * kRowStep + 8, u"当月业务单据"_s);

    SpeedButton1 = new QPushButton(u"确定"_s, this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setGeometry(300, 244, 88, 28);
    SpeedButton1->setDefault(true);
    SpeedButton2 = new QPushButton(u"取消"_s, this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    SpeedButton2->setGeometry(396, 244, 88, 28);

    connect(SpeedButton1, &QPushButton::clicked, this, &TFormBillReport::ActionYesExecute);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormBillReport::ActionCancelExecute);
    connect(Button1, &QPushButton::clicked, this, &TFormBillReport::Button1Click);
}

void TFormBillReport::FormShow() {
    ResetFields();
    FillCombo(ComboBox2, OptionTexts(Db(), 1), true);
    FillCombo(ComboBox3, OptionTexts(Db(), 4), true);
    FillCombo(ComboBox6, CustomerNames(Db(), CustomerFilter), true);
    ResetKinds();
}

BillQueryInput TFormBillReport::Input() const {
    BillQueryInput in;
    in.kind = ComboBox5->currentText();
    in.period = CheckBox1->isChecked();
    in.from = DateTimePicker1->date();
    in.to = DateTimePicker2->date();
    in.amounts = CheckBox2->isChecked();
    in.lower = Edit2->text().trimmed();
    in.upper = Edit4->text().trimmed();
    in.reason = ComboBox2->currentText();
    in.state = ComboBox3->currentText();
    in.customer = ComboBox6->currentText();
    in.remark = Edit3->text();
    in.serial = Edit5->text();
    in.salesman = Edit6->text();
    return in;
}

void TFormBillReport::ActionYesExecute() {
    if (!AmountsValid()) return;
    RunAndClose(BillSearchRequest(Input(), BillFilter), true);
}

void TFormBillReport::ActionCancelExecute() {
    reject();
}

void TFormBillReport::Button1Click() {
    RunAndClose(BillMonthRequest(TheShell().WorkingDate()), true);
}

} // namespace tev
