#include "reports/QueryForm.h"

#include "data/Database.h"
#include "domain/Kinds.h"
#include "rules/PublicFunction.h"
#include "ui/EditorWidgets.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace tev {

TQueryForm::TQueryForm(QWidget* parent, const QStringList& kinds) : TForm(parent), m_kinds(kinds) {
    // A fixed dialog with only the system menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    ComboBox5 = FieldCombo(this, u"ComboBox5"_s, false);
    CheckBox1 = new QCheckBox(u"时间范围"_s, this);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    DateTimePicker1 = FieldDate(this, u"DateTimePicker1"_s);
    DateTimePicker2 = FieldDate(this, u"DateTimePicker2"_s);
    CheckBox2 = new QCheckBox(u"金额范围"_s, this);
    CheckBox2->setObjectName(u"CheckBox2"_s);
    Edit2 = FieldEdit(this, u"Edit2"_s);
    Edit4 = FieldEdit(this, u"Edit4"_s);
    Edit5 = FieldEdit(this, u"Edit5"_s);
    ComboBox6 = FieldCombo(this, u"ComboBox6"_s, true);
    Edit3 = FieldEdit(this, u"Edit3"_s);
    Edit6 = FieldEdit(this, u"Edit6"_s);
    GroupBox1 = new QGroupBox(u"快速查询"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    Button1 = new QPushButton(GroupBox1);
    Button1->setObjectName(u"Button1"_s);
    m_normalPalette = Edit6->palette();

    // clicked, not toggled: only the user's click is answered, so unchecking the box from
    // inside the handler does not run it again.
    connect(CheckBox1, &QCheckBox::clicked, this, &TQueryForm::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TQueryForm::CheckBox2Click);
    connect(ComboBox5, &QComboBox::currentIndexChanged, this, &TQueryForm::ComboBox5Change);
}

void TQueryForm::PlaceField(const QString& caption, QWidget* field, int x, int y, int width) {
    QLabel* label = FieldLabel(this, caption);
    label->setGeometry(x, y, kLabelWidth, kFieldHeight);
    field->setGeometry(x + kLabelWidth + 4, y, width, kFieldHeight);
}

void TQueryForm::PlaceCommonRows(int top) {
    const int fieldWidth = kColumn2 - kLeft - kLabelWidth - 16;
    PlaceField(u"单据类型"_s, ComboBox5, kLeft, top, fieldWidth);
    PlaceField(u"业务员"_s, Edit6, kColumn2, top, fieldWidth);

    // The two ranges: check box, from, "到", to.
    const int rangeX = kLeft + kLabelWidth + 4;
    const int pickerWidth = 140;
    const int toX = rangeX + pickerWidth + 8;
    int y = top + kRowStep;
    CheckBox1->setGeometry(kLeft, y, kLabelWidth + 4, kFieldHeight);
    DateTimePicker1->setGeometry(rangeX, y, pickerWidth, kFieldHeight);
    auto* to1 = new QLabel(u"到"_s, this);
    to1->setAlignment(Qt::AlignCenter);
    to1->setGeometry(toX, y, 24, kFieldHeight);
    DateTimePicker2->setGeometry(toX + 32, y, pickerWidth, kFieldHeight);
    y += kRowStep;
    CheckBox2->setGeometry(kLeft, y, kLabelWidth + 4, kFieldHeight);
    Edit2->setGeometry(rangeX, y, pickerWidth, kFieldHeight);
    auto* to2 = new QLabel(u"到"_s, this);
    to2->setAlignment(Qt::AlignCenter);
    to2->setGeometry(toX, y, 24, kFieldHeight);
    Edit4->setGeometry(toX + 32, y, pickerWidth, kFieldHeight);
}

void TQueryForm::PlaceQuickSearch(int y, const QString& caption) {
    GroupBox1->setGeometry(kLeft, y, 200, 56);
    Button1->setText(caption);
    Button1->setGeometry(12, 22, 176, 26);
}

void TQueryForm::ResetFields() {
    for (QLineEdit* e : {Edit2, Edit3, Edit4, Edit5})
        e->clear();
    if (RoleFromText(CurrentRole) == Role::Salesman) {
        // A salesman searches his own documents only; his name is not his to change.
        Edit6->setText(CurrentUser);
        QPalette grey = m_normalPalette;
        grey.setColor(QPalette::Base, QColor(222, 222, 222));
        Edit6->setPalette(grey);
        Edit6->setReadOnly(true);
    } else {
        Edit6->clear();
        Edit6->setPalette(m_normalPalette);
        Edit6->setReadOnly(false);
    }
    const QDate working = TheShell().WorkingDate();
    DateTimePicker1->setDate(MonthStart(working));
    DateTimePicker2->setDate(MonthEnd(working));
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(DateTimePicker1), static_cast<QWidget*>(DateTimePicker2),
                       static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Edit4)})
        w->setEnabled(false);
}

void TQueryForm::ResetKinds() {
    ComboBox5->clear();
    ComboBox5->addItem(kAllItems);
    ComboBox5->addItems(m_kinds);
    ComboBox5->setCurrentIndex(0);
    FocusControl(ComboBox5);
}

void TQueryForm::CheckBox1Click() {
    DateTimePicker1->setEnabled(CheckBox1->isChecked());
    DateTimePicker2->setEnabled(CheckBox1->isChecked());
}

void TQueryForm::CheckBox2Click() {
    if (CheckBox2->isChecked() && ComboBox5->currentIndex() <= 0) {
        // The magnitudes mean something only once the kind gives them their sign.
        ShowMessage(u"请先选定“单据类型”后再填金额范围"_s);
        CheckBox2->setChecked(false);
        return;
    }
    // Unchecking keeps the amounts: they are still checked for format, but not searched.
    Edit2->setEnabled(CheckBox2->isChecked());
    Edit4->setEnabled(CheckBox2->isChecked());
}

void TQueryForm::ComboBox5Change() {
    if (ComboBox5->currentIndex() > 0) return;
    Edit2->clear();
    Edit4->clear();
    Edit2->setEnabled(false);
    Edit4->setEnabled(false);
}

bool TQueryForm::AmountsValid() {
    for (QLineEdit* e : {Edit2, Edit4}) {
        if (!QueryAmountValid(e->text())) {
            ShowMessage(u"金额格式有误，请重新输入"_s);
            FocusControl(e);
            return false;
        }
    }
    return true;
}

void TQueryForm::RunAndClose(const ListRequest& request, bool bills) {
    if (bills) {
        TheShell().RunBillReport(request);
        TheShell().ShowPage(Shell::BillReportPage);
    } else {
        TheShell().RunMoneyReport(request);
        TheShell().ShowPage(Shell::MoneyReportPage);
    }
    accept();
}

} // namespace tev
