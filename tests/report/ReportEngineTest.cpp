// The engine on small templates built in code: values and formats, expressions, page
// layout, variables, errors and the template file.

#include "QStringPrint.h"

#include "report_engine/Report.h"
#include "report_engine/ReportExpression.h"
#include "report_engine/ReportFile.h"
#include "report_engine/ReportFormat.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

ReportObject Text(const QString& name, double x, double y, double w, double h, const QString& text,
                  const QString& format = {}, HAlign align = HAlign::Left) {
    ReportObject o;
    o.name = name;
    o.rect = QRectF(x, y, w, h);
    o.text = text;
    o.format = format;
    o.hAlign = align;
    return o;
}

ReportBand Band(BandKind kind, double height, QList<ReportObject> objects, const QString& dataSet = {}) {
    ReportBand b;
    b.kind = kind;
    b.name = BandKindName(kind);
    b.height = height;
    b.objects = std::move(objects);
    b.dataSet = dataSet;
    return b;
}

// A custom page with 100 mm of room for bands between 10 mm margins.
ReportTemplate SmallPage() {
    ReportTemplate t;
    t.page.size = u"Custom"_s;
    t.page.width = 100;
    t.page.height = 120;
    t.page.marginLeft = t.page.marginRight = t.page.marginTop = t.page.marginBottom = 10;
    return t;
}

ReportTable Amounts(int rows) {
    ReportTable t({u"Name"_s, u"Amount"_s});
    for (int i = 1; i <= rows; ++i)
        t.AddRow({u"第%1行"_s.arg(i), double(i)});
    return t;
}

QString FirstText(const RenderedPage& page, const QString& objectName) {
    for (const RenderedItem& item : page.items) {
        if (item.object.name == objectName) return item.Text();
    }
    return u"<none>"_s;
}

QStringList TextsOf(const Report& report, const QString& objectName) {
    QStringList texts;
    for (const RenderedPage& page : report.Pages()) {
        for (const RenderedItem& item : page.items) {
            if (item.object.name == objectName) texts << item.Text();
        }
    }
    return texts;
}

// ---- values and formats ----------------------------------------------------------------

struct FormatCase {
    QVariant value;
    QString format;
    QString expected;
};

TEST(ReportFormat, WritesNumbersDatesAndTexts) {
    const FormatCase cases[] = {
        {1000.0, u"#,##0.00"_s, u"1,000.00"_s},
        {-1234567.891, u"#,##0.00"_s, u"-1,234,567.89"_s},
        {80.5, u"0.00"_s, u"80.50"_s},
        {80.5, QString(), u"80.5"_s},
        {1.0 / 3.0, QString(), u"0.3333"_s},
        {-0.001, u"0.00"_s, u"0.00"_s},
        {u"1234.5"_s, u"#,##0.00"_s, u"1,234.50"_s},
        {u"总合计"_s, u"#,##0.00"_s, u"总合计"_s},
        {12.3, u"0.##"_s, u"12.3"_s},
        {12.0, u"0.##"_s, u"12"_s},
        {1234.5, u"¥#,##0.00"_s, u"¥1,234.50"_s},
        {-5, u"0.00 元"_s, u"-5.00 元"_s},
        {999.999, u"#,##0.00"_s, u"1,000.00"_s},
        {u"2024-05-03"_s, u"yyyy年M月d日"_s, u"2024年5月3日"_s},
        {u"2024-05-03 10:20:00"_s, u"yyyy-MM-dd"_s, u"2024-05-03"_s},
        {QDate(2024, 5, 3), QString(), u"2024-05-03"_s},
        {QDate(2024, 5, 3), u"0.00"_s, u"2024-05-03"_s},
        {u"XS000125"_s, u"yyyy-MM-dd"_s, u"XS000125"_s},
        {true, QString(), u"是"_s},
        {QVariant(), u"0.00"_s, QString()},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatReportValue(c.value, c.format), c.expected)
            << c.value.toString().toStdString() << " with " << c.format.toStdString();
    }
}

// ---- expressions -----------------------------------------------------------------------

TEST(ReportExpression, SplitsTextAndRefusesBrokenExpressions) {
    QList<TextPiece> pieces;
    QString error;
    ASSERT_TRUE(
        ParseReportText(u"[[注] 金额：[ ADOQuery1.BillSum ]元 [sum(Amount)][PAGE#]"_s, &pieces, &error));
    ASSERT_EQ(pieces.size(), 5);
    EXPECT_EQ(pieces[0].literal, u"[注] 金额："_s);
    EXPECT_EQ(pieces[1].expression.dataSet, u"ADOQuery1"_s);
    EXPECT_EQ(pieces[1].expression.field, u"BillSum"_s);
    EXPECT_EQ(pieces[2].literal, u"元 "_s);
    EXPECT_EQ(pieces[3].expression.kind, ReportExpression::Kind::Sum);
    EXPECT_EQ(pieces[4].expression.kind, ReportExpression::Kind::PageNumber);

    const std::pair<QString, QString> broken[] = {
        {u"合计 [BillSum"_s, u"缺少与 [ 配对的 ]"_s},  {u"[]"_s, u"方括号中没有内容"_s},
        {u"[SUM()]"_s, u"SUM 的参数应为字段名"_s},     {u"[AVG(BillSum)]"_s, u"不认识的函数 AVG"_s},
        {u"[a.b.c]"_s, u"无法识别的表达式 [a.b.c]"_s}, {u"[Bill Sum]"_s, u"无法识别的表达式 [Bill Sum]"_s},
    };
    for (const auto& [text, message] : broken) {
        error.clear();
        EXPECT_FALSE(ParseReportText(text, &pieces, &error)) << text.toStdString();
        EXPECT_EQ(error, message) << text.toStdString();
    }
}

// ---- layout ----------------------------------------------------------------------------

// A list: title on every page, a repeated column header, one line per row, a summary and
// a page footer with page numbers and page sums.
ReportTemplate ListTemplate() {
    ReportTemplate t = SmallPage();
    t.bands = {
        Band(BandKind::PageHeader, 10, {Text(u"Title"_s, 0, 0, 80, 10, u"清单"_s)}),
        Band(BandKind::DataHeader, 8, {Text(u"Head"_s, 0, 0, 80, 8, u"名称 | 金额"_s)}),
        Band(BandKind::MasterData, 8,
             {Text(u"Line"_s, 0, 0, 10, 8, u"[LINE#]"_s), Text(u"Name"_s, 10, 0, 40, 8, u"[Name]"_s),
              Text(u"Amount"_s, 50, 0, 30, 8, u"[Amount]"_s, u"0.00"_s, HAlign::Right)}),
        Band(BandKind::ReportSummary, 8,
             {Text(u"Total"_s, 0, 0, 80, 8, u"共 [COUNT] 条，合计 [SUM(Amount)]"_s, u"#,##0.00"_s)}),
        Band(BandKind::PageFooter, 10,
             {Text(u"PageSum"_s, 0, 0, 40, 5, u"本页 [PAGESUM(Amount)]"_s, u"0.00"_s),
              Text(u"PageNo"_s, 40, 5, 40, 5, u"第 [PAGE#] 页 / 共 [TOTALPAGES] 页"_s, {}, HAlign::Right)}),
    };
    return t;
}

TEST(ReportLayout, ListBreaksPagesWithHeadersFootersAndSums) {
    // Room for bands: 120 - 10 - 10 - 10 (footer) = 90 mm; header 10 + column header 8
    // leave 72 mm, nine rows of 8 mm per page.
    const ReportTable rows = Amounts(20);
    Report report;
    report.SetTemplate(ListTemplate());
    report.SetMainDataSet(&rows);
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    ASSERT_EQ(report.PageCount(), 3);

    EXPECT_EQ(TextsOf(report, u"Title"_s), QStringList({u"清单"_s, u"清单"_s, u"清单"_s}));
    EXPECT_EQ(TextsOf(report, u"Head"_s).size(), 3) << "the column header repeats on every page";
    QStringList expectedLines;
    for (int i = 1; i <= 20; ++i)
        expectedLines << QString::number(i);
    EXPECT_EQ(TextsOf(report, u"Line"_s), expectedLines) << "every row once, in order";
    EXPECT_EQ(TextsOf(report, u"PageNo"_s),
              QStringList({u"第 1 页 / 共 3 页"_s, u"第 2 页 / 共 3 页"_s, u"第 3 页 / 共 3 页"_s}));
    // Rows 1-9, 10-18 and 19-20.
    EXPECT_EQ(TextsOf(report, u"PageSum"_s),
              QStringList({u"本页 45.00"_s, u"本页 126.00"_s, u"本页 39.00"_s}));
    EXPECT_EQ(TextsOf(report, u"Total"_s), QStringList({u"共 20 条，合计 210.00"_s}));
    EXPECT_EQ(FirstText(report.Pages()[2], u"Total"_s), u"共 20 条，合计 210.00"_s);

    // Positions: the first row sits under the headers; the footer at the bottom margin.
    const RenderedPage& first = report.Pages()[0];
    for (const RenderedItem& item : first.items) {
        if (item.object.name == u"Line"_s && item.Text() == u"1"_s) {
            EXPECT_DOUBLE_EQ(item.Rect().top(), 28.0);
        } else if (item.object.name == u"PageNo"_s) {
            EXPECT_DOUBLE_EQ(item.Rect().bottom(), 110.0);
            EXPECT_DOUBLE_EQ(item.Rect().right(), 90.0);
        }
    }
}

TEST(ReportLayout, HeaderNeverStandsAloneAtTheFootOfAPage) {
    ReportTemplate t = SmallPage();
    t.bands = {
        Band(BandKind::ReportTitle, 90, {Text(u"Title"_s, 0, 0, 80, 10, u"标题"_s)}),
        Band(BandKind::DataHeader, 6, {Text(u"Head"_s, 0, 0, 80, 6, u"表头"_s)}),
        Band(BandKind::MasterData, 8, {Text(u"Name"_s, 0, 0, 80, 8, u"[Name]"_s)}),
    };
    const ReportTable rows = Amounts(2);
    Report report;
    report.SetTemplate(t);
    report.SetMainDataSet(&rows);
    ASSERT_TRUE(report.PrepareReport());
    // 90 + 6 fits in 100 mm, 90 + 6 + 8 does not: the header moves with the first row.
    ASSERT_EQ(report.PageCount(), 2);
    EXPECT_EQ(FirstText(report.Pages()[0], u"Head"_s), u"<none>"_s);
    EXPECT_EQ(FirstText(report.Pages()[1], u"Head"_s), u"表头"_s);
}

TEST(ReportLayout, BandTallerThanThePageStillEnds) {
    ReportTemplate t = SmallPage();
    t.bands = {Band(BandKind::MasterData, 150, {Text(u"Name"_s, 0, 0, 80, 8, u"[Name]"_s)})};
    const ReportTable rows = Amounts(3);
    Report report;
    report.SetTemplate(t);
    report.SetMainDataSet(&rows);
    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(report.PageCount(), 3);
}

TEST(ReportLayout, FirstAndLastPageOnlyBands) {
    ReportTemplate t = SmallPage();
    ReportBand firstOnly = Band(BandKind::PageHeader, 5, {Text(u"First"_s, 0, 0, 80, 5, u"首页页眉"_s)});
    firstOnly.everyPage = false;
    ReportBand notFirst = Band(BandKind::PageHeader, 5, {Text(u"Later"_s, 0, 0, 80, 5, u"续页 [PAGE#]"_s)});
    notFirst.onFirstPage = false;
    ReportBand lastOnly = Band(BandKind::PageFooter, 5, {Text(u"Last"_s, 0, 0, 80, 5, u"末页页脚"_s)});
    lastOnly.everyPage = false;
    t.bands = {firstOnly, notFirst,
               Band(BandKind::MasterData, 30, {Text(u"Name"_s, 0, 0, 80, 8, u"[Name]"_s)}), lastOnly};
    const ReportTable rows = Amounts(7);
    Report report;
    report.SetTemplate(t);
    report.SetMainDataSet(&rows);
    ASSERT_TRUE(report.PrepareReport());
    ASSERT_EQ(report.PageCount(), 3);
    EXPECT_EQ(TextsOf(report, u"First"_s), QStringList{u"首页页眉"_s});
    EXPECT_EQ(TextsOf(report, u"Later"_s), QStringList({u"续页 2"_s, u"续页 3"_s}));
    EXPECT_EQ(TextsOf(report, u"Last"_s), QStringList{u"末页页脚"_s});
    EXPECT_EQ(FirstText(report.Pages()[2], u"Last"_s), u"末页页脚"_s);
}

TEST(ReportLayout, DetailBandsAndOtherDataSets) {
    ReportTemplate t = SmallPage();
    t.bands = {
        Band(BandKind::ReportTitle, 10,
             {Text(u"Bill"_s, 0, 0, 80, 5, u"[Bill.Serial] 共 [COUNT(Items)] 项，[SUM(Items.Qty)] 件"_s)}),
        Band(BandKind::MasterData, 6, {Text(u"Main"_s, 0, 0, 80, 6, u"[LINE#] [Name]"_s)}),
        Band(BandKind::DataHeader, 6, {Text(u"ItemsHead"_s, 0, 0, 80, 6, u"明细"_s)}),
        Band(BandKind::DetailData, 6, {Text(u"Item"_s, 0, 0, 80, 6, u"[LINE#] [Items.Goods] [Items.Qty]"_s)},
             u"Items"_s),
        Band(BandKind::DataFooter, 6, {Text(u"ItemsFoot"_s, 0, 0, 80, 6, u"最后一项 [Items.Goods]"_s)}),
        Band(BandKind::ReportSummary, 6, {Text(u"Sum"_s, 0, 0, 80, 6, u"末行 [Name]"_s)}),
    };
    ReportTable bill({u"Serial"_s});
    bill.AddRow({u"XS000125"_s});
    ReportTable items({u"Goods"_s, u"Qty"_s});
    items.AddRow({u"桌子"_s, 2});
    items.AddRow({u"椅子"_s, 6});
    const ReportTable main = Amounts(2);
    Report report;
    report.SetTemplate(t);
    report.SetMainDataSet(&main, u"Lines"_s);
    report.SetDataSet(u"bill"_s, &bill); // names are matched without regard to case
    report.SetDataSet(u"Items"_s, &items);
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    EXPECT_EQ(report.TextDump(), u"== page 1 of 1 ==\n"
                                 u"XS000125 共 2 项，8 件\n"
                                 u"1 第1行\n"
                                 u"2 第2行\n"
                                 u"明细\n"
                                 u"1 桌子 2\n"
                                 u"2 椅子 6\n"
                                 u"最后一项 椅子\n"
                                 u"末行 第2行\n"_s);
}

TEST(ReportLayout, EmptyReportIsOneBlankPage) {
    Report report;
    ASSERT_TRUE(report.PrepareReport());
    ASSERT_EQ(report.PageCount(), 1);
    EXPECT_TRUE(report.Pages()[0].items.isEmpty());
    EXPECT_EQ(report.Pages()[0].size, QSizeF(210, 297));
}

// ---- bands that grow with their content ------------------------------------------------

// A framed table row: a line number, a wrapped name, an amount and the page sum so far,
// with a rule under the row. The band grows when `stretch` is set.
ReportTemplate GrowingList(bool stretch) {
    ReportTemplate t = ListTemplate();
    ReportObject name = Text(u"Name"_s, 10, 0, 40, 8, u"[Name]"_s);
    name.wordWrap = true;
    name.shrinkToFit = false;
    ReportObject running = Text(u"Running"_s, 80, 0, 0, 8, u"[PAGESUM(Amount)]"_s, u"0.00"_s);
    ReportBand& rows = t.bands[2];
    rows.objects = {Text(u"Line"_s, 0, 0, 10, 8, u"[LINE#]"_s), name,
                    Text(u"Amount"_s, 50, 0, 30, 8, u"[Amount]"_s, u"0.00"_s, HAlign::Right), running};
    for (ReportObject& o : rows.objects)
        o.frame = FrameAll;
    ReportObject rule;
    rule.kind = ObjectKind::Line;
    rule.name = u"Rule"_s;
    rule.rect = QRectF(0, 8, 80, 0);
    rows.objects.append(rule);
    rows.stretch = stretch;
    return t;
}

// Names of three lengths: one line, two lines and three lines in the 39 mm of the name cell.
ReportTable Names(int rows) {
    ReportTable t({u"Name"_s, u"Amount"_s});
    for (int i = 1; i <= rows; ++i) {
        QString name = u"客户%1"_s.arg(i);
        if (i % 3 == 1) name += u"号宁波港角信息咨询有限公司"_s;
        if (i % 5 == 2) name += u"杭州明远贸易有限公司上海户外用品商行"_s;
        t.AddRow({name, double(i)});
    }
    return t;
}

// The rows a page holds, by line number: every item of the row's band, in template order.
QMap<int, QList<const RenderedItem*>> RowsOf(const RenderedPage& page) {
    QMap<int, QList<const RenderedItem*>> rows;
    int line = 0;
    for (const RenderedItem& item : page.items) {
        if (item.object.name == u"Line"_s) line = item.Text().toInt();
        if (QStringList({u"Line"_s, u"Name"_s, u"Amount"_s, u"Running"_s, u"Rule"_s})
                .contains(item.object.name))
            rows[line].append(&item);
    }
    return rows;
}

TEST(ReportStretch, LongNameMakesItsRowTallerAndTheRowKeepsOneHeight) {
    const ReportTable names = Names(3);
    Report report;
    report.SetTemplate(GrowingList(true));
    report.SetMainDataSet(&names);
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    ASSERT_EQ(report.PageCount(), 1);
    const QMap<int, QList<const RenderedItem*>> rows = RowsOf(report.Pages()[0]);
    ASSERT_EQ(rows.keys(), QList<int>({1, 2, 3}));

    double top = 28; // margin 10, page header 10, column header 8
    QList<double> heights;
    for (int line = 1; line <= 3; ++line) {
        const QList<const RenderedItem*>& row = rows[line];
        ASSERT_EQ(row.size(), 5);
        const QRectF name = row[1]->Rect();
        EXPECT_DOUBLE_EQ(name.top(), top) << "row " << line << " starts where the last ended";
        for (const RenderedItem* cell : row.mid(0, 4)) {
            EXPECT_DOUBLE_EQ(cell->Rect().top(), name.top()) << cell->object.name.toStdString();
            EXPECT_DOUBLE_EQ(cell->Rect().height(), name.height()) << cell->object.name.toStdString();
        }
        EXPECT_DOUBLE_EQ(row[4]->Rect().top(), name.bottom()) << "the rule stays under its row";
        EXPECT_EQ(row[1]->lines.join(QString()), names.Value(line - 1, 0).toString())
            << "the lines hold the whole name, in order";
        EXPECT_EQ(row[1]->Text(), names.Value(line - 1, 0).toString());
        heights << name.height();
        top = name.bottom();
    }
    EXPECT_EQ(rows[1][1]->lines.size(), 2);
    EXPECT_EQ(rows[2][1]->lines.size(), 3);
    EXPECT_EQ(rows[3][1]->lines.size(), 1);
    EXPECT_DOUBLE_EQ(heights[2], 8.0) << "a short name keeps the template's height";
    EXPECT_GT(heights[0], 8.0 + 3.0);
    EXPECT_GT(heights[1], heights[0] + 3.0);
    // The amounts stay in their cells, right-aligned, and the summary follows the last row.
    EXPECT_EQ(rows[1][2]->Text(), u"1.00"_s);
    EXPECT_EQ(rows[1][2]->object.hAlign, HAlign::Right);
    for (const RenderedItem& item : report.Pages()[0].items) {
        if (item.object.name == u"Total"_s) {
            EXPECT_DOUBLE_EQ(item.Rect().top(), top);
        }
    }

    // Without stretch the same rows keep the template's height and its text stays whole.
    report.SetTemplate(GrowingList(false));
    ASSERT_TRUE(report.PrepareReport());
    for (const QList<const RenderedItem*>& row : RowsOf(report.Pages()[0])) {
        for (const RenderedItem* cell : row.mid(0, 4))
            EXPECT_DOUBLE_EQ(cell->Rect().height(), 8.0);
    }
}

TEST(ReportStretch, GrownRowsMoveWholeToTheNextPageWithHeadersSumsAndPageNumbers) {
    const int count = 40;
    const ReportTable names = Names(count);
    Report report;
    report.SetTemplate(GrowingList(true));
    report.SetMainDataSet(&names);
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    const int pages = report.PageCount();
    ASSERT_GE(pages, 4);

    // The body runs from the margin to the footer: 10 to 100 mm.
    int expectedLine = 1;
    for (int p = 0; p < pages; ++p) {
        const RenderedPage& page = report.Pages()[p];
        EXPECT_EQ(FirstText(page, u"Title"_s), u"清单"_s) << "page " << p + 1;
        EXPECT_EQ(FirstText(page, u"Head"_s), u"名称 | 金额"_s) << "page " << p + 1;
        const QMap<int, QList<const RenderedItem*>> rows = RowsOf(page);
        ASSERT_FALSE(rows.isEmpty());
        double top = 28, pageSum = 0;
        for (auto it = rows.begin(); it != rows.end(); ++it) {
            EXPECT_EQ(it.key(), expectedLine++) << "rows in order, each once";
            const QRectF name = it.value()[1]->Rect();
            EXPECT_DOUBLE_EQ(name.top(), top);
            EXPECT_LE(name.bottom(), 100.0 + 1e-6) << "row " << it.key() << " runs into the footer";
            EXPECT_EQ(it.value()[3]->Text(), u"%1.00"_s.arg(pageSum, 0, 'f', 0))
                << "the running page sum of row " << it.key();
            pageSum += it.key();
            top = name.bottom();
        }
        // The next page's first row did not fit under this page's last.
        if (p + 1 < pages) {
            const QList<const RenderedItem*> next = RowsOf(report.Pages()[p + 1]).first();
            EXPECT_GT(top + next[1]->Rect().height(), 100.0) << "page " << p + 1 << " broke early";
        }
        EXPECT_EQ(FirstText(page, u"PageSum"_s), u"本页 %1.00"_s.arg(pageSum, 0, 'f', 0));
        EXPECT_EQ(FirstText(page, u"PageNo"_s), u"第 %1 页 / 共 %2 页"_s.arg(p + 1).arg(pages));
        for (const RenderedItem& item : page.items) {
            if (item.object.name == u"PageNo"_s) {
                EXPECT_DOUBLE_EQ(item.Rect().bottom(), 110.0);
            }
        }
    }
    EXPECT_EQ(expectedLine, count + 1);
    EXPECT_EQ(TextsOf(report, u"Total"_s), QStringList({u"共 40 条，合计 820.00"_s}));
}

struct WrapCase {
    QString text;
    double width; // mm, the box with 0.5 mm of padding on each side
    QStringList lines;
};

TEST(ReportStretch, WrapBreaksChineseAnywhereLatinAtSpacesAndLongWordsInside) {
    ReportObject o = Text(u"Memo1"_s, 0, 0, 0, 8, QString());
    o.wordWrap = true;
    const QFontMetricsF metrics(ReportFont(o, kLayoutPxPerMm));
    // 10.5 pt Song: a Chinese character is 3.7 mm wide.
    const WrapCase cases[] = {
        {u"宁波港角信息咨询有限公司"_s, 20, {u"宁波港角信"_s, u"息咨询有限"_s, u"公司"_s}},
        {u"alpha beta gamma delta"_s, 25, {u"alpha beta"_s, u"gamma delta"_s}},
        {u"杭州 Mingyuan 贸易"_s, 20, {u"杭州"_s, u"Mingyuan"_s, u"贸易"_s}},
        {u"甲乙\n丙"_s, 80, {u"甲乙"_s, u"丙"_s}},
        {QString(), 20, {QString()}},
    };
    for (const WrapCase& c : cases) {
        o.text = c.text;
        o.rect.setWidth(c.width);
        EXPECT_EQ(WrapReportText(o), c.lines) << c.text.toStdString();
    }

    // A word wider than the box breaks inside the word, and no piece is wider than the box.
    o.text = u"Supercalifragilisticexpialidocious"_s;
    o.rect.setWidth(20);
    const QStringList pieces = WrapReportText(o);
    EXPECT_GE(pieces.size(), 2);
    EXPECT_EQ(pieces.join(QString()), o.text);
    for (const QString& piece : pieces)
        EXPECT_LE(metrics.horizontalAdvance(piece), 19 * kLayoutPxPerMm) << piece.toStdString();
}

// ---- variables and errors --------------------------------------------------------------

TEST(ReportVariables, AskedOncePerNameAtEachPreparation) {
    ReportTemplate t = SmallPage();
    t.bands = {Band(BandKind::MasterData, 8,
                    {Text(u"Memo1"_s, 0, 0, 80, 8, u"[Name] [MoneyCN] [MoneyCN]"_s),
                     Text(u"Memo2"_s, 0, 0, 80, 8, u"[Amount] [Rate]"_s, u"0.00"_s)})};
    const ReportTable rows = Amounts(3);
    QStringList asked;
    int preparation = 0;
    Report report;
    report.SetTemplate(t);
    report.SetMainDataSet(&rows);
    report.SetVariableCallback([&](const QString& name, QVariant& value) {
        asked << name;
        if (name == u"MoneyCN"_s) value = u"第%1次"_s.arg(preparation);
        if (name == u"Rate"_s) value = 0.5;
    });
    preparation = 1;
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    EXPECT_EQ(asked, QStringList({u"MoneyCN"_s, u"Rate"_s})) << "fields are not asked; each variable once";
    EXPECT_EQ(FirstText(report.Pages()[0], u"Memo1"_s), u"第1行 第1次 第1次"_s);
    EXPECT_EQ(FirstText(report.Pages()[0], u"Memo2"_s), u"1.00 0.50"_s);

    preparation = 2;
    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(asked.size(), 4) << "a new preparation asks again";
    EXPECT_EQ(FirstText(report.Pages()[0], u"Memo1"_s), u"第1行 第2次 第2次"_s);
}

TEST(ReportVariables, UnknownNamesFailPreparationWithTheEnginesMessage) {
    const ReportTable rows = Amounts(1);
    ReportTable bill({u"BillSum"_s});
    const std::pair<QString, QString> cases[] = {
        {u"[BillFoo]"_s, u"报表对象 Memo3 引用了不存在的字段 BillFoo"_s},
        {u"[ADOQuery1.BillFoo]"_s, u"报表对象 Memo3 引用了不存在的字段 ADOQuery1.BillFoo"_s},
        {u"[Nowhere.BillSum]"_s, u"报表对象 Memo3 引用了不存在的数据集 Nowhere"_s},
        {u"[SUM(BillFoo)]"_s, u"报表对象 Memo3 引用了不存在的字段 BillFoo"_s},
        {u"合计 [Amount"_s, u"报表对象 Memo3 的文字有误：缺少与 [ 配对的 ]"_s},
    };
    for (const auto& [text, message] : cases) {
        ReportTemplate t = SmallPage();
        // The object sits in a band that prints nothing: the check does not depend on data.
        t.bands = {Band(BandKind::DetailData, 8, {Text(u"Memo3"_s, 0, 0, 80, 8, text)}, u"ADOQuery1"_s)};
        Report report;
        report.SetTemplate(t);
        report.SetMainDataSet(&rows);
        report.SetDataSet(u"ADOQuery1"_s, &bill);
        report.SetVariableCallback([](const QString&, QVariant&) {});
        EXPECT_FALSE(report.PrepareReport()) << text.toStdString();
        EXPECT_EQ(report.LastError(), message);
        EXPECT_EQ(report.PageCount(), 0);
        EXPECT_FALSE(report.ExportPdf(QDir::temp().filePath(u"never.pdf"_s)));
    }

    ReportTemplate t = SmallPage();
    t.bands = {Band(BandKind::DetailData, 8, {}, u"Missing"_s)};
    Report report;
    report.SetTemplate(t);
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(report.LastError(), u"报表区域 DetailData 引用了不存在的数据集 Missing"_s);
}

TEST(ReportVariables, NoDataSetsAtAllIsNoCrash) {
    ReportTemplate t = SmallPage();
    t.bands = {Band(BandKind::ReportTitle, 8, {Text(u"Memo1"_s, 0, 0, 80, 8, u"[COUNT] [DATE]"_s)}),
               Band(BandKind::MasterData, 8, {Text(u"Memo2"_s, 0, 0, 80, 8, u"[LINE#]"_s)})};
    Report report;
    report.SetTemplate(t);
    report.SetToday(QDate(2024, 5, 31));
    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(report.TextDump(), u"== page 1 of 1 ==\n0 2024-05-31\n"_s);
}

// ---- template files --------------------------------------------------------------------

// Every attribute away from its default, every kind of object and band.
ReportTemplate EverythingTemplate() {
    ReportTemplate t;
    t.title = u"测试 <全部> & \"属性\""_s;
    t.page.size = u"Custom"_s;
    t.page.width = 241.3;
    t.page.height = 139.7;
    t.page.landscape = true;
    t.page.marginLeft = 7.5;
    t.page.marginTop = 0;
    t.page.marginRight = 12.25;
    t.page.marginBottom = 3;
    ReportObject text = Text(u"Memo1"_s, 1.1, 2.2, 33.3, 4.4, u"第一行\n  第二行 <a&b> [BillSum]　"_s,
                             u"#,##0.00"_s, HAlign::Right);
    text.fontFamily = HeiFontFamily();
    text.fontSize = 12.5;
    text.bold = text.italic = text.wordWrap = true;
    text.shrinkToFit = false;
    text.color = QColor(0x12, 0x34, 0x56);
    text.vAlign = VAlign::Bottom;
    text.padding = 0;
    text.frame = FrameLeft | FrameBottom;
    text.lineWidth = 0.35;
    text.lineColor = QColor(200, 0, 0, 128);
    text.fill = QColor(0xee, 0xee, 0xee);
    ReportObject line;
    line.kind = ObjectKind::Line;
    line.name = u"Line1"_s;
    line.rect = QRectF(0, 5, 100, 0);
    line.lineWidth = 0.5;
    line.lineColor = Qt::blue;
    ReportObject rect = line;
    rect.kind = ObjectKind::Rect;
    rect.name = u"Shape1"_s;
    rect.rect = QRectF(1, 1, 20, 10);
    rect.fill = Qt::yellow;
    ReportObject picture;
    picture.kind = ObjectKind::Picture;
    picture.name = u"Picture1"_s;
    picture.rect = QRectF(2, 2, 10, 10);
    picture.pictureFile = u"logo.png"_s;
    picture.keepAspect = false;
    ReportObject embedded = picture;
    embedded.name = u"Picture2"_s;
    embedded.pictureFile.clear();
    embedded.pictureData = QByteArray("\x89PNG fake bytes\x00\x01", 17);
    ReportBand header = Band(BandKind::PageHeader, 12.5, {text, line});
    header.everyPage = false;
    header.onFirstPage = false;
    ReportBand columns = Band(BandKind::DataHeader, 6, {rect});
    columns.repeatOnNewPage = false;
    columns.stretch = true;
    t.bands = {Band(BandKind::ReportTitle, 20, {picture, embedded}),
               header,
               columns,
               Band(BandKind::MasterData, 7, {}),
               Band(BandKind::DetailData, 7, {}, u"ADOQuery1"_s),
               Band(BandKind::DataFooter, 7, {}),
               Band(BandKind::ReportSummary, 7, {}),
               Band(BandKind::PageFooter, 7, {})};
    return t;
}

TEST(ReportFile, WritesAndReadsBackEveryProperty) {
    const ReportTemplate t = EverythingTemplate();
    const QByteArray xml = TemplateToXml(t);
    ReportTemplate back;
    QString error;
    ASSERT_TRUE(ParseTemplate(xml, &back, &error)) << error.toStdString();
    EXPECT_TRUE(back == t);
    EXPECT_EQ(TemplateToXml(back), xml);
    // Defaults are left out, so a plain object stays short.
    ReportTemplate plain;
    plain.bands = {Band(BandKind::MasterData, 7, {Text(u"Memo1"_s, 0, 0, 10, 5, u"[BillSum]"_s)})};
    EXPECT_TRUE(
        TemplateToXml(plain).contains(R"(<text name="Memo1" x="0" y="0" w="10" h="5">[BillSum]</text>)"));
}

TEST(ReportFile, RefusesWhatItDoesNotKnowAndNamesTheLine) {
    const std::pair<const char*, QString> cases[] = {
        {"<report version=\"1\">\n<band kind=\"MasterData\" name=\"B\" height=\"7\">\n"
         "<text name=\"M\" x=\"0\" y=\"0\" w=\"1\" h=\"1\" colour=\"red\"/>\n</band>\n</report>",
         u"第 3 行：元素 <text> 不认识属性 colour"_s},
        {"<report>\n<band kind=\"Middle\" name=\"B\" height=\"7\"/>\n</report>",
         u"第 2 行：不认识的区域类型 \"Middle\""_s},
        {"<report>\n<band kind=\"MasterData\" name=\"B\" height=\"seven\"/>\n</report>",
         u"第 2 行：属性 height 的值 \"seven\" 不是数字"_s},
        {"<report>\n<page size=\"A4\"/>\n<table/>\n</report>", u"第 3 行：<report> 中不应有元素 <table>"_s},
        {"<report version=\"2\"/>", u"第 1 行：模板格式版本 2 高于本程序支持的版本 1"_s},
        {"<bill/>", u"第 1 行：根元素应为 <report>"_s},
        {"<report>\n<band kind=\"MasterData\" name=\"B\" height=\"7\">\n<text name=\"M\">unclosed",
         u"第 3 行："_s},
    };
    for (const auto& [xml, message] : cases) {
        ReportTemplate out;
        out.title = u"untouched"_s;
        QString error;
        EXPECT_FALSE(ParseTemplate(QByteArray(xml), &out, &error)) << xml;
        EXPECT_TRUE(error.startsWith(message)) << error.toStdString();
        EXPECT_EQ(out.title, u"untouched"_s);
    }
}

TEST(ReportFile, MissingOrBrokenFileKeepsThePreviousTemplate) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ReportTemplate good = SmallPage();
    good.bands = {Band(BandKind::ReportTitle, 10, {Text(u"Memo1"_s, 0, 0, 80, 10, u"原来的模板"_s)})};
    const QString goodPath = dir.filePath(u"Good.frf"_s);
    ASSERT_TRUE(WriteTemplateFile(goodPath, good, nullptr));

    Report report;
    ASSERT_TRUE(report.LoadFromFile(goodPath));
    EXPECT_EQ(report.FileName(), goodPath);

    const QString missing = dir.filePath(u"Frf/Nothing.frf"_s);
    EXPECT_FALSE(report.LoadFromFile(missing));
    EXPECT_EQ(report.FailedFile(), missing);
    EXPECT_EQ(report.LastError(), u"报表模板文件 %1 不存在"_s.arg(missing));
    EXPECT_TRUE(report.Template() == good);
    EXPECT_EQ(report.FileName(), goodPath);

    const QString broken = dir.filePath(u"Broken.frf"_s);
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<report>\n<band kind=\"MasterData\"");
    file.close();
    EXPECT_FALSE(report.LoadFromFile(broken));
    EXPECT_TRUE(report.LastError().startsWith(u"报表模板文件 %1 格式错误，第 2 行"_s.arg(broken)))
        << report.LastError().toStdString();
    EXPECT_TRUE(report.Template() == good);

    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(report.TextDump(), u"== page 1 of 1 ==\n原来的模板\n"_s);
}

TEST(ReportFile, PicturesComeFromBesideTheTemplateOrFromTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(QDir().mkpath(dir.filePath(u"img"_s)));
    ASSERT_TRUE(logo.save(dir.filePath(u"img/logo.png"_s)));
    QByteArray bytes;
    {
        QFile f(dir.filePath(u"img/logo.png"_s));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes = f.readAll();
    }
    ReportObject fromFile;
    fromFile.kind = ObjectKind::Picture;
    fromFile.name = u"Picture1"_s;
    fromFile.rect = QRectF(0, 0, 20, 10);
    fromFile.pictureFile = u"img/logo.png"_s;
    ReportObject embedded = fromFile;
    embedded.name = u"Picture2"_s;
    embedded.pictureFile.clear();
    embedded.pictureData = bytes;
    ReportObject missing = fromFile;
    missing.name = u"Picture3"_s;
    missing.pictureFile = u"img/none.png"_s;
    ReportTemplate t = SmallPage();
    t.bands = {Band(BandKind::ReportTitle, 10, {fromFile, embedded, missing})};
    ASSERT_TRUE(WriteTemplateFile(dir.filePath(u"Pictures.frf"_s), t, nullptr));

    Report report;
    ASSERT_TRUE(report.LoadFromFile(dir.filePath(u"Pictures.frf"_s)));
    ASSERT_TRUE(report.PrepareReport());
    const QList<RenderedItem>& items = report.Pages()[0].items;
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].image.size(), QSize(40, 20));
    EXPECT_EQ(items[1].image.size(), QSize(40, 20));
    EXPECT_TRUE(items[2].image.isNull()) << "a missing picture prints nothing and stops nothing";

    // Drawn with its aspect kept, in the middle of its box.
    const QImage page = report.PageImage(0, 254); // 10 px per mm
    EXPECT_EQ(page.pixelColor(100 + 100, 100 + 50), QColor(Qt::red));
    EXPECT_EQ(page.pixelColor(100 + 5, 100 + 50), QColor(Qt::red));
}

} // namespace
