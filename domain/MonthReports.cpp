#include "domain/MonthReports.h"

#include "data/Query.h"
#include "data/Statement.h"
#include "domain/Kinds.h"
#include "domain/Periods.h"
#include "rules/PublicFunction.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

const QString kOpenFailed = u"数据库打开失败"_s;
const QString kGrandTotal = u"总合计"_s;

// The pool is written in batches of rows, so that the caller can tell the progress between them.
constexpr int kPoolBatch = 500;

void Tell(const ProgressStep& progress, int percent) {
    if (progress) progress(std::clamp(percent, 0, 100));
}

// "({column} Between #{first day}# And #{last day}#)".
QString InMonth(const QString& column, const Period& month) {
    return u"(%1 Between %2 And %3)"_s.arg(column, SqlDate(month.first), SqlDate(month.last));
}

// The per-line figures of a statement, by key.
QHash<qint64, int> RowsByKey(const ResultSet& rs, const QString& key) {
    QHash<qint64, int> rows;
    rows.reserve(rs.RecordCount());
    const int column = rs.ColumnIndex(key);
    for (int r = 0; r < rs.RecordCount(); ++r)
        rows.insert(rs.At(r, column).toLongLong(), r);
    return rows;
}

double Number(const ResultSet& rs, int row, const QString& column) {
    const QVariant v = rs.At(row, rs.ColumnIndex(column));
    return v.isNull() ? 0.0 : v.toDouble();
}

ReportRow Row(const QString& name, std::initializer_list<double> amounts) {
    ReportRow row;
    row.fill(u""_s);
    row[0] = name;
    int column = 1;
    for (const double amount : amounts)
        row[column++] = FormatAmount(amount);
    return row;
}

QString Day(const QDate& date) {
    return date.toString(u"yyyy-M-d"_s);
}

QString PeriodWords(QDate working) {
    const Period month = MonthOf(working);
    return u"统计期间：%1至%2"_s.arg(Day(month.first), Day(month.last));
}

QString SalesmanWords(const QString& salesman) {
    return u"业务员：%1"_s.arg(salesman.isEmpty() ? u"全部"_s : salesman);
}

} // namespace

// ---------------------------------------------------------------- the figures

QString CustomerMonthListStatement(const CustomerListOptions& options) {
    return u"Select CustomerIndex, CustomerName, CustomerOwe From Customer"_s + CustomerListWhere(options) +
           CustomerOrderClause(options.sortField, options.sortDirection);
}

QString CustomerMonthBillsStatement(const CustomerListOptions& options, QDate working) {
    const Period month = MonthOf(working);
    const QString sale = Text(BillKind::Sales);
    const QString purchase = Text(BillKind::Purchase);
    const QString mine = u"(BillUser = CustomerName)"_s;
    return u"Select CustomerIndex, "
           "(Select ABS(SUM(BillSum)) From Bill Where (BillKind = '%1') And %3 And %4) As Purchases, "
           "(Select SUM(BillSum) From Bill Where (BillKind = '%2') And %3 And %4) As Sales, "
           "(Select Sum(BillSum) From Bill Where ((BillKind = '%2') Or (BillKind = '%1')) And %3 "
           "And (BillCreateTime < %5)) As BillsBefore From Customer"_s.arg(
               purchase, sale, mine, InMonth(u"BillCreateTime"_s, month), SqlDate(month.first)) +
           CustomerListWhere(options);
}

QString CustomerMonthPaidStatement(const CustomerListOptions& options, QDate working) {
    const Period month = MonthOf(working);
    const QString mine = u"(MoneyUser = CustomerName)"_s;
    return u"Select CustomerIndex, "
           "(Select SUM(MoneySum) From MoneyTable Where %1 And %2) As Payments, "
           "(Select Sum(MoneySum) From MoneyTable Where %1 And (MoneyCreateTime < %3)) As PaidBefore "
           "From Customer"_s.arg(mine, InMonth(u"MoneyCreateTime"_s, month), SqlDate(month.first)) +
           CustomerListWhere(options);
}

QString AccountMonthStatement(const QString& accountFilter, QDate working) {
    const Period month = MonthOf(working);
    const QString mine = u"(MoneyAccount = AccountIndex)"_s;
    const QString inMonth = InMonth(u"MoneyCreateTime"_s, month);
    // A voucher of exactly 0 is neither income nor expense.
    return u"Select AccountIndex, AccountName, AccountBase, "
           "(Select Sum(MoneySum) From MoneyTable Where %1 And (MoneyCreateTime < %2)) As Before, "
           "(Select Sum(MoneySum) From MoneyTable Where %1 And (MoneySum > 0) And %3) As Income, "
           "(Select ABS(Sum(MoneySum)) From MoneyTable Where %1 And (MoneySum < 0) And %3) As Expense "
           "From Account Where (AccountIndex > 1)"_s.arg(mine, SqlDate(month.first), inMonth) +
           accountFilter + u" Order By AccountIndex"_s;
}

Result<QList<CustomerMonthLine>> CustomerMonthFigures(Database& db, const CustomerListOptions& options,
                                                      QDate working, const ProgressStep& progress) {
    Tell(progress, 0);
    ResultSet list;
    if (!db.Select(CustomerMonthListStatement(options), list)) return Outcome::Fail(u"刷新客户时出错"_s, db);
    QList<CustomerMonthLine> lines;
    if (list.IsEmpty()) {
        Tell(progress, 100);
        return lines;
    }
    Tell(progress, 10);
    // The bills and the vouchers are read in a statement each, so that the progress can be
    // told between them; they answer for the same customers, matched by key.
    ResultSet bills;
    if (!db.Select(CustomerMonthBillsStatement(options, working), bills))
        return Outcome::Fail(kOpenFailed, db);
    Tell(progress, 55);
    ResultSet paid;
    if (!db.Select(CustomerMonthPaidStatement(options, working), paid)) return Outcome::Fail(kOpenFailed, db);
    Tell(progress, 95);

    const QHash<qint64, int> billRow = RowsByKey(bills, u"CustomerIndex"_s);
    const QHash<qint64, int> paidRow = RowsByKey(paid, u"CustomerIndex"_s);
    lines.reserve(list.RecordCount());
    for (list.First(); !list.Eof(); list.Next()) {
        CustomerMonthLine line;
        line.index = list.AsInteger(u"CustomerIndex"_s);
        line.name = list.AsString(u"CustomerName"_s);
        // A customer added between the statements has no sums yet: a customer without documents.
        const int b = billRow.value(line.index, -1);
        const int p = paidRow.value(line.index, -1);
        line.purchases = b < 0 ? 0 : Number(bills, b, u"Purchases"_s);
        line.sales = b < 0 ? 0 : Number(bills, b, u"Sales"_s);
        line.payments = p < 0 ? 0 : Number(paid, p, u"Payments"_s);
        const double billsBefore = b < 0 ? 0 : Number(bills, b, u"BillsBefore"_s);
        const double paidBefore = p < 0 ? 0 : Number(paid, p, u"PaidBefore"_s);
        line.start = list.AsFloat(u"CustomerOwe"_s) + billsBefore - paidBefore;
        line.end = line.sales + line.start - line.payments - line.purchases;
        lines.append(line);
    }
    Tell(progress, 100);
    return lines;
}

Result<QList<AccountMonthLine>> AccountMonthFigures(Database& db, const QString& accountFilter, QDate working,
                                                    const ProgressStep& progress) {
    Tell(progress, 0);
    ResultSet rs;
    if (!db.Select(AccountMonthStatement(accountFilter, working), rs)) return Outcome::Fail(kOpenFailed, db);
    Tell(progress, 90);
    QList<AccountMonthLine> lines;
    lines.reserve(rs.RecordCount());
    for (rs.First(); !rs.Eof(); rs.Next()) {
        AccountMonthLine line;
        line.index = rs.AsInteger(u"AccountIndex"_s);
        line.name = rs.AsString(u"AccountName"_s);
        line.start = rs.AsFloat(u"AccountBase"_s) + rs.AsFloat(u"Before"_s);
        line.income = rs.AsFloat(u"Income"_s);
        line.expense = rs.AsFloat(u"Expense"_s);
        line.net = line.income - line.expense;
        line.end = line.start + line.net;
        lines.append(line);
    }
    Tell(progress, 100);
    return lines;
}

// ---------------------------------------------------------------- the printout

QString MonthHeading(QDate working) {
    return u"%1年%2月份"_s.arg(working.year()).arg(working.month());
}

MonthReportRows CustomerMonthRows(const QList<CustomerMonthLine>& lines, QDate working) {
    MonthReportRows report;
    report.rows.reserve(lines.size() + 1);
    double purchases = 0, sales = 0, payments = 0, start = 0, end = 0;
    for (const CustomerMonthLine& l : lines) {
        report.rows.append(Row(l.name, {l.purchases, l.sales, l.payments, l.start, l.end}));
        purchases += l.purchases;
        sales += l.sales;
        payments += l.payments;
        start += l.start;
        end += l.end;
    }
    report.rows.append(Row(kGrandTotal, {purchases, sales, payments, start, end}));
    report.period = MonthHeading(working);
    report.title = u"各客户应收款"_s;
    return report;
}

MonthReportRows AccountMonthRows(const QList<AccountMonthLine>& lines, QDate working) {
    MonthReportRows report;
    report.rows.reserve(lines.size() + 1);
    double start = 0, income = 0, expense = 0, net = 0, end = 0;
    for (const AccountMonthLine& l : lines) {
        report.rows.append(Row(l.name, {l.start, l.income, l.expense, l.net, l.end}));
        start += l.start;
        income += l.income;
        expense += l.expense;
        net += l.net;
        end += l.end;
    }
    report.rows.append(Row(kGrandTotal, {start, income, expense, net, end}));
    report.period = MonthHeading(working);
    return report;
}

QString CustomerMonthCoverage(QDate working, const QString& salesman, const CustomerSearchInput& search) {
    const QString words = CustomerSearchDescription(search);
    return u"%1；%2；搜索：%3"_s.arg(PeriodWords(working), SalesmanWords(salesman),
                                     words.isEmpty() ? u"无"_s : words);
}

QString AccountMonthCoverage(QDate working, const QString& salesman) {
    return u"%1；%2"_s.arg(PeriodWords(working), SalesmanWords(salesman));
}

Outcome StoreMonthReport(Database& db, const MonthReportRows& report, const ProgressStep& progress) {
    Tell(progress, 0);
    const int needed = int(report.rows.size());
    std::optional<Outcome> failure;
    const auto failed = [&](Outcome outcome) {
        failure = std::move(outcome);
        return false;
    };
    const bool ok = db.Transaction([&] {
        ResultSet count;
        if (!db.Query(u"SELECT COUNT(*) FROM PrintReport"_s, {}, &count))
            return failed(Outcome::Fail(kOpenFailed, db));
        // The pool only grows: rows are reused, never deleted. It keeps a row to spare beyond
        // the lines and the grand total, as many rows as the report takes.
        const int have = int(count.At(0, 0).toLongLong());
        if (have < needed + 1) {
            PreparedStatement grow(db, u"INSERT INTO PrintReport (ReportEnable) VALUES (0)"_s);
            for (int i = have; i < needed + 1 && !grow.Failed(); ++i)
                grow.Run({});
            if (grow.Failed()) return failed(Outcome::Fail(kOpenFailed, grow));
        }
        ResultSet keys;
        if (!db.Query(u"SELECT ReportIndex FROM PrintReport ORDER BY ReportIndex LIMIT ?"_s, {needed}, &keys))
            return failed(Outcome::Fail(kOpenFailed, db));
        // The report's rows are overwritten below; every row after them is disabled, whatever a
        // true value was stored as, and keeps its old texts.
        if (db.Execute(u"Update PrintReport Set ReportEnable = False Where (ReportIndex > %1) And "
                       "(ReportEnable <> False)"_s.arg(keys.At(needed - 1, 0).toLongLong())) < 0)
            return failed(Outcome::Fail(kOpenFailed, db));
        Tell(progress, 5);

        PreparedStatement write(db,
                                u"UPDATE PrintReport SET ReportEnable = 1, ReportGrid1 = ?, ReportGrid2 = ?, "
                                "ReportGrid3 = ?, ReportGrid4 = ?, ReportGrid5 = ?, ReportGrid6 = ?, "
                                "ReportGrid7 = ?, ReportGrid8 = ?, ReportGrid9 = ? WHERE ReportIndex = ?"_s);
        QVariantList values(kReportColumns + 1);
        for (int r = 0; r < needed; ++r) {
            const ReportRow& row = report.rows[r];
            for (int c = 0; c < kReportColumns; ++c)
                values[c] = row[c];
            values[kReportColumns] = keys.At(r, 0);
            write.Run(values);
            if (write.Failed()) return failed(Outcome::Fail(kOpenFailed, write));
            if ((r + 1) % kPoolBatch == 0) Tell(progress, 5 + 90 * (r + 1) / needed);
        }

        // A heading row that is missing is left out: the report prints without it.
        if (db.Update(u"PrintList"_s, {{u"ListValue"_s, report.period}}, u"ListIndex = 1"_s) < 0)
            return failed(Outcome::Fail(kOpenFailed, db));
        if (report.title &&
            db.Update(u"PrintList"_s, {{u"ListValue"_s, *report.title}}, u"ListIndex = 2"_s) < 0)
            return failed(Outcome::Fail(kOpenFailed, db));
        return true;
    });
    if (!ok) return failure ? *failure : Outcome::Fail(kOpenFailed, db);
    Tell(progress, 100);
    return Outcome::Ok();
}

Outcome OpenMonthReport(Database& db, Query& rows, Query& period, Query& title) {
    for (Query* q : {&rows, &period, &title})
        q->SetDatabase(&db);
    // The table order of the rows is the order they were written in.
    if (rows.Open(u"Select * From PrintReport Where ReportEnable = True Order By ReportIndex"_s) &&
        period.Open(u"Select * From PrintList Where ListIndex = 1"_s) &&
        title.Open(u"Select * From PrintList Where ListIndex = 2"_s))
        return Outcome::Ok();
    const Outcome failed = Outcome::Fail(kOpenFailed, db);
    for (Query* q : {&rows, &period, &title})
        q->Close();
    return failed;
}

} // namespace tev
