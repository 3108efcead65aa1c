#include "reports/AnalysisForm.h"

#include "domain/Periods.h"
#include "reports/ReportLists.h"
#include "ui/ReportSupport.h"
#include "rules/PublicFunction.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QCursor>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cmath>

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

const QString kTitles[4] = {u"员工业绩分析"_s, u"业务数据分析"_s, u"客户销售分析"_s, u"公司业绩分析"_s};
const QString kNegativeBars = u"红色条形为负数（采购单据）"_s;
const QString kNegativeSlices = u"斜线扇区为负数（采购单据），扇区按绝对值大小绘制"_s;
const QString kNothingToDraw = u"所选内容的数值均为零，没有可画的扇区"_s;
const QString kNegativeMark = u"（负）"_s;
// Marks the texts of the values by the bars, among the chart's other texts.
const QString kBarValueTag = u"BarValue"_s;

// Names longer than this are cut on the axes, in the legend and by the slices; the tooltip
// has them whole.
constexpr int kAxisLabelLength = 24;
constexpr int kLegendLabelLength = 20;
constexpr int kSliceLabelLength = 10;
// Slices smaller than this share of the whole are named in the legend only.
constexpr double kLabelledShare = 0.03;

// Lengths count a Chinese character as two, as wide as two digits or letters.
QString Shortened(const QString& label, int length) {
    const auto width = [](QChar ch) { return ch.unicode() >= 0x2E80 ? 2 : 1; };
    int whole = 0;
    for (const QChar ch : label)
        whole += width(ch);
    if (whole <= length) return label;
    // The ellipsis takes the room of one digit.
    QString kept;
    int used = 0;
    for (const QChar ch : label) {
        if (used + width(ch) + 1 > length) break;
        kept += ch;
        used += width(ch);
    }
    return kept + u"…"_s;
}

// Steps of 1, 2 or 5 times a power of ten from zero: zero is always a grid line, so that
// negative bars are seen to lie beyond it. Room (a share of the span) is left past the
// longest bars for their values.
void SetValueRange(QValueAxis* axis, qint64 lowest, qint64 highest, double roomShare) {
    const double low = double(std::min<qint64>(lowest, 0));
    const double high = double(std::max<qint64>(highest, 0));
    const double span = std::max(high - low, 1.0);
    double step = std::max(1.0, std::pow(10.0, std::floor(std::log10(span / 5))));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (span / (step * factor) <= 6) {
            step *= factor;
            break;
        }
    const double room = span * roomShare;
    const double from = low < 0 ? std::floor((low - room) / step) * step : 0;
    const double to = high > 0 || low == 0 ? std::ceil((high + room) / step) * step : 0;
    axis->setRange(from, std::max(to, from + step));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setLabelFormat(u"%.0f"_s);
}

QString PointText(const ChartPoint& p) {
    return u"%1：%2"_s.arg(p.label, QString::number(p.value)) + (p.value < 0 ? kNegativeMark : QString());
}

// A slice's label and legend line: the name, cut to length, and the value.
QString SliceText(const ChartPoint& p, int length) {
    return u"%1：%2"_s.arg(Shortened(p.label, length), QString::number(p.value)) + (p.value < 0 ? kNegativeMark : QString());
}

// Twenty colours, neighbours far apart: ten hues, then the same ten lighter.
QColor SliceColour(int i) {
    static const QColor hues[10] = {{0x2e, 0x6f, 0xc0}, {0xe0, 0x7b, 0x20}, {0x3a, 0x9a, 0x5a}, {0xc0, 0x3a, 0x3a},
                                    {0x7e, 0x57, 0xb0}, {0x8c, 0x5a, 0x3c}, {0xd8, 0x5c, 0xa8}, {0x6e, 0x6e, 0x6e},
                                    {0xa8, 0xa8, 0x20}, {0x1f, 0xa8, 0xb8}};
    const QColor& hue = hues[i % 10];
    return (i / 10) % 2 == 0 ? hue : hue.lighter(145);
}

// The values written by their bars: past the tip of a positive bar, beyond the tip of a
// negative one on its own side of zero, so that a value always stands where its bar ends.
// Kept on the series: the texts go with it.
class BarValueTexts : public QObject {
public:
    BarValueTexts(QChart* chart, QAbstractBarSeries* series, const std::vector<ChartPoint>& points, bool across)
        : QObject(series), m_chart(chart), m_series(series), m_across(across) {
        const bool upright = !across && points.size() > 10;
        for (const ChartPoint& p : points) {
            // Among many bars a zero is seen without being written.
            if (p.value == 0 && points.size() > 10) {
                m_texts.push_back(nullptr);
                m_values.push_back(0);
                continue;
            }
            auto* text = new QGraphicsTextItem(chart);
            text->document()->setDocumentMargin(0);
            text->setFont(HeiFont(8));
            text->setDefaultTextColor(p.value < 0 ? QColor(0xb0, 0x20, 0x20) : QColor(0x20, 0x20, 0x20));
            text->setPlainText(QString::number(p.value));
            text->setData(0, kBarValueTag);
            text->setZValue(10);
            if (upright) text->setRotation(-90);
            m_texts.push_back(text);
            m_values.push_back(p.value);
        }
        connect(chart, &QChart::plotAreaChanged, this, &BarValueTexts::Place);
        Place();
    }
    ~BarValueTexts() override {
        for (const QPointer<QGraphicsTextItem>& text : m_texts)
            delete text.data();
    }

private:
    void Place() {
        for (size_t i = 0; i < m_texts.size(); ++i) {
            QGraphicsTextItem* text = m_texts[i];
            if (!text) continue;
            const double v = double(m_values[i]);
            const QPointF tip = m_chart->mapToPosition(m_across ? QPointF(v, double(i)) : QPointF(double(i), v), m_series);
            const double w = text->boundingRect().width(), h = text->boundingRect().height();
            const bool negative = v < 0;
            QPointF at;
            if (m_across)
                at = {negative ? tip.x() - 4 - w : tip.x() + 4, tip.y() - h / 2};
            else if (text->rotation() != 0) // turned to read upwards: its width runs up the page
                at = {tip.x() - h / 2, negative ? tip.y() + 4 + w : tip.y() - 4};
            else
                at = {tip.x() - w / 2, negative ? tip.y() + 2 : tip.y() - 2 - h};
            text->setPos(at);
        }
    }

    QChart* m_chart;
    QAbstractBarSeries* m_series;
    bool m_across;
    std::vector<QPointer<QGraphicsTextItem>> m_texts;
    std::vector<qint64> m_values;
};

// One bar per point with its value at its end; negative bars in red on the far side of zero.
// Rankings lie across, the largest at the top, their names readable beside them; periods
// stand up in date order.
void DrawBars(QChart* c, const std::vector<ChartPoint>& points, const QString& measure, bool across,
              const QString& namesTitle = {}, qsizetype cutFromNames = 0) {
    std::vector<ChartPoint> drawn = points;
    // A horizontal series draws its first category at the bottom.
    if (across) std::reverse(drawn.begin(), drawn.end());
    auto* set = new QBarSet(measure);
    set->setColor(QColor(0x2e, 0x6f, 0xc0));
    set->setSelectedColor(QColor(0xd0, 0x30, 0x30));
    set->setLabelColor(QColor(0x20, 0x20, 0x20));
    QStringList labels;
    qint64 low = 0, high = 0;
    for (int i = 0; i < int(drawn.size()); ++i) {
        const ChartPoint& p = drawn[size_t(i)];
        set->append(double(p.value));
        // Categories must differ: two names cut alike are told apart by invisible marks.
        QString label = Shortened(p.label.mid(cutFromNames), kAxisLabelLength);
        while (labels.contains(label))
            label += QChar(0x200B);
        labels << label;
        low = std::min(low, p.value);
        high = std::max(high, p.value);
        // The selection is the colour of negative values only.
        if (p.value < 0) set->selectBar(i);
    }
    QObject::connect(set, &QBarSet::hovered, set, [drawn](bool status, int index) {
        if (status && index >= 0 && index < int(drawn.size()))
            QToolTip::showText(QCursor::pos(), PointText(drawn[size_t(index)]));
        else
            QToolTip::hideText();
    });
    QAbstractBarSeries* series = across ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                        : static_cast<QAbstractBarSeries*>(new QBarSeries);
    series->append(set);
    series->setBarWidth(drawn.size() > 10 ? 0.75 : drawn.size() > 4 ? 0.6 : drawn.size() > 2 ? 0.4 : 0.25);
    c->addSeries(series);
    auto* names = new QBarCategoryAxis;
    names->append(labels);
    names->setLabelsFont(HeiFont(8));
    names->setGridLineVisible(false);
    const bool longNames = std::any_of(labels.begin(), labels.end(), [](const QString& l) { return l.size() > 6; });
    if (!across && drawn.size() > 8 && longNames) names->setLabelsAngle(-45);
    if (!namesTitle.isEmpty()) {
        names->setTitleText(namesTitle);
        names->setTitleFont(HeiFont(8));
    }
    auto* values = new QValueAxis;
    values->setLabelsFont(HeiFont(8));
    SetValueRange(values, low, high, !across && drawn.size() > 10 ? 0.3 : 0.15);
    c->addAxis(names, across ? Qt::AlignLeft : Qt::AlignBottom);
    c->addAxis(values, across ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(names);
    series->attachAxis(values);
    c->legend()->hide();
    // Standing bars side by side leave no room for long numbers written across: they turn.
    new BarValueTexts(c, series, drawn, across);
}

// One slice per point that is not zero, as large as its value's magnitude; a negative value is
// marked "（负）" in its label and legend line and drawn hatched. Slices too thin to carry a
// label are named in the legend.
void DrawPie(QChart* c, const std::vector<ChartPoint>& points) {
    qint64 whole = 0;
    for (const ChartPoint& p : points)
        whole += std::abs(p.value);
    auto* series = new QPieSeries;
    series->setPieSize(0.6);
    std::vector<ChartPoint> drawn;
    for (const ChartPoint& p : points) {
        if (p.value == 0) continue;
        drawn.push_back(p);
        QPieSlice* slice = series->append(SliceText(p, kSliceLabelLength), double(std::abs(p.value)));
        slice->setLabelVisible(double(std::abs(p.value)) >= kLabelledShare * double(whole));
        slice->setLabelFont(HeiFont(8));
        slice->setLabelArmLengthFactor(0.08);
    }
    c->addSeries(series);
    // Neighbours in clearly different colours; negative slices keep theirs under a hatching.
    const QList<QPieSlice*> slices = series->slices();
    const QList<QLegendMarker*> markers = c->legend()->markers(series);
    for (int i = 0; i < int(slices.size()); ++i) {
        QPieSlice* slice = slices[i];
        const QColor colour = SliceColour(i);
        const bool negative = drawn[size_t(i)].value < 0;
        slice->setBrush(negative ? QBrush(colour, Qt::BDiagPattern) : QBrush(colour));
        slice->setLabelColor(QColor(0x20, 0x20, 0x20));
        if (negative) {
            slice->setBorderColor(QColor(0xd0, 0x30, 0x30));
            slice->setBorderWidth(2);
        } else {
            // A whole pie has no edge to show.
            slice->setBorderColor(slices.size() == 1 ? colour : QColor(Qt::white));
        }
        if (i < int(markers.size())) markers[i]->setLabel(SliceText(drawn[size_t(i)], kLegendLabelLength));
    }
    QObject::connect(series, &QPieSeries::hovered, series, [drawn, whole](QPieSlice* slice, bool state) {
        slice->setExploded(state);
        const int i = int(slice->series()->slices().indexOf(slice));
        if (state && i >= 0 && i < int(drawn.size()))
            QToolTip::showText(QCursor::pos(), PointText(drawn[size_t(i)]) +
                                                   u"（%1%）"_s.arg(100.0 * double(std::abs(drawn[size_t(i)].value)) /
                                                                        double(whole),
                                                                    0, 'f', 1));
        else
            QToolTip::hideText();
    });
    QLegend* legend = c->legend();
    legend->setAlignment(Qt::AlignRight);
    legend->setFont(HeiFont(8));
    legend->setVisible(!drawn.empty());
}

// The figures drawn to one scale: what was to be received against what came in, what was to
// be paid against what went out (each bar split into the part settled and the part open),
// and the three margins, a negative margin hatched in red.
class FiguresDiagram : public QWidget {
public:
    explicit FiguresDiagram(QWidget* parent) : QWidget(parent) { setMinimumHeight(190); }
    AnalysisFigures figures;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(0xf7, 0xf9, 0xfc));
        const AnalysisFigures& f = figures;
        const double top = std::max({f.receivable, f.payable, std::abs(f.currentMargin), std::abs(f.budgetMargin),
                                     std::abs(f.cashGain), 1.0});
        const QFontMetrics metrics(font());
        const int left = metrics.horizontalAdvance(u"预算毛利"_s) + 24;
        const int span = std::max(10, width() - left - 110);
        // Two split bars take a slot each, the three margins half a slot and a bar each.
        const int slot = std::clamp(int((height() - 16) / 4.25), 38, 96);
        const int thick = std::clamp(slot / 2, 16, 30);
        const QColor ink(0x33, 0x33, 0x33);
        int y = 8;
        const auto length = [&](double v) { return int(span * std::max(v, 0.0) / top); };
        const auto name = [&](const QString& text) {
            p.setPen(Qt::black);
            p.drawText(QRect(4, y, left - 12, thick), Qt::AlignRight | Qt::AlignVCenter, text);
        };
        const auto split = [&](const QString& title, double settled, double open, const QColor& colour,
                               const QString& settledName, const QString& openName) {
            name(title);
            const int a = length(settled), b = length(open);
            p.fillRect(QRect(left, y, a, thick), colour);
            p.fillRect(QRect(left + a, y, b, thick), colour.lighter(160));
            p.setPen(ink);
            p.drawRect(QRect(left, y, a + b, thick));
            p.drawText(QRect(left + 4, y + thick + 2, span + 100, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                       u"■%1 %2　　□%3 %4"_s.arg(settledName, FormatAmount(settled), openName, FormatAmount(open)));
            y += slot;
        };
        const auto margin = [&](const QString& title, double value, const QColor& colour) {
            name(title);
            const int a = length(std::abs(value));
            const QRect bar(left, y + thick / 6, a, thick * 2 / 3);
            const QColor red(0xd0, 0x30, 0x30);
            p.fillRect(bar, value < 0 ? QBrush(red, Qt::BDiagPattern) : QBrush(colour));
            p.setPen(value < 0 ? red : ink);
            p.drawRect(bar);
            p.drawText(QRect(left + a + 6, y, 110, thick), Qt::AlignLeft | Qt::AlignVCenter, FormatAmount(value));
            y += (slot + thick) / 2;
        };
        split(u"应收款"_s, f.received, f.outstanding, QColor(0x2e, 0x6f, 0xc0), u"实收款"_s, u"未收款"_s);
        split(u"应付款"_s, f.paid, f.unpaid, QColor(0xc0, 0x4a, 0x2e), u"实付款"_s, u"未付款"_s);
        margin(u"现有毛利"_s, f.currentMargin, QColor(0x3a, 0x9a, 0x5a));
        margin(u"预算毛利"_s, f.budgetMargin, QColor(0x3a, 0x9a, 0x5a));
        margin(u"资金增益"_s, f.cashGain, QColor(0xd0, 0x9a, 0x2a));
    }
};

ReportObject TextObject(const QRectF& rect, const QString& text, double size, bool bold = false,
                        HAlign align = HAlign::Center, int frame = FrameNone) {
    ReportObject o;
    o.kind = ObjectKind::Text;
    o.rect = rect;
    o.text = text;
    o.fontFamily = bold ? HeiFontFamily() : SongFontFamily();
    o.fontSize = size;
    o.bold = bold;
    o.hAlign = align;
    o.frame = frame;
    o.padding = 2;
    return o;
}

ReportObject PictureObject(const QRectF& rect, const QByteArray& png) {
    ReportObject o;
    o.kind = ObjectKind::Picture;
    o.rect = rect;
    o.pictureData = png;
    o.keepAspect = true;
    return o;
}

// A widget drawn as a PNG picture that fills a box of the given millimetres at the resolution
// of a printout, its shape kept. A chart is drawn from its scene, so its lines and texts stay
// sharp at that size.
QByteArray PictureOf(QWidget* widget, const QSizeF& mm) {
    constexpr double pxPerMm = 200 / 25.4;
    QImage image(QSize(int(mm.width() * pxPerMm), int(mm.height() * pxPerMm)), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        const QSizeF size = widget->size();
        const double scale = std::min(image.width() / size.width(), image.height() / size.height());
        painter.translate((image.width() - size.width() * scale) / 2, (image.height() - size.height() * scale) / 2);
        painter.scale(scale, scale);
        if (auto* view = qobject_cast<QGraphicsView*>(widget))
            view->render(&painter, QRectF(QPointF(), size), view->viewport()->rect());
        else
            widget->render(&painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

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
    resize(960, 680);

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
        view->chart()->setTitle(kTitles[c]);
        view->chart()->setTitleFont(HeiFont(11, true));
        // Room for twenty names one under the other at the window's first size.
        view->chart()->setMargins(QMargins(6, 4, 6, 4));
        view->chart()->setBackgroundRoundness(0);
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
        PageControl1->addTab(page, kTitles[c]);
    }

    ComboBox1 = Combo(this, u"ComboBox1"_s, {u"条形图显示"_s, u"饼形图显示"_s});
    PrintButton = new QPushButton(u"打印"_s, this);
    PrintButton->setObjectName(u"PrintButton"_s);
    PrintButton->setToolTip(u"在预览中打印当前页面"_s);
    SpeedButton2 = new QPushButton(u"退出"_s, this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    auto* side = new QHBoxLayout;
    side->addStretch(1);
    side->addWidget(new QLabel(u"图形形状设置"_s));
    side->addWidget(ComboBox1);
    side->addWidget(PrintButton);
    side->addWidget(SpeedButton2);
    auto* main = new QVBoxLayout(this);
    main->addWidget(PageControl1, 1);
    main->addLayout(side);

    connect(PrintButton, &QPushButton::clicked, this, &TFormAnalysis::PrintPage);
    // The preview prints, or saves the page as a PDF file.
    frReport1.SetPreviewButtons(PreviewButton::Zoom | PreviewButton::Save | PreviewButton::Print |
                                PreviewButton::Find | PreviewButton::Exit);
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
    const bool bars = ComboBox1->currentIndex() == 0;
    const bool negative = std::any_of(points.begin(), points.end(), [](const ChartPoint& p) { return p.value < 0; });
    const bool nothing = std::all_of(points.begin(), points.end(), [](const ChartPoint& p) { return p.value == 0; });
    // A note under the title, in a smaller plain hand (the title is drawn as rich text).
    const auto noted = [&](const QString& note) {
        return u"<p align=\"center\" style=\"margin:0\">%1<br><span style=\"font-size:9pt; font-weight:normal; "
               "color:#c03030;\">%2</span></p>"_s.arg(kTitles[chart], note);
    };
    if (!bars && !points.empty() && nothing)
        c->setTitle(noted(kNothingToDraw));
    else if (negative)
        c->setTitle(noted(bars ? kNegativeBars : kNegativeSlices));
    else
        c->setTitle(kTitles[chart]);
    if (bars && chart == 3 && ComboBox7->currentIndex() == int(ChartPeriod::Day)) {
        // Days of one year are named by month and day, the year under them once.
        const QString year = points.empty() ? QString() : points.front().label.section(u'-', 0, 0);
        const bool oneYear = !year.isEmpty() && std::all_of(points.begin(), points.end(), [&](const ChartPoint& p) {
            return p.label.section(u'-', 0, 0) == year;
        });
        DrawBars(c, points, measureBox[chart]->currentText(), false, oneYear ? year + u"年"_s : QString(),
                 oneYear ? year.size() + 1 : 0);
    } else if (bars) {
        DrawBars(c, points, measureBox[chart]->currentText(), chart < 3);
    } else {
        DrawPie(c, points);
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

void TFormAnalysis::PrintPage() {
    const int page = PageControl1->currentIndex();
    ReportTemplate sheet;
    sheet.title = windowTitle() + u"-"_s + PageControl1->tabText(page);
    sheet.page.landscape = true;
    const double width = sheet.page.ContentWidth();
    ReportBand band;
    band.kind = BandKind::ReportTitle;
    band.name = u"Page"_s;
    band.height = 180;
    band.objects << TextObject({0, 0, width, 10}, PageControl1->tabText(page), 16, true)
                 << TextObject({0, 172, width, 6}, u"打印日期：[DATE]"_s, 9, false, HAlign::Right);
    if (page == 0) {
        band.objects << TextObject({0, 11, width, 6}, windowTitle(), 10)
                     << PictureObject({0, 20, width, 56}, PictureOf(m_diagram, {width, 56}));
        // The legend lines with their values, as the page lists them.
        const double left = (width - 170) / 2;
        for (int i = 0; i < 9; ++i) {
            const double top = 82 + 8.5 * i;
            const QLabel* value = Values[size_t(kValueOfLegend[i])];
            band.objects << TextObject({left, top, 110, 8.5}, kLegends[i], 10.5, false, HAlign::Left, FrameAll)
                         << TextObject({left + 110, top, 60, 8.5}, value->text(), 10.5, true, HAlign::Right, FrameAll);
        }
    } else {
        band.objects << TextObject({0, 11, width, 6}, ChartConditions(page - 1), 10)
                     << PictureObject({0, 20, width, 150}, PictureOf(Charts[size_t(page - 1)], {width, 150}));
    }
    sheet.bands << band;
    frReport1.SetTemplate(sheet);
    PrepareAndShow(frReport1, this);
}

QString TFormAnalysis::ChartConditions(int chart) const {
    QComboBox* const measureBox[4] = {ComboBox2, ComboBox3, ComboBox5, ComboBox6};
    QStringList parts{u"分析内容：%1"_s.arg(measureBox[chart]->currentText())};
    if (chart == 1) parts << u"分析对象：%1"_s.arg(ComboBox4->currentText());
    if (chart == 3)
        parts << u"%1：%2 至 %3"_s.arg(ComboBox7->currentText(), DateTimePicker1->date().toString(u"yyyy-M-d"_s),
                                       DateTimePicker2->date().toString(u"yyyy-M-d"_s));
    return parts.join(u"　　"_s);
}

} // namespace tev
