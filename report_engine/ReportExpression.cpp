#include "report_engine/ReportExpression.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

bool IsName(const QString& s) {
    static const QRegularExpression re(u"^[\\p{L}_][\\p{L}\\p{N}_]*$"_s);
    return re.match(s).hasMatch();
}

// "Field" or "Set.Field".
bool ParseFieldRef(const QString& text, QString* dataSet, QString* field) {
    const QStringList parts = text.split(u'.');
    if (parts.size() == 1 && IsName(parts[0].trimmed())) {
        dataSet->clear();
        *field = parts[0].trimmed();
        return true;
    }
    if (parts.size() == 2 && IsName(parts[0].trimmed()) && IsName(parts[1].trimmed())) {
        *dataSet = parts[0].trimmed();
        *field = parts[1].trimmed();
        return true;
    }
    return false;
}

bool ParseExpression(const QString& source, ReportExpression* e, QString* error) {
    const QString s = source.trimmed();
    e->source = s;
    const QString upper = s.toUpper();
    if (upper == u"PAGE#"_s) {
        e->kind = ReportExpression::Kind::PageNumber;
        return true;
    }
    if (upper == u"TOTALPAGES"_s) {
        e->kind = ReportExpression::Kind::TotalPages;
        return true;
    }
    if (upper == u"DATE"_s) {
        e->kind = ReportExpression::Kind::Date;
        return true;
    }
    if (upper == u"LINE#"_s) {
        e->kind = ReportExpression::Kind::LineNumber;
        return true;
    }
    if (upper == u"COUNT"_s) {
        e->kind = ReportExpression::Kind::Count;
        return true;
    }
    static const QRegularExpression call(u"^([A-Za-z]+)\\s*\\((.*)\\)$"_s);
    const QRegularExpressionMatch m = call.match(s);
    if (m.hasMatch()) {
        const QString function = m.captured(1).toUpper();
        const QString argument = m.captured(2).trimmed();
        if (function == u"COUNT"_s) {
            if (!IsName(argument)) {
                *error = u"COUNT 的参数应为数据集名"_s;
                return false;
            }
            e->kind = ReportExpression::Kind::Count;
            e->dataSet = argument;
            return true;
        }
        if (function == u"SUM"_s || function == u"PAGESUM"_s) {
            e->kind = function == u"SUM"_s ? ReportExpression::Kind::Sum : ReportExpression::Kind::PageSum;
            if (!ParseFieldRef(argument, &e->dataSet, &e->field)) {
                *error = u"%1 的参数应为字段名"_s.arg(function);
                return false;
            }
            return true;
        }
        *error = u"不认识的函数 %1"_s.arg(m.captured(1));
        return false;
    }
    if (ParseFieldRef(s, &e->dataSet, &e->field)) {
        e->kind = ReportExpression::Kind::Name;
        return true;
    }
    *error = s.isEmpty() ? u"方括号中没有内容"_s : u"无法识别的表达式 [%1]"_s.arg(s);
    return false;
}

} // namespace

bool ParseReportText(const QString& text, QList<TextPiece>* pieces, QString* error) {
    QList<TextPiece> out;
    QString literal;
    auto flush = [&] {
        if (!literal.isEmpty()) {
            TextPiece p;
            p.literal = literal;
            out.append(p);
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'[') {
            literal += c;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == u'[') {
            literal += u'[';
            ++i;
            continue;
        }
        const qsizetype close = text.indexOf(u']', i + 1);
        if (close < 0) {
            *error = u"缺少与 [ 配对的 ]"_s;
            return false;
        }
        TextPiece p;
        p.isExpression = true;
        if (!ParseExpression(text.mid(i + 1, close - i - 1), &p.expression, error)) return false;
        flush();
        out.append(p);
        i = close;
    }
    flush();
    *pieces = std::move(out);
    return true;
}

} // namespace tev
