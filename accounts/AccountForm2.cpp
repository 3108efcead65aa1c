#include "accounts/AccountForm2.h"

#include "domain/Accounts.h"
#include "rules/PublicFunction.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

TFormAccount2::TFormAccount2(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormAccount2"_s);
    setWindowTitle(u"新增帐户"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(300, 140);

    auto field = [this](const QString& name, const QString& caption, int top) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(u"Label"_s + name);
        label->setGeometry(16, top, 80, 24);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(100, top, 180, 24);
        label->setBuddy(edit);
        return edit;
    };
    Edit1 = field(u"Edit1"_s, u"帐户名称："_s, 18);
    Edit2 = field(u"Edit2"_s, u"起初金额："_s, 52);
    Edit2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    SpeedButton1 = new QPushButton(u"确定"_s, this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setGeometry(100, 96, 84, 28);
    SpeedButton1->setDefault(true);
    SpeedButton2 = new QPushButton(u"取消"_s, this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    SpeedButton2->setGeometry(196, 96, 84, 28);
    SpeedButton2->setAutoDefault(false);

    connect(SpeedButton1, &QPushButton::clicked, this, &TFormAccount2::ActionYesExecute);
    connect(SpeedButton2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormAccount2::FormShow() {
    Edit1->clear();
    if (!EditName.isEmpty()) {
        setWindowTitle(u"修改帐户"_s);
        Edit1->setText(EditName);
        Edit2->setText(u"0"_s);
        const Result<std::optional<AccountRecord>> account = FindAccount(Db(), EditName);
        if (!account) {
            ShowOutcome(this, account);
            return;
        }
        if (account.value) {
            Edit1->setText(account.value->name);
            Edit2->setText(FormatAmount(account.value->base));
        }
    } else {
        setWindowTitle(u"新增帐户"_s);
        EditBase = 0;
        Edit2->setText(u"0"_s);
    }
    FocusControl(Edit1);
}

void TFormAccount2::ActionYesExecute() {
    // The opening amount must be a plain amount; an empty box is refused as well.
    const AmountEntry entry = ReadAmountEntry(Edit2->text());
    if (entry.state != AmountEntry::Amount) {
        TheUi().Message(this, u"金额格式有误，请重新输入"_s);
        FocusControl(Edit2);
        return;
    }
    const std::optional<double> amount = entry.value;
    const QString name = Edit1->text();
    EditName = name.isNull() ? u""_s : name;
    EditBase = *amount;
    accept();
}

} // namespace tev
