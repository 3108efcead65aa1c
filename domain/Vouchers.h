#pragma once
// Income and expense vouchers on the money accounts: reading, storing and deleting one, its
// printout and the vouchers page's list.
//
// An income voucher is stored positive (MoneyIn), an expense voucher negative (MoneyOut holds
// the amount unsigned); the kind of a stored voucher is the sign of MoneySum.

#include "data/Database.h"
#include "domain/Documents.h"
#include "domain/Kinds.h"
#include "domain/Outcome.h"

#include <QDate>
#include <QString>

namespace tev {

// The fields of a voucher as the editor stores them.
struct VoucherInput {
    VoucherKind kind = VoucherKind::Income; // sets the sign of MoneySum and which of In/Out holds it
    qint64 account = 0;                     // MoneyAccount: the AccountIndex (see VoucherAccount)
    QDate created;                          // MoneyCreateTime
    QString customer;                       // MoneyUser
    QString reason;                         // MoneyReason
    double amount = 0;                      // unsigned
    QString type;                           // MoneyType: the money category
    QString token;                          // MoneyToken: the proof
    QString remark;                         // MoneyRemark
    QString serial;                         // MoneySerial; a new voucher records it as its kind's last number
    QString man;                            // MoneyMan
    // Written only when the voucher is new: the bill it belongs to (0: none) and the day of the store.
    qint64 bill = 0;
    QDate recorded;
};

// A stored voucher as the editor shows it.
struct VoucherRecord {
    QString accountName;
    QDate created;
    QString customer, reason;
    double sum = 0; // as stored: negative for an expense voucher
    QString type, token, remark, serial, man;
};

// A stored voucher with its account's name. A failed read carries "帐款读入失败", a voucher
// gone meanwhile (or one whose account is gone) "找不到要修改的记录".
Result<VoucherRecord> LoadVoucher(Database& db, qint64 voucher);
// The kind a stored voucher opens with from its tile. A failed read carries "单据表打开失败",
// a voucher gone "找不到要修改的记录".
Result<VoucherKind> StoredVoucherKind(Database& db, qint64 voucher);
// The AccountIndex of the account a voucher is entered on, found by its name as the list
// offered it. An account renamed or deleted since is refused with "找不到所需要的帐户"; a
// failed read carries "数据库打开失败".
Result<qint64> VoucherAccount(Database& db, const QString& accountName);

// A new voucher and its number land together, or nothing does: the voucher is inserted, then
// the number is recorded in the kind's Setting row. A failure carries "数据保存失败".
Outcome StoreNewVoucher(Database& db, const VoucherInput& in);
// A stored voucher written again with the editor's fields; its bill and its record date stay.
// A failed read carries "数据库打开失败", a voucher gone "找不到要修改的记录", a failed write
// "数据保存失败". The number is not recorded again.
Outcome ChangeVoucher(Database& db, qint64 voucher, const VoucherInput& in);
// Done when the voucher is still there to be deleted (the editor then asks); otherwise
// "找不到要删除的记录", or "数据库打开失败" for a failed read.
Outcome FindVoucherToDelete(Database& db, qint64 voucher);
// A failure carries "数据删除失败".
Outcome DeleteVoucher(Database& db, qint64 voucher);

// What a voucher's printout reads: its row with the unsigned amount as MSum, and that amount
// in capitals.
struct VoucherPrint {
    ResultSet voucher;
    QString capitals;
};
// A voucher gone carries "找不到要打印的单据", a failed read "数据库打开失败".
Result<VoucherPrint> PrepareVoucherPrint(Database& db, qint64 voucher);

// The vouchers page. The conditions after "Where": the date range and the salesman's filter.
QString VoucherListWhere(const DocumentListOptions& options);
// "Select Count(*) …" of the list.
QString VoucherCountStatement(const DocumentListOptions& options);
// One screen page of the list, in list order.
QString VoucherPageStatement(const DocumentListOptions& options, int offset, int limit);
// The number of vouchers of the list and one screen page of them; a failure carries
// "获取财务单据时出错".
Result<int> CountVouchers(Database& db, const DocumentListOptions& options);
Result<ResultSet> VoucherPage(Database& db, const DocumentListOptions& options, int offset, int limit);

} // namespace tev
