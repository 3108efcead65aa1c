// The stores, backups, restores and the upgrade killed at random moments by another process:
// after every kill the file opens whole and every rule that ties its rows together holds.
// Each test prints its figures: runs, kills that caught a write transaction open (a journal
// left behind), and files found inconsistent.

#include "tests/support/FileHash.h"
#include "data/Backup.h"
#include "data/Database.h"
#include "data/Migrate.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

constexpr int kRuns = 50;

QString Worker() {
    return QString::fromUtf8(TEV_BIN_DIR) + u"/tevrano-fault-worker"_s;
}

qint64 Int(Database& db, const QString& sql, const QVariantList& args = {}) {
    ResultSet rs;
    EXPECT_TRUE(db.Query(sql, args, &rs)) << sql.toStdString() << ": " << db.LastError().toStdString();
    return rs.IsEmpty() ? -1 : rs.At(0, 0).toLongLong();
}

QString Text(Database& db, const QString& sql, const QVariantList& args = {}) {
    ResultSet rs;
    EXPECT_TRUE(db.Query(sql, args, &rs)) << sql.toStdString() << ": " << db.LastError().toStdString();
    return rs.IsEmpty() ? QString() : rs.At(0, 0).toString();
}

// What every file must satisfy whatever was killed: the engine finds it whole, every voucher's
// account exists, and the totals the engine keeps (each account's months, each bill's received
// amount) are those of the vouchers themselves.
QStringList CommonFaults(Database& db) {
    QStringList faults;
    if (const QString check = Text(db, u"PRAGMA integrity_check"_s); check != u"ok"_s) faults << check;
    const QString units = u"Sum(CAST(round(MoneySum * 10000) AS INTEGER))"_s;
    if (Int(db, u"SELECT Count(*) FROM AccountMonth a WHERE Units <> coalesce((SELECT %1 FROM MoneyTable m "
                "WHERE m.MoneyAccount = a.MoneyAccount AND substr(m.MoneyCreateTime, 1, 7) = a.MonthStart), 0)"_s
                    .arg(units)) != 0 ||
        Int(db, u"SELECT Count(*) FROM (SELECT MoneyAccount, substr(MoneyCreateTime, 1, 7) AS m, %1 AS u FROM "
                "MoneyTable WHERE MoneyCreateTime IS NOT NULL GROUP BY 1, 2 HAVING u <> 0) g WHERE NOT EXISTS "
                "(SELECT 1 FROM AccountMonth a WHERE a.MoneyAccount = g.MoneyAccount AND a.MonthStart = g.m)"_s
                    .arg(units)) != 0)
        faults << u"monthly totals differ from the vouchers"_s;
    if (Int(db, u"SELECT Count(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyAccount NOT IN (SELECT "
                "AccountIndex FROM Account)"_s) != 0)
        faults << u"vouchers of an account that is gone"_s;
    if (Int(db, u"SELECT Count(*) FROM Bill WHERE BillGetUnits <> coalesce((SELECT %1 FROM MoneyTable WHERE "
                "MoneyBill = BillIndex), 0)"_s.arg(units)) != 0)
        faults << u"received totals differ from the vouchers"_s;
    return faults;
}

class KillTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.path() + u"/Tevrano.mdb"_s;
        QString error;
        ASSERT_TRUE(CreateEmptyDatabase(path, &error)) << error.toStdString();
        ASSERT_TRUE(db.Open(path)) << db.LastError().toStdString();
        Sql(u"INSERT INTO Account (AccountName, AccountBase, AccountMan) VALUES ('工商银行', 100, '总经理')"_s);
        Sql(u"INSERT INTO Customer (CustomerName) VALUES ('甲方')"_s);
    }

    void Sql(const QString& sql, const QVariantList& args = {}) {
        ASSERT_TRUE(db.Query(sql, args)) << sql.toStdString() << ": " << db.LastError().toStdString();
    }

    // Rows of every document table for one customer and one salesman, in one transaction.
    void Documents(int count, const QString& customer, const QString& man) {
        ASSERT_TRUE(db.Transaction([&] {
            PreparedStatement bill(db, u"INSERT INTO Bill (BillKind, BillUser, BillSum, BillCreateTime, BillMan) "
                                       "VALUES ('销售开单', ?, ?, '2024-03-01', ?)"_s);
            PreparedStatement voucher(db, u"INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneyCreateTime, "
                                          "MoneyIn, MoneySum, MoneyMan, MoneyBill) VALUES (2, ?, '2024-03-02', ?, ?, "
                                          "?, (SELECT Max(BillIndex) FROM Bill))"_s);
            PreparedStatement other(db, u"INSERT INTO Customer (CustomerName, CustomerMan) VALUES (?, ?)"_s);
            for (int i = 0; i < count; ++i) {
                bill.Run({customer, 100 + i, man});
                voucher.Run({customer, i + 0.25, i + 0.25, man});
                other.Run({u"客户%1"_s.arg(i), man});
            }
            return !bill.Failed() && !voucher.Failed() && !other.Failed();
        }));
    }

    struct Kill {
        bool started = false;
        bool stopped = false; // the worker ended by itself before the kill: its work failed
        bool journal = false; // a write transaction was open when the process died
        QString output;
    };
    // Starts the worker, lets it work for a random while, kills it with SIGKILL.
    Kill RunAndKill(const QString& mode, const QString& file, const QString& arg, int afterMs) {
        Kill kill;
        QProcess p;
        p.setProcessChannelMode(QProcess::SeparateChannels);
        QStringList args{mode, file};
        if (!arg.isEmpty()) args << arg;
        p.start(Worker(), args);
        if (!p.waitForStarted(10000)) return kill;
        while (!p.canReadLine() && p.state() == QProcess::Running)
            p.waitForReadyRead(100);
        kill.output = QString::fromUtf8(p.readAll());
        kill.started = kill.output.startsWith(u"ready"_s);
        // A worker that ends within the while ended by itself: its work failed.
        if (p.waitForFinished(afterMs)) {
            kill.stopped = true;
            kill.output += QString::fromUtf8(p.readAllStandardError());
        } else {
            p.kill();
            p.waitForFinished(10000);
        }
        kill.journal = QFileInfo(file + u"-journal"_s).size() > 0;
        return kill;
    }

    // 50 runs of a store, each killed after up to maxMs, the file checked after each.
    void KillStore(const QString& mode, int maxMs, const std::function<QStringList(Database&)>& faultsOf) {
        db.Close();
        std::mt19937 random(qHash(mode));
        std::uniform_int_distribution<int> after(0, maxMs);
        int caught = 0, inconsistent = 0;
        for (int run = 0; run < kRuns; ++run) {
            const Kill kill = RunAndKill(mode, path, {}, after(random));
            ASSERT_TRUE(kill.started) << kill.output.toStdString();
            ASSERT_FALSE(kill.stopped) << kill.output.toStdString();
            caught += kill.journal;
            Database opened;
            ASSERT_TRUE(opened.Open(path)) << opened.LastError().toStdString();
            QStringList faults = CommonFaults(opened);
            faults << faultsOf(opened);
            if (!faults.isEmpty()) {
                ++inconsistent;
                ADD_FAILURE() << mode.toStdString() << " run " << run << ": " << faults.join(u"; "_s).toStdString();
            }
        }
        std::printf("%s: runs %d, killed inside a transaction %d, inconsistent %d\n", qUtf8Printable(mode), kRuns,
                    caught, inconsistent);
        EXPECT_GT(caught, 0) << "no kill caught the store part-way";
        ASSERT_TRUE(db.Open(path));
    }

    QTemporaryDir dir;
    QString path;
    Database db;
};

TEST_F(KillTest, BillsWithTheirVouchers) {
    KillStore(u"bills"_s, 150, [](Database& f) {
        QStringList faults;
        if (Int(f, u"SELECT Count(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyBill NOT IN (SELECT BillIndex "
                   "FROM Bill)"_s) != 0)
            faults << u"vouchers of a bill that is gone"_s;
        return faults;
    });
    EXPECT_GT(Int(db, u"SELECT Count(*) FROM Bill WHERE BillIndex > 1"_s), 10);
}

TEST_F(KillTest, CustomerRenameWithItsDocuments) {
    Documents(300, u"甲方"_s, u"李娜"_s);
    KillStore(u"rename"_s, 150, [](Database& f) {
        const QString name = Text(f, u"SELECT CustomerName FROM Customer WHERE CustomerName IN ('甲方', '乙方')"_s);
        QStringList faults;
        if (Int(f, u"SELECT Count(*) FROM Bill WHERE BillIndex > 1 AND BillUser <> ?"_s, {name}) != 0 ||
            Int(f, u"SELECT Count(*) FROM MoneyTable WHERE MoneyIndex > 1 AND MoneyUser <> ?"_s, {name}) != 0)
            faults << u"documents not carrying the customer's name %1"_s.arg(name);
        if (Int(f, u"SELECT Count(*) FROM Bill WHERE BillIndex > 1"_s) != 300) faults << u"bills lost"_s;
        return faults;
    });
}

// Vouchers of an account that is gone are what an interrupted delete would leave.
TEST_F(KillTest, AccountDeletedWithItsVouchers) {
    KillStore(u"account"_s, 150, [](Database&) { return QStringList(); });
}

TEST_F(KillTest, SalesmanHandOver) {
    Sql(u"UPDATE Power SET PowerName = '李娜' WHERE PowerIndex = (SELECT Min(PowerIndex) FROM Power WHERE "
        "PowerRole = '业务员')"_s);
    Documents(200, u"甲方"_s, u"李娜"_s);
    KillStore(u"handover"_s, 150, [](Database& f) {
        const QString name = Text(f, u"SELECT PowerName FROM Power WHERE PowerName IN ('李娜', '王强')"_s);
        QStringList faults;
        const QString split = u"SELECT Count(*) FROM %1 WHERE %2 IN ('李娜', '王强') AND %2 <> ?"_s;
        if (Int(f, split.arg(u"Customer"_s, u"CustomerMan"_s), {name}) != 0 ||
            Int(f, split.arg(u"Bill"_s, u"BillMan"_s), {name}) != 0 ||
            Int(f, split.arg(u"MoneyTable"_s, u"MoneyMan"_s), {name}) != 0)
            faults << u"records not handed over with the salesman %1"_s.arg(name);
        if (Int(f, u"SELECT Count(*) FROM Bill WHERE BillMan = ?"_s, {name}) != 200) faults << u"bills lost"_s;
        return faults;
    });
}

TEST_F(KillTest, MonthlyReportPool) {
    KillStore(u"pool"_s, 150, [](Database& f) {
        ResultSet rs;
        EXPECT_TRUE(f.Query(u"SELECT Count(*), Count(DISTINCT ReportGrid1), Min(ReportGrid1), Min(ReportGrid2) "
                            "FROM PrintReport WHERE ReportEnable <> 0"_s,
                            {}, &rs));
        QStringList faults;
        const int enabled = rs.At(0, 0).toInt();
        if (enabled == 0) return faults; // killed before the first report landed
        if (rs.At(0, 1).toInt() != 1) faults << u"rows of two reports enabled"_s;
        if (rs.At(0, 3).toInt() != enabled) faults << u"%1 rows of a report of %2"_s.arg(enabled).arg(rs.At(0, 3).toInt());
        const QString period = Text(f, u"SELECT ListValue FROM PrintList WHERE ListIndex = 1"_s);
        if (period != rs.At(0, 2).toString()) faults << u"heading of another report"_s;
        return faults;
    });
}

// A writer inserting vouchers, each in a transaction that also counts it, while 25 backups are
// taken: every backup is whole and holds exactly the vouchers its counter says.
TEST_F(KillTest, BackupsUnderLiveWrites) {
    Sql(u"CREATE TABLE FaultCounter (Written INTEGER NOT NULL)"_s);
    Sql(u"INSERT INTO FaultCounter VALUES (0)"_s);
    const qint64 base = Int(db, u"SELECT Count(*) FROM MoneyTable"_s);
    QProcess writer;
    writer.start(Worker(), {u"counter"_s, path});
    ASSERT_TRUE(writer.waitForStarted(10000));
    ASSERT_TRUE(writer.waitForReadyRead(20000));
    int good = 0, failed = 0;
    qint64 last = 0;
    for (int i = 0; i < 25; ++i) {
        QThread::msleep(20);
        const QString copy = dir.path() + u"/backup-%1.mdb"_s.arg(i);
        CopyFailure failure;
        if (!BackupDatabase(db, copy, &failure)) {
            ++failed;
            ADD_FAILURE() << "backup " << i << ": " << failure.reason.toStdString();
            continue;
        }
        Database b;
        ASSERT_TRUE(b.Open(copy)) << b.LastError().toStdString();
        const qint64 vouchers = Int(b, u"SELECT Count(*) FROM MoneyTable"_s) - base;
        const qint64 counted = Int(b, u"SELECT Written FROM FaultCounter"_s);
        EXPECT_EQ(Text(b, u"PRAGMA quick_check"_s), u"ok"_s) << i;
        EXPECT_EQ(vouchers, counted) << i;
        good += Text(b, u"PRAGMA quick_check"_s) == u"ok"_s && vouchers == counted;
        last = counted;
    }
    const bool writing = writer.state() == QProcess::Running;
    writer.kill();
    writer.waitForFinished(10000);
    EXPECT_TRUE(writing) << writer.readAllStandardError().toStdString();
    std::printf("backups under live writes: 25 taken, %d whole and counted right, %d failed, %lld vouchers in "
                "the last\n",
                good, failed, last);
    EXPECT_EQ(good, 25);
    EXPECT_GT(last, 0);
}

// A backup killed part-way leaves no file under its final name unless it is whole, and the
// live database untouched.
TEST_F(KillTest, KilledBackupLeavesNoHalfCopy) {
    Documents(2000, u"甲方"_s, u"李娜"_s);
    db.Close();
    const QByteArray live = tevtest::FileHash(path);
    const QString copy = dir.path() + u"/copy.mdb"_s;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> after(0, 150);
    int whole = 0, absent = 0, bad = 0;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(copy);
        const Kill kill = RunAndKill(u"backup"_s, path, copy, after(random));
        ASSERT_TRUE(kill.started) << kill.output.toStdString();
        ASSERT_FALSE(kill.stopped) << kill.output.toStdString();
        if (!QFile::exists(copy)) {
            ++absent;
            continue;
        }
        Database b;
        const bool ok = b.Open(copy) && Text(b, u"PRAGMA integrity_check"_s) == u"ok"_s &&
                        Int(b, u"SELECT Count(*) FROM Bill WHERE BillIndex > 1"_s) == 2000;
        ok ? ++whole : ++bad;
    }
    std::printf("killed backups: runs %d, final copy whole %d, absent %d, half-written %d; live file bytes "
                "compared %s\n",
                kRuns, whole, absent, bad, tevtest::FileHash(path) == live ? "identical" : "CHANGED");
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(tevtest::FileHash(path), live);
    ASSERT_TRUE(db.Open(path));
}

// A restore killed part-way leaves the database whole under its name: the old one or the
// restored one, never a mix and never nothing.
TEST_F(KillTest, KilledRestoreLeavesOneWholeDatabase) {
    Documents(2000, u"甲方"_s, u"李娜"_s);
    const QString source = dir.path() + u"/source.mdb"_s;
    ASSERT_TRUE(BackupDatabase(db, source));
    {
        Database s;
        ASSERT_TRUE(s.Open(source));
        ASSERT_TRUE(s.Query(u"INSERT INTO Customer (CustomerName) VALUES ('恢复来的')"_s, {}));
    }
    db.Close();
    std::mt19937 random(11);
    std::uniform_int_distribution<int> after(0, 200);
    int old = 0, restored = 0, bad = 0;
    for (int run = 0; run < kRuns; ++run) {
        const Kill kill = RunAndKill(u"restore"_s, path, source, after(random));
        ASSERT_TRUE(kill.started) << kill.output.toStdString();
        ASSERT_FALSE(kill.stopped) << kill.output.toStdString();
        Database f;
        const bool opened = QFile::exists(path) && f.Open(path);
        if (!opened || Text(f, u"PRAGMA integrity_check"_s) != u"ok"_s ||
            Int(f, u"SELECT Count(*) FROM Bill WHERE BillIndex > 1"_s) != 2000) {
            ++bad;
            ADD_FAILURE() << "run " << run << ": " << (opened ? "damaged" : "no database");
            continue;
        }
        Int(f, u"SELECT Count(*) FROM Customer WHERE CustomerName = '恢复来的'"_s) ? ++restored : ++old;
        f.Close();
        if (run % 2 == 0) { // back to the old one now and then, so later kills can catch a change
            Database s;
            ASSERT_TRUE(s.Open(path));
            ASSERT_TRUE(s.Query(u"DELETE FROM Customer WHERE CustomerName = '恢复来的'"_s, {}));
        }
    }
    std::printf("killed restores: runs %d, old database %d, restored %d, damaged or missing %d\n", kRuns, old,
                restored, bad);
    EXPECT_EQ(bad, 0);
    EXPECT_GT(restored, 0);
    ASSERT_TRUE(db.Open(path));
}

// The upgrade of an older file killed part-way: next time the file is the old one or the
// upgraded one, whole, never a mix of the two.
TEST(KillUpgrade, LeavesTheOldFileOrTheUpgradedOne) {
    QTemporaryDir dir;
    const QString path = dir.path() + u"/Tevrano.mdb"_s;
    // The older file with enough documents that the upgrade takes a while to backfill them.
    const QString old = dir.path() + u"/old.mdb"_s;
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(TEV_SOURCE_DIR) + u"/tests/data/tevrano-v1.mdb"_s, old));
    QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner);
    {
        Database seed;
        ASSERT_TRUE(seed.Open(old));
        ASSERT_TRUE(seed.Transaction([&] {
            PreparedStatement bill(seed, u"INSERT INTO Bill (BillKind, BillUser, BillSum, BillCreateTime) VALUES "
                                         "('销售开单', '甲方', ?, ?)"_s);
            PreparedStatement voucher(seed, u"INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneyCreateTime, "
                                            "MoneyIn, MoneySum, MoneyBill) VALUES (2, '甲方', ?, ?, ?, (SELECT "
                                            "Max(BillIndex) FROM Bill))"_s);
            for (int i = 0; i < 20000; ++i) {
                const QString date = QDate(2020, 1, 1).addDays(i % 1500).toString(u"yyyy-MM-dd"_s);
                bill.Run({1000 + i, date});
                voucher.Run({date, i + 0.5, i + 0.5});
            }
            return !bill.Failed() && !voucher.Failed();
        }));
        ASSERT_EQ(SchemaVersionOf(seed), 1);
    }
    std::mt19937 random(3);
    std::uniform_int_distribution<int> after(0, 400);
    int stayedOld = 0, upgraded = 0, mixed = 0, caught = 0;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(path);
        QFile::remove(path + u"-journal"_s);
        ASSERT_TRUE(QFile::copy(old, path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QProcess p;
        p.start(Worker(), {u"upgrade"_s, path});
        ASSERT_TRUE(p.waitForStarted(10000));
        ASSERT_TRUE(p.waitForReadyRead(20000));
        QThread::msleep(after(random));
        p.kill();
        p.waitForFinished(10000);
        caught += QFileInfo(path + u"-journal"_s).size() > 0;
        Database f;
        ASSERT_TRUE(f.Open(path)) << f.LastError().toStdString();
        const qint64 version = SchemaVersionOf(f);
        const bool whole = Text(f, u"PRAGMA integrity_check"_s) == u"ok"_s;
        const qint64 monthTable =
            Int(f, u"SELECT Count(*) FROM sqlite_master WHERE name IN ('AccountMonth', 'MoneyByDateSums')"_s);
        if (whole && version == 1 && monthTable == 0)
            ++stayedOld;
        else if (whole && version == Database::SchemaVersion && monthTable == 2 && CommonFaults(f).isEmpty())
            ++upgraded;
        else {
            ++mixed;
            ADD_FAILURE() << "run " << run << ": version " << version << ", new parts " << monthTable;
        }
    }
    std::printf("killed upgrades: runs %d, killed inside the upgrade's transaction %d, old file %d, upgraded %d, "
                "mixed %d\n",
                kRuns, caught, stayedOld, upgraded, mixed);
    EXPECT_EQ(mixed, 0);
}

} // namespace
