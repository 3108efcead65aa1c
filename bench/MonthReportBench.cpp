// Times the monthly reports on a large database:
//   tevrano-bench-month [DATABASE] [REPEATS]
// DATABASE (by default tevrano-bench-month.mdb in the temporary folder) is made on the first run
// with "tevrano-makedb --bulk 10000 1000000 1000000" and 996 more accounts, the vouchers spread
// over all 1,000, and kept for the next runs. A bulk database made before (pass a copy: the
// bench writes the report pool and the accounts into it) is brought to 1,000 accounts the same
// way. The working date is the latest bill date.
//
// Each figure is the median of REPEATS runs (3 unless told). The figures of a report are set
// against the fastest single set-based statement that computes the same figures over the same
// data, measured in the same run; the time to the first page runs the button's whole way, from
// the click to the first page of the preview painted into an image.

#include "bench/BenchApp.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "cards/AccountCards.h"
#include "cards/CustomerCards.h"
#include "domain/MonthReports.h"
#include "report_designer/ReportPreview.h"
#include "ui/Globals.h"
#include "ui/ReportSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

constexpr int kCustomers = 10000;
constexpr int kBills = 1000000;
constexpr int kVouchers = 1000000;
constexpr int kAccounts = 1000;

// Prompts are printed and answered No. The preview, when it opens, paints its first page into
// an image and closes: the time of that is the time to the first page.
class BenchUi : public bench::BenchUi {
public:
    int ShowModal(QDialog* form) override {
        if (auto* preview = qobject_cast<ReportPreview*>(form)) {
            const QImage page = preview->TheReport()->PageImage(0, 96);
            firstPages.push_back(double(clock.nsecsElapsed()) / 1e6);
            pages = preview->PageCount();
            painted = !page.isNull();
        }
        return QDialog::Rejected;
    }

    QElapsedTimer clock;
    std::vector<double> firstPages;
    int pages = 0;
    bool painted = false;
};


void Print(const char* what, double ms, const QString& note = {}) {
    std::printf("%-58s %9.1f ms   %s\n", what, ms, qUtf8Printable(note));
}

bool Fail(const QString& text) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    return false;
}

// Brings a bulk database to 1,000 accounts (the bulk maker writes a handful) and spreads the
// vouchers over all of them. Run once on a database: it then holds the accounts.
bool TopUpAccounts(const QString& path) {
    Database db;
    if (!db.Open(path)) return Fail(db.LastError());
    ResultSet have;
    if (!db.Query(u"SELECT COUNT(*), MIN(AccountIndex) FROM Account WHERE AccountIndex > 1"_s, {}, &have))
        return Fail(db.LastError());
    const int accounts = int(have.At(0, 0).toLongLong());
    if (accounts >= kAccounts) return true;
    std::printf("adding %d accounts to %s and spreading its vouchers over them\n", kAccounts - accounts,
                qUtf8Printable(path));
    std::fflush(stdout);
    const qint64 first = have.At(0, 1).toLongLong();
    const bool ok = db.Transaction([&] {
        for (int a = accounts; a < kAccounts; ++a)
            if (db.Insert(u"Account"_s, {{u"AccountName"_s, u"帐户%1"_s.arg(a + 1, 4, 10, QChar(u'0'))},
                                         {u"AccountBase"_s, 1000.0 * (a % 50)},
                                         {u"AccountMan"_s, u"财务主管"_s}}) < 0)
                return false;
        return db.Query(u"UPDATE MoneyTable SET MoneyAccount = ? + (MoneyIndex % ?) WHERE MoneyIndex > 1"_s,
                        {first, kAccounts});
    });
    return ok || Fail(db.LastError());
}

// The bulk database with 1,000 accounts holding the vouchers between them, made once.
bool MakeDatabase(const QString& path) {
    const QString fresh = path + u".new"_s;
    QFile::remove(fresh);
    const QString makedb = QCoreApplication::applicationDirPath() + u"/tevrano-makedb"_s;
    std::printf("making %s (once; this takes a few minutes)\n", qUtf8Printable(path));
    std::fflush(stdout);
    QProcess make;
    make.setProcessChannelMode(QProcess::ForwardedChannels);
    make.start(makedb, {u"--bulk"_s, QString::number(kCustomers), QString::number(kBills),
                        QString::number(kVouchers), fresh});
    if (!make.waitForFinished(-1) || make.exitCode() != 0) return Fail(u"tevrano-makedb failed"_s);
    if (!TopUpAccounts(fresh)) return false;
    QFile::remove(path);
    return QFile::rename(fresh, path) || Fail(u"cannot rename %1"_s.arg(fresh));
}

QString Month(const QDate& working) {
    const QDate first(working.year(), working.month(), 1);
    return u"Between %1 And %2"_s.arg(SqlDate(first), SqlDate(first.addMonths(1).addDays(-1)));
}

// Single statements that compute every customer's month figures and start balance at once.
QStringList CustomerCandidates(const QDate& working) {
    const QDate first(working.year(), working.month(), 1);
    const QString f = SqlDate(first);
    const QString l = SqlDate(first.addMonths(1).addDays(-1));
    const QString month = Month(working);
    return {
        // Correlated sums, each answered from its covering index.
        u"Select CustomerIndex, CustomerName, CustomerOwe, "
        "(Select ABS(SUM(BillSum)) From Bill Where (BillKind = '采购开单') And (BillUser = CustomerName) And "
        "(BillCreateTime %1)) As Purchases, "
        "(Select SUM(BillSum) From Bill Where (BillKind = '销售开单') And (BillUser = CustomerName) And "
        "(BillCreateTime %1)) As Sales, "
        "(Select SUM(MoneySum) From MoneyTable Where (MoneyUser = CustomerName) And (MoneyCreateTime %1)) "
        "As Payments, "
        "CustomerOwe + IfNull((Select Sum(BillSum) From Bill Where ((BillKind = '销售开单') Or (BillKind = "
        "'采购开单')) And (BillUser = CustomerName) And (BillCreateTime < %2)), 0) - IfNull((Select "
        "Sum(MoneySum) From MoneyTable Where (MoneyUser = CustomerName) And (MoneyCreateTime < %2)), 0) As "
        "Start From Customer Where (CustomerIndex > 1) Order By CustomerIndex Desc"_s.arg(month, f),
        // Every document read once, grouped by customer, and joined to the customers.
        u"Select CustomerIndex, CustomerName, CustomerOwe, b.Purchases, b.Sales, m.Payments, "
        "CustomerOwe + IfNull(b.Before, 0) - IfNull(m.Before, 0) As Start From Customer "
        "Left Join (Select BillUser, ABS(Sum(Case When BillKind = '采购开单' And BillCreateTime >= %1 Then "
        "BillSum End)) As Purchases, Sum(Case When BillKind = '销售开单' And BillCreateTime >= %1 Then "
        "BillSum "
        "End) As Sales, Sum(Case When BillCreateTime < %1 And BillKind In ('销售开单', '采购开单') Then "
        "BillSum End) As Before From Bill Where BillCreateTime <= %2 Group By BillUser) b On b.BillUser = "
        "CustomerName "
        "Left Join (Select MoneyUser, Sum(Case When MoneyCreateTime >= %1 Then MoneySum End) As Payments, "
        "Sum(Case When MoneyCreateTime < %1 Then MoneySum End) As Before From MoneyTable Where "
        "MoneyCreateTime <= %2 Group By MoneyUser) m On m.MoneyUser = CustomerName "
        "Where (CustomerIndex > 1) Order By CustomerIndex Desc"_s.arg(f, l),
    };
}

QStringList AccountCandidates(const QDate& working) {
    const QDate first(working.year(), working.month(), 1);
    const QString f = SqlDate(first);
    const QString l = SqlDate(first.addMonths(1).addDays(-1));
    return {
        AccountMonthStatement({}, working),
        u"Select AccountIndex, AccountName, AccountBase + IfNull(m.Before, 0) As Start, m.Income, m.Expense "
        "From Account Left Join (Select MoneyAccount, Sum(Case When MoneyCreateTime < %1 Then MoneySum End) "
        "As "
        "Before, Sum(Case When MoneyCreateTime >= %1 And MoneySum > 0 Then MoneySum End) As Income, "
        "ABS(Sum(Case When MoneyCreateTime >= %1 And MoneySum < 0 Then MoneySum End)) As Expense From "
        "MoneyTable Where MoneyCreateTime <= %2 Group By MoneyAccount) m On m.MoneyAccount = AccountIndex "
        "Where (AccountIndex > 1) Order By AccountIndex"_s.arg(f, l),
    };
}

// The candidates and ours run in turn, repeats rounds, so that the load of the machine falls on
// all of them alike. Prints the median of each and ours against the fastest candidate.
template <typename Lines>
void Compare(Database& db, const QStringList& candidates, int repeats, const char* what, const char* ours,
             const std::function<Lines()>& run) {
    std::vector<std::vector<double>> ms(size_t(candidates.size()) + 1);
    QList<int> rows(candidates.size());
    int lines = 0;
    for (int r = 0; r < repeats; ++r) {
        for (int i = 0; i <= candidates.size(); ++i) {
            QElapsedTimer t;
            t.start();
            if (i < candidates.size()) {
                ResultSet rs;
                if (!db.Select(candidates[i], rs)) Fail(db.LastError());
                rows[i] = rs.RecordCount();
            } else {
                lines = int(run().size());
            }
            ms[size_t(i)].push_back(double(t.nsecsElapsed()) / 1e6);
        }
    }
    double best = -1;
    for (int i = 0; i < candidates.size(); ++i) {
        const double median = bench::Median(ms[size_t(i)]);
        Print(qUtf8Printable(u"%1, single statement %2"_s.arg(QString::fromLatin1(what)).arg(i + 1)), median,
              u"%1 rows"_s.arg(rows[i]));
        if (best < 0 || median < best) best = median;
    }
    const double mine = bench::Median(ms.back());
    Print(ours, mine, u"%1 lines, %2x the best single statement"_s.arg(lines).arg(mine / best, 0, 'f', 2));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString path = args.size() > 1 ? args[1] : QDir::tempPath() + u"/tevrano-bench-month.mdb"_s;
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    if (!QFileInfo::exists(path) ? !MakeDatabase(path) : !TopUpAccounts(path)) return 1;

    BenchUi ui;
    const bench::BenchForms forms(ui, QDir::tempPath() + u"/tevrano-bench-month.ini"_s);
    Database& db = ShareDM->ADOConnection1;
    if (!db.Open(path)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(db.LastError()));
        return 1;
    }
    ResultSet rs;
    db.Select(u"Select Max(BillCreateTime) As Latest, (Select Count(*) From Bill) As Bills, "
              "(Select Count(*) From MoneyTable) As Vouchers, (Select Count(*) From Customer) As Customers, "
              "(Select Count(*) From Account) As Accounts From Bill"_s,
              rs);
    const QDate working = rs.AsDate(u"Latest"_s);
    ui.today = working;
    FormMain->SetWorkingDate(working);
    std::printf("%lld customers, %lld bills, %lld vouchers, %lld accounts, working date %s, median of %d\n",
                rs.AsInteger(u"Customers"_s) - 1, rs.AsInteger(u"Bills"_s) - 1,
                rs.AsInteger(u"Vouchers"_s) - 1, rs.AsInteger(u"Accounts"_s) - 1,
                qUtf8Printable(working.toString(u"yyyy-M-d"_s)), repeats);

    // Warms the file cache.
    db.Select(CustomerCandidates(working).first(), rs);

    // The customer report: the page's list by number, descending, as it starts.
    auto* customers = static_cast<CustomerCardPage*>(FormMain->CustomerCards);
    FormMain->ComboBox6->setCurrentIndex(0);
    FormMain->ComboBox7->setCurrentIndex(1);
    const CustomerListOptions options = customers->ListOptions();
    Compare<QList<CustomerMonthLine>>(db, CustomerCandidates(working), repeats, "customers",
                                      "customer report figures (CustomerMonthFigures)",
                                      [&] { return CustomerMonthFigures(db, options, working).value; });

    // The way to the first page, step by step, through the main window's report object.
    MonthReportObject& month = FormMain->MonthPrint;
    std::vector<std::vector<double>> steps(6);
    QString error;
    for (int r = 0; r < repeats; ++r) {
        QElapsedTimer t;
        t.start();
        const auto lap = [&](int step) {
            steps[size_t(step)].push_back(double(t.nsecsElapsed()) / 1e6);
            t.start();
        };
        const QList<CustomerMonthLine> lines = CustomerMonthFigures(db, options, working).value;
        lap(0);
        if (!StoreMonthReport(db, CustomerMonthRows(lines, working))) error = u"the pool refused"_s;
        lap(1);
        OpenMonthReport(db, month.ADOQueryBig, month.ADOQueryTemp, month.ADOQueryTemp2);
        lap(2);
        month.frReport1.LoadFromFile(ProgramDir + u"Frf/CustomerMonth.frf"_s);
        lap(3);
        if (!month.frReport1.PrepareReport()) error = month.frReport1.LastError();
        lap(4);
        month.frReport1.PageImage(0, 96);
        lap(5);
    }
    const char* const names[] = {"  figures",         "  rows into the pool", "  rows read back",
                                 "  template loaded", "  report prepared",    "  first page painted"};
    double total = 0;
    for (int i = 0; i < 6; ++i) {
        Print(names[i], bench::Median(steps[size_t(i)]),
              i == 4 ? u"%1 pages"_s.arg(month.frReport1.PageCount()) : QString());
        total += bench::Median(steps[size_t(i)]);
    }
    Print("customer report, to the first page (the steps above)", total, error);

    // The button's whole way, the progress window included, to the first page of the preview.
    const auto firstPage = [&](QPushButton* button, const char* what) {
        ui.firstPages.clear();
        ui.painted = false;
        for (int i = 0; i < repeats; ++i) {
            ui.clock.start();
            button->click();
        }
        if (ui.firstPages.empty()) return Print(what, 0, u"no preview"_s);
        Print(what, bench::Median(ui.firstPages),
              u"%1 pages, first page painted: %2"_s.arg(ui.pages).arg(ui.painted ? u"yes"_s : u"no"_s));
    };
    firstPage(customers->BigReport, "customer report, click to the preview's first page");

    // The account report over 1,000 accounts.
    auto* accounts = static_cast<AccountCardPage*>(FormMain->AccountCards);
    Compare<QList<AccountMonthLine>>(db, AccountCandidates(working), repeats, "accounts",
                                     "account report figures (AccountMonthFigures)",
                                     [&] { return AccountMonthFigures(db, AccountFilter, working).value; });
    firstPage(accounts->MoneyMonth, "account report, click to the preview's first page");

    return 0;
}
