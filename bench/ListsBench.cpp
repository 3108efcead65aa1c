// Times the report lists, a save and the card pages on large databases, as ratios to one pass
// over the same table in the same run, with the resident memory after each step:
//   tevrano-bench-lists [FOLDER] [REPEATS]
// FOLDER keeps the two bulk databases between runs (made when missing): 1,000 customers with
// 100,000 bills and 100,000 vouchers, and 10,000 customers with 1,000,000 of each.

#include "bench/BenchApp.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "cards/AccountCards.h"
#include "cards/CustomerCards.h"
#include "data/DemoData.h"
#include "data/Migrate.h"
#include "data/Schema.h"
#include "domain/Reports.h"
#include "reports/ReportLists.h"
#include "ui/Globals.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

using bench::MedianMs;
using bench::RatioRow;

void Measure(const QString& path, int repeats) {
    if (!bench::OpenProgramDatabase(path)) return;
    Database& db = ShareDM->ADOConnection1;
    ResultSet rs;
    db.Select(u"Select (Select Count(*) From Customer) As C, (Select Count(*) From Bill) As B, "
              "(Select Count(*) From MoneyTable) As V, (Select Count(*) From Account) As A"_s,
              rs);
    std::printf("\n%s: %lld customers, %lld bills, %lld vouchers, %lld accounts\n", qUtf8Printable(path),
                rs.AsInteger(u"C"_s) - 1, rs.AsInteger(u"B"_s) - 1, rs.AsInteger(u"V"_s) - 1,
                rs.AsInteger(u"A"_s) - 1);
    FormMain->SetWorkingDate(QDate(2026, 12, 10));

    auto scalar = [&db](const QString& sql) {
        ResultSet r;
        db.Select(sql, r);
    };
    const double billPass = MedianMs(repeats, [&] { scalar(u"Select Sum(BillSum) From Bill"_s); });
    const double moneyPass = MedianMs(repeats, [&] { scalar(u"Select Sum(MoneySum) From MoneyTable"_s); });
    std::printf("  one pass: Sum(BillSum) %.1f ms, Sum(MoneySum) %.1f ms   rss %.1f MB\n", billPass, moneyPass,
                bench::ResidentMb());

    const QDate working = FormMain->WorkingDate();
    struct List {
        const char* name;
        bool bills;
        QString kept;
    } lists[] = {
        {"bill list, the working month", true, BillMonthStatement(working)},
        {"bill list, every bill", true, BillQuerySelect() + u" Where (BillIndex > 1)"_s},
        {"voucher list, the working month", false, MoneyMonthStatement(working)},
        {"voucher list, every voucher", false, MoneyQuerySelect()},
    };
    for (const List& l : lists) {
        const ListStatements st = l.bills ? BillListStatements(l.kept, {}, BillListOrder::ByTime)
                                          : MoneyListStatements(l.kept, {}, MoneyListOrder::ByTime);
        const double pass = l.bills ? billPass : moneyPass;
        std::printf(" %s\n", l.name);
        RatioRow("first screen (a block of 256 rows)", MedianMs(repeats, [&] { scalar(st.page(0, 256)); }), pass);
        RatioRow("footers (count and sums, one statement)", MedianMs(repeats, [&] { scalar(st.aggregate); }), pass);
        int count = 0;
        RatioRow("opened: footers and first screen",
            MedianMs(repeats,
                   [&] {
                       Result<ListRows> opened = OpenListRows(db, st);
                       count = opened ? opened.value.count : -1;
                   }),
            pass);
        Result<ListRows> opened = OpenListRows(db, st);
        if (opened && count > 0) {
            const auto rows = opened.value.rows;
            RatioRow("scrolled to the last row", MedianMs(1, [&] { rows->Value(count - 1, 0); }), pass);
            RatioRow("every row read in order (printing, export)", MedianMs(1,
                                                                     [&] {
                                                                         for (int r = 0; r < count; ++r)
                                                                             rows->Value(r, 0);
                                                                     }),
                pass);
        }
        std::printf("  rows: %d\n", count);
    }

    // A save refreshes every view: with both "every …" lists kept and off screen they only note
    // that they are out of date; with the bill list on screen it runs again.
    FormMain->RunBillReport(BillQuerySelect() + u" Where (BillIndex > 1)"_s);
    FormMain->RunMoneyReport(MoneyQuerySelect());
    FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);
    std::printf(" a save (every view refreshed)\n");
    RatioRow("both lists kept, off screen", MedianMs(repeats, [&] { FormMain->RefreshAllViews(); }), billPass);
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillReportPage);
    RatioRow("the every-bill list on screen", MedianMs(repeats, [&] { FormMain->RefreshAllViews(); }), billPass);
    FormMain->PageControl1->setCurrentIndex(TFormMain::CustomerPage);

    std::printf(" card pages\n");
    RatioRow("customers page", MedianMs(repeats, [&] { FormMain->CustomerCards->Refresh(); }), billPass);
    RatioRow("bills page", MedianMs(repeats, [&] { FormMain->BillCards->Refresh(); }), billPass);
    RatioRow("vouchers page", MedianMs(repeats, [&] { FormMain->VoucherCards->Refresh(); }), billPass);
    RatioRow("accounts page", MedianMs(repeats, [&] { FormMain->AccountCards->Refresh(); }), billPass);
    ShareDM->ADOConnection1.Close();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString folder = args.size() > 1 ? args[1] : u"/tmp/tevrano-bench"_s;
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    const QStringList databases = bench::BulkDatabases(folder);
    if (databases.isEmpty()) return 1;

    bench::BenchUi ui;
    const bench::BenchForms forms(ui);
    CurrentRole = u"总经理"_s;
    std::printf("median of %d; ratios to one pass over the list's own table; rss = resident memory\n", repeats);
    for (const QString& path : databases)
        Measure(path, repeats);
    return 0;
}
