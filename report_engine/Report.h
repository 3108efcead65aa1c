#pragma once
// The report object: a template loaded from a file, the data sets and variables it is
// filled from, and the pages it prepares. Painting, PDF export and printing work on the
// prepared pages; the preview window lives in the report designer library.
//
//   Report report;
//   report.SetMainDataSet(&grid, u"ADOQueryGrid"_s);     // one detail line per row
//   report.SetDataSet(u"ADOQuery1"_s, &bill);             // [ADOQuery1.BillSum]
//   report.SetVariableCallback([&](const QString& name, QVariant& value) { ... });
//   report.LoadFromFile(dir + u"/Frf/Bill.frf"_s);        // false: file missing, old template kept
//   if (report.PrepareReport()) ShowReport(report);       // else report.LastError()

#include "report_engine/ReportData.h"
#include "report_engine/ReportPages.h"
#include "report_engine/ReportTemplate.h"

#include <QDate>
#include <QFlags>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QPainter;
class QPrinter;

namespace tev {

// The buttons a report object asks its preview window to offer.
enum class PreviewButton {
    Zoom = 0x01,
    Load = 0x02,
    Save = 0x04,
    Print = 0x08,
    Find = 0x10,
    Help = 0x20,
    Exit = 0x40,
};
Q_DECLARE_FLAGS(PreviewButtons, PreviewButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(PreviewButtons)

// Asked once per variable name while a report is prepared. `value` arrives invalid; the
// callback sets it for the names it knows and leaves it untouched for the others.
using VariableCallback = std::function<void(const QString& name, QVariant& value)>;

class Report {
public:
    Report();

    // Loads a template file. Returns false when the file is missing or cannot be read as a
    // template; the template held before stays, LastError() says why and FailedFile() names
    // the path. Loading clears the prepared pages.
    bool LoadFromFile(const QString& path);
    // The file the current template came from; empty for an empty or a programmed template.
    QString FileName() const { return m_fileName; }
    QString FailedFile() const { return m_failedFile; }
    const ReportTemplate& Template() const { return m_template; }
    // Pictures named by relative paths are looked up beside fileName.
    void SetTemplate(const ReportTemplate& report, const QString& fileName = {});

    // Data sets are not owned and must outlive the report's use of them. The main data set
    // drives the MasterData band; its name, if given, also addresses it as [Name.Field].
    void SetMainDataSet(const ReportDataSet* data, const QString& name = {});
    const ReportDataSet* MainDataSet() const { return m_main; }
    QString MainDataSetName() const { return m_mainName; }
    // Names are matched without regard to case; nullptr removes the data set.
    void SetDataSet(const QString& name, const ReportDataSet* data);
    const ReportDataSet* DataSet(const QString& name) const;
    QStringList DataSetNames() const;

    void SetVariableCallback(VariableCallback callback) { m_variables = std::move(callback); }
    // The date [DATE] prints. Until a caller sets it, the system's date is used.
    void SetToday(const QDate& today) { m_today = today; }
    QDate Today() const;

    void SetPreviewButtons(PreviewButtons buttons) { m_buttons = buttons; }
    PreviewButtons Buttons() const { return m_buttons; }

    // Builds the pages from the template, the data sets and the variables. On failure the
    // pages are cleared and LastError() holds the reason; nothing is thrown.
    bool PrepareReport();
    QString LastError() const { return m_error; }
    bool IsPrepared() const { return m_prepared; }

    const QList<RenderedPage>& Pages() const { return m_pages; }
    int PageCount() const { return int(m_pages.size()); }
    // The prepared pages as text, for tests and diagnostics (see PagesTextDump).
    QString TextDump() const { return PagesTextDump(m_pages); }

    // Paints a prepared page at pxPerMm device pixels per millimetre, its top-left corner at
    // origin (device pixels). Paints the paper white when fillPaper is set.
    void PaintPage(QPainter& painter, int page, double pxPerMm, QPointF origin = {},
                   bool fillPaper = true) const;
    QImage PageImage(int page, double dpi) const;

    // Write the prepared pages (preparing first if needed) as a PDF with its fonts embedded,
    // or to a printer. On failure LastError() says why.
    bool ExportPdf(const QString& path);
    // Sets the printer's paper and orientation from the template.
    void ConfigurePrinter(QPrinter* printer) const;
    // Prints the pages in the printer's page range (all when none is chosen).
    bool Print(QPrinter* printer);

private:
    friend class ReportRenderer;
    bool EnsurePrepared();
    QString TemplateFolder() const;

    ReportTemplate m_template;
    QString m_fileName;
    QString m_failedFile;

    const ReportDataSet* m_main = nullptr;
    QString m_mainName;
    QHash<QString, QPair<QString, const ReportDataSet*>> m_dataSets; // lower-case name → (name, data)
    VariableCallback m_variables;
    QDate m_today;
    PreviewButtons m_buttons =
        PreviewButton::Zoom | PreviewButton::Print | PreviewButton::Find | PreviewButton::Exit;

    QList<RenderedPage> m_pages;
    bool m_prepared = false;
    QString m_error;
};

} // namespace tev
