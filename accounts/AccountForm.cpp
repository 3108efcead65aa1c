#include "accounts/AccountForm.h"

#include "access/ModifyPassword.h"
#include "accounts/AccountForm2.h"
#include "app/ShareDM.h"
#include "data/Database.h"
#include "ui/Forms.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace tev {

QString AccountStatement(qint64 accountIndex, const QDate& first, const QDate& last) {
    QString sql = u"Select MoneyIndex,MoneySerial,MoneyCreateTime,AccountName,MoneyUser,MoneyIn,MoneyOut,"
                  "MoneySum,MoneyMan,MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable "
                  "Where (AccountIndex = MoneyAccount) And (MoneyAccount = %1)"_s.arg(accountIndex);
    if (first.isValid())
        sql += u" And (MoneyCreateTime Between %1 And %2)"_s.arg(SqlDate(first), SqlDate(last));
    return sql;
}

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

void TFormAccount::RunStatement(const QDate& first, const QDate& last) {
    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(q, u"Select * From Account Where AccountName = '%1'"_s.arg(SqlText(CurrentAccount)),
                          u"数据库打开失败"_s))
        return;
    if (q.IsEmpty()) return;
    q.First();
    const qint64 index = q.AsInteger(u"AccountIndex"_s);
    const QString fallback = q.AsString(u"AccountName"_s);
    const QString period = !first.isValid() ? u"全部"_s
                           : first.month() == last.month()
                               ? u"%1年%2月"_s.arg(first.year()).arg(first.month())
                               : u"%1年"_s.arg(first.year());
    ListRequest request;
    request.statement = [index, first, last] { return AccountStatement(index, first, last); };
    // The account's name as it is at each run: a renamed account keeps its list.
    request.description = [index, fallback, period] {
        ResultSet rs;
        QString name = fallback;
        if (ShareDM->ADOConnection1.Query(u"SELECT AccountName FROM Account WHERE AccountIndex = ?"_s,
                                          {index}, &rs) &&
            !rs.IsEmpty())
            name = rs.AsString(u"AccountName"_s);
        return u"帐户“%1”%2财务单据"_s.arg(name, period);
    };
    TheShell().RunMoneyReport(request);
    TheShell().ShowPage(Shell::MoneyReportPage);
    reject();
}

void TFormAccount::ActionMonthExecute() {
    const QDate d = TheShell().WorkingDate();
    const QDate first(d.year(), d.month(), 1);
    RunStatement(first, first.addMonths(1).addDays(-1));
}

void TFormAccount::ActionYearExecute() {
    const int year = TheShell().WorkingDate().year();
    RunStatement(QDate(year, 1, 1), QDate(year, 12, 31));
}

void TFormAccount::ActionAllExecute() {
    RunStatement({}, {});
}

void TFormAccount::ActionEditExecute() {
    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return;
    FormAccount2->EditName = CurrentAccount;
    if (TheUi().ShowModal(FormAccount2) != QDialog::Accepted) return;
    const QString newName = FormAccount2->EditName;
    const double newBase = FormAccount2->EditBase;
    // An account keeps a name: the reserved row's empty name would otherwise make this a
    // "duplicate", which is no reason a user can act on.
    if (newName.trimmed().isEmpty()) {
        TheUi().Message(this, u"帐户名不得为空"_s);
        return;
    }

    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(q, u"Select * From Account Where AccountName = '%1'"_s.arg(SqlText(CurrentAccount)),
                          u"无法打开数据库"_s))
        return;
    const qint64 index = q.IsEmpty() ? -1 : (q.First(), q.AsInteger(u"AccountIndex"_s));

    if (newName != CurrentAccount) {
        // Names compare without regard to case, so the account itself does not count: a
        // change of case only is no duplicate.
        if (!ShareDM->OpenSql(q,
                              u"Select * From Account Where (AccountName = '%1') And (AccountIndex <> %2)"_s
                                  .arg(SqlText(newName))
                                  .arg(index),
                              u"无法打开数据库"_s))
            return;
        if (!q.IsEmpty()) {
            TheUi().Message(this, u"该帐户名已经存在，请重新操作"_s);
            return;
        }
    }

    Database& db = ShareDM->ADOConnection1;
    if (index < 0) {
        TheUi().Message(this, u"找不到要修改的帐户"_s);
    } else {
        const int changed =
            db.Update(u"Account"_s, {{u"AccountName"_s, newName}, {u"AccountBase"_s, newBase}},
                      u"AccountIndex = ?"_s, {index});
        if (changed < 0) {
            ShareDM->ShowFailure(this, u"数据保存失败"_s);
            return;
        }
        if (changed == 0)
            TheUi().Message(this, u"找不到要修改的帐户"_s);
        else
            TheUi().Message(this, u"帐户　%1　修改成功"_s.arg(newName));
    }
    TheShell().RefreshAllViews();
    reject();
}

void TFormAccount::ActionDeleteExecute() {
    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return;
    Database& db = ShareDM->ADOConnection1;
    ResultSet rows;
    if (!db.Select(u"Select * From Account Where AccountName = '%1'"_s.arg(SqlText(CurrentAccount)), rows))
        return;
    if (rows.IsEmpty()) return;
    rows.First();
    const qint64 index = rows.AsInteger(u"AccountIndex"_s);
    if (!TheUi().AskYesNo(this, u"删除帐户将删除该帐户下所有记录，确实要删除吗？"_s, u"删除警告"_s)) return;

    // The account and every voucher booked on it go together, or neither does.
    const bool ok = db.Transaction([&] {
        if (db.Delete(u"Account"_s, u"AccountIndex = ?"_s, {index}) < 0) return false;
        return db.Delete(u"MoneyTable"_s, u"MoneyAccount = ?"_s, {index}) >= 0;
    });
    if (!ok) {
        ShareDM->ShowFailure(this, u"数据删除失败"_s);
        return;
    }
    TheShell().RefreshAllViews();
    reject();
}

} // namespace tev
