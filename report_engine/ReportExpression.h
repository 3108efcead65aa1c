#pragma once
// Text of a text object: literal text with expressions in square brackets. "[[" stands
// for a literal "[". What may stand between the brackets:
//
//   [BillSum]                 a field of the main data set, or else a variable the caller supplies
//   [ADOQuery1.BillGet]       a field of a named data set
//   [PAGE#] [TOTALPAGES]      the page number and the number of pages
//   [DATE]                    the report's date
//   [LINE#]                   the number of the row within its data band, from 1
//   [COUNT] [COUNT(Set)]      rows of the main data set, or of a named one
//   [SUM(Field)] [SUM(Set.Field)]   the sum over every row of the data set
//   [PAGESUM(Field)]          the sum over the rows printed on the current page so far
//
// Keywords and function names are not case-sensitive. The text object's format applies to
// fields, variables, sums and the date; counts, line and page numbers are written plainly.

#include <QList>
#include <QString>

namespace tev {

struct ReportExpression {
    enum class Kind { Name, PageNumber, TotalPages, Date, LineNumber, Count, Sum, PageSum };
    Kind kind = Kind::Name;
    QString dataSet; // empty: the main data set (or, for a Name, possibly a variable)
    QString field;
    QString source; // the text between the brackets, for messages
};

struct TextPiece {
    bool isExpression = false;
    QString literal;
    ReportExpression expression;
};

// Splits a text into literal pieces and expressions. On failure returns false and sets
// error to a description of the fault (without the object's name).
bool ParseReportText(const QString& text, QList<TextPiece>* pieces, QString* error);

} // namespace tev
