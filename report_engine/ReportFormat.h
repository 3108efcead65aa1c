#pragma once
// How a value becomes text on a report.
//
// A number format is any pattern containing "0" or "#": an optional prefix, the digits
// ("#,##0" groups thousands with ","; "0" a single digit), an optional "." with the
// decimals ("00" always written, "##" written when not zero), an optional suffix:
// "0.00", "#,##0.00", "¥#,##0.00", "0.## 元". Any other pattern is a date and time
// pattern of QDate/QDateTime ("yyyy-MM-dd", "yyyy年M月d日", "HH:mm").
//
// Numbers (and texts that read as numbers) take a number format; dates (and ISO date
// texts) take a date format; any other value is written as it is.

#include <QString>
#include <QVariant>

namespace tev {

QString FormatReportValue(const QVariant& value, const QString& format);

// A number as the system writes amounts when no format is given: rounded to four
// decimals, no trailing zeros, no thousands separator.
QString PlainNumber(double value);

// Reads a value as a number: numeric types, and texts such as "1000", "-80.5", "1,234.5".
bool ReportNumber(const QVariant& value, double* number);

} // namespace tev
