#include "domain/Documents.h"

#include "data/Database.h"
#include "domain/Periods.h"
#include "rules/PublicFunction.h"

using namespace Qt::StringLiterals;

namespace tev {

QString DocumentDateCondition(const QString& stem, const QDate& workingDate, int dateRange) {
    if (dateRange == 1) {
        const Period month = MonthOf(workingDate);
        return u" And (%1CreateTime Between %2 And %3)"_s.arg(stem, SqlDate(month.first),
                                                              SqlDate(month.last));
    }
    return u" And (%1CreateTime = %2)"_s.arg(stem, SqlDate(workingDate));
}

QString DocumentOrderClause(const QString& stem, int sortField, int sortDirection) {
    const QString direction = sortDirection == 0 ? u"Asc"_s : u"Desc"_s;
    switch (sortField) {
    case 1:
        return u" Order By %1Serial %2, %1Index %2"_s.arg(stem, direction);
    case 2:
        return u" Order By %1User Collate PINYIN,%1CreateTime %2, %1Index %2"_s.arg(stem, direction);
    case 3:
        return u" Order By %1CreateTime,%1Index %2"_s.arg(stem, direction);
    default:
        return u" Order By %1Index %2"_s.arg(stem, direction);
    }
}

int NumberRow(BillKind kind) {
    return kind == BillKind::Sales ? 1 : 2;
}

int NumberRow(VoucherKind kind) {
    return kind == VoucherKind::Income ? 3 : 4;
}

Result<QString> ProposedNumber(Database& db, int row) {
    ResultSet rs;
    if (!db.Select(u"Select * From Setting Where SettingIndex = %1"_s.arg(row), rs))
        return Outcome::Fail(u"数据库打开失败"_s, db);
    if (rs.IsEmpty()) return QString();
    rs.First();
    return NextSerialNumber(rs.AsString(u"SettingValue"_s));
}

bool RecordNumber(Database& db, int row, const QString& number) {
    return db.Update(u"Setting"_s, {{u"SettingValue"_s, number}}, u"SettingIndex = ?"_s, {row}) >= 0;
}

Result<std::optional<QString>> CustomerNameOf(Database& db, qint64 customer) {
    ResultSet rs;
    if (!db.Select(u"Select * From Customer Where CustomerIndex = %1"_s.arg(customer), rs))
        return Outcome::Fail(u"客户数据读入失败"_s, db);
    if (rs.IsEmpty()) return std::optional<QString>();
    rs.First();
    return std::optional<QString>(rs.AsString(u"CustomerName"_s));
}

Outcome RowThere(Database& db, const QString& statement, const QString& missing) {
    ResultSet rs;
    if (!db.Select(statement, rs)) return Outcome::Fail(u"数据库打开失败"_s, db);
    if (rs.IsEmpty()) return Outcome::Gone(missing);
    return Outcome::Ok();
}

} // namespace tev
