// One rule for every amount box: only a plain amount (digits with at most one decimal point)
// is taken; anything else is refused with one message, the focus back in the box and every
// table as it was. An empty box keeps the meaning of its own window.

#include "tests/ui/DocumentFixture.h"

#include "accounts/AccountForm2.h"
#include "bills/BuySellForm.h"
#include "cards/AccountCards.h"
#include "customers/CustomerForm2.h"
#include "reports/BillReportForm.h"
#include "reports/MoneyReportForm.h"
#include "vouchers/GetPayForm.h"

#include <QCheckBox>
#include <QComboBox>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

const QString kBadAmount = u"金额格式有误，请重新输入"_s;

class AmountRuleTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        AddAccount(u"工商银行"_s);
        AddCustomer(u"杭州远洋"_s);
    }

    // Every row of every table, so that a refusal can be shown to have written nothing.
    QString Tables() {
        QString all;
        for (const QString& table : {u"Customer"_s, u"Bill"_s, u"MoneyTable"_s, u"Account"_s, u"Setting"_s}) {
            ResultSet rs;
            EXPECT_TRUE(Db().Query(u"SELECT * FROM "_s + table, {}, &rs));
            for (int r = 0; r < rs.RecordCount(); ++r)
                for (int c = 0; c < rs.Columns().size(); ++c)
                    all += rs.At(r, c).toString() + u'|';
            all += u'\n';
        }
        return all;
    }
};

// What each box does with the text typed into it: true when the window took the figure.
struct Box {
    const char* name;
    bool emptyTaken; // what an empty box means in this window
    std::function<bool(const QString&, int n, bool expected, tevtest::ScriptedUi&)> enter;
};

TEST_F(AmountRuleTest, EveryAmountBoxTakesOnlyAPlainAmount) {
    const Box boxes[] = {
        {"bill editor", true,
         [](const QString& text, int, bool, tevtest::ScriptedUi& ui) {
             FormBuySell->OpenMode = OpenMode::New;
             FormBuySell->DocKind = BillKind::Sales;
             FormBuySell->CurrentBill = 1;
             FormBuySell->PresetCustomer = 0;
             FormBuySell->CustomerFixed = false;
             EXPECT_TRUE(FormBuySell->RunFormShow());
             FormBuySell->ComboBox5->setEditText(u"杭州远洋"_s);
             FormBuySell->Edit2->setText(text);
             const int before = int(ui.History().size());
             FormBuySell->BitBtn1->click();
             const bool taken = FormBuySell->result() == QDialog::Accepted;
             EXPECT_EQ(ui.History().back().text, taken ? u"单据新增成功"_s : kBadAmount);
             EXPECT_EQ(int(ui.History().size()), before + 1);
             if (!taken) {
                 EXPECT_EQ(FormBuySell->FocusedControl(), FormBuySell->Edit2);
             }
             return taken;
         }},
        {"voucher editor", false,
         [](const QString& text, int, bool, tevtest::ScriptedUi& ui) {
             FormGetPay->OpenMode = OpenMode::New;
             FormGetPay->DocKind = VoucherKind::Income;
             FormGetPay->LinkedBill = 0;
             FormGetPay->PresetCustomer = 0;
             FormGetPay->CustomerFixed = false;
             FormGetPay->PresetCustomerName.clear();
             FormGetPay->PresetReason.clear();
             FormGetPay->PresetAmount.clear();
             FormGetPay->PresetRemark.clear();
             EXPECT_TRUE(FormGetPay->RunFormShow());
             FormGetPay->ComboBox1->setCurrentIndex(FormGetPay->ComboBox1->findText(u"工商银行"_s));
             FormGetPay->ComboBox5->setEditText(u"杭州远洋"_s);
             FormGetPay->Edit2->setText(text);
             const int before = int(ui.History().size());
             FormGetPay->BitBtn1->click();
             const bool taken = FormGetPay->result() == QDialog::Accepted;
             EXPECT_EQ(ui.History().back().text, taken ? u"记录新增成功"_s : kBadAmount);
             EXPECT_EQ(int(ui.History().size()), before + 1);
             if (!taken) {
                 EXPECT_EQ(FormGetPay->FocusedControl(), FormGetPay->Edit2);
             }
             return taken;
         }},
        {"customer editor", true,
         [](const QString& text, int n, bool, tevtest::ScriptedUi& ui) {
             FormCustomer2->EditMode = 0;
             EXPECT_TRUE(FormCustomer2->RunFormShow());
             const QString name = u"新客户%1"_s.arg(n);
             FormCustomer2->CustomerName->setText(name);
             FormCustomer2->CustomerOwe->setText(text);
             const int before = int(ui.History().size());
             FormCustomer2->BitBtn1->click();
             const bool taken = FormCustomer2->result() == QDialog::Accepted;
             EXPECT_EQ(ui.History().back().text, taken ? u"客户　%1　新增成功"_s.arg(name) : kBadAmount);
             EXPECT_EQ(int(ui.History().size()), before + 1);
             if (!taken) {
                 EXPECT_EQ(FormCustomer2->FocusedControl(), FormCustomer2->CustomerOwe);
             }
             return taken;
         }},
        {"account editor", false,
         [](const QString& text, int n, bool expected, tevtest::ScriptedUi& ui) {
             bool taken = false;
             const QString name = u"帐户%1"_s.arg(n);
             ui.ExpectModal<TFormAccount2>(u"FormAccount2"_s, [&](TFormAccount2* f) {
                 f->Edit1->setText(name);
                 f->Edit2->setText(text);
                 const int before = int(ui.History().size());
                 if (!expected) ui.ExpectMessage(kBadAmount);
                 f->SpeedButton1->click();
                 taken = f->result() == QDialog::Accepted;
                 EXPECT_EQ(int(ui.History().size()), before + (taken ? 0 : 1));
                 if (!taken) {
                     EXPECT_EQ(f->FocusedControl(), f->Edit2);
                     f->SpeedButton2->click();
                 }
             });
             if (expected) ui.ExpectMessage(u"帐户　%1　新增成功"_s.arg(name));
             static_cast<AccountCardPage*>(FormMain->AccountCards)->NewAccountClick();
             return taken;
         }},
        {"bill search bounds", true,
         [](const QString& text, int, bool, tevtest::ScriptedUi& ui) {
             EXPECT_TRUE(FormBillReport->RunFormShow());
             FormBillReport->ComboBox5->setCurrentIndex(1);
             FormBillReport->CheckBox2->click();
             FormBillReport->Edit2->setText(text);
             FormBillReport->Edit4->setText(text);
             const int before = int(ui.History().size());
             FormBillReport->SpeedButton1->click();
             const bool taken = FormBillReport->result() == QDialog::Accepted;
             EXPECT_EQ(int(ui.History().size()), before + (taken ? 0 : 1));
             if (!taken) {
                 EXPECT_EQ(ui.History().back().text, kBadAmount);
                 EXPECT_EQ(FormBillReport->FocusedControl(), FormBillReport->Edit2);
             }
             return taken;
         }},
        {"voucher search bounds", true,
         [](const QString& text, int, bool, tevtest::ScriptedUi& ui) {
             EXPECT_TRUE(FormMoneyReport->RunFormShow());
             FormMoneyReport->ComboBox5->setCurrentIndex(2);
             FormMoneyReport->CheckBox2->click();
             FormMoneyReport->Edit2->setText(u"1"_s);
             FormMoneyReport->Edit4->setText(text);
             const int before = int(ui.History().size());
             FormMoneyReport->BitBtn1->click();
             const bool taken = FormMoneyReport->result() == QDialog::Accepted;
             EXPECT_EQ(int(ui.History().size()), before + (taken ? 0 : 1));
             if (!taken) {
                 EXPECT_EQ(ui.History().back().text, kBadAmount);
                 EXPECT_EQ(FormMoneyReport->FocusedControl(), FormMoneyReport->Edit4);
             }
             return taken;
         }},
    };
    const struct {
        QString text;
        int taken; // 1 taken, 0 refused, -1 the box's own rule for an empty box
    } inputs[] = {
        {u"1,000"_s, 0}, {u"abc"_s, 0},  {u"-5"_s, 0},  {u"12元"_s, 0}, {u"1.2.3"_s, 0},
        {u"."_s, 0},     {u"99.5"_s, 1}, {u"007"_s, 1}, {u""_s, -1},
    };
    int n = 0;
    for (const Box& box : boxes) {
        for (const auto& input : inputs) {
            SCOPED_TRACE(std::string(box.name) + " / \"" + input.text.toStdString() + "\"");
            const bool expected = input.taken == -1 ? box.emptyTaken : input.taken == 1;
            // The editors answer with their own messages; the scripted seam takes them in order.
            const QString tablesBefore = Tables();
            if (std::string(box.name) != "account editor") {
                if (!expected) {
                    ui.ExpectMessage(kBadAmount);
                } else if (std::string(box.name) == "bill editor") {
                    ui.ExpectMessage(u"单据新增成功"_s);
                } else if (std::string(box.name) == "voucher editor") {
                    ui.ExpectMessage(u"记录新增成功"_s);
                } else if (std::string(box.name) == "customer editor") {
                    ui.ExpectMessage(u"客户　新客户%1　新增成功"_s.arg(n + 1));
                }
            }
            const bool taken = box.enter(input.text, ++n, expected, ui);
            EXPECT_EQ(taken, expected);
            EXPECT_TRUE(ui.AllUsed());
            if (!expected) {
                EXPECT_EQ(Tables(), tablesBefore);
            }
        }
    }
    // What was taken was stored as typed: the figures, not 0.
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Bill WHERE BillSum = 99.5"_s).toInt(), 1);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Bill WHERE BillSum = 7"_s).toInt(), 1);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM MoneyTable WHERE MoneySum = 99.5"_s).toInt(), 1);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Customer WHERE CustomerOwe = 7"_s).toInt(), 1);
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Account WHERE AccountBase = 99.5"_s).toInt(), 1);
}

} // namespace
