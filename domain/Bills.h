#pragma once
// Sales and purchase bills: reading, storing and deleting one, the vouchers linked to it, what
// was received or paid on it, its printout and the bills page's list.
//
// A sales bill is stored positive, a purchase bill negative; the editors show the amount
// unsigned. A bill's vouchers name it in MoneyBill.

#include "data/Database.h"
#include "domain/Documents.h"
#include "domain/Kinds.h"
#include "domain/Outcome.h"

#include <QDate>
#include <QString>

#include <optional>

namespace tev {

// The fields of a bill as the editor stores them.
struct BillInput {
    BillKind kind = BillKind::Sales; // sets the sign of BillSum; written only when the bill is new
    QDate created;                   // BillCreateTime
    QDate recorded;                  // BillRecordTime: the day of the store
    QString serial;                  // BillSerial; a new bill records it as its kind's last number
    QString customer;                // BillUser
    double amount = 0;               // unsigned
    QString reason;                  // BillReason
    QString state;                   // BillState
    QString remark;                  // BillRemark
    QString man;                     // BillMan: who stored it last
};

// A stored bill as the editor shows it.
struct BillRecord {
    QDate created;
    QString serial, customer;
    double sum = 0; // as stored: negative for a purchase bill
    QString reason, state, remark, man;
    // The CustomerIndex of the customer of that name; 0 when no customer has it.
    qint64 customerIndex = 0;
};

// A stored bill with its customer's key. A failed read of the bill carries "数据读入失败", of
// the customer "数据库打开失败"; a bill gone meanwhile "找不到要修改的记录".
Result<BillRecord> LoadBill(Database& db, qint64 bill);
// The kind a stored bill opens with from its tile: any kind but a sales bill's opens as a
// purchase bill. A failed read carries "单据表打开失败", a bill gone "找不到要修改的记录".
Result<BillKind> StoredBillKind(Database& db, qint64 bill);

// A new bill and its number land together, or nothing does: the bill is inserted, or, when
// it was stored ahead of its first voucher (storedAhead), that row is written again; then the
// number is recorded in the kind's Setting row. The bill's key. A failure carries
// "数据保存失败"; a bill stored ahead and deleted meanwhile "找不到要修改的记录".
Result<qint64> StoreNewBill(Database& db, const BillInput& in, std::optional<qint64> storedAhead);
// A stored bill written again with the editor's fields. The kind never changes, nor does the
// recorded number. A failed read carries "数据库打开失败", a bill gone "找不到要修改的记录", a
// failed write "数据保存失败".
Outcome ChangeBill(Database& db, qint64 bill, const BillInput& in);
// Done when the bill is still there to be deleted (the editor then asks); otherwise
// "找不到要删除的记录", or "数据库打开失败" for a failed read.
Outcome FindBillToDelete(Database& db, qint64 bill);
// Only the bill goes: its vouchers stay, still naming it. A failure carries "数据删除失败".
Outcome DeleteBill(Database& db, qint64 bill);
// A new bill stored only so that its vouchers could name it, then abandoned: it goes with
// every voucher naming it, or nothing goes. A bill already gone is no failure. A failed read
// carries "数据库打开失败", a failed delete "数据删除失败".
Outcome UndoAbandonedBill(Database& db, qint64 bill);

// The vouchers naming a bill with their account's name, in the order they were entered:
// MoneyIndex, MoneyCreateTime, MoneySerial, AccountName, MoneyIn, MoneyOut, MoneySum. A
// failure carries "数据库打开失败".
QString LinkedVouchersStatement(qint64 bill);
Result<ResultSet> LinkedVouchers(Database& db, qint64 bill);

// What was received (a sales bill) or paid (a purchase bill) on a bill: the sum of its
// vouchers rounded to cents, 0 when it has none. An expression over Bill left-joined with
// MoneyTable and grouped by bill; every statement that shows a bill's received amount uses it.
QString ReceivedSumExpression();
// The bill row every list and print shows, up to "Where": the bill's columns with what was
// received or paid on it (BillGet) and what is still owed (BillOwe), over Bill left-joined with
// MoneyTable; and the grouping that folds the join back to one row per bill.
QString BillRowSelect();
QString BillRowGrouping();
// The bill row of one bill.
QString BillPrintStatement(qint64 bill);

// What a bill's printout reads: the bill's row of BillPrintStatement and the rows of
// PrintBigFont, the first holding the bill's amount in capitals as stored.
struct BillPrint {
    ResultSet bill;
    ResultSet capitals;
};
// Writes the capitals of the stored bill's amount into PrintBigFont and reads both back. A
// bill gone carries "找不到要打印的单据", a failed read "数据库打开失败", a failed write of the
// capitals "打印数据准备失败".
Result<BillPrint> PrepareBillPrint(Database& db, qint64 bill);

// The bills page. The conditions after "Where": the two bill kinds, the date range and the
// salesman's filter.
QString BillListWhere(const DocumentListOptions& options);
// "Select Count(*) …" of the list.
QString BillCountStatement(const DocumentListOptions& options);
// One screen page of the list, in list order.
QString BillPageStatement(const DocumentListOptions& options, int offset, int limit);
// The rounded sum of the vouchers linked to a bill, as BillPay (empty without vouchers).
QString BillPayStatement(qint64 bill);
// The number of bills of the list and one screen page of them; a failure carries
// "获取单据时出错".
Result<int> CountBills(Database& db, const DocumentListOptions& options);
Result<ResultSet> BillPage(Database& db, const DocumentListOptions& options, int offset, int limit);
// The net of the vouchers linked to a bill (0 without vouchers), signed as stored. A failure
// carries "数据库打开失败".
Result<double> BillPaid(Database& db, qint64 bill);

} // namespace tev
