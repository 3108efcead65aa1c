#include "access/LoginForm.h"

#include "access/AskForm.h"
#include "access/OnlineChatForm.h"
#include "access/UserForm.h"
#include "domain/Access.h"
#include "domain/Kinds.h"
#include "ui/Combo.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace tev {

void RefillingComboBox::showPopup() {
    emit aboutToDropDown();
    QComboBox::showPopup();
}

TFormLogin::TFormLogin(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormLogin"_s);
    setWindowTitle(ProgramTitle);
    // A dialog border without title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(400, 236);

    auto* banner = new QLabel(this);
    banner->setObjectName(u"Banner"_s);
    banner->setGeometry(0, 0, 400, 64);
    banner->setText(ProgramTitle);
    banner->setAlignment(Qt::AlignCenter);
    banner->setFont(HeiFont(16, true));
    banner->setStyleSheet(u"#Banner { color: white; background: qlineargradient(x1:0, y1:0, x2:1, y2:1,"
                          " stop:0 #2f6fb3, stop:1 #5aa0dc); }"_s);

    Label1 = new QLabel(u"登录帐号："_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(40, 88, 80, 24);
    ComboBox1 = new RefillingComboBox(this);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->setEditable(false);
    ComboBox1->setGeometry(120, 86, 240, 28);

    Login = new QPushButton(u"用户登录"_s, this);
    Login->setObjectName(u"Login"_s);
    Login->setGeometry(120, 130, 112, 32);
    Login->setDefault(true);
    Close = new QPushButton(u"关闭窗口"_s, this);
    Close->setObjectName(u"Close"_s);
    Close->setGeometry(248, 130, 112, 32);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(16, 178, 368, 2);

    auto makeLink = [this](const QString& name, const QString& caption, int x) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(caption);
        b->setAutoRaise(true);
        b->setGeometry(x, 192, 100, 28);
        return b;
    };
    SpeedButton1 = makeLink(u"SpeedButton1"_s, u"权限管理"_s, 32);
    SpeedButton2 = makeLink(u"SpeedButton2"_s, u"在线服务"_s, 150);
    SpeedButton3 = makeLink(u"SpeedButton3"_s, u"使用说明"_s, 268);

    connect(ComboBox1, &RefillingComboBox::aboutToDropDown, this, &TFormLogin::LoadAccounts);
    connect(Login, &QPushButton::clicked, this, &TFormLogin::ActionLoginExecute);
    connect(Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFormLogin::ActionManageExecute);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFormLogin::ActionOnlineChatExecute);
    connect(SpeedButton3, &QToolButton::clicked, this, &TFormLogin::ActionInstrctionExecute);
}

void TFormLogin::LoadAccounts() {
    FillCombo(ComboBox1, SignInNames(Db()), false);
}

void TFormLogin::FormShow() {
    LoadAccounts();
    FocusControl(Login);
}

std::optional<PowerRow> TFormLogin::AskPassword(const QString& caption, const QString& prompt,
                                                const QString& powerName) {
    FormAsk->AskCaption = caption;
    FormAsk->AskPrompt = prompt;
    FormAsk->AskValue = QString();
    FormAsk->SetPasswordChar(u'#');
    const int result = TheUi().ShowModal(FormAsk);
    // Whatever follows, the next user of the prompt sees plain text.
    FormAsk->SetPasswordChar(QChar());
    if (result != QDialog::Accepted) return std::nullopt;

    const Result<std::optional<PowerRow>> row = FindPower(Db(), powerName);
    if (!row) {
        ShowOutcome(nullptr, row);
        return std::nullopt;
    }
    if (!row.value) {
        TheUi().Message(this, u"数据库出错，资料修改密码被删除"_s);
        return std::nullopt;
    }
    if (FormAsk->AskValue != row.value->key) {
        TheUi().Message(this, u"密码错误，请重新操作"_s);
        return std::nullopt;
    }
    return row.value;
}

void TFormLogin::ActionLoginExecute() {
    const std::optional<PowerRow> row = AskPassword(u"系统登录"_s, u"请输入登录密码"_s, ComboBox1->currentText());
    if (!row) return;
    CurrentRole = row->role;
    CurrentUser = row->name;
    CurrentRange = row->range;
    accept();
}

void TFormLogin::ActionManageExecute() {
    if (!AskPassword(u"人员管理登录"_s, u"请输入管理员密码"_s, Text(Role::Administrator))) return;
    TheUi().ShowModal(FormUser);
    // A salesman named, renamed or emptied there is offered (or no longer) at once.
    LoadAccounts();
}

void TFormLogin::ActionOnlineChatExecute() {
    TheUi().ShowModal(FormOnlineChat);
}

void TFormLogin::ActionInstrctionExecute() {
    TheUi().OpenUrl(QUrl(VendorSite));
}

} // namespace tev
