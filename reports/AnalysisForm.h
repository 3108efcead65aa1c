#pragma once
// "企业经营分析": the key figures of the current bill list and four charts of its bills by
// salesman, by business kind or progress, by customer and by period. The window reads its
// boxes, asks the domain for the points and draws them; each chart page can be saved as a
// picture or a PDF file, and every page printed through the report preview.

#include "domain/Analysis.h"
#include "report_engine/Report.h"
#include "ui/Form.h"

#include <array>
#include <memory>

class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTabWidget;

namespace tev {

class BillReportList;

class TFormAnalysis : public TForm {
    Q_OBJECT
public:
    explicit TFormAnalysis(QWidget* parent = nullptr);

    // The bill list whose bills are analysed; set by the list before the window is shown.
    BillReportList* BillList = nullptr;

    QTabWidget* PageControl1;
    QComboBox* ComboBox1; // shape: "条形图显示", "饼形图显示"
    QComboBox* ComboBox2; // measure of Chart1
    QComboBox* ComboBox3; // measure of Chart2
    QComboBox* ComboBox4; // Chart2 by "业务种类" or "业务进度"
    QComboBox* ComboBox5; // measure of Chart3
    QComboBox* ComboBox6; // measure of Chart4
    QComboBox* ComboBox7; // period of Chart4
    QDateEdit* DateTimePicker1;
    QDateEdit* DateTimePicker2;
    QPushButton* SpeedButton2; // "退出"
    QPushButton* PrintButton;  // "打印": the current page
    std::array<QLabel*, 9> Values;   // Label11 … Label19
    std::array<QChartView*, 4> Charts; // Chart1 … Chart4
    // The points each chart shows now.
    std::array<std::vector<ChartPoint>, 4> Shown;

    // Draws one chart (0 to 3) anew from the analysis, or all of them.
    void ComputeChart(int chart);
    void ComputeAllCharts();
    // The periods anew (range or period changed), then Chart4.
    void ComputePeriods();
    // Saves the current chart page as PNG or PDF, by the chosen file's ending.
    void SaveChart();
    // The current page, the figures or a chart as it is shown, in the report preview.
    void PrintPage();
    // The report the pages are printed with.
    Report frReport1;

    const BillAnalysis& Analysis() const { return m_analysis; }

protected:
    void FormShow() override;

private:
    PeriodRange Range() const;
    // What a chart shows, as its printout says above it.
    QString ChartConditions(int chart) const;
    void ShowFigures();

    std::shared_ptr<RowSource> m_rows;
    BillAnalysis m_analysis;
    QWidget* m_diagram = nullptr;
};

} // namespace tev
