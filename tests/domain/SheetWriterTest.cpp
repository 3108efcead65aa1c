// The workbook writer, read back with openpyxl: cell types (texts never formulas), numbers,
// dates, characters outside the basic plane and over-long texts, sheets that continue on a
// second sheet, and a file that cannot be written leaving the older one as it was.

#include "domain/SheetWriter.h"
#include "tests/support/XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

// Rows held in a vector, counting how often a row is read.
class VectorRows final : public RowSource {
public:
    VectorRows(QStringList columns, std::vector<QVariantList> rows)
        : m_columns(std::move(columns)), m_rows(std::move(rows)) {}
    int RowCount() const override { return int(m_rows.size()); }
    const QStringList& Columns() const override { return m_columns; }
    QVariant Value(int row, int column) override {
        if (row != m_last) ++reads;
        m_last = row;
        return m_rows.at(size_t(row)).value(column);
    }
    int reads = 0;

private:
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
    int m_last = -1;
};

class SheetWriterTest : public ::testing::Test {
protected:
    QString File(const QString& name = u"list.xlsx"_s) const { return dir.filePath(name); }
    SheetRequest Request(const QString& path) const {
        SheetRequest r;
        r.path = path;
        r.dateLine = SheetDateLine(QDate(2024, 3, 5));
        r.sheetName = u"业务报表"_s;
        r.columns = {{0, u"客户名称"_s, SheetCell::Text},
                     {1, u"单据金额"_s, SheetCell::Amount},
                     {2, u"创建时间"_s, SheetCell::Date}};
        return r;
    }
    QStringList Entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    static QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(SheetWriterTest, TextsStayTextWhateverTheyBeginWith) {
    const QString longText = QString(kSheetCellChars - 1, u'长') + u"😀"_s + u"尾"_s;
    const QStringList texts = {u"=1+2"_s,
                               u"+SUM(A1:A9)"_s,
                               u"-3"_s,
                               u"@cmd"_s,
                               u"=HYPERLINK(\"http://x\",\"y\")"_s,
                               u"O'Brien"_s,
                               u"'张三"_s,
                               u"𠀀𪚥😀 四字节"_s,
                               longText};
    std::vector<QVariantList> rows;
    for (const QString& t : texts)
        rows.push_back({t, -1200.5, u"2024-03-05"_s});
    rows.push_back({QVariant(), QVariant(), u"2024-03-05 14:30:00"_s});
    VectorRows source({u"a"_s, u"b"_s, u"c"_s}, rows);

    const SheetResult result = WriteSheet(source, Request(File()));
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.rows, qint64(rows.size()));
    EXPECT_EQ(source.reads, int(rows.size())) << "every row read once";

    const auto sheets = tevtest::ReadXlsx(File());
    ASSERT_EQ(sheets.size(), 1u);
    const tevtest::XlsxSheet& s = sheets[0];
    EXPECT_EQ(s.name, u"业务报表"_s);
    EXPECT_EQ(s.freeze, u"A4"_s);
    EXPECT_EQ(s.At(1, 1).Text(), u"日期:2024年03月05日"_s);
    EXPECT_TRUE(s.RowTexts(2).join(QString()).isEmpty());
    EXPECT_EQ(s.RowTexts(3), QStringList({u"客户名称"_s, u"单据金额"_s, u"创建时间"_s}));
    EXPECT_TRUE(s.At(3, 2).bold);
    for (int i = 0; i < texts.size() - 1; ++i) {
        const tevtest::XlsxCell cell = s.At(4 + i, 1);
        EXPECT_EQ(cell.type, u"s"_s) << texts[i].toStdString();
        EXPECT_EQ(cell.Text(), texts[i]);
        EXPECT_EQ(s.At(4 + i, 2).type, u"n"_s);
        EXPECT_DOUBLE_EQ(s.At(4 + i, 2).value.toDouble(), -1200.5);
        EXPECT_EQ(s.At(4 + i, 2).format, u"0.00"_s);
        EXPECT_EQ(s.At(4 + i, 3).Text(), u"2024.03.05"_s);
    }
    // The longest text is cut at the cell's limit, never inside a character of two units.
    const QString cut = s.At(3 + int(texts.size()), 1).Text();
    EXPECT_EQ(cut, QString(kSheetCellChars - 1, u'长'));
    const int last = 3 + int(rows.size());
    EXPECT_TRUE(s.At(last, 1).value.isUndefined() || s.At(last, 1).value.isNull());
    EXPECT_EQ(s.At(last, 3).Text(), u"2024.03.05 14.30.00"_s);
    // Widths follow the content, within bounds.
    ASSERT_TRUE(s.widths.count(u"A"_s));
    EXPECT_LE(s.widths.at(u"A"_s), 61.0);
    EXPECT_GE(s.widths.at(u"A"_s), 30.0);
    EXPECT_GE(s.widths.at(u"C"_s), 19.0);
    EXPECT_EQ(Entries(), QStringList({u"list.xlsx"_s})) << "nothing left beside the file";
}

TEST_F(SheetWriterTest, ALongListGoesOnInTheNextSheetWithTheSameHeadings) {
    std::vector<QVariantList> rows;
    for (int i = 1; i <= 5; ++i)
        rows.push_back({u"客户%1"_s.arg(i), i * 10.0, u"2024-03-0%1"_s.arg(i)});
    VectorRows source({u"a"_s, u"b"_s, u"c"_s}, rows);
    SheetRequest request = Request(File());
    request.rowsPerSheet = 2;
    const SheetResult result = WriteSheet(source, request);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.sheets, 3);

    const auto sheets = tevtest::ReadXlsx(File());
    ASSERT_EQ(sheets.size(), 3u);
    const QStringList names = {u"业务报表"_s, u"业务报表2"_s, u"业务报表3"_s};
    int customer = 1;
    for (size_t i = 0; i < sheets.size(); ++i) {
        const auto& s = sheets[i];
        EXPECT_EQ(s.name, names[int(i)]);
        EXPECT_EQ(s.At(1, 1).Text(), u"日期:2024年03月05日"_s);
        EXPECT_EQ(s.At(3, 1).Text(), u"客户名称"_s);
        EXPECT_EQ(s.freeze, u"A4"_s);
        for (int row = 4; row <= s.rows; ++row)
            EXPECT_EQ(s.At(row, 1).Text(), u"客户%1"_s.arg(customer++));
    }
    EXPECT_EQ(customer, 6) << "every row once, in order";
}

TEST_F(SheetWriterTest, AFileThatCannotBeWrittenLeavesTheOlderOneAsItWas) {
    VectorRows source({u"a"_s, u"b"_s, u"c"_s}, {{u"张三"_s, 1.0, u"2024-03-05"_s}});

    // A folder that is not there.
    SheetResult result = WriteSheet(source, Request(dir.filePath(u"无此文件夹/list.xlsx"_s)));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, DbError::NotFound);

    // A folder under the chosen name.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.xlsx"_s));
    result = WriteSheet(source, Request(File(u"folder.xlsx"_s)));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, DbError::NoPermission);
    ASSERT_TRUE(QDir(dir.path()).rmdir(u"folder.xlsx"_s));

    // A cancelled export of a file already there.
    {
        QFile old(File());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older workbook");
    }
    std::vector<QVariantList> many(5000, QVariantList{u"张三"_s, 1.0, u"2024-03-05"_s});
    VectorRows longer({u"a"_s, u"b"_s, u"c"_s}, many);
    result = WriteSheet(longer, Request(File()), [](qint64, qint64) { return false; });
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(Read(File()), QByteArray("older workbook"));
    EXPECT_EQ(Entries(), QStringList({u"list.xlsx"_s})) << "no half-written file left";
}

TEST_F(SheetWriterTest, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    VectorRows source({u"a"_s, u"b"_s, u"c"_s}, {{u"张三"_s, 1.0, u"2024-03-05"_s}});
    {
        QFile old(File());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older workbook");
    }
    ASSERT_TRUE(QFile::setPermissions(File(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    // The system's administrator may write any file: there is nothing to refuse.
    if (QFileInfo(File()).isWritable()) GTEST_SKIP() << "running as the administrator: a read-only file is writable";
    const SheetResult result = WriteSheet(source, Request(File()));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, DbError::NoPermission);
    EXPECT_EQ(Read(File()), QByteArray("older workbook"));
    EXPECT_EQ(Entries(), QStringList({u"list.xlsx"_s}));
}

TEST(SheetTexts, DatesAndTheDateLine) {
    EXPECT_EQ(SheetDateLine(QDate(2024, 3, 5)), u"日期:2024年03月05日"_s);
    EXPECT_EQ(SheetDateText(u"2024-12-31"_s), u"2024.12.31"_s);
    EXPECT_EQ(SheetDateText(u"2024-03-05 09:07:01"_s), u"2024.03.05 09.07.01"_s);
    EXPECT_EQ(SheetDateText(u"not a date"_s), u"not a date"_s);
}

} // namespace
