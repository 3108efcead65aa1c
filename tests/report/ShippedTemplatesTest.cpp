// The eight templates the program ships, filled with data shaped like the program's queries.

#include "QStringPrint.h"
#include "ReportFixtures.h"

#include "report_engine/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;
using namespace tev::testing;

namespace {

const char* const kTemplates[] = {"Bill.frf",          "Money.frf",       "BillReport.frf",
                                  "BillReport2.frf",   "MoneyReport.frf", "MoneyReport2.frf",
                                  "CustomerMonth.frf", "MoneyMonth.frf"};

// The text of a PDF (or of one of its pages) as pdftotext reads it, in reading order.
QString PdfText(const QString& pdf, int page = 0) {
    QStringList args = {u"-enc"_s, u"UTF-8"_s, u"-raw"_s};
    if (page > 0) args << u"-f"_s << QString::number(page) << u"-l"_s << QString::number(page);
    QProcess p;
    p.start(u"pdftotext"_s, args << pdf << u"-"_s);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return u"<pdftotext failed>"_s;
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
    QProcess p;
    p.start(u"pdfinfo"_s, {pdf});
    if (!p.waitForFinished(30000)) return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString Lines(const QStringList& lines) {
    return lines.join(u'\n');
}

class ShippedTemplate : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedTemplate, LoadsPreparesAndIsStoredCanonically) {
    const QString name = QString::fromLatin1(GetParam());
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, name)) << report.LastError().toStdString();
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    ASSERT_GE(report.PageCount(), 1);
    EXPECT_FALSE(report.TextDump().contains(u'[')) << "an expression left unresolved";

    // Amounts stand right-aligned, and nothing reaches into the margins or off the paper.
    static const QRegularExpression amount(u"^[¥-]*[0-9,]+\\.[0-9]{2}$"_s);
    const PageSetup& page = report.Template().page;
    const QRectF printable(page.marginLeft, page.marginTop, page.ContentWidth(),
                           page.PageSize().height() - page.marginTop - page.marginBottom);
    int amounts = 0;
    for (const RenderedPage& p : report.Pages()) {
        for (const RenderedItem& item : p.items) {
            const QRectF& r = item.Rect();
            EXPECT_TRUE(r.left() >= printable.left() - 0.01 && r.right() <= printable.right() + 0.01 &&
                        r.top() >= printable.top() - 0.01 && r.bottom() <= printable.bottom() + 0.01)
                << item.object.name.toStdString() << " outside the margins";
            if (item.Kind() == ObjectKind::Text && amount.match(item.Text()).hasMatch()) {
                ++amounts;
                EXPECT_EQ(item.object.hAlign, HAlign::Right)
                    << item.object.name.toStdString() << " " << item.Text().toStdString();
            }
        }
    }
    EXPECT_GE(amounts, 3);

    QFile file(FrfPath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(TemplateToXml(report.Template()), file.readAll()) << "re-saving changes the file";

    const QByteArray keep = qgetenv("TEV_REPORT_SAMPLES");
    if (!keep.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(keep));
        EXPECT_TRUE(report.ExportPdf(QString::fromLocal8Bit(keep) + u'/' + name + u".pdf"_s));
    }
}

INSTANTIATE_TEST_SUITE_P(Frf, ShippedTemplate, ::testing::ValuesIn(kTemplates), [](const auto& info) {
    return QString::fromLatin1(info.param).section(u'.', 0, 0).toStdString();
});

} // namespace

namespace {

TEST(BillPrint, SalesBillShowsReceivedOwedCapitalsAndItsVouchers) {
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"Bill.frf"_s));
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    ASSERT_EQ(report.PageCount(), 1);
    const QStringList lines = PageTextLines(report.Pages()[0]);
    for (const QString& expected : {
             u"销售开单"_s,
             u"单据编号：XS000125 | 开单日期：2024年5月3日"_s,
             u"客户名称 | 杭州明远贸易有限公司 | 单据类型 | 销售开单"_s,
             u"单据金额 | 1,000.00 | 已收付金额 | 500.00"_s,
             u"未收付金额 | 500.00 | 经 手 人 | 张晓燕"_s,
             u"金额大写 | 壹仟　零佰　零拾　零元　零角　零分　"_s,
             u"1 | 2024-05-03 | SK000031 | 工商银行基本户 | 300.00 | 0.00 | 300.00"_s,
             u"2 | 2024-05-10 | SK000034 | 现金 | 200.00 | 0.00 | 200.00"_s,
             u"合　　计 | 500.00 | 0.00 | 500.00"_s,
             u"经手人：张晓燕 | 审核： | 客户签字："_s,
             u"打印日期：2024-05-31"_s,
             u"第 1 页 / 共 1 页"_s,
         }) {
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString() << "\nin\n"
                                              << Lines(lines).toStdString();
    }
    // The received and owed amounts fill their boxes from the right, beside their labels:
    // margins 15 and 12, the grid 26 mm down the title band, rows of 9 mm, labels 24 mm wide.
    const QStringList items = PageTextItems(report.Pages()[0]);
    EXPECT_TRUE(items.contains(u"129.0 56.0 66.0x9.0 right 500.00"_s)) << Lines(items).toStdString();
    EXPECT_TRUE(items.contains(u"39.0 65.0 66.0x9.0 right 500.00"_s));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"Bill.pdf"_s);
    ASSERT_TRUE(report.ExportPdf(pdf)) << report.LastError().toStdString();
    const QString text = PdfText(pdf);
    for (const QString& expected :
         {u"已收付金额"_s, u"未收付金额"_s, u"杭州明远贸易有限公司"_s, u"SK000031"_s, u"300.00"_s,
          u"SK000034"_s, u"200.00"_s, u"500.00"_s, u"壹仟 零佰 零拾 零元 零角 零分"_s, u"帐户名称"_s}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\nin\n" << text.toStdString();
    }
}

TEST(BillPrint, PaidPurchaseBillAndBillWithoutVouchers) {
    ReportFixtures data;
    data.billRow.SetValue(0, u"BillKind"_s, u"采购开单"_s);
    data.billRow.SetValue(0, u"BillSum"_s, -800.0);
    data.billRow.SetValue(0, u"BillGet"_s, -800.0);
    data.billRow.SetValue(0, u"BillOwe"_s, 0.0);
    data.billVouchers = ReportTable(data.billVouchers.Columns());
    data.billVouchers.AddRow({31, u"2024-05-20"_s, u"FK000040"_s, u"现金"_s, 0.0, 800.0, -800.0});
    Report report;
    ASSERT_TRUE(data.Bind(report, u"Bill.frf"_s));
    ASSERT_TRUE(report.PrepareReport());
    QStringList lines = PageTextLines(report.Pages()[0]);
    EXPECT_EQ(lines.value(0), u"采购开单"_s);
    EXPECT_TRUE(lines.contains(u"单据金额 | -800.00 | 已收付金额 | -800.00"_s)) << Lines(lines).toStdString();
    EXPECT_TRUE(lines.contains(u"未收付金额 | 0.00 | 经 手 人 | 张晓燕"_s));
    EXPECT_TRUE(lines.contains(u"合　　计 | 0.00 | 800.00 | -800.00"_s));

    data.billVouchers = ReportTable(data.billVouchers.Columns());
    ASSERT_TRUE(report.PrepareReport());
    lines = PageTextLines(report.Pages()[0]);
    EXPECT_TRUE(lines.contains(u"序号 | 收付日期 | 凭证编号 | 帐户名称 | 收入金额 | 支出金额 | 合计"_s));
    EXPECT_TRUE(lines.contains(u"合　　计 | 0.00 | 0.00 | 0.00"_s)) << Lines(lines).toStdString();
    EXPECT_FALSE(Lines(lines).contains(u"FK000040"_s));
}

TEST(VoucherPrint, ExpenseVoucherShowsUnsignedAmountAndTheCapitalsVariable) {
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"Money.frf"_s));
    EXPECT_EQ(data.moneyCnAsked, 0);
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    EXPECT_EQ(data.moneyCnAsked, 1) << "the variable is asked while preparing";
    const QStringList lines = PageTextLines(report.Pages()[0]);
    for (const QString& expected : {
             u"财务单据"_s,
             u"单据编号：FK000018 | 日期：2024年5月6日"_s,
             u"帐户名称 | 现金 | 收支类型 | 支出"_s,
             u"客户名称 | 上海户外用品商行 | 收支项目 | 中介服务费"_s,
             u"款项类别 | 办公费用 | 款项凭证 | 收据"_s,
             u"收入金额 | 0.00 | 支出金额 | 80.50"_s,
             u"金额(小写) | ¥80.50 | 收支合计 | -80.50"_s,
             u"金额(大写) | 捌拾　零元　伍角　零分　"_s,
             u"备　　注 | 代付看房交通费"_s,
             u"经手人：王芳 | 审核： | 出纳： | 交/领款人："_s,
         }) {
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString() << "\nin\n"
                                              << Lines(lines).toStdString();
    }

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"Money.pdf"_s);
    ASSERT_TRUE(report.ExportPdf(pdf));
    EXPECT_EQ(data.moneyCnAsked, 1) << "exporting prints the prepared pages";
    const QString text = PdfText(pdf);
    // The glyphs come back as themselves: 角 and 户 are the ones other faces turn into radicals.
    for (const QString& expected : {u"80.50"_s, u"¥80.50"_s, u"上海户外用品商行"_s, u"捌拾 零元 伍角 零分"_s,
                                    u"财务单据"_s, u"交/领款人"_s}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\nin\n" << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QChar(0x2EC6))) << "角 came back as a radical";
    EXPECT_FALSE(text.contains(QChar(0x2F3E))) << "户 came back as a radical";

    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(data.moneyCnAsked, 2) << "every preparation asks again";
}

class ListPrint : public ::testing::TestWithParam<const char*> {};

TEST_P(ListPrint, HundredRowsBreakIntoPagesWithHeadersAndPageNumbers) {
    const QString name = QString::fromLatin1(GetParam());
    const bool bills = name.startsWith(u"Bill"_s);
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, name));
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    const int pages = report.PageCount();
    ASSERT_GE(pages, 3);

    const QString heading =
        bills ? u"创建时间 | 单据编号 | 单据类型 | 客户名称 | 单据金额 | 已收金额 | 未收金额 | 业务员 | "
                u"业务种类 | 业务进度 | 备注信息"_s
              : u"创建时间 | 单据编号 | 帐户名称 | 客户名称 | 收入 | 支出 | 合计 | 业务员 | 收支种类 | "
                u"类别 | 凭证 | 备注信息"_s;
    const double right = report.Template().page.PageSize().width() - report.Template().page.marginRight;
    int rowsSeen = 0;
    for (int p = 0; p < pages; ++p) {
        const QStringList lines = PageTextLines(report.Pages()[p]);
        EXPECT_EQ(lines.value(0), bills ? u"业务单据报表"_s : u"财务单据报表"_s) << "page " << p + 1;
        EXPECT_EQ(lines.value(2), heading) << "page " << p + 1;
        const QString pageNo = u"第 %1 页 / 共 %2 页"_s.arg(p + 1).arg(pages);
        EXPECT_TRUE(lines.last().endsWith(pageNo)) << lines.last().toStdString();
        bool placed = false;
        for (const RenderedItem& item : report.Pages()[p].items) {
            if (item.Text() != pageNo) continue;
            placed = item.object.hAlign == HAlign::Right && qAbs(item.Rect().right() - right) < 0.01;
        }
        EXPECT_TRUE(placed) << "page number right-aligned at the right margin on page " << p + 1;
        for (const QString& line : lines) {
            if (line.startsWith(u"2024-05-"_s)) ++rowsSeen;
        }
    }
    EXPECT_EQ(rowsSeen, 100);
    const QString dump = report.TextDump();
    for (int i = 0; i < 100; ++i) {
        const QString serial = QString::number((bills ? 100 : 300) + i).rightJustified(6, u'0');
        EXPECT_EQ(dump.count(serial), 1) << serial.toStdString();
    }
    const QString summary =
        PageTextLines(report.Pages().last()).value(PageTextLines(report.Pages().last()).size() - 2);
    EXPECT_EQ(summary, bills ? u"合计：共 100 条 | 168,375.00 | 84,612.50 | 83,762.50"_s
                             : u"合计：共 100 条 | 60,018.75 | 20,618.75 | 39,400.00"_s);

    // Rows grow with long names and never split: every cell of a row has the row's box, the
    // rows follow one another and end above the page footer.
    const ReportTemplate& t = report.Template();
    const ReportBand* master = nullptr;
    double footer = 0;
    for (const ReportBand& band : t.bands) {
        if (band.kind == BandKind::MasterData) master = &band;
        if (band.kind == BandKind::PageFooter) footer += band.height;
    }
    ASSERT_TRUE(master && master->stretch);
    const QString customerField = bills ? u"[BillUser]"_s : u"[MoneyUser]"_s;
    QSet<QString> cells;
    for (const ReportObject& o : master->objects) {
        cells.insert(o.name);
        if (o.text == customerField || o.text.endsWith(u"Remark]"_s) || o.text == u"[AccountName]"_s) {
            EXPECT_TRUE(o.wordWrap && !o.shrinkToFit) << o.name.toStdString();
        }
    }
    const double bodyBottom = t.page.PageSize().height() - t.page.marginBottom - footer;
    const RenderedItem* wrappedOnPage2 = nullptr;
    double shortRow = 0, longRow = 0;
    for (int p = 0; p < pages; ++p) {
        QList<const RenderedItem*> row;
        double lastBottom = 0;
        for (const RenderedItem& item : report.Pages()[p].items) {
            if (!cells.contains(item.object.name)) continue;
            row.append(&item);
            if (row.size() < master->objects.size()) continue;
            const QRectF box = row.first()->Rect();
            for (const RenderedItem* cell : row) {
                EXPECT_DOUBLE_EQ(cell->Rect().top(), box.top()) << cell->object.name.toStdString();
                EXPECT_DOUBLE_EQ(cell->Rect().height(), box.height()) << cell->object.name.toStdString();
                if (master->objects[row.indexOf(cell)].text != customerField) continue;
                if (cell->lines.size() == 1) shortRow = box.height();
                if (cell->lines.size() > 1) longRow = box.height();
                if (p == 1 && cell->lines.size() > 1 && !wrappedOnPage2) wrappedOnPage2 = cell;
            }
            EXPECT_GE(box.top(), lastBottom - 1e-6) << "rows overlap on page " << p + 1;
            EXPECT_LE(box.bottom(), bodyBottom + 1e-6) << "a row runs into the footer on page " << p + 1;
            lastBottom = box.bottom();
            row.clear();
        }
        EXPECT_TRUE(row.isEmpty()) << "a row split on page " << p + 1;
    }
    EXPECT_DOUBLE_EQ(shortRow, master->height) << "a short name keeps the template's row";
    EXPECT_GT(longRow, shortRow + 2) << "a long name makes its row taller";
    ASSERT_NE(wrappedOnPage2, nullptr);

    // The same pages on paper: printed through a printer that writes PDF, pages 2 to 3.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(u"list.pdf"_s));
    report.ConfigurePrinter(&printer);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    ASSERT_TRUE(report.Print(&printer)) << report.LastError().toStdString();
    ASSERT_EQ(PdfPages(printer.outputFileName()), 2);
    for (int p = 1; p <= 2; ++p) {
        const QString text = PdfText(printer.outputFileName(), p);
        EXPECT_TRUE(text.contains(u"第 %1 页 / 共 %2 页"_s.arg(p + 1).arg(pages))) << text.toStdString();
        EXPECT_TRUE(text.contains(u"客户名称"_s));
        // A wrapped name comes back whole, its lines one after the other.
        if (p == 1) {
            EXPECT_TRUE(text.contains(wrappedOnPage2->lines.join(u'\n'))) << text.toStdString();
            EXPECT_EQ(wrappedOnPage2->lines.join(QString()), wrappedOnPage2->Text());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Frf, ListPrint,
                         ::testing::Values("BillReport.frf", "BillReport2.frf", "MoneyReport.frf",
                                           "MoneyReport2.frf"),
                         [](const auto& info) {
                             return QString::fromLatin1(info.param).section(u'.', 0, 0).toStdString();
                         });

TEST(MonthlyPrint, HeadingsFromPrintListAndRowsInTableOrder) {
    ReportFixtures data;
    Report customers;
    ASSERT_TRUE(data.Bind(customers, u"CustomerMonth.frf"_s));
    ASSERT_TRUE(customers.PrepareReport()) << customers.LastError().toStdString();
    EXPECT_EQ(customers.TextDump(),
              u"== page 1 of 1 ==\n"
              u"各客户应收款\n"
              u"2024年5月份\n"
              u"统计期间：2024-5-1至2024-5-31；业务员：全部；搜索：客户名称含“杭州” | 单位：元\n"
              u"客户名称 | 本月采购 | 本月销售 | 本月收付款 | 月初欠款 | 月末欠款\n"
              u"杭州明远贸易有限公司 | 0.00 | 12,500.00 | 8,000.00 | 3,200.50 | 7,700.50\n"
              u"李国华 | 300.00 | 500.00 | 200.00 | 100.00 | 100.00\n"
              u"上海户外用品商行 | 0.00 | 0.00 | 0.00 | 1,500.00 | 1,500.00\n"
              u"宁波港角信息咨询有限公司 | 2,680.00 | 15,800.75 | 9,000.00 | 0.00 | 4,120.75\n"
              u"杭州市西湖区文三路数码港房产中介服务有限公司 | 0.00 | 600.00 | 0.00 | -150.50 | 449.50\n"
              u"总合计 | 2,980.00 | 29,400.75 | 17,200.00 | 4,650.00 | 13,870.75\n"
              u"打印日期：2024-05-31 | 第 1 页 / 共 1 页\n"_s);

    // The long name is wrapped onto a second line at its own size, and its row grows with it.
    const RenderedItem* name = nullptr;
    for (const RenderedItem& item : customers.Pages()[0].items)
        if (item.Text().startsWith(u"杭州市西湖区"_s)) name = &item;
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->lines.size(), 2);
    EXPECT_EQ(name->lines.join(QString()), name->Text());
    EXPECT_DOUBLE_EQ(name->object.fontSize, 10.5);
    EXPECT_GT(name->Rect().height(), 8 + 3);
    for (const RenderedItem& item : customers.Pages()[0].items) {
        if (item.Text() == u"449.50"_s) {
            EXPECT_DOUBLE_EQ(item.Rect().height(), name->Rect().height());
        }
    }

    Report accounts;
    ASSERT_TRUE(data.Bind(accounts, u"MoneyMonth.frf"_s));
    ASSERT_TRUE(accounts.PrepareReport()) << accounts.LastError().toStdString();
    const QStringList lines = PageTextLines(accounts.Pages()[0]);
    EXPECT_EQ(lines.mid(0, 3), QStringList({u"各帐户收支月报"_s, u"2024年5月份"_s,
                                            u"统计期间：2024-5-1至2024-5-31；业务员：全部 | 单位：元"_s}));
    EXPECT_EQ(lines.value(3), u"帐户名称 | 月初余额 | 本月收入 | 本月支出 | 本月净额 | 月末余额"_s);
    EXPECT_EQ(lines.value(4), u"现金 | 1,050.00 | 300.00 | 120.00 | 180.00 | 1,230.00"_s);
    EXPECT_EQ(lines.value(7), u"总合计 | 59,050.00 | 27,600.50 | 12,120.00 | 15,480.50 | 74,530.50"_s);
}

// Many customers run over pages: every page carries the headings, what the report covers and
// the column titles; rows go whole onto a page, and the grand total ends the last one.
TEST(MonthlyPrint, ManyCustomersRunOverPagesWithTheTotalLast) {
    ReportFixtures data;
    ReportTable many(data.customerMonth.Columns());
    for (int i = 0; i < 120; ++i)
        many.AddRow({true,
                     i % 7 == 3 ? u"杭州市西湖区文三路数码港房产中介服务有限公司第%1分公司"_s.arg(i)
                                : u"客户%1"_s.arg(i),
                     u"10"_s, u"20"_s, u"5"_s, u"100"_s, u"105"_s});
    many.AddRow({true, u"总合计"_s, u"1200"_s, u"2400"_s, u"600"_s, u"12000"_s, u"12600"_s});
    Report report;
    ASSERT_TRUE(data.Bind(report, u"CustomerMonth.frf"_s));
    report.SetMainDataSet(&many, u"ADOQueryBig"_s);
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    const int pages = report.PageCount();
    ASSERT_GE(pages, 3);
    const PageSetup& page = report.Template().page;
    const double bodyBottom = page.PageSize().height() - page.marginBottom - 10;
    int rows = 0;
    for (int p = 0; p < pages; ++p) {
        const QStringList lines = PageTextLines(report.Pages()[p]);
        EXPECT_EQ(
            lines.mid(0, 4),
            QStringList({u"各客户应收款"_s, u"2024年5月份"_s,
                         u"统计期间：2024-5-1至2024-5-31；业务员：全部；搜索：客户名称含“杭州” | 单位：元"_s,
                         u"客户名称 | 本月采购 | 本月销售 | 本月收付款 | 月初欠款 | 月末欠款"_s}))
            << "page " << p + 1;
        EXPECT_EQ(lines.last(), u"打印日期：2024-05-31 | 第 %1 页 / 共 %2 页"_s.arg(p + 1).arg(pages));
        for (const QString& line : lines)
            rows += line.endsWith(u" | 10.00 | 20.00 | 5.00 | 100.00 | 105.00"_s) ? 1 : 0;
        for (const RenderedItem& item : report.Pages()[p].items) {
            if (item.object.name == u"Memo10"_s) {
                EXPECT_LE(item.Rect().bottom(), bodyBottom + 1e-6);
            }
        }
        if (p == pages - 1) {
            EXPECT_EQ(lines.value(lines.size() - 2),
                      u"总合计 | 1,200.00 | 2,400.00 | 600.00 | 12,000.00 | 12,600.00"_s);
        }
    }
    EXPECT_EQ(rows, 120);
}

} // namespace
