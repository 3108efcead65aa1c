#include "app/MainForm.h"

#include "access/LoginForm.h"
#include "access/OnlineChatForm.h"
#include "app/DataLocation.h"
#include "app/Forms.h"
#include "app/ShareDM.h"
#include "customers/CustomerForm3.h"
#include "data/Migrate.h"
#include "domain/Access.h"
#include "domain/Kinds.h"
#include "domain/MonthReports.h"
#include "maintenance/SettingsPage.h"
#include "report_designer/ReportDesigner.h"
#include "reports/ProgressForm.h"
#include "rules/IniFile.h"
#include "ui/Form.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
constexpr int kSideBarWidth = 97;
constexpr int kStripWidth = 9;
constexpr int kClientWidth = 786;
constexpr int kClientHeight = 538;
} // namespace

TFormMain::~TFormMain() {
    InstallShell(nullptr);
}

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
    InstallShell(this);
    setObjectName(u"FormMain"_s);
    setWindowTitle(ProgramTitle);
    setFont(SongFont());
    // A fixed border: the size changes only by the rule of FormResize.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kClientWidth, kClientHeight);
    setFixedSize(kClientWidth, kClientHeight);

    auto* central = new QWidget(this);
    central->setObjectName(u"Central"_s);
    setCentralWidget(central);

    BuildSideBar();
    BuildPages();

    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(Panel1);
    row->addWidget(Panel2);
    row->addWidget(Panel3, 1);

    // Centred on the desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TFormMain::BuildSideBar() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFixedWidth(kSideBarWidth);
    Panel1->setAutoFillBackground(true);
    Panel1->setStyleSheet(
        u"#Panel1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dfe9f5,"
        " stop:1 #b9cde6); }"
        "#Panel1 QToolButton { border: 1px solid transparent; border-radius: 4px; padding: 2px; }"
        "#Panel1 QToolButton:hover { border-color: #7f9db9; background: #eef4fb; }"_s);

    auto* col = new QVBoxLayout(Panel1);
    col->setContentsMargins(4, 8, 4, 8);
    col->setSpacing(6);

    Login = new QToolButton(Panel1);
    Login->setObjectName(u"Login"_s);
    Login->setText(u"软件导航"_s);
    Login->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Login->setIconSize(QSize(56, 56));
    Login->setFixedSize(88, 92);
    col->addWidget(Login, 0, Qt::AlignHCenter);

    OnlineChat = new QToolButton(Panel1);
    OnlineChat->setObjectName(u"OnlineChat"_s);
    OnlineChat->setText(u"在线服务"_s);
    OnlineChat->setFixedSize(88, 30);
    col->addWidget(OnlineChat, 0, Qt::AlignHCenter);

    ActionButtonSave2 = new QToolButton(Panel1);
    ActionButtonSave2->setObjectName(u"ActionButtonSave2"_s);
    ActionButtonSave2->setText(u"备份数据"_s);
    ActionButtonSave2->setFixedSize(88, 30);
    col->addWidget(ActionButtonSave2, 0, Qt::AlignHCenter);

    col->addStretch(1);

    Label2 = new QLabel(u"当前日期"_s, Panel1);
    Label2->setObjectName(u"Label2"_s);
    Label2->setAlignment(Qt::AlignCenter);
    col->addWidget(Label2);

    DateTimePicker1 = new QDateEdit(Panel1);
    DateTimePicker1->setObjectName(u"DateTimePicker1"_s);
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(u"yyyy-M-d"_s);
    DateTimePicker1->setFixedWidth(89);
    col->addWidget(DateTimePicker1, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    BitBtn1 = new QPushButton(u"◀ 前一天"_s, Panel1);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setToolTip(u"前一天"_s);
    BitBtn2 = new QPushButton(u"后一天 ▶"_s, Panel1);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setToolTip(u"后一天"_s);
    for (QPushButton* b : {BitBtn1, BitBtn2})
        b->setFixedHeight(26);
    BitBtn1->setText(u"◀"_s);
    BitBtn2->setText(u"▶"_s);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    col->addLayout(buttons);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(u"Panel2"_s);
    Panel2->setFixedWidth(kStripWidth);
    auto* strip = new QVBoxLayout(Panel2);
    strip->setContentsMargins(0, 0, 0, 0);
    Image7 = new ClickableLabel(Panel2);
    Image7->setObjectName(u"Image7"_s);
    Image7->setScaledContents(true);
    Image7->setCursor(Qt::PointingHandCursor);
    Image7->setToolTip(u"隐藏/显示导航栏"_s);
    strip->addWidget(Image7);
    Image7->setPixmap(QPixmap(ProgramDir + u"Res/LeftBar.bmp"_s));
    Login->setIcon(QIcon(QPixmap(ProgramDir + u"Res/Tevrano.png"_s)));

    connect(Login, &QToolButton::clicked, this, &TFormMain::ActionLoginExecute);
    connect(OnlineChat, &QToolButton::clicked, this, &TFormMain::ActionOlineChatExecute);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormMain::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFormMain::BitBtn2Click);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, [this] {
        if (!m_settingDate) DateTimePicker1Change();
    });
    connect(Image7, &ClickableLabel::clicked, this, &TFormMain::Image7Click);
}

QComboBox* TFormMain::MakeCombo(QWidget* page, const QString& name, const QStringList& items, int x,
                                int width) {
    auto* combo = new QComboBox(page);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setGeometry(x, 478, width, 24);
    // Only a user's choice writes the key and refreshes; setting the index in code does not.
    connect(combo, &QComboBox::activated, this, [this, combo] { SortComboChange(combo); });
    return combo;
}

void TFormMain::BuildPages() {
    Panel3 = new QWidget(this);
    Panel3->setObjectName(u"Panel3"_s);
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControl1 = new QTabWidget(Panel3);
    PageControl1->setObjectName(u"PageControl1"_s);
    layout->addWidget(PageControl1);
    // A report list refreshed while off screen catches up when its page is shown.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (m_staleCards.remove(page)) {
            if (View* cards = CardsOf(page)) cards->Refresh();
        }
        if (page == BillReportPage && BillReport) BillReport->EnsureFresh();
        if (page == MoneyReportPage && MoneyReport) MoneyReport->EnsureFresh();
    });
    // What a user with no page to use sees instead: nothing of the business.
    NoPageLabel = new QLabel(u"当前用户没有可以使用的功能页面，请与管理员联系。"_s, Panel3);
    NoPageLabel->setObjectName(u"NoPageLabel"_s);
    NoPageLabel->setAlignment(Qt::AlignCenter);
    NoPageLabel->setFont(SongFont(11));
    NoPageLabel->hide();
    layout->addWidget(NoPageLabel);

    const QList<QPair<QWidget**, QPair<QString, QString>>> pages = {
        {&TabSheet8, {u"TabSheet8"_s, u"客户管理"_s}}, {&TabSheet1, {u"TabSheet1"_s, u"业务单据"_s}},
        {&TabSheet2, {u"TabSheet2"_s, u"业务报表"_s}}, {&TabSheet3, {u"TabSheet3"_s, u"帐户管理"_s}},
        {&TabSheet7, {u"TabSheet7"_s, u"财务单据"_s}}, {&TabSheet4, {u"TabSheet4"_s, u"财务报表"_s}},
        {&TabSheet5, {u"TabSheet5"_s, u"软件设置"_s}}, {&TabSheet6, {u"TabSheet6"_s, u"数据维护"_s}},
    };
    for (const auto& [slot, names] : pages) {
        auto* page = new QWidget;
        page->setObjectName(names.first);
        PageControl1->addTab(page, names.second);
        *slot = page;
    }

    const QStringList sortFields = {u"按记录号"_s, u"按单据号"_s, u"按客户名"_s, u"按日期时间"_s};
    const QStringList directions = {u"按升序排"_s, u"按降序排"_s};
    const QStringList ranges = {u"当天单据"_s, u"当月单据"_s};
    ComboBox6 = MakeCombo(TabSheet8, u"ComboBox6"_s, {u"按编号排"_s, u"按名称排"_s}, 480, 90);
    ComboBox7 = MakeCombo(TabSheet8, u"ComboBox7"_s, directions, 576, 90);
    ComboBox3 = MakeCombo(TabSheet1, u"ComboBox3"_s, ranges, 384, 90);
    ComboBox8 = MakeCombo(TabSheet1, u"ComboBox8"_s, sortFields, 480, 90);
    ComboBox10 = MakeCombo(TabSheet1, u"ComboBox10"_s, directions, 576, 90);
    ComboBox4 = MakeCombo(TabSheet7, u"ComboBox4"_s, ranges, 384, 90);
    ComboBox11 = MakeCombo(TabSheet7, u"ComboBox11"_s, sortFields, 480, 90);
    ComboBox12 = MakeCombo(TabSheet7, u"ComboBox12"_s, directions, 576, 90);
    ComboBox6->setCurrentIndex(0);
    ComboBox7->setCurrentIndex(1);
    ComboBox10->setCurrentIndex(1);
    ComboBox12->setCurrentIndex(1);

    // Settings page: the print layout of the report lists and the template designer,
    // each in its own group.
    auto* printGroup = new QGroupBox(u"报表打印方式设置"_s, TabSheet5);
    printGroup->setObjectName(u"GroupBox5"_s);
    printGroup->setGeometry(16, 16, 300, 64);
    auto* printLabel = new QLabel(u"打印方向："_s, printGroup);
    printLabel->setObjectName(u"Label15"_s);
    printLabel->setGeometry(16, 26, 70, 24);
    ComboBox5 = new QComboBox(printGroup);
    ComboBox5->setObjectName(u"ComboBox5"_s);
    ComboBox5->addItems({u"纵向打印"_s, u"横向打印"_s});
    ComboBox5->setGeometry(86, 26, 110, 24);
    Button15 = new QPushButton(u"确定"_s, printGroup);
    Button15->setObjectName(u"Button15"_s);
    Button15->setGeometry(206, 25, 78, 26);
    connect(Button15, &QPushButton::clicked, this, &TFormMain::Button15Click);

    auto* designGroup = new QGroupBox(u"单据模板设计"_s, TabSheet5);
    designGroup->setObjectName(u"GroupBox6"_s);
    designGroup->setGeometry(16, 92, 300, 64);
    auto* designLabel = new QLabel(u"报表模板："_s, designGroup);
    designLabel->setObjectName(u"Label16"_s);
    designLabel->setGeometry(16, 26, 70, 24);
    DesignButton = new QPushButton(u"单据设计"_s, designGroup);
    DesignButton->setObjectName(u"DesignButton"_s);
    DesignButton->setGeometry(86, 25, 110, 26);
    connect(DesignButton, &QPushButton::clicked, this, &TFormMain::ActionDesignExecute);
}

QWidget* TFormMain::Page(int index) const {
    return PageControl1->widget(index);
}

QDate TFormMain::WorkingDate() const {
    return DateTimePicker1->date();
}

void TFormMain::SetWorkingDate(const QDate& date) {
    m_settingDate = true;
    DateTimePicker1->setDate(date);
    m_settingDate = false;
}

bool TFormMain::FormShow() {
    const QString path = DataDir + u"Tevrano.mdb"_s;
    if (!QFileInfo(path).isFile()) {
        TheUi().Message(this, u"数据库文件找不到，请联系Corvina软件有限公司"_s + VendorPhone, ProgramTitle,
                        MsgIcon::Error);
        ExitCode = 1;
        return false;
    }
    QString lockRefusal;
    if (!ShareDM->DatabaseLock1.Take(path, &lockRefusal)) {
        TheUi().Message(this, lockRefusal, ProgramTitle, MsgIcon::Error);
        ExitCode = 1;
        return false;
    }
    if (!ShareDM->ADOConnection1.Open(path)) {
        ShareDM->DatabaseLock1.Release();
        // A file that is there but is no database of this program, or of a newer one.
        TheUi().Message(this, ShareDM->ADOConnection1.LastError(), ProgramTitle);
        ExitCode = 1;
        return false;
    }
    // A database of an older program is upgraded, after a copy of it was kept beside it.
    QString upgradeError;
    std::optional<ProgressScope> upgrading;
    if (SchemaVersionOf(ShareDM->ADOConnection1) != Database::SchemaVersion)
        upgrading.emplace(FormProgress, u"正在升级数据库，请稍候……"_s);
    const bool upgraded = UpgradeDatabase(ShareDM->ADOConnection1, &upgradeError, nullptr, [&](int percent) {
        if (upgrading) upgrading->Step(percent);
    });
    upgrading.reset();
    if (!upgraded) {
        TheUi().Message(this, upgradeError, ProgramTitle);
        ShareDM->ADOConnection1.Close();
        ShareDM->DatabaseLock1.Release();
        ExitCode = 1;
        return false;
    }
    // Before the sign-in reads the settings: a damaged file is said once and set aside.
    if (const QString problem = CheckSettingsFile(IniFileName); !problem.isEmpty())
        TheUi().Message(this, problem, ProgramTitle, MsgIcon::Warning);
    SetWorkingDate(TheUi().Today());
    if (!SignIn()) {
        ExitCode = 0;
        return false;
    }
    return true;
}

void TFormMain::SetLoginFace(const QString& caption, const QString& picture) {
    Login->setText(caption);
    Login->setIcon(QIcon(QPixmap(ProgramDir + picture)));
}

void TFormMain::RestoreSortCombos() {
    const QList<QPair<QComboBox*, QPair<QString, int>>> boxes = {
        {ComboBox6, {ini::CustomerSortField, 0}},  {ComboBox7, {ini::CustomerSortDirection, 1}},
        {ComboBox3, {ini::BillDateRange, 0}},      {ComboBox8, {ini::BillSortField, 0}},
        {ComboBox10, {ini::BillSortDirection, 1}}, {ComboBox4, {ini::VoucherDateRange, 0}},
        {ComboBox11, {ini::VoucherSortField, 0}},  {ComboBox12, {ini::VoucherSortDirection, 1}},
    };
    // A hand-edited value that is no whole number or no item of its box falls back to the default.
    for (const auto& [combo, key] : boxes)
        combo->setCurrentIndex(
            IniReadIndex(ini::Section, key.first, key.second, combo->count(), IniFileName));
}

bool TFormMain::SignIn() {
    if (TheUi().ShowModal(FormLogin) != QDialog::Accepted) return false;
    // A new user starts without the previous user's customer search.
    if (FormCustomer3) FormCustomer3->ClearSearch();

    const std::optional<Role> role = RoleFromText(CurrentRole);
    if (role == Role::Administrator) {
        for (int i = 0; i < PageCount; ++i)
            PageControl1->setTabVisible(i, i >= SettingsPage);
        PageControl1->setCurrentIndex(SettingsPage);
        if (Settings) {
            Settings->LoadReasonList();
            Settings->LoadMoneyTypeList();
            Settings->LoadTokenList();
            Settings->LoadStateList();
            Settings->LoadPasswords();
        }
        SetLoginFace(u"管理员"_s, u"Res/BlueFish.bmp"_s);
    } else if (role && IsManagement(*role)) {
        for (int i = 0; i < PageCount; ++i)
            PageControl1->setTabVisible(i, i < SettingsPage);
        PageControl1->setCurrentIndex(CustomerPage);
        CustomerFilter.clear();
        AccountFilter.clear();
        BillFilter.clear();
        VoucherFilter.clear();
        RestoreSortCombos();
        RefreshAllViews();
        const QString picture = role == Role::FinanceSupervisor ? u"Res/YellowFish.bmp"_s
                                : role == Role::FinanceDirector ? u"Res/OrangeFish.bmp"_s
                                                                : u"Res/GreenFish.bmp"_s;
        SetLoginFace(CurrentRole, picture);
    } else if (role == Role::Salesman) {
        const bool business = CurrentRange.contains(u"业务管理"_s);
        const bool finance = CurrentRange.contains(u"财务管理"_s);
        for (int i = 0; i < PageCount; ++i) {
            const bool visible = i < AccountPage ? business : (i < SettingsPage ? finance : false);
            PageControl1->setTabVisible(i, visible);
        }
        PageControl1->setCurrentIndex(business ? CustomerPage : AccountPage);
        const SalesmanFilters filters = FiltersFor(CurrentUser);
        CustomerFilter = filters.customer;
        AccountFilter = filters.account;
        BillFilter = filters.bill;
        VoucherFilter = filters.voucher;
        RestoreSortCombos();
        RefreshAllViews();
        const Result<std::optional<PowerRow>> row = FindPower(Db(), CurrentUser);
        if (!row)
            ShowOutcome(nullptr, row);
        else if (row.value)
            SetLoginFace(row.value->name, row.value->picture);
    } else {
        // A role the program does not know may use no page at all, rather than keep what
        // the previous user saw.
        for (int i = 0; i < PageCount; ++i)
            PageControl1->setTabVisible(i, false);
    }
    ShowAllowedPagesOnly();
    return true;
}

void TFormMain::ShowAllowedPagesOnly() {
    bool any = false;
    for (int i = 0; i < PageCount; ++i) {
        const bool allowed = PageControl1->isTabVisible(i);
        // A hidden tab's content must not be reachable by any other way either.
        Page(i)->setEnabled(allowed);
        any = any || allowed;
    }
    PageControl1->setVisible(any);
    NoPageLabel->setVisible(!any);
}

void TFormMain::RefreshAllViews() {
    // A page that is not on screen is refreshed when it is shown next, with the same figures.
    RefreshWhenShown(CustomerPage, CustomerCards);
    RefreshWhenShown(BillPage, BillCards);
    RefreshWhenShown(VoucherPage, VoucherCards);
    RefreshWhenShown(AccountPage, AccountCards);
    if (MoneyReport) MoneyReport->Refresh();
    if (BillReport) BillReport->Refresh();
}

View* TFormMain::CardsOf(int page) const {
    switch (page) {
    case CustomerPage:
        return CustomerCards;
    case BillPage:
        return BillCards;
    case VoucherPage:
        return VoucherCards;
    case AccountPage:
        return AccountCards;
    default:
        return nullptr;
    }
}

void TFormMain::RefreshWhenShown(int page, View* view) {
    if (!view) return;
    if (Page(page)->isVisibleTo(this)) {
        m_staleCards.remove(page);
        view->Refresh();
    } else {
        m_staleCards.insert(page);
    }
}

void TFormMain::RefreshCustomerCards() {
    if (CustomerCards) CustomerCards->Refresh();
}
void TFormMain::RefreshBillCards() {
    if (BillCards) BillCards->Refresh();
}
void TFormMain::RefreshVoucherCards() {
    if (VoucherCards) VoucherCards->Refresh();
}
void TFormMain::RefreshAccountCards() {
    if (AccountCards) AccountCards->Refresh();
}
void TFormMain::RunMoneyReport(const QString& statement) {
    if (MoneyReport) MoneyReport->Run(statement);
}
void TFormMain::RunBillReport(const QString& statement) {
    if (BillReport) BillReport->Run(statement);
}
void TFormMain::RunMoneyReport(const ListRequest& request) {
    if (MoneyReport) MoneyReport->Run(request);
}
void TFormMain::RunBillReport(const ListRequest& request) {
    if (BillReport) BillReport->Run(request);
}

void TFormMain::ShowPage(Shell::Page page) {
    PageControl1->setCurrentIndex(page);
}

void TFormMain::EndProgram() {
    close();
}

void TFormMain::BitBtn1Click() {
    SetWorkingDate(WorkingDate().addDays(-1));
    RefreshAllViews();
}

void TFormMain::BitBtn2Click() {
    SetWorkingDate(WorkingDate().addDays(1));
    RefreshAllViews();
}

void TFormMain::DateTimePicker1Change() {
    RefreshAllViews();
}

void TFormMain::Image7Click() {
    if (Image7Hint == u"LeftBar"_s) {
        Panel1->setFixedWidth(0);
        Panel1->hide();
        Image7->setPixmap(QPixmap(ProgramDir + u"Res/RightBar.bmp"_s));
        Image7Hint = u"RightBar"_s;
    } else {
        Panel1->setFixedWidth(kSideBarWidth);
        Panel1->show();
        Image7->setPixmap(QPixmap(ProgramDir + u"Res/LeftBar.bmp"_s));
        Image7Hint = u"LeftBar"_s;
    }
}

void TFormMain::ActionLoginExecute() {
    // A cancelled sign-in keeps the current user, pages and filters.
    SignIn();
}

void TFormMain::ActionOlineChatExecute() {
    TheUi().ShowModal(FormOnlineChat);
}

void TFormMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFormMain::FormResize() {
    if (height() > 600) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        setFixedSize(884, 571);
        move(75, 90);
    }
}

void TFormMain::Button15Click() {
    if (!IniWriteString(ini::Section, ini::PrintType, ComboBox5->currentText(), IniFileName)) {
        TheUi().Message(this, u"无法写入配置文件：%1"_s.arg(IniFileName));
        return;
    }
    TheUi().Message(this, u"打印方式设置为：%1"_s.arg(ComboBox5->currentText()));
}

void TFormMain::ActionDesignExecute() {
    // The designer previews a monthly template with the last monthly report's rows and headings.
    if (const Outcome opened =
            OpenMonthReport(Db(), MonthPrint.ADOQueryBig, MonthPrint.ADOQueryTemp, MonthPrint.ADOQueryTemp2);
        !opened)
        ShowOutcome(this, opened);
    DesignReport(frReport1, this, DataDir + u"Frf"_s);
}

void TFormMain::SortComboChange(QComboBox* combo) {
    const QString index = QString::number(combo->currentIndex());
    if (combo == ComboBox6 || combo == ComboBox7) {
        IniWriteString(ini::Section, combo == ComboBox6 ? ini::CustomerSortField : ini::CustomerSortDirection,
                       index, IniFileName);
        RefreshCustomerCards();
    } else if (combo == ComboBox3 || combo == ComboBox8 || combo == ComboBox10) {
        const QString key = combo == ComboBox3   ? ini::BillDateRange
                            : combo == ComboBox8 ? ini::BillSortField
                                                 : ini::BillSortDirection;
        IniWriteString(ini::Section, key, index, IniFileName);
        RefreshBillCards();
    } else {
        const QString key = combo == ComboBox4    ? ini::VoucherDateRange
                            : combo == ComboBox11 ? ini::VoucherSortField
                                                  : ini::VoucherSortDirection;
        IniWriteString(ini::Section, key, index, IniFileName);
        RefreshVoucherCards();
    }
}

} // namespace tev
