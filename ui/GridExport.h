#pragma once
// The export of a list grid to a spreadsheet workbook: the user chooses the file (proposed as
// "{grid title}{yyyyMMdd}.xlsx" in the documents folder), the shown columns are written in
// the grid's order with the list's rows in their current order, and the desktop opens the
// file. The grid's title is its window title ("业务报表", "财务报表").

#include <QString>

namespace tev {

class TDataGrid;
struct SheetRequest;

inline const QString kExportFailed = QStringLiteral("建立Excel对象不成功，请重试!");
inline const QString kNoSpreadsheetProgram =
    QStringLiteral("本机未安装EXCEL,本功能必须在安装有EXCEL的电脑上才能运行!");

// Lists with more rows than this show a progress window while they are written.
inline constexpr int kExportProgressRows = 20000;

// A grid whose list was never searched exports nothing and says nothing. Returns the path
// written, empty when nothing was.
QString ExportGridToExcel(TDataGrid* grid);

// The sheet a grid gives, dated today: the shown columns in the order they are shown,
// each mapped to its column of the grid's rows.
SheetRequest GridSheetRequest(const TDataGrid& grid, const QString& path);

} // namespace tev
