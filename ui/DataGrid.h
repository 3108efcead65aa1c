#pragma once
// A read-only, row-selecting grid over rows read where they lie (data/RowSource.h), with
// named columns and a footer row under the table (a count text, column sums). The bill
// editor's voucher list, the report lists and the user list use it.
//
// What a user can do with every grid: reach every column (first widths from the titles and the
// content, horizontal scrolling), read an elided cell whole in its tooltip, copy the selected
// rows with Ctrl+C as tab-separated text with the titles (it pastes into any spreadsheet),
// use the context menu (copy, select all, fit the columns to their content, and the owner's
// own actions), move the current row with Home, End, Page Up and Page Down, and open the
// current row with Enter as with a double click.

#include "data/Database.h"
#include "data/RowSource.h"

#include <functional>
#include <memory>

class QAction;

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <QVector>
#include <QWidget>

namespace tev {

// How a column shows its values.
enum class GridFormat {
    Text,   // the value as text
    Amount, // a number through FormatAmount
    Date,   // an ISO date (or date-time) in the short date format yyyy-M-d
};

struct GridColumn {
    QString field;   // column of the result
    QString caption; // header text
    int width = 80;
    Qt::Alignment alignment = Qt::AlignCenter;
    GridFormat format = GridFormat::Text;
    // Negative values drawn in red, the others in black.
    bool negativeRed = false;
};

// The table model: the columns of a grid over a row source.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetColumns(const QVector<GridColumn>& columns);
    void SetSource(std::shared_ptr<RowSource> source);
    void Clear();

    const QVector<GridColumn>& Columns() const { return m_columns; }
    const std::shared_ptr<RowSource>& Source() const { return m_source; }
    // The text a cell shows.
    QString CellText(int row, int column) const;
    QVariant Value(int row, const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void MapColumns();

    QVector<GridColumn> m_columns;
    std::shared_ptr<RowSource> m_source;
    QVector<int> m_sourceColumn; // the source's column of each grid column, -1 for none
};

class GridFooter;

class TDataGrid : public QWidget {
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);

    void SetColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& Columns() const { return m_model->Columns(); }
    int ColumnIndex(const QString& field) const;

    // Shows a small result held in memory; the first row becomes current. Footers are left alone.
    void SetData(const ResultSet& data);
    // Shows rows read where they lie (a list of any length); the first row becomes current.
    void SetSource(std::shared_ptr<RowSource> source);
    // Empties the list and the footers.
    void Clear();
    const std::shared_ptr<RowSource>& Source() const { return m_model->Source(); }
    int RowCount() const { return m_model->rowCount(); }
    QString CellText(int row, const QString& field) const;

    // The current row (-1 when the list is empty).
    int CurrentRow() const;
    void SetCurrentRow(int row);
    bool HasCurrentRow() const { return CurrentRow() >= 0; }
    // A field of the current row; any column of the result, shown or not. A missing row
    // or column reads as empty / 0.
    QVariant CurrentValue(const QString& field) const;
    QString CurrentString(const QString& field) const;
    qint64 CurrentInteger(const QString& field) const;
    double CurrentFloat(const QString& field) const;

    // The sum of a result column over all rows (small lists; a long list's sums come from
    // the database in one statement).
    double ColumnSum(const QString& field) const;

    // The selected rows as tab-separated text, the titles of the shown columns first; what
    // Ctrl+C puts on the clipboard.
    QString SelectedRowsText() const;
    void CopySelectedRows() const;
    // Every column as wide as its title and the widest text of the rows on screen.
    void FitColumnsToContent();
    // An action of the owner's in the context menu (after copy, select all and fit), e.g.
    // the export of a report list.
    void AddContextAction(QAction* action);

    // Footer texts under the named columns, centred, in blue unless told otherwise.
    void SetFooterText(const QString& field, const QString& text, const QColor& colour = Qt::blue);
    QString FooterText(const QString& field) const;
    QColor FooterColour(const QString& field) const;
    // The font of the titles and the footer.
    void SetTitleFont(const QFont& font);
    void ClearFooters();
    // The usual footer: the row count ("3条") under countField and the sums (FormatAmount)
    // under sumFields. An empty list clears the footers.
    void SetCountAndSums(const QString& countField, const QStringList& sumFields);

    QTableView* View() const { return m_view; }
    GridModel* Model() const { return m_model; }

    // Called for every cell painted, with its column and the text shown.
    std::function<void(int column, const QString& text)> CellDrawn;

signals:
    void DoubleClicked(int row);
    void CurrentRowChanged(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowContextMenu(const QPoint& at);

    GridModel* m_model;
    QTableView* m_view;
    GridFooter* m_footer;
    QList<QAction*> m_ownActions;
};

} // namespace tev
