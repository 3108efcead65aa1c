#include "report_engine/Report.h"

#include "report_engine/ReportFile.h"
#include "report_engine/ReportRenderer.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// Device resolution of exported PDF files.
constexpr int kPdfResolution = 600;

QPageLayout LayoutOf(const PageSetup& page) {
    const QPageSize size(page.PaperSize(), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

Report::Report() = default;

bool Report::LoadFromFile(const QString& path) {
    ReportTemplate loaded;
    QString error;
    if (!ReadTemplateFile(path, &loaded, &error)) {
        m_failedFile = path;
        m_error = error;
        return false;
    }
    m_failedFile.clear();
    m_error.clear();
    SetTemplate(loaded, QFileInfo(path).absoluteFilePath());
    return true;
}

void Report::SetTemplate(const ReportTemplate& report, const QString& fileName) {
    m_template = report;
    m_fileName = fileName;
    m_pages.clear();
    m_prepared = false;
}

QString Report::TemplateFolder() const {
    return m_fileName.isEmpty() ? QString() : QFileInfo(m_fileName).absolutePath();
}

void Report::SetMainDataSet(const ReportDataSet* data, const QString& name) {
    m_main = data;
    m_mainName = name;
}

void Report::SetDataSet(const QString& name, const ReportDataSet* data) {
    if (data) {
        m_dataSets.insert(name.toLower(), {name, data});
    } else {
        m_dataSets.remove(name.toLower());
    }
}

const ReportDataSet* Report::DataSet(const QString& name) const {
    return m_dataSets.value(name.toLower()).second;
}

QStringList Report::DataSetNames() const {
    QStringList names;
    for (const auto& entry : m_dataSets)
        names << entry.first;
    names.sort(Qt::CaseInsensitive);
    return names;
}

QDate Report::Today() const {
    return m_today.isValid() ? m_today : QDate::currentDate();
}

bool Report::PrepareReport() {
    m_pages.clear();
    m_prepared = false;
    m_error.clear();
    QList<RenderedPage> pages;
    ReportRenderer renderer(*this);
    if (!renderer.Run(&pages, &m_error)) return false;
    m_pages = std::move(pages);
    m_prepared = true;
    return true;
}

bool Report::EnsurePrepared() {
    return m_prepared || PrepareReport();
}

void Report::PaintPage(QPainter& painter, int page, double pxPerMm, QPointF origin, bool fillPaper) const {
    if (page < 0 || page >= m_pages.size()) return;
    const RenderedPage& p = m_pages[page];
    if (fillPaper) {
        painter.fillRect(QRectF(origin, p.size * pxPerMm), Qt::white);
    }
    PaintReportPage(painter, p, pxPerMm, origin);
}

QImage Report::PageImage(int page, double dpi) const {
    if (page < 0 || page >= m_pages.size()) return {};
    const double pxPerMm = dpi / 25.4;
    const QSizeF size = m_pages[page].size * pxPerMm;
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(pxPerMm * 1000)));
    image.setDotsPerMeterY(int(std::lround(pxPerMm * 1000)));
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPage(painter, page, pxPerMm, {}, false);
    return image;
}

bool Report::ExportPdf(const QString& path) {
    if (!EnsurePrepared()) return false;
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setCreator(u"Tevrano"_s);
    writer.setTitle(m_template.title);
    writer.setPageLayout(LayoutOf(m_template.page));
    QPainter painter;
    if (!painter.begin(&writer)) {
        m_error = u"无法写入文件 %1"_s.arg(path);
        return false;
    }
    const double pxPerMm = kPdfResolution / 25.4;
    for (int i = 0; i < m_pages.size(); ++i) {
        if (i > 0) writer.newPage();
        PaintPage(painter, i, pxPerMm, {}, false);
    }
    if (!painter.end()) {
        m_error = u"无法写入文件 %1"_s.arg(path);
        return false;
    }
    return true;
}

void Report::ConfigurePrinter(QPrinter* printer) const {
    printer->setFullPage(true);
    printer->setPageLayout(LayoutOf(m_template.page));
}

bool Report::Print(QPrinter* printer) {
    if (!printer || !EnsurePrepared()) return false;
    int from = 1, to = int(m_pages.size());
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        from = std::max(1, printer->fromPage());
        to = std::min(to, std::max(from, printer->toPage()));
    }
    // Pages are laid out from the paper's corner: the template's margins are the margins.
    printer->setFullPage(true);
    QPainter painter;
    if (!painter.begin(printer)) {
        m_error = u"打印机出错，无法开始打印"_s;
        return false;
    }
    const double pxPerMm = printer->resolution() / 25.4;
    for (int page = from; page <= to; ++page) {
        if (page > from && !printer->newPage()) {
            m_error = u"打印机出错，无法换页"_s;
            painter.end();
            return false;
        }
        PaintPage(painter, page - 1, pxPerMm, {}, false);
    }
    if (!painter.end()) {
        m_error = u"打印机出错，打印未完成"_s;
        return false;
    }
    return true;
}

} // namespace tev
