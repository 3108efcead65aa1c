#pragma once
// The two report list pages of the main window: the bills found by a search with what was
// received on each ("业务报表"), and the vouchers found by a search ("财务报表"). Each keeps
// the statement it was last given and runs it again, with the signed-in salesman's filter
// and the chosen order, whenever the data or the order changes.

#include "domain/Reports.h"
#include "report_engine/Report.h"
#include "ui/DataGrid.h"
#include "ui/ReportSupport.h"
#include "ui/Shell.h"
#include "ui/Views.h"

#include <QObject>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;

namespace tev {

// What both lists share: the grid, the order box, the query, the kept statement, printing
// and the widening of columns on a title click.
class ReportListPage : public QObject, public ReportList {
    Q_OBJECT
public:
    // Runs the request (or, when it is empty, the kept one); nothing happens before the
    // first request. A statement the database refuses is reported and leaves the list
    // empty; it stays kept, so the next run fails the same way until a new one succeeds.
    using ReportList::Run;
    void Run(const ListRequest& request) override;
    // After a change: a list on screen runs its kept request again at once; a list that is
    // not shown only notes that it is out of date and runs when its page is shown (a long list
    // kept on another page costs a save nothing). The figures are those a run gives.
    void Refresh() override;
    // The list is out of date and runs when next shown.
    bool IsStale() const { return m_stale; }
    // Runs the kept request again if the list is out of date (its page shown, a print).
    void EnsureFresh() override;

    // The kept statement as it was last made (without filter, grouping or order), and what
    // the list shows in words.
    const QString& SavedStatement() const { return m_statement; }
    const QString& Conditions() const { return m_conditions; }
    // The statement a run opens: the kept one with the filter, grouping and order added.
    QString FullStatement() const;
    // The order clause for the order box's current text.
    virtual QString OrderClause() const = 0;

    // Prints the list in its current order with the portrait or landscape template, as
    // PrintType says at the moment of printing. Does nothing when no list is open.
    void PrintList();
    // Writes the list in its current order to a spreadsheet workbook ("导出Excel").
    void ExportList();
    // The remembered width of a column: the widest text it showed plus 20 pixels.
    int RememberedWidth(int column) const { return column < m_widths.size() ? m_widths[column] : 0; }
    // A title click widens a column narrower than its remembered width; it does not sort.
    void TitleClick(int column);

    // The list as last opened: its rows read where they lie, its count and its sums.
    struct OpenedList {
        std::shared_ptr<RowSource> rows;
        int count = 0;
        QHash<QString, double> sums;
        bool Active() const { return rows != nullptr; }
        int RecordCount() const { return count; }
    };

    TDataGrid* Grid = nullptr;
    QComboBox* SortCombo = nullptr;
    // "查询条件：…" above the grid, printed on every page of the list too.
    QLabel* ConditionsLine = nullptr;
    OpenedList ListQuery;
    Report ListReport;

protected:
    ReportListPage(QWidget* sheet, const QString& queryName, bool billList);

    // The salesman's filter of the signed-in user.
    virtual QString Filter() const = 0;
    // Opens the kept statement with the filter and the order as the list's rows and footers.
    virtual Result<ListRows> OpenRows(const QString& kept) const = 0;
    // The grouping clause between the filter and the order.
    virtual QString Grouping() const { return {}; }
    // Sets the footers of a list with rows.
    virtual void SetFooters() = 0;

    // Lays out the page: the grid over a bar of buttons and the order box.
    void BuildPage(const QString& gridName, const QVector<GridColumn>& columns,
                   const QList<QPushButton*>& buttons, const QString& comboName,
                   const QStringList& sortItems);
    QPushButton* MakeButton(const QString& name, const QString& caption);

    // The buttons that need a list to work on; greyed, with the reason, until one was found.
    void SetListButtons(const QList<QPushButton*>& buttons);
    void UpdateListButtons();

    QWidget* m_sheet;
    QLabel* m_sortLabel = nullptr;
    QList<QPushButton*> m_listButtons;
    QAction* m_exportAction = nullptr;

private:
    void RememberWidth(int column, const QString& text);
    bool OnScreen() const;

    bool m_billList;
    bool m_stale = false;
    ListRequest m_request;
    QString m_statement;
    QString m_conditions;
    QVector<int> m_widths;
    RowSourceData m_printData;
};

// The bill list on the page "业务报表" (TabSheet2).
class BillReportList : public ReportListPage {
    Q_OBJECT
public:
    explicit BillReportList(QWidget* sheet);

    QString OrderClause() const override;

    // "查找单据": the bill search, which runs this list itself.
    void ActionBillReportExecute();
    void ComboBox2Change();
    void ActionPrintBillReportExecute() { PrintList(); }
    void ActionBExecelExecute() { ExportList(); }
    // "经营报表": the analysis of this list, for every role but the salesman.
    void ActionAnalysisExecute();
    // Opens the current bill in the bill editor.
    void DBGridEh2DblClick();

    TDataGrid* DBGridEh2;
    QPushButton* SpeedButton3; // "查找单据"
    QPushButton* SpeedButton4; // "打印列表"
    QPushButton* SpeedButton5; // "经营报表"
    QPushButton* SpeedButton6; // "导出Excel"
    QComboBox* ComboBox2;      // order
    OpenedList& BReportADOQuery = ListQuery;
    Report& frReport3 = ListReport;

protected:
    QString Filter() const override;
    QString Grouping() const override;
    Result<ListRows> OpenRows(const QString& kept) const override;
    void SetFooters() override;

private:
};

// The voucher list on the page "财务报表" (TabSheet4).
class MoneyReportList : public ReportListPage {
    Q_OBJECT
public:
    explicit MoneyReportList(QWidget* sheet);

    QString OrderClause() const override;

    // "查找单据": the voucher search, which runs this list itself.
    void ActionMoneyReportExecute();
    void ComboBox9Change();
    void ActionPrintMoneyReportExecute() { PrintList(); }
    void ActionMExcelExecute() { ExportList(); }
    // Opens the current voucher in the voucher editor.
    void DBGridEh1DblClick();

    TDataGrid* DBGridEh1;
    QPushButton* MakeReport;   // "查找单据"
    QPushButton* PrintReport;  // "打印列表"
    QPushButton* SpeedButton7; // "导出Excel"
    QComboBox* ComboBox9;      // order
    OpenedList& MReportADOQuery = ListQuery;
    Report& frReport2 = ListReport;

protected:
    QString Filter() const override;
    Result<ListRows> OpenRows(const QString& kept) const override;
    void SetFooters() override;

private:
};

} // namespace tev
