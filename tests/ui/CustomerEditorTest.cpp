// The customer editor: new, change (with the rename carried into bills and vouchers in one
// transaction) and delete, with every refusal.

#include "tests/ui/CustomerFixture.h"

#include "app/ShareDM.h"
#include "customers/CustomerForm2.h"
#include "ui/Globals.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace tev;
using tevtest::CustomerFixture;

namespace {

class CustomerEditorTest : public CustomerFixture {
protected:
    void SetUp() override {
        CustomerFixture::SetUp();
        CurrentUser = u"李明"_s;
    }
    // Shows the editor as the seam does (set-up, then the user's actions) and returns its
    // result; the prompts it raises are the ones the test expects.
    int Open(int mode, qint64 index, const std::function<void(TFormCustomer2*)>& act) {
        FormCustomer2->EditMode = mode;
        FormCustomer2->EditIndex = index;
        FormCustomer2->setResult(QDialog::Rejected);
        if (!FormCustomer2->RunFormShow()) return FormCustomer2->result();
        act(FormCustomer2);
        return FormCustomer2->result();
    }
    QVariant Column(qint64 index, const QString& column) {
        return Scalar(u"SELECT %1 FROM Customer WHERE CustomerIndex = ?"_s.arg(column), {index});
    }
    int Customers() { return Scalar(u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1"_s).toInt(); }
    // One column of every row but the reserved one, in record order.
    QStringList Names(const QString& table, const QString& column, const QString& key) {
        ResultSet rs;
        EXPECT_TRUE(ShareDM->ADOConnection1.Query(
            u"SELECT %2 FROM %1 WHERE %3 > 1 ORDER BY %3"_s.arg(table, column, key), {}, &rs));
        QStringList out;
        for (rs.First(); !rs.Eof(); rs.Next())
            out << rs.AsString(column);
        return out;
    }
    QStringList BillUsers() { return Names(u"Bill"_s, u"BillUser"_s, u"BillIndex"_s); }
    QStringList MoneyUsers() { return Names(u"MoneyTable"_s, u"MoneyUser"_s, u"MoneyIndex"_s); }
};

TEST_F(CustomerEditorTest, NewCustomerStoresEveryFieldAsTypedWithItsOwner) {
    ui.ExpectMessage(u"客户　 华夏 贸易 　新增成功"_s);
    const int result = Open(0, 0, [](TFormCustomer2* f) {
        EXPECT_FALSE(f->BitBtn3->isVisibleTo(f)); // nothing to delete in new mode
        EXPECT_EQ(f->FocusedControl(), f->CustomerName);
        f->CustomerName->setText(u" 华夏 贸易 "_s);
        f->CustomerOwe->setText(u"1200.5"_s);
        f->CustomerPhone->setText(u"0571-8888"_s);
        f->CustomerContact->setText(u"王建国"_s);
        f->CustomerFax->setText(u"0571-9999"_s);
        f->CustomerAddress->setText(u"杭州市文三路 1 号"_s);
        f->CustomerWebsite->setText(u"www.huaxia.cn"_s);
        f->CustomerRemark->setText(u"老客户"_s);
        f->CustomerEMail->setText(u"hx@huaxia.cn"_s);
        f->CustomerHandPhone->setText(u"13812345678"_s);
        f->BitBtn1->click();
    });
    ui.VerifyAllUsed();
    EXPECT_EQ(result, QDialog::Accepted);
    ResultSet rs;
    ASSERT_TRUE(ShareDM->ADOConnection1.Query(u"SELECT * FROM Customer WHERE CustomerIndex > 1"_s, {}, &rs));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.AsString(u"CustomerName"_s), u" 华夏 贸易 "_s); // no trimming
    EXPECT_EQ(rs.AsFloat(u"CustomerOwe"_s), 1200.5);
    EXPECT_EQ(rs.AsString(u"CustomerPhone"_s), u"0571-8888"_s);
    EXPECT_EQ(rs.AsString(u"CustomerContact"_s), u"王建国"_s);
    EXPECT_EQ(rs.AsString(u"CustomerFax"_s), u"0571-9999"_s);
    EXPECT_EQ(rs.AsString(u"CustomerAddress"_s), u"杭州市文三路 1 号"_s);
    EXPECT_EQ(rs.AsString(u"CustomerWebsite"_s), u"www.huaxia.cn"_s);
    EXPECT_EQ(rs.AsString(u"CustomerRemark"_s), u"老客户"_s);
    EXPECT_EQ(rs.AsString(u"CustomerEMail"_s), u"hx@huaxia.cn"_s);
    EXPECT_EQ(rs.AsString(u"CustomerHandPhone"_s), u"13812345678"_s);
    EXPECT_EQ(rs.AsString(u"CustomerMan"_s), u"李明"_s);
}

TEST_F(CustomerEditorTest, SuccessMessageUsesIdeographicSpaces) {
    ui.ExpectMessage(u"客户\u3000张三\u3000新增成功"_s);
    Open(0, 0, [](TFormCustomer2* f) {
        f->CustomerName->setText(u"张三"_s);
        f->BitBtn1->click();
    });
}

// An empty box is no opening debt. "-100", "1,000" and "12元" used to be stored as 0 with
// the success message; they are refused now (see AmountRuleTest).
TEST_F(CustomerEditorTest, OpeningDebtIsStoredAsTypedAndAnEmptyBoxIsZero) {
    struct Case {
        QString typed;
        double stored;
    } cases[] = {{u""_s, 0}, {u"007"_s, 7}, {u"80.25"_s, 80.25}};
    int i = 0;
    for (const Case& c : cases) {
        const QString name = u"客户%1"_s.arg(++i);
        ui.ExpectMessage(u"客户　%1　新增成功"_s.arg(name));
        Open(0, 0, [&](TFormCustomer2* f) {
            f->CustomerName->setText(name);
            f->CustomerOwe->setText(c.typed);
            f->BitBtn1->click();
        });
        EXPECT_EQ(Scalar(u"SELECT CustomerOwe FROM Customer WHERE CustomerName = ?"_s, {name}).toDouble(),
                  c.stored)
            << c.typed.toStdString();
    }
}

TEST_F(CustomerEditorTest, RefusalsStoreNothingAndKeepTheDialogOpen) {
    const qint64 stored = AddCustomer(u"Acme"_s, 5);
    struct Case {
        const char* what;
        QString name, owe, message;
        bool focusOwe;
    } cases[] = {
        {"empty name", u""_s, u"1"_s, u"客户名不得为空"_s, false},
        {"duplicate, other case", u"ACME"_s, u"1"_s, u"该客户名已经存在，请重新操作"_s, false},
        {"digits with two points", u"新客户"_s, u"1.2.3"_s, u"金额格式有误，请重新输入"_s, true},
        {"a lone point", u"新客户"_s, u"."_s, u"金额格式有误，请重新输入"_s, true},
    };
    for (const Case& c : cases) {
        ui.ExpectMessage(c.message);
        const int result = Open(0, 0, [&](TFormCustomer2* f) {
            f->CustomerName->setText(c.name);
            f->CustomerOwe->setText(c.owe);
            f->BitBtn1->click();
            EXPECT_EQ(f->FocusedControl(), c.focusOwe ? f->CustomerOwe : f->CustomerName) << c.what;
        });
        EXPECT_NE(result, QDialog::Accepted) << c.what;
        EXPECT_EQ(Customers(), 1) << c.what;
    }
    // The same amount check guards a change: the stored row stays as it was.
    ui.ExpectMessage(u"金额格式有误，请重新输入"_s);
    Open(1, stored, [](TFormCustomer2* f) {
        f->CustomerName->setText(u"Acme Ltd"_s);
        f->CustomerOwe->setText(u"1.2.3"_s);
        f->BitBtn1->click();
    });
    EXPECT_EQ(Column(stored, u"CustomerName"_s).toString(), u"Acme"_s);
    EXPECT_EQ(Column(stored, u"CustomerOwe"_s).toDouble(), 5.0);
}

TEST_F(CustomerEditorTest, EditShowsTheStoredCustomerAndNewModeClearsItAgain) {
    const qint64 key = AddCustomer(u"华夏"_s, 1234.5, u"王建国"_s, u"张伟"_s);
    Open(1, key, [](TFormCustomer2* f) {
        EXPECT_EQ(f->CustomerName->text(), u"华夏"_s);
        EXPECT_EQ(f->CustomerOwe->text(), u"1234.5"_s);
        EXPECT_EQ(f->CustomerContact->text(), u"王建国"_s);
        EXPECT_TRUE(f->BitBtn3->isVisibleTo(f));
        EXPECT_EQ(f->FocusedControl(), f->CustomerName);
        f->BitBtn2->click();
    });
    Open(0, key, [](TFormCustomer2* f) {
        EXPECT_EQ(f->CustomerName->text(), u""_s);
        EXPECT_EQ(f->CustomerOwe->text(), u""_s);
        EXPECT_EQ(f->CustomerContact->text(), u""_s);
        EXPECT_FALSE(f->BitBtn3->isVisibleTo(f));
        // Even pressed, Delete in new mode removes nothing and gives no OK.
        f->BitBtn3->click();
    });
    EXPECT_EQ(Customers(), 1);
}

TEST_F(CustomerEditorTest, MissingCustomerIsReportedAndTheEditorDoesNotOpen) {
    FormCustomer2->EditMode = 1;
    FormCustomer2->EditIndex = 99;
    ui.ExpectModal(u"FormCustomer2"_s, nullptr);
    ui.ExpectMessage(u"找不到要修改的记录"_s);
    EXPECT_NE(ui.ShowModal(FormCustomer2), QDialog::Accepted);
}

TEST_F(CustomerEditorTest, RenameCarriesIntoBillsAndVouchersMatchingTheOldName) {
    const qint64 key = AddCustomer(u"Acme"_s, 10, u"甲"_s, u"张伟"_s);
    AddCustomer(u"Acme Two"_s);
    AddBill(u"Acme"_s, 100, QDate(2024, 3, 1));
    AddBill(u"ACME"_s, 200, QDate(2024, 3, 2)); // the database finds it equal to the old name
    AddBill(u"Acme Two"_s, 300, QDate(2024, 3, 3));
    AddVoucher(u"acme"_s, 50, QDate(2024, 3, 4));
    AddVoucher(u"Acme Two"_s, 60, QDate(2024, 3, 5));
    ui.ExpectMessage(u"客户资料修改成功"_s);
    const int result = Open(1, key, [](TFormCustomer2* f) {
        f->CustomerName->setText(u"O'Neil & Co"_s);
        f->CustomerOwe->setText(u"20"_s);
        f->BitBtn1->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(BillUsers(), (QStringList{u"O'Neil & Co"_s, u"O'Neil & Co"_s, u"Acme Two"_s}));
    EXPECT_EQ(MoneyUsers(), (QStringList{u"O'Neil & Co"_s, u"Acme Two"_s}));
    EXPECT_EQ(Column(key, u"CustomerName"_s).toString(), u"O'Neil & Co"_s);
    EXPECT_EQ(Column(key, u"CustomerOwe"_s).toDouble(), 20.0);
    EXPECT_EQ(Column(key, u"CustomerMan"_s).toString(), u"张伟"_s); // the owner stays
}

TEST_F(CustomerEditorTest, UnchangedNameTouchesNoBill) {
    const qint64 key = AddCustomer(u"Acme"_s);
    AddBill(u"ACME"_s, 100, QDate(2024, 3, 1));
    ui.ExpectMessage(u"客户资料修改成功"_s);
    Open(1, key, [](TFormCustomer2* f) {
        f->CustomerPhone->setText(u"123"_s);
        f->BitBtn1->click();
    });
    EXPECT_EQ(BillUsers(), QStringList{u"ACME"_s});
    EXPECT_EQ(Column(key, u"CustomerPhone"_s).toString(), u"123"_s);
}

TEST_F(CustomerEditorTest, RenameToATakenNameOrOnlyOtherCaseIsRefused) {
    const qint64 key = AddCustomer(u"Acme"_s);
    AddCustomer(u"Beta"_s);
    AddBill(u"Acme"_s, 100, QDate(2024, 3, 1));
    for (const QString& name : {u"beta"_s, u"ACME"_s}) {
        ui.ExpectMessage(u"该客户名已经存在，请重新操作"_s);
        const int result = Open(1, key, [&](TFormCustomer2* f) {
            f->CustomerName->setText(name);
            f->BitBtn1->click();
            EXPECT_EQ(f->FocusedControl(), f->CustomerName);
        });
        EXPECT_NE(result, QDialog::Accepted);
        EXPECT_EQ(Column(key, u"CustomerName"_s).toString(), u"Acme"_s);
        EXPECT_EQ(BillUsers(), QStringList{u"Acme"_s});
    }
}

TEST_F(CustomerEditorTest, RenameFailingPartWayChangesNothing) {
    const qint64 key = AddCustomer(u"Acme"_s, 10);
    AddBill(u"Acme"_s, 100, QDate(2024, 3, 1));
    AddVoucher(u"Acme"_s, 50, QDate(2024, 3, 4));
    // The customer row is written last; make the engine refuse it after the bills and vouchers.
    Sql(u"CREATE TRIGGER refuse BEFORE UPDATE ON Customer BEGIN SELECT RAISE(ABORT, 'disk refused'); END"_s);
    // The engine's own words go to the log; the box says what failed in Chinese.
    ui.ExpectMessage(u"数据保存失败"_s);
    const int result = Open(1, key, [](TFormCustomer2* f) {
        f->CustomerName->setText(u"Zenith"_s);
        f->BitBtn1->click();
    });
    EXPECT_NE(result, QDialog::Accepted);
    EXPECT_EQ(BillUsers(), QStringList{u"Acme"_s});
    EXPECT_EQ(MoneyUsers(), QStringList{u"Acme"_s});
    EXPECT_EQ(Column(key, u"CustomerName"_s).toString(), u"Acme"_s);
}

TEST_F(CustomerEditorTest, DeleteAsksAndOnlyYesDeletesTheCustomerRow) {
    const qint64 key = AddCustomer(u"Acme"_s);
    AddBill(u"Acme"_s, 100, QDate(2024, 3, 1));
    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, false);
    EXPECT_NE(Open(1, key, [](TFormCustomer2* f) { f->BitBtn3->click(); }), QDialog::Accepted);
    EXPECT_EQ(Customers(), 1);

    ui.ExpectYesNo(u"确实要删除该记录吗？"_s, u"删除警告"_s, true);
    EXPECT_EQ(Open(1, key, [](TFormCustomer2* f) { f->BitBtn3->click(); }), QDialog::Accepted);
    EXPECT_EQ(Customers(), 0);
    EXPECT_EQ(BillUsers(), QStringList{u"Acme"_s}); // its bills stay

    // Deleted meanwhile (the editor was opened on it before): reported, nothing else happens.
    const qint64 other = AddCustomer(u"Beta"_s);
    ui.ExpectMessage(u"找不到要删除的记录"_s);
    EXPECT_NE(Open(1, other,
                   [&](TFormCustomer2* f) {
                       Sql(u"DELETE FROM Customer WHERE CustomerIndex = ?"_s, {other});
                       f->BitBtn3->click();
                   }),
              QDialog::Accepted);
}

// Deleted after the editor opened: OK finds no row, says nothing and stores nothing; the
// dialog stays open.
TEST_F(CustomerEditorTest, ChangingACustomerDeletedMeanwhileDoesNothing) {
    const qint64 key = AddCustomer(u"Acme"_s);
    AddBill(u"Acme"_s, 100, QDate(2024, 3, 1));
    EXPECT_NE(Open(1, key,
                   [&](TFormCustomer2* f) {
                       Sql(u"DELETE FROM Customer WHERE CustomerIndex = ?"_s, {key});
                       f->CustomerName->setText(u"Zenith"_s);
                       f->BitBtn1->click();
                   }),
              QDialog::Accepted);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(Customers(), 0);
    EXPECT_EQ(BillUsers(), QStringList{u"Acme"_s});
}

// The customer row gone by the time it is rewritten (here a trigger removes it as its bills
// follow the new name): reported, and the bills keep the old name.
TEST_F(CustomerEditorTest, CustomerGoneWhenItsRowIsWrittenIsReported) {
    const qint64 key = AddCustomer(u"Acme"_s);
    AddBill(u"Acme"_s, 100, QDate(2024, 3, 1));
    Sql(u"CREATE TRIGGER vanish AFTER UPDATE ON Bill BEGIN DELETE FROM Customer WHERE CustomerIndex = %1; END"_s
            .arg(key));
    ui.ExpectMessage(u"找不到要修改的客户"_s);
    EXPECT_NE(Open(1, key,
                   [](TFormCustomer2* f) {
                       f->CustomerName->setText(u"Zenith"_s);
                       f->BitBtn1->click();
                   }),
              QDialog::Accepted);
    EXPECT_EQ(Column(key, u"CustomerName"_s).toString(), u"Acme"_s);
    EXPECT_EQ(BillUsers(), QStringList{u"Acme"_s});
}

} // namespace
