#pragma once
// The business analysis of a bill list: the key figures (receivable, received, payable, paid
// and the margins), and the bills grouped by salesman, business kind, progress, customer and
// period, each group carrying all five measures at once so that choosing another measure
// needs no new pass. Everything is computed in one pass over the list's rows, in whatever
// order the list shows them; groups are found through a hash, never by scanning the groups.
//
// The order the figures are defined in is the list by customer, date and number: a group's
// place among equal sums is where its first bill stands in that order, and a customer counts
// once, in the group of his first bill (in a period chart, of his first bill in the range).
// A customer with no name never counts.

#include "data/RowSource.h"
#include "domain/Outcome.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace tev {

// "应收款", "实收款", "未收款", "客户数目", "订单数目", in this order.
enum class Measure { Receivable, Received, Outstanding, Customers, Bills };
inline constexpr int kMeasureCount = 5;
QStringList MeasureTexts();

// The column groupings: BillMan, BillReason, BillState, BillUser.
enum class BillGroup { Salesman, Reason, State, Customer };
inline constexpr int kBillGroupCount = 4;
QString GroupColumn(BillGroup group);

// "日统计", "月统计", "年统计".
enum class ChartPeriod { Day, Month, Year };
QStringList PeriodTexts();
// A period's label: the short date "2024-3-5", "2024-3", "2024".
QString PeriodLabel(ChartPeriod period, QDate date);

// A chart shows at most this many points.
inline constexpr int kChartPoints = 20;

struct ChartPoint {
    QString label;
    qint64 value = 0;
    bool operator==(const ChartPoint&) const = default;
};

// The figures of the bills: sales add to the receivable side, every other bill (stored
// negative) to the payable side; payable, paid and unpaid are shown as magnitudes.
struct AnalysisFigures {
    bool any = false; // the list had rows
    double receivable = 0, received = 0, outstanding = 0;
    double payable = 0, paid = 0, unpaid = 0;
    double currentMargin = 0; // received − payable
    double budgetMargin = 0;  // receivable − payable
    double cashGain = 0;      // received − paid
};

struct AnalysisGroup {
    QString label;
    std::array<qint64, kMeasureCount> values{};
    // The group's first bill in the order by customer, date and number.
    QString firstUser, firstTime;
    qint64 firstIndex = 0;
};

struct Grouping {
    bool available = false;      // the rows have the grouping's column
    std::vector<AnalysisGroup> groups;
    int labelled = 0;            // periods: the groups labelled from the range, in period order
};

struct PeriodRange {
    ChartPeriod period = ChartPeriod::Month;
    QDate from, to;
};

// The points of a grouping for one measure: for a column grouping the largest sums first,
// equal sums in the order their groups first appear; for periods the labelled periods in
// order, then periods of the range outside the labels in the order they first appear. At
// most kChartPoints.
std::vector<ChartPoint> ColumnPoints(const Grouping& grouping, Measure measure);
std::vector<ChartPoint> PeriodPoints(const Grouping& grouping, Measure measure);

struct BillAnalysis {
    AnalysisFigures figures;
    std::array<Grouping, kBillGroupCount> columns;
    Grouping periods;
    std::vector<ChartPoint> Points(BillGroup group, Measure measure) const {
        return ColumnPoints(columns[size_t(group)], measure);
    }
    std::vector<ChartPoint> PeriodPoints(Measure measure) const { return tev::PeriodPoints(periods, measure); }
};

// The figures, the four column groupings and the periods of the range, in one pass over
// the rows. Rows that could not be read give "数据库打开失败".
Result<BillAnalysis> AnalyseBills(RowSource& rows, const PeriodRange& range);
// The periods alone (a new range or period), in one pass.
Result<Grouping> AnalysePeriods(RowSource& rows, const PeriodRange& range);

} // namespace tev
