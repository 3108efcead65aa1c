#include "report_engine/ReportFormat.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

bool IsNumberPattern(const QString& format) {
    return format.contains(u'0') || format.contains(u'#');
}

QString FormatNumber(double value, const QString& format) {
    // Split the pattern into prefix, digits and suffix.
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'0' || c == u'#' || c == u',' || c == u'.') {
            if (first < 0) first = i;
            last = i;
        }
    }
    const QString prefix = format.left(first);
    const QString suffix = format.mid(last + 1);
    const QString digits = format.mid(first, last - first + 1);
    const bool grouping = digits.contains(u',');
    const qsizetype point = digits.indexOf(u'.');
    const QString decimals = point < 0 ? QString() : digits.mid(point + 1);
    const int fixed = int(decimals.count(u'0'));
    const int optional = int(decimals.count(u'#'));
    const QString whole = point < 0 ? digits : digits.left(point);
    const bool leadingZero = whole.contains(u'0');

    QString text = QString::number(std::abs(value), 'f', fixed + optional);
    // Drop the optional decimals that are zero.
    if (optional > 0) {
        int drop = 0;
        while (drop < optional && text.endsWith(u'0')) {
            text.chop(1);
            ++drop;
        }
        if (text.endsWith(u'.')) text.chop(1);
    }
    QString intPart = text.section(u'.', 0, 0);
    const QString fracPart = text.contains(u'.') ? text.section(u'.', 1) : QString();
    if (!leadingZero && intPart == u"0"_s && !fracPart.isEmpty()) intPart.clear();
    if (grouping) {
        for (qsizetype i = intPart.size() - 3; i > 0; i -= 3)
            intPart.insert(i, u',');
    }
    QString number = fracPart.isEmpty() ? intPart : intPart + u'.' + fracPart;
    if (number.isEmpty()) number = u"0"_s;
    const bool zero =
        std::none_of(number.cbegin(), number.cend(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    const QString sign = (value < 0 && !zero) ? u"-"_s : QString();
    return sign + prefix + number + suffix;
}

bool ReadDateTime(const QVariant& value, QDateTime* out, bool* hasTime) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        *out = QDateTime(value.toDate(), QTime(0, 0));
        *hasTime = false;
        return out->isValid();
    case QMetaType::QDateTime:
        *out = value.toDateTime();
        *hasTime = out->time() != QTime(0, 0);
        return out->isValid();
    case QMetaType::QString: {
        const QString s = value.toString().trimmed();
        if (s.size() < 8 || s.size() > 30) return false;
        QDate d = QDate::fromString(s, Qt::ISODate);
        if (d.isValid()) {
            *out = QDateTime(d, QTime(0, 0));
            *hasTime = false;
            return true;
        }
        QDateTime dt = QDateTime::fromString(s, Qt::ISODate);
        if (!dt.isValid()) dt = QDateTime::fromString(s, u"yyyy-MM-dd HH:mm:ss"_s);
        if (!dt.isValid()) return false;
        *out = dt;
        *hasTime = dt.time() != QTime(0, 0);
        return true;
    }
    default:
        return false;
    }
}

} // namespace

QString PlainNumber(double value) {
    if (!std::isfinite(value)) return QString();
    QString text = QString::number(value, 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    if (text == u"-0"_s) text = u"0"_s;
    return text;
}

bool ReportNumber(const QVariant& value, double* number) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort: {
        *number = value.toDouble();
        return std::isfinite(*number);
    }
    case QMetaType::QString: {
        QString s = value.toString().trimmed();
        if (s.isEmpty()) return false;
        s.remove(u',');
        bool ok = false;
        const double d = QLocale::c().toDouble(s, &ok);
        if (!ok || !std::isfinite(d)) return false;
        *number = d;
        return true;
    }
    default:
        return false;
    }
}

QString FormatReportValue(const QVariant& value, const QString& format) {
    if (!value.isValid() || value.isNull()) return QString();
    const int type = value.typeId();
    if (!format.isEmpty()) {
        if (IsNumberPattern(format)) {
            double d = 0;
            if (type != QMetaType::Bool && ReportNumber(value, &d)) return FormatNumber(d, format);
        } else {
            QDateTime dt;
            bool hasTime = false;
            if (ReadDateTime(value, &dt, &hasTime)) return dt.toString(format);
        }
    }
    switch (type) {
    case QMetaType::Double:
    case QMetaType::Float:
        return PlainNumber(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? u"是"_s : u"否"_s;
    case QMetaType::QDate:
        return value.toDate().toString(u"yyyy-MM-dd"_s);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.toString(u"yyyy-MM-dd"_s)
                                        : dt.toString(u"yyyy-MM-dd HH:mm:ss"_s);
    }
    default:
        return value.toString();
    }
}

} // namespace tev
