// The data grid: columns over a result, cell formatting, current-row access, the footer
// row and the double-click signal.

#include "tests/support/AppFixture.h"

#include "app/ShareDM.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class DataGridTest : public tevtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
        grid.SetColumns({
            {u"MoneyCreateTime"_s, u"开单时间"_s, 90, Qt::AlignCenter, GridFormat::Date},
            {u"MoneySerial"_s, u"单据编号"_s, 80, Qt::AlignLeft, GridFormat::Text},
            {u"MoneyIn"_s, u"收入"_s, 70, Qt::AlignRight, GridFormat::Amount},
            {u"MoneySum"_s, u"合计"_s, 70, Qt::AlignCenter, GridFormat::Amount},
        });
        const struct {
            const char16_t* date;
            const char16_t* serial;
            double in, sum;
        } rows[] = {{u"2024-03-05", u"SR1", 100.5, 100.5},
                    {u"2024-11-20", u"ZC1", 0, -20.25},
                    {u"2024-03-06", u"SR2", 0.12346, 0.12346}};
        for (const auto& r : rows)
            Sql(u"INSERT INTO MoneyTable (MoneyCreateTime, MoneySerial, MoneyIn, MoneySum) VALUES (?, ?, ?, ?)"_s,
                {QString::fromUtf16(r.date), QString::fromUtf16(r.serial), r.in, r.sum});
        ASSERT_TRUE(
            ShareDM->ADOConnection1.Select(u"Select MoneyIndex,MoneyCreateTime,MoneySerial,MoneyIn,MoneySum "
                                           u"From MoneyTable Where MoneyIndex > 1 "
                                           "Order By MoneyIndex"_s,
                                           result));
    }

    TDataGrid grid;
    ResultSet result;
};

TEST_F(DataGridTest, ShowsNamedColumnsFormatted) {
    grid.SetData(result);
    ASSERT_EQ(grid.RowCount(), 3);
    QAbstractItemModel* m = grid.View()->model();
    EXPECT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->headerData(2, Qt::Horizontal).toString(), u"收入"_s);
    EXPECT_EQ(grid.View()->horizontalHeader()->sectionSize(1), 80);
    EXPECT_EQ(grid.CellText(0, u"MoneyCreateTime"_s), u"2024-3-5"_s);
    EXPECT_EQ(grid.CellText(1, u"MoneyCreateTime"_s), u"2024-11-20"_s);
    EXPECT_EQ(grid.CellText(1, u"MoneySum"_s), u"-20.25"_s);
    EXPECT_EQ(grid.CellText(2, u"MoneyIn"_s), u"0.1235"_s); // FormatAmount: four decimals
    EXPECT_EQ(grid.CellText(1, u"MoneyIn"_s), u"0"_s);
    EXPECT_EQ(m->data(m->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(m->data(m->index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(grid.View()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid.View()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(DataGridTest, CurrentRowGivesEveryFieldOfTheResult) {
    EXPECT_FALSE(grid.HasCurrentRow());
    EXPECT_EQ(grid.CurrentInteger(u"MoneyIndex"_s), 0); // empty list: reads as 0
    grid.SetData(result);
    EXPECT_EQ(grid.CurrentRow(), 0);
    grid.SetCurrentRow(1);
    EXPECT_EQ(grid.CurrentString(u"MoneySerial"_s), u"ZC1"_s);
    EXPECT_DOUBLE_EQ(grid.CurrentFloat(u"MoneySum"_s), -20.25);
    // MoneyIndex is not a shown column but is part of the row.
    EXPECT_EQ(grid.CurrentInteger(u"MoneyIndex"_s),
              result.At(1, result.ColumnIndex(u"MoneyIndex"_s)).toLongLong());
    EXPECT_TRUE(grid.CurrentString(u"NoSuchColumn"_s).isEmpty());
    grid.SetCurrentRow(7);
    EXPECT_FALSE(grid.HasCurrentRow());
}

TEST_F(DataGridTest, FooterHoldsCountAndSums) {
    grid.SetData(result);
    grid.SetCountAndSums(u"MoneyCreateTime"_s, {u"MoneyIn"_s, u"MoneySum"_s});
    EXPECT_EQ(grid.FooterText(u"MoneyCreateTime"_s), u"3条"_s);
    EXPECT_EQ(grid.FooterText(u"MoneyIn"_s), u"100.6235"_s);
    EXPECT_EQ(grid.FooterText(u"MoneySum"_s), u"80.3735"_s);
    EXPECT_TRUE(grid.FooterText(u"MoneySerial"_s).isEmpty());

    // An empty list leaves no stale count or sums behind.
    grid.SetData(ResultSet());
    grid.SetCountAndSums(u"MoneyCreateTime"_s, {u"MoneyIn"_s, u"MoneySum"_s});
    EXPECT_TRUE(grid.FooterText(u"MoneyCreateTime"_s).isEmpty());
    EXPECT_TRUE(grid.FooterText(u"MoneySum"_s).isEmpty());

    grid.SetFooterText(u"MoneySerial"_s, u"合计"_s);
    EXPECT_EQ(grid.FooterText(u"MoneySerial"_s), u"合计"_s);
    grid.Clear();
    EXPECT_TRUE(grid.FooterText(u"MoneySerial"_s).isEmpty());
}

TEST_F(DataGridTest, DoubleClickReportsTheRow) {
    grid.SetData(result);
    std::vector<int> rows;
    QObject::connect(&grid, &TDataGrid::DoubleClicked, [&](int row) { rows.push_back(row); });
    emit grid.View()->doubleClicked(grid.View()->model()->index(2, 1));
    emit grid.View()->doubleClicked(QModelIndex()); // below the last row: nothing
    EXPECT_EQ(rows, std::vector<int>{2});
}

TEST_F(DataGridTest, CopyGivesTheSelectedRowsAsTabSeparatedTextWithTitles) {
    ASSERT_TRUE(ShareDM->ADOConnection1.Execute(
                    u"UPDATE MoneyTable SET MoneySerial = 'ZC\t1' WHERE MoneySerial = 'ZC1'"_s) == 1);
    ASSERT_TRUE(ShareDM->ADOConnection1.Select(
        u"Select MoneyIndex,MoneyCreateTime,MoneySerial,MoneyIn,MoneySum From MoneyTable Where MoneyIndex > 1 "
        "Order By MoneyIndex"_s,
        result));
    grid.SetData(result);
    // Selected out of order, copied in the list's order; a tab inside a cell cannot split it.
    grid.View()->selectRow(2);
    grid.View()->selectionModel()->select(grid.Model()->index(0, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    grid.View()->selectionModel()->select(grid.Model()->index(1, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QString expected = u"开单时间\t单据编号\t收入\t合计\n"
                             "2024-3-5\tSR1\t100.5\t100.5\n"
                             "2024-11-20\tZC 1\t0\t-20.25\n"
                             "2024-3-6\tSR2\t0.1235\t0.1235\n"_s;
    EXPECT_EQ(grid.SelectedRowsText(), expected);
    QApplication::clipboard()->clear();
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(grid.View(), &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(DataGridTest, HomeEndAndEnterMoveAndOpenTheCurrentRow) {
    grid.SetData(result);
    std::vector<int> opened;
    QObject::connect(&grid, &TDataGrid::DoubleClicked, [&](int row) { opened.push_back(row); });
    auto press = [this](Qt::Key key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(grid.View(), &e);
    };
    press(Qt::Key_End);
    EXPECT_EQ(grid.CurrentRow(), 2);
    press(Qt::Key_Return);
    press(Qt::Key_Home);
    EXPECT_EQ(grid.CurrentRow(), 0);
    press(Qt::Key_Enter);
    EXPECT_EQ(opened, (std::vector<int>{2, 0}));
    // An empty grid has no row to open.
    grid.Clear();
    press(Qt::Key_Return);
    EXPECT_EQ(opened.size(), 2U);
}

} // namespace
