// "经营报表" and the window "企业经营分析": who may open it, what it says without a list, the
// figures page and the charts as the boxes choose them, negative values in bars and slices,
// and every page printed through the preview.

#include "tests/ui/DocumentFixture.h"

#include "app/MainForm.h"
#include "domain/Reports.h"
#include "reports/AnalysisForm.h"
#include "reports/ReportLists.h"

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QHorizontalBarSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QTabWidget>
#include <QValueAxis>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class AnalysisWindowTest : public tevtest::DocumentFixture {
protected:
    BillReportList* Bills() const { return static_cast<BillReportList*>(FormMain->BillReport); }
    static QString Kept() { return BillQuerySelect() + u" Where (BillIndex > 1)"_s; }
};

TEST_F(AnalysisWindowTest, SalesmanAndNoListAreToldWhy) {
    CurrentRole = u"业务员"_s;
    ui.ExpectMessage(u"请以财务主管，财务总监，或总经理身份登录软件，查看经营报表"_s);
    Bills()->SpeedButton5->click();
    ui.VerifyAllUsed();

    CurrentRole = u"总经理"_s;
    EXPECT_TRUE(Bills()->SpeedButton5->isEnabled());
    ui.ExpectMessage(u"请先“查找单据”，生成数据报表，再进行图形分析"_s);
    Bills()->SpeedButton5->click();
    ui.VerifyAllUsed();

    // Shown without an open list, the window says so and closes itself.
    FormAnalysis->BillList = Bills();
    ui.ExpectModal(u"FormAnalysis"_s, [](QDialog*) { ADD_FAILURE() << "the window stayed open without a list"; });
    ui.ExpectMessage(u"请先生成数据报表，再进行图形分析"_s);
    EXPECT_NE(TheUi().ShowModal(FormAnalysis), QDialog::Accepted);
    ui.VerifyAllUsed();
}

TEST_F(AnalysisWindowTest, FiguresWithOnlySalesAndChartsFollowTheBoxes) {
    CurrentRole = u"总经理"_s;
    AddBill(u"销售开单"_s, u"客户A"_s, 1000.4);
    AddBill(u"销售开单"_s, u"客户B"_s, 500);
    const qint64 other = AddBill(u"销售开单"_s, u"客户B"_s, 200);
    Sql(u"UPDATE Bill SET BillMan = '王强', BillCreateTime = '2024-03-20' WHERE BillIndex = ?"_s, {other});
    FormMain->RunBillReport(Kept());
    bool shown = false;
    ui.ExpectModal<TFormAnalysis>(u"FormAnalysis"_s, [&](TFormAnalysis* f) {
        shown = true;
        EXPECT_EQ(f->windowTitle(), u"企业经营分析"_s);
        EXPECT_EQ(f->PageControl1->currentIndex(), 0);
        EXPECT_EQ(f->PageControl1->tabPosition(), QTabWidget::South);
        EXPECT_EQ(f->DateTimePicker1->date(), QDate(2024, 3, 1));
        EXPECT_EQ(f->DateTimePicker2->date(), QDate(2024, 3, 31));
        QStringList values;
        for (int label = 11; label <= 19; ++label)
            values << f->Control<QLabel>(u"Label%1"_s.arg(label))->text();
        // receivable, received, outstanding, payable, paid, unpaid, current and budgeted
        // margin, cash gain: with sales only the margins are the received and the receivable.
        EXPECT_EQ(values, QStringList({u"1700.4"_s, u"0"_s, u"1700.4"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s,
                                       u"1700.4"_s, u"0"_s}));
        EXPECT_EQ(f->Control<QLabel>(u"Label8"_s)->text(), u"现有毛利：实收款 － 应付款"_s);

        using P = std::vector<ChartPoint>;
        EXPECT_EQ(f->Shown[0], (P{{u"李娜"_s, 1500}, {u"王强"_s, 200}}));
        EXPECT_EQ(f->Shown[3], (P{{u"2024-3"_s, 1700}}));
        ASSERT_NE(qobject_cast<QAbstractBarSeries*>(f->Charts[0]->chart()->series().value(0)), nullptr);
        EXPECT_EQ(f->Charts[0]->chart()->title(), u"员工业绩分析"_s);

        f->ComboBox2->setCurrentText(u"订单数目"_s);
        EXPECT_EQ(f->Shown[0], (P{{u"李娜"_s, 2}, {u"王强"_s, 1}}));
        f->ComboBox5->setCurrentText(u"客户数目"_s);
        EXPECT_EQ(f->Shown[2], (P{{u"客户A"_s, 1}, {u"客户B"_s, 1}}));
        f->ComboBox7->setCurrentText(u"日统计"_s);
        f->DateTimePicker1->setDate(QDate(2024, 3, 19));
        f->DateTimePicker2->setDate(QDate(2024, 3, 21));
        EXPECT_EQ(f->Shown[3], (P{{u"2024-3-19"_s, 0}, {u"2024-3-20"_s, 200}, {u"2024-3-21"_s, 0}}));

        f->ComboBox1->setCurrentText(u"饼形图显示"_s);
        for (QChartView* chart : f->Charts) {
            auto* pie = qobject_cast<QPieSeries*>(chart->chart()->series().value(0));
            ASSERT_NE(pie, nullptr);
        }
        f->SpeedButton2->click();
    });
    Bills()->SpeedButton5->click();
    EXPECT_TRUE(shown);
    ui.VerifyAllUsed();
}

// The bar set and the slices of a chart, with the value each bar stands for by its label.
QMap<QString, double> BarValues(QChartView* chart, QStringList* selected) {
    QMap<QString, double> values;
    auto* series = qobject_cast<QAbstractBarSeries*>(chart->chart()->series().value(0));
    if (!series || series->count() != 1) return values;
    const QBarSet* set = series->barSets().first();
    auto* names = qobject_cast<QBarCategoryAxis*>(chart->chart()->axes(
        qobject_cast<QHorizontalBarSeries*>(series) ? Qt::Vertical : Qt::Horizontal).value(0));
    for (int i = 0; names && i < set->count(); ++i) {
        values[names->at(i)] = set->at(i);
        if (set->isBarSelected(i)) *selected << names->at(i);
    }
    return values;
}

// The values written by a ranking's bars (drawn across), each as its text and whether it
// stands beyond its bar's tip: right of a positive bar, left of a negative one.
QMap<QString, bool> ValuesBeyondTips(QChartView* chart) {
    QMap<QString, bool> beyond;
    auto* series = qobject_cast<QAbstractBarSeries*>(chart->chart()->series().value(0));
    if (!series) return beyond;
    const QBarSet* set = series->barSets().first();
    for (QGraphicsItem* item : chart->chart()->childItems()) {
        auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (!text || text->data(0).toString() != u"BarValue"_s) continue;
        const double value = text->toPlainText().toDouble();
        int index = 0;
        while (index < set->count() && set->at(index) != value)
            ++index;
        const QPointF tip = chart->chart()->mapToPosition(QPointF(value, index), series);
        const QRectF box = text->mapRectToParent(text->boundingRect());
        beyond[text->toPlainText()] = value < 0 ? box.right() < tip.x() : box.left() > tip.x();
    }
    return beyond;
}

QPieSeries* Pie(QChartView* chart) {
    return qobject_cast<QPieSeries*>(chart->chart()->series().value(0));
}

TEST_F(AnalysisWindowTest, NegativeValuesAreDrawnAndMarked) {
    CurrentRole = u"总经理"_s;
    AddBill(u"销售开单"_s, u"客户A"_s, 1000);
    for (const auto& [customer, sum] : {std::pair{u"客户B"_s, -300.0}, std::pair{u"客户C"_s, -200.0}}) {
        const qint64 bill = AddBill(u"采购开单"_s, customer, sum);
        Sql(u"UPDATE Bill SET BillMan = '王强', BillCreateTime = '2024-03-20' WHERE BillIndex = ?"_s, {bill});
    }
    FormMain->RunBillReport(Kept());
    ui.ExpectModal<TFormAnalysis>(u"FormAnalysis"_s, [&](TFormAnalysis* f) {
        // Bars: the purchases below zero in the colour of negatives, the title saying so.
        QStringList red;
        EXPECT_EQ(BarValues(f->Charts[2], &red),
                  (QMap<QString, double>{{u"客户A"_s, 1000}, {u"客户B"_s, -300}, {u"客户C"_s, -200}}));
        EXPECT_EQ(red, QStringList({u"客户B"_s, u"客户C"_s}));
        // Every value is written at its bar's end, the negative ones left of theirs.
        f->show();
        QCoreApplication::processEvents();
        f->PageControl1->setCurrentIndex(3);
        QCoreApplication::processEvents();
        EXPECT_EQ(ValuesBeyondTips(f->Charts[2]),
                  (QMap<QString, bool>{{u"1000"_s, true}, {u"-300"_s, true}, {u"-200"_s, true}}));
        EXPECT_TRUE(f->Charts[2]->chart()->title().contains(u"红色条形为负数"_s));
        // Zero lies inside the value axis, so the negative bars have room below it.
        auto* values = qobject_cast<QValueAxis*>(f->Charts[2]->chart()->axes(Qt::Horizontal).value(0));
        ASSERT_NE(values, nullptr);
        EXPECT_LT(values->min(), -300);
        EXPECT_GT(values->max(), 1000);
        red.clear();
        EXPECT_EQ(BarValues(f->Charts[0], &red), (QMap<QString, double>{{u"李娜"_s, 1000}, {u"王强"_s, -500}}));

        // Pies: slices as large as the magnitudes, negatives marked in label and legend.
        f->ComboBox1->setCurrentText(u"饼形图显示"_s);
        QPieSeries* pie = Pie(f->Charts[2]);
        ASSERT_NE(pie, nullptr);
        QStringList labels;
        for (QPieSlice* slice : pie->slices()) {
            labels << slice->label();
            EXPECT_EQ(slice->brush().style() == Qt::BDiagPattern, slice->label().endsWith(u"（负）"_s));
        }
        EXPECT_EQ(labels, QStringList({u"客户A：1000"_s, u"客户C：-200（负）"_s, u"客户B：-300（负）"_s}));
        EXPECT_DOUBLE_EQ(pie->sum(), 1500);
        QStringList legend;
        for (const QLegendMarker* marker : f->Charts[2]->chart()->legend()->markers(pie))
            legend << marker->label();
        EXPECT_EQ(legend, labels);
        EXPECT_TRUE(f->Charts[2]->chart()->legend()->isVisible());
        EXPECT_TRUE(f->Charts[2]->chart()->title().contains(u"扇区按绝对值大小绘制"_s));

        // Only negatives: one whole slice, marked.
        f->ComboBox7->setCurrentText(u"日统计"_s);
        f->DateTimePicker1->setDate(QDate(2024, 3, 20));
        f->DateTimePicker2->setDate(QDate(2024, 3, 20));
        ASSERT_NE(Pie(f->Charts[3]), nullptr);
        ASSERT_EQ(Pie(f->Charts[3])->count(), 1);
        EXPECT_EQ(Pie(f->Charts[3])->slices().first()->label(), u"2024-3-20：-500（负）"_s);
        EXPECT_DOUBLE_EQ(Pie(f->Charts[3])->sum(), 500);

        // Nothing received: no slice to draw, and the chart says why.
        f->ComboBox5->setCurrentText(u"实收款"_s);
        EXPECT_EQ(f->Shown[2].size(), 3u);
        EXPECT_EQ(Pie(f->Charts[2])->count(), 0);
        EXPECT_FALSE(f->Charts[2]->chart()->legend()->isVisible());
        EXPECT_TRUE(f->Charts[2]->chart()->title().contains(u"没有可画的扇区"_s));
        f->SpeedButton2->click();
    });
    Bills()->SpeedButton5->click();
    ui.VerifyAllUsed();
}

TEST_F(AnalysisWindowTest, LongNamesAreCutOnTheAxisOnly) {
    CurrentRole = u"总经理"_s;
    const QString longName = u"北京市朝阳区华夏建材贸易有限公司第一分公司"_s;
    const QString twin = u"北京市朝阳区华夏建材贸易有限公司第二分公司"_s;
    AddBill(u"销售开单"_s, longName, 300);
    AddBill(u"销售开单"_s, twin, 200);
    FormMain->RunBillReport(Kept());
    ui.ExpectModal<TFormAnalysis>(u"FormAnalysis"_s, [&](TFormAnalysis* f) {
        EXPECT_EQ(f->Shown[2].front().label, longName);
        QStringList red;
        const QStringList names = BarValues(f->Charts[2], &red).keys();
        ASSERT_EQ(names.size(), 2); // cut alike, still two bars
        for (const QString& name : names) {
            EXPECT_TRUE(name.startsWith(u"北京市朝阳区华夏建材贸"_s)) << name.toStdString();
            EXPECT_LE(name.size(), 14);
        }
        f->SpeedButton2->click();
    });
    Bills()->SpeedButton5->click();
    ui.VerifyAllUsed();
}

TEST_F(AnalysisWindowTest, EveryPagePrintsThroughThePreview) {
    CurrentRole = u"总经理"_s;
    AddBill(u"销售开单"_s, u"客户A"_s, 1000);
    AddBill(u"采购开单"_s, u"客户B"_s, -300);
    FormMain->RunBillReport(Kept());
    ui.ExpectModal<TFormAnalysis>(u"FormAnalysis"_s, [&](TFormAnalysis* f) {
        const auto printed = [&](int page) {
            f->PageControl1->setCurrentIndex(page);
            QString dump;
            bool picture = false;
            ui.ExpectModal(u"ReportPreview"_s, [&](QDialog*) {
                dump = f->frReport1.TextDump();
                for (const RenderedItem& item : f->frReport1.Pages().value(0).items)
                    picture = picture || (item.Kind() == ObjectKind::Picture && item.image.width() > 1000);
            });
            f->PrintButton->click();
            ui.VerifyAllUsed();
            EXPECT_TRUE(picture) << "page " << page;
            EXPECT_EQ(f->frReport1.PageCount(), 1);
            EXPECT_TRUE(dump.contains(u"打印日期：2024-03-15"_s)) << dump.toStdString();
            return dump;
        };
        const QString figures = printed(0);
        EXPECT_TRUE(figures.contains(u"企业经营数据"_s));
        EXPECT_TRUE(figures.contains(u"应收款：业务的应收金额总和 | 1000\n"_s))
            << figures.toStdString();
        EXPECT_TRUE(figures.contains(u"应付款：业务的应付金额总和 | 300\n"_s));

        f->ComboBox7->setCurrentText(u"日统计"_s);
        const QString company = printed(4);
        EXPECT_TRUE(company.contains(u"公司业绩分析"_s));
        EXPECT_TRUE(company.contains(u"分析内容：应收款　　日统计：2024-3-1 至 2024-3-31"_s)) << company.toStdString();
        f->ComboBox4->setCurrentText(u"业务进度"_s);
        EXPECT_TRUE(printed(2).contains(u"分析对象：业务进度"_s));
        f->SpeedButton2->click();
    });
    Bills()->SpeedButton5->click();
    ui.VerifyAllUsed();
}

} // namespace
