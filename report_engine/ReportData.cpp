#include "report_engine/ReportData.h"

namespace tev {

int ReportDataSet::ColumnIndex(const QString& name) const {
    const QStringList columns = Columns();
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

ReportTable::ReportTable(QStringList columns, QList<QVariantList> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows)) {}

QVariant ReportTable::Value(int row, int column) const {
    if (row < 0 || row >= m_rows.size()) return {};
    const QVariantList& values = m_rows[row];
    if (column < 0 || column >= values.size()) return {};
    return values[column];
}

void ReportTable::AddRow(const QVariantList& values) {
    m_rows.append(values);
}

void ReportTable::SetValue(int row, const QString& column, const QVariant& value) {
    const int c = ColumnIndex(column);
    if (row < 0 || row >= m_rows.size() || c < 0) return;
    QVariantList& values = m_rows[row];
    while (values.size() <= c)
        values.append(QVariant());
    values[c] = value;
}

} // namespace tev
