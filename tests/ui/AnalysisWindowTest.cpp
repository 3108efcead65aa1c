// "经营报表" and the window "企业经营分析": who may open it, what it says without a list, the
// figures page and the charts as the boxes choose them.

#include "tests/ui/DocumentFixture.h"

#include "app/MainForm.h"
#include "domain/Reports.h"
#include "reports/AnalysisForm.h"
#include "reports/ReportLists.h"

#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPieSeries>
#include <QPushButton>
#include <QTabWidget>

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
        auto* bars = qobject_cast<QBarSeries*>(f->Charts[0]->chart()->series().value(0));
        ASSERT_NE(bars, nullptr);
        EXPECT_TRUE(bars->isLabelsVisible());
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

} // namespace
