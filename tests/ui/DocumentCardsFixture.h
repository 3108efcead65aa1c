#pragma once
// The bills and vouchers pages: a program with its database open and a fixed working date,
// helpers that store bills and vouchers as the editors would, and readers of the tiles.

#include "tests/report/QStringPrint.h"
#include "tests/support/AppFixture.h"

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "cards/CardPage.h"

#include <QHash>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <ostream>

namespace tevtest {

class DocumentCardsFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
        tev::FormMain->SetWorkingDate(ui.today); // 2024-03-15
        account =
            Db().Insert(QStringLiteral("Account"), {{QStringLiteral("AccountName"), QStringLiteral("现金")}});
    }

    tev::Database& Db() { return tev::ShareDM->ADOConnection1; }
    static QString Iso(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

    // A sales bill is stored positive, a purchase bill negative (and a bill of 0 is a sales bill).
    qint64 AddBill(const QString& customer, double sum, const QDate& date,
                   const QString& serial = QStringLiteral(""),
                   const QString& man = QStringLiteral("总经理")) {
        const QString kind = sum >= 0 ? QStringLiteral("销售开单") : QStringLiteral("采购开单");
        return Db().Insert(QStringLiteral("Bill"), {{QStringLiteral("BillKind"), kind},
                                                    {QStringLiteral("BillUser"), customer},
                                                    {QStringLiteral("BillSerial"), serial},
                                                    {QStringLiteral("BillSum"), sum},
                                                    {QStringLiteral("BillCreateTime"), Iso(date)},
                                                    {QStringLiteral("BillRecordTime"), Iso(date)},
                                                    {QStringLiteral("BillMan"), man}});
    }
    // An income voucher is stored positive, an expense voucher negative.
    qint64 AddVoucher(const QString& customer, double sum, const QDate& date, qint64 bill = 0,
                      const QString& type = QStringLiteral("定金"),
                      const QString& token = QStringLiteral("转帐"),
                      const QString& serial = QStringLiteral(""),
                      const QString& man = QStringLiteral("总经理")) {
        return Db().Insert(QStringLiteral("MoneyTable"), {{QStringLiteral("MoneyAccount"), account},
                                                          {QStringLiteral("MoneyBill"), bill},
                                                          {QStringLiteral("MoneyUser"), customer},
                                                          {QStringLiteral("MoneyCreateTime"), Iso(date)},
                                                          {QStringLiteral("MoneyRecordTime"), Iso(date)},
                                                          {QStringLiteral("MoneyIn"), sum >= 0 ? sum : 0.0},
                                                          {QStringLiteral("MoneyOut"), sum < 0 ? -sum : 0.0},
                                                          {QStringLiteral("MoneySum"), sum},
                                                          {QStringLiteral("MoneyType"), type},
                                                          {QStringLiteral("MoneyToken"), token},
                                                          {QStringLiteral("MoneySerial"), serial},
                                                          {QStringLiteral("MoneyMan"), man}});
    }

    // What tile n shows: the three values, the label under the picture, the picture's file name.
    struct TileView {
        QStringList values;
        QString under, icon;
        QColor colour;
        bool operator==(const TileView&) const = default;
        friend void PrintTo(const TileView& v, std::ostream* os) {
            *os << v.values.join(QStringLiteral(" | ")).toStdString() << " / " << v.under.toStdString()
                << " / " << v.icon.toStdString() << " / " << v.colour.name().toStdString();
        }
    };
    static TileView ViewOf(const tev::CardPage* page, int n) {
        const tev::CardTile* t = page->Tile(n);
        return {{t->Values[0]->text(), t->Values[1]->text(), t->Values[2]->text()},
                t->Under->text(),
                t->PictureFile().section(QLatin1Char('/'), -1),
                t->TextColour()};
    }
    // The keys of the tiles shown, in tile order.
    static QList<qint64> ShownKeys(const tev::CardPage* page) {
        QList<qint64> keys;
        for (int n = 1; n <= tev::kTilesPerPage; ++n)
            if (page->Tile(n)->isVisibleTo(page->Sheet)) keys << page->Tile(n)->Tag;
        return keys;
    }
    // Every key of the list, from the first screen page to the last by the forward button.
    static QList<qint64> AllPagesKeys(tev::CardPage* page) {
        page->PageNumber = 0;
        page->Refresh();
        QList<qint64> keys = ShownKeys(page);
        while (page->Next->isEnabled()) {
            page->Next->click();
            keys << ShownKeys(page);
        }
        return keys;
    }

    // Pages through the list and compares it with the whole list of the reference statement:
    // the same count and the same rows, in the same order as far as the reference's order
    // columns decide it (rows tied on them may come in either order).
    void ExpectPagesMatch(tev::CardPage* page, const QString& referenceSql, const QString& keyColumn,
                          const QStringList& orderColumns) {
        tev::ResultSet reference;
        ASSERT_TRUE(Db().Select(referenceSql, reference)) << Db().LastError().toStdString();
        QList<qint64> expected;
        QHash<qint64, QStringList> orderValues;
        for (reference.First(); !reference.Eof(); reference.Next()) {
            const qint64 key = reference.AsInteger(keyColumn);
            expected << key;
            for (const QString& column : orderColumns)
                orderValues[key] << reference.AsString(column);
        }
        const QList<qint64> paged = AllPagesKeys(page);
        EXPECT_TRUE(page->Status->text().startsWith(QStringLiteral("共 %1 记录").arg(expected.size())))
            << page->Status->text().toStdString();
        QList<qint64> sortedExpected = expected, sortedPaged = paged;
        std::sort(sortedExpected.begin(), sortedExpected.end());
        std::sort(sortedPaged.begin(), sortedPaged.end());
        ASSERT_EQ(sortedPaged, sortedExpected) << referenceSql.toStdString();
        QList<QStringList> expectedOrder, pagedOrder;
        for (qint64 key : expected)
            expectedOrder << orderValues[key];
        for (qint64 key : paged)
            pagedOrder << orderValues[key];
        EXPECT_EQ(pagedOrder, expectedOrder) << referenceSql.toStdString();
    }

    qint64 account = 0;
};

} // namespace tevtest
