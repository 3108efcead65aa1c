#include "reports/MonthReportPrint.h"

#include "domain/MonthReports.h"
#include "report_designer/ReportPreview.h"
#include "reports/ProgressForm.h"
#include "ui/Forms.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/ReportSupport.h"
#include "ui/Shell.h"
#include "ui/Ui.h"

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// The bar: the figures take its first half, the pool most of the rest.
constexpr int kFiguresDone = 50;
constexpr int kPoolDone = 95;

// Writes the rows and previews them. The progress window is gone before any message and
// before the preview.
void StoreAndPreview(const MonthReportRows& rows, const QString& conditions, const QString& templateName,
                     ProgressScope& progress) {
    QWidget* const window = TheShell().Window();
    MonthReportObject& month = TheShell().MonthReport();
    Outcome done = StoreMonthReport(Db(), rows, progress.Part(kFiguresDone, kPoolDone));
    if (done) done = OpenMonthReport(Db(), month.ADOQueryBig, month.ADOQueryTemp, month.ADOQueryTemp2);
    if (!done) {
        progress.Hide();
        ShowOutcome(window, done);
        return;
    }
    month.Conditions = conditions;
    progress.Step(100);
    progress.Hide();
    if (!LoadReportTemplate(month.frReport1, templateName)) return;
    // Showing prepares the report and opens the preview only when that succeeded, the engine's
    // words otherwise: a report of thousands of lines is prepared once, not once more before.
    ShowReport(month.frReport1, window);
}

} // namespace

void PrintCustomerMonthReport(const CustomerListOptions& options, const QString& salesman) {
    const QDate working = TheShell().WorkingDate();
    ProgressScope progress(FormProgress, u"正在统计各客户本月的应收款，请稍候……"_s);
    const Result<QList<CustomerMonthLine>> lines =
        CustomerMonthFigures(Db(), options, working, progress.Part(0, kFiguresDone));
    if (!lines || lines.value.isEmpty()) {
        progress.Hide();
        if (!lines)
            ShowOutcome(TheShell().Window(), lines);
        else
            TheUi().Message(TheShell().Window(), u"无客户记录可以统计"_s);
        return;
    }
    StoreAndPreview(CustomerMonthRows(lines.value, working),
                    CustomerMonthCoverage(working, salesman, options.search), u"CustomerMonth.frf"_s,
                    progress);
}

void PrintAccountMonthReport(const QString& accountFilter, const QString& salesman) {
    const QDate working = TheShell().WorkingDate();
    ProgressScope progress(FormProgress, u"正在统计各帐户本月的收支，请稍候……"_s);
    const Result<QList<AccountMonthLine>> lines =
        AccountMonthFigures(Db(), accountFilter, working, progress.Part(0, kFiguresDone));
    if (!lines) {
        progress.Hide();
        ShowOutcome(TheShell().Window(), lines);
        return;
    }
    // No account to report (a salesman who may see none): nothing to say and nothing to print.
    if (lines.value.isEmpty()) return;
    StoreAndPreview(AccountMonthRows(lines.value, working), AccountMonthCoverage(working, salesman),
                    u"MoneyMonth.frf"_s, progress);
}

} // namespace tev
