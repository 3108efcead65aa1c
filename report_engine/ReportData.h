#pragma once
// The data a report reads: an abstract table of named columns and rows that callers
// implement over their own query results, and a small in-memory table.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tev {

// Read-only rows for a report. Implement it over whatever holds a query's result; a
// materialised result with column names and a value(row, column) accessor adapts in a few lines.
// Column names are matched without regard to case, as the database does.
class ReportDataSet {
public:
    virtual ~ReportDataSet() = default;

    virtual QStringList Columns() const = 0;
    virtual int RowCount() const = 0;
    // Value of a cell; an invalid or null QVariant reads as empty.
    virtual QVariant Value(int row, int column) const = 0;

    // Index of a column by name, ignoring case; -1 when there is none.
    int ColumnIndex(const QString& name) const;
};

// Rows held in memory: fixtures, small scratch data, adapters that copy.
class ReportTable : public ReportDataSet {
public:
    ReportTable() = default;
    explicit ReportTable(QStringList columns, QList<QVariantList> rows = {});

    QStringList Columns() const override { return m_columns; }
    int RowCount() const override { return int(m_rows.size()); }
    QVariant Value(int row, int column) const override;

    // A row shorter than the column list reads as empty in its missing cells.
    void AddRow(const QVariantList& values);
    void SetValue(int row, const QString& column, const QVariant& value);
    void Clear() { m_rows.clear(); }

private:
    QStringList m_columns;
    QList<QVariantList> m_rows;
};

} // namespace tev
