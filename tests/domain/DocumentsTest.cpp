// What bills and vouchers share: the date range of their lists and the document numbers.

#include "tests/domain/DocumentsFixture.h"

#include "domain/Documents.h"
#include "domain/Periods.h"

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

TEST(DocumentDates, MonthRunsFromTheFirstToTheDayBeforeTheNextFirst) {
    struct Case {
        QDate working, first, last;
    } cases[] = {
        {QDate(2024, 2, 10), QDate(2024, 2, 1), QDate(2024, 2, 29)}, // leap year
        {QDate(2023, 2, 28), QDate(2023, 2, 1), QDate(2023, 2, 28)},
        {QDate(2024, 12, 31), QDate(2024, 12, 1), QDate(2024, 12, 31)}, // into the next year
        {QDate(2024, 4, 1), QDate(2024, 4, 1), QDate(2024, 4, 30)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MonthStart(c.working), c.first);
        EXPECT_EQ(MonthEnd(c.working), c.last) << c.working.toString().toStdString();
    }
    EXPECT_EQ(DocumentDateCondition(u"Bill"_s, QDate(2024, 2, 10), 1),
              u" And (BillCreateTime Between #2024-2-1# And #2024-2-29#)"_s);
    EXPECT_EQ(DocumentDateCondition(u"Money"_s, QDate(2024, 2, 10), 0),
              u" And (MoneyCreateTime = #2024-2-10#)"_s);
}

using DocumentNumbers = tevtest::DocumentsFixture;

TEST_F(DocumentNumbers, EachKindProposesFromItsOwnRowAndRecordsThere) {
    const struct {
        int row;
        QString stored, proposed;
    } kinds[] = {{NumberRow(BillKind::Sales), u"XS0009"_s, u"XS00010"_s},
                 {NumberRow(BillKind::Purchase), u"CG0019"_s, u"CG0020"_s},
                 {NumberRow(VoucherKind::Income), u"SR0029"_s, u"SR0030"_s},
                 {NumberRow(VoucherKind::Expense), u"ZC0039"_s, u"ZC0040"_s}};
    for (const auto& k : kinds)
        Sql(u"UPDATE Setting SET SettingValue = ? WHERE SettingIndex = ?"_s, {k.stored, k.row});
    for (const auto& k : kinds) {
        const Result<QString> proposed = ProposedNumber(db, k.row);
        ASSERT_TRUE(proposed) << k.row;
        EXPECT_EQ(proposed.value, k.proposed);
    }

    ASSERT_TRUE(RecordNumber(db, NumberRow(BillKind::Purchase), u"CG7"_s));
    EXPECT_EQ(Setting(2), u"CG7"_s);
    EXPECT_EQ(Setting(1), u"XS0009"_s);
    EXPECT_EQ(Setting(3), u"SR0029"_s);

    // A missing row proposes nothing and records nothing, without failing.
    Sql(u"DELETE FROM Setting WHERE SettingIndex = 4"_s);
    const Result<QString> none = ProposedNumber(db, 4);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none.value.isEmpty());
    EXPECT_TRUE(RecordNumber(db, 4, u"ZC1"_s));
    EXPECT_EQ(Count(u"Setting"_s), 3);

    Sql(u"ALTER TABLE Setting RENAME TO SettingAway"_s);
    const Result<QString> failed = ProposedNumber(db, 1);
    EXPECT_TRUE(failed.IsFailure());
    EXPECT_EQ(failed.message, u"数据库打开失败"_s);
}

} // namespace
