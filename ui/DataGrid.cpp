#include "ui/DataGrid.h"

#include "rules/PublicFunction.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

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
    endResetModel();
}

void GridModel::SetData(const ResultSet& data) {
    beginResetModel();
    m_data = data;
    endResetModel();
}

void GridModel::Clear() {
    SetData(ResultSet());
}

QString GridModel::CellText(int row, int column) const {
    if (row < 0 || row >= m_data.RecordCount() || column < 0 || column >= m_columns.size()) return {};
    const GridColumn& c = m_columns[column];
    const int source = m_data.ColumnIndex(c.field);
    if (source < 0) return {};
    return FormatValue(m_data.At(row, source), c.format);
}

QVariant GridModel::Value(int row, const QString& field) const {
    if (row < 0 || row >= m_data.RecordCount()) return {};
    const int source = m_data.ColumnIndex(field);
    if (source < 0) return {};
    return m_data.At(row, source);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_data.RecordCount();
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
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->setVisible(false);
    m_view->verticalHeader()->setDefaultSectionSize(22);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setStretchLastSection(true);
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
}

void TDataGrid::SetColumns(const QVector<GridColumn>& columns) {
    m_model->SetColumns(columns);
    for (int i = 0; i < columns.size(); ++i)
        m_view->setColumnWidth(i, columns[i].width);
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
    m_model->SetData(data);
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
