#include "customers/CustomerForm.h"

#include "access/ModifyPassword.h"
#include "bills/BuySellForm.h"
#include "customers/CustomerForm2.h"
#include "rules/PublicFunction.h"
#include "ui/ClickableLabel.h"
#include "ui/EditorPictures.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/Ui.h"
#include "vouchers/GetPayForm.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// A closed yellow folder, drawn to the edge given.
QPixmap FolderPicture(int edge) {
    QPixmap pixmap(edge, edge);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = edge / 16.0;
    QPainterPath back;
    back.moveTo(1 * u, 3 * u);
    back.lineTo(6 * u, 3 * u);
    back.lineTo(7.5 * u, 4.5 * u);
    back.lineTo(15 * u, 4.5 * u);
    back.lineTo(15 * u, 13.5 * u);
    back.lineTo(1 * u, 13.5 * u);
    back.closeSubpath();
    p.setPen(QPen(QColor(0xB0, 0x80, 0x10), u * 0.6));
    p.setBrush(QColor(0xE8, 0xB4, 0x30));
    p.drawPath(back);
    QLinearGradient front(0, 6 * u, 0, 13.5 * u);
    front.setColorAt(0, QColor(0xFF, 0xE0, 0x80));
    front.setColorAt(1, QColor(0xF4, 0xC4, 0x40));
    p.setBrush(front);
    p.drawRect(QRectF(1 * u, 6.5 * u, 14 * u, 7 * u));
    return pixmap;
}

QLabel* Caption(QWidget* parent, const QString& text, const QRect& geometry, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

} // namespace

TFormCustomer::TFormCustomer(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormCustomer"_s);
    setWindowTitle(u"客户信息"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(560, 420);

    // The customer's data, read only, and the folder picture.
    GroupBox1 = new QGroupBox(u"客户基本资料"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    GroupBox1->setGeometry(10, 8, 540, 100);
    auto edit = [this](const QString& name, const QString& caption, int x, int y) {
        Caption(GroupBox1, caption, QRect(x, y, 72, 26), Qt::AlignRight);
        auto* e = new QLineEdit(GroupBox1);
        e->setObjectName(name);
        e->setReadOnly(true);
        e->setGeometry(x + 74, y, 150, 26);
        return e;
    };
    Edit1 = edit(u"Edit1"_s, u"客户名称："_s, 8, 26);
    Edit2 = edit(u"Edit2"_s, u"电话号码："_s, 236, 26);
    Edit3 = edit(u"Edit3"_s, u"联 系 人："_s, 8, 62);
    Edit4 = edit(u"Edit4"_s, u"联系手机："_s, 236, 62);

    Shape1 = new QFrame(GroupBox1);
    Shape1->setObjectName(u"Shape1"_s);
    Shape1->setGeometry(470, 24, 60, 64);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setAutoFillBackground(true);
    Image1 = new ClickableLabel(Shape1);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(2, 2, 56, 60);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(FolderPicture(44));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setToolTip(u"打开客户目录"_s);
    connect(Image1, &ClickableLabel::clicked, this, &TFormCustomer::Image1Click);
    Shape1->setAttribute(Qt::WA_Hover);
    Shape1->installEventFilter(this);
    SetFrameColour(Qt::white);

    // The balance, read as a formula: opening debt + sales - purchases - received = debt.
    GroupBox2 = new QGroupBox(u"客户业务状况"_s, this);
    GroupBox2->setObjectName(u"GroupBox2"_s);
    GroupBox2->setGeometry(10, 116, 540, 84);
    constexpr int amountWidth = 88;
    constexpr int signWidth = 20;
    auto amount = [this](const QString& name, const QString& caption, int column) {
        const int x = 12 + column * (amountWidth + signWidth);
        Caption(GroupBox2, caption, QRect(x, 22, amountWidth, 22), Qt::AlignHCenter);
        auto* label = new QLabel(GroupBox2);
        label->setObjectName(name);
        label->setGeometry(x, 48, amountWidth, 24);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(HeiFont(10, true));
        label->setStyleSheet(u"color: #0000ff"_s);
        return label;
    };
    LabelFirstOwe = amount(u"LabelFirstOwe"_s, u"起初欠款"_s, 0);
    LabelSell = amount(u"LabelSell"_s, u"销售总额"_s, 1);
    LabelBuy = amount(u"LabelBuy"_s, u"采购总额"_s, 2);
    LabelGet = amount(u"LabelGet"_s, u"已收总额"_s, 3);
    LabelOwe = amount(u"LabelOwe"_s, u"客户欠款"_s, 4);
    LabelOwe->setStyleSheet(u"color: #c00000"_s);
    auto sign = [this](const QString& name, const QString& text, int column) {
        auto* label = new QLabel(text, GroupBox2);
        label->setObjectName(name);
        label->setGeometry(12 + column * (amountWidth + signWidth) + amountWidth, 48, signWidth, 24);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(HeiFont(11, true));
        return label;
    };
    Label2 = sign(u"Label2"_s, u"+"_s, 0);
    Label4 = sign(u"Label4"_s, u"-"_s, 1);
    Label6 = sign(u"Label6"_s, u"-"_s, 2);
    Label8 = sign(u"Label8"_s, u"="_s, 3);

    auto action = [this](const QString& name, const QString& text) {
        auto* a = new QAction(text, this);
        a->setObjectName(name);
        return a;
    };
    auto button = [](QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(name);
        b->setGeometry(geometry);
        b->setAutoDefault(false);
        return b;
    };
    auto actionButton = [&](QWidget* parent, const QString& name, QAction* a, const QRect& geometry) {
        auto* b = button(parent, name, a->text(), geometry);
        connect(b, &QPushButton::clicked, a, &QAction::trigger);
        return b;
    };

    // New documents for the customer.
    GroupBox3 = new QGroupBox(u"业务开单，财务开单"_s, this);
    GroupBox3->setObjectName(u"GroupBox3"_s);
    GroupBox3->setGeometry(10, 208, 540, 76);
    ActionSell = action(u"ActionSell"_s, u"销售开单"_s);
    ActionBuy = action(u"ActionBuy"_s, u"采购开单"_s);
    ActionGet = action(u"ActionGet"_s, u"财务收入"_s);
    ActionPay = action(u"ActionPay"_s, u"财务支出"_s);
    const struct {
        QPushButton** target;
        const char16_t* name;
        QAction* action;
        EditorIcon icon;
    } newButtons[] = {{&SellButton, u"SellButton", ActionSell, EditorIcon::Sell},
                      {&BuyButton, u"BuyButton", ActionBuy, EditorIcon::Buy},
                      {&GetButton, u"GetButton", ActionGet, EditorIcon::Income},
                      {&PayButton, u"PayButton", ActionPay, EditorIcon::Expense}};
    for (int i = 0; i < 4; ++i) {
        auto* b = actionButton(GroupBox3, QString::fromUtf16(newButtons[i].name), newButtons[i].action,
                               QRect(14 + i * 130, 26, 122, 38));
        b->setIcon(DrawEditorIcon(newButtons[i].icon, 24));
        b->setIconSize(QSize(24, 24));
        *newButtons[i].target = b;
    }

    // This month's documents, then changing the customer and leaving.
    const QString months[] = {u"本月销售单"_s, u"本月采购单"_s, u"本月收入单"_s, u"本月支出单"_s};
    QPushButton** monthButtons[] = {&Button1, &Button2, &Button3, &Button4};
    for (int i = 0; i < 4; ++i)
        *monthButtons[i] =
            button(this, u"Button%1"_s.arg(i + 1), months[i], QRect(24 + i * 130, 298, 122, 32));
    connect(Button1, &QPushButton::clicked, this, &TFormCustomer::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormCustomer::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFormCustomer::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TFormCustomer::Button4Click);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(10, 344, 540, 4);

    ActionEdit = action(u"ActionEdit"_s, u"资料修改"_s);
    ActionCancel = action(u"ActionCancel"_s, u"取消操作"_s);
    CustomerEdit = actionButton(this, u"CustomerEdit"_s, ActionEdit, QRect(300, 364, 116, 36));
    Cancel = actionButton(this, u"Cancel"_s, ActionCancel, QRect(430, 364, 116, 36));
    CustomerEdit->setIcon(DrawEditorIcon(EditorIcon::Tool, 20));
    Cancel->setIcon(DrawEditorIcon(EditorIcon::Cancel, 20));

    connect(ActionSell, &QAction::triggered, this, &TFormCustomer::ActionSellExecute);
    connect(ActionBuy, &QAction::triggered, this, &TFormCustomer::ActionBuyExecute);
    connect(ActionGet, &QAction::triggered, this, &TFormCustomer::ActionGetExecute);
    connect(ActionPay, &QAction::triggered, this, &TFormCustomer::ActionPayExecute);
    connect(ActionEdit, &QAction::triggered, this, &TFormCustomer::ActionEditExecute);
    connect(ActionCancel, &QAction::triggered, this, &QDialog::reject);
}

void TFormCustomer::FormShow() {
    const bool salesman = RoleFromText(CurrentRole) == Role::Salesman;
    const bool business = !salesman || CurrentRange.contains(u"业务管理"_s);
    const bool finance = !salesman || CurrentRange.contains(u"财务管理"_s);
    for (QPushButton* b : {Button1, Button2, SellButton, BuyButton})
        b->setVisible(business);
    for (QPushButton* b : {Button3, Button4, GetButton, PayButton})
        b->setVisible(finance);
    SetFrameColour(Qt::white);

    // Nothing of the customer shown last time may stay in view: a statement that fails
    // leaves its amount empty rather than another customer's.
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4})
        e->clear();
    for (QLabel* l : {LabelFirstOwe, LabelSell, LabelBuy, LabelGet, LabelOwe})
        l->clear();

    // A customer deleted since its tile was drawn: the window closes with OK, so that the
    // customers page is refreshed and drops the tile.
    if (LoadCustomerStatus() == Status::Missing) accept();
}

TFormCustomer::Status TFormCustomer::LoadCustomerStatus() {
    const Result<CustomerRecord> customer = LoadCustomerInfo(Db(), CurrentCustomer);
    if (!customer) {
        ShowOutcome(this, customer);
        return customer.kind == Outcome::Missing ? Status::Missing : Status::Failed;
    }
    const CustomerRecord& c = customer.value;
    Edit1->setText(c.name);
    Edit2->setText(c.phone);
    Edit3->setText(c.contact);
    Edit4->setText(c.handPhone);
    LabelFirstOwe->setText(FormatAmount(c.openingDebt));

    const Result<CustomerBalance> balance = CustomerBalanceAt(Db(), c.name, TheShell().WorkingDate());
    // The sums read before a failing statement are shown; the ones after it stay empty.
    const std::pair<QLabel*, std::optional<double>> sums[] = {{LabelSell, balance.value.sales},
                                                              {LabelBuy, balance.value.purchases},
                                                              {LabelGet, balance.value.received}};
    for (const auto& [label, sum] : sums)
        if (sum) label->setText(FormatAmount(*sum));
    if (!balance) {
        ShowOutcome(this, balance);
        return Status::Failed;
    }
    LabelOwe->setText(FormatAmount(CustomerDebt(c.openingDebt, balance.value)));
    return Status::Loaded;
}

void TFormCustomer::NewBill(BillKind kind) {
    FormBuySell->OpenMode = OpenMode::New;
    FormBuySell->DocKind = kind;
    FormBuySell->CurrentBill = 1;
    FormBuySell->PresetCustomer = CurrentCustomer;
    FormBuySell->CustomerFixed = true;
    if (TheUi().ShowModal(FormBuySell) != QDialog::Accepted) return;
    TheShell().RefreshAllViews();
    TheShell().ShowPage(Shell::BillPage);
    reject();
}

void TFormCustomer::NewVoucher(VoucherKind kind) {
    FormGetPay->OpenMode = OpenMode::New;
    FormGetPay->DocKind = kind;
    FormGetPay->LinkedBill = 0;
    FormGetPay->PresetCustomer = CurrentCustomer;
    FormGetPay->CustomerFixed = true;
    FormGetPay->PresetCustomerName.clear();
    FormGetPay->PresetReason.clear();
    FormGetPay->PresetAmount.clear();
    FormGetPay->PresetRemark.clear();
    if (TheUi().ShowModal(FormGetPay) != QDialog::Accepted) return;
    TheShell().RefreshAllViews();
    TheShell().ShowPage(Shell::VoucherPage);
    reject();
}

void TFormCustomer::ActionSellExecute() {
    NewBill(BillKind::Sales);
}

void TFormCustomer::ActionBuyExecute() {
    NewBill(BillKind::Purchase);
}

void TFormCustomer::ActionGetExecute() {
    NewVoucher(VoucherKind::Income);
}

void TFormCustomer::ActionPayExecute() {
    NewVoucher(VoucherKind::Expense);
}

void TFormCustomer::ActionEditExecute() {
    if (!AskModifyPassword(u"修改密码"_s, u"请输入资料修改密码"_s, QString())) return;
    FormCustomer2->EditMode = 1;
    FormCustomer2->EditIndex = CurrentCustomer;
    if (TheUi().ShowModal(FormCustomer2) == QDialog::Accepted) accept();
}

void TFormCustomer::ShowMonth(CustomerDocs kind) {
    const Result<ListRequest> request =
        CustomerMonthDocuments(Db(), CurrentCustomer, kind, TheShell().WorkingDate());
    if (!request) {
        ShowOutcome(this, request);
        return;
    }
    if (request.value.IsEmpty()) return; // the customer is gone
    if (kind == CustomerDocs::Sales || kind == CustomerDocs::Purchases) {
        TheShell().RunBillReport(request.value);
        TheShell().ShowPage(Shell::BillReportPage);
    } else {
        TheShell().RunMoneyReport(request.value);
        TheShell().ShowPage(Shell::MoneyReportPage);
    }
    reject();
}

void TFormCustomer::Button1Click() {
    ShowMonth(CustomerDocs::Sales);
}

void TFormCustomer::Button2Click() {
    ShowMonth(CustomerDocs::Purchases);
}

void TFormCustomer::Button3Click() {
    ShowMonth(CustomerDocs::Income);
}

void TFormCustomer::Button4Click() {
    ShowMonth(CustomerDocs::Expense);
}

void TFormCustomer::Image1Click() {
    // The folder is keyed by the name shown; renaming a customer leaves its folder as it is.
    const QString path = CustomerFolderPath(DataDir, Edit1->text());
    if (path.isEmpty()) {
        TheUi().Message(this, u"客户名称不能用作目录名"_s);
        return;
    }
    if (!QDir().mkpath(path) || !QFileInfo(path).isDir()) {
        TheUi().Message(this, u"无法创建客户目录：%1"_s.arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!TheUi().OpenUrl(QUrl::fromLocalFile(path)))
        TheUi().Message(this, u"无法打开客户目录：%1"_s.arg(QDir::toNativeSeparators(path)));
}

void TFormCustomer::SetFrameColour(const QColor& colour) {
    QPalette palette = Shape1->palette();
    palette.setColor(QPalette::Window, colour);
    Shape1->setPalette(palette);
}

bool TFormCustomer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Shape1) {
        if (event->type() == QEvent::Enter) SetFrameColour(HoverColour());
        if (event->type() == QEvent::Leave) SetFrameColour(Qt::white);
    }
    return TForm::eventFilter(watched, event);
}

} // namespace tev
