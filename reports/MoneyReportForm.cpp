#include "reports/MoneyReportForm.h"

#include "app/ShareDM.h"
#include "data/Database.h"
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

QString MoneyQuerySelect() {
    return u"Select MoneyIndex,MoneyCreateTime,MoneySerial,AccountName,MoneyUser,MoneyIn,MoneyOut,MoneySum,"
           "MoneyMan,MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable "
           "Where (AccountIndex = MoneyAccount)"_s;
}

QString MoneyQueryStatement(const MoneyQueryInput& in, const QString& voucherFilter) {
    QString sql = MoneyQuerySelect() + voucherFilter;
    if (in.period) sql += QueryDateCondition(u"MoneyCreateTime"_s, in.from, in.to);
    const bool expense = in.kind == u"财务支出单"_s;
    if (in.amounts) {
        // The magnitudes take the sign of the kind: expense vouchers are stored negative.
        if (!in.lower.isEmpty()) {
            if (expense)
                sql += u" And (MoneySum <= -%1)"_s.arg(in.lower);
            else if (in.kind == u"财务收入单"_s)
                sql += u" And (MoneySum >= %1)"_s.arg(in.lower);
        }
        if (!in.upper.isEmpty())
            sql += expense ? u" And (MoneySum >= -%1)"_s.arg(in.upper)
                           : u" And (MoneySum <= %1)"_s.arg(in.upper);
    }
    const auto equals = [&sql](const QString& column, const QString& value) {
        // A list with nothing chosen (its options failed to load) asks for nothing either.
        if (value != kAllItems && !value.isEmpty()) sql += u" And (%1 = '%2')"_s.arg(column, SqlText(value));
    };
    const auto contains = [&sql](const QString& column, const QString& value) {
        sql += u" And (InStr(%1,'%2'))"_s.arg(column, SqlText(value));
    };
    equals(u"AccountName"_s, in.account);
    equals(u"MoneyReason"_s, in.reason);
    equals(u"MoneyType"_s, in.type);
    equals(u"MoneyToken"_s, in.token);
    if (in.kind == u"财务收入单"_s) sql += u" And (MoneySum >= 0)"_s;
    if (expense) sql += u" And (MoneySum < 0)"_s;
    if (in.customer != kAllItems) contains(u"MoneyUser"_s, in.customer);
    if (!in.remark.isEmpty()) contains(u"MoneyRemark"_s, in.remark);
    if (!in.serial.isEmpty()) contains(u"MoneySerial"_s, in.serial);
    if (!in.salesman.isEmpty()) contains(u"MoneyMan"_s, in.salesman);
    return sql;
}

QString MoneyMonthStatement(QDate working) {
    return MoneyQuerySelect() + u" And (MoneyCreateTime Between %1 And %2)"_s.arg(
                                    SqlDate(MonthStart(working)), SqlDate(MonthEnd(working)));
}

QString MoneyQueryDescription(const MoneyQueryInput& in) {
    QueryWords words;
    words.Option(u"单据类型"_s, in.kind);
    words.Ranges(in.period, in.from, in.to, in.amounts, in.lower, in.upper);
    words.Option(u"帐户"_s, in.account);
    words.Option(u"项目"_s, in.reason);
    words.Option(u"款项类别"_s, in.type);
    words.Option(u"款项凭证"_s, in.token);
    if (in.customer != kAllItems) words.Contains(u"客户名称"_s, in.customer);
    words.Contains(u"备注"_s, in.remark);
    words.Contains(u"单据编号"_s, in.serial);
    words.Contains(u"业务员"_s, in.salesman);
    return words.Joined(u"全部财务单据"_s);
}

QString MoneyMonthDescription(QDate working) {
    return MonthWords(working) + u"财务单据"_s;
}

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
    Query& q = ShareDM->ADOQueryTemp;
    const QString value = u"ParameterValue"_s;
    LoadCombo(ComboBox1, q, u"Select * From Account Where AccountIndex > 1"_s + AccountFilter, true,
              u"AccountName"_s);
    LoadCombo(ComboBox2, q, OptionListStatement(1), true, value);
    LoadCombo(ComboBox3, q, OptionListStatement(2), true, value);
    LoadCombo(ComboBox4, q, OptionListStatement(3), true, value);
    LoadCombo(ComboBox6, q, u"Select * From Customer Where (CustomerIndex > 1)"_s + CustomerFilter, true,
              u"CustomerName"_s);
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
    const MoneyQueryInput in = Input();
    RunAndClose(ListRequest::Fixed(MoneyQueryStatement(in, VoucherFilter), MoneyQueryDescription(in)), false);
}

void TFormMoneyReport::BitBtn2Click() {
    reject();
}

void TFormMoneyReport::Button1Click() {
    const QDate working = TheShell().WorkingDate();
    RunAndClose(ListRequest::Fixed(MoneyMonthStatement(working), MoneyMonthDescription(working)), false);
}

} // namespace tev
