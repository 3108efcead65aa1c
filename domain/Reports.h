#pragma once
// The report lists' statements: the bill and voucher searches built from the query forms'
// fields, the month lists, the grouping and the orders of the two lists, and the words that
// say what a list shows. The requests a list keeps are built here.

#include "data/RowSource.h"
#include "domain/ListRequest.h"
#include "domain/Outcome.h"

#include <QHash>

#include <functional>

#include <QDate>
#include <QString>
#include <QStringList>

namespace tev {

class Database;
class Query;

// The item of every option list that asks for no condition.
inline const QString kAllItems = QStringLiteral("所有");

// An amount bound as typed is acceptable when it is empty or a plain unsigned number (digits
// with at most one point). "1.2.3" passes IsDecimalString but is no number: refused here,
// so it never reaches a statement.
bool QueryAmountValid(const QString& text);

// " And ({column} Between #{first}# And #{last}#)"; the earlier of the two dates always
// comes first, so a range entered back to front still finds what lies between them.
QString QueryDateCondition(const QString& column, QDate from, QDate to);

// The parts both searches share, in the order of the fields: kind, dates, amounts, number,
// customer, remark, salesman. Each part is "名称：值".
struct QueryWords {
    QStringList parts;
    void Option(const QString& caption, const QString& value);   // leaves out "所有" and empty
    void Contains(const QString& caption, const QString& value); // leaves out empty
    // The date range (earlier date first) and the amount range when they are in use.
    void Ranges(bool period, QDate from, QDate to, bool amounts, const QString& lower, const QString& upper);
    QString Joined(const QString& nothingAsked) const;
};

// A bill search as the window's fields hold it. Option texts equal to "所有" and empty
// texts ask for nothing; the customer text is a condition whenever it is not "所有".
struct BillQueryInput {
    QString kind = kAllItems;
    bool period = false;
    QDate from, to;
    bool amounts = false;
    QString lower, upper; // magnitudes as typed, already checked by QueryAmountValid
    QString reason = kAllItems;
    QString state = kAllItems;
    QString customer = kAllItems;
    QString remark, serial, salesman;
};

// The select list and join of every bill search, up to "Where".
QString BillQuerySelect();
// The full search: "{select} Where (BillIndex > 1){bill filter}" and one condition per
// filled field, in the fixed order. Every text is searched literally.
QString BillQueryStatement(const BillQueryInput& input, const QString& billFilter);
// The bills created in the month of the working date.
QString BillMonthStatement(QDate working);
// What a search or the month list shows, in words, for the list's conditions line.
QString BillQueryDescription(const BillQueryInput& input);
QString BillMonthDescription(QDate working);

// A voucher search as the window's fields hold it. Option texts equal to "所有" and empty
// texts ask for nothing; the customer text is a condition whenever it is not "所有".
struct MoneyQueryInput {
    QString kind = kAllItems;
    bool period = false;
    QDate from, to;
    bool amounts = false;
    QString lower, upper; // magnitudes as typed, already checked by QueryAmountValid
    QString account = kAllItems;
    QString reason = kAllItems;
    QString type = kAllItems;
    QString token = kAllItems;
    QString customer = kAllItems;
    QString remark, serial, salesman;
};

// The select list and join of every voucher search, up to and including the join condition.
QString MoneyQuerySelect();
// The full search: "{select}{voucher filter}" and one condition per filled field, in the
// fixed order. A voucher's kind is the sign of its sum. Every text is searched literally.
QString MoneyQueryStatement(const MoneyQueryInput& input, const QString& voucherFilter);
// The vouchers created in the month of the working date.
QString MoneyMonthStatement(QDate working);
// What a search or the month list shows, in words, for the list's conditions line.
QString MoneyQueryDescription(const MoneyQueryInput& input);
QString MoneyMonthDescription(QDate working);

// The bill list's grouping (one row per bill, with what was received on it) and its orders.
enum class BillListOrder { ByTime, ByCustomer, ByAmount };
QString BillListGrouping();
QString BillListOrderClause(BillListOrder order);
enum class MoneyListOrder { ByTime, ByAccount, ByAmount };
QString MoneyListOrderClause(MoneyListOrder order);

// Opens a list's full statement (kept statement, salesman's filter, grouping, order) into
// rows; a failure leaves rows closed and carries "数据库打开失败".
Outcome OpenList(Database& db, const QString& statement, Query& rows);

// A report list as it is shown, printed and exported: its rows read where they lie and its
// footers (the count and the column sums) from one aggregate statement. The figures are those
// of the list's statement as kept (kept statement, salesman's filter, grouping, order); a bill
// list of the searches' own statements is read by bill, with what was received on each bill
// summed from that bill's vouchers, so that a screen of a million bills reads a screen of rows.
struct ListRows {
    std::shared_ptr<RowSource> rows;
    int count = 0;
    QHash<QString, double> sums; // by column
};
// The two statements a list is read with: the aggregate that counts and sums it (columns
// RowTotal and Sum{column}), and the statement of a block of its rows.
struct ListStatements {
    QString aggregate;
    std::function<QString(int offset, int limit)> page;
    QStringList sumColumns;
    // The same rows in the reverse order (the orders end in the record number, so the reverse
    // is exact): a block near the end is read from the end.
    std::function<QString(int offset, int limit)> reversedPage;
};
// An " Order By …" clause with every term's direction turned round.
QString ReversedOrder(const QString& orderBy);
ListStatements BillListStatements(const QString& kept, const QString& billFilter, BillListOrder order);
ListStatements MoneyListStatements(const QString& kept, const QString& voucherFilter, MoneyListOrder order);
// Opens a list from its statements.
Result<ListRows> OpenListRows(Database& db, const ListStatements& statements);

// The bill list; sums of BillSum, BillGet, BillOwe. A failure carries "数据库打开失败".
Result<ListRows> OpenBillList(Database& db, const QString& kept, const QString& billFilter,
                              BillListOrder order);
// The voucher list; sums of MoneyIn, MoneyOut, MoneySum.
Result<ListRows> OpenMoneyList(Database& db, const QString& kept, const QString& voucherFilter,
                               MoneyListOrder order);

// The requests the query forms hand to the lists: the search's statement with its words, the
// month of the working date with "本月（…）".
ListRequest BillSearchRequest(const BillQueryInput& input, const QString& billFilter);
ListRequest BillMonthRequest(QDate working);
ListRequest MoneySearchRequest(const MoneyQueryInput& input, const QString& voucherFilter);
ListRequest MoneyMonthRequest(QDate working);

} // namespace tev
