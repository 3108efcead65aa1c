#pragma once
// What the bills page and the vouchers page share: the documents of the working day or of
// its month, in one of four orders.

#include <QDate>
#include <QString>

namespace tev {

// What a document list depends on besides the database.
struct DocumentListOptions {
    QDate workingDate;
    int dateRange = 0;     // 0 the working day ("当天单据"), 1 its month ("当月单据")
    QString filter;        // the salesman's BillFilter or VoucherFilter
    int sortField = 0;     // 0 record number, 1 document number, 2 customer, 3 date
    int sortDirection = 1; // 0 ascending, 1 descending
};

// The first and the last day of the month of date (the last being the day before the first
// day of the next month).
QDate FirstDayOfMonth(const QDate& date);
QDate LastDayOfMonth(const QDate& date);

// " And ({stem}CreateTime = #day#)" or " And ({stem}CreateTime Between #first# And #last#)";
// stem is "Bill" or "Money".
QString DocumentDateCondition(const QString& stem, const QDate& workingDate, int dateRange);

// The order of a document list; stem is "Bill" or "Money". The direction word follows the
// last column only: by customer descending the customers stay ascending and each customer's
// documents run from the newest; by date descending the dates stay ascending and the
// documents of one date run from the highest record number. Customer names compare by pinyin,
// as on the customers page. Where the columns leave rows tied (same number, or same customer
// and date) the record number decides, in the same direction: the order is then the same at
// every refresh, and the screen pages, fetched one at a time, never overlap or skip a row.
QString DocumentOrderClause(const QString& stem, int sortField, int sortDirection);

} // namespace tev
