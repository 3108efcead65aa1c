#pragma once
// A list written to a spreadsheet workbook (.xlsx): a date line in row 1, row 2 empty, the
// column titles in row 3 (bold, frozen) and one row per list row from row 4, in the order the
// rows are read. Texts are text cells (never formulas, whatever they begin with), amounts
// number cells with two decimals, dates texts "yyyy.mm.dd" ("yyyy.mm.dd hh.mm.ss" with a
// time). The rows are read once, in order, and written as they are read: the writer keeps
// one row in memory, so a list of any length costs the same memory.
//
// The workbook is written beside the chosen file under a passing name and moved onto it only
// when complete: a failed or cancelled export leaves an older file of that name as it was.

#include "data/Errors.h"
#include "data/RowSource.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <functional>

namespace tev {

enum class SheetCell {
    Text,   // a text cell
    Amount, // a number cell shown with two decimals
    Date,   // an ISO date or date-time, written as the text yyyy.mm.dd (hh.mm.ss)
};

struct SheetColumn {
    int source = -1; // the row source's column; -1 writes an empty column
    QString title;
    SheetCell kind = SheetCell::Text;
};

// Data rows a sheet holds under its three heading rows. A longer list goes on in a second
// sheet (and a third…) with the same heading rows.
inline constexpr int kSheetDataRows = 1048576 - 3;
// The longest text a cell holds; a longer text is cut there.
inline constexpr int kSheetCellChars = 32767;

struct SheetRequest {
    QString path; // the workbook to write; an older file there is replaced
    QString dateLine;
    QVector<SheetColumn> columns;
    // The sheets are named "{sheetName}", "{sheetName}2", …; empty gives "Sheet1", …
    QString sheetName;
    int rowsPerSheet = kSheetDataRows;
};

// Told every so many rows how many were written; returning false cancels the export.
using SheetProgress = std::function<bool(qint64 written, qint64 total)>;

struct SheetResult {
    bool ok = false;
    bool cancelled = false;
    DbError error = DbError::None; // why the file could not be written
    qint64 rows = 0;               // data rows written
    int sheets = 0;
};

SheetResult WriteSheet(RowSource& rows, const SheetRequest& request, const SheetProgress& progress = {});

// "日期:2024年03月05日".
QString SheetDateLine(QDate day);
// An ISO date "2024-03-05" as "2024.03.05", a date-time as "2024.03.05 14.30.00"; other
// texts as they are.
QString SheetDateText(const QString& iso);

} // namespace tev
