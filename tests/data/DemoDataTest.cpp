// The demo and bulk contents: what the program reads from them must hold together.

#include "data/DemoData.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

std::string S(const QString& s) {
    return s.toStdString();
}

tev::ResultSet Rows(tev::Database& db, const QString& sql, const QVariantList& args = {}) {
    tev::ResultSet rs;
    EXPECT_TRUE(db.Query(sql, args, &rs)) << S(sql) << ": " << S(db.LastError());
    return rs;
}

// First column of the first row.
QVariant Scalar(tev::Database& db, const QString& sql, const QVariantList& args = {}) {
    const tev::ResultSet rs = Rows(db, sql, args);
    return rs.IsEmpty() ? QVariant() : rs.At(0, 0);
}

qint64 Count(tev::Database& db, const QString& sql, const QVariantList& args = {}) {
    return Scalar(db, sql, args).toLongLong();
}

// Every row of the business tables as text, in key order.
QStringList Dump(tev::Database& db) {
    QStringList out;
    for (const QString& table :
         {u"Customer"_s, u"Account"_s, u"Bill"_s, u"MoneyTable"_s, u"Power"_s, u"Setting"_s}) {
        const tev::ResultSet rs = Rows(db, u"SELECT * FROM %1 ORDER BY 1"_s.arg(table));
        for (int r = 0; r < rs.RecordCount(); ++r) {
            QStringList cells;
            for (const QVariant& v : rs.Row(r))
                cells << v.toString();
            out << table + u": "_s + cells.join(u'|');
        }
    }
    return out;
}

// Icon level of a tile amount: 0 for Money0, else the number of "+".
int Level(double amount, double threshold1, double threshold2) {
    if (amount == 0) return 0;
    return 1 + (std::abs(amount) > threshold1) + (std::abs(amount) > threshold2);
}

class DatabaseFile {
public:
    DatabaseFile() {
        path = dir.filePath(u"Tevrano.mdb"_s);
        QString error;
        EXPECT_TRUE(tev::CreateEmptyDatabase(path, &error)) << S(error);
    }
    QTemporaryDir dir;
    QString path;
};

// A demo database made for the working date of the parameter, then opened afresh the
// way the program opens it.
class DemoDatabase : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        today = QDate::fromString(QString::fromLatin1(GetParam()), u"yyyy-MM-dd"_s);
        ASSERT_TRUE(today.isValid());
        {
            tev::Database writer;
            ASSERT_TRUE(writer.Open(file.path)) << S(writer.LastError());
            QString error;
            ASSERT_TRUE(tev::FillDemoData(writer, today, &error)) << S(error);
        }
        ASSERT_TRUE(db.Open(file.path)) << S(db.LastError());
    }

    QString Iso(const QDate& d) const { return d.toString(u"yyyy-MM-dd"_s); }

    DatabaseFile file;
    tev::Database db;
    QDate today;
};

TEST_P(DemoDatabase, SalesmenFillFreeSlotsWithTheirPasswordsRangesAndPictures) {
    // Power rows are shipped, never added: the salesmen take the first free slots.
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Power"_s), 5 + tev::ShippedSalesmanSlots);
    const tev::ResultSet rs =
        Rows(db, u"SELECT * FROM Power WHERE PowerRole = '业务员' AND PowerName <> '' ORDER BY PowerIndex"_s);
    ASSERT_EQ(rs.RecordCount(), 3);
    const struct {
        QString name, range, picture;
    } expected[] = {{u"张伟"_s, u"业务管理；财务管理；"_s, u"Faces/1.bmp"_s},
                    {u"李娜"_s, u"业务管理；"_s, u"Faces/9.bmp"_s},
                    {u"王强"_s, u"财务管理；"_s, u"Faces/13.bmp"_s}};
    const qint64 firstSlot = Count(db, u"SELECT MIN(PowerIndex) FROM Power WHERE PowerRole = '业务员'"_s);
    for (int i = 0; i < 3; ++i) {
        const QVector<QVariant>& row = rs.Row(i);
        const auto col = [&](const char16_t* name) { return row[rs.ColumnIndex(QString::fromUtf16(name))]; };
        EXPECT_EQ(col(u"PowerIndex").toLongLong(), firstSlot + i);
        EXPECT_EQ(S(col(u"PowerName").toString()), S(expected[i].name));
        EXPECT_EQ(S(col(u"PowerKey").toString()), "1234");
        EXPECT_EQ(S(col(u"PowerRange").toString()), S(expected[i].range));
        EXPECT_EQ(S(col(u"PowerPicture").toString()), S(expected[i].picture));
    }
    // Role rows and the modification password keep their shipped (empty) passwords.
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Power WHERE PowerRole <> '业务员' AND PowerKey <> ''"_s), 0);
}

TEST_P(DemoDatabase, CustomersHaveUniqueNamesAndKnownOwners) {
    const qint64 customers = Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1"_s);
    EXPECT_GE(customers, 35);
    EXPECT_LE(customers, 50);
    EXPECT_EQ(
        Count(db, u"SELECT COUNT(DISTINCT lower(CustomerName)) FROM Customer WHERE CustomerIndex > 1"_s),
        customers);
    EXPECT_EQ(
        Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1 AND trim(CustomerName) = ''"_s), 0);
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerOwe < 0"_s), 0);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerOwe > 0"_s), 0);
    // A name with a quote is part of the demo, so statements that splice names meet one.
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerName LIKE '%''%'"_s), 1);
    // Contact data is filled for most, not all.
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerHandPhone <> ''"_s), customers / 2);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerAddress <> ''"_s), customers / 2);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1 AND CustomerAddress = ''"_s),
              0);

    // Every owner of a record is a user who can sign in.
    for (
        const QString& sql :
        {u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1 AND CustomerMan NOT IN (SELECT PowerName FROM Power)"_s,
         u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1 AND BillMan NOT IN (SELECT PowerName FROM Power)"_s,
         u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyMan NOT IN (SELECT PowerName FROM Power)"_s,
         u"SELECT COUNT(*) FROM Account WHERE AccountIndex > 1 AND AccountMan NOT IN (SELECT PowerName FROM Power)"_s})
        EXPECT_EQ(Count(db, sql), 0) << S(sql);
    // Each salesman has records of his own to see, and one account is a salesman's.
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerMan = '张伟'"_s), 0);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillMan = '李娜'"_s), 0);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyMan = '王强'"_s), 0);
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Account WHERE AccountMan = '王强'"_s), 1);
    EXPECT_GE(Count(db, u"SELECT COUNT(*) FROM Account WHERE AccountMan = '财务主管'"_s), 4);
}

TEST_P(DemoDatabase, AmountsCarryTheSignOfTheirKind) {
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillKind = '销售开单'"_s), 40);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillKind = '采购开单'"_s), 10);
    const QString faults[] = {
        u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1 AND BillKind NOT IN ('销售开单', '采购开单')"_s,
        u"SELECT COUNT(*) FROM Bill WHERE BillKind = '销售开单' AND BillSum <= 0"_s,
        u"SELECT COUNT(*) FROM Bill WHERE BillKind = '采购开单' AND BillSum >= 0"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneySum <> MoneyIn - MoneyOut"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND (MoneyIn < 0 OR MoneyOut < 0)"_s,
        // A voucher is either income or expense, never both and never of nothing.
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND (MoneyIn > 0) = (MoneyOut > 0)"_s,
        u"SELECT COUNT(*) FROM Account WHERE AccountBase < 0"_s,
    };
    for (const QString& sql : faults)
        EXPECT_EQ(Count(db, sql), 0) << S(sql);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneySum > 0"_s), 0);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneySum < 0"_s), 0);
}

TEST_P(DemoDatabase, VouchersSettleExistingBillsOfTheSameCustomerAndKind) {
    const QString faults[] = {
        // MoneyBill is 0 or a stored bill.
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyBill <> 0 AND MoneyBill NOT IN "
        "(SELECT BillIndex FROM Bill WHERE BillIndex > 1)"_s,
        u"SELECT COUNT(*) FROM MoneyTable m JOIN Bill b ON b.BillIndex = m.MoneyBill WHERE m.MoneyUser <> b.BillUser"_s,
        u"SELECT COUNT(*) FROM MoneyTable m JOIN Bill b ON b.BillIndex = m.MoneyBill WHERE "
        "(b.BillSum > 0) <> (m.MoneySum > 0)"_s,
        u"SELECT COUNT(*) FROM MoneyTable m JOIN Bill b ON b.BillIndex = m.MoneyBill WHERE "
        "m.MoneyCreateTime < b.BillCreateTime"_s,
        // Nothing is paid beyond its bill.
        u"SELECT COUNT(*) FROM (SELECT b.BillSum AS s, SUM(m.MoneySum) AS p FROM Bill b JOIN MoneyTable m "
        "ON m.MoneyBill = b.BillIndex GROUP BY b.BillIndex) WHERE abs(p) > abs(s) + 0.001"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyAccount NOT IN "
        "(SELECT AccountIndex FROM Account WHERE AccountIndex > 1)"_s,
        u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1 AND BillUser NOT IN (SELECT CustomerName FROM Customer)"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyUser NOT IN "
        "(SELECT CustomerName FROM Customer)"_s,
        // Option texts come from their lists.
        u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1 AND BillReason NOT IN "
        "(SELECT ParameterValue FROM Parameter WHERE ParameterType = 1)"_s,
        u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1 AND BillState NOT IN "
        "(SELECT ParameterValue FROM Parameter WHERE ParameterType = 4)"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyReason NOT IN "
        "(SELECT ParameterValue FROM Parameter WHERE ParameterType = 1)"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyType NOT IN "
        "(SELECT ParameterValue FROM Parameter WHERE ParameterType = 2)"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyToken NOT IN "
        "(SELECT ParameterValue FROM Parameter WHERE ParameterType = 3)"_s,
        // A bill is finished exactly when it is fully paid.
        u"SELECT COUNT(*) FROM Bill b WHERE BillIndex > 1 AND (BillState = '已完成') <> "
        "(abs(BillSum - (SELECT COALESCE(SUM(MoneySum), 0) FROM MoneyTable WHERE MoneyBill = b.BillIndex)) < 0.001)"_s,
    };
    for (const QString& sql : faults)
        EXPECT_EQ(Count(db, sql), 0) << S(sql);

    // Some vouchers stand alone; bills are settled fully, partly or not at all.
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyBill = 0"_s), 3);
    const QString settled =
        u"SELECT COUNT(*) FROM (SELECT b.BillSum AS s, (SELECT COALESCE(SUM(MoneySum), 0) FROM "
        "MoneyTable WHERE MoneyBill = b.BillIndex) AS p FROM Bill b WHERE BillIndex > 1) WHERE %1"_s;
    EXPECT_GT(Count(db, settled.arg(u"abs(s - p) < 0.001"_s)), 10);
    EXPECT_GT(Count(db, settled.arg(u"p <> 0 AND abs(s - p) >= 0.001"_s)), 5);
    EXPECT_GT(Count(db, settled.arg(u"p = 0"_s)), 3);
}

TEST_P(DemoDatabase, DocumentsSpanFourMonthsUpToTodayWithSomeOnTodayAndInItsMonth) {
    const QRegularExpression iso(u"^\\d{4}-\\d{2}-\\d{2}$"_s);
    const QDate earliest = today.addMonths(-4);
    const struct {
        QString sql;
    } dates[] = {{u"SELECT BillCreateTime, BillRecordTime FROM Bill WHERE BillIndex > 1"_s},
                 {u"SELECT MoneyCreateTime, MoneyRecordTime FROM MoneyTable WHERE MoneyIndex > 1"_s}};
    for (const auto& d : dates) {
        const tev::ResultSet rs = Rows(db, d.sql);
        ASSERT_GT(rs.RecordCount(), 0);
        for (int r = 0; r < rs.RecordCount(); ++r) {
            const QString created = rs.At(r, 0).toString(), recorded = rs.At(r, 1).toString();
            ASSERT_TRUE(iso.match(created).hasMatch()) << S(created);
            ASSERT_TRUE(iso.match(recorded).hasMatch()) << S(recorded);
            const QDate c = QDate::fromString(created, Qt::ISODate),
                        rec = QDate::fromString(recorded, Qt::ISODate);
            EXPECT_TRUE(c >= earliest && c <= today) << S(created);
            EXPECT_TRUE(rec >= c && rec <= today) << S(recorded) << " for " << S(created);
        }
    }
    const QDate first(today.year(), today.month(), 1);
    const qint64 billsToday =
        Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillCreateTime = ?"_s, {Iso(today)});
    const qint64 vouchersToday =
        Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyCreateTime = ?"_s, {Iso(today)});
    EXPECT_GE(billsToday, 3);
    EXPECT_GE(vouchersToday, 4);
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillKind = '采购开单' AND BillCreateTime = ?"_s,
                    {Iso(today)}),
              0);
    const qint64 billsInMonth = Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillCreateTime BETWEEN ? AND ?"_s,
                                      {Iso(first), Iso(today)});
    EXPECT_GE(billsInMonth, billsToday + (first < today ? 2 : 0));
    // Every month of the period has business.
    for (QDate m = first.addMonths(-3); m <= first; m = m.addMonths(1))
        EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillCreateTime BETWEEN ? AND ?"_s,
                        {Iso(m), Iso(m.addMonths(1).addDays(-1))}),
                  0)
            << S(Iso(m));
}

TEST_P(DemoDatabase, NumbersContinueTheSettingRowsWithoutGaps) {
    const struct {
        int row;
        QString prefix, sql;
    } kinds[] = {
        {1, u"XS"_s, u"SELECT BillSerial FROM Bill WHERE BillKind = '销售开单' ORDER BY BillIndex"_s},
        {2, u"CG"_s, u"SELECT BillSerial FROM Bill WHERE BillKind = '采购开单' ORDER BY BillIndex"_s},
        {3, u"SR"_s,
         u"SELECT MoneySerial FROM MoneyTable WHERE MoneyIndex > 1 AND MoneySum >= 0 ORDER BY MoneyIndex"_s},
        {4, u"ZC"_s,
         u"SELECT MoneySerial FROM MoneyTable WHERE MoneyIndex > 1 AND MoneySum < 0 ORDER BY MoneyIndex"_s},
    };
    for (const auto& k : kinds) {
        const tev::ResultSet rs = Rows(db, k.sql);
        ASSERT_GT(rs.RecordCount(), 0);
        // Stored in date order and numbered in that order, from the shipped 100000 on.
        for (int r = 0; r < rs.RecordCount(); ++r)
            EXPECT_EQ(S(rs.At(r, 0).toString()), S(k.prefix + QString::number(100001 + r)));
        EXPECT_EQ(
            S(Scalar(db, u"SELECT SettingValue FROM Setting WHERE SettingIndex = ?"_s, {k.row}).toString()),
            S(rs.At(rs.RecordCount() - 1, 0).toString()));
    }
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM (SELECT BillCreateTime AS d, BillIndex AS i FROM Bill WHERE "
                        "BillIndex > 1) a JOIN (SELECT BillCreateTime AS d, BillIndex AS i FROM Bill WHERE "
                        "BillIndex > 1) b ON a.i < b.i AND a.d > b.d"_s),
              0);
}

TEST_P(DemoDatabase, TilesShowEveryIconLevelAndBothColours) {
    // Customer tiles: the icon goes by the net of bills, the debt adds the opening balance
    // and takes off what was paid (all up to the working date, which is today).
    const tev::ResultSet customers = Rows(
        db, u"SELECT (SELECT COALESCE(SUM(BillSum), 0) FROM Bill WHERE BillUser = c.CustomerName) AS bills, "
            "c.CustomerOwe + (SELECT COALESCE(SUM(BillSum), 0) FROM Bill WHERE BillUser = c.CustomerName) - "
            "(SELECT COALESCE(SUM(MoneySum), 0) FROM MoneyTable WHERE MoneyUser = c.CustomerName) AS owe "
            "FROM Customer c WHERE CustomerIndex > 1"_s);
    QSet<int> customerLevels;
    bool red = false, owesOver30000 = false, owesOver100000 = false, isOwed = false;
    for (int r = 0; r < customers.RecordCount(); ++r) {
        const double bills = customers.At(r, 0).toDouble(), owe = customers.At(r, 1).toDouble();
        customerLevels << Level(bills, 30000, 100000);
        red = red || bills < 0;
        owesOver30000 = owesOver30000 || (owe > 30000 && owe <= 100000);
        owesOver100000 = owesOver100000 || owe > 100000;
        isOwed = isOwed || owe < 0;
    }
    EXPECT_EQ(customerLevels, QSet<int>({0, 1, 2, 3}));
    EXPECT_TRUE(red);
    EXPECT_TRUE(owesOver30000);
    EXPECT_TRUE(owesOver100000);
    EXPECT_TRUE(isOwed);

    const struct {
        QString sql;
        double t1, t2;
    } kinds[] = {
        {u"SELECT BillSum FROM Bill WHERE BillIndex > 1"_s, 3000, 10000},
        {u"SELECT MoneySum FROM MoneyTable WHERE MoneyIndex > 1"_s, 3000, 10000},
        {u"SELECT a.AccountBase + (SELECT COALESCE(SUM(MoneySum), 0) FROM MoneyTable WHERE MoneyAccount = "
         "a.AccountIndex) FROM Account a WHERE AccountIndex > 1"_s,
         30000, 100000},
    };
    for (const auto& k : kinds) {
        const tev::ResultSet rs = Rows(db, k.sql);
        QSet<int> levels;
        for (int r = 0; r < rs.RecordCount(); ++r)
            levels << Level(rs.At(r, 0).toDouble(), k.t1, k.t2);
        for (int level = 1; level <= 3; ++level)
            EXPECT_TRUE(levels.contains(level)) << S(k.sql) << " " << level;
    }
}

INSTANTIATE_TEST_SUITE_P(WorkingDates, DemoDatabase,
                         ::testing::Values("2024-06-12", "2025-03-01", "2024-02-29", "2025-12-31"));

TEST(DemoData, SameDateGivesTheSameContents) {
    const QDate today(2024, 10, 8);
    QStringList dumps[2];
    for (QStringList& dump : dumps) {
        DatabaseFile file;
        tev::Database db;
        ASSERT_TRUE(db.Open(file.path));
        QString error;
        ASSERT_TRUE(tev::FillDemoData(db, today, &error)) << S(error);
        dump = Dump(db);
    }
    EXPECT_GT(dumps[0].size(), 200);
    EXPECT_EQ(dumps[0], dumps[1]);
}

TEST(DemoData, RefusesADatabaseThatHoldsRecordsAndChangesNothing) {
    DatabaseFile file;
    tev::Database db;
    ASSERT_TRUE(db.Open(file.path));
    QString error;
    ASSERT_TRUE(tev::FillDemoData(db, QDate(2024, 5, 20), &error)) << S(error);
    const QStringList before = Dump(db);

    error.clear();
    EXPECT_FALSE(tev::FillDemoData(db, QDate(2024, 5, 20), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(tev::FillBulkData(db, 10, 10, 10, QDate(2024, 5, 20), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Dump(db), before);
}

TEST(DemoData, AFailureHalfwayLeavesTheDatabaseAsItWas) {
    // Bills cannot be stored here, so the filler fails after salesmen, accounts and
    // customers were written: none of them may stay.
    for (const bool bulk : {false, true}) {
        DatabaseFile file;
        tev::Database db;
        ASSERT_TRUE(db.Open(file.path));
        ASSERT_TRUE(db.Query(
            u"CREATE TRIGGER NoBills BEFORE INSERT ON Bill BEGIN SELECT RAISE(ABORT, 'no bills'); END"_s, {}))
            << S(db.LastError());
        const QStringList before = Dump(db);
        QString error;
        const bool ok = bulk ? tev::FillBulkData(db, 5, 5, 5, QDate(2024, 5, 20), &error)
                             : tev::FillDemoData(db, QDate(2024, 5, 20), &error);
        EXPECT_FALSE(ok);
        EXPECT_TRUE(error.contains(u"no bills"_s)) << S(error);
        EXPECT_EQ(Dump(db), before);
    }
}

TEST(BulkData, WritesExactlyTheAskedRowsWithUniqueNamesAndValidLinks) {
    DatabaseFile file;
    tev::Database db;
    ASSERT_TRUE(db.Open(file.path));
    const QDate today(2024, 9, 30);
    QString error;
    ASSERT_TRUE(tev::FillBulkData(db, 300, 1500, 2000, today, &error)) << S(error);

    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1"_s), 300);
    EXPECT_EQ(Count(db, u"SELECT COUNT(DISTINCT CustomerName) FROM Customer WHERE CustomerIndex > 1"_s), 300);
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1"_s), 1500);
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1"_s), 2000);
    const QString faults[] = {
        u"SELECT COUNT(*) FROM Bill WHERE BillKind = '销售开单' AND BillSum <= 0"_s,
        u"SELECT COUNT(*) FROM Bill WHERE BillKind = '采购开单' AND BillSum >= 0"_s,
        u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1 AND BillKind NOT IN ('销售开单', '采购开单')"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneySum <> MoneyIn - MoneyOut"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyBill <> 0 AND MoneyBill NOT IN "
        "(SELECT BillIndex FROM Bill WHERE BillIndex > 1)"_s,
        u"SELECT COUNT(*) FROM MoneyTable m JOIN Bill b ON b.BillIndex = m.MoneyBill WHERE "
        "m.MoneyUser <> b.BillUser OR (b.BillSum > 0) <> (m.MoneySum > 0)"_s,
        u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyAccount NOT IN "
        "(SELECT AccountIndex FROM Account WHERE AccountIndex > 1)"_s,
        u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1 AND (BillCreateTime > ? OR BillCreateTime < ?)"_s,
    };
    for (const QString& sql : faults) {
        const QVariantList args =
            sql.contains(u'?') ? QVariantList{u"2024-09-30"_s, u"2023-09-30"_s} : QVariantList{};
        EXPECT_EQ(Count(db, sql, args), 0) << S(sql);
    }
    EXPECT_GT(Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyBill = 0"_s), 0);
    EXPECT_EQ(Count(db, u"SELECT COUNT(DISTINCT BillSerial) FROM Bill WHERE BillIndex > 1"_s), 1500);
    const qint64 sales = Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillKind = '销售开单'"_s);
    EXPECT_EQ(S(Scalar(db, u"SELECT SettingValue FROM Setting WHERE SettingIndex = 1"_s).toString()),
              S(u"XS%1"_s.arg(100000 + sales)));
    db.Close();
    // The result is a database of this program.
    EXPECT_TRUE(db.Open(file.path)) << S(db.LastError());
}

TEST(BulkData, RefusesCountsThatMakeNoSense) {
    DatabaseFile file;
    tev::Database db;
    ASSERT_TRUE(db.Open(file.path));
    QString error;
    EXPECT_FALSE(tev::FillBulkData(db, 0, 10, 10, QDate(2024, 9, 30), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1"_s), 0);
    EXPECT_EQ(Count(db, u"SELECT COUNT(*) FROM Power WHERE PowerRole = '业务员' AND PowerName <> ''"_s), 0);
}

} // namespace
