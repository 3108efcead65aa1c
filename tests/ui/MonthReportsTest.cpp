// The monthly reports from their buttons: "客户报表" on the customers page prints the page's
// whole list in its order with the grand total last, "帐户报表" on the accounts page the
// accounts; the progress window follows the work and is gone on every way out.

#include "tests/ui/CustomerFixture.h"

#include "app/ShareDM.h"
#include "cards/AccountCards.h"
#include "customers/CustomerForm3.h"
#include "domain/Access.h"
#include "reports/ProgressForm.h"
#include "ui/Globals.h"

#include <QComboBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

class MonthReportsTest : public tevtest::CustomerFixture {
protected:
    void SetUp() override {
        CustomerFixture::SetUp();
        QObject::connect(FormProgress->ProgressBar1, &QProgressBar::valueChanged, FormProgress,
                         [this](int value) {
                             steps.append({value, FormProgress->isVisible()});
                         });
    }

    AccountCardPage* Accounts() const { return static_cast<AccountCardPage*>(FormMain->AccountCards); }
    qint64 AddAccount(const QString& name, double base, const QString& man = u"总经理"_s) {
        Sql(u"INSERT INTO Account (AccountName, AccountBase, AccountMan) VALUES (?, ?, ?)"_s,
            {name, base, man});
        return Scalar(u"SELECT last_insert_rowid()"_s).toLongLong();
    }
    void AddVoucherOn(qint64 account, const QString& customer, double sum, const QDate& date) {
        Sql(u"INSERT INTO MoneyTable (MoneyAccount, MoneyUser, MoneySum, MoneyCreateTime) VALUES (?, ?, ?, ?)"_s,
            {account, customer, sum, date.toString(u"yyyy-MM-dd"_s)});
    }
    // The preview opens with the progress window gone; what it shows is kept.
    void ExpectPreview() {
        ui.ExpectModal(u"ReportPreview"_s, [this](QDialog*) {
            EXPECT_FALSE(FormProgress->isVisible());
            dump = FormMain->frReport1.TextDump();
        });
    }
    QStringList Lines() const { return dump.split(u'\n', Qt::SkipEmptyParts); }
    // The bar rose to full with the window up, and the window is gone now.
    void ExpectProgressShownAndGone() {
        ASSERT_FALSE(steps.isEmpty());
        for (int i = 0; i < steps.size(); ++i) {
            EXPECT_TRUE(steps[i].second) << "step " << i;
            if (i > 0) {
                EXPECT_GT(steps[i].first, steps[i - 1].first);
            }
        }
        EXPECT_EQ(steps.last().first, 100);
        EXPECT_FALSE(FormProgress->isVisible());
    }
    QString PoolAndHeadings() {
        QString all;
        for (const QString& sql :
             {u"SELECT * FROM PrintReport ORDER BY 1"_s, u"SELECT * FROM PrintList ORDER BY 1"_s}) {
            ResultSet rs;
            EXPECT_TRUE(ShareDM->ADOConnection1.Query(sql, {}, &rs));
            for (int r = 0; r < rs.RecordCount(); ++r)
                for (int c = 0; c < rs.Columns().size(); ++c)
                    all += rs.At(r, c).toString() + u'|';
        }
        return all;
    }
    QString PdfText() {
        const QString pdf = dir.path() + u"/month.pdf"_s;
        EXPECT_TRUE(FormMain->frReport1.ExportPdf(pdf)) << FormMain->frReport1.LastError().toStdString();
        QProcess p;
        p.start(u"pdftotext"_s, {u"-layout"_s, u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QList<QPair<int, bool>> steps;
    QString dump;
};

TEST_F(MonthReportsTest, CustomerReportPrintsTheWholeListInItsOrderWithTheTotalLast) {
    // The worked line, and more customers than one page of tiles holds.
    AddCustomer(u"甲"_s, 100);
    AddBill(u"甲"_s, -300, QDate(2024, 3, 1));
    AddBill(u"甲"_s, 500, QDate(2024, 3, 31));
    AddVoucher(u"甲"_s, 200, QDate(2024, 3, 12));
    AddBill(u"甲"_s, 999, QDate(2024, 4, 1));
    for (int i = 1; i <= 20; ++i)
        AddCustomer(u"客户%1"_s.arg(i, 2, 10, QChar(u'0')), i);
    // By name (pinyin), descending: 甲 (jia) comes after every 客户 (ke).
    FormMain->ComboBox6->setCurrentIndex(1);
    FormMain->ComboBox7->setCurrentIndex(1);
    ExpectPreview();
    Page()->BigReport->click();
    ExpectProgressShownAndGone();

    const QStringList lines = Lines();
    ASSERT_GE(lines.size(), 6) << dump.toStdString();
    EXPECT_EQ(lines.mid(1, 3),
              (QStringList{u"各客户应收款"_s, u"2024年3月份"_s,
                           u"统计期间：2024-3-1至2024-3-31；业务员：全部；搜索：无 | 单位：元"_s}))
        << dump.toStdString();
    QStringList names;
    for (const QString& line : lines)
        if (line.count(u" | "_s) == 5 && !line.startsWith(u"客户名称"_s))
            names << line.section(u" | "_s, 0, 0);
    QStringList expected;
    for (int i = 20; i >= 1; --i)
        expected << u"客户%1"_s.arg(i, 2, 10, QChar(u'0'));
    expected << u"甲"_s << u"总合计"_s;
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(lines.contains(u"甲 | 300.00 | 500.00 | 200.00 | 100.00 | 100.00"_s)) << dump.toStdString();
    EXPECT_TRUE(lines.contains(u"总合计 | 300.00 | 500.00 | 200.00 | 310.00 | 310.00"_s))
        << dump.toStdString();

    // The designer previews the monthly templates with the stored report, read afresh.
    FormMain->ADOQueryBig.Close();
    ui.ExpectModal(u"ReportDesigner"_s, [](QDialog* d) {
        EXPECT_EQ(FormMain->ADOQueryBig.RecordCount(), 22);
        EXPECT_EQ(FormMain->MonthPrint.ADOQueryTemp2.AsString(u"ListValue"_s), u"各客户应收款"_s);
        d->reject();
    });
    FormMain->DesignButton->click();
}

TEST_F(MonthReportsTest, TheReportReadsBackFromItsPdf) {
    AddCustomer(u"甲"_s, 100);
    AddBill(u"甲"_s, -300, QDate(2024, 3, 3));
    AddBill(u"甲"_s, 500, QDate(2024, 3, 9));
    AddVoucher(u"甲"_s, 200, QDate(2024, 3, 12));
    AddCustomer(u"杭州市西湖区文三路数码港房产中介服务有限公司"_s, 20);
    ExpectPreview();
    Page()->BigReport->click();
    const QString text = PdfText();
    for (const QString& pattern :
         {u"2024年3月份"_s, u"各客户应收款"_s,
          u"甲\\s+300\\.00\\s+500\\.00\\s+200\\.00\\s+100\\.00\\s+100\\.00"_s,
          u"总合计\\s+300\\.00\\s+500\\.00\\s+200\\.00\\s+120\\.00\\s+120\\.00"_s, u"第 1 页 / 共 1 页"_s})
        EXPECT_TRUE(QRegularExpression(pattern).match(text).hasMatch()) << pattern.toStdString() << "\nin\n"
                                                                        << text.toStdString();
    // A long name is wrapped onto a second line, not shrunk or cut.
    EXPECT_TRUE(text.contains(u"杭州市西湖区文三路数码港\n"_s) && text.contains(u"房产中介服务有限公司"_s))
        << text.toStdString();
}

TEST_F(MonthReportsTest, TheSalesmansOwnCustomersOfTheSearchAndTheReportSaysSo) {
    AddCustomer(u"华联"_s, 10, {}, u"李明"_s);
    AddCustomer(u"华润"_s, 20, {}, u"王芳"_s);
    AddCustomer(u"新世纪"_s, 30, {}, u"李明"_s);
    CurrentUser = u"李明"_s;
    CustomerFilter = FiltersFor(CurrentUser).customer;
    FormCustomer3->Search.texts[0] = u"华"_s;
    ExpectPreview();
    Page()->BigReport->click();
    const QStringList lines = Lines();
    EXPECT_TRUE(
        lines.contains(u"统计期间：2024-3-1至2024-3-31；业务员：李明；搜索：客户名称含“华” | 单位：元"_s))
        << dump.toStdString();
    EXPECT_TRUE(lines.contains(u"华联 | 0.00 | 0.00 | 0.00 | 10.00 | 10.00"_s)) << dump.toStdString();
    EXPECT_TRUE(lines.contains(u"总合计 | 0.00 | 0.00 | 0.00 | 10.00 | 10.00"_s));
    EXPECT_FALSE(dump.contains(u"华润"_s) || dump.contains(u"新世纪"_s));
}

TEST_F(MonthReportsTest, NothingIsPrintedWithoutCustomersOrWhenAStatementFails) {
    // No customer in the list.
    ui.ExpectMessage(u"无客户记录可以统计"_s);
    Page()->BigReport->click();
    EXPECT_FALSE(FormProgress->isVisible());

    // A first report, then one whose sums the database refuses, then one whose rows it refuses
    // part-way: the pool stays the first report's and nothing is previewed.
    AddCustomer(u"甲"_s, 100);
    AddCustomer(u"乙"_s, 200);
    ExpectPreview();
    Page()->BigReport->click();
    const QString before = PoolAndHeadings();
    Sql(u"ALTER TABLE MoneyTable RENAME TO MoneyElsewhere"_s);
    ui.ExpectMessage(u"数据库打开失败"_s);
    Page()->BigReport->click();
    EXPECT_FALSE(FormProgress->isVisible());
    Sql(u"ALTER TABLE MoneyElsewhere RENAME TO MoneyTable"_s);

    AddCustomer(u"丙"_s, 300);
    Sql(u"CREATE TRIGGER refuse BEFORE UPDATE ON PrintReport WHEN NEW.ReportGrid1 = '丙' "
        "BEGIN SELECT RAISE(ABORT, 'x'); END"_s);
    steps.clear();
    ui.ExpectMessage(u"数据库打开失败"_s);
    Page()->BigReport->click();
    EXPECT_FALSE(FormProgress->isVisible());
    EXPECT_FALSE(steps.isEmpty());
    EXPECT_EQ(PoolAndHeadings(), before);
}

TEST_F(MonthReportsTest, AccountReportPrintsEveryAccountWithTheTotalLast) {
    const qint64 cash = AddAccount(u"现金"_s, 1000);
    AddVoucherOn(cash, u"甲"_s, 300, QDate(2024, 3, 4));
    AddVoucherOn(cash, u"甲"_s, -120, QDate(2024, 3, 31));
    AddVoucherOn(cash, u"甲"_s, 50, QDate(2024, 2, 29));
    const qint64 bank = AddAccount(u"工商银行"_s, 0);
    AddVoucherOn(bank, u"乙"_s, 0, QDate(2024, 3, 9));
    AddVoucherOn(bank, u"乙"_s, -45.5, QDate(2024, 3, 1));
    Sql(u"UPDATE PrintList SET ListValue = '上次的标题' WHERE ListIndex = 2"_s);
    ExpectPreview();
    Accounts()->MoneyMonth->click();
    ExpectProgressShownAndGone();
    const QStringList lines = Lines();
    EXPECT_EQ(lines.mid(1, 3), (QStringList{u"各帐户收支月报"_s, u"2024年3月份"_s,
                                            u"统计期间：2024-3-1至2024-3-31；业务员：全部 | 单位：元"_s}))
        << dump.toStdString();
    EXPECT_EQ(lines.value(4), u"帐户名称 | 月初余额 | 本月收入 | 本月支出 | 本月净额 | 月末余额"_s);
    EXPECT_EQ(lines.value(5), u"现金 | 1,050.00 | 300.00 | 120.00 | 180.00 | 1,230.00"_s);
    EXPECT_EQ(lines.value(6), u"工商银行 | 0.00 | 0.00 | 45.50 | -45.50 | -45.50"_s);
    EXPECT_EQ(lines.value(7), u"总合计 | 1,050.00 | 300.00 | 165.50 | 134.50 | 1,184.50"_s);
    EXPECT_EQ(Scalar(u"SELECT ListValue FROM PrintList WHERE ListIndex = 2"_s).toString(), u"上次的标题"_s);
}

TEST_F(MonthReportsTest, NoAccountToReportDoesNothing) {
    AddAccount(u"总经理帐户"_s, 500, u"总经理"_s);
    CurrentUser = u"李明"_s;
    AccountFilter = FiltersFor(CurrentUser).account;
    const QString before = PoolAndHeadings();
    Accounts()->MoneyMonth->click(); // no message, no preview: the seam fails on any
    EXPECT_FALSE(FormProgress->isVisible());
    EXPECT_EQ(PoolAndHeadings(), before);
}

} // namespace
