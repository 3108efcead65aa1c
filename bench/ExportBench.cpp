// Times the spreadsheet export of the every-bill list on a large database, with the resident
// memory before and the peak resident memory of the process after:
//   tevrano-bench-export DATABASE [FOLDER]
// The database is copied into FOLDER (a temporary folder when none is given) and the copy is
// opened, so the file given is never written. Run it once per database: the peak is the
// process's own.

#include "bench/BenchApp.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "domain/Reports.h"
#include "reports/ReportLists.h"
#include "ui/Globals.h"
#include "ui/GridExport.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

} // namespace

int main(int argc, char** argv) {
    // Offscreen unless told otherwise (under Xvfb the progress window can be looked at).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: tevrano-bench-export DATABASE [FOLDER]\n");
        return 2;
    }
    QTemporaryDir scratch;
    const QString folder = args.size() > 2 ? args[2] : scratch.path();
    QDir().mkpath(folder);
    const QString copy = folder + u"/bench-copy.mdb"_s;
    QFile::remove(copy);
    if (!QFile::copy(args[1], copy)) {
        std::fprintf(stderr, "cannot copy %s\n", qUtf8Printable(args[1]));
        return 1;
    }

    bench::BenchUi ui;
    ui.saveTarget = folder + u"/业务报表.xlsx"_s;
    const bench::BenchForms forms(ui);
    CurrentRole = u"总经理"_s;
    if (!ShareDM->ADOConnection1.Open(copy)) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(ShareDM->ADOConnection1.LastError()));
        return 1;
    }
    FormMain->SetWorkingDate(QDate(2026, 12, 10));
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillReportPage);
    FormMain->RunBillReport(BillQuerySelect() + u" Where (BillIndex > 1)"_s);
    auto* bills = static_cast<BillReportList*>(FormMain->BillReport);
    const int rows = bills->DBGridEh2->RowCount();
    std::printf("%s: every-bill list, %d rows; rss before the export %.1f MB, peak so far %.1f MB\n",
                qUtf8Printable(QFileInfo(args[1]).fileName()), rows, bench::StatusMb("VmRSS:"), bench::StatusMb("VmHWM:"));
    QElapsedTimer t;
    t.start();
    const QString written = ExportGridToExcel(bills->DBGridEh2);
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    std::printf("  export: %.1f s (%.0f rows/s), file %.1f MB, rss after %.1f MB, peak %.1f MB%s\n", seconds,
                rows / seconds, double(QFileInfo(written).size()) / 1048576.0, bench::StatusMb("VmRSS:"),
                bench::StatusMb("VmHWM:"), written.isEmpty() ? "  (NOT WRITTEN)" : "");
    ShareDM->ADOConnection1.Close();
    QFile::remove(written);
    QFile::remove(copy);
    return written.isEmpty() ? 1 : 0;
}
