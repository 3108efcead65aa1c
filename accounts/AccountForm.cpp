#include "accounts/AccountForm.h"

#include "access/ModifyPassword.h"
#include "accounts/AccountForm2.h"
#include "domain/Accounts.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace tev {

TFormAccount::TFormAccount(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormAccount"_s);
    setWindowTitle(u"帐户操作"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(360, 210);

    auto caption = [this](const QString& text, int top) {
        auto* label = new QLabel(text, this);
        label->setGeometry(20, top, 80, 24);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(HeiFont(10));
    };
    caption(u"帐户名称："_s, 18);
    caption(u"帐户余额："_s, 50);
    auto value = [this](const QString& name, int top) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setGeometry(104, top, 236, 24);
        label->setFont(HeiFont(10, true));
        label->setStyleSheet(u"color: #0000ff"_s);
        return label;
    };
    Label3 = value(u"Label3"_s, 18);
    Label4 = value(u"Label4"_s, 50);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(16, 86, 328, 4);

    auto action = [this](const QString& name, const QString& text, int index) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        auto* button = new QPushButton(text, this);
        button->setObjectName(u"SpeedButton%1"_s.arg(index + 1));
        button->setGeometry(20 + (index % 3) * 110, 100 + (index / 3) * 48, 100, 36);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, a, &QAction::trigger);
        return a;
    };
    ActionMonth = action(u"ActionMonth"_s, u"当月记录"_s, 0);
    ActionYear = action(u"ActionYear"_s, u"当年记录"_s, 1);
    ActionAll = action(u"ActionAll"_s, u"所有记录"_s, 2);
    ActionEdit = action(u"ActionEdit"_s, u"修改帐户"_s, 3);
    ActionDelete = action(u"ActionDelete"_s, u"删除帐户"_s, 4);
    ActionCancel = action(u"ActionCancel"_s, u"取消操作"_s, 5);

    connect(ActionMonth, &QAction::triggered, this, &TFormAccount::ActionMonthExecute);
    connect(ActionYear, &QAction::triggered, this, &TFormAccount::ActionYearExecute);
    connect(ActionAll, &QAction::triggered, this, &TFormAccount::ActionAllExecute);
    connect(ActionEdit, &QAction::triggered, this, &TFormAccount::ActionEditExecute);
    connect(ActionDelete, &QAction::triggered, this, &TFormAccount::ActionDeleteExecute);
    connect(ActionCancel, &QAction::triggered, this, &QDialog::reject);
}

void TFormAccount::FormShow() {
    Label3->setText(CurrentAccount);
    Label4->setText(BalanceText);
}

void TFormAccount::RunStatement(const Period& period) {
    const Result<ListRequest> request = AccountVouchers(Db(), CurrentAccount, period);
    if (!request) {
        ShowOutcome(this, request);
        return;
    }
    if (request.value.IsEmpty()) return; // the account is gone
    TheShell().RunMoneyReport(request.value);
    TheShell().ShowPage(Shell::MoneyReportPage);
    reject();
}

void TFormAccount::ActionMonthExecute() {
    RunStatement(MonthOf(TheShell().WorkingDate()));
}

void TFormAccount::ActionYearExecute() {
    RunStatement(YearOf(TheShell().WorkingDate()));
}

void TFormAccount::ActionAllExecute() {
    RunStatement(AllTime());
}

void TFormAccount::ActionEditExecute() {
    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return;
    FormAccount2->EditName = CurrentAccount;
    if (TheUi().ShowModal(FormAccount2) != QDialog::Accepted) return;
    const AccountInput in{FormAccount2->EditName, FormAccount2->EditBase};
    const Outcome changed = ChangeAccount(Db(), CurrentAccount, in);
    // A refusal or a failure leaves the window open; an account gone meanwhile closes it like a
    // change, so that the pages drop it.
    if (changed.kind == Outcome::Refused || changed.kind == Outcome::Failed) {
        ShowOutcome(this, changed);
        return;
    }
    if (changed)
        TheUi().Message(this, u"帐户　%1　修改成功"_s.arg(in.name));
    else
        ShowOutcome(this, changed);
    TheShell().RefreshAllViews();
    reject();
}

void TFormAccount::ActionDeleteExecute() {
    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return;
    // An account that cannot be read, or is gone, has nothing to delete; nothing is asked.
    const Result<std::optional<AccountRecord>> account = FindAccount(Db(), CurrentAccount);
    if (!account || !account.value) return;
    if (!TheUi().AskYesNo(this, u"删除帐户将删除该帐户下所有记录，确实要删除吗？"_s, u"删除警告"_s)) return;
    const Outcome deleted = DeleteAccountWithVouchers(Db(), account.value->index);
    if (!deleted) {
        ShowOutcome(this, deleted);
        return;
    }
    TheShell().RefreshAllViews();
    reject();
}

} // namespace tev
