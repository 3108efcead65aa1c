#include "domain/Access.h"

#include "data/Database.h"

using namespace Qt::StringLiterals;

namespace tev {

QString SignInListStatement() {
    return u"Select * From Power Where (PowerName <> '') And (PowerName <> '修改')"_s;
}

Result<QStringList> SignInNames(Database& db) {
    ResultSet rs;
    if (!db.Select(SignInListStatement(), rs)) return Outcome::Fail(u"LoadCombo失败"_s, db);
    QStringList names;
    for (rs.First(); !rs.Eof(); rs.Next())
        names << rs.AsString(u"PowerName"_s);
    return names;
}

Result<std::optional<PowerRow>> FindPower(Database& db, const QString& name) {
    ResultSet rs;
    if (!db.Select(u"Select * From Power Where PowerName = '%1'"_s.arg(SqlText(name)), rs))
        return Outcome::Fail(u"数据库打开失败"_s, db);
    if (rs.IsEmpty()) return std::optional<PowerRow>();
    rs.First();
    PowerRow row;
    row.index = rs.AsInteger(u"PowerIndex"_s);
    row.name = rs.AsString(u"PowerName"_s);
    row.key = rs.AsString(u"PowerKey"_s);
    row.role = rs.AsString(u"PowerRole"_s);
    row.range = rs.AsString(u"PowerRange"_s);
    row.picture = rs.AsString(u"PowerPicture"_s);
    return std::optional<PowerRow>(row);
}

Result<std::optional<QString>> ModifyPasswordKey(Database& db) {
    const Result<std::optional<PowerRow>> row = FindPower(db, u"修改"_s);
    if (!row) return Outcome(row);
    if (!row.value) return std::optional<QString>();
    return std::optional<QString>(row.value->key);
}

Outcome StorePassword(Database& db, const QString& name, const QString& password,
                      const QString& missingMessage) {
    const Result<std::optional<PowerRow>> row = FindPower(db, name);
    if (!row) return row;
    if (!row.value) return Outcome::Gone(missingMessage);
    const int rows =
        db.Update(u"Power"_s, {{u"PowerKey"_s, password}}, u"PowerIndex = ?"_s, {row.value->index});
    if (rows < 0) return Outcome::Fail(u"数据保存失败"_s, db);
    if (rows == 0) return Outcome::Gone(missingMessage); // the row went away after it was read
    return Outcome::Ok();
}

SalesmanFilters FiltersFor(const QString& user) {
    const QString quoted = SqlText(user);
    return {
        u" And (CustomerMan = '%1')"_s.arg(quoted),
        u" And (AccountMan = '财务主管' Or AccountMan = '%1')"_s.arg(quoted),
        u" And (BillMan = '%1')"_s.arg(quoted),
        u" And (MoneyMan = '%1')"_s.arg(quoted),
    };
}

} // namespace tev
