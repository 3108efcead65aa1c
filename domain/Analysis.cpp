#include "domain/Analysis.h"

#include "domain/Kinds.h"
#include "rules/PublicFunction.h"

#include <QHash>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace tev {

QStringList MeasureTexts() {
    return {u"应收款"_s, u"实收款"_s, u"未收款"_s, u"客户数目"_s, u"订单数目"_s};
}

QString GroupColumn(BillGroup group) {
    switch (group) {
    case BillGroup::Salesman:
        return u"BillMan"_s;
    case BillGroup::Reason:
        return u"BillReason"_s;
    case BillGroup::State:
        return u"BillState"_s;
    case BillGroup::Customer:
        break;
    }
    return u"BillUser"_s;
}

QStringList PeriodTexts() {
    return {u"日统计"_s, u"月统计"_s, u"年统计"_s};
}

QString PeriodLabel(ChartPeriod period, QDate date) {
    switch (period) {
    case ChartPeriod::Day:
        return date.toString(u"yyyy-M-d"_s);
    case ChartPeriod::Month:
        return u"%1-%2"_s.arg(date.year()).arg(date.month());
    case ChartPeriod::Year:
        break;
    }
    return QString::number(date.year());
}

namespace {

// A period as a number: the same number for every date of it.
qint64 PeriodKey(ChartPeriod period, QDate date) {
    switch (period) {
    case ChartPeriod::Day:
        return date.toJulianDay();
    case ChartPeriod::Month:
        return qint64(date.year()) * 12 + date.month() - 1;
    case ChartPeriod::Year:
        break;
    }
    return date.year();
}

QDate NextPeriod(ChartPeriod period, QDate date) {
    switch (period) {
    case ChartPeriod::Day:
        return date.addDays(1);
    case ChartPeriod::Month:
        return date.addMonths(1);
    case ChartPeriod::Year:
        break;
    }
    return date.addMonths(12);
}

// Room for groups: one more than the rows (at most 65,535 counted), and at least 20 periods.
int PeriodRoom(int rows) {
    return std::max(std::min(rows, 65535) + 1, kChartPoints);
}

// Where a row stands in the order by customer (names without regard to case, as the
// database orders them), date and number.
struct RowPlace {
    const QString* user;
    const QString* time;
    qint64 index;
};

bool Before(const RowPlace& row, const AnalysisGroup& group) {
    if (int c = row.user->compare(group.firstUser, Qt::CaseInsensitive); c != 0) return c < 0;
    if (int c = row.time->compare(group.firstTime); c != 0) return c < 0;
    return row.index < group.firstIndex;
}

void Place(AnalysisGroup& group, const RowPlace& row, bool first) {
    if (first || Before(row, group)) {
        group.firstUser = *row.user;
        group.firstTime = *row.time;
        group.firstIndex = row.index;
    }
}

struct RowMeasures {
    qint64 sum = 0, get = 0, owe = 0;
};

void Add(AnalysisGroup& group, const RowMeasures& m) {
    group.values[size_t(Measure::Receivable)] += m.sum;
    group.values[size_t(Measure::Received)] += m.get;
    group.values[size_t(Measure::Outstanding)] += m.owe;
    group.values[size_t(Measure::Bills)] += 1;
}

// A grouping being collected: its groups by key.
template <typename Key> struct Collector {
    Grouping grouping;
    QHash<Key, int> ids;

    int Take(const Key& key, const QString& label, const RowMeasures& m, const RowPlace& place) {
        auto it = ids.find(key);
        bool first = false;
        if (it == ids.end()) {
            it = ids.insert(key, int(grouping.groups.size()));
            grouping.groups.push_back({});
            grouping.groups.back().label = label;
            first = true;
        }
        AnalysisGroup& group = grouping.groups[size_t(*it)];
        // A labelled period has no bill before its first row.
        first = first || group.values[size_t(Measure::Bills)] == 0;
        Add(group, m);
        Place(group, place, first);
        return *it;
    }
};

// A customer's first bill and the groups it fell into.
struct FirstBill {
    QString time;
    qint64 index = 0;
    std::array<int, kBillGroupCount> groups{};
};

bool Earlier(const QString& time, qint64 index, const FirstBill& first) {
    if (int c = time.compare(first.time); c != 0) return c < 0;
    return index < first.index;
}

struct Columns {
    int index, time, kind, user, sum, get, owe;
    std::array<int, kBillGroupCount> groups;
    explicit Columns(const RowSource& rows)
        : index(rows.ColumnIndex(u"BillIndex"_s)), time(rows.ColumnIndex(u"BillCreateTime"_s)),
          kind(rows.ColumnIndex(u"BillKind"_s)), user(rows.ColumnIndex(u"BillUser"_s)),
          sum(rows.ColumnIndex(u"BillSum"_s)), get(rows.ColumnIndex(u"BillGet"_s)),
          owe(rows.ColumnIndex(u"BillOwe"_s)) {
        for (int g = 0; g < kBillGroupCount; ++g)
            groups[size_t(g)] = rows.ColumnIndex(GroupColumn(BillGroup(g)));
    }
};

QString Cell(RowSource& rows, int row, int column) {
    return column < 0 ? QString() : rows.Value(row, column).toString();
}

double Number(RowSource& rows, int row, int column) {
    return column < 0 ? 0.0 : rows.Value(row, column).toDouble();
}

qint64 Whole(double amount) {
    return qint64(RoundHalfEven(amount));
}

// The periods labelled from the range before any row: from the start, one period at a time,
// up to the last one that begins on or before the end, as long as there is room.
Collector<qint64> LabelledPeriods(const PeriodRange& range, int rows) {
    Collector<qint64> periods;
    periods.grouping.available = true;
    const int room = PeriodRoom(rows);
    QDate date = range.from;
    while (date.isValid() && int(periods.grouping.groups.size()) < room) {
        const qint64 key = PeriodKey(range.period, date);
        if (!periods.ids.contains(key)) {
            periods.ids.insert(key, int(periods.grouping.groups.size()));
            AnalysisGroup group;
            group.label = PeriodLabel(range.period, date);
            periods.grouping.groups.push_back(group);
        }
        date = NextPeriod(range.period, date);
        if (date > range.to) break;
    }
    periods.grouping.labelled = int(periods.grouping.groups.size());
    return periods;
}

struct Pass {
    bool wantColumns = true;
    AnalysisFigures figures;
    std::array<Collector<QString>, kBillGroupCount> columns;
    Collector<qint64> periods;
};

Outcome Walk(RowSource& rows, const PeriodRange& range, Pass& pass) {
    const Columns c(rows);
    const int count = rows.RowCount();
    pass.periods = LabelledPeriods(range, count);
    pass.periods.grouping.available = c.time >= 0;
    for (int g = 0; g < kBillGroupCount; ++g)
        pass.columns[size_t(g)].grouping.available = pass.wantColumns && c.groups[size_t(g)] >= 0;

    const QString sales = Text(BillKind::Sales);
    double s = 0, sg = 0, so = 0, p = 0, pg = 0, po = 0;
    QHash<QString, FirstBill> customers;       // every named customer's first bill
    QHash<QString, FirstBill> customersInRange; // the same within the range
    for (int row = 0; row < count; ++row) {
        const QString user = Cell(rows, row, c.user);
        const QString time = Cell(rows, row, c.time);
        const qint64 index = c.index < 0 ? row : rows.Value(row, c.index).toLongLong();
        const double sum = Number(rows, row, c.sum), get = Number(rows, row, c.get), owe = Number(rows, row, c.owe);
        if (rows.Failed()) return Outcome::Refuse(u"数据库打开失败"_s);
        const RowMeasures m{Whole(sum), Whole(get), Whole(owe)};
        const RowPlace place{&user, &time, index};

        std::array<int, kBillGroupCount> groups;
        groups.fill(-1);
        if (pass.wantColumns) {
            if (Cell(rows, row, c.kind) == sales) {
                s += sum, sg += get, so += owe;
            } else {
                p += sum, pg += get, po += owe;
            }
            for (int g = 0; g < kBillGroupCount; ++g) {
                Collector<QString>& column = pass.columns[size_t(g)];
                if (!column.grouping.available) continue;
                const QString key = Cell(rows, row, c.groups[size_t(g)]);
                if (!key.isEmpty()) groups[size_t(g)] = column.Take(key, key, m, place);
            }
            if (!user.isEmpty()) {
                auto it = customers.find(user);
                if (it == customers.end())
                    customers.insert(user, {time, index, groups});
                else if (Earlier(time, index, *it))
                    *it = {time, index, groups};
            }
        }
        if (pass.periods.grouping.available) {
            const QDate date = rows.Value(row, c.time).toDate();
            if (date.isValid() && date >= range.from && date <= range.to) {
                const qint64 key = PeriodKey(range.period, date);
                const int id = pass.periods.Take(key, PeriodLabel(range.period, date), m, place);
                if (!user.isEmpty()) {
                    std::array<int, kBillGroupCount> in{id, -1, -1, -1};
                    auto it = customersInRange.find(user);
                    if (it == customersInRange.end())
                        customersInRange.insert(user, {time, index, in});
                    else if (Earlier(time, index, *it))
                        *it = {time, index, in};
                }
            }
        }
    }
    const auto customer = size_t(Measure::Customers);
    for (const FirstBill& first : std::as_const(customers))
        for (int g = 0; g < kBillGroupCount; ++g)
            if (first.groups[size_t(g)] >= 0)
                pass.columns[size_t(g)].grouping.groups[size_t(first.groups[size_t(g)])].values[customer] += 1;
    for (const FirstBill& first : std::as_const(customersInRange))
        pass.periods.grouping.groups[size_t(first.groups[0])].values[customer] += 1;

    AnalysisFigures& f = pass.figures;
    f.any = count > 0;
    f.receivable = s, f.received = sg, f.outstanding = so;
    f.payable = std::abs(p), f.paid = std::abs(pg), f.unpaid = std::abs(po);
    f.currentMargin = sg + p, f.budgetMargin = s + p, f.cashGain = sg + pg;
    return Outcome::Ok();
}

std::vector<ChartPoint> PointsOf(const Grouping& grouping, const std::vector<int>& order, Measure measure) {
    std::vector<ChartPoint> points;
    for (int id : order) {
        if (int(points.size()) == kChartPoints) break;
        const AnalysisGroup& g = grouping.groups[size_t(id)];
        points.push_back({g.label, g.values[size_t(measure)]});
    }
    return points;
}

bool FirstBefore(const AnalysisGroup& a, const AnalysisGroup& b) {
    if (int c = a.firstUser.compare(b.firstUser, Qt::CaseInsensitive); c != 0) return c < 0;
    if (int c = a.firstTime.compare(b.firstTime); c != 0) return c < 0;
    return a.firstIndex < b.firstIndex;
}

} // namespace

std::vector<ChartPoint> ColumnPoints(const Grouping& grouping, Measure measure) {
    if (!grouping.available) return {};
    std::vector<int> order(grouping.groups.size());
    std::iota(order.begin(), order.end(), 0);
    const auto m = size_t(measure);
    const auto shown = order.begin() + std::min<std::ptrdiff_t>(kChartPoints, std::ptrdiff_t(order.size()));
    // Every group has its own first bill, so the order is total and the same for any row order.
    std::partial_sort(order.begin(), shown, order.end(), [&](int a, int b) {
        const AnalysisGroup& ga = grouping.groups[size_t(a)];
        const AnalysisGroup& gb = grouping.groups[size_t(b)];
        if (ga.values[m] != gb.values[m]) return ga.values[m] > gb.values[m];
        return FirstBefore(ga, gb);
    });
    order.erase(shown, order.end());
    return PointsOf(grouping, order, measure);
}

std::vector<ChartPoint> PeriodPoints(const Grouping& grouping, Measure measure) {
    if (!grouping.available) return {};
    std::vector<int> order(grouping.groups.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin() + grouping.labelled, order.end(), [&](int a, int b) {
        return FirstBefore(grouping.groups[size_t(a)], grouping.groups[size_t(b)]);
    });
    return PointsOf(grouping, order, measure);
}

Result<BillAnalysis> AnalyseBills(RowSource& rows, const PeriodRange& range) {
    Pass pass;
    if (Outcome walked = Walk(rows, range, pass); !walked) return walked;
    BillAnalysis analysis;
    analysis.figures = pass.figures;
    for (int g = 0; g < kBillGroupCount; ++g)
        analysis.columns[size_t(g)] = std::move(pass.columns[size_t(g)].grouping);
    analysis.periods = std::move(pass.periods.grouping);
    return analysis;
}

Result<Grouping> AnalysePeriods(RowSource& rows, const PeriodRange& range) {
    Pass pass;
    pass.wantColumns = false;
    if (Outcome walked = Walk(rows, range, pass); !walked) return walked;
    return std::move(pass.periods.grouping);
}

} // namespace tev
