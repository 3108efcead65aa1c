#include "data/RowSource.h"

#include <algorithm>

namespace tev {

int RowSource::ColumnIndex(const QString& column) const {
    const QStringList& columns = Columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(column, Qt::CaseInsensitive) == 0) return i;
    const QString bare = column.section(QLatin1Char('.'), -1);
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].section(QLatin1Char('.'), -1).compare(bare, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant RowSource::Value(int row, const QString& column) {
    const int c = ColumnIndex(column);
    return c < 0 ? QVariant() : Value(row, c);
}

std::shared_ptr<PagedRows> PagedRows::Open(Database& db, const QString& countStatement, PageStatement page,
                                           int blockRows, int keptBlocks) {
    ResultSet counted;
    if (!db.Select(countStatement, counted) || counted.IsEmpty()) return nullptr;
    return Open(db, int(counted.At(0, 0).toLongLong()), std::move(page), blockRows, keptBlocks);
}

std::shared_ptr<PagedRows> PagedRows::Open(Database& db, int count, PageStatement page, int blockRows,
                                           int keptBlocks) {
    std::shared_ptr<PagedRows> rows(
        new PagedRows(db, std::move(page), std::max(1, blockRows), std::max(1, keptBlocks)));
    rows->m_count = count;
    // The first block gives the column names, and is the block shown first anyway.
    ResultSet first;
    if (!db.Select(rows->m_page(0, rows->m_blockRows), first)) return nullptr;
    rows->m_columns = first.Columns();
    Block block;
    block.first = 0;
    for (int r = 0; r < first.RecordCount(); ++r)
        block.rows.push_back(first.Row(r));
    rows->m_blocks.push_front(std::move(block));
    rows->m_blocksRead = 1;
    return rows;
}

const PagedRows::Block* PagedRows::BlockOf(int row) {
    const int first = row / m_blockRows * m_blockRows;
    for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it) {
        if (it->first != first) continue;
        if (it != m_blocks.begin()) m_blocks.splice(m_blocks.begin(), m_blocks, it);
        return &m_blocks.front();
    }
    ResultSet rs;
    if (!m_db.Select(m_page(first, m_blockRows), rs)) {
        m_failed = true;
        return nullptr;
    }
    Block block;
    block.first = first;
    block.rows.reserve(size_t(rs.RecordCount()));
    for (int r = 0; r < rs.RecordCount(); ++r)
        block.rows.push_back(rs.Row(r));
    ++m_blocksRead;
    m_blocks.push_front(std::move(block));
    while (int(m_blocks.size()) > m_keptBlocks)
        m_blocks.pop_back();
    return &m_blocks.front();
}

QVariant PagedRows::Value(int row, int column) {
    if (row < 0 || row >= m_count || column < 0 || column >= m_columns.size()) return {};
    const Block* block = BlockOf(row);
    if (!block) return {};
    const int at = row - block->first;
    if (at < 0 || at >= int(block->rows.size())) return {};
    return block->rows[size_t(at)].value(column);
}

} // namespace tev
