// The business analysis: the points of every chart agree with a plain slot table filled row
// by row in the order by customer, date and number (the definition of the figures), whatever
// order the list shows; the edge cases with their literal points; the figures.

#include "tests/domain/DomainFixture.h"

#include "domain/Analysis.h"
#include "domain/Reports.h"
#include "rules/PublicFunction.h"

#include <QDate>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

// The definition, written out plainly: a table of slots filled row by row, each row's key
// looked up by scanning the slots from the first, then sorted by sum with equal sums in
// place; at most 20 points, up to the first free slot.
struct Slot {
    QString label;
    qint64 sum = 0;
};

qint64 RowValue(const ResultSet& rs, int row, Measure measure, QString& lastCustomer) {
    const auto whole = [&](const QString& column) {
        return qint64(RoundHalfEven(rs.At(row, rs.Columns().indexOf(column)).toDouble()));
    };
    switch (measure) {
    case Measure::Receivable:
        return whole(u"BillSum"_s);
    case Measure::Received:
        return whole(u"BillGet"_s);
    case Measure::Outstanding:
        return whole(u"BillOwe"_s);
    case Measure::Customers: {
        const QString customer = rs.At(row, rs.Columns().indexOf(u"BillUser"_s)).toString();
        if (customer == lastCustomer) return 0;
        lastCustomer = customer;
        return 1;
    }
    case Measure::Bills:
        break;
    }
    return 1;
}

void Scan(std::vector<Slot>& table, const QString& key, qint64 value) {
    for (Slot& slot : table) {
        if (slot.label == key) {
            slot.sum += value;
            return;
        }
        if (slot.label.isEmpty()) {
            slot.label = key;
            slot.sum = value;
            return;
        }
    }
}

std::vector<ChartPoint> Shown(const std::vector<Slot>& table) {
    std::vector<ChartPoint> points;
    for (const Slot& slot : table) {
        if (slot.label.isEmpty() || points.size() == 20) break;
        points.push_back({slot.label, slot.sum});
    }
    return points;
}

int Capacity(const ResultSet& rs, bool dates) {
    const int n = std::min(rs.RecordCount(), 65535) + 1;
    return dates ? std::max(n, 20) : n;
}

std::vector<ChartPoint> SlotScanByColumn(const ResultSet& rs, const QString& column, Measure measure) {
    std::vector<Slot> table(size_t(Capacity(rs, false)));
    QString lastCustomer;
    for (int row = 0; row < rs.RecordCount(); ++row) {
        const qint64 value = RowValue(rs, row, measure, lastCustomer);
        Scan(table, rs.At(row, rs.Columns().indexOf(column)).toString(), value);
    }
    const auto used = std::find_if(table.begin(), table.end(), [](const Slot& s) { return s.label.isEmpty(); });
    std::stable_sort(table.begin(), used, [](const Slot& a, const Slot& b) { return a.sum > b.sum; });
    return Shown(table);
}

QString Label(ChartPeriod period, QDate d) {
    if (period == ChartPeriod::Day) return d.toString(u"yyyy-M-d"_s);
    if (period == ChartPeriod::Month) return u"%1-%2"_s.arg(d.year()).arg(d.month());
    return d.toString(u"yyyy-M-d"_s).left(4);
}

std::vector<ChartPoint> SlotScanByPeriod(const ResultSet& rs, const PeriodRange& range, Measure measure) {
    std::vector<Slot> table(size_t(Capacity(rs, true)));
    QDate d = range.from;
    for (Slot& slot : table) {
        slot.label = Label(range.period, d);
        const QDate next = range.period == ChartPeriod::Day     ? d.addDays(1)
                           : range.period == ChartPeriod::Month ? d.addMonths(1)
                                                           : d.addMonths(12);
        if (next > range.to) break;
        d = next;
    }
    QString lastCustomer;
    for (int row = 0; row < rs.RecordCount(); ++row) {
        const QDate date = rs.At(row, rs.Columns().indexOf(u"BillCreateTime"_s)).toDate();
        if (date < range.from || date > range.to) continue;
        Scan(table, Label(range.period, date), RowValue(rs, row, measure, lastCustomer));
    }
    return Shown(table);
}

std::string Dump(const std::vector<ChartPoint>& points) {
    QString s;
    for (const ChartPoint& p : points)
        s += u"%1=%2 "_s.arg(p.label).arg(p.value);
    return s.toStdString();
}

class AnalysisTest : public tevtest::DomainFixture {
protected:
    void AddBill(const QString& man, const QString& customer, double sum, QDate date,
                 const QString& reason = {}, const QString& state = {}) {
        Sql(u"INSERT INTO Bill (BillKind, BillUser, BillSum, BillCreateTime, BillMan, BillReason, BillState) "
            "VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
            {sum >= 0 ? u"销售开单"_s : u"采购开单"_s, customer, sum, date.toString(u"yyyy-MM-dd"_s), man, reason,
             state});
    }
    void AddReceipt(double sum) {
        Sql(u"INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneyIn, MoneySum, MoneyCreateTime, MoneyBill) "
            "VALUES (2, '', ?, ?, '2024-03-01', (SELECT Max(BillIndex) FROM Bill))"_s,
            {sum, sum});
    }
    static QString Kept() { return BillQuerySelect() + u" Where (BillIndex > 1)"_s; }
    // The list as the page shows it, in one of its orders.
    std::shared_ptr<RowSource> List(BillListOrder order) {
        Result<ListRows> list = OpenBillList(db, Kept(), {}, order);
        EXPECT_TRUE(list);
        return list.value.rows;
    }
    // The rows in the order the figures are defined in.
    ResultSet ByCustomer() {
        ResultSet rs;
        EXPECT_TRUE(db.Select(Kept() + BillListGrouping() + u" Order By BillUser,BillCreateTime,BillIndex"_s, rs));
        return rs;
    }
};

// 25 bills by three salesmen and some by nobody, 22 customers, many equal sums, two bills of
// 10.4 for one customer, purchases, dates before and after March, partly received.
TEST_F(AnalysisTest, EveryChartAgreesWithTheSlotTableInEveryListOrder) {
    const QStringList men{u"李娜"_s, u"王强"_s, u"赵敏"_s, u""_s};
    const QStringList reasons{u"房屋出租"_s, u"房屋出售"_s, u""_s};
    for (int i = 0; i < 25; ++i) {
        const double sum = i == 5 || i == 6 ? 10.4 : (i % 7 == 3 ? -1.0 : 1.0) * ((i % 4) * 100 + 50.5);
        const QString customer = i == 6 ? u"客户05"_s : u"客户%1"_s.arg(i % 22, 2, 10, QChar(u'0'));
        AddBill(men[i % 4], customer, sum, QDate(2024, 3, 1).addDays(i * 2 - 6), reasons[i % 3],
                i % 2 ? u"已完成"_s : u"进行中"_s);
        if (i % 3 == 0) AddReceipt(sum / 2);
    }
    const ResultSet rs = ByCustomer();
    ASSERT_EQ(rs.RecordCount(), 25);
    const std::vector<PeriodRange> ranges{
        {ChartPeriod::Day, QDate(2024, 3, 1), QDate(2024, 3, 30)},   {ChartPeriod::Month, QDate(2024, 3, 1), QDate(2024, 3, 31)},
        {ChartPeriod::Month, QDate(2024, 2, 15), QDate(2024, 4, 10)}, {ChartPeriod::Year, QDate(2024, 1, 1), QDate(2024, 12, 31)},
        {ChartPeriod::Day, QDate(2024, 3, 10), QDate(2024, 3, 2)},
    };
    for (BillListOrder order : {BillListOrder::ByTime, BillListOrder::ByCustomer, BillListOrder::ByAmount}) {
        std::shared_ptr<RowSource> rows = List(order);
        for (const PeriodRange& range : ranges) {
            Result<BillAnalysis> analysis = AnalyseBills(*rows, range);
            ASSERT_TRUE(analysis);
            Result<Grouping> periods = AnalysePeriods(*rows, range);
            ASSERT_TRUE(periods);
            for (int m = 0; m < kMeasureCount; ++m) {
                const auto measure = Measure(m);
                const auto expected = SlotScanByPeriod(rs, range, measure);
                const std::string where = "order " + std::to_string(int(order)) + " period " +
                                          std::to_string(int(range.period)) + " from " +
                                          range.from.toString(Qt::ISODate).toStdString() + " measure " +
                                          std::to_string(m);
                EXPECT_EQ(Dump(analysis.value.PeriodPoints(measure)), Dump(expected)) << where;
                EXPECT_EQ(Dump(PeriodPoints(periods.value, measure)), Dump(expected)) << where;
                for (int g = 0; g < kBillGroupCount; ++g)
                    EXPECT_EQ(Dump(analysis.value.Points(BillGroup(g), measure)),
                              Dump(SlotScanByColumn(rs, GroupColumn(BillGroup(g)), measure)))
                        << where << " group " << g;
            }
        }
    }
    // The fixture does reach the limits it is meant to show.
    Result<BillAnalysis> analysis = AnalyseBills(*List(BillListOrder::ByTime), ranges[0]);
    EXPECT_EQ(analysis.value.Points(BillGroup::Customer, Measure::Receivable).size(), 20u);
    EXPECT_EQ(analysis.value.Points(BillGroup::Salesman, Measure::Bills).size(), 3u);
}

TEST_F(AnalysisTest, EdgeCases) {
    AddBill(u"李娜"_s, u"客户A"_s, 10.4, QDate(2024, 3, 5), u"房屋出租"_s);
    AddBill(u"李娜"_s, u"客户A"_s, 10.4, QDate(2024, 3, 6), u"房屋出租"_s);
    AddBill(u"王强"_s, u"客户B"_s, 30, QDate(2024, 3, 5), u"房屋出售"_s);
    AddBill(u""_s, u"客户C"_s, 50, QDate(2024, 2, 28), u"房屋出售"_s);
    AddBill(u"赵敏"_s, u"客户C"_s, -20, QDate(2024, 4, 1));
    AddReceipt(-15);
    std::shared_ptr<RowSource> rows = List(BillListOrder::ByAmount);
    const PeriodRange month{ChartPeriod::Month, QDate(2024, 3, 1), QDate(2024, 3, 31)};
    Result<BillAnalysis> a = AnalyseBills(*rows, month);
    ASSERT_TRUE(a);
    using P = std::vector<ChartPoint>;
    const struct {
        const char* what;
        P got, expected;
    } cases[] = {
        {"whole numbers, no salesman left out, purchases negative",
         a.value.Points(BillGroup::Salesman, Measure::Receivable),
         {{u"王强"_s, 30}, {u"李娜"_s, 20}, {u"赵敏"_s, -20}}},
        {"bills counted, equal counts in customer order", a.value.Points(BillGroup::Salesman, Measure::Bills),
         {{u"李娜"_s, 2}, {u"王强"_s, 1}, {u"赵敏"_s, 1}}},
        {"a customer counts once", a.value.Points(BillGroup::Salesman, Measure::Customers),
         {{u"李娜"_s, 1}, {u"王强"_s, 1}, {u"赵敏"_s, 0}}},
        {"one per customer", a.value.Points(BillGroup::Customer, Measure::Customers),
         {{u"客户A"_s, 1}, {u"客户B"_s, 1}, {u"客户C"_s, 1}}},
        {"received and outstanding", a.value.Points(BillGroup::Customer, Measure::Outstanding),
         {{u"客户C"_s, 45}, {u"客户B"_s, 30}, {u"客户A"_s, 20}}},
        {"empty kind left out", a.value.Points(BillGroup::Reason, Measure::Receivable),
         {{u"房屋出售"_s, 80}, {u"房屋出租"_s, 20}}},
        {"the default month: one point, outside dates left out", a.value.PeriodPoints(Measure::Receivable),
         {{u"2024-3"_s, 50}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dump(c.got), Dump(c.expected)) << c.what;

    Result<Grouping> days = AnalysePeriods(*rows, {ChartPeriod::Day, QDate(2024, 3, 1), QDate(2024, 3, 30)});
    ASSERT_TRUE(days);
    const P shown = PeriodPoints(days.value, Measure::Receivable);
    ASSERT_EQ(shown.size(), 20u);
    EXPECT_EQ(shown.front().label, u"2024-3-1"_s);
    EXPECT_EQ(shown.back().label, u"2024-3-20"_s);
    EXPECT_EQ(shown[4].value, 40);
    EXPECT_EQ(shown[5].value, 10);
    EXPECT_EQ(shown[0].value, 0);
    Result<Grouping> years = AnalysePeriods(*rows, {ChartPeriod::Year, QDate(2024, 1, 1), QDate(2024, 12, 31)});
    EXPECT_EQ(Dump(PeriodPoints(years.value, Measure::Receivable)), Dump(P{{u"2024"_s, 80}}));
}

TEST_F(AnalysisTest, FiguresWithOnlySalesAndWithPurchases) {
    AddBill(u"李娜"_s, u"客户A"_s, 1000, QDate(2024, 3, 5));
    AddReceipt(400);
    AddBill(u"李娜"_s, u"客户B"_s, 500.5, QDate(2024, 3, 6));
    Result<BillAnalysis> sales = AnalyseBills(*List(BillListOrder::ByTime), {});
    ASSERT_TRUE(sales);
    const AnalysisFigures& f = sales.value.figures;
    EXPECT_TRUE(f.any);
    EXPECT_EQ(std::vector<double>({f.receivable, f.received, f.outstanding, f.payable, f.paid, f.unpaid}),
              std::vector<double>({1500.5, 400, 1100.5, 0, 0, 0}));
    EXPECT_EQ(f.currentMargin, f.received);
    EXPECT_EQ(f.cashGain, f.received);
    EXPECT_EQ(f.budgetMargin, f.receivable);

    AddBill(u"李娜"_s, u"客户C"_s, -300, QDate(2024, 3, 7));
    AddReceipt(-100);
    Result<BillAnalysis> both = AnalyseBills(*List(BillListOrder::ByAmount), {});
    const AnalysisFigures& g = both.value.figures;
    EXPECT_EQ(std::vector<double>({g.payable, g.paid, g.unpaid, g.currentMargin, g.budgetMargin, g.cashGain}),
              std::vector<double>({300, 100, 200, 100, 1200.5, 300}));
}

} // namespace
