// The settings page: the management roles' and the modification password, and the four
// option lists of the editors.

#include "tests/support/AppFixture.h"

#include "bills/BuySellForm.h"

#include "access/AskForm.h"
#include "access/LoginForm.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "maintenance/SettingsPage.h"
#include "ui/Globals.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::AppFixture;

namespace {

class SettingsPageTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
        page = FormMain->Settings;
        ASSERT_NE(page, nullptr);
    }

    QString Key(const QString& name) {
        return Scalar(u"SELECT PowerKey FROM Power WHERE PowerName = ?"_s, {name}).toString();
    }
    QStringList Items(int type) const {
        QStringList items;
        for (int i = 0; i < page->List(type)->count(); ++i)
            items << page->List(type)->item(i)->text();
        return items;
    }
    QStringList Stored(int type) {
        ResultSet rs;
        EXPECT_TRUE(ShareDM->ADOConnection1.Query(
            u"SELECT ParameterValue FROM Parameter WHERE ParameterType = ? "_s, {type}, &rs));
        QStringList values;
        for (rs.First(); !rs.Eof(); rs.Next())
            values << rs.AsString(u"ParameterValue"_s);
        values.sort();
        return values;
    }
    // The list box's texts in sorted order (the database decides the order they come in).
    QStringList Listed(int type) const {
        QStringList items = Items(type);
        items.sort();
        return items;
    }
    void Select(int type, const QString& text) {
        const int row = Items(type).indexOf(text);
        ASSERT_GE(row, 0) << text.toStdString();
        page->List(type)->setCurrentRow(row);
    }
    static QStringList Sorted(QStringList values) {
        values.sort();
        return values;
    }
    void ChooseRole(const QString& role) {
        page->ComboBox1->setCurrentIndex(page->ComboBox1->findText(role));
        page->LoadPasswords(); // what a user's choice runs
    }
    // The prompt "参数设置": checks its prompt and initial text, then answers (or cancels).
    void ExpectPrompt(const QString& prompt, const QString& initial, const QString& answer, bool ok = true) {
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [=](TFormAsk* a) {
            EXPECT_EQ(a->windowTitle(), u"参数设置"_s);
            EXPECT_EQ(a->Label1->text(), prompt);
            EXPECT_EQ(a->Edit1->text(), initial);
            EXPECT_EQ(a->PasswordChar(), QChar());
            a->Edit1->setText(answer);
            (ok ? a->BitBtn1 : a->BitBtn2)->click();
        });
    }

    SettingsContent* page = nullptr;
};

TEST_F(SettingsPageTest, AdministratorSignInLoadsListsAndPasswords) {
    Sql(u"UPDATE Power SET PowerKey = 'adm' WHERE PowerName = '管理员'"_s);
    Sql(u"UPDATE Power SET PowerKey = 'mod' WHERE PowerName = '修改'"_s);
    Sql(u"DELETE FROM Parameter WHERE ParameterType = 2"_s);
    ExpectSignIn(u"管理员"_s, u"adm"_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(page->ComboBox1->currentText(), u"管理员"_s);
    EXPECT_EQ(page->Edit1->text(), u"adm"_s);
    EXPECT_EQ(page->Edit2->text(), u"mod"_s);
    EXPECT_EQ(Listed(1), Stored(1));
    EXPECT_EQ(Items(1).size(), 3);
    EXPECT_EQ(page->ListBox1->currentRow(), 2); // the last option is selected
    EXPECT_TRUE(Items(2).isEmpty());            // an empty list stays empty
    EXPECT_EQ(page->ListBox2->currentRow(), -1);
    EXPECT_EQ(Listed(3), Stored(3));
    EXPECT_EQ(Listed(4), Stored(4));
    // Another role shows its own stored password; a typed, unapplied one is discarded.
    Sql(u"UPDATE Power SET PowerKey = 'boss' WHERE PowerName = '总经理'"_s);
    page->Edit1->setText(u"typed"_s);
    ChooseRole(u"总经理"_s);
    EXPECT_EQ(page->Edit1->text(), u"boss"_s);
}

TEST_F(SettingsPageTest, RolePasswordIsStoredAndUsedAtTheNextSignIn) {
    ChooseRole(u"总经理"_s);
    page->Edit1->setText(u"O'Neil 9"_s);
    // No: nothing written, the typed text stays.
    ui.ExpectYesNo(u"确定要把该密码修改为 O'Neil 9 吗？"_s, u"修改确认"_s, false);
    page->Button10->click();
    EXPECT_EQ(Key(u"总经理"_s), u""_s);
    EXPECT_EQ(page->Edit1->text(), u"O'Neil 9"_s);
    // Yes: stored for that role only.
    ui.ExpectYesNo(u"确定要把该密码修改为 O'Neil 9 吗？"_s, u"修改确认"_s, true);
    ui.ExpectMessage(u"用户密码修改成功"_s);
    page->Button10->click();
    EXPECT_EQ(Key(u"总经理"_s), u"O'Neil 9"_s);
    EXPECT_EQ(Key(u"财务主管"_s), u""_s);
    EXPECT_EQ(Key(u"管理员"_s), u""_s);

    ExpectSignIn(u"总经理"_s, u"O'Neil 9"_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(CurrentUser, u"总经理"_s);
    // The settings page is the administrator's: signed in as the manager it cannot be used.
    EXPECT_FALSE(page->Button10->isEnabled() && FormMain->TabSheet5->isEnabled());
    ExpectSignIn(u"管理员"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());

    // An empty password is allowed and lets the role in with an empty answer.
    ChooseRole(u"总经理"_s);
    page->Edit1->clear();
    ui.ExpectYesNo(u"确定要把该密码修改为  吗？"_s, u"修改确认"_s, true);
    ui.ExpectMessage(u"用户密码修改成功"_s);
    page->Button10->click();
    EXPECT_EQ(Key(u"总经理"_s), u""_s);
    ExpectSignIn(u"总经理"_s, u""_s);
    EXPECT_TRUE(FormMain->SignIn());
}

TEST_F(SettingsPageTest, ModificationPasswordGuardsChanges) {
    page->Edit2->setText(u"k1"_s);
    ui.ExpectYesNo(u"确定要把该密码修改为 k1 吗？"_s, u"修改确认"_s, true);
    ui.ExpectMessage(u"密码修改成功"_s);
    page->Button11->click();
    EXPECT_EQ(Key(u"修改"_s), u"k1"_s);
    EXPECT_EQ(Key(u"管理员"_s), u""_s);

    ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [](TFormAsk* a) {
        a->Edit1->setText(u"k1"_s);
        a->BitBtn1->click();
    });
    EXPECT_TRUE(ShareDM->AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, u""_s));

    // Emptied: guarded changes go ahead without a prompt.
    page->Edit2->clear();
    ui.ExpectYesNo(u"确定要把该密码修改为  吗？"_s, u"修改确认"_s, true);
    ui.ExpectMessage(u"密码修改成功"_s);
    page->Button11->click();
    EXPECT_EQ(Key(u"修改"_s), u""_s);
    EXPECT_TRUE(ShareDM->AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, u""_s));
}

TEST_F(SettingsPageTest, MissingPasswordRowsAreReportedAndNothingIsWritten) {
    Sql(u"UPDATE Power SET PowerName = 'x' WHERE PowerName = '财务总监'"_s);
    Sql(u"UPDATE Power SET PowerName = 'y' WHERE PowerName = '修改'"_s);
    ChooseRole(u"财务总监"_s);
    page->Edit1->setText(u"p"_s);
    ui.ExpectYesNo(u"确定要把该密码修改为 p 吗？"_s, u"修改确认"_s, true);
    ui.ExpectMessage(u"该用户密码已被删除"_s);
    page->Button10->click();
    page->Edit2->setText(u"q"_s);
    ui.ExpectYesNo(u"确定要把该密码修改为 q 吗？"_s, u"修改确认"_s, true);
    ui.ExpectMessage(u"该密码已被删除"_s);
    page->Button11->click();
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Power WHERE PowerKey <> ''"_s).toInt(), 0);
    // Loading leaves the fields as they were when the rows are missing.
    page->LoadPasswords();
    EXPECT_EQ(page->Edit1->text(), u"p"_s);
    EXPECT_EQ(page->Edit2->text(), u"q"_s);
}

// Options come in the order they were entered, on the page and in the editors' boxes, so a
// new one is last and selected. They used to come in an index's order ("AAA" first, the old
// last item still selected).
TEST_F(SettingsPageTest, ANewOptionIsLastAndSelectedEverywhere) {
    page->LoadReasonList();
    const QStringList shipped = Items(1);
    ExpectPrompt(u"请输入种类的名称"_s, u""_s, u"AAA"_s);
    page->Button1->click();
    EXPECT_EQ(Items(1), QStringList(shipped) << u"AAA"_s);
    EXPECT_EQ(page->ListBox1->currentItem()->text(), u"AAA"_s);
    EXPECT_TRUE(page->ListBox1->currentItem()->isSelected());

    // The bill editor's box lists them in the same order.
    CurrentRole = u"总经理"_s;
    FormBuySell->OpenMode = OpenMode::New;
    FormBuySell->DocKind = BillKind::Sales;
    FormBuySell->CurrentBill = 1;
    FormBuySell->PresetCustomer = 0;
    FormBuySell->CustomerFixed = false;
    ASSERT_TRUE(FormBuySell->RunFormShow());
    QStringList inEditor;
    for (int i = 0; i < FormBuySell->ComboBox2->count(); ++i)
        inEditor << FormBuySell->ComboBox2->itemText(i);
    EXPECT_EQ(inEditor, Items(1));
}

TEST_F(SettingsPageTest, AddingRefusesEmptyAndDuplicatesWithinItsTypeOnly) {
    page->LoadStateList();
    // Cancelled and empty: nothing written.
    ExpectPrompt(u"请输入新进度的名称"_s, u""_s, u"x"_s, false);
    page->Button12->click();
    ExpectPrompt(u"请输入新进度的名称"_s, u""_s, u""_s);
    ui.ExpectMessage(u"进度名不能为空"_s);
    page->Button12->click();
    ExpectPrompt(u"请输入新进度的名称"_s, u""_s, u"已签约"_s);
    ui.ExpectMessage(u"存在同名的进度，请改名"_s);
    page->Button12->click();
    EXPECT_EQ(Stored(4), Sorted({u"洽谈中"_s, u"已签约"_s, u"已完成"_s}));
    // A text of another list is allowed; it becomes the last, selected item.
    ExpectPrompt(u"请输入新进度的名称"_s, u""_s, u"房屋租赁"_s);
    page->Button12->click();
    EXPECT_EQ(Stored(4), Sorted({u"洽谈中"_s, u"已签约"_s, u"已完成"_s, u"房屋租赁"_s}));
    EXPECT_EQ(Listed(4), Stored(4));
    EXPECT_EQ(page->ListBox4->currentRow(), page->ListBox4->count() - 1);
    EXPECT_EQ(Stored(1), Sorted({u"房屋租赁"_s, u"房屋买卖"_s, u"中介服务"_s})); // untouched

    // Each list's add button uses its own type and prompt.
    const struct {
        QPushButton* button;
        int type;
        QString prompt;
    } adds[] = {{page->Button1, 1, u"请输入种类的名称"_s},
                {page->Button4, 2, u"请输入新类别的名称"_s},
                {page->Button7, 3, u"请输入新凭证的名称"_s}};
    for (const auto& a : adds) {
        ExpectPrompt(a.prompt, u""_s, u"新%1"_s.arg(a.type));
        a.button->click();
        EXPECT_TRUE(Stored(a.type).contains(u"新%1"_s.arg(a.type))) << a.type;
        EXPECT_TRUE(Items(a.type).contains(u"新%1"_s.arg(a.type))) << a.type;
    }
}

TEST_F(SettingsPageTest, QuotesAreStoredLiterallyAndFoundAgain) {
    page->LoadTokenList();
    ExpectPrompt(u"请输入新凭证的名称"_s, u""_s, u"O'Brien's 支票"_s);
    page->Button7->click();
    EXPECT_TRUE(Stored(3).contains(u"O'Brien's 支票"_s));
    // The duplicate check finds it.
    ExpectPrompt(u"请输入新凭证的名称"_s, u""_s, u"O'Brien's 支票"_s);
    ui.ExpectMessage(u"存在同名的凭证，请改名"_s);
    page->Button7->click();
    // And it can be changed and deleted.
    Select(3, u"O'Brien's 支票"_s);
    ExpectPrompt(u"请输入凭证的名称"_s, u"O'Brien's 支票"_s, u"it's'"_s);
    page->Button8->click();
    EXPECT_TRUE(Stored(3).contains(u"it's'"_s));
    EXPECT_FALSE(Stored(3).contains(u"O'Brien's 支票"_s));
    Select(3, u"it's'"_s);
    ui.ExpectYesNo(u"确实要删除该参数吗？"_s, u"删除警告"_s, true);
    page->Button9->click();
    EXPECT_EQ(Stored(3), Sorted({u"现金"_s, u"转帐"_s, u"支票"_s}));
}

TEST_F(SettingsPageTest, ChangingAnOption) {
    Sql(u"INSERT INTO MoneyTable (MoneyToken) VALUES ('现金')"_s);
    page->LoadTokenList();
    // Nothing selected: message and focus to the list.
    page->ListBox3->clearSelection();
    ui.ExpectMessage(u"请先选中要修改的凭证"_s);
    page->Button8->click();
    EXPECT_EQ(page->FocusedControl(), page->ListBox3);

    Select(3, u"现金"_s);
    ExpectPrompt(u"请输入凭证的名称"_s, u"现金"_s, u""_s);
    ui.ExpectMessage(u"凭证名不能为空"_s);
    page->Button8->click();
    ExpectPrompt(u"请输入凭证的名称"_s, u"现金"_s, u"转帐"_s);
    ui.ExpectMessage(u"存在同名的凭证，请改名"_s);
    page->Button8->click();
    ExpectPrompt(u"请输入凭证的名称"_s, u"现金"_s, u"现金"_s); // unchanged: nothing at all
    page->Button8->click();
    EXPECT_EQ(page->ListBox3->currentItem()->text(), u"现金"_s);
    EXPECT_EQ(Stored(3), Sorted({u"现金"_s, u"转帐"_s, u"支票"_s}));
    // Double-click is the change button.
    ExpectPrompt(u"请输入凭证的名称"_s, u"现金"_s, u"现金支付"_s);
    emit page->ListBox3->itemDoubleClicked(page->ListBox3->currentItem());
    EXPECT_EQ(Stored(3), Sorted({u"现金支付"_s, u"转帐"_s, u"支票"_s}));
    EXPECT_EQ(Listed(3), Stored(3));
    EXPECT_EQ(page->ListBox3->currentRow(), page->ListBox3->count() - 1); // the last, not the changed one
    EXPECT_EQ(Scalar(u"SELECT MoneyToken FROM MoneyTable WHERE MoneyToken <> ''"_s).toString(), u"现金"_s);

    // Vanished since loading: reported, nothing written, list kept.
    Select(3, u"转帐"_s);
    ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [&](TFormAsk* a) {
        Sql(u"DELETE FROM Parameter WHERE ParameterValue = '转帐'"_s);
        a->Edit1->setText(u"网银"_s);
        a->BitBtn1->click();
    });
    ui.ExpectMessage(u"该参数已经被删除"_s);
    page->Button8->click();
    EXPECT_FALSE(Stored(3).contains(u"网银"_s));
    EXPECT_TRUE(Items(3).contains(u"转帐"_s));
}

TEST_F(SettingsPageTest, DeletingAnOptionAsksFirst) {
    page->LoadReasonList();
    page->ListBox1->clearSelection();
    ui.ExpectMessage(u"请先选中要删除的种类"_s);
    page->Button3->click();
    EXPECT_EQ(page->FocusedControl(), page->ListBox1);

    Select(1, u"房屋租赁"_s);
    ui.ExpectYesNo(u"确实要删除该参数吗？"_s, u"删除警告"_s, false);
    page->Button3->click();
    EXPECT_EQ(Stored(1).size(), 3);
    ui.ExpectYesNo(u"确实要删除该参数吗？"_s, u"删除警告"_s, true);
    page->Button3->click();
    EXPECT_EQ(Stored(1), Sorted({u"房屋买卖"_s, u"中介服务"_s}));
    EXPECT_EQ(Listed(1), Stored(1));

    // Gone since loading: no question, nothing deleted.
    Sql(u"DELETE FROM Parameter WHERE ParameterValue = '房屋买卖'"_s);
    Select(1, u"房屋买卖"_s);
    ui.ExpectMessage(u"该记录已不存在"_s);
    page->Button3->click();
    EXPECT_EQ(Items(1).size(), 2);

    // Deleting the last option leaves the list empty.
    Sql(u"DELETE FROM Parameter WHERE ParameterType = 1 AND ParameterValue <> '中介服务'"_s);
    page->LoadReasonList();
    ui.ExpectYesNo(u"确实要删除该参数吗？"_s, u"删除警告"_s, true);
    page->Button3->click();
    EXPECT_EQ(page->ListBox1->count(), 0);
    EXPECT_TRUE(Stored(1).isEmpty());
}

} // namespace
