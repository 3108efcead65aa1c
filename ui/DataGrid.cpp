#include "ui/DataGrid.h"

#include "rules/PublicFunction.h"

#include <QStyledItemDelegate>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

QString FormatValue(const QVariant& value, GridFormat format) {
    if (!value.isValid() || value.isNull()) return {};
    switch (format) {
    case GridFormat::Amount:
        return FormatAmount(value.toDouble());
    case GridFormat::Date: {
        const QString text = value.toString();
        QDate date = QDate::fromString(text.left(10), Qt::ISODate);
        if (!date.isValid()) return text;
        return date.toString(u"yyyy-M-d"_s);
    }
    case GridFormat::Text:
        break;
    }
    return value.toString();
}

} // namespace

void GridModel::SetColumns(const QVector<GridColumn>& columns) {
    beginResetModel();
    m_columns = columns;
    MapColumns();
    endResetModel();
}

void GridModel::SetSource(std::shared_ptr<RowSource> source) {
    beginResetModel();
    m_source = std::move(source);
    MapColumns();
    endResetModel();
}

void GridModel::MapColumns() {
    m_sourceColumn.clear();
    for (const GridColumn& c : m_columns)
        m_sourceColumn << (m_source ? m_source->ColumnIndex(c.field) : -1);
}

void GridModel::Clear() {
    SetSource(nullptr);
}

QString GridModel::CellText(int row, int column) const {
    if (!m_source || row < 0 || row >= m_source->RowCount() || column < 0 || column >= m_columns.size())
        return {};
    const int source = m_sourceColumn.value(column, -1);
    if (source < 0) return {};
    return FormatValue(m_source->Value(row, source), m_columns[column].format);
}

QVariant GridModel::Value(int row, const QString& field) const {
    if (!m_source || row < 0 || row >= m_source->RowCount()) return {};
    return m_source->Value(row, field);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_source ? 0 : m_source->RowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return CellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns[index.column()].alignment | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && m_columns[index.column()].negativeRed) {
        const QVariant v = Value(index.row(), m_columns[index.column()].field);
        return QColor(!v.isNull() && v.toDouble() < 0 ? Qt::red : Qt::black);
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size()) return {};
    if (role == Qt::DisplayRole) return m_columns[section].caption;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

// Tells the grid of every cell it paints, with the text shown in it.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TDataGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (m_grid->CellDrawn) m_grid->CellDrawn(index.column(), index.data(Qt::DisplayRole).toString());
    }

private:
    TDataGrid* m_grid;
};

// The footer row: one cell under every column, following the columns' widths and the
// table's horizontal scrolling.
class GridFooter : public QWidget {
public:
    GridFooter(QTableView* view, QWidget* parent) : QWidget(parent), m_view(view) {
        setFixedHeight(22);
        connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { update(); });
        connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    }

    QVector<QString> texts;
    QVector<QColor> colours;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect all = rect();
        p.fillRect(all, QColor(0xf0, 0xf4, 0xfa));
        p.setPen(QColor(0xb8, 0xc4, 0xd4));
        p.drawRect(all.adjusted(0, 0, -1, -1));
        const QHeaderView* header = m_view->horizontalHeader();
        const int left = m_view->viewport()->geometry().x();
        const int right = m_view->viewport()->geometry().right();
        p.setClipRect(QRect(left, 0, right - left + 1, height()));
        for (int i = 0; i < header->count(); ++i) {
            const int x = left + header->sectionViewportPosition(i);
            const int w = header->sectionSize(i);
            const QRect cell(x, 0, w, height());
            p.setPen(QColor(0xb8, 0xc4, 0xd4));
            p.drawLine(cell.topRight(), cell.bottomRight());
            if (i < texts.size() && !texts[i].isEmpty()) {
                p.setPen(i < colours.size() ? colours[i] : QColor(Qt::blue));
                p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignCenter, texts[i]);
            }
        }
    }

private:
    QTableView* m_view;
};

TDataGrid::TDataGrid(QWidget* parent) : QWidget(parent) {
    m_model = new GridModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(u"View"_s);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new CellDelegate(this));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows can be selected for copying; the current row is the one a click opens.
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->setVisible(false);
    m_view->verticalHeader()->setDefaultSectionSize(22);
    m_view->horizontalHeader()->setHighlightSections(false);
    // Every column keeps its width; the table scrolls sideways to the ones beyond the window.
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_footer = new GridFooter(m_view, this);
    m_footer->setObjectName(u"Footer"_s);

    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);
    col->addWidget(m_view, 1);
    col->addWidget(m_footer);

    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit DoubleClicked(index.row());
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                emit CurrentRowChanged(current.isValid() ? current.row() : -1);
            });
    connect(m_view, &QWidget::customContextMenuRequested, this, &TDataGrid::ShowContextMenu);
}

bool TDataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            CopySelectedRows();
            return true;
        }
        const int rows = m_model->rowCount();
        if (rows > 0 && key->modifiers() == Qt::NoModifier) {
            if (key->key() == Qt::Key_Home || key->key() == Qt::Key_End) {
                SetCurrentRow(key->key() == Qt::Key_Home ? 0 : rows - 1);
                m_view->scrollTo(m_model->index(CurrentRow(), 0));
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && HasCurrentRow()) {
                emit DoubleClicked(CurrentRow());
                return true;
            }
        }
    }
    if (watched == m_view->viewport() && event->type() == QEvent::ToolTip) {
        // An elided cell shows its whole text.
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = m_view->indexAt(help->pos());
        const QString text = index.isValid() ? m_model->CellText(index.row(), index.column()) : QString();
        const int room = index.isValid() ? m_view->columnWidth(index.column()) - 8 : 0;
        if (!text.isEmpty() && m_view->fontMetrics().horizontalAdvance(text) > room)
            QToolTip::showText(help->globalPos(), text, m_view->viewport(), m_view->visualRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QString TDataGrid::SelectedRowsText() const {
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    QStringList titles;
    for (int c = 0; c < m_model->columnCount(); ++c)
        if (!m_view->isColumnHidden(c)) titles << m_model->Columns()[c].caption;
    lines << titles.join(u'\t');
    for (int row : rows) {
        QStringList cells;
        for (int c = 0; c < m_model->columnCount(); ++c) {
            if (m_view->isColumnHidden(c)) continue;
            // A tab or a line break inside a cell would break the rows of the pasted table.
            QString text = m_model->CellText(row, c);
            text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
            cells << text;
        }
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void TDataGrid::CopySelectedRows() const {
    if (m_view->selectionModel()->selectedRows().isEmpty()) return;
    QGuiApplication::clipboard()->setText(SelectedRowsText());
}

void TDataGrid::FitColumnsToContent() {
    const QFontMetrics cells(m_view->font());
    const QFontMetrics titles(m_view->horizontalHeader()->font());
    // The rows on screen decide (a long list is not read whole for its widths).
    const int first = std::max(0, m_view->rowAt(0));
    const int last = std::min(m_model->rowCount() - 1, first + 60);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int width = titles.horizontalAdvance(m_model->Columns()[c].caption) + 16;
        for (int row = first; row <= last; ++row)
            width = std::max(width, cells.horizontalAdvance(m_model->CellText(row, c)) + 12);
        m_view->setColumnWidth(c, std::min(width, 400));
    }
}

void TDataGrid::AddContextAction(QAction* action) {
    m_ownActions << action;
}

void TDataGrid::ShowContextMenu(const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName(u"GridMenu"_s);
    QAction* copy = menu.addAction(u"复制"_s, this, &TDataGrid::CopySelectedRows);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!m_view->selectionModel()->selectedRows().isEmpty());
    menu.addAction(u"全选"_s, m_view, &QTableView::selectAll)->setShortcut(QKeySequence::SelectAll);
    menu.addAction(u"列宽适应内容"_s, this, &TDataGrid::FitColumnsToContent);
    if (!m_ownActions.isEmpty()) {
        menu.addSeparator();
        for (QAction* a : m_ownActions)
            menu.addAction(a);
    }
    menu.exec(m_view->viewport()->mapToGlobal(at));
}

void TDataGrid::SetColumns(const QVector<GridColumn>& columns) {
    m_model->SetColumns(columns);
    // A first width that shows the whole title, whatever the column was given.
    const QFontMetrics titles(m_view->horizontalHeader()->font());
    for (int i = 0; i < columns.size(); ++i)
        m_view->setColumnWidth(i,
                               std::max(columns[i].width, titles.horizontalAdvance(columns[i].caption) + 16));
    m_footer->texts = QVector<QString>(columns.size());
    m_footer->colours = QVector<QColor>(columns.size(), QColor(Qt::blue));
    m_footer->update();
}

int TDataGrid::ColumnIndex(const QString& field) const {
    const auto& columns = m_model->Columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].field.compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void TDataGrid::SetData(const ResultSet& data) {
    SetSource(std::make_shared<ResultRows>(data));
}

void TDataGrid::SetSource(std::shared_ptr<RowSource> source) {
    m_model->SetSource(std::move(source));
    SetCurrentRow(m_model->rowCount() > 0 ? 0 : -1);
}

void TDataGrid::Clear() {
    m_model->Clear();
    ClearFooters();
}

QString TDataGrid::CellText(int row, const QString& field) const {
    return m_model->CellText(row, ColumnIndex(field));
}

int TDataGrid::CurrentRow() const {
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TDataGrid::SetCurrentRow(int row) {
    if (row < 0 || row >= m_model->rowCount()) {
        m_view->setCurrentIndex({});
        return;
    }
    m_view->setCurrentIndex(m_model->index(row, 0));
    m_view->selectRow(row);
}

QVariant TDataGrid::CurrentValue(const QString& field) const {
    return m_model->Value(CurrentRow(), field);
}

QString TDataGrid::CurrentString(const QString& field) const {
    const QVariant v = CurrentValue(field);
    return v.isNull() ? QString() : v.toString();
}

qint64 TDataGrid::CurrentInteger(const QString& field) const {
    return CurrentValue(field).toLongLong();
}

double TDataGrid::CurrentFloat(const QString& field) const {
    return CurrentValue(field).toDouble();
}

double TDataGrid::ColumnSum(const QString& field) const {
    double sum = 0;
    for (int row = 0; row < m_model->rowCount(); ++row)
        sum += m_model->Value(row, field).toDouble();
    return sum;
}

void TDataGrid::SetFooterText(const QString& field, const QString& text, const QColor& colour) {
    const int column = ColumnIndex(field);
    if (column < 0 || column >= m_footer->texts.size()) return;
    m_footer->texts[column] = text;
    m_footer->colours[column] = colour;
    m_footer->update();
}

QColor TDataGrid::FooterColour(const QString& field) const {
    const int column = ColumnIndex(field);
    return column >= 0 && column < m_footer->colours.size() ? m_footer->colours[column] : QColor();
}

void TDataGrid::SetTitleFont(const QFont& font) {
    m_view->horizontalHeader()->setFont(font);
    m_footer->setFont(font);
}

QString TDataGrid::FooterText(const QString& field) const {
    const int column = ColumnIndex(field);
    return column >= 0 && column < m_footer->texts.size() ? m_footer->texts[column] : QString();
}

void TDataGrid::ClearFooters() {
    m_footer->texts.fill(QString());
    m_footer->update();
}

void TDataGrid::SetCountAndSums(const QString& countField, const QStringList& sumFields) {
    ClearFooters();
    if (RowCount() == 0) return;
    SetFooterText(countField, u"%1条"_s.arg(RowCount()));
    for (const QString& field : sumFields)
        SetFooterText(field, FormatAmount(ColumnSum(field)));
}

} // namespace tev
