#include "data/RowSource.h"

#include "data/Dialect.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

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

// One statement over the rest of the list, read forward only: each block read in order takes
// the next rows from it. It is closed at the end of the list or when the reading jumps.
struct PagedRows::Cursor {
    QSqlQuery query;
    int at = 0; // the row the next call of next() gives
    explicit Cursor(const QSqlDatabase& db) : query(db) { query.setForwardOnly(true); }
};

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
    rows->m_statements = 1;
    rows->m_lastRead = 0;
    return rows;
}

PagedRows::PagedRows(Database& db, PageStatement page, int blockRows, int keptBlocks)
    : m_db(db), m_page(std::move(page)), m_blockRows(blockRows), m_keptBlocks(keptBlocks) {}

PagedRows::~PagedRows() = default;

bool PagedRows::ReadBlock(int first, Block& block) {
    block.first = first;
    const bool inOrder = m_lastRead >= 0 && first == m_lastRead + m_blockRows;
    if (m_cursor && m_cursor->at != first) m_cursor.reset();
    if (!m_cursor && inOrder) {
        // The second block in a row read in order: read on from one statement from here on.
        auto cursor = std::make_unique<Cursor>(m_db.Connection());
        ++m_statements;
        if (!cursor->query.exec(m_db.SqlDialect().Translate(m_page(first, m_count - first)))) return false;
        cursor->at = first;
        m_cursor = std::move(cursor);
    }
    m_lastRead = first;
    if (m_cursor) {
        const int cols = m_cursor->query.record().count();
        while (int(block.rows.size()) < m_blockRows && m_cursor->query.next()) {
            QVector<QVariant> row(cols);
            for (int i = 0; i < cols; ++i)
                row[i] = m_cursor->query.value(i);
            block.rows.push_back(std::move(row));
            ++m_cursor->at;
        }
        const bool failed = m_cursor->query.lastError().isValid();
        if (failed || m_cursor->at >= m_count || int(block.rows.size()) < m_blockRows) m_cursor.reset();
        return !failed;
    }
    ResultSet rs;
    ++m_statements;
    const int end = std::min(m_count, first + m_blockRows);
    if (m_reversed && first > m_count / 2 && end > first) {
        // Nearer the end: the same rows read backwards from the end, then turned round.
        if (!m_db.Select(m_reversed(m_count - end, end - first), rs)) return false;
        block.rows.reserve(size_t(rs.RecordCount()));
        for (int r = rs.RecordCount() - 1; r >= 0; --r)
            block.rows.push_back(rs.Row(r));
        return true;
    }
    if (!m_db.Select(m_page(first, m_blockRows), rs)) return false;
    block.rows.reserve(size_t(rs.RecordCount()));
    for (int r = 0; r < rs.RecordCount(); ++r)
        block.rows.push_back(rs.Row(r));
    return true;
}

const PagedRows::Block* PagedRows::BlockOf(int row) {
    const int first = row / m_blockRows * m_blockRows;
    for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it) {
        if (it->first != first) continue;
        if (it != m_blocks.begin()) m_blocks.splice(m_blocks.begin(), m_blocks, it);
        return &m_blocks.front();
    }
    Block block;
    if (!ReadBlock(first, block)) {
        m_failed = true;
        return nullptr;
    }
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
