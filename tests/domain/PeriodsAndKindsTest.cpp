// The periods the program counts in and the texts of its kinds.

#include "domain/Kinds.h"
#include "domain/Periods.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

TEST(Periods, MonthsAndYearsOfAWorkingDate) {
    const struct {
        QDate date;
        Period month, year;
    } cases[] = {
        {QDate(2024, 2, 29),
         {QDate(2024, 2, 1), QDate(2024, 2, 29)},
         {QDate(2024, 1, 1), QDate(2024, 12, 31)}},
        {QDate(2023, 2, 1),
         {QDate(2023, 2, 1), QDate(2023, 2, 28)},
         {QDate(2023, 1, 1), QDate(2023, 12, 31)}},
        {QDate(2023, 12, 31),
         {QDate(2023, 12, 1), QDate(2023, 12, 31)},
         {QDate(2023, 1, 1), QDate(2023, 12, 31)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MonthOf(c.date), c.month);
        EXPECT_EQ(YearOf(c.date), c.year);
        EXPECT_EQ(DayOf(c.date), (Period{c.date, c.date}));
        EXPECT_EQ(MonthStart(c.date), c.month.first);
        EXPECT_EQ(MonthEnd(c.date), c.month.last);
    }
    EXPECT_TRUE(AllTime().IsAllTime());
    EXPECT_EQ(MonthWords(QDate(2024, 3, 15)), u"本月（2024年3月）"_s);
}

TEST(Kinds, EveryKindReadsBackFromItsText) {
    for (BillKind k : {BillKind::Sales, BillKind::Purchase})
        EXPECT_EQ(BillKindFromText(Text(k)), k);
    for (VoucherKind k : {VoucherKind::Income, VoucherKind::Expense})
        EXPECT_EQ(VoucherKindFromText(Text(k)), k);
    for (OpenMode m : {OpenMode::New, OpenMode::Change})
        EXPECT_EQ(OpenModeFromText(Text(m)), m);
    for (Role r : {Role::Administrator, Role::FinanceSupervisor, Role::FinanceDirector, Role::GeneralManager,
                   Role::Salesman})
        EXPECT_EQ(RoleFromText(Text(r)), r);
    EXPECT_EQ(Text(BillKind::Sales), u"销售开单"_s);
    EXPECT_EQ(Text(VoucherKind::Expense), u"财务支出单"_s);
    EXPECT_FALSE(BillKindFromText(u"销售"_s).has_value());
    EXPECT_FALSE(RoleFromText(u"访客"_s).has_value());
    // A voucher of 0 is income.
    EXPECT_EQ(VoucherKindOfSum(0), VoucherKind::Income);
    EXPECT_EQ(VoucherKindOfSum(-0.01), VoucherKind::Expense);
}

} // namespace
