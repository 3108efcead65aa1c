#include "maintenance/SettingsPage.h"

#include "access/AskForm.h"
#include "domain/Access.h"
#include "domain/Lists.h"
#include "domain/Options.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

// The texts of one option list; the four differ only in their word (种类, 类别, 凭证, 进度).
struct SettingsContent::OptionMessages {
    QString caption;
    QString loadFailure;
    QString addPrompt;
    QString changePrompt;
    QString emptyName;
    QString duplicate;
    QString noSelectionChange;
    QString noSelectionDelete;
};

const SettingsContent::OptionMessages& SettingsContent::Texts(int type) {
    static const OptionMessages texts[4] = {
        {u"业务种类"_s, u"读入帐款收支种类失败"_s, u"请输入种类的名称"_s, u"请输入种类的名称"_s,
         u"种类名不能为空"_s, u"存在同名的种类，请改名"_s, u"请先选中要修改的种类"_s,
         u"请先选中要删除的种类"_s},
        {u"款项类别"_s, u"读入帐款类别失败"_s, u"请输入新类别的名称"_s, u"请输入类别的名称"_s,
         u"类别名不能为空"_s, u"存在同名的类别，请改名"_s, u"请先选中要修改的类别"_s,
         u"请先选中要删除的类别"_s},
        {u"款项凭证"_s, u"读入帐款类别失败"_s, u"请输入新凭证的名称"_s, u"请输入凭证的名称"_s,
         u"凭证名不能为空"_s, u"存在同名的凭证，请改名"_s, u"请先选中要修改的凭证"_s,
         u"请先选中要删除的凭证"_s},
        {u"业务进度"_s, u"读入业务进度失败"_s, u"请输入新进度的名称"_s, u"请输入进度的名称"_s,
         u"进度名不能为空"_s, u"存在同名的进度，请改名"_s, u"请先选中要修改的进度"_s,
         u"请先选中要删除的进度"_s},
    };
    return texts[type - 1];
}

namespace {

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton* MakeButton(const QString& name, const QString& text, QWidget* parent, const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

SettingsContent::SettingsContent(QWidget* sheet) : QObject(sheet) {
    setObjectName(u"SettingsContent"_s);

    // The management roles' sign-in passwords, right of the print layout group.
    GroupBox2 = new QGroupBox(u"用户权限管理"_s, sheet);
    GroupBox2->setObjectName(u"GroupBox2"_s);
    GroupBox2->setGeometry(332, 16, 322, 64);
    ComboBox1 = new QComboBox(GroupBox2);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->addItems({u"管理员"_s, u"财务主管"_s, u"财务总监"_s, u"总经理"_s});
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setGeometry(12, 26, 90, 24);
    MakeLabel(u"Label7"_s, u"密码："_s, GroupBox2, QRect(112, 26, 40, 24));
    Edit1 = new QLineEdit(GroupBox2);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setGeometry(152, 26, 98, 24);
    Button10 = MakeButton(u"Button10"_s, u"确定"_s, GroupBox2, QRect(258, 25, 52, 26));

    // The modification password.
    GroupBox3 = new QGroupBox(u"资料修改密码"_s, sheet);
    GroupBox3->setObjectName(u"GroupBox3"_s);
    GroupBox3->setGeometry(332, 92, 322, 64);
    MakeLabel(u"Label8"_s, u"密码："_s, GroupBox3, QRect(12, 26, 40, 24));
    Edit2 = new QLineEdit(GroupBox3);
    Edit2->setObjectName(u"Edit2"_s);
    Edit2->setGeometry(52, 26, 198, 24);
    Button11 = MakeButton(u"Button11"_s, u"确定"_s, GroupBox3, QRect(258, 25, 52, 26));

    connect(ComboBox1, &QComboBox::activated, this, [this] { LoadPasswords(); });
    connect(Button10, &QPushButton::clicked, this, &SettingsContent::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &SettingsContent::Button11Click);

    // The four option lists side by side, each with its add, change and delete buttons below.
    GroupBox4 = new QGroupBox(u"参数设置"_s, sheet);
    GroupBox4->setObjectName(u"GroupBox4"_s);
    GroupBox4->setGeometry(16, 168, 638, 300);
    QListWidget** lists[] = {&ListBox1, &ListBox2, &ListBox3, &ListBox4};
    QPushButton** buttons[4][3] = {{&Button1, &Button2, &Button3},
                                   {&Button4, &Button5, &Button6},
                                   {&Button7, &Button8, &Button9},
                                   {&Button12, &Button13, &Button14}};
    const int buttonNumbers[4][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {12, 13, 14}};
    const QString captions[3] = {u"新增"_s, u"修改"_s, u"删除"_s};
    for (int i = 0; i < 4; ++i) {
        const int type = i + 1;
        const int x = 12 + i * 156;
        MakeLabel(u"Label%1"_s.arg(11 + i), Texts(type).caption, GroupBox4, QRect(x, 24, 146, 20));
        auto* list = new QListWidget(GroupBox4);
        list->setObjectName(u"ListBox%1"_s.arg(type));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSpacing(1);
        // One face for Chinese and Latin options alike: the Song face's Latin letters are drawn
        // noticeably smaller than its Chinese ones.
        list->setFont(HeiFont(9));
        list->setGeometry(x, 46, 146, 206);
        *lists[i] = list;
        for (int b = 0; b < 3; ++b)
            *buttons[i][b] = MakeButton(u"Button%1"_s.arg(buttonNumbers[i][b]), captions[b], GroupBox4,
                                        QRect(x + b * 50, 260, 46, 26));
        connect(*buttons[i][0], &QPushButton::clicked, this, [this, type] { AddOption(type); });
        connect(*buttons[i][1], &QPushButton::clicked, this, [this, type] { ChangeOption(type); });
        connect(*buttons[i][2], &QPushButton::clicked, this, [this, type] { DeleteOption(type); });
        // Double-clicking an option is the same as its list's change button.
        connect(list, &QListWidget::itemDoubleClicked, this, [this, type] { ChangeOption(type); });
    }
}

QListWidget* SettingsContent::List(int type) const {
    switch (type) {
    case 1:
        return ListBox1;
    case 2:
        return ListBox2;
    case 3:
        return ListBox3;
    default:
        return ListBox4;
    }
}

// ---- Passwords -------------------------------------------------------------------------

void SettingsContent::LoadPasswords() {
    const Result<std::optional<PowerRow>> role = FindPower(Db(), ComboBox1->currentText());
    if (!role) {
        ShowOutcome(nullptr, role);
        return;
    }
    if (role.value) Edit1->setText(role.value->key);
    const Result<std::optional<QString>> modify = ModifyPasswordKey(Db());
    if (!modify) {
        ShowOutcome(nullptr, modify);
        return;
    }
    if (modify.value) Edit2->setText(*modify.value);
}

namespace {

// Writes a password into the first Power row of that name. False, with the message shown,
// when there is no such row or the write failed.
bool StorePassword(QWidget* parent, const QString& name, const QString& password,
                   const QString& missingMessage) {
    const Outcome stored = tev::StorePassword(Db(), name, password, missingMessage);
    if (!stored) ShowOutcome(parent, stored);
    return bool(stored);
}

bool ConfirmPassword(QWidget* parent, const QString& password) {
    return TheUi().AskYesNo(parent, u"确定要把该密码修改为 %1 吗？"_s.arg(password), u"修改确认"_s);
}

} // namespace

void SettingsContent::Button10Click() {
    const QString password = Edit1->text();
    if (!ConfirmPassword(TheShell().Window(), password)) return;
    if (!StorePassword(TheShell().Window(), ComboBox1->currentText(), password, u"该用户密码已被删除"_s))
        return;
    TheUi().Message(TheShell().Window(), u"用户密码修改成功"_s);
    LoadPasswords();
}

void SettingsContent::Button11Click() {
    const QString password = Edit2->text();
    if (!ConfirmPassword(TheShell().Window(), password)) return;
    if (!StorePassword(TheShell().Window(), u"修改"_s, password, u"该密码已被删除"_s)) return;
    TheUi().Message(TheShell().Window(), u"密码修改成功"_s);
    LoadPasswords();
}

// ---- Option lists ----------------------------------------------------------------------

void SettingsContent::LoadList(int type) {
    QListWidget* list = List(type);
    list->clear();
    Result<QStringList> options = OptionTexts(Db(), type);
    if (!options) {
        options.message = Texts(type).loadFailure; // the list's own words
        ShowOutcome(nullptr, options);
        return;
    }
    if (options.value.isEmpty()) return;
    list->addItems(options.value);
    list->setCurrentRow(list->count() - 1);
}

void SettingsContent::LoadReasonList() {
    LoadList(1);
}
void SettingsContent::LoadMoneyTypeList() {
    LoadList(2);
}
void SettingsContent::LoadTokenList() {
    LoadList(3);
}
void SettingsContent::LoadStateList() {
    LoadList(4);
}

bool SettingsContent::AskOption(const QString& prompt, QString& text) {
    FormAsk->AskCaption = u"参数设置"_s;
    FormAsk->AskPrompt = prompt;
    FormAsk->AskValue = text;
    FormAsk->SetPasswordChar(QChar());
    if (TheUi().ShowModal(FormAsk) != QDialog::Accepted) return false;
    text = FormAsk->AskValue;
    return true;
}

bool SettingsContent::FindOption(int type, const QString& text, bool& found, qint64* key) {
    const Result<std::optional<qint64>> option = tev::FindOption(Db(), type, text);
    if (!option) {
        ShowOutcome(nullptr, option);
        return false;
    }
    found = option.value.has_value();
    if (found && key) *key = *option.value;
    return true;
}

bool SettingsContent::SelectedText(int type, const QString& noSelection, QString& text) {
    QListWidget* list = List(type);
    QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected()) {
        TheUi().Message(TheShell().Window(), noSelection);
        m_focused = list;
        list->setFocus();
        return false;
    }
    text = item->text();
    return true;
}

void SettingsContent::AddOption(int type) {
    const OptionMessages& t = Texts(type);
    QString text;
    if (!AskOption(t.addPrompt, text)) return;
    if (text.isEmpty()) {
        TheUi().Message(TheShell().Window(), t.emptyName);
        return;
    }
    bool found = false;
    if (!FindOption(type, text, found)) return;
    if (found) {
        TheUi().Message(TheShell().Window(), t.duplicate);
        return;
    }
    if (const Outcome added = tev::AddOption(Db(), type, text); !added) {
        ShowOutcome(TheShell().Window(), added);
        return;
    }
    LoadList(type);
}

void SettingsContent::ChangeOption(int type) {
    const OptionMessages& t = Texts(type);
    QString oldText;
    if (!SelectedText(type, t.noSelectionChange, oldText)) return;
    QString text = oldText;
    if (!AskOption(t.changePrompt, text)) return;
    if (text.isEmpty()) {
        TheUi().Message(TheShell().Window(), t.emptyName);
        return;
    }
    if (text == oldText) return;
    bool found = false;
    if (!FindOption(type, text, found)) return;
    if (found) {
        TheUi().Message(TheShell().Window(), t.duplicate);
        return;
    }
    qint64 key = -1;
    if (!FindOption(type, oldText, found, &key)) return;
    const Outcome changed = found ? tev::ChangeOption(Db(), key, text) : Outcome::Gone(u"该参数已经被删除"_s);
    if (!changed) {
        ShowOutcome(TheShell().Window(), changed);
        return;
    }
    LoadList(type);
}

void SettingsContent::DeleteOption(int type) {
    QString text;
    if (!SelectedText(type, Texts(type).noSelectionDelete, text)) return;
    bool found = false;
    qint64 key = -1;
    if (!FindOption(type, text, found, &key)) return;
    if (!found) {
        TheUi().Message(TheShell().Window(), u"该记录已不存在"_s);
        return;
    }
    if (!TheUi().AskYesNo(TheShell().Window(), u"确实要删除该参数吗？"_s, u"删除警告"_s)) return;
    if (const Outcome deleted = tev::DeleteOption(Db(), key); !deleted) {
        ShowOutcome(TheShell().Window(), deleted);
        return;
    }
    LoadList(type);
}

} // namespace tev
