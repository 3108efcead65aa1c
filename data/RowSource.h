#pragma once
// Rows to show, print or export, read where they lie. A list that can hold every bill or
// voucher is never copied whole: a paged source knows its row count from one counting
// statement and reads the rows around the ones asked for in blocks, keeping a few blocks.
// Reading every row in order (printing, export) therefore holds a few blocks at any time, and
// reads on from one open statement instead of asking for each block anew.

#include "data/Database.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <list>
#include <memory>
#include <vector>

namespace tev {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int RowCount() const = 0;
    virtual const QStringList& Columns() const = 0;
    // The value of a row's column; an invalid value for a row or column out of range, or when
    // the rows could not be read (Failed() then tells).
    virtual QVariant Value(int row, int column) = 0;
    virtual bool Failed() const { return false; }

    // The column's index by name, without regard to case; -1 when there is none.
    int ColumnIndex(const QString& column) const;
    QVariant Value(int row, const QString& column);
};

// Rows already in memory: small lists (a bill's vouchers, the user list).
class ResultRows final : public RowSource {
public:
    explicit ResultRows(ResultSet rows) : m_rows(std::move(rows)) {}
    int RowCount() const override { return m_rows.RecordCount(); }
    const QStringList& Columns() const override { return m_rows.Columns(); }
    QVariant Value(int row, int column) override { return m_rows.At(row, column); }
    const ResultSet& Rows() const { return m_rows; }

private:
    ResultSet m_rows;
};

// Rows of a statement read a block at a time. page(offset, limit) gives the statement of a
// block in the program's dialect; the rows are in the order that statement gives them.
class PagedRows final : public RowSource {
public:
    using PageStatement = std::function<QString(int offset, int limit)>;

    // Counts the rows (countStatement's first column) and reads the first block for the
    // column names; none, with the database's error, when either fails.
    static std::shared_ptr<PagedRows> Open(Database& db, const QString& countStatement, PageStatement page,
                                           int blockRows = 256, int keptBlocks = 8);
    // The same with the count already known (from the list's own aggregate statement).
    static std::shared_ptr<PagedRows> Open(Database& db, int count, PageStatement page, int blockRows = 256,
                                           int keptBlocks = 8);
    // The statement of a block counted from the end in the reverse order: a block in the later
    // half of the list is then read from its end instead of stepping over every row before it.
    void SetReversedPage(PageStatement reversed) { m_reversed = std::move(reversed); }

    int RowCount() const override { return m_count; }
    const QStringList& Columns() const override { return m_columns; }
    QVariant Value(int row, int column) override;
    bool Failed() const override { return m_failed; }
    // Blocks read so far (for tests of how much is held and read).
    int BlocksRead() const { return m_blocksRead; }
    int BlocksHeld() const { return int(m_blocks.size()); }
    // Statements run for blocks so far: a read in order runs one for the whole stretch.
    int StatementsRun() const { return m_statements; }
    ~PagedRows() override;

private:
    PagedRows(Database& db, PageStatement page, int blockRows, int keptBlocks);
    struct Block {
        int first = 0;
        std::vector<QVector<QVariant>> rows;
    };
    struct Cursor;
    const Block* BlockOf(int row);
    bool ReadBlock(int first, Block& block);

    Database& m_db;
    PageStatement m_page;
    PageStatement m_reversed;
    int m_blockRows;
    int m_keptBlocks;
    int m_count = 0;
    QStringList m_columns;
    std::list<Block> m_blocks; // most recently used first
    int m_blocksRead = 0;
    int m_statements = 0;
    int m_lastRead = -1;              // the first row of the block read last
    std::unique_ptr<Cursor> m_cursor; // open while blocks are read in order
    bool m_failed = false;
};

} // namespace tev
