// Times a refresh of the customers page on a large database:
//   tevrano-bench-customers DATABASE [REPEATS]
// The database is made with "tevrano-makedb --bulk CUSTOMERS BILLS VOUCHERS PATH". The working
// date is the latest bill date, so every document counts in the sums.

#include "bench/BenchApp.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "cards/CustomerCards.h"
#include "customers/CustomerForm3.h"
#include "ui/Globals.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

// Milliseconds of the fastest and the median of repeats runs.
void Time(const char* what, int repeats, const std::function<void()>& run,
          const std::function<QString()>& after = {}) {
    std::vector<double> ms = bench::TimeRuns(repeats, run);
    std::sort(ms.begin(), ms.end());
    std::printf("%-46s min %8.1f ms   median %8.1f ms   %s\n", what, ms.front(), ms[ms.size() / 2],
                after ? qUtf8Printable(after()) : "");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: tevrano-bench-customers DATABASE [REPEATS]\n");
        return 2;
    }
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 5;

    bench::BenchUi ui;
    const bench::BenchForms forms(ui);
    if (!ShareDM->ADOConnection1.Open(args[1])) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(ShareDM->ADOConnection1.LastError()));
        return 1;
    }
    ResultSet rs;
    ShareDM->ADOConnection1.Select(
        u"Select Max(BillCreateTime) As Latest, (Select Count(*) From Bill) As Bills, "
        "(Select Count(*) From MoneyTable) As Vouchers, (Select Count(*) From Customer) "
        "As Customers From Bill"_s,
        rs);
    FormMain->SetWorkingDate(rs.AsDate(u"Latest"_s));
    std::printf("%lld customers, %lld bills, %lld vouchers, working date %s\n", rs.AsInteger(u"Customers"_s),
                rs.AsInteger(u"Bills"_s), rs.AsInteger(u"Vouchers"_s),
                qUtf8Printable(FormMain->WorkingDate().toString(u"yyyy-M-d"_s)));

    auto* page = static_cast<CustomerCardPage*>(FormMain->CustomerCards);
    const auto status = [page] { return page->Status->text(); };
    auto refreshAt = [&](int field, int direction, int pageNumber) {
        FormMain->ComboBox6->setCurrentIndex(field);
        FormMain->ComboBox7->setCurrentIndex(direction);
        page->PageNumber = pageNumber;
        return [page] { page->Refresh(); };
    };

    page->Refresh(); // warms the file cache and reads the page count
    const int pages = CardPageCount(int(rs.AsInteger(u"Customers"_s)) - 1);

    Time("refresh, by number desc, first page", repeats, refreshAt(0, 1, 0), status);
    Time("refresh, by number desc, middle page", repeats, refreshAt(0, 1, pages / 2), status);
    Time("refresh, by number desc, last page", repeats, refreshAt(0, 1, pages - 1), status);
    Time("refresh, by name (pinyin) asc, first page", repeats, refreshAt(1, 0, 0), status);
    Time("refresh, by name (pinyin) asc, middle page", repeats, refreshAt(1, 0, pages / 2), status);

    // A search with a period: the Exists test on the customer's bills.
    const QDate working = FormMain->WorkingDate();
    FormCustomer3->Search = {};
    FormCustomer3->Search.period = true;
    FormCustomer3->Search.start = QDate(working.year(), working.month(), 1);
    FormCustomer3->Search.end = working;
    FormCustomer3->SearchFilter = CustomerSearchFilter(FormCustomer3->Search);
    Time("refresh, search with the working month", repeats, refreshAt(0, 1, 0), status);
    FormCustomer3->Search.texts[0] = u"1"_s;
    FormCustomer3->SearchFilter = CustomerSearchFilter(FormCustomer3->Search);
    Time("refresh, search with a name text and the month", repeats, refreshAt(1, 0, 0), status);
    FormCustomer3->Search = {};
    FormCustomer3->SearchFilter.clear();

    // For comparison: the list as one statement joining every bill, read whole (the engine
    // leaves the join out when no bill column is tested, but not with a period).
    const QString join =
        u"Select Distinct Customer.* From (Customer Left Join Bill on Customer.CustomerName = "
        "Bill.BillUser) Where (CustomerIndex > 1)"_s;
    int rows = 0;
    const auto joinRows = [&rows] { return u"%1 rows"_s.arg(rows); };
    Time(
        "join statement, no search (all rows)", 1,
        [&] {
            ResultSet all;
            ShareDM->ADOConnection1.Select(join + u" Order By CustomerIndex Desc"_s, all);
            rows = all.RecordCount();
        },
        joinRows);
    Time(
        "join statement, the working month (all rows)", 1,
        [&] {
            ResultSet all;
            CustomerSearchInput month;
            month.period = true;
            month.start = QDate(working.year(), working.month(), 1);
            month.end = working;
            ShareDM->ADOConnection1.Select(
                join + CustomerSearchFilter(month) + u" Order By CustomerIndex Desc"_s, all);
            rows = all.RecordCount();
        },
        joinRows);

    return 0;
}
