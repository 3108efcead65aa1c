#include "domain/Users.h"

#include "domain/Kinds.h"

using namespace Qt::StringLiterals;

namespace tev {

namespace {

const QString kBusiness = u"业务管理"_s;
const QString kFinance = u"财务管理"_s;

// A null text would reach the database as "no value"; the columns hold empty text instead.
QString Stored(const QString& text) {
    return text.isNull() ? u""_s : text;
}

} // namespace

QString SalesmanRange(bool business, bool finance) {
    QString range = u""_s;
    if (business) range += kBusiness + u"；"_s;
    if (finance) range += kFinance + u"；"_s;
    return range;
}

bool RangeHasBusiness(const QString& range) {
    return range.contains(kBusiness);
}

bool RangeHasFinance(const QString& range) {
    return range.contains(kFinance);
}

QString SalesmanListStatement() {
    return u"Select * From Power Where PowerRole = '%1' Order By PowerIndex"_s.arg(Text(Role::Salesman));
}

Result<ResultSet> SalesmanRows(Database& db) {
    ResultSet rs;
    if (!db.Select(SalesmanListStatement(), rs)) return Outcome::Fail(u"数据库打开失败"_s, db);
    return rs;
}

Result<QString> CheckSalesman(Database& db, const SalesmanInput& in) {
    // Taken: any row but this one has the name. The first row found is not asked, so the
    // answer is the same whatever order the engine reads the rows in.
    ResultSet taken;
    // One arg() for both: a name holding "%1" must not take the key's place.
    if (!db.Select(u"Select PowerIndex From Power Where (PowerName = '%1') And (PowerIndex <> %2)"_s.arg(
                       SqlText(Stored(in.name)), QString::number(in.index)),
                   taken))
        return Outcome::Fail(u"数据库打开失败"_s, db);
    if (!taken.IsEmpty()) return Outcome::Refuse(u"名字有重复，请重新操作"_s);
    ResultSet row;
    if (!db.Select(
            u"Select PowerName From Power Where (PowerIndex = %1) And (PowerRole = '%2')"_s.arg(in.index).arg(
                Text(Role::Salesman)),
            row))
        return Outcome::Fail(u"数据库打开失败"_s, db);
    if (row.IsEmpty()) return Outcome::Gone(u"找不到要修改的记录"_s);
    row.First();
    return row.AsString(u"PowerName"_s);
}

bool HandOverOffered(const QString& oldName, const QString& newName) {
    return !oldName.isEmpty() && oldName != newName;
}

Result<HandOverCounts> HandOver(Database& db, const QString& oldName, const QString& newName) {
    HandOverCounts counts;
    if (oldName.isEmpty()) return counts;
    const QString to = Stored(newName);
    const bool ok = db.Transaction([&] {
        // Each statement finds its rows through the index on its name column.
        const struct {
            QString table, column;
            int* count;
        } steps[] = {
            {u"Customer"_s, u"CustomerMan"_s, &counts.customers},
            {u"Bill"_s, u"BillMan"_s, &counts.bills},
            {u"MoneyTable"_s, u"MoneyMan"_s, &counts.vouchers},
        };
        for (const auto& step : steps) {
            const int rows = db.Update(step.table, {{step.column, to}}, step.column + u" = ?"_s, {oldName});
            if (rows < 0) return false;
            *step.count = rows;
        }
        return true;
    });
    if (!ok) return Outcome::Fail(u"数据库打开失败"_s, db);
    return counts;
}

Result<SalesmanStored> StoreSalesman(Database& db, const SalesmanInput& in, bool handOver) {
    const QString name = Stored(in.name);
    Result<SalesmanStored> outcome;
    const bool ok = db.Transaction([&] {
        // The checks again, inside the transaction that writes.
        const Result<QString> current = CheckSalesman(db, in);
        if (!current) {
            outcome = Outcome(current);
            return false;
        }
        outcome.value.oldName = current.value;
        const int changed =
            db.Update(u"Power"_s,
                      {{u"PowerName"_s, name},
                       {u"PowerKey"_s, Stored(in.key)},
                       {u"PowerPicture"_s, Stored(in.picture)},
                       {u"PowerRange"_s, SalesmanRange(in.business, in.finance)}},
                      u"PowerIndex = ? AND PowerRole = ?"_s, {in.index, Text(Role::Salesman)});
        if (changed <= 0) {
            outcome =
                changed < 0 ? Outcome::Fail(u"数据保存失败"_s, db) : Outcome::Gone(u"找不到要修改的记录"_s);
            return false;
        }
        if (!handOver || !HandOverOffered(current.value, name)) return true;
        const Result<HandOverCounts> handed = HandOver(db, current.value, name);
        if (!handed) {
            outcome = Outcome(handed);
            return false;
        }
        outcome.value.handedOver = true;
        outcome.value.counts = handed.value;
        return true;
    });
    // A transaction that would not commit fails as a whole, whatever its steps answered.
    if (!ok && outcome.kind == Outcome::Done) return Outcome::Fail(u"数据保存失败"_s, db);
    return outcome;
}

} // namespace tev
