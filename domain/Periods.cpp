#include "domain/Periods.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace tev {

QDate MonthStart(QDate date) {
    return QDate(date.year(), date.month(), 1);
}

QDate MonthEnd(QDate date) {
    return MonthStart(date).addMonths(1).addDays(-1);
}

Period DayOf(QDate date) {
    return {date, date};
}

Period MonthOf(QDate date) {
    return {MonthStart(date), MonthEnd(date)};
}

Period YearOf(QDate date) {
    return {QDate(date.year(), 1, 1), QDate(date.year(), 12, 31)};
}

Period AllTime() {
    return {};
}

QString MonthWords(QDate date) {
    return u"本月（%1年%2月）"_s.arg(date.year()).arg(date.month());
}

} // namespace tev
