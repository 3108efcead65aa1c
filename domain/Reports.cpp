#include "domain/Reports.h"

#include "data/Database.h"
#include "data/Dialect.h"
#include "data/Query.h"
#include "domain/Bills.h"
#include "domain/Periods.h"
#include "rules/PublicFunction.h"

using namespace Qt::StringLiterals;

namespace tev {

bool QueryAmountValid(const QString& text) {
    return ReadAmountEntry(text).state != AmountEntry::Invalid;
}

QString QueryDateCondition(const QString& column, QDate from, QDate to) {
    if (to < from) std::swap(from, to);
    return u" And (%1 Between %2 And %3)"_s.arg(column, SqlDate(from), SqlDate(to));
}

void QueryWords::Option(const QString& caption, const QString& value) {
    if (value != kAllItems && !value.isEmpty()) parts << u"%1：%2"_s.arg(caption, value);
}

void QueryWords::Contains(const QString& caption, const QString& value) {
    if (!value.isEmpty()) parts << u"%1含“%2”"_s.arg(caption, value);
}

QString QueryWords::Joined(const QString& nothingAsked) const {
    return parts.isEmpty() ? nothingAsked : parts.join(u"；"_s);
}

void QueryWords::Ranges(bool period, QDate from, QDate to, bool amounts, const QString& lower,
                        const QString& upper) {
    if (period) {
        if (to < from) std::swap(from, to);
        parts << u"日期：%1至%2"_s.arg(from.toString(u"yyyy-M-d"_s), to.toString(u"yyyy-M-d"_s));
    }
    if (amounts && (!lower.isEmpty() || !upper.isEmpty()))
        parts << u"金额：%1至%2"_s.arg(lower.isEmpty() ? u"不限"_s : lower,
                                       upper.isEmpty() ? u"不限"_s : upper);
}

QString BillQuerySelect() {
    return BillRowSelect();
}

QString BillQueryStatement(const BillQueryInput& in, const QString& billFilter) {
    QString sql = BillQuerySelect() + u" Where (BillIndex > 1)"_s + billFilter;
    if (in.period) sql += QueryDateCondition(u"BillCreateTime"_s, in.from, in.to);
    if (in.amounts) {
        // The magnitudes take the sign of the kind: purchase bills are stored negative.
        const bool purchase = in.kind == u"采购开单"_s;
        if (!in.lower.isEmpty()) {
            if (purchase)
                sql += u" And (BillSum <= -%1)"_s.arg(in.lower);
            else if (in.kind == u"销售开单"_s)
                sql += u" And (BillSum >= %1)"_s.arg(in.lower);
        }
        if (!in.upper.isEmpty())
            sql +=
                purchase ? u" And (BillSum >= -%1)"_s.arg(in.upper) : u" And (BillSum <= %1)"_s.arg(in.upper);
    }
    const auto equals = [&sql](const QString& column, const QString& value) {
        // A list with nothing chosen (its options failed to load) asks for nothing either.
        if (value != kAllItems && !value.isEmpty()) sql += u" And (%1 = '%2')"_s.arg(column, SqlText(value));
    };
    const auto contains = [&sql](const QString& column, const QString& value) {
        sql += u" And (InStr(%1,'%2'))"_s.arg(column, SqlText(value));
    };
    equals(u"BillReason"_s, in.reason);
    equals(u"BillState"_s, in.state);
    equals(u"BillKind"_s, in.kind);
    if (in.customer != kAllItems) contains(u"BillUser"_s, in.customer);
    if (!in.remark.isEmpty()) contains(u"BillRemark"_s, in.remark);
    if (!in.serial.isEmpty()) contains(u"BillSerial"_s, in.serial);
    if (!in.salesman.isEmpty()) contains(u"BillMan"_s, in.salesman);
    return sql;
}

QString BillMonthStatement(QDate working) {
    return BillQuerySelect() + u" Where (BillCreateTime Between %1 And %2)"_s.arg(
                                   SqlDate(MonthStart(working)), SqlDate(MonthEnd(working)));
}

QString BillQueryDescription(const BillQueryInput& in) {
    QueryWords words;
    words.Option(u"单据类型"_s, in.kind);
    words.Ranges(in.period, in.from, in.to, in.amounts, in.lower, in.upper);
    words.Option(u"业务种类"_s, in.reason);
    words.Option(u"业务进度"_s, in.state);
    if (in.customer != kAllItems) words.Contains(u"客户名称"_s, in.customer);
    words.Contains(u"备注"_s, in.remark);
    words.Contains(u"单据编号"_s, in.serial);
    words.Contains(u"业务员"_s, in.salesman);
    return words.Joined(u"全部业务单据"_s);
}

QString BillMonthDescription(QDate working) {
    return MonthWords(working) + u"业务单据"_s;
}

QString MoneyQuerySelect() {
    return u"Select MoneyIndex,MoneyCreateTime,MoneySerial,AccountName,MoneyUser,MoneyIn,MoneyOut,MoneySum,"
           "MoneyMan,MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable "
           "Where (AccountIndex = MoneyAccount)"_s;
}

QString MoneyQueryStatement(const MoneyQueryInput& in, const QString& voucherFilter) {
    QString sql = MoneyQuerySelect() + voucherFilter;
    if (in.period) sql += QueryDateCondition(u"MoneyCreateTime"_s, in.from, in.to);
    const bool expense = in.kind == u"财务支出单"_s;
    if (in.amounts) {
        // The magnitudes take the sign of the kind: expense vouchers are stored negative.
        if (!in.lower.isEmpty()) {
            if (expense)
                sql += u" And (MoneySum <= -%1)"_s.arg(in.lower);
            else if (in.kind == u"财务收入单"_s)
                sql += u" And (MoneySum >= %1)"_s.arg(in.lower);
        }
        if (!in.upper.isEmpty())
            sql += expense ? u" And (MoneySum >= -%1)"_s.arg(in.upper)
                           : u" And (MoneySum <= %1)"_s.arg(in.upper);
    }
    const auto equals = [&sql](const QString& column, const QString& value) {
        // A list with nothing chosen (its options failed to load) asks for nothing either.
        if (value != kAllItems && !value.isEmpty()) sql += u" And (%1 = '%2')"_s.arg(column, SqlText(value));
    };
    const auto contains = [&sql](const QString& column, const QString& value) {
        sql += u" And (InStr(%1,'%2'))"_s.arg(column, SqlText(value));
    };
    equals(u"AccountName"_s, in.account);
    equals(u"MoneyReason"_s, in.reason);
    equals(u"MoneyType"_s, in.type);
    equals(u"MoneyToken"_s, in.token);
    if (in.kind == u"财务收入单"_s) sql += u" And (MoneySum >= 0)"_s;
    if (expense) sql += u" And (MoneySum < 0)"_s;
    if (in.customer != kAllItems) contains(u"MoneyUser"_s, in.customer);
    if (!in.remark.isEmpty()) contains(u"MoneyRemark"_s, in.remark);
    if (!in.serial.isEmpty()) contains(u"MoneySerial"_s, in.serial);
    if (!in.salesman.isEmpty()) contains(u"MoneyMan"_s, in.salesman);
    return sql;
}

QString MoneyMonthStatement(QDate working) {
    return MoneyQuerySelect() + u" And (MoneyCreateTime Between %1 And %2)"_s.arg(
                                    SqlDate(MonthStart(working)), SqlDate(MonthEnd(working)));
}

QString MoneyQueryDescription(const MoneyQueryInput& in) {
    QueryWords words;
    words.Option(u"单据类型"_s, in.kind);
    words.Ranges(in.period, in.from, in.to, in.amounts, in.lower, in.upper);
    words.Option(u"帐户"_s, in.account);
    words.Option(u"项目"_s, in.reason);
    words.Option(u"款项类别"_s, in.type);
    words.Option(u"款项凭证"_s, in.token);
    if (in.customer != kAllItems) words.Contains(u"客户名称"_s, in.customer);
    words.Contains(u"备注"_s, in.remark);
    words.Contains(u"单据编号"_s, in.serial);
    words.Contains(u"业务员"_s, in.salesman);
    return words.Joined(u"全部财务单据"_s);
}

QString MoneyMonthDescription(QDate working) {
    return MonthWords(working) + u"财务单据"_s;
}

QString BillListGrouping() {
    return BillRowGrouping();
}

QString BillListOrderClause(BillListOrder order) {
    switch (order) {
    case BillListOrder::ByCustomer:
        // Names in the order a Chinese reader expects, as on the customers page.
        return u" Order By %1,BillCreateTime,BillIndex"_s.arg(SqliteDialect().PinyinOrder(u"BillUser"_s));
    case BillListOrder::ByAmount:
        return u" Order By BillSum Desc,BillCreateTime,BillIndex"_s;
    case BillListOrder::ByTime:
        break;
    }
    return u" Order By BillCreateTime,BillIndex"_s;
}

QString MoneyListOrderClause(MoneyListOrder order) {
    switch (order) {
    case MoneyListOrder::ByAccount:
        return u" Order By %1,MoneyCreateTime,MoneyIndex"_s.arg(
            SqliteDialect().PinyinOrder(u"AccountName"_s));
    case MoneyListOrder::ByAmount:
        return u" Order By MoneySum Desc,MoneyCreateTime,MoneyIndex"_s;
    case MoneyListOrder::ByTime:
        break;
    }
    return u" Order By MoneyCreateTime,MoneyIndex"_s;
}

Outcome OpenList(Database& db, const QString& statement, Query& rows) {
    rows.SetDatabase(&db);
    if (rows.Open(statement)) return Outcome::Ok();
    const Outcome failed = Outcome::Fail(u"数据库打开失败"_s, db);
    rows.Close();
    return failed;
}

namespace {

constexpr int kListBlock = 256;

QString Limit(int offset, int limit) {
    return SqliteDialect().LimitOffset(limit, offset);
}

QString SumList(const QStringList& columns) {
    QStringList parts{u"Count(*) As RowTotal"_s};
    for (const QString& c : columns)
        parts << u"Sum(%1) As Sum%1"_s.arg(c);
    return parts.join(u","_s);
}

// Any list statement: its rows counted and summed over the statement itself, read a block at
// a time. Right for every statement; a grouped one is read whole for each block.
ListStatements AnyList(const QString& statement, const QString& order, const QStringList& sums) {
    const QString reversed = ReversedOrder(order);
    return {
        u"Select %1 From (%2)"_s.arg(SumList(sums), statement),
        [statement, order](int offset, int limit) { return statement + order + Limit(offset, limit); }, sums,
        [statement, reversed](int offset, int limit) { return statement + reversed + Limit(offset, limit); }};
}

} // namespace

QString ReversedOrder(const QString& orderBy) {
    static const QString kOrderBy = u" Order By "_s;
    if (!orderBy.startsWith(kOrderBy, Qt::CaseInsensitive)) return orderBy;
    QStringList terms = orderBy.mid(kOrderBy.size()).split(u',');
    for (QString& term : terms) {
        term = term.trimmed();
        if (term.endsWith(u" Desc"_s, Qt::CaseInsensitive))
            term.chop(5);
        else if (term.endsWith(u" Asc"_s, Qt::CaseInsensitive))
            term = term.chopped(4) + u" Desc"_s;
        else
            term += u" Desc"_s;
    }
    return kOrderBy + terms.join(u","_s);
}

Result<ListRows> OpenListRows(Database& db, const ListStatements& statements) {
    ResultSet rs;
    if (!db.Select(statements.aggregate, rs) || rs.IsEmpty()) return Outcome::Fail(u"数据库打开失败"_s, db);
    ListRows list;
    list.count = int(rs.AsInteger(u"RowTotal"_s));
    for (const QString& column : statements.sumColumns)
        list.sums.insert(column, rs.AsFloat(u"Sum"_s + column));
    const std::shared_ptr<PagedRows> paged = PagedRows::Open(db, list.count, statements.page, kListBlock);
    if (!paged) return Outcome::Fail(u"数据库打开失败"_s, db);
    if (statements.reversedPage) paged->SetReversedPage(statements.reversedPage);
    list.rows = paged;
    return list;
}

ListStatements BillListStatements(const QString& kept, const QString& billFilter, BillListOrder order) {
    const QStringList sums{u"BillSum"_s, u"BillGet"_s, u"BillOwe"_s};
    const QString orderBy = BillListOrderClause(order);
    const QString select = BillRowSelect();
    if (!kept.startsWith(select)) return AnyList(kept + billFilter + BillRowGrouping(), orderBy, sums);
    // The searches' conditions are on the bill's own columns: the bills are chosen, counted
    // and ordered without the join. Each bill's received amount is the rounded sum of its own
    // vouchers (none: 0), the figure the grouped statement gives, read from the total the
    // engine keeps on the bill's row.
    const QString where = kept.mid(select.size()) + billFilter;
    const QString received = u"BillGetCents / 100.0"_s;
    const QString rows =
        u"Select BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,%1 As BillGet,"
        "BillSum-%1 As BillOwe,BillMan,BillReason,BillState,BillRemark From Bill"_s.arg(received) +
        where;
    const QString reversed = ReversedOrder(orderBy);
    // The footers add whole cents, one column each, rather than a figure worked out per row.
    const QString footers = u"Select Count(*) As RowTotal,Sum(BillSum) As SumBillSum,Sum(BillGetCents) / 100.0 "
                            "As SumBillGet,Sum(BillSum) - Sum(BillGetCents) / 100.0 As SumBillOwe From Bill"_s +
                            where;
    return {footers,
            [rows, orderBy](int offset, int limit) { return rows + orderBy + Limit(offset, limit); }, sums,
            [rows, reversed](int offset, int limit) { return rows + reversed + Limit(offset, limit); }};
}

ListStatements MoneyListStatements(const QString& kept, const QString& voucherFilter, MoneyListOrder order) {
    // No grouping: the statement itself is counted, summed and read a block at a time.
    return AnyList(kept + voucherFilter, MoneyListOrderClause(order),
                   {u"MoneyIn"_s, u"MoneyOut"_s, u"MoneySum"_s});
}

Result<ListRows> OpenBillList(Database& db, const QString& kept, const QString& billFilter,
                              BillListOrder order) {
    return OpenListRows(db, BillListStatements(kept, billFilter, order));
}

Result<ListRows> OpenMoneyList(Database& db, const QString& kept, const QString& voucherFilter,
                               MoneyListOrder order) {
    return OpenListRows(db, MoneyListStatements(kept, voucherFilter, order));
}

ListRequest BillSearchRequest(const BillQueryInput& input, const QString& billFilter) {
    return ListRequest::Fixed(BillQueryStatement(input, billFilter), BillQueryDescription(input));
}

ListRequest BillMonthRequest(QDate working) {
    return ListRequest::Fixed(BillMonthStatement(working), BillMonthDescription(working));
}

ListRequest MoneySearchRequest(const MoneyQueryInput& input, const QString& voucherFilter) {
    return ListRequest::Fixed(MoneyQueryStatement(input, voucherFilter), MoneyQueryDescription(input));
}

ListRequest MoneyMonthRequest(QDate working) {
    return ListRequest::Fixed(MoneyMonthStatement(working), MoneyMonthDescription(working));
}

} // namespace tev
