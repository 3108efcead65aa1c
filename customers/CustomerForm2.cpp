#include "customers/CustomerForm2.h"

#include "domain/Customers.h"
#include "rules/PublicFunction.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/Ui.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tev {

namespace {
constexpr int kLabelWidth = 70;
constexpr int kEditWidth = 170;
constexpr int kColumn2 = 270;
constexpr int kRowStep = 32;
constexpr int kTop = 18;
} // namespace

TFormCustomer2::TFormCustomer2(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormCustomer2"_s);
    setWindowTitle(u"客户资料输入"_s);
    // A fixed dialog without title-bar buttons: it is left by its own buttons (or Esc).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(530, 264);

    auto field = [this](const QString& name, const QString& caption, int x, int row, int width) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(u"Label"_s + name);
        label->setGeometry(x, kTop + kRowStep * row, kLabelWidth, 24);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(x + kLabelWidth + 4, kTop + kRowStep * row, width, 24);
        label->setBuddy(edit);
        return edit;
    };
    const int wide = kColumn2 + kLabelWidth + 4 + kEditWidth - (16 + kLabelWidth + 4);
    CustomerName = field(u"CustomerName"_s, u"客户名称："_s, 16, 0, kEditWidth);
    CustomerOwe = field(u"CustomerOwe"_s, u"起初欠款："_s, kColumn2, 0, kEditWidth);
    CustomerOwe->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CustomerContact = field(u"CustomerContact"_s, u"联 系 人："_s, 16, 1, kEditWidth);
    CustomerHandPhone = field(u"CustomerHandPhone"_s, u"联系手机："_s, kColumn2, 1, kEditWidth);
    CustomerPhone = field(u"CustomerPhone"_s, u"电话号码："_s, 16, 2, kEditWidth);
    CustomerFax = field(u"CustomerFax"_s, u"传真号码："_s, kColumn2, 2, kEditWidth);
    CustomerEMail = field(u"CustomerEMail"_s, u"客户邮箱："_s, 16, 3, kEditWidth);
    CustomerWebsite = field(u"CustomerWebsite"_s, u"客户主页："_s, kColumn2, 3, kEditWidth);
    CustomerAddress = field(u"CustomerAddress"_s, u"客户地址："_s, 16, 4, wide);
    CustomerRemark = field(u"CustomerRemark"_s, u"客户备注："_s, 16, 5, wide);

    BitBtn3 = new QPushButton(u"删除"_s, this);
    BitBtn3->setObjectName(u"BitBtn3"_s);
    BitBtn3->setGeometry(20, 222, 88, 28);
    BitBtn3->setAutoDefault(false);
    BitBtn1 = new QPushButton(u"确定"_s, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setGeometry(326, 222, 88, 28);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(u"取消"_s, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setGeometry(424, 222, 88, 28);
    BitBtn2->setAutoDefault(false);

    // Tab order follows the rows.
    QWidget* order[] = {CustomerName, CustomerOwe,   CustomerContact, CustomerHandPhone, CustomerPhone,
                        CustomerFax,  CustomerEMail, CustomerWebsite, CustomerAddress,   CustomerRemark,
                        BitBtn1,      BitBtn2,       BitBtn3};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(BitBtn1, &QPushButton::clicked, this, &TFormCustomer2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormCustomer2::BitBtn3Click);
}

void TFormCustomer2::FormShow() {
    // Deleting belongs to a stored customer: in new mode there is none to delete.
    BitBtn3->setVisible(EditMode == 1);
    const QList<QLineEdit*> edits = {CustomerName,  CustomerOwe,      CustomerPhone,   CustomerContact,
                                     CustomerFax,   CustomerAddress,  CustomerWebsite, CustomerRemark,
                                     CustomerEMail, CustomerHandPhone};
    for (QLineEdit* e : edits)
        e->clear();

    if (EditMode == 1) {
        // Without the stored row the editor must not open: saving empty fields over the
        // customer would wipe its data.
        const Result<CustomerRecord> customer = LoadCustomer(Db(), EditIndex);
        if (!customer) {
            ShowOutcome(this, customer);
            reject();
            return;
        }
        const CustomerRecord& c = customer.value;
        CustomerName->setText(c.name);
        CustomerOwe->setText(FormatAmount(c.openingDebt));
        CustomerPhone->setText(c.phone);
        CustomerContact->setText(c.contact);
        CustomerFax->setText(c.fax);
        CustomerAddress->setText(c.address);
        CustomerWebsite->setText(c.website);
        CustomerRemark->setText(c.remark);
        CustomerEMail->setText(c.email);
        CustomerHandPhone->setText(c.handPhone);
    }
    FocusControl(CustomerName);
}

CustomerInput TFormCustomer2::Input() const {
    CustomerInput in;
    in.name = CustomerName->text();
    in.phone = CustomerPhone->text();
    in.fax = CustomerFax->text();
    in.contact = CustomerContact->text();
    in.handPhone = CustomerHandPhone->text();
    in.email = CustomerEMail->text();
    in.website = CustomerWebsite->text();
    in.address = CustomerAddress->text();
    in.remark = CustomerRemark->text();
    in.openingDebt = CustomerOwe->text();
    return in;
}

void TFormCustomer2::BitBtn1Click() {
    const CustomerInput in = Input();
    const CustomerOutcome stored =
        EditMode != 1 ? StoreNewCustomer(Db(), in, CurrentUser) : ChangeCustomer(Db(), EditIndex, in);
    if (!stored) {
        // A customer gone before the change began: nothing is said and the dialog stays open.
        if (!stored.message.isEmpty()) ShowOutcome(this, stored);
        if (stored.kind == Outcome::Refused)
            FocusControl(stored.entry == CustomerEntry::OpeningDebt ? CustomerOwe : CustomerName);
        return;
    }
    TheUi().Message(this, EditMode != 1 ? u"客户　%1　新增成功"_s.arg(in.name) : u"客户资料修改成功"_s);
    accept();
}

void TFormCustomer2::BitBtn3Click() {
    // The button closes the dialog whatever happens; only a deletion gives OK.
    if (EditMode != 1) {
        reject();
        return;
    }
    const Outcome there = FindCustomerToDelete(Db(), EditIndex);
    if (!there) {
        ShowOutcome(this, there);
        reject();
        return;
    }
    if (!TheUi().AskYesNo(this, u"确实要删除该记录吗？"_s, u"删除警告"_s)) {
        reject();
        return;
    }
    const Outcome deleted = DeleteCustomer(Db(), EditIndex);
    if (!deleted) {
        ShowOutcome(this, deleted);
        reject();
        return;
    }
    accept();
}

} // namespace tev
