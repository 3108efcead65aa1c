#pragma once
// Bills and vouchers written straight into a fresh empty database, for the tests of their rules.

#include "tests/domain/DomainFixture.h"

namespace tevtest {

class DocumentsFixture : public DomainFixture {
protected:
    qint64 AddAccount(const QString& name) {
        return db.Insert(QStringLiteral("Account"), {{QStringLiteral("AccountName"), name}});
    }
    // A bill of the signed sum (sales when 0 or more).
    qint64 AddBill(double sum) {
        return db.Insert(
            QStringLiteral("Bill"),
            {{QStringLiteral("BillKind"), sum >= 0 ? QStringLiteral("销售开单") : QStringLiteral("采购开单")},
             {QStringLiteral("BillUser"), QStringLiteral("杭州远洋")},
             {QStringLiteral("BillSum"), sum},
             {QStringLiteral("BillCreateTime"), QStringLiteral("2024-03-01")},
             {QStringLiteral("BillRecordTime"), QStringLiteral("2024-03-01")}});
    }
    // A voucher of the signed sum (income when 0 or more) on account, naming bill.
    qint64 AddVoucher(qint64 account, double sum, qint64 bill = 0) {
        return db.Insert(QStringLiteral("MoneyTable"),
                         {{QStringLiteral("MoneyAccount"), account},
                          {QStringLiteral("MoneyBill"), bill},
                          {QStringLiteral("MoneyUser"), QStringLiteral("杭州远洋")},
                          {QStringLiteral("MoneyCreateTime"), QStringLiteral("2024-03-02")},
                          {QStringLiteral("MoneyIn"), sum >= 0 ? sum : 0.0},
                          {QStringLiteral("MoneyOut"), sum < 0 ? -sum : 0.0},
                          {QStringLiteral("MoneySum"), sum}});
    }
    QString Setting(int row) {
        return Scalar(QStringLiteral("SELECT SettingValue FROM Setting WHERE SettingIndex = ?"), {row})
            .toString();
    }
    int Count(const QString& table) {
        return Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }
    // Makes every change of the number rows fail, as a full disk would half-way through a store.
    void RefuseNumberChanges() {
        Sql(QStringLiteral("CREATE TRIGGER t BEFORE UPDATE ON Setting BEGIN SELECT RAISE(ABORT,'x'); END"));
    }
};

} // namespace tevtest
