#pragma once
// The periods the program counts in: the working day, its month and its year. Every first
// and last day comes from here.

#include <QDate>

namespace tev {

struct Period {
    QDate first, last; // both included; both invalid for all time

    bool IsAllTime() const { return !first.isValid(); }
    bool operator==(const Period&) const = default;
};

QDate MonthStart(QDate date);
// The day before the first day of the next month.
QDate MonthEnd(QDate date);

Period DayOf(QDate date);
Period MonthOf(QDate date);
Period YearOf(QDate date);
Period AllTime();

// "本月（2024年3月）": the month of the working date as a list's conditions line says it.
QString MonthWords(QDate date);

} // namespace tev
