// The voucher editor and its chooser: new and stored vouchers, the checks in their order,
// signed storage, document numbers, the modification password and the deletion warning.

#include "tests/ui/DocumentFixture.h"

#include "vouchers/BillForm2.h"
#include "vouchers/GetPayForm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

struct ProbeView : View {
    int refreshes = 0;
    void Refresh() override { ++refreshes; }
};

class VoucherEditorTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        bank = AddAccount(u"工商银行"_s);
        cash = AddAccount(u"现金"_s);
        AddCustomer(u"杭州远洋"_s);
        AddCustomer(u"宁波港务"_s);
    }

    // Opens a new voucher of the kind as the voucher page's chooser does.
    bool OpenNew(const QString& kind) {
        FormGetPay->OpenMode = OpenMode::New;
        FormGetPay->DocKind = VoucherKindFromText(kind).value();
        FormGetPay->LinkedBill = 0;
        FormGetPay->PresetCustomer = 0;
        FormGetPay->CustomerFixed = false;
        FormGetPay->PresetCustomerName.clear();
        FormGetPay->PresetReason.clear();
        FormGetPay->PresetAmount.clear();
        FormGetPay->PresetRemark.clear();
        return FormGetPay->RunFormShow();
    }
    // Opens a stored voucher as its tile does: the kind follows the sign of MoneySum.
    bool OpenStored(qint64 voucher) {
        const double sum = Field(u"MoneyTable"_s, u"MoneySum"_s, u"MoneyIndex"_s, voucher).toDouble();
        FormGetPay->OpenMode = OpenMode::Change;
        FormGetPay->DocKind = VoucherKindOfSum(sum);
        FormGetPay->CurrentVoucher = int(voucher);
        FormGetPay->CustomerFixed = false;
        return FormGetPay->RunFormShow();
    }
    void Choose(QComboBox* combo, const QString& text) {
        const int i = combo->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        combo->setCurrentIndex(i);
    }
    // A complete new voucher on the bank account for 杭州远洋.
    void FillValid(const QString& amount) {
        Choose(FormGetPay->ComboBox1, u"工商银行"_s);
        FormGetPay->ComboBox5->setEditText(u"杭州远洋"_s);
        FormGetPay->Edit2->setText(amount);
    }
    QVariant Money(qint64 voucher, const QString& column) {
        return Field(u"MoneyTable"_s, column, u"MoneyIndex"_s, voucher);
    }
    // Puts back the accounts and options a case removed.
    void ResetLists() {
        Sql(u"DELETE FROM Account WHERE AccountIndex > 1"_s);
        bank = AddAccount(u"工商银行"_s);
        cash = AddAccount(u"现金"_s);
        Sql(u"DELETE FROM Parameter"_s);
        const QList<QPair<int, QString>> options = {{1, u"房屋租赁"_s}, {1, u"房屋买卖"_s}, {2, u"房款"_s},
                                                    {2, u"定金"_s},     {3, u"转帐"_s},     {4, u"已签约"_s}};
        for (const auto& [type, value] : options)
            Sql(u"INSERT INTO Parameter (ParameterType, ParameterValue) VALUES (?, ?)"_s, {type, value});
    }
    qint64 LastVoucher() { return Scalar(u"SELECT MAX(MoneyIndex) FROM MoneyTable"_s).toLongLong(); }
    // The caption left of a field in the window's grid of fields.
    QString CaptionOf(QWidget* control) {
        for (QGridLayout* grid : FormGetPay->findChildren<QGridLayout*>()) {
            const int i = grid->indexOf(control);
            if (i < 0) continue;
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            QLayoutItem* left = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
            auto* label = left ? qobject_cast<QLabel*>(left->widget()) : nullptr;
            return label ? label->text() : QString();
        }
        return QString();
    }

    qint64 bank = 0;
    qint64 cash = 0;
};

TEST_F(VoucherEditorTest, NewIncomeVoucherIsStoredPositiveAndRecordsItsNumber) {
    SetSetting(3, u"SR0099"_s);
    ASSERT_TRUE(OpenNew(u"财务收入单"_s));
    EXPECT_EQ(FormGetPay->Edit4->text(), u"SR00100"_s);
    EXPECT_EQ(FormGetPay->Edit5->text(), u"张伟"_s);
    EXPECT_EQ(FormGetPay->DateTimePicker1->date(), workingDate);
    EXPECT_TRUE(FormGetPay->BitBtn3->isHidden());
    EXPECT_TRUE(FormGetPay->PrintButton->isHidden());
    EXPECT_EQ(FormGetPay->FocusedControl(), FormGetPay->Edit2);
    EXPECT_EQ(FormGetPay->ComboBox1->currentText(), u"工商银行"_s);
    for (QComboBox* c :
         {FormGetPay->ComboBox1, FormGetPay->ComboBox2, FormGetPay->ComboBox3, FormGetPay->ComboBox4})
        EXPECT_EQ(c->currentIndex(), 0);
    EXPECT_FALSE(FormGetPay->Image1->pixmap().isNull());
    const QPair<QWidget*, QString> captions[] = {
        {FormGetPay->Edit4, u"单据编号"_s},
        {FormGetPay->ComboBox1, u"帐户名称"_s},
        {FormGetPay->DateTimePicker1, u"录入时间"_s},
        {FormGetPay->ComboBox5, u"客户名称"_s},
        {FormGetPay->Edit2, u"金额"_s},
        {FormGetPay->ComboBox2, u"业务种类"_s},
        {FormGetPay->ComboBox3, u"款项类别"_s},
        {FormGetPay->ComboBox4, u"凭证"_s},
        {FormGetPay->Edit5, u"业务员"_s},
        {FormGetPay->Edit3, u"备注"_s},
    };
    for (const auto& [control, caption] : captions)
        EXPECT_EQ(CaptionOf(control), caption) << caption.toStdString();

    FillValid(u"120.5"_s);
    Choose(FormGetPay->ComboBox3, u"房款"_s);
    FormGetPay->Edit3->setText(u"三月房款"_s);
    ui.ExpectMessage(u"记录新增成功"_s);
    FormGetPay->BitBtn1->click();
    EXPECT_EQ(FormGetPay->result(), QDialog::Accepted);

    const qint64 v = LastVoucher();
    EXPECT_EQ(Money(v, u"MoneyAccount"_s).toLongLong(), bank);
    EXPECT_EQ(Money(v, u"MoneyBill"_s).toInt(), 0);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneyIn"_s).toDouble(), 120.5);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneyOut"_s).toDouble(), 0);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneySum"_s).toDouble(), 120.5);
    EXPECT_EQ(Money(v, u"MoneyUser"_s).toString(), u"杭州远洋"_s);
    EXPECT_EQ(Money(v, u"MoneyType"_s).toString(), u"房款"_s);
    EXPECT_EQ(Money(v, u"MoneyRemark"_s).toString(), u"三月房款"_s);
    EXPECT_EQ(Money(v, u"MoneySerial"_s).toString(), u"SR00100"_s);
    EXPECT_EQ(Money(v, u"MoneyMan"_s).toString(), u"张伟"_s);
    EXPECT_EQ(Money(v, u"MoneyCreateTime"_s).toString(), u"2024-03-10"_s);
    EXPECT_EQ(Money(v, u"MoneyRecordTime"_s).toString(), u"2024-03-15"_s);
    EXPECT_EQ(Setting(3), u"SR00100"_s);
    EXPECT_EQ(Setting(4), u"ZC100000"_s);
}

TEST_F(VoucherEditorTest, ExpenseVoucherIsStoredNegativeAndReopensAsExpense) {
    SetSetting(4, u"ZC0009"_s);
    ASSERT_TRUE(OpenNew(u"财务支出单"_s));
    EXPECT_EQ(FormGetPay->Edit4->text(), u"ZC00010"_s);
    FillValid(u"80.5"_s);
    ui.ExpectMessage(u"记录新增成功"_s);
    FormGetPay->BitBtn1->click();
    const qint64 v = LastVoucher();
    EXPECT_DOUBLE_EQ(Money(v, u"MoneyIn"_s).toDouble(), 0);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneyOut"_s).toDouble(), 80.5);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneySum"_s).toDouble(), -80.5);
    EXPECT_EQ(Setting(4), u"ZC00010"_s);
    EXPECT_EQ(Setting(3), u"SR100000"_s);

    // Reopened from its tile: an expense voucher showing the unsigned amount.
    Sql(u"UPDATE MoneyTable SET MoneyRecordTime = '2024-01-01', MoneyBill = 7 WHERE MoneyIndex = ?"_s, {v});
    ASSERT_TRUE(OpenStored(v));
    EXPECT_EQ(FormGetPay->DocKind, VoucherKind::Expense);
    EXPECT_EQ(FormGetPay->windowTitle(), u"财务支出单（修改）"_s);
    EXPECT_EQ(FormGetPay->Edit2->text(), u"80.5"_s);
    EXPECT_EQ(FormGetPay->ComboBox1->currentText(), u"工商银行"_s);
    EXPECT_EQ(FormGetPay->ComboBox5->currentText(), u"杭州远洋"_s);
    EXPECT_EQ(FormGetPay->Edit4->text(), u"ZC00010"_s);
    EXPECT_FALSE(FormGetPay->BitBtn3->isHidden());
    EXPECT_FALSE(FormGetPay->PrintButton->isHidden());

    // Changed and stored again (no password set): still an expense; bill link and record date kept.
    Choose(FormGetPay->ComboBox1, u"现金"_s);
    FormGetPay->Edit2->setText(u"90"_s);
    FormGetPay->Edit4->setText(u"ZC7"_s);
    ui.ExpectMessage(u"记录修改成功"_s);
    FormGetPay->BitBtn1->click();
    EXPECT_EQ(FormGetPay->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneySum"_s).toDouble(), -90);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneyOut"_s).toDouble(), 90);
    EXPECT_EQ(Money(v, u"MoneyAccount"_s).toLongLong(), cash);
    EXPECT_EQ(Money(v, u"MoneyBill"_s).toInt(), 7);
    EXPECT_EQ(Money(v, u"MoneyRecordTime"_s).toString(), u"2024-01-01"_s);
    EXPECT_EQ(Money(v, u"MoneyMan"_s).toString(), u"张伟"_s);
    EXPECT_EQ(Setting(4), u"ZC00010"_s); // a stored voucher never records its number
}

TEST_F(VoucherEditorTest, ChecksRunInOrderAndStoreNothing) {
    struct Case {
        const char* name;
        std::function<void()> before; // before the window opens
        std::function<void()> fill;   // after FillValid
        QString message;
        QString focus; // empty: the focus stays on the amount
    };
    const Case cases[] = {
        {"no account", [this] { Sql(u"DELETE FROM Account WHERE AccountIndex > 1"_s); }, nullptr,
         u"请选择一个帐户"_s, u"ComboBox1"_s},
        {"no business kind", [this] { Sql(u"DELETE FROM Parameter WHERE ParameterType = 1"_s); }, nullptr,
         u"请选择帐款项目"_s, u"ComboBox2"_s},
        {"letters in the amount", nullptr, [] { FormGetPay->Edit2->setText(u"12a"_s); },
         u"金额格式有误，请重新输入"_s, u"Edit2"_s},
        {"empty amount", nullptr, [] { FormGetPay->Edit2->clear(); }, u"金额格式有误，请重新输入"_s,
         u"Edit2"_s},
        {"negative amount", nullptr, [] { FormGetPay->Edit2->setText(u"-5"_s); },
         u"金额格式有误，请重新输入"_s, u"Edit2"_s},
        {"a lone point", nullptr, [] { FormGetPay->Edit2->setText(u"."_s); }, u"金额格式有误，请重新输入"_s,
         u"Edit2"_s},
        {"two points", nullptr, [] { FormGetPay->Edit2->setText(u"1.2.3"_s); }, u"金额格式有误，请重新输入"_s,
         u"Edit2"_s},
        {"five decimals", nullptr, [] { FormGetPay->Edit2->setText(u"1.23456"_s); },
         u"金额内容可能有误，请重新输入"_s, u"Edit2"_s},
        {"no category", [this] { Sql(u"DELETE FROM Parameter WHERE ParameterType = 2"_s); }, nullptr,
         u"请选择帐款类别"_s, u"ComboBox3"_s},
        {"no proof", [this] { Sql(u"DELETE FROM Parameter WHERE ParameterType = 3"_s); }, nullptr,
         u"请选择帐款凭证"_s, u"ComboBox4"_s},
        {"account deleted meanwhile",
         nullptr,
         [this] { Sql(u"DELETE FROM Account WHERE AccountName = '工商银行'"_s); },
         u"找不到所需要的帐户"_s,
         {}},
        {"account renamed meanwhile",
         nullptr,
         [this] { Sql(u"UPDATE Account SET AccountName = '建设银行' WHERE AccountName = '工商银行'"_s); },
         u"找不到所需要的帐户"_s,
         {}},
        {"no customer", nullptr, [] { FormGetPay->ComboBox5->setEditText(QString()); }, u"请选择客户名称"_s,
         u"ComboBox5"_s},
        {"letters after the digits", nullptr, [] { FormGetPay->Edit4->setText(u"SR12A"_s); },
         u"单据编号格式有误，字母不能在数字后面"_s, u"Edit4"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sql(u"DELETE FROM MoneyTable WHERE MoneyIndex > 1"_s);
        if (c.before) c.before();
        ASSERT_TRUE(OpenNew(u"财务收入单"_s));
        if (FormGetPay->ComboBox1->count() > 0)
            FillValid(u"100"_s);
        else
            FormGetPay->Edit2->setText(u"100"_s);
        if (c.fill) c.fill();
        FormGetPay->FocusControl(FormGetPay->Edit2);
        ui.ExpectMessage(c.message);
        FormGetPay->BitBtn1->click();
        EXPECT_NE(FormGetPay->result(), QDialog::Accepted);
        const QString focus = c.focus.isEmpty() ? u"Edit2"_s : c.focus;
        ASSERT_NE(FormGetPay->FocusedControl(), nullptr);
        EXPECT_EQ(FormGetPay->FocusedControl()->objectName(), focus);
        EXPECT_EQ(Count(u"MoneyTable"_s), 1);
        EXPECT_EQ(Setting(3), u"SR100000"_s);
        ASSERT_TRUE(ui.AllUsed());
        ResetLists();
    }
}

TEST_F(VoucherEditorTest, FourDecimalsAreAccepted) {
    ASSERT_TRUE(OpenNew(u"财务收入单"_s));
    FillValid(u"0.1234"_s);
    ui.ExpectMessage(u"记录新增成功"_s);
    FormGetPay->BitBtn1->click();
    EXPECT_DOUBLE_EQ(Money(LastVoucher(), u"MoneySum"_s).toDouble(), 0.1234);
}

TEST_F(VoucherEditorTest, NamesWithQuotesWork) {
    AddAccount(u"O'Brien's bank"_s);
    const qint64 customer = AddCustomer(u"O'Neil & 'Sons'"_s);
    FormGetPay->OpenMode = OpenMode::New;
    FormGetPay->DocKind = VoucherKind::Income;
    FormGetPay->PresetCustomer = int(customer);
    FormGetPay->CustomerFixed = true;
    ASSERT_TRUE(FormGetPay->RunFormShow());
    EXPECT_FALSE(FormGetPay->ComboBox5->isEnabled());
    EXPECT_EQ(FormGetPay->ComboBox5->currentText(), u"O'Neil & 'Sons'"_s);
    Choose(FormGetPay->ComboBox1, u"O'Brien's bank"_s);
    FormGetPay->Edit2->setText(u"10"_s);
    ui.ExpectMessage(u"记录新增成功"_s);
    FormGetPay->BitBtn1->click();
    const qint64 v = LastVoucher();
    EXPECT_EQ(Money(v, u"MoneyUser"_s).toString(), u"O'Neil & 'Sons'"_s);
    EXPECT_EQ(
        Scalar(u"SELECT AccountName FROM Account WHERE AccountIndex = ?"_s, {Money(v, u"MoneyAccount"_s)})
            .toString(),
        u"O'Brien's bank"_s);
}

TEST_F(VoucherEditorTest, StoredNumbersThatCannotBeCountedOnProposeNothing) {
    const struct {
        QString stored, proposed;
    } cases[] = {
        {u"ZC0099"_s, u"ZC00100"_s}, {u"ZC12A"_s, u""_s}, {u"ZC99999999999"_s, u""_s},
        {u"ABC"_s, u""_s},           {u""_s, u""_s},      {u"ZC2147483646"_s, u"ZC2147483647"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        SetSetting(4, c.stored);
        ASSERT_TRUE(OpenNew(u"财务支出单"_s));
        EXPECT_EQ(FormGetPay->Edit4->text(), c.proposed);
    }
    // A missing number row: nothing proposed, the voucher is still stored, no row appears.
    Sql(u"DELETE FROM Setting WHERE SettingIndex = 4"_s);
    ASSERT_TRUE(OpenNew(u"财务支出单"_s));
    EXPECT_TRUE(FormGetPay->Edit4->text().isEmpty());
    FillValid(u"5"_s);
    ui.ExpectMessage(u"记录新增成功"_s);
    FormGetPay->BitBtn1->click();
    EXPECT_EQ(FormGetPay->result(), QDialog::Accepted);
    EXPECT_EQ(Count(u"Setting"_s), 3);
}

TEST_F(VoucherEditorTest, SavingAStoredVoucherAsksThePasswordAfterTheChecks) {
    SetModifyPassword(u"Secret"_s);
    const qint64 v = AddVoucher(bank, u"杭州远洋"_s, 300);
    ASSERT_TRUE(OpenStored(v));
    EXPECT_EQ(FormGetPay->Edit2->text(), u"300"_s);
    EXPECT_EQ(FormGetPay->Edit5->text(), u"李娜"_s); // the stored salesperson, not the signed-in user

    // A failed check comes before any password.
    FormGetPay->Edit2->setText(u"abc"_s);
    ui.ExpectMessage(u"金额格式有误，请重新输入"_s);
    FormGetPay->BitBtn1->click();

    FormGetPay->Edit2->setText(u"350"_s);
    ExpectPassword(u"Secret"_s, false); // cancelled
    FormGetPay->BitBtn1->click();
    EXPECT_NE(FormGetPay->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneySum"_s).toDouble(), 300);

    ExpectPassword(u"secret"_s);
    ui.ExpectMessage(u"密码错误，请重新操作"_s);
    FormGetPay->BitBtn1->click();
    EXPECT_NE(FormGetPay->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneySum"_s).toDouble(), 300);

    ExpectPassword(u"Secret"_s);
    ui.ExpectMessage(u"记录修改成功"_s);
    FormGetPay->BitBtn1->click();
    EXPECT_EQ(FormGetPay->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(Money(v, u"MoneySum"_s).toDouble(), 350);
    EXPECT_EQ(Money(v, u"MoneyMan"_s).toString(), u"李娜"_s);
}

TEST_F(VoucherEditorTest, DeletionAsksPasswordThenWarns) {
    const qint64 v = AddVoucher(bank, u"杭州远洋"_s, -40);
    ASSERT_TRUE(OpenStored(v));
    EXPECT_EQ(FormGetPay->DocKind, VoucherKind::Expense);

    SetModifyPassword(u"pw"_s);
    ExpectPassword(u"wrong"_s);
    ui.ExpectMessage(u"密码错误，请重新操作"_s);
    FormGetPay->BitBtn3->click();
    EXPECT_EQ(Count(u"MoneyTable"_s), 2);

    ExpectPassword(u"pw"_s);
    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, false);
    FormGetPay->BitBtn3->click();
    EXPECT_EQ(Count(u"MoneyTable"_s), 2);
    EXPECT_NE(FormGetPay->result(), QDialog::Accepted);

    ExpectPassword(u"pw"_s);
    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, true);
    FormGetPay->BitBtn3->click();
    EXPECT_EQ(FormGetPay->result(), QDialog::Accepted);
    EXPECT_TRUE(Money(v, u"MoneyIndex"_s).isNull());
}

TEST_F(VoucherEditorTest, VoucherDeletedByAnotherWindow) {
    const qint64 v = AddVoucher(bank, u"杭州远洋"_s, 70);
    const qint64 other = AddVoucher(bank, u"宁波港务"_s, 20);

    // Gone before opening: the window does not open.
    Sql(u"DELETE FROM MoneyTable WHERE MoneyIndex = ?"_s, {other});
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    EXPECT_FALSE(OpenStored(other));

    // Gone while open: both storing and deleting say so and change nothing else.
    ASSERT_TRUE(OpenStored(v));
    Sql(u"DELETE FROM MoneyTable WHERE MoneyIndex = ?"_s, {v});
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    FormGetPay->BitBtn1->click();
    EXPECT_NE(FormGetPay->result(), QDialog::Accepted);
    SetModifyPassword(u"pw"_s);
    ExpectPassword(u"pw"_s); // asked before the lookup
    ui.ExpectMessage(u"找不到要删除的记录"_s);
    FormGetPay->BitBtn3->click();
    EXPECT_NE(FormGetPay->result(), QDialog::Accepted);
    EXPECT_EQ(Count(u"MoneyTable"_s), 1);
}

TEST_F(VoucherEditorTest, ChooserStartsEitherKindAndRefreshesOnlyAfterAStore) {
    ProbeView probe;
    FormMain->VoucherCards = &probe;
    FormMain->PageControl1->setCurrentIndex(TFormMain::VoucherPage);
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [this](TFormGetPay* f) {
        EXPECT_EQ(f->DocKind, VoucherKind::Expense);
        EXPECT_EQ(f->LinkedBill, 0);
        EXPECT_TRUE(f->ComboBox5->isEnabled());
        EXPECT_TRUE(f->ComboBox5->currentText().isEmpty());
        f->BitBtn2->click();
    });
    FormBill2->SpeedButton4->click();
    EXPECT_EQ(probe.refreshes, 0);
    EXPECT_EQ(Count(u"MoneyTable"_s), 1);

    // The chooser clears what an earlier caller left in the editor's fields.
    FormGetPay->LinkedBill = 9;
    FormGetPay->PresetRemark = u"旧备注"_s;
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [this](TFormGetPay* f) {
        EXPECT_EQ(f->DocKind, VoucherKind::Income);
        EXPECT_TRUE(f->Edit3->text().isEmpty());
        FillValid(u"66"_s);
        ui.ExpectMessage(u"记录新增成功"_s);
        f->BitBtn1->click();
    });
    FormBill2->SpeedButton3->click();
    EXPECT_EQ(probe.refreshes, 1);
    EXPECT_EQ(FormBill2->result(), QDialog::Accepted);
    EXPECT_EQ(Money(LastVoucher(), u"MoneyBill"_s).toInt(), 0);
    FormMain->VoucherCards = nullptr;
}

} // namespace
