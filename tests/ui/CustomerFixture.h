#pragma once
// A program with its database open, the working date set and helpers that store customers,
// bills and vouchers as the editors would.

#include "tests/support/AppFixture.h"

#include "app/Forms.h"
#include "app/MainForm.h"
#include "cards/CustomerCards.h"

#include <QLabel>

namespace tevtest {

class CustomerFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
        tev::FormMain->SetWorkingDate(ui.today);
    }

    tev::CustomerCardPage* Page() const {
        return static_cast<tev::CustomerCardPage*>(tev::FormMain->CustomerCards);
    }

    // The columns are NOT NULL: a null text is stored as empty text.
    static QString Text(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

    qint64 AddCustomer(const QString& name, double owe = 0, const QString& contact = {},
                       const QString& man = {}) {
        Sql(QStringLiteral("INSERT INTO Customer (CustomerName, CustomerOwe, CustomerContact, CustomerMan) "
                           "VALUES (?, ?, ?, ?)"),
            {name, owe, Text(contact), Text(man)});
        return Scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
    }
    // A sales bill is stored positive, a purchase bill negative.
    void AddBill(const QString& customer, double sum, const QDate& date, const QString& man = {}) {
        const QString kind = sum >= 0 ? QStringLiteral("销售开单") : QStringLiteral("采购开单");
        Sql(QStringLiteral("INSERT INTO Bill (BillKind, BillUser, BillSum, BillCreateTime, BillMan) "
                           "VALUES (?, ?, ?, ?, ?)"),
            {kind, customer, sum, date.toString(QStringLiteral("yyyy-MM-dd")), Text(man)});
    }
    // An income voucher is stored positive, an expense voucher negative.
    void AddVoucher(const QString& customer, double sum, const QDate& date, const QString& man = {}) {
        Sql(QStringLiteral("INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneyIn, MoneyOut, MoneySum, "
                           "MoneyCreateTime, MoneyMan) VALUES (2, ?, ?, ?, ?, ?, ?)"),
            {customer, sum >= 0 ? sum : 0.0, sum < 0 ? -sum : 0.0, sum,
             date.toString(QStringLiteral("yyyy-MM-dd")), Text(man)});
    }

    // Texts of tile n's value labels: name, 货款, 欠款.
    QStringList TileTexts(int n) const {
        const tev::CardTile* t = Page()->Tile(n);
        return {t->Values[0]->text(), t->Values[1]->text(), t->Values[2]->text()};
    }
    int VisibleTiles() const {
        int shown = 0;
        for (int n = 1; n <= tev::kTilesPerPage; ++n)
            shown += Page()->Tile(n)->isVisibleTo(Page()->Sheet) ? 1 : 0;
        return shown;
    }
};

} // namespace tevtest
