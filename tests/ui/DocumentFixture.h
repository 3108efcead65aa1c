#pragma once
// A signed-in program with a few customers and money accounts, for the bill and voucher
// editors: rows are written straight into the database, results read back from it.

#include "tests/support/AppFixture.h"

#include "access/AskForm.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "ui/Globals.h"

#include <QLineEdit>
#include <QPushButton>

namespace tevtest {

class DocumentFixture : public AppFixture {
protected:
    // The working date; ui.today (the record date) is 2024-03-15.
    const QDate workingDate = QDate(2024, 3, 10);

    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
        tev::CurrentRole = QStringLiteral("管理员");
        tev::CurrentUser = QStringLiteral("张伟");
        tev::FormMain->SetWorkingDate(workingDate);
    }

    tev::Database& Db() { return tev::ShareDM->ADOConnection1; }

    qint64 AddCustomer(const QString& name) {
        return Db().Insert(QStringLiteral("Customer"), {{QStringLiteral("CustomerName"), name}});
    }
    qint64 AddAccount(const QString& name) {
        return Db().Insert(QStringLiteral("Account"), {{QStringLiteral("AccountName"), name}});
    }
    qint64 AddBill(const QString& kind, const QString& customer, double sum,
                   const QString& serial = QStringLiteral("")) {
        return Db().Insert(QStringLiteral("Bill"),
                           {{QStringLiteral("BillKind"), kind},
                            {QStringLiteral("BillUser"), customer},
                            {QStringLiteral("BillSum"), sum},
                            {QStringLiteral("BillSerial"), serial},
                            {QStringLiteral("BillCreateTime"), QStringLiteral("2024-03-01")},
                            {QStringLiteral("BillRecordTime"), QStringLiteral("2024-03-01")},
                            {QStringLiteral("BillReason"), QStringLiteral("中介服务")},
                            {QStringLiteral("BillState"), QStringLiteral("已签约")},
                            {QStringLiteral("BillMan"), QStringLiteral("李娜")}});
    }
    // A voucher of the signed amount (income when 0 or more).
    qint64 AddVoucher(qint64 account, const QString& customer, double sum, qint64 bill = 0,
                      const QString& serial = QStringLiteral("")) {
        return Db().Insert(QStringLiteral("MoneyTable"),
                           {{QStringLiteral("MoneyAccount"), account},
                            {QStringLiteral("MoneyBill"), bill},
                            {QStringLiteral("MoneyUser"), customer},
                            {QStringLiteral("MoneyCreateTime"), QStringLiteral("2024-03-02")},
                            {QStringLiteral("MoneyRecordTime"), QStringLiteral("2024-03-02")},
                            {QStringLiteral("MoneyReason"), QStringLiteral("房屋买卖")},
                            {QStringLiteral("MoneyIn"), sum >= 0 ? sum : 0.0},
                            {QStringLiteral("MoneyOut"), sum < 0 ? -sum : 0.0},
                            {QStringLiteral("MoneySum"), sum},
                            {QStringLiteral("MoneyType"), QStringLiteral("定金")},
                            {QStringLiteral("MoneyToken"), QStringLiteral("转帐")},
                            {QStringLiteral("MoneySerial"), serial},
                            {QStringLiteral("MoneyMan"), QStringLiteral("李娜")}});
    }
    void SetModifyPassword(const QString& key) {
        Sql(QStringLiteral("UPDATE Power SET PowerKey = ? WHERE PowerName = '修改'"), {key});
    }
    void SetSetting(int row, const QString& value) {
        Sql(QStringLiteral("UPDATE Setting SET SettingValue = ? WHERE SettingIndex = ?"), {value, row});
    }
    QString Setting(int row) {
        return Scalar(QStringLiteral("SELECT SettingValue FROM Setting WHERE SettingIndex = ?"), {row})
            .toString();
    }
    int Count(const QString& table) {
        return Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }
    // One column of one row, by key.
    QVariant Field(const QString& table, const QString& column, const QString& key, qint64 index) {
        return Scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(column, table, key), {index});
    }

    // Scripts the modification-password prompt: ok true enters text and confirms, false cancels.
    void ExpectPassword(const QString& text, bool ok = true) {
        ui.ExpectModal<tev::TFormAsk>(QStringLiteral("FormAsk"), [text, ok](tev::TFormAsk* f) {
            EXPECT_EQ(f->windowTitle(), QStringLiteral("修改密码"));
            EXPECT_EQ(f->Label1->text(), QStringLiteral("请输入资料修改密码"));
            f->Edit1->setText(text);
            (ok ? f->BitBtn1 : f->BitBtn2)->click();
        });
    }
};

} // namespace tevtest
