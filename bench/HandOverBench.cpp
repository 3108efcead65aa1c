// Times the hand-over of a renamed salesman's records on a large database:
//   tevrano-bench-handover DATABASE [REPEATS]
// The database is made with "tevrano-makedb --bulk 10000 1000000 1000000 PATH"; a path that
// does not exist yet is made here the same way (that takes a while). Every tenth customer,
// bill and voucher is given to one salesman first; the save of the user window (the rename of
// his row and the hand-over of his records) is then timed, back and forth between two names,
// against one pass over every bill (SELECT SUM(BillSum) FROM Bill) measured in the same run.
// The figure is the ratio of the two medians.

#include "bench/BenchSupport.h"
#include "data/Database.h"
#include "data/DemoData.h"
#include "data/Schema.h"
#include "domain/Users.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

int Fail(const QString& what, const QString& why) {
    std::fprintf(stderr, "tevrano-bench-handover: %s: %s\n", qUtf8Printable(what), qUtf8Printable(why));
    return 1;
}

// Milliseconds of every run, sorted.
std::vector<double> Time(int repeats, const std::function<bool(int)>& run) {
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        if (!run(i)) return {};
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}


qint64 Count(Database& db, const QString& sql, const QVariantList& args = {}) {
    ResultSet rs;
    if (!db.Query(sql, args, &rs) || rs.IsEmpty()) return -1;
    return rs.At(0, 0).toLongLong();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: tevrano-bench-handover DATABASE [REPEATS]\n");
        return 2;
    }
    const QString path = args[1];
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;

    if (!QFileInfo::exists(path)) {
        std::printf("making %s: 10000 customers, 1000000 bills, 1000000 vouchers ...\n",
                    qUtf8Printable(path));
        std::fflush(stdout);
        QString error;
        if (!CreateEmptyDatabase(path, &error)) return Fail(path, error);
        Database fill;
        if (!fill.Open(path)) return Fail(path, fill.LastError());
        if (!FillBulkData(fill, 10000, 1000000, 1000000, QDate(2024, 6, 30), &error))
            return Fail(path, error);
    }
    Database db;
    if (!db.Open(path)) return Fail(path, db.LastError());

    // One salesman row owns a tenth of everything.
    const QString names[2] = {u"离职业务员"_s, u"接任业务员"_s};
    // The row of an earlier run, or else the first free slot.
    qint64 row =
        Count(db, u"SELECT MIN(PowerIndex) FROM Power WHERE PowerRole = '业务员' AND PowerName IN (?, ?)"_s,
              {names[0], names[1]});
    if (row <= 0)
        row = Count(db, u"SELECT MIN(PowerIndex) FROM Power WHERE PowerRole = '业务员' AND PowerName = ''"_s);
    if (row <= 0) return Fail(path, u"no free salesman slot"_s);
    const bool given = db.Transaction([&] {
        if (db.Update(u"Power"_s, {{u"PowerName"_s, names[0]}}, u"PowerIndex = ?"_s, {row}) < 0) return false;
        for (const auto& [table, key, man] : {std::tuple{u"Customer"_s, u"CustomerIndex"_s, u"CustomerMan"_s},
                                              {u"Bill"_s, u"BillIndex"_s, u"BillMan"_s},
                                              {u"MoneyTable"_s, u"MoneyIndex"_s, u"MoneyMan"_s}}) {
            if (db.Update(table, {{man, u"王强"_s}}, man + u" IN (?, ?)"_s, {names[0], names[1]}) < 0)
                return false;
            if (db.Update(table, {{man, names[0]}}, key + u" > 1 AND "_s + key + u" % 10 = 0"_s) < 0)
                return false;
        }
        return true;
    });
    if (!given) return Fail(u"giving a tenth to one salesman"_s, db.LastError());
    std::printf(
        "%lld customers, %lld bills, %lld vouchers; %s owns %lld customers, %lld bills, %lld vouchers\n",
        Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerIndex > 1"_s),
        Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillIndex > 1"_s),
        Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyIndex > 1"_s), qUtf8Printable(names[0]),
        Count(db, u"SELECT COUNT(*) FROM Customer WHERE CustomerMan = ?"_s, {names[0]}),
        Count(db, u"SELECT COUNT(*) FROM Bill WHERE BillMan = ?"_s, {names[0]}),
        Count(db, u"SELECT COUNT(*) FROM MoneyTable WHERE MoneyMan = ?"_s, {names[0]}));

    double total = 0;
    const auto sumOfBills = [&](int) {
        ResultSet rs;
        if (!db.Select(u"SELECT SUM(BillSum) AS Total FROM Bill"_s, rs)) return false;
        total = rs.AsFloat(u"Total"_s);
        return true;
    };
    sumOfBills(0); // warms the file cache
    const std::vector<double> pass = Time(repeats, sumOfBills);
    if (pass.empty()) return Fail(u"the pass over the bills"_s, db.LastError());

    // What the user window's save does after a Yes: the rename of the row and the hand-over,
    // in one transaction. Back and forth, so that every run moves the same rows.
    HandOverCounts moved;
    const auto handOver = [&](int i) {
        const QString& from = names[i % 2];
        const QString& to = names[(i + 1) % 2];
        SalesmanInput in;
        in.index = row;
        in.name = to;
        in.key = u"1234"_s;
        in.picture = u"Faces/1.bmp"_s;
        in.business = in.finance = true;
        const Result<SalesmanStored> stored = StoreSalesman(db, in, true);
        if (!stored || stored.value.oldName != from || !stored.value.handedOver) return false;
        moved = stored.value.counts;
        return true;
    };
    const std::vector<double> hand = Time(repeats, handOver);
    if (hand.empty()) return Fail(u"the hand-over"_s, db.LastError());

    std::printf("pass over the bills (sum %.2f)     min %8.1f ms   median %8.1f ms\n", total, pass.front(),
                bench::Median(pass));
    std::printf("rename and hand-over (%d, %d, %d rows) min %8.1f ms   median %8.1f ms\n", moved.customers,
                moved.bills, moved.vouchers, hand.front(), bench::Median(hand));
    std::printf("hand-over / pass over the bills: %.2f (medians of %d)\n", bench::Median(hand) / bench::Median(pass),
                repeats);
    return 0;
}
