// A process that runs one of the program's multi-row stores over and over on a database until
// it is killed, for the tests that kill it at random moments and then check the file:
//   tevrano-fault-worker bills|rename|account|handover|pool|counter|backup|restore|upgrade DB [ARG]
// It prints "ready" once the database is open, then works until it is stopped from outside.

#include "data/Backup.h"
#include "data/Database.h"
#include "data/Migrate.h"
#include "data/Statement.h"
#include "domain/Accounts.h"
#include "domain/Bills.h"
#include "domain/Customers.h"
#include "domain/MonthReports.h"
#include "domain/Users.h"
#include "domain/Vouchers.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

void Ready() {
    std::printf("ready\n");
    std::fflush(stdout);
}

[[noreturn]] void Fail(const char* what, Database& db) {
    std::fprintf(stderr, "%s: %s\n", what, qUtf8Printable(db.LastError()));
    std::exit(3);
}

qint64 ScalarInt(Database& db, const QString& sql, const QVariantList& args = {}) {
    ResultSet rs;
    if (!db.Query(sql, args, &rs) || rs.IsEmpty()) Fail("reading", db);
    return rs.At(0, 0).toLongLong();
}

// A bill of the seeded customer with three vouchers naming it; every other one is abandoned,
// which takes the bill and its vouchers away in one transaction.
[[noreturn]] void Bills(Database& db) {
    const qint64 account = ScalarInt(db, u"SELECT Min(AccountIndex) FROM Account WHERE AccountIndex > 1"_s);
    for (int i = 0;; ++i) {
        BillInput bill;
        bill.kind = i % 3 ? BillKind::Sales : BillKind::Purchase;
        bill.created = bill.recorded = QDate(2024, 1, 1).addDays(i % 300);
        bill.customer = u"甲方"_s;
        bill.amount = 1000 + i;
        bill.serial = u"B%1"_s.arg(i);
        const Result<qint64> stored = StoreNewBill(db, bill, std::nullopt);
        if (!stored) Fail("bill", db);
        for (int v = 0; v < 3; ++v) {
            VoucherInput voucher;
            voucher.kind = v == 2 ? VoucherKind::Expense : VoucherKind::Income;
            voucher.account = account;
            voucher.created = voucher.recorded = bill.created.addDays(v * 20);
            voucher.customer = u"甲方"_s;
            voucher.amount = 10.25 * (v + 1) + i % 7 * 0.0001;
            voucher.bill = stored.value;
            voucher.serial = u"V%1-%2"_s.arg(i).arg(v);
            if (!StoreNewVoucher(db, voucher)) Fail("voucher", db);
        }
        if (i % 2 && !UndoAbandonedBill(db, stored.value)) Fail("abandon", db);
    }
}

// The seeded customer renamed back and forth; each rename carries into its bills and vouchers.
[[noreturn]] void Rename(Database& db) {
    const qint64 customer = ScalarInt(db, u"SELECT CustomerIndex FROM Customer WHERE CustomerName IN ('甲方', '乙方')"_s);
    for (int i = 0;; ++i) {
        const Result<CustomerRecord> now = LoadCustomer(db, customer);
        if (!now) Fail("load", db);
        CustomerInput in;
        in.name = now.value.name == u"甲方"_s ? u"乙方"_s : u"甲方"_s;
        in.remark = QString::number(i);
        if (!ChangeCustomer(db, customer, in)) Fail("rename", db);
    }
}

// An account given a thousand vouchers, then deleted with them.
[[noreturn]] void Account(Database& db) {
    for (int i = 0;; ++i) {
        // A name of this process's own: an account left by a run killed before its delete stays.
        const QString name = u"临时帐户%1-%2"_s.arg(QCoreApplication::applicationPid()).arg(i);
        if (!StoreNewAccount(db, {name, 100}, u"总经理"_s)) Fail("account", db);
        const qint64 account = ScalarInt(db, u"SELECT AccountIndex FROM Account WHERE AccountName = ?"_s, {name});
        const bool filled = db.Transaction([&] {
            PreparedStatement add(db, u"INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneyCreateTime, "
                                      "MoneyIn, MoneySum) VALUES (?, '甲方', ?, ?, ?)"_s);
            for (int v = 0; v < 1000 && !add.Failed(); ++v)
                add.Run({account, QDate(2024, 1 + v % 12, 1 + v % 28).toString(u"yyyy-MM-dd"_s), v + 0.5, v + 0.5});
            return !add.Failed();
        });
        if (!filled) Fail("vouchers", db);
        if (!DeleteAccountWithVouchers(db, account)) Fail("delete", db);
    }
}

// The seeded salesman renamed back and forth with the hand-over of his records.
[[noreturn]] void HandOverLoop(Database& db) {
    const qint64 row = ScalarInt(db, u"SELECT PowerIndex FROM Power WHERE PowerName IN ('李娜', '王强')"_s);
    for (int i = 0;; ++i) {
        ResultSet rs;
        if (!db.Query(u"SELECT PowerName FROM Power WHERE PowerIndex = ?"_s, {row}, &rs)) Fail("read", db);
        SalesmanInput in;
        in.index = row;
        in.name = rs.At(0, 0).toString() == u"李娜"_s ? u"王强"_s : u"李娜"_s;
        in.business = true;
        const Result<SalesmanStored> stored = StoreSalesman(db, in, true);
        if (!stored || !stored.value.handedOver) Fail("hand-over", db);
    }
}

// Two reports of different lengths written into the pool in turn; every row says which.
[[noreturn]] void Pool(Database& db) {
    for (int i = 0;; ++i) {
        const QString tag = i % 2 ? u"乙"_s : u"甲"_s;
        MonthReportRows report;
        for (int r = 0, n = i % 2 ? 150 : 220; r < n; ++r) {
            ReportRow row;
            for (QString& cell : row)
                cell = tag;
            row[1] = QString::number(n);
            report.rows << row;
        }
        report.period = tag;
        report.title = tag;
        if (!StoreMonthReport(db, report)) Fail("pool", db);
    }
}

// Vouchers inserted in transactions that also count them in a row of their own.
[[noreturn]] void Counter(Database& db) {
    for (int i = 0;; ++i) {
        const bool ok = db.Transaction([&] {
            return db.Insert(u"MoneyTable"_s, {{u"MoneyAccount"_s, 2},
                                               {u"MoneyUser"_s, u"甲方"_s},
                                               {u"MoneyCreateTime"_s, u"2024-05-01"_s},
                                               {u"MoneySum"_s, 1.5}}) > 0 &&
                   db.Query(u"UPDATE FaultCounter SET Written = Written + 1"_s, {});
        });
        if (!ok) Fail("counter", db);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tevrano-fault-worker MODE DB [ARG]\n");
        return 2;
    }
    const QString mode = QString::fromUtf8(argv[1]);
    const QString path = QString::fromUtf8(argv[2]);
    const QString arg = argc > 3 ? QString::fromUtf8(argv[3]) : QString();
    Database db;
    if (!db.Open(path)) Fail("open", db);
    if (mode == u"upgrade"_s) {
        Ready();
        QString error;
        if (!UpgradeDatabase(db, &error)) {
            std::fprintf(stderr, "upgrade: %s\n", qUtf8Printable(error));
            return 3;
        }
        std::printf("upgraded\n");
        return 0;
    }
    Ready();
    if (mode == u"bills"_s) Bills(db);
    if (mode == u"rename"_s) Rename(db);
    if (mode == u"account"_s) Account(db);
    if (mode == u"handover"_s) HandOverLoop(db);
    if (mode == u"pool"_s) Pool(db);
    if (mode == u"counter"_s) Counter(db);
    if (mode == u"backup"_s || mode == u"restore"_s) {
        // arg: the backup's name; a restore puts it back over the database again and again.
        for (;;) {
            CopyFailure failure;
            if (mode == u"backup"_s ? !BackupDatabase(db, arg, &failure) : !RestoreDatabase(db, arg, &failure)) {
                std::fprintf(stderr, "%s: %s\n", argv[1], qUtf8Printable(failure.reason));
                return 3;
            }
            if (!db.IsOpen() && !db.Open(path)) Fail("reopen", db);
        }
    }
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
}
