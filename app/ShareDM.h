#pragma once
// The shared data module: the one connection, the three scratch queries, the query
// routines with their fixed error reporting and the modification password.

#include "data/Database.h"
#include "data/DatabaseLock.h"
#include "data/Query.h"
#include "domain/Lists.h" // OptionListStatement

#include "domain/Lists.h"
#include "ui/Combo.h"

#include <QString>

class QComboBox;
class QWidget;

namespace tev {

class TDataGrid;

class TShareDataModule {
public:
    TShareDataModule();
    ~TShareDataModule();
    TShareDataModule(const TShareDataModule&) = delete;
    TShareDataModule& operator=(const TShareDataModule&) = delete;

    // Held while the program works on its database, so a second copy is turned away.
    DatabaseLock DatabaseLock1;
    // The one connection of the run.
    Database ADOConnection1;
    Query ADOQueryTemp;
    Query ADOQueryTemp2;
    Query ADOQueryTemp3;

    // Opens a statement on a query. On failure shows failureMessage (never the engine's
    // text), leaves the query closed and returns false: the caller goes no further.
    bool OpenSql(Query& query, const QString& sql, const QString& failureMessage);
    // Runs a statement without rows; the rows affected, 0 with "SQL命令执行出错" on failure.
    int ExecSql(Query& query, const QString& sql);

    // A failed write or delete: the operation's words and, on a line of its own, the reason
    // in Chinese (disk full, database busy, …). The engine's own text goes to the log.
    void ShowFailure(QWidget* parent, const QString& operation);

    // Demands the modification password (the "修改" row of Power) before a guarded
    // operation; true when the operation may go ahead.
    bool AskModifyPassword(const QString& caption, const QString& prompt, const QString& initialText);

    // Writes a report list grid to a spreadsheet workbook the user chooses and opens it
    // (ui/GridExport.h).
    void ExportGridToExcel(TDataGrid* grid);

    QString NextSerialNumber(const QString& number) const;
    bool IsValidSerialNumber(const QString& number) const;
};

// The data module of the run (created second, after the main window).
extern TShareDataModule* ShareDM;

// Fills a combo box from one column of a statement, with "所有" first when addAll is set;
// the first item ends up selected. A failing statement shows "LoadCombo失败" and leaves
// nothing selected.
void LoadCombo(QComboBox* combo, Query& query, const QString& sql, bool addAll, const QString& column);

} // namespace tev
