#include "customers/CustomerForm3.h"

#include "domain/Periods.h"
#include "ui/Forms.h"
#include "ui/Shell.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
constexpr int kLabelWidth = 70;
constexpr int kEditWidth = 180;
constexpr int kColumn2 = 290;
constexpr int kRowStep = 32;
} // namespace

TFormCustomer3::TFormCustomer3(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormCustomer3"_s);
    setWindowTitle(u"客户信息搜索"_s);
    // No title-bar buttons: the dialog is left by its own two buttons (or Esc).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(566, 300);

    const QString captions[kCustomerSearchFields] = {
        u"客户名称："_s, u"联 系 人："_s, u"手机号码："_s, u"电话号码："_s, u"传真号码："_s,
        u"电子邮箱："_s, u"客户主页："_s, u"联系地址："_s, u"备注信息："_s,
    };
    for (int i = 0; i < kCustomerSearchFields; ++i) {
        // Five rows on the left, four on the right.
        const int x = i < 5 ? 16 : kColumn2;
        const int y = 18 + kRowStep * (i < 5 ? i : i - 5);
        auto* label = new QLabel(captions[i], this);
        label->setObjectName(u"Label%1"_s.arg(i + 1));
        label->setGeometry(x, y, kLabelWidth, 24);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(u"Edit%1"_s.arg(i + 1));
        edit->setGeometry(x + kLabelWidth + 4, y, kEditWidth, 24);
        Edits[i] = edit;
    }
    Edit1 = Edits[0];
    Edit2 = Edits[1];
    Edit3 = Edits[2];
    Edit4 = Edits[3];
    Edit5 = Edits[4];
    Edit6 = Edits[5];
    Edit7 = Edits[6];
    Edit8 = Edits[7];
    Edit9 = Edits[8];

    auto* line = new QFrame(this);
    line->setObjectName(u"Bevel1"_s);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(16, 180, 534, 4);

    auto* periodLabel = new QLabel(u"业务时段："_s, this);
    periodLabel->setObjectName(u"Label10"_s);
    periodLabel->setGeometry(16, 194, kLabelWidth, 24);
    periodLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CheckBox1 = new QCheckBox(u"搜有业务的客户"_s, this);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox1->setGeometry(16 + kLabelWidth + 4, 194, 180, 24);

    auto* startLabel = new QLabel(u"开始日期："_s, this);
    startLabel->setObjectName(u"Label11"_s);
    startLabel->setGeometry(16, 226, kLabelWidth, 24);
    startLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* endLabel = new QLabel(u"结束日期："_s, this);
    endLabel->setObjectName(u"Label12"_s);
    endLabel->setGeometry(kColumn2, 226, kLabelWidth, 24);
    endLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(u"DateTimePicker1"_s);
    DateTimePicker1->setGeometry(16 + kLabelWidth + 4, 226, 130, 24);
    DateTimePicker2 = new QDateEdit(this);
    DateTimePicker2->setObjectName(u"DateTimePicker2"_s);
    DateTimePicker2->setGeometry(kColumn2 + kLabelWidth + 4, 226, 130, 24);
    for (QDateEdit* picker : {DateTimePicker1, DateTimePicker2}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(u"yyyy-M-d"_s);
        // They take part only when the period is asked for.
        picker->setEnabled(false);
    }

    SpeedButton1 = new QPushButton(u"确定"_s, this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setGeometry(362, 262, 88, 28);
    SpeedButton1->setDefault(true);
    SpeedButton2 = new QPushButton(u"取消"_s, this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    SpeedButton2->setGeometry(462, 262, 88, 28);

    connect(CheckBox1, &QCheckBox::toggled, this, &TFormCustomer3::CheckBox1Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TFormCustomer3::ActionYesExecute);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormCustomer3::ActionCancelExecute);
}

void TFormCustomer3::FormShow() {
    // The period offered is the working month; the texts and the box keep what they held.
    const Period month = MonthOf(TheShell().WorkingDate());
    DateTimePicker1->setDate(month.first);
    DateTimePicker2->setDate(month.last);
    FocusControl(Edit1);
}

void TFormCustomer3::CheckBox1Click() {
    // The pickers follow the box (rather than flipping), so they can never disagree with it.
    DateTimePicker1->setEnabled(CheckBox1->isChecked());
    DateTimePicker2->setEnabled(CheckBox1->isChecked());
}

CustomerSearchInput TFormCustomer3::Input() const {
    CustomerSearchInput input;
    for (int i = 0; i < kCustomerSearchFields; ++i)
        input.texts[i] = Edits[i]->text();
    input.period = CheckBox1->isChecked();
    if (input.period) {
        input.start = DateTimePicker1->date();
        input.end = DateTimePicker2->date();
    }
    return input;
}

void TFormCustomer3::ActionYesExecute() {
    Search = Input();
    SearchFilter = CustomerSearchFilter(Search);
    accept();
}

void TFormCustomer3::ClearSearch() {
    Search = CustomerSearchInput();
    SearchFilter.clear();
    for (QLineEdit* e : Edits)
        e->clear();
    CheckBox1->setChecked(false);
}

void TFormCustomer3::ActionCancelExecute() {
    reject();
}

} // namespace tev
