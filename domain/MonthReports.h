#pragma once
// The monthly reports: per customer of the customers page's list what was bought, sold and paid
// in the month of the working date with what the customer owed at its start and owes at its
// end; per money account its balance at the start of the month, what came in and went out and
// its balance at the end. The figures of a whole report come from a few set-based statements,
// not from statements per line. A report is printed from the pool of scratch rows PrintReport
// (the lines, the grand total "总合计" last) and the headings of PrintList (row 1 the period,
// row 2 the title), written together in one transaction.

#include "data/Database.h"
#include "domain/Customers.h"
#include "domain/Outcome.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace tev {

class Query;

// Told between the steps of a long piece of work: the share of it done, 0 to 100, rising.
using ProgressStep = std::function<void(int percent)>;

// ---------------------------------------------------------------- the figures

// One customer's line. The month runs from its first day to the day before the next month's
// first; a sum over no documents is 0.
struct CustomerMonthLine {
    qint64 index = 0;
    QString name;
    double purchases = 0; // the purchase bills of the month, as a positive amount
    double sales = 0;     // the sales bills of the month
    double payments = 0;  // the vouchers of the month: received positive, paid out negative
    double start = 0;     // CustomerOwe + the bills before the first day − the vouchers before it
    double end = 0;       // sales + start − payments − purchases
};

// One account's line.
struct AccountMonthLine {
    qint64 index = 0;
    QString name;
    double start = 0;   // AccountBase + every voucher of the account before the first day
    double income = 0;  // the positive vouchers of the month
    double expense = 0; // the negative vouchers of the month, as a positive amount
    double net = 0;     // income − expense
    double end = 0;     // start + net
};

// The statements, for the figures below and for the measurements of bench/. Each statement
// runs once for the whole report; the correlated sums are each answered from a covering index
// (BillByUser, MoneyByUser, MoneyByAccount).
// The customers of the list in list order: CustomerIndex, CustomerName, CustomerOwe.
QString CustomerMonthListStatement(const CustomerListOptions& options);
// Per customer of the list (CustomerIndex): Purchases, Sales and BillsBefore (the net of the
// sales and purchase bills before the first day).
QString CustomerMonthBillsStatement(const CustomerListOptions& options, QDate working);
// Per customer of the list (CustomerIndex): Payments and PaidBefore (the vouchers before the
// first day).
QString CustomerMonthPaidStatement(const CustomerListOptions& options, QDate working);
// Per account the user may see, oldest first: AccountIndex, AccountName, AccountBase, Before,
// Income, Expense.
QString AccountMonthStatement(const QString& accountFilter, QDate working);

// The lines of every customer of the customers page's list (the salesman's filter, the search,
// the order; every page of it), in list order. Failures: "刷新客户时出错" (the list),
// "数据库打开失败" (the sums). No customer: no line.
Result<QList<CustomerMonthLine>> CustomerMonthFigures(Database& db, const CustomerListOptions& options,
                                                      QDate working, const ProgressStep& progress = {});
// The lines of every account the user may see, oldest first. "数据库打开失败".
Result<QList<AccountMonthLine>> AccountMonthFigures(Database& db, const QString& accountFilter, QDate working,
                                                    const ProgressStep& progress = {});

// ---------------------------------------------------------------- the printout

inline constexpr int kReportColumns = 9; // ReportGrid1 … ReportGrid9
using ReportRow = std::array<QString, kReportColumns>;

// What a report writes: the rows in print order, the grand total last, and the headings.
struct MonthReportRows {
    QList<ReportRow> rows;
    QString period;               // PrintList row 1
    std::optional<QString> title; // PrintList row 2; a report without a title leaves it as it is
};

// "2024年5月份": the month of the working date, without leading zeros.
QString MonthHeading(QDate working);
// The customer lines as rows: the name, then purchases, sales, payments, start and end written
// by FormatAmount; the grand total "总合计" with the sums of the unrounded figures; the heading
// and the title "各客户应收款".
MonthReportRows CustomerMonthRows(const QList<CustomerMonthLine>& lines, QDate working);
// The account lines: the name, then start, income, expense, net and end; "总合计"; the heading.
MonthReportRows AccountMonthRows(const QList<AccountMonthLine>& lines, QDate working);

// What a report covers, for the line under its heading: "统计期间：2024-5-1至2024-5-31；
// 业务员：全部；搜索：客户名称含“华”". salesman is the one whose records alone are listed, empty
// for everybody's.
QString CustomerMonthCoverage(QDate working, const QString& salesman, const CustomerSearchInput& search);
QString AccountMonthCoverage(QDate working, const QString& salesman);

// Writes the report into the pool and the headings in one transaction: the pool grows to the
// rows it needs (the lines, the grand total and one to spare, as many as it takes); its first rows in
// table order take the report's rows, enabled, and every other row is disabled and keeps its
// old texts. A failure part-way leaves the pool and the headings as they were
// ("数据库打开失败"). A missing heading row leaves that heading out.
Outcome StoreMonthReport(Database& db, const MonthReportRows& report, const ProgressStep& progress = {});
// Opens what the monthly templates print: the enabled pool rows in table order, PrintList row 1
// and PrintList row 2. A failure leaves all three closed ("数据库打开失败").
Outcome OpenMonthReport(Database& db, Query& rows, Query& period, Query& title);

} // namespace tev
