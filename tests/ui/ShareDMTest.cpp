// The data module's query routines and combo helpers: fixed messages on failure, the
// operation going no further, and the combo rules.

#include "tests/support/AppFixture.h"

#include "app/ShareDM.h"
#include "ui/Combo.h"

#include <QAbstractItemView>
#include <QComboBox>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class ShareDMTest : public tevtest::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        OpenDatabase();
    }
};

TEST_F(ShareDMTest, FailingStatementsShowTheCallersMessageOnly) {
    Query& q = ShareDM->ADOQueryTemp;
    ASSERT_TRUE(ShareDM->OpenSql(q, u"Select * From Power"_s, u"x"_s));
    ASSERT_TRUE(q.Active());
    ui.ExpectMessage(u"刷新客户时出错"_s);
    EXPECT_FALSE(ShareDM->OpenSql(q, u"Select * From NoSuchTable"_s, u"刷新客户时出错"_s));
    EXPECT_FALSE(q.Active()); // closed, not an empty result
    EXPECT_EQ(q.RecordCount(), 0);

    ui.ExpectMessage(u"SQL命令执行出错"_s);
    EXPECT_EQ(ShareDM->ExecSql(q, u"Update NoSuchTable Set A = 1"_s), 0);
    EXPECT_EQ(ShareDM->ExecSql(q, u"Update Setting Set SettingValue = 'XS1' Where SettingIndex <= 2"_s), 2);
}

TEST_F(ShareDMTest, LoadComboFillsFromOneColumn) {
    QComboBox combo;
    Query q(u"q"_s, &ShareDM->ADOConnection1);
    LoadCombo(&combo, q, u"Select * From Parameter Where ParameterType = 99"_s, true, u"ParameterValue"_s);
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentText(), u"所有"_s);

    LoadCombo(&combo, q, u"Select * From Parameter Where ParameterType = 4 Order By ParameterIndex"_s, false,
              u"ParameterValue"_s);
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(combo.currentText(), u"洽谈中"_s);

    // A failing statement: the message, and the list keeps only what was added before it.
    ui.ExpectMessage(u"LoadCombo失败"_s);
    LoadCombo(&combo, q, u"Select * From Nothing"_s, true, u"X"_s);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentIndex(), -1); // the first item is selected only after a statement that ran
}

TEST_F(ShareDMTest, TheDropDownOpensWideEnoughForTheLongestName) {
    QComboBox combo;
    combo.setFixedWidth(80);
    const QString longest = u"杭州远洋国际贸易有限公司第二分公司"_s;
    FillCombo(&combo, QStringList{u"张三"_s, longest, u"李四"_s}, true);
    combo.show();
    combo.showPopup();
    const QFontMetrics metrics(combo.view()->font());
    EXPECT_GE(combo.view()->viewport()->width(), metrics.horizontalAdvance(longest));
    EXPECT_EQ(combo.width(), 80); // the box keeps its width
    combo.hidePopup();
}

TEST_F(ShareDMTest, SelectComboItemPicksTheLastExactMatch) {
    QComboBox combo;
    combo.addItems({u"甲"_s, u"乙"_s, u"甲"_s, u"丙"_s});
    combo.setCurrentIndex(3);
    SelectComboItem(&combo, u"丁"_s);
    EXPECT_EQ(combo.currentIndex(), 3); // no match: unchanged
    SelectComboItem(&combo, u"甲"_s);
    EXPECT_EQ(combo.currentIndex(), 2);
    SelectComboItem(&combo, u"乙 "_s);
    EXPECT_EQ(combo.currentIndex(), 2); // exact text only
}

} // namespace
