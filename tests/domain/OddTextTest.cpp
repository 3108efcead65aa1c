// Names and texts as users type them, through every path that stores or looks up a name:
// customers (with their rename into bills), bills with their options, remark and salesman,
// accounts, option lists, salesmen with their hand-over, the salesman's filters and the
// searches. Quotes, backslashes, "%" and "_", the "%1" of the program's own text building,
// characters beyond the basic plane, control characters, a right-to-left mark and very long
// names are stored exactly, found exactly, match only themselves in a search and never break
// a statement.

#include "tests/domain/BusinessRows.h"

#include "domain/Access.h"
#include "domain/Accounts.h"
#include "domain/Bills.h"
#include "domain/Customers.h"
#include "domain/Options.h"
#include "domain/Reports.h"
#include "domain/Users.h"

#include <gtest/gtest.h>

#include <iostream>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

QStringList OddTexts() {
    return {
        u"O'Brien"_s,
        u"\"双引号\""_s,
        u"反斜杠\\中\\"_s,
        u"100%"_s,  // a LIKE pattern's any-text
        u"a_b"_s,   // a LIKE pattern's any-character
        u"%1%2"_s,  // the placeholders of the program's own statement building
        u"😀笑脸"_s, // beyond the basic plane
        QString::fromUcs4(U"\U00020000扩展B"),
        QString(500, u'长'),
        u"制表\t符"_s,
        u"控制"_s + QChar(1) + u"符"_s,
        QChar(0x200F) + u"从右到左"_s,
        u"'); DROP TABLE Customer; --"_s,
        u"#2024-1-1#"_s, // the dialect's date literal
        u"True"_s,       // the dialect's boolean word
        u"问号?与:名字"_s,
    };
}

// Stored beside them: what a pattern or a broken quoting would find instead.
const QStringList kDecoys = {u"1000"_s, u"axb"_s, u"ab"_s, u"O''Brien"_s, u"a\\b"_s, u"%"_s};

class OddTextTest : public tevtest::BusinessRows {
protected:
    // The rows a statement in the program's dialect returns; -1 when it failed.
    int Rows(const QString& statement) {
        ResultSet rs;
        if (!db.Select(statement, rs)) {
            ADD_FAILURE() << statement.toStdString() << ": " << db.LastError().toStdString();
            return -1;
        }
        return rs.RecordCount();
    }
    // How many of the texts hold the searched text, as the search compares (letter case ignored).
    static int Holding(const QStringList& texts, const QString& searched) {
        int n = 0;
        for (const QString& t : texts)
            n += t.contains(searched, Qt::CaseInsensitive);
        return n;
    }
    qint64 FreeSalesmanSlot() {
        return Scalar(u"SELECT MIN(PowerIndex) FROM Power WHERE PowerRole = '业务员' AND PowerName = ''"_s)
            .toLongLong();
    }
};

TEST_F(OddTextTest, EveryNamePathStoresAndFindsTheTextExactly) {
    const QStringList odd = OddTexts();
    for (const QString& decoy : kDecoys) {
        CustomerInput in;
        in.name = decoy;
        ASSERT_TRUE(StoreNewCustomer(db, in, u"李娜"_s)) << decoy.toStdString();
    }
    QStringList customers = kDecoys; // every customer's name as it is now
    QStringList billed;              // the customer name of every bill as it is now
    const qint64 slot = FreeSalesmanSlot();
    ASSERT_GT(slot, 1);
    QString previousSalesman;
    int paths = 0, exact = 0;
    const auto check = [&](bool ok) {
        ++paths;
        exact += ok;
        return ok;
    };

    for (const QString& text : odd) {
        SCOPED_TRACE(text.toStdString());
        // The customer, stored exactly and refused a second time under the same name.
        CustomerInput in;
        in.name = text;
        in.remark = text;
        in.address = text;
        ASSERT_TRUE(StoreNewCustomer(db, in, text));
        customers << text;
        const qint64 index =
            Scalar(u"SELECT CustomerIndex FROM Customer WHERE CustomerName = ?"_s, {text}).toLongLong();
        const Result<CustomerRecord> loaded = LoadCustomer(db, index);
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(check(loaded.value.name == text && loaded.value.remark == text &&
                          loaded.value.address == text && loaded.value.man == text));
        const CustomerOutcome again = StoreNewCustomer(db, in, text);
        EXPECT_TRUE(
            check(again.kind == Outcome::Refused && again.message == u"该客户名已经存在，请重新操作"_s));

        // The customer search finds every name holding the text and nothing else; with the
        // remark and the salesman's own customers, it finds the one.
        CustomerListOptions search;
        search.search.texts[0] = text; // 客户名称
        const Result<int> found = CountCustomers(db, search);
        ASSERT_TRUE(found);
        EXPECT_TRUE(check(found.value == Holding(customers, text))) << found.value;
        search.search.texts[8] = text; // 备注
        search.customerFilter = FiltersFor(text).customer;
        EXPECT_TRUE(check(CountCustomers(db, search).value == 1));

        // An option of each list, looked up by its text.
        for (int type = 1; type <= 4; ++type)
            ASSERT_TRUE(AddOption(db, type, text));
        const Result<std::optional<qint64>> option = FindOption(db, 1, text);
        EXPECT_TRUE(
            check(option && option.value &&
                  Scalar(u"SELECT ParameterValue FROM Parameter WHERE ParameterIndex = ?"_s, {*option.value})
                          .toString() == text));

        // A bill naming the customer, with the options, remark and salesman of the same text.
        BillInput bill;
        bill.created = bill.recorded = QDate(2024, 3, 10);
        bill.serial = u"XS1"_s;
        bill.customer = bill.reason = bill.state = bill.remark = bill.man = text;
        bill.amount = 10;
        const Result<qint64> key = StoreNewBill(db, bill, std::nullopt);
        ASSERT_TRUE(key);
        billed << text;
        const Result<BillRecord> stored = LoadBill(db, key.value);
        ASSERT_TRUE(stored);
        EXPECT_TRUE(check(stored.value.customer == text && stored.value.reason == text &&
                          stored.value.state == text && stored.value.remark == text &&
                          stored.value.man == text && stored.value.customerIndex == index));
        BillQueryInput query;
        query.customer = query.remark = query.salesman = query.reason = query.state = text;
        EXPECT_TRUE(check(Rows(BillQueryStatement(query, FiltersFor(text).bill)) == 1));
        query.customer = text.left(text.size() - 1); // a part of the name finds it too
        query.remark = query.salesman = QString();
        query.reason = query.state = kAllItems;
        EXPECT_TRUE(check(Rows(BillQueryStatement(query, {})) == Holding(billed, query.customer)));

        // Renamed, the customer takes its bill along, and its balance follows.
        in.name = text + u"·改"_s;
        ASSERT_TRUE(ChangeCustomer(db, index, in));
        EXPECT_TRUE(check(
            Scalar(u"SELECT BillUser FROM Bill WHERE BillIndex = ?"_s, {key.value}).toString() == in.name));
        const Result<CustomerBalance> balance = CustomerBalanceAt(db, in.name, QDate(2024, 3, 31));
        EXPECT_TRUE(check(balance && balance.value.sales.value_or(0) == 10));
        customers.last() = billed.last() = in.name;

        // An account, found by its name and renamed.
        ASSERT_TRUE(StoreNewAccount(db, {text, 5}, text));
        const Result<std::optional<AccountRecord>> account = FindAccount(db, text);
        EXPECT_TRUE(
            check(account && account.value && account.value->name == text && account.value->man == text));
        EXPECT_TRUE(check(bool(ChangeAccount(db, text, {text + u"2"_s, 5}))));
        const Result<std::optional<AccountRecord>> renamed = FindAccount(db, text + u"2"_s);
        EXPECT_TRUE(check(renamed && renamed.value && renamed.value->index == account.value->index));

        // A salesman of that name: the slot takes it over from the previous text with its
        // customers, and no other slot may take the name again.
        SalesmanInput salesman{slot, text, text, u"Faces/3.bmp"_s, true, true};
        const Result<SalesmanStored> named = StoreSalesman(db, salesman, true);
        ASSERT_TRUE(named);
        EXPECT_TRUE(
            check(named.value.oldName == previousSalesman &&
                  Scalar(u"SELECT PowerName FROM Power WHERE PowerIndex = ?"_s, {slot}).toString() == text));
        EXPECT_TRUE(check(Scalar(u"SELECT COUNT(*) FROM Customer WHERE CustomerMan = ?"_s, {text}).toInt() ==
                          (previousSalesman.isEmpty() ? 1 : 2)));
        salesman.index = FreeSalesmanSlot();
        const Result<QString> twice = CheckSalesman(db, salesman);
        EXPECT_TRUE(check(twice.kind == Outcome::Refused && twice.message == u"名字有重复，请重新操作"_s));
        // The customers the previous name handed over are this one's now.
        Sql(u"UPDATE Customer SET CustomerMan = ? WHERE CustomerMan = ?"_s, {u"李娜"_s, text});
        Sql(u"UPDATE Customer SET CustomerMan = ? WHERE CustomerIndex = ?"_s, {text, index});
        previousSalesman = text;
    }
    // Nothing broke a statement: every table is there and every row is as many as stored.
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Customer"_s).toInt(), 1 + kDecoys.size() + odd.size());
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Bill"_s).toInt(), 1 + odd.size());
    EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM Account"_s).toInt(), 1 + odd.size());
    EXPECT_EQ(paths, exact);
    std::cout << "odd text: " << odd.size() << " texts, " << paths << " checks of stored and found texts, "
              << exact << " exact" << std::endl;
}

} // namespace
