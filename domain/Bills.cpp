#include "domain/Bills.h"

#include "rules/Capitals.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

const QString kOpenFailed = u"数据库打开失败"_s;
const QString kSaveFailed = u"数据保存失败"_s;

QString BillRowStatement(qint64 bill) {
    return u"Select * From Bill Where BillIndex = %1"_s.arg(bill);
}

// The columns written on every store (BillKind apart). A purchase bill is stored negative;
// a bill of 0 as +0, never -0, so that it reads back as a sales amount.
FieldValues BillValues(const BillInput& in) {
    const double sum = in.kind == BillKind::Sales || in.amount == 0 ? in.amount : -in.amount;
    return {
        {u"BillRecordTime"_s, in.recorded.toString(Qt::ISODate)},
        {u"BillCreateTime"_s, in.created.toString(Qt::ISODate)},
        {u"BillSerial"_s, in.serial},
        {u"BillUser"_s, in.customer},
        {u"BillSum"_s, sum},
        {u"BillReason"_s, in.reason},
        {u"BillState"_s, in.state},
        {u"BillRemark"_s, in.remark},
        {u"BillMan"_s, in.man},
    };
}

// Whether the bill's row is there: Done, Gone with missing, or the failed read.
Outcome BillThere(Database& db, qint64 bill, const QString& missing) {
    return RowThere(db, BillRowStatement(bill), missing);
}

} // namespace

Result<BillRecord> LoadBill(Database& db, qint64 bill) {
    ResultSet rs;
    if (!db.Select(BillRowStatement(bill), rs)) return Outcome::Fail(u"数据读入失败"_s, db);
    if (rs.IsEmpty()) return Outcome::Gone(u"找不到要修改的记录"_s);
    rs.First();
    BillRecord r;
    r.created = rs.AsDate(u"BillCreateTime"_s);
    r.serial = rs.AsString(u"BillSerial"_s);
    r.customer = rs.AsString(u"BillUser"_s);
    r.sum = rs.AsFloat(u"BillSum"_s);
    r.reason = rs.AsString(u"BillReason"_s);
    r.state = rs.AsString(u"BillState"_s);
    r.remark = rs.AsString(u"BillRemark"_s);
    r.man = rs.AsString(u"BillMan"_s);

    ResultSet customer;
    if (!db.Select(u"Select * From Customer Where CustomerName = '%1'"_s.arg(SqlText(r.customer)), customer))
        return Outcome::Fail(kOpenFailed, db);
    if (!customer.IsEmpty()) {
        customer.First();
        r.customerIndex = customer.AsInteger(u"CustomerIndex"_s);
    }
    return r;
}

Result<BillKind> StoredBillKind(Database& db, qint64 bill) {
    ResultSet rs;
    if (!db.Select(BillRowStatement(bill), rs)) return Outcome::Fail(u"单据表打开失败"_s, db);
    if (rs.IsEmpty()) return Outcome::Gone(u"找不到要修改的记录"_s);
    rs.First();
    return BillKindFromText(rs.AsString(u"BillKind"_s)).value_or(BillKind::Purchase);
}

Result<qint64> StoreNewBill(Database& db, const BillInput& in, std::optional<qint64> storedAhead) {
    const FieldValues values = BillValues(in);
    bool vanished = false;
    qint64 key = storedAhead.value_or(-1);
    const bool ok = db.Transaction([&] {
        if (!storedAhead) {
            FieldValues withKind = values;
            withKind.prepend({u"BillKind"_s, Text(in.kind)});
            key = db.Insert(u"Bill"_s, withKind);
            if (key < 0) return false;
        } else {
            const int changed = db.Update(u"Bill"_s, values, u"BillIndex = ?"_s, {*storedAhead});
            if (changed <= 0) {
                vanished = changed == 0;
                return false;
            }
        }
        return RecordNumber(db, NumberRow(in.kind), in.serial);
    });
    if (vanished) return Outcome::Gone(u"找不到要修改的记录"_s);
    if (!ok) return Outcome::Fail(kSaveFailed, db);
    return key;
}

Outcome ChangeBill(Database& db, qint64 bill, const BillInput& in) {
    if (Outcome there = BillThere(db, bill, u"找不到要修改的记录"_s); !there) return there;
    if (db.Update(u"Bill"_s, BillValues(in), u"BillIndex = ?"_s, {bill}) < 0)
        return Outcome::Fail(kSaveFailed, db);
    return Outcome::Ok();
}

Outcome FindBillToDelete(Database& db, qint64 bill) {
    return BillThere(db, bill, u"找不到要删除的记录"_s);
}

Outcome DeleteBill(Database& db, qint64 bill) {
    if (db.Delete(u"Bill"_s, u"BillIndex = ?"_s, {bill}) < 0) return Outcome::Fail(u"数据删除失败"_s, db);
    return Outcome::Ok();
}

Outcome UndoAbandonedBill(Database& db, qint64 bill) {
    const Outcome there = BillThere(db, bill, QString());
    if (there.kind == Outcome::Missing) return Outcome::Ok();
    if (!there) return there;
    const bool ok = db.Transaction([&] {
        return db.Delete(u"MoneyTable"_s, u"MoneyBill = ?"_s, {bill}) >= 0 &&
               db.Delete(u"Bill"_s, u"BillIndex = ?"_s, {bill}) >= 0;
    });
    if (!ok) return Outcome::Fail(u"数据删除失败"_s, db);
    return Outcome::Ok();
}

QString LinkedVouchersStatement(qint64 bill) {
    return u"Select MoneyIndex,MoneyCreateTime,MoneySerial,AccountName,MoneyIn,MoneyOut,MoneySum "
           "From Account,MoneyTable Where (AccountIndex = MoneyAccount) And (MoneyBill = %1) Order By MoneyIndex"_s
               .arg(bill);
}

Result<ResultSet> LinkedVouchers(Database& db, qint64 bill) {
    ResultSet rs;
    if (!db.Select(LinkedVouchersStatement(bill), rs)) return Outcome::Fail(kOpenFailed, db);
    return rs;
}

QString ReceivedSumExpression() {
    return u"IIF(Round(Sum(MoneySum),2) Is Null,0,Round(Sum(MoneySum),2))"_s;
}

QString BillRowSelect() {
    const QString received = ReceivedSumExpression();
    return u"Select BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,"_s + received +
           u" As BillGet,BillSum-"_s + received +
           u" As BillOwe,BillMan,BillReason,BillState,BillRemark From (Bill Left Join MoneyTable On "
           "Bill.BillIndex = MoneyTable.MoneyBill)"_s;
}

QString BillRowGrouping() {
    return u" Group By BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,BillMan,BillReason,"
           "BillState,BillRemark"_s;
}

QString BillPrintStatement(qint64 bill) {
    return BillRowSelect() + u" Where (BillIndex = %1)"_s.arg(bill) + BillRowGrouping();
}

Result<BillPrint> PrepareBillPrint(Database& db, qint64 bill) {
    BillPrint print;
    if (!db.Select(BillPrintStatement(bill), print.bill)) return Outcome::Fail(kOpenFailed, db);
    if (print.bill.IsEmpty()) return Outcome::Gone(u"找不到要打印的单据"_s);
    print.bill.First();
    const QString capitals = AmountToCapitals(AmountToCentDigits(std::abs(print.bill.AsFloat(u"BillSum"_s))));

    const QString capitalsRows = u"Select * From PrintBigFont"_s;
    if (!db.Select(capitalsRows, print.capitals)) return Outcome::Fail(kOpenFailed, db);
    if (print.capitals.IsEmpty()) return print;
    print.capitals.First();
    if (db.Update(u"PrintBigFont"_s, {{u"BigFontValue"_s, capitals}}, u"BigFontIndex = ?"_s,
                  {print.capitals.AsInteger(u"BigFontIndex"_s)}) < 0)
        return Outcome::Fail(u"打印数据准备失败"_s, db);
    // The report reads the row as stored.
    if (!db.Select(capitalsRows, print.capitals)) return Outcome::Fail(kOpenFailed, db);
    return print;
}

QString BillListWhere(const DocumentListOptions& options) {
    return u" Where (BillIndex > 1) And (BillKind = '销售开单' Or BillKind = '采购开单')"_s +
           DocumentDateCondition(u"Bill"_s, options.workingDate, options.dateRange) + options.filter;
}

QString BillCountStatement(const DocumentListOptions& options) {
    return u"Select Count(*) As RecordCount From Bill"_s + BillListWhere(options);
}

QString BillPageStatement(const DocumentListOptions& options, int offset, int limit) {
    return u"Select * From Bill"_s + BillListWhere(options) +
           DocumentOrderClause(u"Bill"_s, options.sortField, options.sortDirection) +
           u" Limit %1 Offset %2"_s.arg(limit).arg(offset);
}

QString BillPayStatement(qint64 bill) {
    return u"Select ROUND(SUM(MoneySum),2) As BillPay From MoneyTable Where MoneyBill = %1"_s.arg(bill);
}

Result<int> CountBills(Database& db, const DocumentListOptions& options) {
    ResultSet rs;
    if (!db.Select(BillCountStatement(options), rs)) return Outcome::Fail(u"获取单据时出错"_s, db);
    return rs.IsEmpty() ? 0 : int(rs.At(0, 0).toLongLong());
}

Result<ResultSet> BillPage(Database& db, const DocumentListOptions& options, int offset, int limit) {
    ResultSet rs;
    if (!db.Select(BillPageStatement(options, offset, limit), rs))
        return Outcome::Fail(u"获取单据时出错"_s, db);
    return rs;
}

Result<double> BillPaid(Database& db, qint64 bill) {
    ResultSet rs;
    if (!db.Select(BillPayStatement(bill), rs)) return Outcome::Fail(kOpenFailed, db);
    rs.First();
    return rs.AsFloat(u"BillPay"_s);
}

} // namespace tev
