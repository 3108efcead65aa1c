// "导出Excel" on the two report lists, the workbook read back with openpyxl: the sheet's
// rows and columns, hidden columns, cell types, the proposed file, the desktop that opens it
// or not, a file that cannot be written, and a list never searched.

#include "tests/ui/DocumentFixture.h"
#include "tests/support/XlsxReader.h"

#include "reports/ReportLists.h"
#include "ui/GridExport.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

const QString kBills =
    u"Select BillIndex,BillCreateTime,BillSerial,BillKind,BillUser,BillSum,IIF(Round(Sum(MoneySum),2) Is "
    "Null,0,Round(Sum(MoneySum),2)) As BillGet,BillSum-IIF(Round(Sum(MoneySum),2) Is "
    "Null,0,Round(Sum(MoneySum),2)) "
    "As BillOwe,BillMan,BillReason,BillState,BillRemark From (Bill Left Join MoneyTable On Bill.BillIndex = "
    "MoneyTable.MoneyBill) Where (BillIndex > 1)"_s;
const QString kVouchers =
    u"Select MoneyIndex,MoneyCreateTime,MoneySerial,AccountName,MoneyUser,MoneyIn,MoneyOut,MoneySum,MoneyMan,"
    "MoneyReason,MoneyType,MoneyToken,MoneyRemark From Account,MoneyTable Where (AccountIndex = "
    "MoneyAccount) And (MoneyIndex > 1)"_s;
const QStringList kBillTitles = {u"创建时间"_s, u"单据编号"_s, u"单据类型"_s, u"客户名称"_s,
                                 u"单据金额"_s, u"已收金额"_s, u"未收金额"_s, u"业务员"_s,
                                 u"业务种类"_s, u"业务进度"_s, u"备注信息"_s};

class GridExportTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        ui.today = QDate(2024, 3, 5);
        ASSERT_TRUE(out.isValid());
    }
    BillReportList* Bills() const { return static_cast<BillReportList*>(FormMain->BillReport); }
    MoneyReportList* Vouchers() const { return static_cast<MoneyReportList*>(FormMain->MoneyReport); }
    QString File(const QString& name = u"业务报表.xlsx"_s) const { return out.filePath(name); }
    void Bill(const QString& serial, const QString& kind, double sum, const QString& customer,
              const QString& date, const QString& remark = {}) {
        const qint64 bill = AddBill(kind, customer, sum, serial);
        Sql(u"UPDATE Bill SET BillCreateTime = ?, BillRemark = ? WHERE BillIndex = ?"_s, {date, remark, bill});
    }
    // Presses "导出Excel" on the bill list, saving to path; the desktop opens the file.
    void ExportBills(const QString& path) {
        ui.ExpectSaveFile(path);
        ui.ExpectOpenUrl(true);
        Bills()->SpeedButton6->click();
    }
    std::vector<tevtest::XlsxSheet> Sheets(const QString& path) { return tevtest::ReadXlsx(path); }

    QTemporaryDir out;
};

TEST_F(GridExportTest, ThreeBillsGiveSixRowsWithElevenTitlesAndTypedCells) {
    Bill(u"XS001"_s, u"销售开单"_s, 3000, u"张三"_s, u"2024-03-05"_s, u"首付"_s);
    Bill(u"CG001"_s, u"采购开单"_s, -1200.5, u"李四"_s, u"2024-03-06"_s);
    Bill(u"XS002"_s, u"销售开单"_s, 800, u"王五"_s, u"2024-03-07 10:20:30"_s);
    FormMain->RunBillReport(kBills);
    ASSERT_TRUE(Bills()->SpeedButton6->isEnabled());
    Bills()->DBGridEh2->SetCurrentRow(1);

    ExportBills(File());
    // The file proposed: the page's name and today in the documents folder.
    ASSERT_FALSE(ui.History().empty());
    EXPECT_TRUE(ui.History().front().startPath.endsWith(u"/业务报表20240305.xlsx"_s))
        << ui.History().front().startPath.toStdString();
    EXPECT_EQ(ui.lastUrl, QUrl::fromLocalFile(File()));
    EXPECT_EQ(Bills()->DBGridEh2->CurrentRow(), 1) << "the grid keeps its current row";

    const auto sheets = Sheets(File());
    ASSERT_EQ(sheets.size(), 1u);
    const tevtest::XlsxSheet& s = sheets[0];
    EXPECT_EQ(s.rows, 6);
    EXPECT_EQ(s.columns, 11);
    EXPECT_EQ(s.At(1, 1).Text(), u"日期:2024年03月05日"_s);
    EXPECT_EQ(s.RowTexts(3), kBillTitles);
    EXPECT_EQ(s.freeze, u"A4"_s);
    // In the list's order (by time).
    EXPECT_EQ(s.At(4, 1).Text(), u"2024.03.05"_s);
    EXPECT_EQ(s.At(4, 2).Text(), u"XS001"_s);
    EXPECT_EQ(s.At(4, 11).Text(), u"首付"_s);
    EXPECT_EQ(s.At(5, 5).type, u"n"_s);
    EXPECT_DOUBLE_EQ(s.At(5, 5).value.toDouble(), -1200.5);
    EXPECT_EQ(s.At(5, 5).format, u"0.00"_s);
    EXPECT_DOUBLE_EQ(s.At(5, 7).value.toDouble(), -1200.5);
    EXPECT_EQ(s.At(6, 1).Text(), u"2024.03.07 10.20.30"_s);
    for (int row = 4; row <= 6; ++row) {
        EXPECT_EQ(s.At(row, 4).type, u"s"_s);
        EXPECT_FALSE(s.At(row, 4).Text().startsWith(u'\''));
    }
    EXPECT_EQ(s.At(5, 4).Text(), u"李四"_s);
    EXPECT_EQ(s.At(5, 3).Text(), u"采购开单"_s);
}

TEST_F(GridExportTest, AHiddenColumnLeavesNoGapAndAnEmptyListGivesTheHeadingsOnly) {
    FormMain->RunMoneyReport(kVouchers);
    TDataGrid* grid = Vouchers()->DBGridEh1;
    ASSERT_EQ(grid->RowCount(), 0);
    grid->View()->setColumnHidden(grid->ColumnIndex(u"AccountName"_s), true);

    ui.ExpectSaveFile(File(u"财务"_s)); // the suffix is added
    ui.ExpectOpenUrl(true);
    Vouchers()->SpeedButton7->click();
    EXPECT_TRUE(ui.History().front().startPath.endsWith(u"/财务报表20240305.xlsx"_s));
    const auto sheets = Sheets(File(u"财务.xlsx"_s));
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].rows, 3);
    EXPECT_EQ(sheets[0].RowTexts(3),
              QStringList({u"创建时间"_s, u"单据编号"_s, u"客户名称"_s, u"收入"_s, u"支出"_s, u"合计"_s,
                           u"业务员"_s, u"收支种类"_s, u"类别"_s, u"凭证"_s, u"备注信息"_s}));
}

TEST_F(GridExportTest, NamesThatLookLikeFormulasAreWrittenAsText) {
    const QStringList names = {u"=1+1"_s, u"+86 138"_s, u"-张三"_s, u"@SUM(A1)"_s, u"=cmd|' /C calc'!A0"_s};
    for (int i = 0; i < names.size(); ++i)
        Bill(u"=S%1"_s.arg(i), u"销售开单"_s, 100 + i, names[i], u"2024-03-0%1"_s.arg(i + 1), u"+备注"_s);
    FormMain->RunBillReport(kBills);
    ExportBills(File());
    const auto sheets = Sheets(File());
    ASSERT_EQ(sheets.size(), 1u);
    for (int i = 0; i < names.size(); ++i) {
        for (int column : {2, 4, 11}) {
            const tevtest::XlsxCell cell = sheets[0].At(4 + i, column);
            EXPECT_EQ(cell.type, u"s"_s) << names[i].toStdString() << " column " << column;
        }
        EXPECT_EQ(sheets[0].At(4 + i, 4).Text(), names[i]);
        EXPECT_EQ(sheets[0].At(4 + i, 2).Text(), u"=S%1"_s.arg(i));
    }
}

TEST_F(GridExportTest, AFileThatCannotBeWrittenIsReportedAndAMissingProgramNamesTheFile) {
    Bill(u"XS001"_s, u"销售开单"_s, 100, u"张三"_s, u"2024-03-05"_s);
    FormMain->RunBillReport(kBills);

    const QString missing = out.filePath(u"无此文件夹/业务报表.xlsx"_s);
    ui.ExpectSaveFile(missing);
    ui.ExpectMessage(kExportFailed + u"\n文件或文件夹不存在："_s + missing);
    Bills()->SpeedButton6->click();
    EXPECT_FALSE(QFile::exists(missing));
    ui.VerifyAllUsed();

    // Nothing opens the file: the user is told where it is.
    ui.ExpectSaveFile(File());
    ui.ExpectOpenUrl(false);
    ui.ExpectMessage(kNoSpreadsheetProgram + u"\n文件已保存在："_s + File());
    Bills()->SpeedButton6->click();
    EXPECT_EQ(Sheets(File()).size(), 1u) << "the file stays";
}

TEST_F(GridExportTest, AListNeverSearchedExportsNothingAndTheMenuOffersTheExport) {
    // Greyed until a search, saying why; the routine itself does nothing without a list.
    EXPECT_FALSE(Bills()->SpeedButton6->isEnabled());
    EXPECT_EQ(Bills()->SpeedButton6->toolTip(), u"请先用“查找单据”查出单据"_s);
    EXPECT_TRUE(ExportGridToExcel(Bills()->DBGridEh2).isEmpty());
    EXPECT_TRUE(ui.History().empty());

    auto* action = Bills()->findChild<QAction*>(u"ExportAction"_s);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), u"导出Excel"_s);
    EXPECT_FALSE(action->isEnabled());
    Bill(u"XS001"_s, u"销售开单"_s, 100, u"张三"_s, u"2024-03-05"_s);
    FormMain->RunBillReport(kBills);
    EXPECT_TRUE(action->isEnabled());
    ui.ExpectSaveFile(File());
    ui.ExpectOpenUrl(true);
    action->trigger();
    EXPECT_EQ(Sheets(File()).at(0).At(4, 2).Text(), u"XS001"_s);

    // Cancelling the save dialog writes nothing.
    ui.ExpectSaveFile(QString());
    FormMain->RunMoneyReport(kVouchers);
    Vouchers()->SpeedButton7->click();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList({u"业务报表.xlsx"_s}));
}

} // namespace
