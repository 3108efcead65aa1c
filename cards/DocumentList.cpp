#include "cards/DocumentList.h"

#include "data/Database.h"

using namespace Qt::StringLiterals;

namespace tev {

QDate FirstDayOfMonth(const QDate& date) {
    return QDate(date.year(), date.month(), 1);
}

QDate LastDayOfMonth(const QDate& date) {
    return FirstDayOfMonth(date).addMonths(1).addDays(-1);
}

QString DocumentDateCondition(const QString& stem, const QDate& workingDate, int dateRange) {
    if (dateRange == 1)
        return u" And (%1CreateTime Between %2 And %3)"_s.arg(stem, SqlDate(FirstDayOfMonth(workingDate)),
                                                              SqlDate(LastDayOfMonth(workingDate)));
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

} // namespace tev
