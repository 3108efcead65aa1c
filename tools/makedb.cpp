// Writes the empty database that ships with the program, a demo database, or a large
// database for measuring.
//
//   tevrano-makedb PATH                              the empty database
//   tevrano-makedb --demo [--today yyyy-MM-dd] PATH  the empty database with the demo business
//   tevrano-makedb --bulk CUSTOMERS BILLS VOUCHERS [--today yyyy-MM-dd] PATH
//
// PATH must not exist. On any failure nothing is left at PATH and the exit code is 1;
// wrong arguments give exit code 2.

#include "data/Database.h"
#include "data/DemoData.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int Usage() {
    std::fprintf(stderr, "usage: tevrano-makedb PATH\n"
                         "       tevrano-makedb --demo [--today yyyy-MM-dd] PATH\n"
                         "       tevrano-makedb --bulk CUSTOMERS BILLS VOUCHERS [--today yyyy-MM-dd] PATH\n");
    return 2;
}

int Fail(const QString& text) {
    std::fprintf(stderr, "tevrano-makedb: %s\n", qUtf8Printable(text));
    return 1;
}

qint64 Count(tev::Database& db, const QString& table, const QString& key) {
    tev::ResultSet rs;
    if (!db.Query(u"SELECT COUNT(*) AS n FROM %1 WHERE %2 > 1"_s.arg(table, key), {}, &rs)) return -1;
    return rs.AsInteger(u"n"_s);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    enum class Mode { Empty, Demo, Bulk } mode = Mode::Empty;
    int counts[3] = {0, 0, 0};
    if (!args.isEmpty() && args.first() == u"--demo"_s) {
        mode = Mode::Demo;
        args.removeFirst();
    } else if (!args.isEmpty() && args.first() == u"--bulk"_s) {
        mode = Mode::Bulk;
        args.removeFirst();
        if (args.size() < 4) return Usage();
        for (int& count : counts) {
            bool ok = false;
            count = args.takeFirst().toInt(&ok);
            if (!ok || count < 0) return Usage();
        }
        if (counts[0] < 1) return Fail(u"at least one customer is needed"_s);
    }
    // The working date of the demo; by default the day the database is made.
    QDate today = QDate::currentDate();
    if (mode != Mode::Empty && args.size() >= 2 && args.first() == u"--today"_s) {
        args.removeFirst();
        today = QDate::fromString(args.takeFirst(), u"yyyy-MM-dd"_s);
        if (!today.isValid()) return Usage();
    }
    if (args.size() != 1 || args.first().startsWith(u"--"_s)) return Usage();

    const QString path = args.first();
    if (QFileInfo::exists(path)) return Fail(u"%1 already exists; it is left as it is"_s.arg(path));

    QString error;
    if (!tev::CreateEmptyDatabase(path, &error)) return Fail(error);
    if (mode == Mode::Empty) {
        std::printf("tevrano-makedb: created the empty database %s\n", qUtf8Printable(path));
        return 0;
    }

    tev::Database db;
    bool ok = db.Open(path);
    if (!ok) error = db.LastError();
    if (ok && mode == Mode::Demo) ok = tev::FillDemoData(db, today, &error);
    if (ok && mode == Mode::Bulk) ok = tev::FillBulkData(db, counts[0], counts[1], counts[2], today, &error);
    if (!ok) {
        db.Close();
        QFile::remove(path); // never leave a half-made database behind
        return Fail(error);
    }
    const qint64 customers = Count(db, u"Customer"_s, u"CustomerIndex"_s);
    const qint64 bills = Count(db, u"Bill"_s, u"BillIndex"_s);
    const qint64 vouchers = Count(db, u"MoneyTable"_s, u"MoneyIndex"_s);
    const qint64 accounts = Count(db, u"Account"_s, u"AccountIndex"_s);
    db.Close();
    std::printf("tevrano-makedb: created %s database %s up to %s: %lld customers, %lld accounts, %lld bills, "
                "%lld vouchers\n",
                mode == Mode::Demo ? "the demo" : "a bulk", qUtf8Printable(path),
                qUtf8Printable(today.toString(u"yyyy-MM-dd"_s)), customers, accounts, bills, vouchers);
    return 0;
}
