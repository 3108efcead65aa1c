// Start-up, sign-in and roles, the modification password and the main window's frame.

#include "tests/support/AppFixture.h"

#include "access/AskForm.h"
#include "access/LoginForm.h"
#include "access/OnlineChatForm.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "rules/IniFile.h"
#include "ui/Globals.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QUrlQuery>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::AppFixture;

namespace {

// Counts the refreshes of one page's content.
struct ProbeView : ReportList {
    int refreshes = 0;
    using ReportList::Run;
    void Run(const ListRequest& request) override {
        EXPECT_TRUE(request.IsEmpty()); // a refresh runs the kept statement
        ++refreshes;
    }
};

class SignInTest : public AppFixture {
protected:
    std::vector<bool> VisiblePages() const {
        std::vector<bool> v;
        for (int i = 0; i < TFormMain::PageCount; ++i)
            v.push_back(FormMain->PageControl1->isTabVisible(i));
        return v;
    }
};

TEST_F(SignInTest, MissingDatabaseEndsTheProgramWithTheErrorBox) {
    QFile::remove(DbPath());
    ui.ExpectMessage(u"数据库文件找不到，请联系Corvina软件有限公司"_s + VendorPhone, ProgramTitle,
                     MsgIcon::Error);
    EXPECT_FALSE(FormMain->FormShow());
    EXPECT_NE(FormMain->ExitCode, 0);
    EXPECT_FALSE(ShareDM->ADOConnection1.IsOpen());
}

TEST_F(SignInTest, DamagedDatabaseShowsTheEngineTextAndEnds) {
    QFile::remove(DbPath());
    QFile f(DbPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is no database, only some text that happens to have the right name");
    f.close();
    // The engine's own English words go to the log; the box says it in Chinese.
    ui.ExpectMessage(u"数据库文件无法打开：文件不是本软件的数据库"_s, ProgramTitle, MsgIcon::None);
    EXPECT_FALSE(FormMain->FormShow());
    EXPECT_NE(FormMain->ExitCode, 0);
}

TEST_F(SignInTest, CancelledFirstSignInEndsQuietly) {
    ui.today = QDate(2024, 2, 29);
    ui.ExpectModal<TFormLogin>(u"FormLogin"_s, [](TFormLogin* f) { f->Close->click(); });
    EXPECT_FALSE(FormMain->FormShow());
    EXPECT_EQ(FormMain->ExitCode, 0);
    EXPECT_EQ(FormMain->WorkingDate(), QDate(2024, 2, 29));
    EXPECT_TRUE(ui.Messages().empty());
}

// Counts how often a window was shown.
struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) ++shows;
        return QObject::eventFilter(watched, event);
    }
};

// The start: nothing of the business is on screen before somebody has signed in.
TEST_F(SignInTest, TheMainWindowAppearsOnlyAfterASuccessfulSignIn) {
    ShowCounter counter;
    FormMain->installEventFilter(&counter);
    ui.today = QDate(2024, 5, 31);
    ui.ExpectModal<TFormLogin>(u"FormLogin"_s, [](TFormLogin* f) {
        EXPECT_FALSE(FormMain->isVisible()); // the sign-in window stands alone
        f->ComboBox1->setCurrentIndex(f->ComboBox1->findText(u"总经理"_s));
        f->Login->click();
    });
    ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [](TFormAsk* a) {
        EXPECT_FALSE(FormMain->isVisible());
        a->BitBtn1->click();
    });
    int exitCode = -1;
    ASSERT_TRUE(StartProgram(exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(FormMain->isVisible());
    EXPECT_EQ(counter.shows, 1);
    EXPECT_EQ(FormMain->WorkingDate(), QDate(2024, 5, 31));
    EXPECT_EQ(VisiblePages(), (std::vector<bool>{1, 1, 1, 1, 1, 1, 0, 0}));
    FormMain->removeEventFilter(&counter);
}

TEST_F(SignInTest, ACancelledSignInEndsTheProgramWithoutShowingTheMainWindow) {
    ShowCounter counter;
    FormMain->installEventFilter(&counter);
    ui.ExpectModal<TFormLogin>(u"FormLogin"_s, [](TFormLogin* f) { f->Close->click(); });
    int exitCode = -1;
    EXPECT_FALSE(StartProgram(exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(counter.shows, 0);
    FormMain->removeEventFilter(&counter);
}

TEST_F(SignInTest, TheMissingDatabaseBoxStandsAlone) {
    ShowCounter counter;
    FormMain->installEventFilter(&counter);
    QFile::remove(DbPath());
    ui.ExpectMessage(u"数据库文件找不到，请联系Corvina软件有限公司"_s + VendorPhone, ProgramTitle,
                     MsgIcon::Error);
    int exitCode = -1;
    EXPECT_FALSE(StartProgram(exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(counter.shows, 0);
    FormMain->removeEventFilter(&counter);
}

TEST_F(SignInTest, AccountListLeavesOutFreeSlotsAndTheModifyRow) {
    OpenDatabase();
    AddSalesman(u"张伟"_s, u"1234"_s, u"业务管理；"_s);
    FormLogin->RunFormShow();
    QStringList names;
    for (int i = 0; i < FormLogin->ComboBox1->count(); ++i)
        names << FormLogin->ComboBox1->itemText(i);
    EXPECT_EQ(names, (QStringList{u"管理员"_s, u"财务主管"_s, u"财务总监"_s, u"总经理"_s, u"张伟"_s}));
    EXPECT_EQ(FormLogin->ComboBox1->currentIndex(), 0);
}

TEST_F(SignInTest, WrongPasswordAndCancelKeepTheWindowOpen) {
    OpenDatabase();
    Sql(u"UPDATE Power SET PowerKey = 'Secret' WHERE PowerName = '总经理'"_s);
    ui.ExpectModal<TFormLogin>(u"FormLogin"_s, [&](TFormLogin* f) {
        f->ComboBox1->setCurrentIndex(f->ComboBox1->findText(u"总经理"_s));
        // Cancelled prompt: nothing happens.
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [](TFormAsk* a) {
            EXPECT_EQ(a->windowTitle(), u"系统登录"_s);
            EXPECT_EQ(a->Label1->text(), u"请输入登录密码"_s);
            EXPECT_EQ(a->PasswordChar(), u'#');
            a->Edit1->setText(u"Secret"_s);
            a->BitBtn2->click();
        });
        f->Login->click();
        EXPECT_EQ(f->result(), QDialog::Rejected);
        // Wrong case: refused.
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [](TFormAsk* a) {
            a->Edit1->setText(u"secret"_s);
            a->BitBtn1->click();
        });
        ui.ExpectMessage(u"密码错误，请重新操作"_s);
        f->Login->click();
        EXPECT_EQ(f->result(), QDialog::Rejected);
        EXPECT_TRUE(CurrentUser.isEmpty());
        // Right password.
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [](TFormAsk* a) {
            EXPECT_TRUE(a->Edit1->text().isEmpty());
            a->Edit1->setText(u"Secret"_s);
            a->BitBtn1->click();
        });
        f->Login->click();
    });
    EXPECT_TRUE(FormMain->FormShow());
    EXPECT_EQ(CurrentUser, u"总经理"_s);
    EXPECT_EQ(FormAsk->PasswordChar(), QChar()); // the mask is off again
}

TEST_F(SignInTest, RowDeletedWhilePromptingIsReported) {
    OpenDatabase();
    AddSalesman(u"王强"_s, u""_s, u"业务管理；"_s);
    FormLogin->RunFormShow();
    FormLogin->ComboBox1->setCurrentIndex(FormLogin->ComboBox1->findText(u"王强"_s));
    ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [&](TFormAsk* a) {
        Sql(u"UPDATE Power SET PowerName = '' WHERE PowerName = '王强'"_s);
        a->BitBtn1->click();
    });
    ui.ExpectMessage(u"数据库出错，资料修改密码被删除"_s);
    FormLogin->ActionLoginExecute();
    EXPECT_EQ(FormLogin->result(), QDialog::Rejected);
}

// Each role: the pages it sees, the page it starts on, its filters and the sign-in button.
TEST_F(SignInTest, RolesDecidePagesFiltersAndFace) {
    const struct {
        QString name;
        QString range;
        std::vector<bool> pages;
        int active;
        bool filtered;
        QString caption;
    } cases[] = {
        {u"管理员"_s, {}, {0, 0, 0, 0, 0, 0, 1, 1}, 6, false, u"管理员"_s},
        {u"财务主管"_s, {}, {1, 1, 1, 1, 1, 1, 0, 0}, 0, false, u"财务主管"_s},
        {u"财务总监"_s, {}, {1, 1, 1, 1, 1, 1, 0, 0}, 0, false, u"财务总监"_s},
        {u"总经理"_s, {}, {1, 1, 1, 1, 1, 1, 0, 0}, 0, false, u"总经理"_s},
        {u"张伟"_s, u"业务管理；财务管理；"_s, {1, 1, 1, 1, 1, 1, 0, 0}, 0, true, u"张伟"_s},
        {u"李娜"_s, u"业务管理；"_s, {1, 1, 1, 0, 0, 0, 0, 0}, 0, true, u"李娜"_s},
        {u"王强"_s, u"财务管理；"_s, {0, 0, 0, 1, 1, 1, 0, 0}, 3, true, u"王强"_s},
        {u"赵六"_s, u""_s, {0, 0, 0, 0, 0, 0, 0, 0}, 3, true, u"赵六"_s},
    };
    ExpectSignIn(u"财务主管"_s, u""_s);
    ASSERT_TRUE(FormMain->FormShow());
    for (const auto& c : cases)
        if (!c.range.isNull()) AddSalesman(c.name, u"pw"_s, c.range);
    ProbeView customers;
    FormMain->CustomerCards = &customers;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const int before = customers.refreshes;
        ExpectSignIn(c.name, c.range.isNull() ? u""_s : u"pw"_s);
        FormMain->ActionLoginExecute();
        EXPECT_EQ(CurrentUser, c.name);
        EXPECT_EQ(VisiblePages(), c.pages);
        EXPECT_EQ(FormMain->PageControl1->currentIndex(), c.active);
        EXPECT_EQ(FormMain->Login->text(), c.caption);
        EXPECT_FALSE(FormMain->Login->icon().isNull());
        if (c.filtered) {
            EXPECT_EQ(CustomerFilter, u" And (CustomerMan = '%1')"_s.arg(c.name));
            EXPECT_EQ(AccountFilter, u" And (AccountMan = '财务主管' Or AccountMan = '%1')"_s.arg(c.name));
            EXPECT_EQ(BillFilter, u" And (BillMan = '%1')"_s.arg(c.name));
            EXPECT_EQ(VoucherFilter, u" And (MoneyMan = '%1')"_s.arg(c.name));
        } else if (c.name != u"管理员"_s) {
            EXPECT_TRUE(CustomerFilter.isEmpty() && AccountFilter.isEmpty() && BillFilter.isEmpty() &&
                        VoucherFilter.isEmpty());
        }
        // The administrator's sign-in neither refreshes the cards nor touches the filters; the
        // customers page is refreshed when it is the page shown, else when it is shown next.
        EXPECT_EQ(customers.refreshes - before, c.name != u"管理员"_s && c.active == 0 && c.pages[0] ? 1 : 0);
    }
    FormMain->CustomerCards = nullptr;
}

TEST_F(SignInTest, AdministratorKeepsTheSalesmansFiltersAndManagerClearsThem) {
    OpenDatabase();
    AddSalesman(u"李娜"_s, u""_s, u"业务管理；"_s);
    ExpectSignIn(u"李娜"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    ExpectSignIn(u"管理员"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(BillFilter, u" And (BillMan = '李娜')"_s);
    ExpectSignIn(u"财务主管"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_TRUE(BillFilter.isEmpty());
}

TEST_F(SignInTest, SalesmanNameWithQuoteBuildsWorkingFilters) {
    OpenDatabase();
    AddSalesman(u"老王's"_s, u""_s, u"业务管理；财务管理；"_s, u"Faces/7.bmp"_s);
    Sql(u"INSERT INTO Customer (CustomerName, CustomerMan) VALUES ('甲', '老王''s'), ('乙', '别人')"_s);
    ExpectSignIn(u"老王's"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    EXPECT_EQ(CustomerFilter, u" And (CustomerMan = '老王''s')"_s);
    EXPECT_EQ(FormMain->Login->text(), u"老王's"_s);
    ResultSet rs;
    ASSERT_TRUE(ShareDM->ADOConnection1.Select(
        u"Select * From Customer Where (CustomerIndex > 1)"_s + CustomerFilter, rs));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.AsString(u"CustomerName"_s), u"甲"_s);
}

TEST_F(SignInTest, CancelledSignInFromTheSideBarKeepsEverything) {
    OpenDatabase();
    AddSalesman(u"李娜"_s, u""_s, u"业务管理；"_s);
    ExpectSignIn(u"李娜"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    const auto pages = VisiblePages();
    ui.ExpectModal<TFormLogin>(u"FormLogin"_s, [](TFormLogin* f) { f->Close->click(); });
    FormMain->ActionLoginExecute();
    EXPECT_EQ(CurrentUser, u"李娜"_s);
    EXPECT_EQ(BillFilter, u" And (BillMan = '李娜')"_s);
    EXPECT_EQ(VisiblePages(), pages);
    EXPECT_EQ(FormMain->Login->text(), u"李娜"_s);
}

TEST_F(SignInTest, SortBoxesAreRestoredFromTheConfigurationFile) {
    OpenDatabase();
    // No section at all: the defaults.
    ExpectSignIn(u"总经理"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    const std::vector<QComboBox*> boxes = {FormMain->ComboBox6,  FormMain->ComboBox7,  FormMain->ComboBox3,
                                           FormMain->ComboBox8,  FormMain->ComboBox10, FormMain->ComboBox4,
                                           FormMain->ComboBox11, FormMain->ComboBox12};
    std::vector<int> indices;
    for (QComboBox* b : boxes)
        indices.push_back(b->currentIndex());
    EXPECT_EQ(indices, (std::vector<int>{0, 1, 0, 0, 1, 0, 0, 1}));
    EXPECT_FALSE(QFile::exists(IniFileName)); // restoring writes nothing back

    // Stored values come back; hand-edited nonsense falls back to the default.
    const QList<QPair<QString, QString>> stored = {
        {ini::CustomerSortField, u"1"_s},   {ini::CustomerSortDirection, u"0"_s},
        {ini::BillDateRange, u"1"_s},       {ini::BillSortField, u"3"_s},
        {ini::BillSortDirection, u"abc"_s}, {ini::VoucherDateRange, u"7"_s},
        {ini::VoucherSortField, u"-1"_s},   {ini::VoucherSortDirection, u"0"_s},
    };
    for (const auto& [key, value] : stored)
        ASSERT_TRUE(IniWriteString(ini::Section, key, value, IniFileName));
    ExpectSignIn(u"总经理"_s, u""_s);
    ASSERT_TRUE(FormMain->SignIn());
    indices.clear();
    for (QComboBox* b : boxes)
        indices.push_back(b->currentIndex());
    EXPECT_EQ(indices, (std::vector<int>{1, 0, 1, 3, 1, 0, 0, 0}));
}

TEST_F(SignInTest, UserChangeOfASortBoxWritesItsKeyAndRefreshesItsPage) {
    OpenDatabase();
    ProbeView customers, bills, vouchers;
    FormMain->CustomerCards = &customers;
    FormMain->BillCards = &bills;
    FormMain->VoucherCards = &vouchers;
    FormMain->ComboBox7->setCurrentIndex(0);
    emit FormMain->ComboBox7->activated(0);
    EXPECT_EQ(IniReadString(ini::Section, ini::CustomerSortDirection, u"?"_s, IniFileName), u"0"_s);
    EXPECT_EQ(customers.refreshes, 1);
    FormMain->ComboBox11->setCurrentIndex(2);
    emit FormMain->ComboBox11->activated(2);
    EXPECT_EQ(IniReadString(ini::Section, ini::VoucherSortField, u"?"_s, IniFileName), u"2"_s);
    EXPECT_EQ(vouchers.refreshes, 1);
    EXPECT_EQ(bills.refreshes, 0);
    FormMain->ComboBox5->setCurrentIndex(1);
    ui.ExpectMessage(u"打印方式设置为：横向打印"_s);
    FormMain->Button15->click();
    EXPECT_EQ(IniReadString(ini::Section, ini::PrintType, u"纵向打印"_s, IniFileName), u"横向打印"_s);
    FormMain->CustomerCards = FormMain->BillCards = FormMain->VoucherCards = nullptr;
}

TEST_F(SignInTest, DateButtonsCrossAMonthAndRefreshEveryView) {
    ProbeView views[6];
    FormMain->CustomerCards = &views[0];
    FormMain->BillCards = &views[1];
    FormMain->VoucherCards = &views[2];
    FormMain->AccountCards = &views[3];
    FormMain->MoneyReport = &views[4];
    FormMain->BillReport = &views[5];
    FormMain->SetWorkingDate(QDate(2024, 3, 1));
    FormMain->BitBtn1->click();
    EXPECT_EQ(FormMain->WorkingDate(), QDate(2024, 2, 29));
    FormMain->BitBtn2->click();
    FormMain->BitBtn2->click();
    EXPECT_EQ(FormMain->WorkingDate(), QDate(2024, 3, 2));
    // The card page on screen is refreshed each time, the others once when they are shown.
    ASSERT_EQ(FormMain->PageControl1->currentIndex(), TFormMain::CustomerPage);
    EXPECT_EQ(views[0].refreshes, 3);
    for (int v = 1; v < 4; ++v)
        EXPECT_EQ(views[v].refreshes, 0) << v;
    for (int v = 4; v < 6; ++v)
        EXPECT_EQ(views[v].refreshes, 3) << v;
    const int pages[] = {TFormMain::BillPage, TFormMain::VoucherPage, TFormMain::AccountPage};
    for (int page : pages)
        FormMain->PageControl1->setCurrentIndex(page);
    FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
    for (int v = 1; v < 4; ++v)
        EXPECT_EQ(views[v].refreshes, 1) << v;
    EXPECT_EQ(views[0].refreshes, 3); // it was not out of date
    // Picking a date refreshes once.
    FormMain->DateTimePicker1->setDate(QDate(2024, 12, 31));
    EXPECT_EQ(views[0].refreshes, 4);
    for (int v = 4; v < 6; ++v)
        EXPECT_EQ(views[v].refreshes, 4) << v;
    FormMain->CustomerCards = FormMain->BillCards = FormMain->VoucherCards = FormMain->AccountCards = nullptr;
    FormMain->MoneyReport = FormMain->BillReport = nullptr;
}

TEST_F(SignInTest, FoldStripAndResizeRule) {
    EXPECT_EQ(FormMain->Panel1->width(), 97);
    FormMain->Image7->clicked();
    EXPECT_EQ(FormMain->Image7Hint, u"RightBar"_s);
    EXPECT_EQ(FormMain->Panel1->maximumWidth(), 0);
    FormMain->Image7->clicked();
    EXPECT_EQ(FormMain->Image7Hint, u"LeftBar"_s);
    EXPECT_EQ(FormMain->Panel1->maximumWidth(), 97);
    EXPECT_FALSE(FormMain->Image7->pixmap().isNull());

    FormMain->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    FormMain->resize(1000, 700);
    FormMain->FormResize();
    EXPECT_EQ(FormMain->geometry().size(), QSize(884, 571));
    EXPECT_EQ(FormMain->pos(), QPoint(75, 90));
}

TEST_F(SignInTest, MainWindowFrame) {
    EXPECT_EQ(FormMain->windowTitle(), u"Corvina中介管理软件"_s);
    EXPECT_EQ(FormMain->size(), QSize(786, 538));
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(FormMain->geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    const QStringList captions = {u"客户管理"_s, u"业务单据"_s, u"业务报表"_s, u"帐户管理"_s,
                                  u"财务单据"_s, u"财务报表"_s, u"软件设置"_s, u"数据维护"_s};
    const QStringList names = {u"TabSheet8"_s, u"TabSheet1"_s, u"TabSheet2"_s, u"TabSheet3"_s,
                               u"TabSheet7"_s, u"TabSheet4"_s, u"TabSheet5"_s, u"TabSheet6"_s};
    ASSERT_EQ(FormMain->PageControl1->count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(FormMain->PageControl1->tabText(i), captions[i]);
        EXPECT_EQ(FormMain->Page(i)->objectName(), names[i]);
    }
    EXPECT_EQ(FormMain->Login->text(), u"软件导航"_s);
    EXPECT_EQ(FormMain->ComboBox5->currentText(), u"纵向打印"_s);
    // The backup button carries its action's caption.
    EXPECT_EQ(FormMain->ActionButtonSave2->text(), u"备份数据"_s);
}

// Whatever the role and range, only the allowed pages' content can be reached: a page is
// reachable when the page area is on screen, its tab is shown and its content takes input.
TEST_F(SignInTest, OnlyTheAllowedPagesContentIsReachable) {
    const struct {
        QString name, role, range;
        std::vector<bool> reachable;
    } cases[] = {
        {u"管理员"_s, {}, {}, {0, 0, 0, 0, 0, 0, 1, 1}},
        {u"财务总监"_s, {}, {}, {1, 1, 1, 1, 1, 1, 0, 0}},
        {u"张伟"_s, u"业务员"_s, u"业务管理；财务管理；"_s, {1, 1, 1, 1, 1, 1, 0, 0}},
        {u"李娜"_s, u"业务员"_s, u"业务管理；"_s, {1, 1, 1, 0, 0, 0, 0, 0}},
        {u"王强"_s, u"业务员"_s, u"财务管理；"_s, {0, 0, 0, 1, 1, 1, 0, 0}},
        {u"赵六"_s, u"业务员"_s, u""_s, {0, 0, 0, 0, 0, 0, 0, 0}},
        {u"访客"_s, u"访客"_s, u""_s, {0, 0, 0, 0, 0, 0, 0, 0}}, // a role the program does not know
    };
    OpenDatabase();
    for (const auto& c : cases)
        if (!c.role.isEmpty()) {
            AddSalesman(c.name, u""_s, c.range);
            Sql(u"UPDATE Power SET PowerRole = ? WHERE PowerName = ?"_s, {c.role, c.name});
        }
    FormMain->show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        // Each user after a manager, who saw every business page.
        ExpectSignIn(u"总经理"_s, u""_s);
        ASSERT_TRUE(FormMain->SignIn());
        ExpectSignIn(c.name, u""_s);
        ASSERT_TRUE(FormMain->SignIn());
        std::vector<bool> reachable;
        for (int i = 0; i < TFormMain::PageCount; ++i)
            reachable.push_back(FormMain->PageControl1->isVisible() &&
                                FormMain->PageControl1->isTabVisible(i) && FormMain->Page(i)->isEnabled());
        EXPECT_EQ(reachable, c.reachable);
        const bool none = std::find(c.reachable.begin(), c.reachable.end(), true) == c.reachable.end();
        EXPECT_EQ(FormMain->NoPageLabel->isVisible(), none);
        if (!none) {
            // What is on screen is an allowed page.
            EXPECT_TRUE(c.reachable[size_t(FormMain->PageControl1->currentIndex())]);
        } else {
            // Nothing of the business: no page, not even the last one that was current.
            for (int i = 0; i < TFormMain::PageCount; ++i)
                EXPECT_FALSE(FormMain->Page(i)->isVisible()) << i;
            EXPECT_FALSE(FormMain->NoPageLabel->text().isEmpty());
        }
    }
}

// The modification password.
class ModifyPasswordTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
    }
    bool Ask() { return ShareDM->AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, u""_s); }
    void Answer(const QString& text, bool ok) {
        ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [text, ok](TFormAsk* a) {
            EXPECT_EQ(a->windowTitle(), u"修改密码"_s);
            EXPECT_EQ(a->Label1->text(), u"请输入资料修改密码"_s);
            EXPECT_EQ(a->PasswordChar(), u'#');
            a->Edit1->setText(text);
            (ok ? a->BitBtn1 : a->BitBtn2)->click();
        });
    }
};

TEST_F(ModifyPasswordTest, EmptyPasswordAsksNothing) {
    EXPECT_TRUE(Ask());
    EXPECT_TRUE(ui.History().empty());
}

TEST_F(ModifyPasswordTest, AnswersAndTheirOutcomes) {
    Sql(u"UPDATE Power SET PowerKey = 'Abc' WHERE PowerName = '修改'"_s);
    const struct {
        QString typed;
        bool ok;
        QString message;
        bool result;
    } cases[] = {
        {u"Abc"_s, true, {}, true},
        {u"abc"_s, true, u"密码错误，请重新操作"_s, false},
        {u"Abc"_s, false, {}, false}, // right password, then Cancel
        {u""_s, true, u"密码错误，请重新操作"_s, false},
    };
    for (const auto& c : cases) {
        Answer(c.typed, c.ok);
        if (!c.message.isEmpty()) ui.ExpectMessage(c.message);
        EXPECT_EQ(Ask(), c.result) << c.typed.toStdString();
        EXPECT_EQ(FormAsk->PasswordChar(), QChar());
        EXPECT_TRUE(ui.AllUsed());
    }
}

TEST_F(ModifyPasswordTest, MissingRowRefusesAfterOkAndSilentlyAfterCancel) {
    Sql(u"DELETE FROM Power WHERE PowerName = '修改'"_s);
    Answer(u"x"_s, true);
    ui.ExpectMessage(u"数据库出错，资料修改密码被删除"_s);
    EXPECT_FALSE(Ask());
    Answer(u"x"_s, false);
    EXPECT_FALSE(Ask());
    EXPECT_EQ(FormAsk->PasswordChar(), QChar());
}

TEST_F(ModifyPasswordTest, NextPromptIsUnmasked) {
    Sql(u"UPDATE Power SET PowerKey = 'k' WHERE PowerName = '修改'"_s);
    Answer(u"k"_s, true);
    ASSERT_TRUE(Ask());
    FormAsk->AskCaption = u"参数设置"_s;
    FormAsk->AskPrompt = u"请输入种类的名称"_s;
    FormAsk->AskValue = u"房屋租赁"_s;
    ui.ExpectModal<TFormAsk>(u"FormAsk"_s, [](TFormAsk* a) {
        EXPECT_EQ(a->Edit1->echoMode(), QLineEdit::Normal);
        EXPECT_EQ(a->Edit1->text(), u"房屋租赁"_s);
        a->BitBtn2->click();
    });
    EXPECT_EQ(TheUi().ShowModal(FormAsk), QDialog::Rejected);
    EXPECT_EQ(FormAsk->AskValue, u"房屋租赁"_s); // Cancel leaves the caller's value
}

TEST_F(SignInTest, OnlineServiceComposesTheRequestAddress) {
    ui.ExpectModal<TFormOnlineChat>(u"FormOnlineChat"_s, [&](TFormOnlineChat* f) {
        f->Edit1->setText(u"陈经理"_s);
        f->Edit2->setText(u"13900001111"_s);
        f->Memo1->setPlainText(u"如何备份数据？"_s);
        ui.ExpectOpenUrl(true);
        f->BitBtn1->click();
    });
    FormMain->OnlineChat->click();
    const QUrlQuery q(ui.lastUrl);
    EXPECT_EQ(q.queryItemValue(u"contact"_s, QUrl::FullyDecoded), u"陈经理"_s);
    EXPECT_EQ(q.queryItemValue(u"question"_s, QUrl::FullyDecoded), u"如何备份数据？"_s);
}

} // namespace
