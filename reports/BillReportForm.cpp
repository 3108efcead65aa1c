#include "reports/BillReportForm.h"

#include "app/ShareDM.h"
#include "data/Database.h"
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

QString BillQuerySelect() {
    return u"Select BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,"
           "IIF(Round(Sum(MoneySum),2) Is Null,0,Round(Sum(MoneySum),2)) As BillGet,"
           "BillSum-IIF(Round(Sum(MoneySum),2) Is Null,0,Round(Sum(MoneySum),2)) As BillOwe,"
           "BillMan,BillReason,BillState,BillRemark "
           "From (Bill Left Join MoneyTable On Bill.BillIndex = MoneyTable.MoneyBill)"_s;
}

QString BillQueryStatement(const BillQueryInput& in, const QString& billFilter) {
    QString sql = BillQuerySelect() + u" Where (BillIndex > 1)"_s + billFilter;
    if (in.period) sql += QueryDateCondition(u"BillCreateTime"_s, in.from, in.to);
    if (in.amounts) {
        // The magnitudes take the sign of the kind: purchase bills are stored negative.
        const bool purchase = in.kind == u"采购开单"_s;
        if (!in.lower.isEmpty()) {
            if (purchase)
                sql += u" And (BillSum <= -%1)"_s.arg(in.lower);
            else if (in.kind == u"销售开单"_s)
                sql += u" And (BillSum >= %1)"_s.arg(in.lower);
        }
        if (!in.upper.isEmpty())
            sql +=
                purchase ? u" And (BillSum >= -%1)"_s.arg(in.upper) : u" And (BillSum <= %1)"_s.arg(in.upper);
    }
    const auto equals = [&sql](const QString& column, const QString& value) {
        // A list with nothing chosen (its options failed to load) asks for nothing either.
        if (value != kAllItems && !value.isEmpty()) sql += u" And (%1 = '%2')"_s.arg(column, SqlText(value));
    };
    const auto contains = [&sql](const QString& column, const QString& value) {
        sql += u" And (InStr(%1,'%2'))"_s.arg(column, SqlText(value));
    };
    equals(u"BillReason"_s, in.reason);
    equals(u"BillState"_s, in.state);
    equals(u"BillKind"_s, in.kind);
    if (in.customer != kAllItems) contains(u"BillUser"_s, in.customer);
    if (!in.remark.isEmpty()) contains(u"BillRemark"_s, in.remark);
    if (!in.serial.isEmpty()) contains(u"BillSerial"_s, in.serial);
    if (!in.salesman.isEmpty()) contains(u"BillMan"_s, in.salesman);
    return sql;
}

QString BillMonthStatement(QDate working) {
    return BillQuerySelect() + u" Where (BillCreateTime Between %1 And %2)"_s.arg(
                                   SqlDate(MonthStart(working)), SqlDate(MonthEnd(working)));
}

QString BillQueryDescription(const BillQueryInput& in) {
    QueryWords words;
    words.Option(u"单据类型"_s, in.kind);
    words.Ranges(in.period, in.from, in.to, in.amounts, in.lower, in.upper);
    words.Option(u"业务种类"_s, in.reason);
    words.Option(u"业务进度"_s, in.state);
    if (in.customer != kAllItems) words.Contains(u"客户名称"_s, in.customer);
    words.Contains(u"备注"_s, in.remark);
    words.Contains(u"单据编号"_s, in.serial);
    words.Contains(u"业务员"_s, in.salesman);
    return words.Joined(u"全部业务单据"_s);
}

QString BillMonthDescription(QDate working) {
    return MonthWords(working) + u"业务单据"_s;
}

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
    Query& q = ShareDM->ADOQueryTemp;
    const QString value = u"ParameterValue"_s;
    LoadCombo(ComboBox2, q, OptionListStatement(1), true, value);
    LoadCombo(ComboBox3, q, OptionListStatement(4), true, value);
    LoadCombo(ComboBox6, q, u"Select * From Customer Where (CustomerIndex > 1)"_s + CustomerFilter, true,
              u"CustomerName"_s);
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
    const BillQueryInput in = Input();
    RunAndClose(ListRequest::Fixed(BillQueryStatement(in, BillFilter), BillQueryDescription(in)), true);
}

void TFormBillReport::ActionCancelExecute() {
    reject();
}

void TFormBillReport::Button1Click() {
    const QDate working = TheShell().WorkingDate();
    RunAndClose(ListRequest::Fixed(BillMonthStatement(working), BillMonthDescription(working)), true);
}

} // namespace tev
