#include "domain/Customers.h"

#include "domain/Bills.h"
#include "domain/Kinds.h"
#include "domain/Periods.h"
#include "rules/PublicFunction.h"

#include <QStringView>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// A null text would reach the database as "no value"; the columns hold empty text instead.
QString Stored(const QString& text) {
    return text.isNull() ? u""_s : text;
}

QString ByIndexStatement(qint64 index) {
    return u"Select * From Customer Where CustomerIndex = %1"_s.arg(index);
}

QString ByNameStatement(const QString& name) {
    return u"Select * From Customer Where CustomerName = '%1'"_s.arg(SqlText(name));
}

CustomerRecord RecordOf(const ResultSet& rs) {
    CustomerRecord c;
    c.index = rs.AsInteger(u"CustomerIndex"_s);
    c.name = rs.AsString(u"CustomerName"_s);
    c.phone = rs.AsString(u"CustomerPhone"_s);
    c.fax = rs.AsString(u"CustomerFax"_s);
    c.contact = rs.AsString(u"CustomerContact"_s);
    c.handPhone = rs.AsString(u"CustomerHandPhone"_s);
    c.email = rs.AsString(u"CustomerEMail"_s);
    c.website = rs.AsString(u"CustomerWebsite"_s);
    c.address = rs.AsString(u"CustomerAddress"_s);
    c.remark = rs.AsString(u"CustomerRemark"_s);
    c.man = rs.AsString(u"CustomerMan"_s);
    c.openingDebt = rs.AsFloat(u"CustomerOwe"_s);
    return c;
}

// The customer's row; failure and gone carry the words of the window that asked.
Result<CustomerRecord> ReadCustomer(Database& db, qint64 index, const QString& failure, const QString& gone) {
    ResultSet rs;
    if (!db.Select(ByIndexStatement(index), rs)) return Outcome::Fail(failure, db);
    if (rs.IsEmpty()) return Outcome::Gone(gone);
    rs.First();
    return RecordOf(rs);
}

// Taken: some customer has the name by the database's comparison (letter case ignored).
Outcome NameFree(Database& db, const QString& name) {
    ResultSet rs;
    if (!db.Select(ByNameStatement(name), rs)) return Outcome::Fail(u"无法打开数据库"_s, db);
    if (rs.RecordCount() > 0) return Outcome::Refuse(u"该客户名已经存在，请重新操作"_s);
    return Outcome::Ok();
}

Result<double> OpeningDebt(const CustomerInput& in) {
    const AmountEntry entry = ReadAmountEntry(in.openingDebt);
    if (entry.state == AmountEntry::Invalid) return Outcome::Refuse(u"金额格式有误，请重新输入"_s);
    return entry.value;
}

// Every entry but the opening debt, as the Customer row stores it.
FieldValues TextFields(const CustomerInput& in) {
    return {
        {u"CustomerName"_s, Stored(in.name)},
        {u"CustomerPhone"_s, Stored(in.phone)},
        {u"CustomerFax"_s, Stored(in.fax)},
        {u"CustomerContact"_s, Stored(in.contact)},
        {u"CustomerHandPhone"_s, Stored(in.handPhone)},
        {u"CustomerEMail"_s, Stored(in.email)},
        {u"CustomerWebsite"_s, Stored(in.website)},
        {u"CustomerAddress"_s, Stored(in.address)},
        {u"CustomerRemark"_s, Stored(in.remark)},
    };
}

// The first column of the first row of a sum, 0 when the sum has no rows (NULL reads as 0).
Result<double> Total(Database& db, const QString& statement, const QString& failure) {
    ResultSet rs;
    if (!db.Select(statement, rs)) return Outcome::Fail(failure, db);
    rs.First();
    return rs.AsFloat(u"TotalMoney"_s);
}

} // namespace

// ---------------------------------------------------------------- the record

Result<CustomerRecord> LoadCustomer(Database& db, qint64 index) {
    return ReadCustomer(db, index, u"客户资料读入失败"_s, u"找不到要修改的记录"_s);
}

Result<CustomerRecord> LoadCustomerInfo(Database& db, qint64 index) {
    return ReadCustomer(db, index, u"客户资料表打开失败"_s, u"该客户记录已被删除"_s);
}

Outcome FindCustomerToDelete(Database& db, qint64 index) {
    return ReadCustomer(db, index, u"数据库打开失败"_s, u"找不到要删除的记录"_s);
}

CustomerOutcome StoreNewCustomer(Database& db, const CustomerInput& in, const QString& man) {
    if (Stored(in.name).isEmpty()) return Outcome::Refuse(u"客户名不得为空"_s);
    if (Outcome free = NameFree(db, in.name); !free) return free;
    const Result<double> owe = OpeningDebt(in);
    if (!owe) return {owe, CustomerEntry::OpeningDebt};
    FieldValues values = {{u"CustomerMan"_s, Stored(man)}};
    values += TextFields(in);
    values.append({u"CustomerOwe"_s, owe.value});
    if (db.Insert(u"Customer"_s, values) < 0) return Outcome::Fail(u"数据保存失败"_s, db);
    return Outcome::Ok();
}

CustomerOutcome ChangeCustomer(Database& db, qint64 index, const CustomerInput& in) {
    const QString name = Stored(in.name);
    if (name.isEmpty()) return Outcome::Refuse(u"客户名不得为空"_s);
    const Result<CustomerRecord> stored = ReadCustomer(db, index, u"无法打开数据库"_s, QString());
    if (!stored) return Outcome(stored);
    const QString oldName = stored.value.name;
    // Whether the name changed is an exact comparison; whether it is taken is the
    // database's (letter case ignored), so a change of letter case alone is refused.
    const bool renamed = oldName != name;
    if (renamed) {
        if (Outcome free = NameFree(db, name); !free) return free;
    }
    const Result<double> owe = OpeningDebt(in);
    if (!owe) return {owe, CustomerEntry::OpeningDebt};

    // The bills and vouchers follow the new name and the customer row changes in one
    // transaction: a failure part-way leaves every row as it was.
    bool missing = false;
    const bool ok = db.Transaction([&] {
        if (renamed) {
            if (db.Update(u"Bill"_s, {{u"BillUser"_s, name}}, u"BillUser = ?"_s, {oldName}) < 0) return false;
            if (db.Update(u"MoneyTable"_s, {{u"MoneyUser"_s, name}}, u"MoneyUser = ?"_s, {oldName}) < 0)
                return false;
        }
        FieldValues values = TextFields(in);
        values.append({u"CustomerOwe"_s, owe.value});
        const int changed = db.Update(u"Customer"_s, values, u"CustomerIndex = ?"_s, {index});
        if (changed < 0) return false;
        missing = changed == 0;
        return !missing;
    });
    if (ok) return Outcome::Ok();
    if (missing) return Outcome::Gone(u"找不到要修改的客户"_s);
    return Outcome::Fail(u"数据保存失败"_s, db);
}

Outcome DeleteCustomer(Database& db, qint64 index) {
    if (db.Delete(u"Customer"_s, u"CustomerIndex = ?"_s, {index}) < 0)
        return Outcome::Fail(u"数据删除失败"_s, db);
    return Outcome::Ok();
}

// ---------------------------------------------------------------- balances

Result<CustomerBalance> CustomerBalanceAt(Database& db, const QString& name, QDate date) {
    const QString day = SqlDate(date);
    const QString who = SqlText(name);
    const QString statements[] = {
        u"Select ROUND(Sum(BillSum),2) As TotalMoney From Bill Where (BillKind = '销售开单') And "
        "(BillUser = '%1') And (BillCreateTime <= %2)"_s.arg(who, day),
        u"Select ROUND(ABS(Sum(BillSum)),2) As TotalMoney From Bill Where (BillKind = '采购开单') And "
        "(BillUser = '%1') And (BillCreateTime <= %2)"_s.arg(who, day),
        u"Select Sum(MoneySum) As TotalMoney From MoneyTable Where (MoneyUser = '%1') And "
        "(MoneyCreateTime <= %2)"_s.arg(who, day)};
    CustomerBalance balance;
    std::optional<double>* const sums[] = {&balance.sales, &balance.purchases, &balance.received};
    for (int i = 0; i < 3; ++i) {
        const Result<double> total = Total(db, statements[i], u"数据库打开失败"_s);
        if (!total) {
            Result<CustomerBalance> failed(total);
            failed.value = balance;
            return failed;
        }
        *sums[i] = total.value;
    }
    return balance;
}

double CustomerDebt(double openingDebt, const CustomerBalance& balance) {
    const auto shown = [](double amount) { return FormatAmount(amount).toDouble(); };
    return ((shown(openingDebt) + shown(balance.sales.value_or(0))) - shown(balance.purchases.value_or(0))) -
           shown(balance.received.value_or(0));
}

double CustomerSums::Owing(double openingDebt) const {
    return openingDebt + ShownAmount(bills) - ShownAmount(paid);
}

QString CustomerBillSumStatement(const QString& name, const QDate& date) {
    return u"Select Sum(BillSum) As TotalMoney From Bill Where (BillKind = '销售开单' Or BillKind = "
           u"'采购开单') "
           "And (BillUser = '%1') And (BillCreateTime <= %2)"_s.arg(SqlText(name), SqlDate(date));
}

QString CustomerPaidStatement(const QString& name, const QDate& date) {
    return u"Select Sum(MoneySum) As TotalMoney From MoneyTable Where (MoneyUser = '%1') And "
           u"(MoneyCreateTime <= "
           "%2)"_s.arg(SqlText(name), SqlDate(date));
}

Result<QList<CustomerSums>> CustomerPageSums(Database& db, const QStringList& names, QDate date) {
    QList<CustomerSums> page;
    for (const QString& name : names) {
        const Result<double> bills = Total(db, CustomerBillSumStatement(name, date), u"统计客户货款时出错"_s);
        const Result<double> paid =
            bills ? Total(db, CustomerPaidStatement(name, date), u"统计客户付款时出错"_s)
                  : Result<double>(bills);
        if (!paid) {
            Result<QList<CustomerSums>> failed(paid);
            failed.value = page;
            return failed;
        }
        page.append({bills.value, paid.value});
    }
    return page;
}

// ---------------------------------------------------------------- the search

const std::array<QString, kCustomerSearchFields>& CustomerSearchColumns() {
    static const std::array<QString, kCustomerSearchFields> columns = {
        u"CustomerName"_s,    u"CustomerContact"_s, u"CustomerHandPhone"_s,
        u"CustomerPhone"_s,   u"CustomerFax"_s,     u"CustomerEMail"_s,
        u"CustomerWebsite"_s, u"CustomerAddress"_s, u"CustomerRemark"_s,
    };
    return columns;
}

QString CustomerTextConditions(const CustomerSearchInput& input) {
    QString out;
    for (int i = 0; i < kCustomerSearchFields; ++i) {
        if (input.texts[i].isEmpty()) continue;
        out += u" And (InStr(%1,'%2'))"_s.arg(CustomerSearchColumns()[i], SqlText(input.texts[i]));
    }
    return out;
}

QString CustomerPeriodCondition(const CustomerSearchInput& input) {
    if (!input.period) return {};
    return u" And (BillCreateTime Between %1 And %2)"_s.arg(SqlDate(input.start), SqlDate(input.end));
}

QString CustomerSearchFilter(const CustomerSearchInput& input) {
    return CustomerTextConditions(input) + CustomerPeriodCondition(input);
}

QString CustomerSearchDescription(const CustomerSearchInput& input) {
    static const char16_t* const names[kCustomerSearchFields] = {
        u"客户名称", u"联系人",   u"手机号码", u"电话号码", u"传真号码",
        u"电子邮箱", u"客户主页", u"联系地址", u"备注信息",
    };
    QStringList parts;
    for (int i = 0; i < kCustomerSearchFields; ++i)
        if (!input.texts[i].isEmpty())
            parts << u"%1含“%2”"_s.arg(QString::fromUtf16(names[i]), input.texts[i]);
    if (input.period)
        parts << u"%1至%2有业务"_s.arg(input.start.toString(u"yyyy-M-d"_s),
                                       input.end.toString(u"yyyy-M-d"_s));
    return parts.join(u"，"_s);
}

// ---------------------------------------------------------------- the customers page

QString CustomerOrderClause(int sortField, int sortDirection) {
    const QString direction = sortDirection == 0 ? u"Asc"_s : u"Desc"_s;
    if (sortField == 1)
        // Names compare by pinyin; the record number only breaks ties the collation sees,
        // so that the pages never overlap.
        return u" Order By CustomerName Collate PINYIN %1, CustomerIndex %1"_s.arg(direction);
    return u" Order By CustomerIndex %1"_s.arg(direction);
}

QString CustomerListWhere(const CustomerListOptions& options) {
    // The list statement of old joined every bill to its customer only so that a search
    // period could test the bills' dates (Distinct then folded the rows back to one per
    // customer). The same customers come from an Exists test on the bills, which the index
    // on (BillUser, BillCreateTime) answers at once, and without a period no bill is read.
    QString where =
        u" Where (CustomerIndex > 1)"_s + options.customerFilter + CustomerTextConditions(options.search);
    if (options.search.period)
        where +=
            u" And Exists (Select 1 From Bill Where (BillUser = CustomerName) And (BillCreateTime Between %1 "
            "And %2))"_s.arg(SqlDate(options.search.start), SqlDate(options.search.end));
    return where;
}

QString CustomerCountStatement(const CustomerListOptions& options) {
    return u"Select Count(*) As RecordCount From Customer"_s + CustomerListWhere(options);
}

QString CustomerPageStatement(const CustomerListOptions& options, int offset, int limit) {
    return u"Select * From Customer"_s + CustomerListWhere(options) +
           CustomerOrderClause(options.sortField, options.sortDirection) +
           u" Limit %1 Offset %2"_s.arg(limit).arg(offset);
}

Result<int> CountCustomers(Database& db, const CustomerListOptions& options) {
    ResultSet rs;
    if (!db.Select(CustomerCountStatement(options), rs)) return Outcome::Fail(u"刷新客户时出错"_s, db);
    return rs.IsEmpty() ? 0 : int(rs.At(0, 0).toLongLong());
}

Result<ResultSet> CustomerPageRows(Database& db, const CustomerListOptions& options, int offset, int limit) {
    ResultSet rs;
    if (!db.Select(CustomerPageStatement(options, offset, limit), rs))
        return Outcome::Fail(u"刷新客户时出错"_s, db);
    return rs;
}

// ---------------------------------------------------------------- documents and folder

QString CustomerDocsStatement(CustomerDocs kind, const QString& name, const QDate& first, const QDate& last) {
    const QString period = u"%1 And %2"_s.arg(SqlDate(first), SqlDate(last));
    if (kind == CustomerDocs::Sales || kind == CustomerDocs::Purchases) {
        const QString billKind = Text(kind == CustomerDocs::Sales ? BillKind::Sales : BillKind::Purchase);
        return BillRowSelect() +
               u" Where (BillUser = '%1') And (BillKind = '%2') And (BillCreateTime Between %3)"_s.arg(
                   SqlText(name), billKind, period);
    }
    const QString sign = kind == CustomerDocs::Income ? u"(MoneySum >= 0)"_s : u"(MoneySum < 0)"_s;
    return u"Select MoneyIndex,MoneyCreateTime,MoneySerial,AccountName,MoneyUser,MoneyIn,MoneyOut,MoneySum,"
           "MoneyMan,MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable "
           "Where (AccountIndex = MoneyAccount) And (MoneyUser = '%1') And %2 "
           "And (MoneyCreateTime Between %3)"_s.arg(SqlText(name), sign, period);
}

Result<ListRequest> CustomerMonthDocuments(Database& db, qint64 index, CustomerDocs kind, QDate working) {
    const Result<CustomerRecord> customer = ReadCustomer(db, index, u"数据库打开失败"_s, QString());
    if (customer.kind == Outcome::Missing) return ListRequest();
    if (!customer) return Outcome(customer);
    const Period month = MonthOf(working);
    const QString fallback = customer.value.name;
    Database* const connection = &db;
    // The customer's name as it is at each run: a customer renamed later keeps his list.
    const auto nameNow = [connection, index, fallback] {
        ResultSet rs;
        if (connection->Query(u"SELECT CustomerName FROM Customer WHERE CustomerIndex = ?"_s, {index}, &rs) &&
            !rs.IsEmpty())
            return rs.AsString(u"CustomerName"_s);
        return fallback;
    };
    static const char16_t* const words[] = {u"销售单据", u"采购单据", u"收入单据", u"支出单据"};
    const QString what = QString::fromUtf16(words[int(kind)]);
    ListRequest request;
    request.statement = [kind, nameNow, month] {
        return CustomerDocsStatement(kind, nameNow(), month.first, month.last);
    };
    request.description = [nameNow, month, what] {
        return u"客户“%1”%2%3"_s.arg(nameNow(), MonthWords(month.first), what);
    };
    return request;
}

QString CustomerFolderName(const QString& customerName) {
    QString name;
    name.reserve(customerName.size());
    for (const QChar c : customerName) {
        // Separators would lead out of the customers folder; the others no folder name on
        // the desktops the program runs on may hold.
        const bool reserved = c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c);
        name += reserved ? u'_' : c;
    }
    while (name.endsWith(u'.') || name.endsWith(u' '))
        name.chop(1);
    if (name.isEmpty()) return {};
    // A leading dot would hide the folder on some desktops.
    for (qsizetype i = 0; i < name.size() && name[i] == u'.'; ++i)
        name[i] = u'_';
    // Device names cannot be folders on Windows, whatever follows a dot.
    static const QStringList devices = {u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s};
    const QString stem = name.section(u'.', 0, 0).trimmed().toUpper();
    const bool numbered = stem.size() == 4 && (stem.startsWith(u"COM"_s) || stem.startsWith(u"LPT"_s)) &&
                          stem[3] >= u'1' && stem[3] <= u'9';
    if (devices.contains(stem) || numbered) name += u'_';
    return name;
}

QString CustomerFolderPath(const QString& dataDir, const QString& customerName) {
    const QString folder = CustomerFolderName(customerName);
    if (folder.isEmpty()) return {};
    return dataDir + u"客户目录/"_s + folder;
}

} // namespace tev
