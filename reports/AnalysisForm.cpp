#include "reports/AnalysisForm.h"

#include "domain/Periods.h"
#include "reports/ReportLists.h"
#include "rules/PublicFunction.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

const QStringList kLegends{
    u"应收款：业务的应收金额总和"_s, u"实收款：业务的实收金额总和"_s, u"应付款：业务的应付金额总和"_s,
    u"实付款：业务的实付金额总和"_s, u"未收款：应收款 － 实收款"_s,   u"未付款：应付款 － 实付款"_s,
    u"现有毛利：实收款 － 应付款"_s,  u"预算毛利：应收款 － 应付款"_s,  u"资金增益：实收款 － 实付款"_s,
};
// The value labels in the order of the legend lines: receivable, received, payable, paid,
// outstanding, unpaid, current margin, budgeted margin, cash gain.
constexpr int kValueOfLegend[9] = {0, 1, 3, 4, 2, 5, 6, 7, 8};

const QString kNegativeNote = u"红色条形、斜线扇区为负数（采购单据），扇区按绝对值大小绘制"_s;

// The figures drawn: what was to be received against what came in, what was to be paid
// against what went out, each bar split into the part settled and the part open.
class FiguresDiagram : public QWidget {
public:
    explicit FiguresDiagram(QWidget* parent) : QWidget(parent) { setMinimumHeight(150); }
    AnalysisFigures figures;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(0xf7, 0xf9, 0xfc));
        const double top = std::max({figures.receivable, figures.payable, 1.0});
        const int left = 90, right = width() - 20, barHeight = 34;
        const auto bar = [&](int y, const QString& name, double settled, double open, const QColor& colour,
                             const QString& settledName, const QString& openName) {
            p.setPen(Qt::black);
            p.drawText(QRect(8, y, left - 12, barHeight), Qt::AlignRight | Qt::AlignVCenter, name);
            const int span = right - left;
            const int a = int(span * std::max(settled, 0.0) / top);
            const int b = int(span * std::max(open, 0.0) / top);
            p.fillRect(QRect(left, y, a, barHeight), colour);
            p.fillRect(QRect(left + a, y, b, barHeight), colour.lighter(160));
            p.setPen(QColor(0x33, 0x33, 0x33));
            p.drawRect(QRect(left, y, a + b, barHeight));
            p.drawText(QRect(left + 4, y + barHeight, span, 18), Qt::AlignLeft | Qt::AlignVCenter,
                       u"%1 %2    %3 %4"_s.arg(settledName, FormatAmount(settled), openName, FormatAmount(open)));
        };
        bar(14, u"应收款"_s, figures.received, figures.outstanding, QColor(0x2e, 0x6f, 0xc0), u"■实收款"_s,
            u"□未收款"_s);
        bar(78, u"应付款"_s, figures.paid, figures.unpaid, QColor(0xc0, 0x4a, 0x2e), u"■实付款"_s, u"□未付款"_s);
    }
};

QComboBox* Combo(QWidget* parent, const QString& name, const QStringList& items, int current = 0) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(current);
    box->setMinimumWidth(110);
    return box;
}

} // namespace

TFormAnalysis::TFormAnalysis(QWidget* parent) : TForm(parent) {
    setObjectName(u"FormAnalysis"_s);
    setWindowTitle(u"企业经营分析"_s);
    resize(860, 600);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(u"PageControl1"_s);
    PageControl1->setTabPosition(QTabWidget::South);

    // The figures page.
    auto* figures = new QWidget;
    figures->setObjectName(u"TabSheet1"_s);
    auto* diagram = new FiguresDiagram(figures);
    m_diagram = diagram;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < 9; ++i) {
        auto* value = new QLabel(u"0"_s, figures);
        value->setObjectName(u"Label%1"_s.arg(11 + kValueOfLegend[i]));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(120);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        Values[size_t(kValueOfLegend[i])] = value;
        auto* legend = new QLabel(kLegends[i], figures);
        legend->setObjectName(u"Label%1"_s.arg(2 + i));
        grid->addWidget(legend, i, 0);
        grid->addWidget(value, i, 1);
    }
    grid->setColumnStretch(2, 1);
    auto* figuresColumn = new QVBoxLayout(figures);
    figuresColumn->addWidget(diagram, 1);
    figuresColumn->addLayout(grid);
    PageControl1->addTab(figures, u"企业经营数据"_s);

    const QStringList measures = MeasureTexts();
    ComboBox2 = Combo(this, u"ComboBox2"_s, measures);
    ComboBox3 = Combo(this, u"ComboBox3"_s, measures);
    ComboBox4 = Combo(this, u"ComboBox4"_s, {u"业务种类"_s, u"业务进度"_s});
    ComboBox5 = Combo(this, u"ComboBox5"_s, measures);
    ComboBox6 = Combo(this, u"ComboBox6"_s, measures);
    ComboBox7 = Combo(this, u"ComboBox7"_s, PeriodTexts(), 1);
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker2 = new QDateEdit(this);
    for (QDateEdit* d : {DateTimePicker1, DateTimePicker2}) {
        d->setDisplayFormat(u"yyyy-M-d"_s);
        d->setCalendarPopup(true);
        d->setMinimumWidth(110);
    }
    DateTimePicker1->setObjectName(u"DateTimePicker1"_s);
    DateTimePicker2->setObjectName(u"DateTimePicker2"_s);

    const QString titles[4] = {u"员工业绩分析"_s, u"业务数据分析"_s, u"客户销售分析"_s, u"公司业绩分析"_s};
    const QList<QList<QWidget*>> boxes = {
        {new QLabel(u"分析内容："_s), ComboBox2},
        {new QLabel(u"分析内容："_s), ComboBox3, new QLabel(u"分析对象："_s), ComboBox4},
        {new QLabel(u"分析内容："_s), ComboBox5},
        {new QLabel(u"分析内容："_s), ComboBox6, ComboBox7, DateTimePicker1, new QLabel(u"至"_s), DateTimePicker2},
    };
    for (int c = 0; c < 4; ++c) {
        auto* page = new QWidget;
        page->setObjectName(u"TabSheet%1"_s.arg(c + 2));
        auto* view = new QChartView(page);
        view->setObjectName(u"Chart%1"_s.arg(c + 1));
        view->setRenderHint(QPainter::Antialiasing);
        view->chart()->setTitle(titles[c]);
        Charts[size_t(c)] = view;
        auto* bar = new QHBoxLayout;
        for (QWidget* w : boxes[c])
            bar->addWidget(w);
        bar->addStretch(1);
        auto* save = new QPushButton(u"保存图形"_s, page);
        save->setObjectName(u"SaveChart%1"_s.arg(c + 1));
        connect(save, &QPushButton::clicked, this, &TFormAnalysis::SaveChart);
        bar->addWidget(save);
        auto* column = new QVBoxLayout(page);
        column->addLayout(bar);
        column->addWidget(view, 1);
        PageControl1->addTab(page, titles[c]);
    }

    ComboBox1 = Combo(this, u"ComboBox1"_s, {u"条形图显示"_s, u"饼形图显示"_s});
    SpeedButton2 = new QPushButton(u"退出"_s, this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    auto* side = new QHBoxLayout;
    side->addStretch(1);
    side->addWidget(new QLabel(u"图形形状设置"_s));
    side->addWidget(ComboBox1);
    side->addWidget(SpeedButton2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(PageControl1, 1);
    main->addLayout(side);

    connect(SpeedButton2, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFormAnalysis::ComputeAllCharts);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this] { ComputeChart(0); });
    connect(ComboBox3, &QComboBox::currentIndexChanged, this, [this] { ComputeChart(1); });
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, [this] { ComputeChart(1); });
    connect(ComboBox5, &QComboBox::currentIndexChanged, this, [this] { ComputeChart(2); });
    connect(ComboBox6, &QComboBox::currentIndexChanged, this, [this] { ComputeChart(3); });
    connect(ComboBox7, &QComboBox::currentIndexChanged, this, &TFormAnalysis::ComputePeriods);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TFormAnalysis::ComputePeriods);
    connect(DateTimePicker2, &QDateEdit::dateChanged, this, &TFormAnalysis::ComputePeriods);
}

PeriodRange TFormAnalysis::Range() const {
    return {ChartPeriod(ComboBox7->currentIndex()), DateTimePicker1->date(), DateTimePicker2->date()};
}

void TFormAnalysis::FormShow() {
    PageControl1->setCurrentIndex(0);
    m_rows.reset();
    const QDate working = TheShell().WorkingDate();
    {
        const QSignalBlocker a(DateTimePicker1), b(DateTimePicker2);
        DateTimePicker1->setDate(MonthStart(working));
        DateTimePicker2->setDate(MonthEnd(working));
    }
    if (BillList) BillList->EnsureFresh();
    if (!BillList || !BillList->BReportADOQuery.Active()) {
        ShowMessage(u"请先生成数据报表，再进行图形分析"_s, this);
        done(QDialog::Rejected);
        return;
    }
    Result<BillAnalysis> analysis = AnalyseBills(*BillList->BReportADOQuery.rows, Range());
    if (!analysis) {
        ShowOutcome(this, analysis);
        return;
    }
    m_rows = BillList->BReportADOQuery.rows;
    m_analysis = std::move(analysis.value);
    ShowFigures();
    ComputeAllCharts();
}

void TFormAnalysis::ShowFigures() {
    const AnalysisFigures& f = m_analysis.figures;
    const double values[9] = {f.receivable, f.received, f.outstanding, f.payable,     f.paid,
                              f.unpaid,     f.currentMargin, f.budgetMargin, f.cashGain};
    // An empty list shows zeros, never the figures of a list shown before.
    for (int i = 0; i < 9; ++i)
        Values[size_t(i)]->setText(FormatAmount(f.any ? values[i] : 0));
    static_cast<FiguresDiagram*>(m_diagram)->figures = f;
    m_diagram->update();
}

void TFormAnalysis::ComputeAllCharts() {
    for (int c = 0; c < 4; ++c)
        ComputeChart(c);
}

void TFormAnalysis::ComputePeriods() {
    if (!m_rows) return;
    Result<Grouping> periods = AnalysePeriods(*m_rows, Range());
    if (!periods) {
        ShowOutcome(this, periods);
        return;
    }
    m_analysis.periods = std::move(periods.value);
    ComputeChart(3);
}

void TFormAnalysis::ComputeChart(int chart) {
    if (!m_rows) return;
    QComboBox* const measureBox[4] = {ComboBox2, ComboBox3, ComboBox5, ComboBox6};
    const auto measure = Measure(std::max(0, measureBox[chart]->currentIndex()));
    std::vector<ChartPoint>& points = Shown[size_t(chart)];
    switch (chart) {
    case 0:
        points = m_analysis.Points(BillGroup::Salesman, measure);
        break;
    case 1:
        points = m_analysis.Points(ComboBox4->currentIndex() == 1 ? BillGroup::State : BillGroup::Reason, measure);
        break;
    case 2:
        points = m_analysis.Points(BillGroup::Customer, measure);
        break;
    default:
        points = m_analysis.PeriodPoints(measure);
        break;
    }

    QChart* c = Charts[size_t(chart)]->chart();
    c->removeAllSeries();
    // Removing an axis hands it back to us.
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    const bool negative = std::any_of(points.begin(), points.end(), [](const ChartPoint& p) { return p.value < 0; });
    const QString title = c->title().section(u'\n', 0, 0);
    c->setTitle(negative ? title + u"\n"_s + kNegativeNote : title);
    if (ComboBox1->currentIndex() == 0) {
        auto* set = new QBarSet(measureBox[chart]->currentText());
        set->setColor(QColor(0x2e, 0x6f, 0xc0));
        set->setSelectedColor(QColor(0xd0, 0x30, 0x30));
        QStringList labels;
        qint64 low = 0, high = 0;
        for (const ChartPoint& p : points) {
            set->append(double(p.value));
            labels << p.label;
            low = std::min(low, p.value);
            high = std::max(high, p.value);
        }
        // Negative values (purchase bills) hang below the zero line, in red.
        for (int i = 0; i < int(points.size()); ++i)
            if (points[size_t(i)].value < 0) set->selectBar(i);
        auto* series = new QBarSeries;
        series->append(set);
        series->setLabelsVisible(true);
        series->setLabelsFormat(u"@value"_s);
        series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        series->setLabelsPrecision(15);
        c->addSeries(series);
        auto* x = new QBarCategoryAxis;
        x->append(labels);
        x->setLabelsAngle(points.size() > 6 ? -45 : 0);
        auto* y = new QValueAxis;
        const double margin = std::max<double>(1, double(high - low) * 0.12);
        y->setRange(low < 0 ? double(low) - margin : 0, double(high) + margin);
        y->setLabelFormat(u"%.0f"_s);
        c->addAxis(x, Qt::AlignBottom);
        c->addAxis(y, Qt::AlignLeft);
        series->attachAxis(x);
        series->attachAxis(y);
        c->legend()->hide();
    } else {
        auto* series = new QPieSeries;
        for (const ChartPoint& p : points) {
            QPieSlice* slice = series->append(u"%1：%2"_s.arg(p.label, QString::number(p.value)),
                                                double(std::abs(p.value)));
            slice->setLabelVisible(true);
            if (p.value < 0) slice->setLabel(slice->label() + u"（负）"_s);
        }
        series->setPieSize(0.62);
        c->addSeries(series);
        // The colours come with the series; negative slices keep theirs under a hatching.
        for (QPieSlice* slice : series->slices())
            if (slice->label().endsWith(u"（负）"_s)) {
                QBrush brush(slice->color(), Qt::BDiagPattern);
                slice->setBrush(brush);
                slice->setBorderColor(QColor(0xd0, 0x30, 0x30));
                slice->setBorderWidth(2);
            }
        c->legend()->hide();
    }
}

void TFormAnalysis::SaveChart() {
    const int page = PageControl1->currentIndex();
    if (page < 1) return;
    QChartView* view = Charts[size_t(page - 1)];
    const QString path = TheUi().ChooseSaveFile(this, u"保存图形"_s, QString(),
                                                u"PNG 图片 (*.png);;PDF 文件 (*.pdf)"_s);
    if (path.isEmpty()) return;
    bool saved = false;
    if (QFileInfo(path).suffix().compare(u"pdf"_s, Qt::CaseInsensitive) == 0) {
        QPdfWriter pdf(path);
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setTitle(view->chart()->title());
        QPainter painter;
        if (painter.begin(&pdf)) {
            view->render(&painter);
            saved = painter.end();
        }
    } else {
        saved = view->grab().save(path, "PNG");
    }
    if (!saved) ShowMessage(u"图形保存失败"_s, this);
}

} // namespace tev
