// The bill editor and its chooser: new and stored bills, locking and unlocking, the checks,
// document numbers, the linked vouchers and the undo of an abandoned new bill.

#include "tests/ui/DocumentFixture.h"

#include "bills/BillForm.h"
#include "bills/BuySellForm.h"
#include "ui/DataGrid.h"
#include "vouchers/GetPayForm.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

struct ProbeView : View {
    int refreshes = 0;
    void Refresh() override { ++refreshes; }
};

class BillEditorTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        bank = AddAccount(u"工商银行"_s);
        customer = AddCustomer(u"杭州远洋"_s);
        AddCustomer(u"宁波港务"_s);
    }

    bool OpenNew(const QString& kind, int presetCustomer = 0, bool fixed = false) {
        FormBuySell->OpenMode = OpenMode::New;
        FormBuySell->DocKind = BillKindFromText(kind).value();
        FormBuySell->CurrentBill = 1;
        FormBuySell->PresetCustomer = presetCustomer;
        FormBuySell->CustomerFixed = fixed;
        return FormBuySell->RunFormShow();
    }
    // Opens a stored bill as its tile does.
    bool OpenStored(qint64 bill) {
        FormBuySell->OpenMode = OpenMode::Change;
        FormBuySell->DocKind =
            BillKindFromText(Field(u"Bill"_s, u"BillKind"_s, u"BillIndex"_s, bill).toString())
                .value_or(BillKind::Purchase);
        FormBuySell->CurrentBill = int(bill);
        FormBuySell->Unlocked = false;
        FormBuySell->CustomerFixed = false;
        return FormBuySell->RunFormShow();
    }
    QVariant BillField(qint64 bill, const QString& column) {
        return Field(u"Bill"_s, column, u"BillIndex"_s, bill);
    }
    qint64 LastBill() { return Scalar(u"SELECT MAX(BillIndex) FROM Bill"_s).toLongLong(); }
    int VouchersOf(qint64 bill) {
        return Scalar(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyBill = ?"_s, {bill}).toInt();
    }
    // Adds a linked voucher of the amount through Button1 and the voucher editor.
    void AddLinkedVoucher(const QString& amount) {
        ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [this, amount](TFormGetPay* f) {
            f->ComboBox1->setCurrentIndex(f->ComboBox1->findText(u"工商银行"_s));
            f->Edit2->setText(amount);
            ui.ExpectMessage(u"记录新增成功"_s);
            f->BitBtn1->click();
        });
        FormBuySell->Button1->click();
    }
    void Unlock() {
        FormBuySell->SpeedButton4->click(); // no password set: unlocks at once
        ASSERT_TRUE(FormBuySell->Unlocked);
    }
    std::vector<bool> EditButtonsHidden() {
        std::vector<bool> v;
        for (QWidget* w : {FormBuySell->Button1, FormBuySell->Button2, FormBuySell->Button3,
                           FormBuySell->BitBtn1, FormBuySell->BitBtn3})
            v.push_back(w->isHidden());
        return v;
    }

    qint64 bank = 0;
    qint64 customer = 0;
};

TEST_F(BillEditorTest, PurchaseBillIsStoredNegativeAndShownUnsigned) {
    SetSetting(2, u"CG0012"_s);
    ASSERT_TRUE(OpenNew(u"采购开单"_s));
    EXPECT_EQ(FormBuySell->Edit1->text(), u"CG0013"_s);
    EXPECT_EQ(FormBuySell->Edit4->text(), u"张伟"_s);
    EXPECT_EQ(FormBuySell->DateTimePicker1->date(), workingDate);
    EXPECT_TRUE(FormBuySell->ComboBox5->currentText().isEmpty());
    EXPECT_EQ(FormBuySell->FocusedControl(), FormBuySell->Edit2);
    EXPECT_EQ(EditButtonsHidden(), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(FormBuySell->SpeedButton4->isHidden());
    EXPECT_TRUE(FormBuySell->SpeedButton1->isHidden());
    EXPECT_EQ(FormBuySell->DBGridEh1->RowCount(), 0);

    FormBuySell->ComboBox5->setEditText(u"宁波港务"_s);
    FormBuySell->Edit2->setText(u"250"_s);
    FormBuySell->Edit3->setText(u"二月采购"_s);
    ui.ExpectMessage(u"单据新增成功"_s);
    FormBuySell->BitBtn1->click();
    EXPECT_EQ(FormBuySell->result(), QDialog::Accepted);

    const qint64 b = LastBill();
    EXPECT_EQ(BillField(b, u"BillKind"_s).toString(), u"采购开单"_s);
    EXPECT_DOUBLE_EQ(BillField(b, u"BillSum"_s).toDouble(), -250);
    EXPECT_EQ(BillField(b, u"BillUser"_s).toString(), u"宁波港务"_s);
    EXPECT_EQ(BillField(b, u"BillSerial"_s).toString(), u"CG0013"_s);
    EXPECT_EQ(BillField(b, u"BillReason"_s).toString(), FormBuySell->ComboBox2->itemText(0));
    EXPECT_EQ(BillField(b, u"BillState"_s).toString(), FormBuySell->ComboBox3->itemText(0));
    EXPECT_EQ(BillField(b, u"BillRemark"_s).toString(), u"二月采购"_s);
    EXPECT_EQ(BillField(b, u"BillMan"_s).toString(), u"张伟"_s);
    EXPECT_EQ(BillField(b, u"BillCreateTime"_s).toString(), u"2024-03-10"_s);
    EXPECT_EQ(BillField(b, u"BillRecordTime"_s).toString(), u"2024-03-15"_s);
    EXPECT_EQ(Setting(2), u"CG0013"_s);
    EXPECT_EQ(Setting(1), u"XS100000"_s);

    ASSERT_TRUE(OpenStored(b));
    EXPECT_EQ(FormBuySell->Edit2->text(), u"250"_s);
    EXPECT_EQ(FormBuySell->ComboBox5->currentText(), u"宁波港务"_s);
    EXPECT_EQ(FormBuySell->Edit1->text(), u"CG0013"_s);
    EXPECT_EQ(FormBuySell->windowTitle(), u"采购开单"_s);
    EXPECT_FALSE(FormBuySell->Image1->pixmap().isNull());
}

TEST_F(BillEditorTest, SalesNumberGrowsByADigitAndIsRecorded) {
    SetSetting(1, u"XS0099"_s);
    ASSERT_TRUE(OpenNew(u"销售开单"_s));
    EXPECT_EQ(FormBuySell->Edit1->text(), u"XS00100"_s);
    FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
    FormBuySell->Edit2->setText(u"1000"_s);
    ui.ExpectMessage(u"单据新增成功"_s);
    FormBuySell->BitBtn1->click();
    EXPECT_EQ(Setting(1), u"XS00100"_s);
    EXPECT_DOUBLE_EQ(BillField(LastBill(), u"BillSum"_s).toDouble(), 1000);
}

TEST_F(BillEditorTest, NumberProposals) {
    const struct {
        QString stored, proposed;
    } cases[] = {
        {u"XS0009"_s, u"XS00010"_s}, {u"XS12A"_s, u""_s}, {u"XS99999999999"_s, u""_s}, {u"A000"_s, u""_s}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        SetSetting(1, c.stored);
        ASSERT_TRUE(OpenNew(u"销售开单"_s));
        EXPECT_EQ(FormBuySell->Edit1->text(), c.proposed);
    }
    // No number row: the box does not keep the previous bill's number.
    FormBuySell->Edit1->setText(u"XS5"_s);
    Sql(u"DELETE FROM Setting WHERE SettingIndex = 1"_s);
    ASSERT_TRUE(OpenNew(u"销售开单"_s));
    EXPECT_TRUE(FormBuySell->Edit1->text().isEmpty());
    FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
    ui.ExpectMessage(u"单据新增成功"_s);
    FormBuySell->BitBtn1->click();
    EXPECT_EQ(FormBuySell->result(), QDialog::Accepted);
    EXPECT_EQ(Count(u"Setting"_s), 3);
}

TEST_F(BillEditorTest, ChecksRunInOrderAndStoreNothing) {
    struct Case {
        const char* name;
        std::function<void()> fill;
        QString message;
        QString focus;
    };
    const Case cases[] = {
        {"letters after the digits", [] { FormBuySell->Edit1->setText(u"XS12A"_s); },
         u"单据编号格式有误，字母不能在数字后面"_s, u"Edit1"_s},
        {"no customer", [] { FormBuySell->ComboBox5->setEditText(QString()); }, u"请选择客户名称"_s,
         u"ComboBox5"_s},
        {"no business kind", [] { FormBuySell->ComboBox2->setCurrentIndex(-1); }, u"请选择收支种类"_s,
         u"ComboBox2"_s},
        {"no progress", [] { FormBuySell->ComboBox3->setCurrentIndex(-1); }, u"请选择业务进度"_s,
         u"ComboBox3"_s},
        {"a lone point", [] { FormBuySell->Edit2->setText(u"."_s); }, u"金额格式有误，请重新输入"_s,
         u"Edit2"_s},
        {"two points", [] { FormBuySell->Edit2->setText(u"1.2.3"_s); }, u"金额格式有误，请重新输入"_s,
         u"Edit2"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(OpenNew(u"销售开单"_s));
        FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
        FormBuySell->Edit2->setText(u"100"_s);
        c.fill();
        FormBuySell->FocusControl(FormBuySell->Edit3);
        ui.ExpectMessage(c.message);
        FormBuySell->BitBtn1->click();
        EXPECT_NE(FormBuySell->result(), QDialog::Accepted);
        ASSERT_NE(FormBuySell->FocusedControl(), nullptr);
        EXPECT_EQ(FormBuySell->FocusedControl()->objectName(), c.focus);
        EXPECT_EQ(Count(u"Bill"_s), 1);
        EXPECT_EQ(Setting(1), u"XS100000"_s);
        ASSERT_TRUE(ui.AllUsed());
    }
}

TEST_F(BillEditorTest, AcceptedOddInputs) {
    // Numbers without a countable tail are valid. The amounts are plain ones now: a text that
    // is no amount is refused instead of being stored as 0 (see AmountRuleTest).
    const struct {
        QString serial, amount;
        double stored;
    } cases[] = {{u"ABC"_s, u"007"_s, 7},
                 {u""_s, u""_s, 0},
                 {u"0001"_s, u" 99.5 "_s, 99.5},
                 {u"XS7"_s, u"12.34567"_s, 12.34567}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial.toStdString());
        ASSERT_TRUE(OpenNew(u"采购开单"_s));
        FormBuySell->Edit1->setText(c.serial);
        FormBuySell->ComboBox5->setEditText(u"O'Brien"_s); // need not be a known customer
        FormBuySell->Edit2->setText(c.amount);
        ui.ExpectMessage(u"单据新增成功"_s);
        FormBuySell->BitBtn1->click();
        const qint64 b = LastBill();
        EXPECT_EQ(BillField(b, u"BillSerial"_s).toString(), c.serial);
        EXPECT_DOUBLE_EQ(BillField(b, u"BillSum"_s).toDouble(), -c.stored);
        EXPECT_EQ(BillField(b, u"BillUser"_s).toString(), u"O'Brien"_s);
        EXPECT_EQ(Setting(2), c.serial);
    }
}

TEST_F(BillEditorTest, VoucherAddedToANewSalesBillStoresTheBillFirst) {
    SetSetting(1, u"XS0099"_s);
    ASSERT_TRUE(OpenNew(u"销售开单"_s));
    FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
    FormBuySell->ComboBox2->setCurrentIndex(FormBuySell->ComboBox2->findText(u"中介服务"_s));
    FormBuySell->Edit2->setText(u"1000"_s);

    int bill = 0;
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [&](TFormGetPay* f) {
        bill = FormBuySell->CurrentBill;
        EXPECT_GT(bill, 1);
        EXPECT_EQ(BillField(bill, u"BillSum"_s).toDouble(), 1000); // stored already
        EXPECT_EQ(f->DocKind, VoucherKind::Income);
        EXPECT_EQ(f->LinkedBill, bill);
        EXPECT_EQ(f->ComboBox5->currentText(), u"杭州远洋"_s);
        EXPECT_EQ(f->ComboBox2->currentText(), u"中介服务"_s);
        EXPECT_TRUE(f->Edit2->text().isEmpty());
        EXPECT_EQ(f->Edit3->text(), u"销售开单：XS00100"_s);
        f->ComboBox1->setCurrentIndex(0);
        f->Edit2->setText(u"300"_s);
        ui.ExpectMessage(u"记录新增成功"_s);
        f->BitBtn1->click();
    });
    FormBuySell->Button1->click();
    EXPECT_EQ(Setting(1), u"XS00100"_s);
    EXPECT_EQ(VouchersOf(bill), 1);
    EXPECT_DOUBLE_EQ(Scalar(u"SELECT MoneySum FROM MoneyTable WHERE MoneyBill = ?"_s, {bill}).toDouble(),
                     300);
    EXPECT_EQ(FormBuySell->DBGridEh1->RowCount(), 1);
    EXPECT_EQ(FormBuySell->DBGridEh1->FooterText(u"MoneyCreateTime"_s), u"1条"_s);

    // A second voucher goes to the same bill without storing it again.
    AddLinkedVoucher(u"200"_s);
    EXPECT_EQ(FormBuySell->CurrentBill, bill);
    EXPECT_EQ(Count(u"Bill"_s), 2);
    EXPECT_EQ(FormBuySell->DBGridEh1->FooterText(u"MoneyCreateTime"_s), u"2条"_s);
    EXPECT_EQ(FormBuySell->DBGridEh1->FooterText(u"MoneySum"_s), u"500"_s);

    // Saved: bill and vouchers both stay, the bill updated in place.
    FormBuySell->Edit2->setText(u"1200"_s);
    ui.ExpectMessage(u"单据新增成功"_s);
    FormBuySell->BitBtn1->click();
    EXPECT_EQ(FormBuySell->result(), QDialog::Accepted);
    EXPECT_EQ(Count(u"Bill"_s), 2);
    EXPECT_DOUBLE_EQ(BillField(bill, u"BillSum"_s).toDouble(), 1200);
    EXPECT_EQ(VouchersOf(bill), 2);
}

TEST_F(BillEditorTest, AbandonedNewBillIsRemovedWithItsVouchers) {
    const qint64 other = AddBill(u"销售开单"_s, u"宁波港务"_s, 90);
    AddVoucher(bank, u"宁波港务"_s, 90, other);
    ASSERT_TRUE(OpenNew(u"采购开单"_s, int(customer), true));
    EXPECT_FALSE(FormBuySell->ComboBox5->isEnabled());
    EXPECT_EQ(FormBuySell->ComboBox5->currentText(), u"杭州远洋"_s);
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [&](TFormGetPay* f) {
        EXPECT_EQ(f->DocKind, VoucherKind::Expense);
        EXPECT_TRUE(f->CustomerFixed);
        EXPECT_EQ(f->PresetCustomer, customer);
        EXPECT_FALSE(f->ComboBox5->isEnabled());
        EXPECT_EQ(f->ComboBox5->currentText(), u"杭州远洋"_s);
        f->Edit2->setText(u"40"_s);
        ui.ExpectMessage(u"记录新增成功"_s);
        f->BitBtn1->click();
    });
    FormBuySell->Button1->click();
    const int bill = FormBuySell->CurrentBill;
    EXPECT_DOUBLE_EQ(Scalar(u"SELECT MoneySum FROM MoneyTable WHERE MoneyBill = ?"_s, {bill}).toDouble(),
                     -40);
    AddVoucher(bank, u"杭州远洋"_s, -10, bill); // another window added one meanwhile
    const QString recorded = Setting(2);

    FormBuySell->BitBtn2->click();
    EXPECT_EQ(FormBuySell->result(), QDialog::Rejected);
    EXPECT_TRUE(BillField(bill, u"BillIndex"_s).isNull());
    EXPECT_EQ(VouchersOf(bill), 0);
    EXPECT_EQ(VouchersOf(other), 1); // nothing else touched
    EXPECT_EQ(Count(u"Bill"_s), 2);
    EXPECT_EQ(Setting(2), recorded);
}

TEST_F(BillEditorTest, BillIsStoredAheadWithoutTheSaveChecks) {
    Sql(u"DELETE FROM Parameter WHERE ParameterType IN (1, 4)"_s);
    ASSERT_TRUE(OpenNew(u"销售开单"_s));
    FormBuySell->Edit2->setText(u"1.2.3"_s);
    ui.ExpectMessage(u"金额格式有误，请重新输入"_s);
    FormBuySell->Button1->click();
    EXPECT_EQ(FormBuySell->CurrentBill, 1);
    EXPECT_EQ(Count(u"Bill"_s), 1);

    FormBuySell->Edit2->setText(u"70"_s);
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [](TFormGetPay* f) {
        EXPECT_TRUE(f->ComboBox5->currentText().isEmpty());
        EXPECT_EQ(f->Edit3->text(), u"销售开单：XS100001"_s);
        f->BitBtn2->click();
    });
    FormBuySell->Button1->click();
    const qint64 b = FormBuySell->CurrentBill;
    ASSERT_GT(b, 1);
    EXPECT_TRUE(BillField(b, u"BillUser"_s).toString().isEmpty());
    EXPECT_TRUE(BillField(b, u"BillReason"_s).toString().isEmpty());
    EXPECT_DOUBLE_EQ(BillField(b, u"BillSum"_s).toDouble(), 70);
    EXPECT_EQ(Setting(1), u"XS100001"_s);
    FormBuySell->BitBtn2->click();
    EXPECT_EQ(Count(u"Bill"_s), 1);
}

TEST_F(BillEditorTest, FailedUndoDeletesNothing) {
    ASSERT_TRUE(OpenNew(u"销售开单"_s));
    FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
    AddLinkedVoucher(u"300"_s);
    const int bill = FormBuySell->CurrentBill;
    ASSERT_EQ(VouchersOf(bill), 1);
    Sql(u"CREATE TRIGGER KeepBills BEFORE DELETE ON Bill BEGIN SELECT RAISE(ABORT, 'kept'); END"_s);
    ui.ExpectMessage(u"数据删除失败"_s); // the engine's own text goes to the log
    FormBuySell->BitBtn2->click();
    EXPECT_FALSE(BillField(bill, u"BillIndex"_s).isNull());
    EXPECT_EQ(VouchersOf(bill), 1); // the voucher delete was rolled back with the bill's
}

TEST_F(BillEditorTest, StoredBillIsLockedUntilThePasswordIsGiven) {
    SetModifyPassword(u"Secret"_s);
    const qint64 b = AddBill(u"销售开单"_s, u"杭州远洋"_s, 800, u"XS0005"_s);
    AddVoucher(bank, u"杭州远洋"_s, 300, b);
    ASSERT_TRUE(OpenStored(b));
    EXPECT_EQ(FormBuySell->PresetCustomer, customer);
    EXPECT_EQ(FormBuySell->Edit4->text(), u"李娜"_s);
    EXPECT_EQ(FormBuySell->ComboBox2->currentText(), u"中介服务"_s);
    EXPECT_EQ(FormBuySell->ComboBox3->currentText(), u"已签约"_s);
    EXPECT_EQ(FormBuySell->DateTimePicker1->date(), QDate(2024, 3, 1));
    EXPECT_EQ(EditButtonsHidden(), (std::vector<bool>{true, true, true, true, true}));
    EXPECT_FALSE(FormBuySell->SpeedButton4->isHidden());
    EXPECT_FALSE(FormBuySell->SpeedButton1->isHidden());
    EXPECT_EQ(FormBuySell->DBGridEh1->RowCount(), 1);

    // Locked: store, delete and the voucher buttons do nothing, whatever is typed.
    FormBuySell->Edit2->setText(u"1"_s);
    for (QPushButton* b :
         {FormBuySell->BitBtn1, FormBuySell->BitBtn3, FormBuySell->Button1, FormBuySell->Button3})
        b->click();
    FormBuySell->DBGridEh1DblClick();
    EXPECT_DOUBLE_EQ(BillField(b, u"BillSum"_s).toDouble(), 800);
    EXPECT_EQ(Count(u"MoneyTable"_s), 2);

    ExpectPassword(u"secret"_s);
    ui.ExpectMessage(u"密码错误，请重新操作"_s);
    FormBuySell->SpeedButton4->click();
    EXPECT_FALSE(FormBuySell->Unlocked);
    EXPECT_EQ(EditButtonsHidden(), (std::vector<bool>{true, true, true, true, true}));

    ExpectPassword(u"Secret"_s, false);
    FormBuySell->SpeedButton4->click();
    EXPECT_FALSE(FormBuySell->Unlocked);

    ExpectPassword(u"Secret"_s);
    FormBuySell->SpeedButton4->click();
    EXPECT_TRUE(FormBuySell->Unlocked);
    EXPECT_EQ(EditButtonsHidden(), (std::vector<bool>{false, false, false, false, false}));

    FormBuySell->Edit1->setText(u"XS0900"_s);
    ui.ExpectMessage(u"记录修改成功"_s);
    FormBuySell->BitBtn1->click();
    EXPECT_EQ(FormBuySell->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(BillField(b, u"BillSum"_s).toDouble(), 1);
    EXPECT_EQ(BillField(b, u"BillSerial"_s).toString(), u"XS0900"_s);
    EXPECT_EQ(BillField(b, u"BillKind"_s).toString(), u"销售开单"_s);
    EXPECT_EQ(BillField(b, u"BillMan"_s).toString(), u"张伟"_s); // whoever saved last
    EXPECT_EQ(Setting(1), u"XS100000"_s);
}

TEST_F(BillEditorTest, KindRemovedFromTheListFallsBackToTheFirst) {
    const qint64 b = AddBill(u"销售开单"_s, u"杭州远洋"_s, 800);
    Sql(u"DELETE FROM Parameter WHERE ParameterValue = '中介服务'"_s);
    ASSERT_TRUE(OpenStored(b));
    Unlock();
    EXPECT_EQ(FormBuySell->ComboBox2->currentIndex(), 0);
    const QString first = FormBuySell->ComboBox2->currentText();
    ui.ExpectMessage(u"记录修改成功"_s);
    FormBuySell->BitBtn1->click();
    EXPECT_EQ(BillField(b, u"BillReason"_s).toString(), first);
}

TEST_F(BillEditorTest, DeletingTheBillKeepsItsVouchers) {
    const qint64 b = AddBill(u"采购开单"_s, u"杭州远洋"_s, -500);
    const qint64 v = AddVoucher(bank, u"杭州远洋"_s, -200, b);
    ASSERT_TRUE(OpenStored(b));
    Unlock();
    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, false);
    FormBuySell->BitBtn3->click();
    EXPECT_FALSE(BillField(b, u"BillIndex"_s).isNull());
    EXPECT_NE(FormBuySell->result(), QDialog::Accepted);

    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, true);
    FormBuySell->BitBtn3->click();
    EXPECT_EQ(FormBuySell->result(), QDialog::Accepted);
    EXPECT_TRUE(BillField(b, u"BillIndex"_s).isNull());
    EXPECT_EQ(Field(u"MoneyTable"_s, u"MoneyBill"_s, u"MoneyIndex"_s, v).toLongLong(), b);
}

TEST_F(BillEditorTest, LinkedVouchersAreChangedAndDeletedFromTheList) {
    const qint64 b = AddBill(u"销售开单"_s, u"杭州远洋"_s, 1000);
    const qint64 income = AddVoucher(bank, u"杭州远洋"_s, 300, b, u"SR1"_s);
    const qint64 expense = AddVoucher(bank, u"杭州远洋"_s, -50, b, u"ZC1"_s);
    ASSERT_TRUE(OpenStored(b));
    TDataGrid* grid = FormBuySell->DBGridEh1;
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->FooterText(u"MoneyCreateTime"_s), u"2条"_s);
    EXPECT_EQ(grid->FooterText(u"MoneyIn"_s), u"300"_s);
    EXPECT_EQ(grid->FooterText(u"MoneyOut"_s), u"50"_s);
    EXPECT_EQ(grid->FooterText(u"MoneySum"_s), u"250"_s);
    Unlock();

    // Double-click on the expense voucher opens it as an expense voucher.
    grid->SetCurrentRow(grid->CellText(0, u"MoneySerial"_s) == u"ZC1"_s ? 0 : 1);
    ui.ExpectModal<TFormGetPay>(u"FormGetPay"_s, [&](TFormGetPay* f) {
        EXPECT_EQ(f->OpenMode, OpenMode::Change);
        EXPECT_EQ(f->DocKind, VoucherKind::Expense);
        EXPECT_EQ(f->CurrentVoucher, expense);
        EXPECT_EQ(f->Edit2->text(), u"50"_s);
        f->Edit2->setText(u"60"_s);
        ui.ExpectMessage(u"记录修改成功"_s);
        f->BitBtn1->click();
    });
    emit grid->View()->doubleClicked(grid->View()->model()->index(grid->CurrentRow(), 0));
    EXPECT_DOUBLE_EQ(Field(u"MoneyTable"_s, u"MoneySum"_s, u"MoneyIndex"_s, expense).toDouble(), -60);
    EXPECT_EQ(grid->FooterText(u"MoneySum"_s), u"240"_s);

    // Deleting the income voucher: No keeps it, Yes removes it and reloads the list.
    grid->SetCurrentRow(grid->CellText(0, u"MoneySerial"_s) == u"SR1"_s ? 0 : 1);
    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, false);
    FormBuySell->Button3->click();
    EXPECT_EQ(VouchersOf(b), 2);
    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, true);
    FormBuySell->Button3->click();
    EXPECT_TRUE(Field(u"MoneyTable"_s, u"MoneyIndex"_s, u"MoneyIndex"_s, income).isNull());
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->FooterText(u"MoneyCreateTime"_s), u"1条"_s);

    // Gone meanwhile: the message, nothing else.
    Sql(u"DELETE FROM MoneyTable WHERE MoneyIndex = ?"_s, {expense});
    ui.ExpectMessage(u"找不到要删除的记录"_s);
    FormBuySell->Button3->click();

    // The last voucher gone, the footers are empty rather than those of the earlier list.
    ASSERT_TRUE(OpenNew(u"销售开单"_s));
    EXPECT_EQ(grid->RowCount(), 0);
    EXPECT_TRUE(grid->FooterText(u"MoneyCreateTime"_s).isEmpty());
    EXPECT_TRUE(grid->FooterText(u"MoneySum"_s).isEmpty());
}

TEST_F(BillEditorTest, BillDeletedByAnotherWindow) {
    const qint64 gone = AddBill(u"销售开单"_s, u"杭州远洋"_s, 10);
    Sql(u"DELETE FROM Bill WHERE BillIndex = ?"_s, {gone});
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    EXPECT_FALSE(OpenStored(gone));

    const qint64 b = AddBill(u"销售开单"_s, u"O'Brien"_s, 10); // a quoted name opens too
    ASSERT_TRUE(OpenStored(b));
    EXPECT_EQ(FormBuySell->PresetCustomer, 0);
    Unlock();
    Sql(u"DELETE FROM Bill WHERE BillIndex = ?"_s, {b});
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    FormBuySell->BitBtn1->click();
    ui.ExpectMessage(u"找不到要删除的记录"_s);
    FormBuySell->BitBtn3->click();
    EXPECT_NE(FormBuySell->result(), QDialog::Accepted);
    EXPECT_EQ(Count(u"Bill"_s), 1);

    // A new bill stored ahead and then deleted elsewhere: saving says so, closing is quiet.
    ASSERT_TRUE(OpenNew(u"销售开单"_s));
    FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
    AddLinkedVoucher(u"5"_s);
    Sql(u"DELETE FROM Bill WHERE BillIndex = ?"_s, {FormBuySell->CurrentBill});
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    FormBuySell->BitBtn1->click();
    EXPECT_NE(FormBuySell->result(), QDialog::Accepted);
    FormBuySell->BitBtn2->click();
    EXPECT_EQ(Count(u"Bill"_s), 1);
}

TEST_F(BillEditorTest, ChooserStartsEitherKindAndRefreshesOnlyAfterAStore) {
    ProbeView probe;
    FormMain->BillCards = &probe;
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillPage);
    FormBuySell->CustomerFixed = true; // left over from a customer's window
    ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [](TFormBuySell* f) {
        EXPECT_EQ(f->DocKind, BillKind::Purchase);
        EXPECT_FALSE(f->CustomerFixed);
        EXPECT_TRUE(f->ComboBox5->isEnabled());
        f->BitBtn2->click();
    });
    FormBill->SpeedButton2->click();
    EXPECT_EQ(probe.refreshes, 0);

    ui.ExpectModal<TFormBuySell>(u"FormBuySell"_s, [this](TFormBuySell* f) {
        EXPECT_EQ(f->DocKind, BillKind::Sales);
        f->ComboBox5->setEditText(u"杭州远洋"_s);
        ui.ExpectMessage(u"单据新增成功"_s);
        f->BitBtn1->click();
    });
    FormBill->SpeedButton1->click();
    EXPECT_EQ(probe.refreshes, 1);
    EXPECT_EQ(FormBill->result(), QDialog::Accepted);
    EXPECT_EQ(Count(u"Bill"_s), 2);
    FormMain->BillCards = nullptr;
}

} // namespace
