#pragma once
// What bills and vouchers share: the lists of the working day or of its month in one of four
// orders, the document numbers of the Setting rows, and the customer a new document starts with.

#include "domain/Kinds.h"
#include "domain/Outcome.h"

#include <QDate>
#include <QString>

#include <optional>

namespace tev {

class Database;

// What a document list depends on besides the database.
struct DocumentListOptions {
    QDate workingDate;
    int dateRange = 0;     // 0 the working day ("当天单据"), 1 its month ("当月单据")
    QString filter;        // the salesman's BillFilter or VoucherFilter
    int sortField = 0;     // 0 record number, 1 document number, 2 customer, 3 date
    int sortDirection = 1; // 0 ascending, 1 descending
};

// " And ({stem}CreateTime = #day#)" or " And ({stem}CreateTime Between #first# And #last#)" over
// the month of the working date; stem is "Bill" or "Money".
QString DocumentDateCondition(const QString& stem, const QDate& workingDate, int dateRange);

// The order of a document list; stem is "Bill" or "Money". The direction word follows the
// last column only: by customer descending the customers stay ascending and each customer's
// documents run from the newest; by date descending the dates stay ascending and the
// documents of one date run from the highest record number. Customer names compare by pinyin,
// as on the customers page. Where the columns leave rows tied (same number, or same customer
// and date) the record number decides, in the same direction: the order is then the same at
// every refresh, and the screen pages, fetched one at a time, never overlap or skip a row.
QString DocumentOrderClause(const QString& stem, int sortField, int sortDirection);

// The Setting row that keeps the last number of a kind: 1 sales bills, 2 purchase bills,
// 3 income vouchers, 4 expense vouchers.
int NumberRow(BillKind kind);
int NumberRow(VoucherKind kind);
// The number proposed for the next document of a row: the stored last number counted on by
// one. Empty when the row is missing or its number has letters after the digits or a tail
// too long to count on: the box then starts empty rather than guessing. A failed read
// carries "数据库打开失败".
Result<QString> ProposedNumber(Database& db, int row);
// Records number as the last one of a row. A step of a store's transaction: false when the
// statement failed (db holds the reason). A missing row records nothing and is no failure.
bool RecordNumber(Database& db, int row, const QString& number);

// The name of the customer a new document starts with (customer: CustomerIndex); none when
// no customer has that key. A failed read carries "客户数据读入失败".
Result<std::optional<QString>> CustomerNameOf(Database& db, qint64 customer);

// Whether a statement finds a row: Done, Gone with missing, or the failed read ("数据库打开失败").
Outcome RowThere(Database& db, const QString& statement, const QString& missing);

} // namespace tev
