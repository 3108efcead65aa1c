#include "customers/CustomerForm2.h"

#include "app/ShareDM.h"
#include "rules/PublicFunction.h"
#include "ui/Globals.h"
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

// The text of an entry box; never a null text, which the database would take for "no value".
QString TextOf(const QLineEdit* edit) {
    const QString text = edit->text();
    return text.isNull() ? u""_s : text;
}
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
        Query& q = ShareDM->ADOQueryTemp;
        // Without the stored row the editor must not open: saving empty fields over the
        // customer would wipe its data.
        if (!ShareDM->OpenSql(q, u"Select * From Customer Where CustomerIndex = %1"_s.arg(EditIndex),
                              u"客户资料读入失败"_s)) {
            reject();
            return;
        }
        if (q.IsEmpty()) {
            TheUi().Message(this, u"找不到要修改的记录"_s);
            reject();
            return;
        }
        q.First();
        CustomerName->setText(q.AsString(u"CustomerName"_s));
        CustomerOwe->setText(FormatAmount(q.AsFloat(u"CustomerOwe"_s)));
        CustomerPhone->setText(q.AsString(u"CustomerPhone"_s));
        CustomerContact->setText(q.AsString(u"CustomerContact"_s));
        CustomerFax->setText(q.AsString(u"CustomerFax"_s));
        CustomerAddress->setText(q.AsString(u"CustomerAddress"_s));
        CustomerWebsite->setText(q.AsString(u"CustomerWebsite"_s));
        CustomerRemark->setText(q.AsString(u"CustomerRemark"_s));
        CustomerEMail->setText(q.AsString(u"CustomerEMail"_s));
        CustomerHandPhone->setText(q.AsString(u"CustomerHandPhone"_s));
    }
    FocusControl(CustomerName);
}

bool TFormCustomer2::ReadOpeningDebt(double& value) {
    // An empty box is no opening debt; anything but a plain amount ("-100", "1,000") is
    // refused, never stored as 0.
    const AmountEntry entry = ReadAmountEntry(CustomerOwe->text());
    if (entry.state == AmountEntry::Invalid) {
        TheUi().Message(this, u"金额格式有误，请重新输入"_s);
        FocusControl(CustomerOwe);
        return false;
    }
    value = entry.value;
    return true;
}

void TFormCustomer2::BitBtn1Click() {
    const QString name = TextOf(CustomerName);
    if (name.isEmpty()) {
        TheUi().Message(this, u"客户名不得为空"_s);
        FocusControl(CustomerName);
        return;
    }
    Database& db = ShareDM->ADOConnection1;
    Query& q = ShareDM->ADOQueryTemp;
    const QString byName = u"Select * From Customer Where CustomerName = '%1'"_s.arg(SqlText(name));
    const QString byIndex = u"Select * From Customer Where CustomerIndex = %1"_s.arg(EditIndex);
    const FieldValues texts = {
        {u"CustomerName"_s, name},
        {u"CustomerPhone"_s, TextOf(CustomerPhone)},
        {u"CustomerFax"_s, TextOf(CustomerFax)},
        {u"CustomerContact"_s, TextOf(CustomerContact)},
        {u"CustomerHandPhone"_s, TextOf(CustomerHandPhone)},
        {u"CustomerEMail"_s, TextOf(CustomerEMail)},
        {u"CustomerWebsite"_s, TextOf(CustomerWebsite)},
        {u"CustomerAddress"_s, TextOf(CustomerAddress)},
        {u"CustomerRemark"_s, TextOf(CustomerRemark)},
    };

    if (EditMode != 1) {
        // The database's own comparison decides what is a duplicate (letter case ignored).
        if (!ShareDM->OpenSql(q, byName, u"无法打开数据库"_s)) return;
        if (q.RecordCount() > 0) {
            TheUi().Message(this, u"该客户名已经存在，请重新操作"_s);
            FocusControl(CustomerName);
            return;
        }
        double owe = 0;
        if (!ReadOpeningDebt(owe)) return;
        FieldValues values = {{u"CustomerMan"_s, CurrentUser.isNull() ? u""_s : CurrentUser}};
        values += texts;
        values.append({u"CustomerOwe"_s, owe});
        if (db.Insert(u"Customer"_s, values) < 0) {
            ShareDM->ShowFailure(this, u"数据保存失败"_s);
            return;
        }
        TheUi().Message(this, u"客户　%1　新增成功"_s.arg(name));
        accept();
        return;
    }

    if (!ShareDM->OpenSql(q, byIndex, u"无法打开数据库"_s)) return;
    // No stored row: nothing more happens and the dialog stays open.
    if (q.IsEmpty()) return;
    q.First();
    const QString oldName = q.AsString(u"CustomerName"_s);
    // Whether the name changed is an exact comparison; whether it is taken is the
    // database's (letter case ignored), so a change of letter case alone is refused.
    const bool renamed = oldName != name;
    if (renamed) {
        if (!ShareDM->OpenSql(q, byName, u"无法打开数据库"_s)) return;
        if (q.RecordCount() > 0) {
            TheUi().Message(this, u"该客户名已经存在，请重新操作"_s);
            FocusControl(CustomerName);
            return;
        }
    }
    double owe = 0;
    if (!ReadOpeningDebt(owe)) return;

    // The bills and vouchers follow the new name and the customer row changes in one
    // transaction: a failure part-way leaves every row as it was.
    bool missing = false;
    const bool ok = db.Transaction([&] {
        if (renamed) {
            if (db.Update(u"Bill"_s, {{u"BillUser"_s, name}}, u"BillUser = ?"_s, {oldName}) < 0) return false;
            if (db.Update(u"MoneyTable"_s, {{u"MoneyUser"_s, name}}, u"MoneyUser = ?"_s, {oldName}) < 0)
                return false;
        }
        FieldValues values = texts;
        values.append({u"CustomerOwe"_s, owe});
        const int changed = db.Update(u"Customer"_s, values, u"CustomerIndex = ?"_s, {EditIndex});
        if (changed < 0) return false;
        missing = changed == 0;
        return !missing;
    });
    if (!ok) {
        if (missing)
            TheUi().Message(this, u"找不到要修改的客户"_s);
        else
            ShareDM->ShowFailure(this, u"数据保存失败"_s);
        return;
    }
    TheUi().Message(this, u"客户资料修改成功"_s);
    accept();
}

void TFormCustomer2::BitBtn3Click() {
    // The button closes the dialog whatever happens; only a deletion gives OK.
    if (EditMode != 1) {
        reject();
        return;
    }
    Query& q = ShareDM->ADOQueryTemp;
    if (!ShareDM->OpenSql(q, u"Select * From Customer Where CustomerIndex = %1"_s.arg(EditIndex),
                          u"数据库打开失败"_s)) {
        reject();
        return;
    }
    if (q.IsEmpty()) {
        TheUi().Message(this, u"找不到要删除的记录"_s);
        reject();
        return;
    }
    if (!TheUi().AskYesNo(this, u"确实要删除该记录吗？"_s, u"删除警告"_s)) {
        reject();
        return;
    }
    // Only the customer row goes: its bills and vouchers keep naming it.
    Database& db = ShareDM->ADOConnection1;
    if (db.Delete(u"Customer"_s, u"CustomerIndex = ?"_s, {EditIndex}) < 0) {
        ShareDM->ShowFailure(this, u"数据删除失败"_s);
        reject();
        return;
    }
    accept();
}

} // namespace tev
