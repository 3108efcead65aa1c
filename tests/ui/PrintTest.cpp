// Printing bills and vouchers through the report engine, the template designer on the
// settings page, and the choice of list templates.

#include "tests/ui/DocumentFixture.h"

#include "bills/BuySellForm.h"
#include "report_designer/TemplateDocument.h"
#include "ui/ReportSupport.h"
#include "vouchers/GetPayForm.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class PrintTest : public tevtest::DocumentFixture {
protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        customer = AddCustomer(u"张三"_s);
        account = AddAccount(u"现金"_s);
    }

    // Opens a stored bill in the editor, as a bill tile does.
    void OpenBill(qint64 bill) {
        FormBuySell->OpenMode = OpenMode::Change;
        FormBuySell->DocKind =
            BillKindFromText(Field(u"Bill"_s, u"BillKind"_s, u"BillIndex"_s, bill).toString())
                .value_or(BillKind::Purchase);
        FormBuySell->CurrentBill = int(bill);
        FormBuySell->Unlocked = false;
        FormBuySell->CustomerFixed = false;
        ASSERT_TRUE(FormBuySell->RunFormShow());
    }
    void OpenVoucher(qint64 voucher) {
        FormGetPay->OpenMode = OpenMode::Change;
        FormGetPay->DocKind =
            VoucherKindOfSum(Field(u"MoneyTable"_s, u"MoneySum"_s, u"MoneyIndex"_s, voucher).toDouble());
        FormGetPay->CurrentVoucher = int(voucher);
        ASSERT_TRUE(FormGetPay->RunFormShow());
    }
    // The preview opens; its report's text is kept for the test.
    void ExpectPreview(Report& report, QString* dump) {
        ui.ExpectModal(u"ReportPreview"_s, [&report, dump](QDialog*) { *dump = report.TextDump(); });
    }
    QString PdfText(Report& report) {
        const QString pdf = dir.path() + u"/out.pdf"_s;
        EXPECT_TRUE(report.ExportPdf(pdf)) << report.LastError().toStdString();
        QProcess p;
        p.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        EXPECT_TRUE(p.waitForFinished(20000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // A copy of the shipped templates that a test may change.
    void UseOwnTemplates() {
        const QString frf = dir.path() + u"/Frf"_s;
        QFile::remove(frf); // the link to the shipped folder
        QDir().mkpath(frf);
        const QDir shipped(QString::fromUtf8(TEV_BIN_DIR) + u"/Frf"_s);
        for (const QString& f : shipped.entryList({u"*.frf"_s}, QDir::Files))
            ASSERT_TRUE(QFile::copy(shipped.filePath(f), frf + u"/"_s + f));
    }

    qint64 customer = 0, account = 0;
};

TEST_F(PrintTest, SalesBillPrintsReceivedOwedVouchersAndCapitals) {
    const qint64 bill = AddBill(u"销售开单"_s, u"张三"_s, 1000, u"XS0001"_s);
    AddVoucher(account, u"张三"_s, 300, bill, u"SR0001"_s);
    AddVoucher(account, u"张三"_s, 200, bill, u"SR0002"_s);
    OpenBill(bill);
    QString dump;
    ExpectPreview(FormBuySell->frReport1, &dump); // a locked bill prints without the password
    FormBuySell->SpeedButton1->click();
    EXPECT_EQ(Scalar(u"SELECT BigFontValue FROM PrintBigFont"_s).toString(),
              u"壹仟　零佰　零拾　零元　零角　零分　"_s);
    for (const QString& line :
         {u"单据金额 | 1,000.00 | 已收付金额 | 500.00"_s, u"未收付金额 | 500.00"_s,
          u"1 | 2024-03-02 | SR0001 | 现金 | 300.00 | 0.00 | 300.00"_s,
          u"2 | 2024-03-02 | SR0002 | 现金 | 200.00 | 0.00 | 200.00"_s,
          u"金额大写 | 壹仟　零佰　零拾　零元　零角　零分"_s, u"客户名称 | 张三"_s, u"XS0001"_s})
        EXPECT_TRUE(dump.contains(line)) << line.toStdString() << "\n" << dump.toStdString();
    const QString pdf = PdfText(FormBuySell->frReport1);
    EXPECT_TRUE(pdf.contains(u"500.00"_s) && pdf.contains(u"SR0002"_s) && pdf.contains(u"壹仟"_s))
        << pdf.toStdString();
}

TEST_F(PrintTest, PaidPurchaseBillPrintsItsSignsAndTheCapitalsOfItsAmount) {
    const qint64 bill = AddBill(u"采购开单"_s, u"张三"_s, -800, u"CG0001"_s);
    AddVoucher(account, u"张三"_s, -500, bill);
    AddVoucher(account, u"张三"_s, -300, bill);
    OpenBill(bill);
    QString dump;
    ExpectPreview(FormBuySell->frReport1, &dump);
    FormBuySell->ActionPrintExecute();
    for (const QString& line : {u"单据金额 | -800.00 | 已收付金额 | -800.00"_s, u"未收付金额 | 0.00"_s,
                                u"金额大写 | 捌佰　零拾　零元　零角　零分"_s})
        EXPECT_TRUE(dump.contains(line)) << line.toStdString() << "\n" << dump.toStdString();
}

TEST_F(PrintTest, VanishedBillIsReported) {
    const qint64 bill = AddBill(u"销售开单"_s, u"张三"_s, 100);
    OpenBill(bill);
    Sql(u"DELETE FROM Bill WHERE BillIndex = ?"_s, {bill});
    ui.ExpectMessage(u"找不到要打印的单据"_s);
    FormBuySell->ActionPrintExecute();
}

TEST_F(PrintTest, VoucherPrintsItsStoredAmountInFiguresAndCapitals) {
    const qint64 voucher = AddVoucher(account, u"张三"_s, -80.5, 0, u"ZC0001"_s);
    OpenVoucher(voucher);
    QString dump;
    ExpectPreview(FormGetPay->frReport1, &dump);
    FormGetPay->PrintButton->click();
    EXPECT_EQ(FormGetPay->CapitalText, u"捌拾　零元　伍角　零分　"_s);
    EXPECT_TRUE(dump.contains(u"80.50"_s)) << dump.toStdString();
    EXPECT_TRUE(dump.contains(u"捌拾　零元　伍角　零分"_s)) << dump.toStdString();
    const QString pdf = PdfText(FormGetPay->frReport1);
    EXPECT_TRUE(pdf.contains(u"80.50"_s) && pdf.contains(u"捌拾"_s) && pdf.contains(u"伍角"_s))
        << pdf.toStdString();
    // The printout names the account and says whether the money came in or went out.
    EXPECT_TRUE(dump.contains(u"帐户名称 | 现金 | 收支类型 | 支出\n"_s)) << dump.toStdString();
    const qint64 income = AddVoucher(account, u"张三"_s, 120, 0, u"SR0001"_s);
    OpenVoucher(income);
    ExpectPreview(FormGetPay->frReport1, &dump);
    FormGetPay->PrintButton->click();
    EXPECT_TRUE(dump.contains(u"帐户名称 | 现金 | 收支类型 | 收入\n"_s)) << dump.toStdString();
}

// Figures and capitals come from the one stored record. The capitals used to follow the unsaved
// box (80.50 beside 玖拾): a voucher whose figures and capitals disagree is a wrong document.
TEST_F(PrintTest, AVoucherWithUnsavedChangesAsksFirstAndPrintsOneConsistentRecord) {
    const QString ask = u"单据内容已修改但尚未保存，是否先保存再打印？\n选择“否”将打印已保存的单据。"_s;
    SetModifyPassword(u"k"_s);
    const qint64 voucher = AddVoucher(account, u"张三"_s, -80.5, 0, u"ZC0001"_s);
    OpenVoucher(voucher);
    FormGetPay->Edit2->setText(u"90"_s);

    // No: the stored voucher, figures and capitals alike; the box keeps what was typed.
    QString dump;
    ui.ExpectYesNo(ask, u"打印确认"_s, false);
    ExpectPreview(FormGetPay->frReport1, &dump);
    FormGetPay->ActionPrintExecute();
    EXPECT_EQ(FormGetPay->CapitalText, u"捌拾　零元　伍角　零分　"_s);
    EXPECT_TRUE(dump.contains(u"80.50"_s) && dump.contains(u"捌拾　零元　伍角　零分"_s))
        << dump.toStdString();
    EXPECT_FALSE(dump.contains(u"玖拾"_s));
    EXPECT_EQ(FormGetPay->Edit2->text(), u"90"_s);
    EXPECT_DOUBLE_EQ(Field(u"MoneyTable"_s, u"MoneySum"_s, u"MoneyIndex"_s, voucher).toDouble(), -80.5);

    // Yes: stored behind the password with the usual checks, then printed as stored.
    ui.ExpectYesNo(ask, u"打印确认"_s, true);
    ExpectPassword(u"k"_s);
    ui.ExpectMessage(u"记录修改成功"_s);
    ExpectPreview(FormGetPay->frReport1, &dump);
    FormGetPay->ActionPrintExecute();
    EXPECT_DOUBLE_EQ(Field(u"MoneyTable"_s, u"MoneySum"_s, u"MoneyIndex"_s, voucher).toDouble(), -90);
    EXPECT_TRUE(dump.contains(u"90.00"_s) && dump.contains(u"玖拾　零元　零角　零分"_s))
        << dump.toStdString();
    EXPECT_EQ(FormGetPay->result(), QDialog::Accepted);

    // Yes, but a check fails: nothing is stored and nothing prints.
    OpenVoucher(voucher);
    FormGetPay->Edit2->setText(u"abc"_s);
    ui.ExpectYesNo(ask, u"打印确认"_s, true);
    ui.ExpectMessage(u"金额格式有误，请重新输入"_s);
    FormGetPay->ActionPrintExecute();
    EXPECT_DOUBLE_EQ(Field(u"MoneyTable"_s, u"MoneySum"_s, u"MoneyIndex"_s, voucher).toDouble(), -90);
}

TEST_F(PrintTest, AnUnlockedBillWithUnsavedChangesAsksFirst) {
    const QString ask = u"单据内容已修改但尚未保存，是否先保存再打印？\n选择“否”将打印已保存的单据。"_s;
    SetModifyPassword(u"k"_s);
    const qint64 bill = AddBill(u"销售开单"_s, u"张三"_s, 1000, u"XS0001"_s);
    OpenBill(bill);
    // Locked: what was typed cannot become the bill, so the stored bill prints without a question.
    FormBuySell->Edit2->setText(u"1200"_s);
    QString dump;
    ExpectPreview(FormBuySell->frReport1, &dump);
    FormBuySell->ActionPrintExecute();
    EXPECT_TRUE(dump.contains(u"1,000.00"_s)) << dump.toStdString();

    ExpectPassword(u"k"_s);
    FormBuySell->ActionEditExecute();
    ui.ExpectYesNo(ask, u"打印确认"_s, false);
    ExpectPreview(FormBuySell->frReport1, &dump);
    FormBuySell->ActionPrintExecute();
    EXPECT_TRUE(dump.contains(u"1,000.00"_s) && dump.contains(u"壹仟"_s)) << dump.toStdString();

    ui.ExpectYesNo(ask, u"打印确认"_s, true);
    ui.ExpectMessage(u"记录修改成功"_s);
    ExpectPreview(FormBuySell->frReport1, &dump);
    FormBuySell->ActionPrintExecute();
    EXPECT_TRUE(dump.contains(u"1,200.00"_s) && dump.contains(u"壹仟　贰佰"_s)) << dump.toStdString();
    EXPECT_DOUBLE_EQ(Field(u"Bill"_s, u"BillSum"_s, u"BillIndex"_s, bill).toDouble(), 1200);
    EXPECT_EQ(FormBuySell->result(), QDialog::Accepted);
}

TEST_F(PrintTest, VariableIsAskedWhilePreparingAndAgainForThePreview) {
    const qint64 voucher = AddVoucher(account, u"张三"_s, 25);
    OpenVoucher(voucher);
    int asked = 0;
    ui.ExpectModal(u"ReportPreview"_s, [&](QDialog*) {});
    // Wrap the window's callback to count the requests.
    FormGetPay->ActionPrintExecute();
    FormGetPay->frReport1.SetVariableCallback([&](const QString& name, QVariant& value) {
        ++asked;
        FormGetPay->frReport1GetValue(name, value);
    });
    ASSERT_TRUE(FormGetPay->frReport1.PrepareReport());
    EXPECT_EQ(asked, 1);
    QVariant other;
    FormGetPay->frReport1GetValue(u"Other"_s, other);
    EXPECT_FALSE(other.isValid());
}

TEST_F(PrintTest, MissingTemplateIsReportedWithItsPath) {
    const qint64 voucher = AddVoucher(account, u"张三"_s, 25);
    UseOwnTemplates();
    QFile::remove(dir.path() + u"/Frf/Money.frf"_s);
    OpenVoucher(voucher);
    ui.ExpectMessage(u"找不到报表模板文件：%1"_s.arg(DataDir + u"Frf/Money.frf"_s));
    FormGetPay->ActionPrintExecute();
}

TEST_F(PrintTest, TemplateSavedFromTheDesignerIsUsedByTheNextPrint) {
    UseOwnTemplates();
    const QString path = dir.path() + u"/Frf/Bill.frf"_s;
    TemplateDocument doc;
    QString error;
    ASSERT_TRUE(doc.Load(path, &error)) << error.toStdString();
    ReportObject stamp;
    stamp.name = u"Stamp"_s;
    stamp.kind = ObjectKind::Text;
    stamp.rect = QRectF(10, 2, 60, 6);
    stamp.text = u"已审核：[ADOQuery1.BillSerial]"_s;
    doc.AddObject(0, stamp);
    ASSERT_TRUE(doc.Save(path, &error)) << error.toStdString();

    const qint64 bill = AddBill(u"销售开单"_s, u"张三"_s, 10, u"XS7"_s);
    OpenBill(bill);
    QString dump;
    ExpectPreview(FormBuySell->frReport1, &dump);
    FormBuySell->ActionPrintExecute();
    EXPECT_TRUE(dump.contains(u"已审核：XS7"_s)) << dump.toStdString();
}

TEST_F(PrintTest, DesignButtonOpensTheDesignerModally) {
    ui.ExpectModal(u"ReportDesigner"_s, [](QDialog* d) { d->reject(); });
    FormMain->DesignButton->click();
    EXPECT_EQ(FormMain->DesignButton->text(), u"单据设计"_s);
}

TEST(ListTemplates, PrintTypePicksPortraitOrLandscape) {
    const struct {
        bool bills;
        QString type;
        QString file;
    } cases[] = {
        {true, u"纵向打印"_s, u"BillReport.frf"_s},   {true, u"横向打印"_s, u"BillReport2.frf"_s},
        {false, u"纵向打印"_s, u"MoneyReport.frf"_s}, {false, u"横向打印"_s, u"MoneyReport2.frf"_s},
        {false, u"其他"_s, u"MoneyReport2.frf"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListTemplateName(c.bills, c.type), c.file) << c.type.toStdString();
}

} // namespace
