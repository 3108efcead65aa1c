#pragma once
// A fresh empty database with helpers that write customers, accounts, bills and vouchers
// straight into it, as the editors would store them.

#include "tests/domain/DomainFixture.h"

#include <QDate>

namespace tevtest {

class BusinessRows : public DomainFixture {
protected:
    // The columns are NOT NULL: a null text is stored as empty text.
    static QString Text(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }
    qint64 LastKey() { return Scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong(); }

    qint64 AddCustomer(const QString& name, double owe = 0, const QString& man = {}) {
        Sql(QStringLiteral("INSERT INTO Customer (CustomerName, CustomerOwe, CustomerMan) VALUES (?, ?, ?)"),
            {name, owe, Text(man)});
        return LastKey();
    }
    qint64 AddAccount(const QString& name, double base = 0, const QString& man = QStringLiteral("总经理")) {
        Sql(QStringLiteral("INSERT INTO Account (AccountName, AccountBase, AccountMan) VALUES (?, ?, ?)"),
            {name, base, man});
        return LastKey();
    }
    // A sales bill is stored positive, a purchase bill negative.
    void AddBill(const QString& customer, double sum, const QDate& date) {
        const QString kind = sum >= 0 ? QStringLiteral("销售开单") : QStringLiteral("采购开单");
        Sql(QStringLiteral(
                "INSERT INTO Bill (BillKind, BillUser, BillSum, BillCreateTime) VALUES (?, ?, ?, ?)"),
            {kind, customer, sum, date.toString(QStringLiteral("yyyy-MM-dd"))});
    }
    // An income voucher is stored positive, an expense voucher negative.
    void AddVoucher(const QString& customer, double sum, const QDate& date, qint64 account = 2) {
        Sql(QStringLiteral("INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneyIn, MoneyOut, MoneySum, "
                           "MoneyCreateTime) VALUES (?, ?, ?, ?, ?, ?)"),
            {account, customer, sum >= 0 ? sum : 0.0, sum < 0 ? -sum : 0.0, sum,
             date.toString(QStringLiteral("yyyy-MM-dd"))});
    }
};

} // namespace tevtest
