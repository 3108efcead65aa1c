// The eight templates the program ships, filled with data shaped like the program's queries.

#include "ReportFixtures.h"

#include "report_engine/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;
using namespace tev::testing;

namespace {

const char* const kTemplates[] = {"Bill.frf",       "Money.frf",        "BillReport.frf",    "BillReport2.frf",
                                  "MoneyReport.frf", "MoneyReport2.frf", "CustomerMonth.frf", "MoneyMonth.frf"};

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return u"<pdftotext failed>"_s;
    return QString::fromUtf8(p.readAllStandardOutput());
}

class ShippedTemplate : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedTemplate, LoadsPreparesAndIsStoredCanonically) {
    const QString name = QString::fromLatin1(GetParam());
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, name)) << report.LastError().toStdString();
    ASSERT_TRUE(report.PrepareReport()) << report.LastError().toStdString();
    ASSERT_GE(report.PageCount(), 1);
    std::printf("%s\n", report.TextDump().toUtf8().constData());

    QFile file(FrfPath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(TemplateToXml(report.Template()), file.readAll()) << "re-saving changes the file";

    const QByteArray keep = qgetenv("TEV_REPORT_SAMPLES");
    if (!keep.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(keep));
        EXPECT_TRUE(report.ExportPdf(QString::fromLocal8Bit(keep) + u'/' + name + u".pdf"_s));
    }
}

INSTANTIATE_TEST_SUITE_P(Frf, ShippedTemplate, ::testing::ValuesIn(kTemplates),
                         [](const auto& info) { return QString::fromLatin1(info.param).section(u'.', 0, 0).toStdString(); });

} // namespace
