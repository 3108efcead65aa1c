#include "maintenance/SettingsPage.h"

#include "access/AskForm.h"
#include "app/ShareDM.h"
#include "ui/Forms.h"
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
struct SettingsContent::OptionTexts {
    QString caption;
    QString loadFailure;
    QString addPrompt;
    QString changePrompt;
    QString emptyName;
    QString duplicate;
    QString noSelectionChange;
    QString noSelectionDelete;
};

const SettingsContent::OptionTexts& SettingsContent::Texts(int type) {
    static const OptionTexts texts[4] = {
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

const QString kOpenFailed = u"数据库打开失败"_s;
const QString kLookupFailed = u"读入帐款参数失败"_s;

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
    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(
            q, u"Select * From Power Where PowerName = '%1'"_s.arg(SqlText(ComboBox1->currentText())),
            kOpenFailed))
        return;
    if (q.RecordCount() > 0) {
        q.First();
        Edit1->setText(q.AsString(u"PowerKey"_s));
    }
    if (!ShareDM->OpenSql(q, u"Select * From Power Where PowerName = '修改'"_s, kOpenFailed)) return;
    if (q.RecordCount() > 0) {
        q.First();
        Edit2->setText(q.AsString(u"PowerKey"_s));
    }
}

namespace {

// Writes a password into the first Power row of that name. False when there is no such row
// (missingMessage shown) or the write failed (the engine's text shown).
bool StorePassword(QWidget* parent, const QString& name, const QString& password,
                   const QString& missingMessage) {
    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(q, u"Select * From Power Where PowerName = '%1'"_s.arg(SqlText(name)), kOpenFailed))
        return false;
    if (q.RecordCount() == 0) {
        TheUi().Message(parent, missingMessage);
        return false;
    }
    q.First();
    Database& db = ShareDM->ADOConnection1;
    const int rows = db.Update(u"Power"_s, {{u"PowerKey"_s, password}}, u"PowerIndex = ?"_s,
                               {q.AsInteger(u"PowerIndex"_s)});
    if (rows < 0) {
        ShareDM->ShowFailure(parent, u"数据保存失败"_s);
        return false;
    }
    if (rows == 0) { // the row went away after it was read
        TheUi().Message(parent, missingMessage);
        return false;
    }
    return true;
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
    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(q, OptionListStatement(type), Texts(type).loadFailure)) return;
    if (q.RecordCount() == 0) return;
    for (q.First(); !q.Eof(); q.Next())
        list->addItem(q.AsString(u"ParameterValue"_s));
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
    Query& q = ShareDM->ADOQueryTemp;
    // The text goes in quoted, so an option with a quote is looked up like any other.
    if (!ShareDM->OpenSql(
            q,
            u"Select * From Parameter Where (ParameterType =  %1) And (ParameterValue = '%2')"_s.arg(type)
                .arg(SqlText(text)),
            kLookupFailed))
        return false;
    found = q.RecordCount() > 0;
    if (found && key) {
        q.First();
        *key = q.AsInteger(u"ParameterIndex"_s);
    }
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
    const OptionTexts& t = Texts(type);
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
    Database& db = ShareDM->ADOConnection1;
    if (db.Insert(u"Parameter"_s, {{u"ParameterType"_s, type}, {u"ParameterValue"_s, text}}) < 0) {
        ShareDM->ShowFailure(TheShell().Window(), u"数据保存失败"_s);
        return;
    }
    LoadList(type);
}

void SettingsContent::ChangeOption(int type) {
    const OptionTexts& t = Texts(type);
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
    Database& db = ShareDM->ADOConnection1;
    const int rows =
        found ? db.Update(u"Parameter"_s, {{u"ParameterValue"_s, text}}, u"ParameterIndex = ?"_s, {key}) : 0;
    if (rows < 0) {
        ShareDM->ShowFailure(TheShell().Window(), u"数据保存失败"_s);
        return;
    }
    if (rows == 0) {
        TheUi().Message(TheShell().Window(), u"该参数已经被删除"_s);
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
    Database& db = ShareDM->ADOConnection1;
    const int rows = db.Delete(u"Parameter"_s, u"ParameterIndex = ?"_s, {key});
    if (rows < 0) {
        ShareDM->ShowFailure(TheShell().Window(), u"数据删除失败"_s);
        return;
    }
    if (rows == 0) {
        TheUi().Message(TheShell().Window(), u"该记录已不存在"_s);
        return;
    }
    LoadList(type);
}

} // namespace tev
