#include "domain/Vouchers.h"

#include "rules/Capitals.h"

using namespace Qt::StringLiterals;

namespace tev {

namespace {

const QString kOpenFailed = u"数据库打开失败"_s;
const QString kSaveFailed = u"数据保存失败"_s;

QString VoucherRowStatement(qint64 voucher) {
    return u"Select * From MoneyTable Where MoneyIndex = %1"_s.arg(voucher);
}

// The columns written on every store. Written as +0, never -0: a voucher of 0 reads back as
// income.
FieldValues VoucherValues(const VoucherInput& in) {
    const bool income = in.kind == VoucherKind::Income;
    const double sum = income || in.amount == 0 ? in.amount : -in.amount;
    return {
        {u"MoneyAccount"_s, in.account},
        {u"MoneyCreateTime"_s, in.created.toString(Qt::ISODate)},
        {u"MoneyUser"_s, in.customer},
        {u"MoneyReason"_s, in.reason},
        {u"MoneyIn"_s, income ? in.amount : 0.0},
        {u"MoneyOut"_s, income ? 0.0 : in.amount},
        {u"MoneySum"_s, sum},
        {u"MoneyType"_s, in.type},
        {u"MoneyToken"_s, in.token},
        {u"MoneyRemark"_s, in.remark},
        {u"MoneySerial"_s, in.serial},
        {u"MoneyMan"_s, in.man},
    };
}

Outcome VoucherThere(Database& db, qint64 voucher, const QString& missing) {
    return RowThere(db, VoucherRowStatement(voucher), missing);
}

} // namespace

Result<VoucherRecord> LoadVoucher(Database& db, qint64 voucher) {
    ResultSet rs;
    if (!db.Select(u"Select * From Account,MoneyTable Where (AccountIndex = MoneyAccount) And "
                   "(MoneyIndex = %1)"_s.arg(voucher),
                   rs))
        return Outcome::Fail(u"帐款读入失败"_s, db);
    if (rs.IsEmpty()) return Outcome::Gone(u"找不到要修改的记录"_s);
    rs.First();
    VoucherRecord r;
    r.accountName = rs.AsString(u"AccountName"_s);
    r.created = rs.AsDate(u"MoneyCreateTime"_s);
    r.customer = rs.AsString(u"MoneyUser"_s);
    r.reason = rs.AsString(u"MoneyReason"_s);
    r.sum = rs.AsFloat(u"MoneySum"_s);
    r.type = rs.AsString(u"MoneyType"_s);
    r.token = rs.AsString(u"MoneyToken"_s);
    r.remark = rs.AsString(u"MoneyRemark"_s);
    r.serial = rs.AsString(u"MoneySerial"_s);
    r.man = rs.AsString(u"MoneyMan"_s);
    return r;
}

Result<VoucherKind> StoredVoucherKind(Database& db, qint64 voucher) {
    ResultSet rs;
    if (!db.Select(VoucherRowStatement(voucher), rs)) return Outcome::Fail(u"单据表打开失败"_s, db);
    if (rs.IsEmpty()) return Outcome::Gone(u"找不到要修改的记录"_s);
    rs.First();
    return VoucherKindOfSum(rs.AsFloat(u"MoneySum"_s));
}

Result<qint64> VoucherAccount(Database& db, const QString& accountName) {
    ResultSet rs;
    if (!db.Select(u"Select * From Account Where AccountName = '%1'"_s.arg(SqlText(accountName)), rs))
        return Outcome::Fail(kOpenFailed, db);
    if (rs.IsEmpty()) return Outcome::Refuse(u"找不到所需要的帐户"_s);
    rs.First();
    return rs.AsInteger(u"AccountIndex"_s);
}

Outcome StoreNewVoucher(Database& db, const VoucherInput& in) {
    FieldValues values = VoucherValues(in);
    values.append({u"MoneyBill"_s, in.bill});
    values.append({u"MoneyRecordTime"_s, in.recorded.toString(Qt::ISODate)});
    const bool ok = db.Transaction([&] {
        if (db.Insert(u"MoneyTable"_s, values) < 0) return false;
        return RecordNumber(db, NumberRow(in.kind), in.serial);
    });
    if (!ok) return Outcome::Fail(kSaveFailed, db);
    return Outcome::Ok();
}

Outcome ChangeVoucher(Database& db, qint64 voucher, const VoucherInput& in) {
    if (Outcome there = VoucherThere(db, voucher, u"找不到要修改的记录"_s); !there) return there;
    if (db.Update(u"MoneyTable"_s, VoucherValues(in), u"MoneyIndex = ?"_s, {voucher}) < 0)
        return Outcome::Fail(kSaveFailed, db);
    return Outcome::Ok();
}

Outcome FindVoucherToDelete(Database& db, qint64 voucher) {
    return VoucherThere(db, voucher, u"找不到要删除的记录"_s);
}

Outcome DeleteVoucher(Database& db, qint64 voucher) {
    if (db.Delete(u"MoneyTable"_s, u"MoneyIndex = ?"_s, {voucher}) < 0)
        return Outcome::Fail(u"数据删除失败"_s, db);
    return Outcome::Ok();
}

Result<VoucherPrint> PrepareVoucherPrint(Database& db, qint64 voucher) {
    VoucherPrint print;
    // The printout also names the voucher's account and says whether it is income or expense,
    // by the sign of its sum as the editors do.
    if (!db.Select(u"Select ABS(MoneySum) As MSum,IIF(MoneySum < 0,'支出','收入') As MoneyKindText,"
                   "(Select AccountName From Account Where AccountIndex = MoneyAccount) As AccountName,* "
                   "From MoneyTable Where MoneyIndex = %1"_s.arg(voucher),
                   print.voucher))
        return Outcome::Fail(kOpenFailed, db);
    // A voucher deleted meanwhile is reported, not printed as an empty form.
    if (print.voucher.IsEmpty()) return Outcome::Gone(u"找不到要打印的单据"_s);
    print.voucher.First();
    print.capitals = AmountToCapitals(AmountToCentDigits(print.voucher.AsFloat(u"MSum"_s)));
    return print;
}

QString VoucherListWhere(const DocumentListOptions& options) {
    return u" Where (MoneyIndex > 1)"_s +
           DocumentDateCondition(u"Money"_s, options.workingDate, options.dateRange) + options.filter;
}

QString VoucherCountStatement(const DocumentListOptions& options) {
    return u"Select Count(*) As RecordCount From MoneyTable"_s + VoucherListWhere(options);
}

QString VoucherPageStatement(const DocumentListOptions& options, int offset, int limit) {
    return u"Select * From MoneyTable"_s + VoucherListWhere(options) +
           DocumentOrderClause(u"Money"_s, options.sortField, options.sortDirection) +
           u" Limit %1 Offset %2"_s.arg(limit).arg(offset);
}

Result<int> CountVouchers(Database& db, const DocumentListOptions& options) {
    ResultSet rs;
    if (!db.Select(VoucherCountStatement(options), rs)) return Outcome::Fail(u"获取财务单据时出错"_s, db);
    return rs.IsEmpty() ? 0 : int(rs.At(0, 0).toLongLong());
}

Result<ResultSet> VoucherPage(Database& db, const DocumentListOptions& options, int offset, int limit) {
    ResultSet rs;
    if (!db.Select(VoucherPageStatement(options, offset, limit), rs))
        return Outcome::Fail(u"获取财务单据时出错"_s, db);
    return rs;
}

} // namespace tev
