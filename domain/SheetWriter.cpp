#include "domain/SheetWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr int kHeadingRows = 3;
constexpr qint64 kProgressEvery = 4096;
constexpr double kWidestColumn = 60;

// How many character widths a text takes: the wide East Asian characters count two.
int DisplayWidth(const QString& text) {
    int width = 0;
    for (const QChar c : text) {
        if (c.isLowSurrogate()) continue;
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    }
    return width;
}

// Cut at the cell's limit without splitting a character made of two UTF-16 units.
QString CellText(QString text) {
    if (text.size() <= kSheetCellChars) return text;
    int cut = kSheetCellChars;
    if (text.at(cut - 1).isHighSurrogate()) --cut;
    text.truncate(cut);
    return text;
}

class Workbook {
public:
    Workbook(const QString& file, const SheetRequest& request) : m_request(request) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        const QByteArray name = QFile::encodeName(file);
        m_book = workbook_new_opt(name.constData(), &options);
        if (!m_book) return;
        m_title = workbook_add_format(m_book);
        format_set_bold(m_title);
        format_set_num_format(m_title, "@");
        m_text = workbook_add_format(m_book);
        format_set_num_format(m_text, "@");
        m_amount = workbook_add_format(m_book);
        format_set_num_format(m_amount, "0.00");
    }
    ~Workbook() {
        // Never closed means never written: the passing file is removed by the caller.
        if (m_book) {
            workbook_close(m_book);
        }
    }
    bool Ok() const { return m_book != nullptr; }

    // Starts a sheet with the heading rows.
    void NewSheet() {
        FitColumns();
        ++m_sheets;
        QString name = m_request.sheetName.isEmpty() ? u"Sheet"_s : m_request.sheetName;
        if (m_sheets > 1 || m_request.sheetName.isEmpty()) name += QString::number(m_sheets);
        m_sheet = workbook_add_worksheet(m_book, name.toUtf8().constData());
        m_widths.fill(0, m_request.columns.size());
        m_row = kHeadingRows;
        Text(0, 0, m_request.dateLine, m_text, false);
        for (int c = 0; c < m_request.columns.size(); ++c)
            Text(2, c, m_request.columns[c].title, m_title);
        worksheet_freeze_panes(m_sheet, kHeadingRows, 0);
    }

    void Row(RowSource& rows, int row) {
        if (m_sheets == 0 || m_row - kHeadingRows >= m_request.rowsPerSheet) NewSheet();
        for (int c = 0; c < m_request.columns.size(); ++c) {
            const SheetColumn& column = m_request.columns[c];
            if (column.source < 0) continue;
            const QVariant value = rows.Value(row, column.source);
            if (value.isNull()) continue;
            switch (column.kind) {
            case SheetCell::Text:
                Text(m_row, c, value.toString(), m_text);
                break;
            case SheetCell::Date:
                Text(m_row, c, SheetDateText(value.toString()), m_text);
                break;
            case SheetCell::Amount: {
                bool ok = false;
                const double number = value.toDouble(&ok);
                if (!ok) {
                    Text(m_row, c, value.toString(), m_text);
                    break;
                }
                worksheet_write_number(m_sheet, lxw_row_t(m_row), lxw_col_t(c), number, m_amount);
                Measure(c, QString::number(number, 'f', 2).size());
                break;
            }
            }
        }
        ++m_row;
    }

    // Writes the file; the error of the system when it could not.
    lxw_error Close(int* systemError) {
        FitColumns();
        errno = 0;
        const lxw_error error = workbook_close(m_book);
        *systemError = errno;
        m_book = nullptr;
        return error;
    }
    int Sheets() const { return m_sheets; }

private:
    void Text(int row, int column, const QString& text, lxw_format* format, bool measure = true) {
        if (text.isEmpty()) return;
        const QString cell = CellText(text);
        worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), cell.toUtf8().constData(), format);
        if (measure) Measure(column, DisplayWidth(cell));
    }
    void Measure(int column, int width) {
        if (width > m_widths[column]) m_widths[column] = width;
    }
    // Every column as wide as its widest text, within bounds.
    void FitColumns() {
        if (!m_sheet) return;
        for (int c = 0; c < m_widths.size(); ++c)
            worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c),
                                 std::clamp(m_widths[c] + 2.0, 6.0, kWidestColumn), nullptr);
    }

    const SheetRequest& m_request;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_title = nullptr;
    lxw_format* m_text = nullptr;
    lxw_format* m_amount = nullptr;
    QVector<int> m_widths;
    int m_row = 0;
    int m_sheets = 0;
};

DbError WhyNotWritable(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists() || !info.isDir()) return DbError::NotFound;
    if (!info.isWritable()) return DbError::NoPermission;
    return DbError::Other;
}

} // namespace

QString SheetDateLine(QDate day) {
    return u"日期:"_s + day.toString(u"yyyy年MM月dd日"_s);
}

QString SheetDateText(const QString& iso) {
    if (iso.size() > 10) {
        const QDateTime at = QDateTime::fromString(iso.left(19), u"yyyy-MM-dd HH:mm:ss"_s);
        if (at.isValid()) return at.toString(u"yyyy.MM.dd HH.mm.ss"_s);
    }
    const QDate day = QDate::fromString(iso.left(10), u"yyyy-MM-dd"_s);
    if (day.isValid()) return day.toString(u"yyyy.MM.dd"_s);
    return iso;
}

SheetResult WriteSheet(RowSource& rows, const SheetRequest& request, const SheetProgress& progress) {
    SheetResult result;
    const QFileInfo target(request.path);
    const QString folder = target.absolutePath();
    // Moving onto a file that may not be written would replace it all the same.
    if (target.exists() && (!target.isFile() || !target.isWritable())) {
        result.error = DbError::NoPermission;
        return result;
    }
    // The passing file beside the target: same disk, so the move at the end is a rename.
    QTemporaryFile passing(folder + u"/."_s + target.fileName() + u".XXXXXX"_s);
    passing.setAutoRemove(false);
    if (!passing.open()) {
        result.error = WhyNotWritable(folder);
        return result;
    }
    const QString passingName = passing.fileName();
    passing.close();
    auto fail = [&](DbError error) {
        QFile::remove(passingName);
        result.error = error;
        return result;
    };

    Workbook book(passingName, request);
    if (!book.Ok()) return fail(WhyNotWritable(folder));
    const qint64 total = rows.RowCount();
    book.NewSheet();
    for (int row = 0; row < total; ++row) {
        book.Row(rows, row);
        if (progress && (row + 1) % kProgressEvery == 0 && !progress(row + 1, total)) {
            result.cancelled = true;
            int ignored = 0;
            book.Close(&ignored);
            return fail(DbError::None);
        }
    }
    if (rows.Failed()) {
        int ignored = 0;
        book.Close(&ignored);
        return fail(DbError::Other);
    }
    result.sheets = book.Sheets();
    int systemError = 0;
    if (book.Close(&systemError) != LXW_NO_ERROR) {
        const DbError why = systemError ? ErrorFromSystemError(systemError) : DbError::None;
        return fail(why == DbError::None ? WhyNotWritable(folder) : why);
    }
    if (progress) progress(total, total);

    std::error_code moved;
    std::filesystem::rename(std::filesystem::path(passingName.toStdU16String()),
                            std::filesystem::path(request.path.toStdU16String()), moved);
    if (moved) return fail(ErrorFromSystemError(moved.value()));
    result.ok = true;
    result.rows = total;
    return result;
}

} // namespace tev
