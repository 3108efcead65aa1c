// The accounts page, the account editor and the account window: balances and the total,
// creating, changing and deleting accounts, and the statements handed to the report list.

#include "tests/support/AppFixture.h"

#include "access/AskForm.h"
#include "accounts/AccountForm.h"
#include "accounts/AccountForm2.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "cards/AccountCards.h"
#include "ui/Globals.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

// Records what the account window hands to the voucher report list.
class ProbeList : public ReportList {
public:
    using ReportList::Run;
    void Run(const ListRequest& request) override {
        statements << (request.IsEmpty() ? QString() : request.statement());
        descriptions << (request.IsEmpty() ? QString() : request.description());
    }
    QStringList statements;
    QStringList descriptions;
};

class AccountsTest : public tevtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
        FormMain->SetWorkingDate(ui.today); // 2024-03-15
        // A page not on screen is refreshed when it is shown: these tests look at the accounts page.
        FormMain->PageControl1->setCurrentIndex(TFormMain::AccountPage);
    }

    AccountCardPage* Page() const { return static_cast<AccountCardPage*>(FormMain->AccountCards); }

    qint64 AddAccount(const QString& name, double base = 0, const QString& man = u"总经理"_s) {
        Sql(u"INSERT INTO Account (AccountName, AccountBase, AccountMan) VALUES (?, ?, ?)"_s,
            {name, base, man});
        return Scalar(u"SELECT last_insert_rowid()"_s).toLongLong();
    }
    // Income positive, expense negative.
    void AddVoucher(qint64 account, double sum, const QDate& date) {
        Sql(u"INSERT INTO MoneyTable (MoneyAccount, MoneyIn, MoneyOut, MoneySum, MoneyCreateTime) "
            "VALUES (?, ?, ?, ?, ?)"_s,
            {account, sum >= 0 ? sum : 0.0, sum < 0 ? -sum : 0.0, sum, date.toString(u"yyyy-MM-dd"_s)});
    }
    qint64 Count(const QString& sql) { return Scalar(sql).toLongLong(); }

    QStringList TileTexts(int n) const {
        const CardTile* t = Page()->Tile(n);
        return {t->Values[0]->text(), t->Values[1]->text(), t->Values[2]->text()};
    }
    QString IconOf(int n) const { return Page()->Tile(n)->PictureFile().section(u'/', -1); }
    int VisibleTiles() const {
        int shown = 0;
        for (int n = 1; n <= kTilesPerPage; ++n)
            shown += Page()->Tile(n)->isVisibleTo(Page()->Sheet) ? 1 : 0;
        return shown;
    }

    // Scripts the account editor: name and amount typed, then OK (or Cancel).
    void Editor(const QString& name, const QString& amount, bool ok = true, const QString& expectTitle = {}) {
        ui.ExpectModal<TFormAccount2>(u"FormAccount2"_s, [=](TFormAccount2* f) {
            if (!expectTitle.isEmpty()) {
                EXPECT_EQ(f->windowTitle(), expectTitle);
            }
            f->Edit1->setText(name);
            f->Edit2->setText(amount);
            (ok ? f->SpeedButton1 : f->SpeedButton2)->click();
        });
    }
    void Password(const QString& typed, bool ok = true) {
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [=](TFormAsk* a) {
            a->Edit1->setText(typed);
            (ok ? a->BitBtn1 : a->BitBtn2)->click();
        });
    }
    // Sets the account window up on name as a tile click would and runs act in it; true
    // when the window closed itself.
    bool InWindow(const QString& name, const std::function<void(TFormAccount*)>& act) {
        FormAccount->CurrentAccount = name;
        FormAccount->BalanceText = u"0 元"_s;
        EXPECT_TRUE(FormAccount->RunFormShow());
        bool closed = false;
        const auto c = QObject::connect(FormAccount, &QDialog::finished, [&] { closed = true; });
        act(FormAccount);
        QObject::disconnect(c);
        return closed;
    }
};

TEST_F(AccountsTest, TilesShowBalanceAndMonthUpToTheWorkingDate) {
    const qint64 bank = AddAccount(u"工商银行"_s, 1000);
    AddVoucher(bank, 500, QDate(2024, 3, 10));
    AddVoucher(bank, -200, QDate(2024, 2, 10));
    AddVoucher(bank, 7000, QDate(2024, 3, 20)); // later in the working month: 当月 only
    AddVoucher(bank, 9000, QDate(2024, 4, 2));  // after the month: neither
    const qint64 cash = AddAccount(u"现金"_s, 0);
    AddVoucher(cash, -50, QDate(2024, 1, 5));

    Page()->Refresh();
    EXPECT_EQ(TileTexts(1), (QStringList{u"工商银行"_s, u"1300 元"_s, u"7500 元"_s}));
    EXPECT_EQ(Page()->Tile(1)->TextColour(), TileBlue);
    EXPECT_EQ(IconOf(1), u"Yellow+.ico"_s);
    EXPECT_FALSE(Page()->Tile(1)->Image->pixmap().isNull());
    EXPECT_EQ(Page()->Tile(1)->Tag, bank);
    EXPECT_EQ(TileTexts(2), (QStringList{u"现金"_s, u"-50 元"_s, u"0 元"_s}));
    EXPECT_EQ(Page()->Tile(2)->TextColour(), TileRed);
    EXPECT_EQ(IconOf(2), u"Yellow+.ico"_s);
    EXPECT_EQ(VisibleTiles(), 2);
    EXPECT_EQ(Page()->Status->text(), u"合计：1250 元"_s);

    // Moving the working date on brings the later vouchers in.
    FormMain->SetWorkingDate(QDate(2024, 4, 30));
    Page()->Refresh();
    EXPECT_EQ(TileTexts(1), (QStringList{u"工商银行"_s, u"17300 元"_s, u"9000 元"_s}));
    EXPECT_EQ(Page()->Status->text(), u"合计：17250 元"_s);

    // Icons by the balance: above 30000 two plus signs, above 100000 three; zero is Money0.
    Sql(u"UPDATE Account SET AccountBase = ? WHERE AccountIndex = ?"_s, {100000.0, bank});
    Sql(u"UPDATE Account SET AccountBase = ? WHERE AccountIndex = ?"_s, {30050.0, cash});
    const qint64 empty = AddAccount(u"备用金"_s, 0);
    Page()->Refresh();
    EXPECT_EQ(IconOf(1), u"Yellow+++.ico"_s);
    EXPECT_EQ(IconOf(2), u"Yellow+.ico"_s); // 30000 is not above 30000
    EXPECT_EQ(IconOf(3), u"Money0.ico"_s);
    EXPECT_EQ(Page()->Tile(3)->Tag, empty);
}

TEST_F(AccountsTest, SecondPageShowsTheRestAndTheTotalCoversAll) {
    for (int i = 1; i <= 20; ++i)
        AddAccount(u"帐户%1"_s.arg(i, 2, 10, QChar(u'0')), i * 10.0);
    Page()->Refresh();
    EXPECT_EQ(VisibleTiles(), 15);
    EXPECT_EQ(Page()->Status->text(), u"合计：2100 元"_s);
    EXPECT_TRUE(Page()->Next->isEnabled());
    EXPECT_FALSE(Page()->Prior->isEnabled());
    Page()->NextClick();
    EXPECT_EQ(VisibleTiles(), 5);
    EXPECT_EQ(TileTexts(1)[0], u"帐户16"_s);
    EXPECT_EQ(TileTexts(5)[0], u"帐户20"_s);
    EXPECT_EQ(Page()->Status->text(), u"合计：2100 元"_s);
    EXPECT_FALSE(Page()->Next->isEnabled());
    EXPECT_TRUE(Page()->Prior->isEnabled());
}

TEST_F(AccountsTest, NoAccountsShowsTheEmptyPictureAndZero) {
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"合计：0 元"_s);
    EXPECT_TRUE(Page()->EmptyImage->isVisibleTo(Page()->Sheet));
    EXPECT_EQ(VisibleTiles(), 0);
    EXPECT_TRUE(Page()->MoneyMonth->isEnabled());
}

TEST_F(AccountsTest, SalesmanSeesHisAndTheSupervisorsAccountsOnly) {
    AddSalesman(u"李明"_s, u""_s, u"业务管理；"_s);
    AddAccount(u"李明备用金"_s, 100, u"李明"_s);
    AddAccount(u"公司帐户"_s, 1000, u"财务主管"_s);
    AddAccount(u"总经理帐户"_s, 50000, u"总经理"_s);
    ExpectSignIn(u"李明"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    FormMain->PageControl1->setCurrentIndex(TFormMain::AccountPage);
    EXPECT_EQ(VisibleTiles(), 2);
    EXPECT_EQ(TileTexts(1)[0], u"李明备用金"_s);
    EXPECT_EQ(TileTexts(2)[0], u"公司帐户"_s);
    EXPECT_EQ(Page()->Status->text(), u"合计：1100 元"_s);
}

TEST_F(AccountsTest, TileClickOpensTheAccountWindowWithWhatTheTileShows) {
    AddAccount(u"建设银行"_s, 88.5);
    Page()->Refresh();
    ui.ExpectModal<TFormAccount>(u"FormAccount"_s, [](TFormAccount* f) {
        EXPECT_EQ(f->Label3->text(), u"建设银行"_s);
        EXPECT_EQ(f->Label4->text(), u"88.5 元"_s);
        f->ActionCancel->trigger();
    });
    Page()->OpenAccountTile(1);
    EXPECT_TRUE(ui.AllUsed());
}

TEST_F(AccountsTest, NewAccountChecksNameAndAmount) {
    AddAccount(u"ABC"_s);
    CurrentUser = u"王会计"_s;

    Editor(u""_s, u"0"_s, true, u"新增帐户"_s);
    ui.ExpectMessage(u"帐户名不得为空"_s);
    Page()->NewAccountClick();

    for (const QString& name : {u"ABC"_s, u"abc"_s}) {
        Editor(name, u"5"_s);
        ui.ExpectMessage(u"该帐户名已经存在，请重新操作"_s);
        Page()->NewAccountClick();
    }

    // Bad amounts keep the dialog open; Cancel then writes nothing.
    ui.ExpectModal<TFormAccount2>(u"FormAccount2"_s, [this](TFormAccount2* f) {
        EXPECT_EQ(f->Edit2->text(), u"0"_s);
        f->Edit1->setText(u"现金"_s);
        for (const QString& bad : {u"1.2.3"_s, u"-5"_s, u""_s, u"1,000"_s, u"."_s}) {
            ui.ExpectMessage(u"金额格式有误，请重新输入"_s);
            f->Edit2->setText(bad);
            f->SpeedButton1->click();
            EXPECT_NE(f->result(), QDialog::Accepted) << bad.toStdString();
            EXPECT_EQ(f->FocusedControl(), f->Edit2);
        }
        f->SpeedButton2->click();
    });
    Page()->NewAccountClick();
    EXPECT_TRUE(ui.AllUsed());
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM Account WHERE AccountIndex > 1"_s), 1);

    Editor(u"现金"_s, u"12.5"_s);
    ui.ExpectMessage(u"帐户　现金　新增成功"_s);
    Page()->NewAccountClick();
    EXPECT_EQ(Scalar(u"SELECT AccountBase FROM Account WHERE AccountName = '现金'"_s).toDouble(), 12.5);
    EXPECT_EQ(Scalar(u"SELECT AccountMan FROM Account WHERE AccountName = '现金'"_s).toString(), u"王会计"_s);
    // The page was refreshed.
    EXPECT_EQ(Page()->Status->text(), u"合计：12.5 元"_s);
    EXPECT_TRUE(ui.AllUsed());
}

TEST_F(AccountsTest, ChangeAskesThePasswordAndChecksDuplicates) {
    Sql(u"UPDATE Power SET PowerKey = 'k' WHERE PowerName = '修改'"_s);
    const qint64 bank = AddAccount(u"工商银行"_s, 100, u"李明"_s);
    AddAccount(u"现金"_s);
    auto name = [&] {
        return Scalar(u"SELECT AccountName FROM Account WHERE AccountIndex = ?"_s, {bank}).toString();
    };

    // Wrong password or Cancel: no editor, nothing changed, the window stays open.
    Password(u"x"_s);
    ui.ExpectMessage(u"密码错误，请重新操作"_s);
    Password(u"k"_s, false);
    EXPECT_FALSE(InWindow(u"工商银行"_s, [](TFormAccount* f) {
        f->ActionEdit->trigger();
        f->ActionEdit->trigger();
    }));
    EXPECT_TRUE(ui.AllUsed());

    // A duplicate, also in another case, is refused and the window stays open.
    // An empty name is refused for what it is, not as a duplicate of the reserved row.
    for (const QString& empty : {u""_s, u"   "_s}) {
        Password(u"k"_s);
        Editor(empty, u"100"_s);
        ui.ExpectMessage(u"帐户名不得为空"_s);
        EXPECT_FALSE(InWindow(u"工商银行"_s, [](TFormAccount* f) { f->ActionEdit->trigger(); }));
    }
    for (const QString& dup : {u"现金"_s, u"现 金"_s.remove(u' ')}) {
        Password(u"k"_s);
        Editor(dup, u"100"_s, true, u"修改帐户"_s);
        ui.ExpectMessage(u"该帐户名已经存在，请重新操作"_s);
        EXPECT_FALSE(InWindow(u"工商银行"_s, [](TFormAccount* f) { f->ActionEdit->trigger(); }));
    }
    EXPECT_EQ(name(), u"工商银行"_s);

    // The editor shows the stored row; only the amount changed: no duplicate check, name kept.
    Password(u"k"_s);
    ui.ExpectModal<TFormAccount2>(u"FormAccount2"_s, [](TFormAccount2* f) {
        EXPECT_EQ(f->Edit1->text(), u"工商银行"_s);
        EXPECT_EQ(f->Edit2->text(), u"100"_s);
        f->Edit2->setText(u"250.75"_s);
        f->SpeedButton1->click();
    });
    ui.ExpectMessage(u"帐户　工商银行　修改成功"_s);
    EXPECT_TRUE(InWindow(u"工商银行"_s, [](TFormAccount* f) { f->ActionEdit->trigger(); }));
    EXPECT_EQ(Scalar(u"SELECT AccountBase FROM Account WHERE AccountIndex = ?"_s, {bank}).toDouble(), 250.75);

    // Renamed (and, a change of case only, renamed again); the creator is kept, the page refreshed.
    Password(u"k"_s);
    Editor(u"icbc"_s, u"250.75"_s);
    ui.ExpectMessage(u"帐户　icbc　修改成功"_s);
    EXPECT_TRUE(InWindow(u"工商银行"_s, [](TFormAccount* f) { f->ActionEdit->trigger(); }));
    Password(u"k"_s);
    Editor(u"ICBC"_s, u"250.75"_s);
    ui.ExpectMessage(u"帐户　ICBC　修改成功"_s);
    EXPECT_TRUE(InWindow(u"icbc"_s, [](TFormAccount* f) { f->ActionEdit->trigger(); }));
    EXPECT_EQ(name(), u"ICBC"_s);
    EXPECT_EQ(Scalar(u"SELECT AccountMan FROM Account WHERE AccountIndex = ?"_s, {bank}).toString(),
              u"李明"_s);
    EXPECT_EQ(Page()->Status->text(), u"合计：250.75 元"_s);

    // The account went away meanwhile.
    Password(u"k"_s);
    Editor(u"新名"_s, u"1"_s);
    ui.ExpectMessage(u"找不到要修改的帐户"_s);
    EXPECT_TRUE(InWindow(u"不存在"_s, [](TFormAccount* f) { f->ActionEdit->trigger(); }));
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM Account WHERE AccountName = '新名'"_s), 0);
    EXPECT_TRUE(ui.AllUsed());
}

TEST_F(AccountsTest, DeleteRemovesTheAccountWithItsVouchersOnly) {
    const qint64 bank = AddAccount(u"工商银行"_s, 100);
    const qint64 cash = AddAccount(u"现金"_s, 10);
    for (int i = 1; i <= 3; ++i)
        AddVoucher(bank, i * 100.0, QDate(2024, 3, i));
    AddVoucher(cash, 40, QDate(2024, 3, 1));
    const QString warning = u"删除帐户将删除该帐户下所有记录，确实要删除吗？"_s;

    Sql(u"UPDATE Power SET PowerKey = 'k' WHERE PowerName = '修改'"_s);

    // Password cancelled, then No to the warning: nothing deleted, the window stays open.
    Password(u"k"_s, false);
    Password(u"k"_s);
    ui.ExpectYesNo(warning, u"删除警告"_s, false);
    EXPECT_FALSE(InWindow(u"工商银行"_s, [](TFormAccount* f) {
        f->ActionDelete->trigger();
        f->ActionDelete->trigger();
    }));
    EXPECT_TRUE(ui.AllUsed());
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM Account WHERE AccountIndex > 1"_s), 2);
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyAccount > 1"_s), 4);

    // A voucher that cannot be deleted: neither the account nor any voucher goes.
    Sql(u"CREATE TRIGGER KeepVouchers BEFORE DELETE ON MoneyTable BEGIN SELECT RAISE(ABORT, 'kept'); END"_s);
    Password(u"k"_s);
    ui.ExpectYesNo(warning, u"删除警告"_s, true);
    ui.ExpectMessage(u"数据删除失败"_s); // the engine's own text goes to the log
    EXPECT_FALSE(InWindow(u"工商银行"_s, [](TFormAccount* f) { f->ActionDelete->trigger(); }));
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM Account WHERE AccountIndex > 1"_s), 2);
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyAccount > 1"_s), 4);
    Sql(u"DROP TRIGGER KeepVouchers"_s);

    // Yes: the account and its three vouchers go, the other account's voucher stays.
    Page()->Refresh();
    EXPECT_EQ(Page()->Status->text(), u"合计：750 元"_s);
    Password(u"k"_s);
    ui.ExpectYesNo(warning, u"删除警告"_s, true);
    EXPECT_TRUE(InWindow(u"工商银行"_s, [](TFormAccount* f) { f->ActionDelete->trigger(); }));
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM Account WHERE AccountIndex = %1"_s.arg(bank)), 0);
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyAccount = %1"_s.arg(bank)), 0);
    EXPECT_EQ(Count(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyAccount = %1"_s.arg(cash)), 1);
    EXPECT_EQ(Page()->Status->text(), u"合计：50 元"_s); // refreshed

    // An account no longer there: nothing is asked.
    Password(u"k"_s);
    EXPECT_FALSE(InWindow(u"工商银行"_s, [](TFormAccount* f) { f->ActionDelete->trigger(); }));
    EXPECT_TRUE(ui.AllUsed());
}

TEST_F(AccountsTest, StatementsGoToTheVoucherReportList) {
    ProbeList probe;
    ReportList* const kept = FormMain->MoneyReport;
    FormMain->MoneyReport = &probe;
    const qint64 bank = AddAccount(u"工商银行"_s);
    AddVoucher(bank, 10, QDate(2024, 1, 1));
    AddVoucher(bank, 20, QDate(2024, 1, 31));
    AddVoucher(bank, 30, QDate(2024, 2, 1));
    AddVoucher(bank, 40, QDate(2023, 12, 31));
    AddVoucher(AddAccount(u"现金"_s), 50, QDate(2024, 1, 15));
    FormMain->SetWorkingDate(QDate(2024, 1, 31));

    const QString head =
        u"Select MoneyIndex,MoneySerial,MoneyCreateTime,AccountName,MoneyUser,MoneyIn,MoneyOut,"
        "MoneySum,MoneyMan,MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable "
        "Where (AccountIndex = MoneyAccount) And (MoneyAccount = %1)"_s.arg(bank);
    const struct {
        QAction* TFormAccount::*action;
        QString tail;
        int rows;
    } cases[] = {
        {&TFormAccount::ActionMonth, u" And (MoneyCreateTime Between #2024-1-1# And #2024-1-31#)"_s, 2},
        {&TFormAccount::ActionYear, u" And (MoneyCreateTime Between #2024-1-1# And #2024-12-31#)"_s, 3},
        {&TFormAccount::ActionAll, u""_s, 4},
    };
    for (const auto& c : cases) {
        FormMain->PageControl1->setCurrentIndex(TFormMain::AccountPage);
        probe.statements.clear();
        EXPECT_TRUE(InWindow(u"工商银行"_s, [&](TFormAccount* f) { (f->*c.action)->trigger(); }));
        ASSERT_EQ(probe.statements.size(), 1);
        EXPECT_EQ(probe.statements[0], head + c.tail);
        EXPECT_EQ(FormMain->PageControl1->currentIndex(), int(TFormMain::MoneyReportPage));
        ResultSet rows;
        ASSERT_TRUE(ShareDM->ADOConnection1.Select(probe.statements[0], rows));
        EXPECT_EQ(rows.RecordCount(), c.rows) << c.tail.toStdString();
    }

    // An account no longer there: nothing is handed over and the window stays.
    probe.statements.clear();
    EXPECT_FALSE(InWindow(u"不存在"_s, [](TFormAccount* f) { f->ActionMonth->trigger(); }));
    EXPECT_TRUE(probe.statements.isEmpty());
    FormMain->MoneyReport = kept;
}

} // namespace
