#include "ui/GridExport.h"

#include "data/Errors.h"
#include "domain/SheetWriter.h"
#include "ui/DataGrid.h"
#include "ui/Ui.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

SheetCell CellOf(GridFormat format) {
    switch (format) {
    case GridFormat::Amount:
        return SheetCell::Amount;
    case GridFormat::Date:
        return SheetCell::Date;
    case GridFormat::Text:
        break;
    }
    return SheetCell::Text;
}

// The busy cursor for as long as the export runs.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

SheetRequest GridSheetRequest(const TDataGrid& grid, const QString& path) {
    SheetRequest request;
    request.path = path;
    request.dateLine = SheetDateLine(TheUi().Today());
    request.sheetName = grid.windowTitle();
    const QHeaderView* header = grid.View()->horizontalHeader();
    const QVector<GridColumn>& columns = grid.Columns();
    const RowSource* rows = grid.Source().get();
    for (int shown = 0; shown < header->count(); ++shown) {
        const int column = header->logicalIndex(shown);
        if (column < 0 || column >= columns.size() || header->isSectionHidden(column)) continue;
        const GridColumn& c = columns[column];
        request.columns.push_back({rows ? rows->ColumnIndex(c.field) : -1, c.caption, CellOf(c.format)});
    }
    return request;
}

QString ExportGridToExcel(TDataGrid* grid) {
    if (!grid || !grid->Source()) return {};
    QWidget* parent = grid->window();
    const QString title = grid->windowTitle().isEmpty() ? u"导出"_s : grid->windowTitle();
    const QString proposed = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(title + TheUi().Today().toString(u"yyyyMMdd"_s) + u".xlsx"_s);
    QString path = TheUi().ChooseSaveFile(parent, u"导出Excel"_s, proposed, u"Excel 工作簿 (*.xlsx)"_s);
    if (path.isEmpty()) return {};
    if (!path.endsWith(u".xlsx"_s, Qt::CaseInsensitive)) path += u".xlsx"_s;

    RowSource& rows = *grid->Source();
    const SheetRequest request = GridSheetRequest(*grid, path);
    SheetResult written;
    {
        BusyCursor busy;
        // The export reads the grid's rows in order from one statement; a repaint of the grid
        // in between would read the rows on screen and make the reading start over.
        grid->setUpdatesEnabled(false);
        const auto repaint = qScopeGuard([grid] { grid->setUpdatesEnabled(true); });
        std::unique_ptr<QProgressDialog> progress;
        if (rows.RowCount() > kExportProgressRows) {
            progress = std::make_unique<QProgressDialog>(u"正在导出Excel…"_s, u"取消"_s, 0, 100, parent);
            progress->setObjectName(u"ExportProgress"_s);
            progress->setWindowTitle(u"导出Excel"_s);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
            progress->setMinimumWidth(320);
            progress->setValue(0);
        }
        written = WriteSheet(rows, request, [&progress](qint64 done, qint64 total) {
            if (!progress) return true;
            progress->setLabelText(u"正在导出Excel… %1 / %2 行"_s.arg(done).arg(total));
            progress->setValue(total > 0 ? int(done * 100 / total) : 100);
            QCoreApplication::processEvents();
            return !progress->wasCanceled();
        });
    }
    if (written.cancelled) return {};
    if (!written.ok) {
        QString reason = ReasonText(written.error);
        if (reason.isEmpty()) reason = u"无法写入文件"_s;
        TheUi().Message(parent, kExportFailed + u"\n"_s + reason + u"："_s + QDir::toNativeSeparators(path));
        return {};
    }
    if (!TheUi().OpenUrl(QUrl::fromLocalFile(path)))
        TheUi().Message(parent, kNoSpreadsheetProgram + u"\n文件已保存在："_s + QDir::toNativeSeparators(path));
    return path;
}

} // namespace tev
