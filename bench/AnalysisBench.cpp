// Times "企业经营分析" over the every-bill list on large databases, as ratios to one pass over
// the same list's rows in the same run, with the resident memory after each step:
//   tevrano-bench-analysis [FOLDER] [REPEATS]
// FOLDER keeps the two bulk databases between runs (made when missing): 1,000 customers with
// 100,000 bills and 100,000 vouchers, and 10,000 customers with 1,000,000 of each.

#include "bench/BenchApp.h"
#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/ShareDM.h"
#include "data/DemoData.h"
#include "data/Migrate.h"
#include "data/Schema.h"
#include "domain/Analysis.h"
#include "domain/Reports.h"
#include "reports/AnalysisForm.h"
#include "reports/ReportLists.h"
#include "ui/Globals.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tev;

namespace {

using bench::MedianMs;
using bench::RatioRow;

// A window is set up as when it is shown, and closed at once.
class BenchUi : public bench::BenchUi {
public:
    int ShowModal(QDialog* form) override {
        if (auto* f = dynamic_cast<TForm*>(form)) f->RunFormShow();
        return QDialog::Rejected;
    }
};

void Bench(const QString& path, int repeats) {
    if (!bench::OpenProgramDatabase(path)) return;
    Database& db = ShareDM->ADOConnection1;
    ResultSet rs;
    db.Select(u"Select (Select Count(*) From Customer) As C, (Select Count(*) From Bill) As B, "
              "(Select Count(*) From MoneyTable) As V"_s,
              rs);
    std::printf("\n%s: %lld customers, %lld bills, %lld vouchers\n", qUtf8Printable(path), rs.AsInteger(u"C"_s) - 1,
                rs.AsInteger(u"B"_s) - 1, rs.AsInteger(u"V"_s) - 1);
    FormMain->SetWorkingDate(QDate(2026, 12, 10));

    // The every-bill list on its page, as "查找单据" leaves it.
    const QString kept = BillQuerySelect() + u" Where (BillIndex > 1)"_s;
    FormMain->PageControl1->setCurrentIndex(TFormMain::BillReportPage);
    FormMain->RunBillReport(kept);
    auto* list = static_cast<BillReportList*>(FormMain->BillReport);
    if (!list->BReportADOQuery.Active()) {
        std::fprintf(stderr, "the bill list did not open\n");
        return;
    }
    const int count = list->BReportADOQuery.RecordCount();
    std::printf("  rows of the list: %d\n", count);

    // One pass: every row of the same list read in order, freshly opened, as printing and
    // export read it. The window is timed right after each pass, and the list is run again
    // before each showing so that no block read before is still held: the ratio of each pair
    // is taken, so that a machine busy with other work weighs on both sides alike.
    const ListStatements st = BillListStatements(kept, {}, BillListOrder::ByTime);
    const auto onePass = [&] {
        Result<ListRows> opened = OpenListRows(db, st);
        if (!opened) return;
        const auto rows = opened.value.rows;
        for (int r = 0; r < opened.value.count; ++r)
            rows->Value(r, 0);
    };
    std::vector<double> passes, opens, ratios;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        onePass();
        passes.push_back(double(t.nsecsElapsed()) / 1e6);
        FormMain->RunBillReport(kept);
        t.restart();
        list->SpeedButton5->click();
        opens.push_back(double(t.nsecsElapsed()) / 1e6);
        ratios.push_back(opens.back() / passes.back());
    }
    for (auto* v : {&passes, &opens, &ratios})
        std::sort(v->begin(), v->end());
    const double pass = passes[passes.size() / 2];
    RatioRow("one pass: every row of the list read in order", pass, pass);
    RatioRow("经营报表: window opened, figures and four charts", opens[opens.size() / 2], pass);
    std::printf("  %-52s %6.2fx (each showing against the pass just before it)\n", "  median ratio of the pairs",
                ratios[ratios.size() / 2]);
    RatioRow("every cell of every row read", MedianMs(repeats, [&] {
            Result<ListRows> opened = OpenListRows(db, st);
            if (!opened) return;
            const auto rows = opened.value.rows;
            const int columns = int(rows->Columns().size());
            for (int r = 0; r < opened.value.count; ++r)
                for (int c = 0; c < columns; ++c)
                    rows->Value(r, c);
        }),
        pass);
    RatioRow("the four charts drawn as pictures", MedianMs(repeats,
                                                    [&] {
                                                        for (QChartView* chart : FormAnalysis->Charts)
                                                            chart->grab();
                                                    }),
        pass);
    RatioRow("another measure on every chart (no pass)", MedianMs(repeats,
                                                           [&] {
                                                               for (QComboBox* box :
                                                                    {FormAnalysis->ComboBox2, FormAnalysis->ComboBox3,
                                                                     FormAnalysis->ComboBox5, FormAnalysis->ComboBox6})
                                                                   box->setCurrentIndex((box->currentIndex() + 1) % 5);
                                                           }),
        pass);
    RatioRow("pie instead of bars, all four charts", MedianMs(repeats,
                                                       [&] {
                                                           FormAnalysis->ComboBox1->setCurrentIndex(
                                                               1 - FormAnalysis->ComboBox1->currentIndex());
                                                       }),
        pass);
    RatioRow("another period for the company chart (one pass)", MedianMs(repeats,
                                                                  [&] {
                                                                      QComboBox* b = FormAnalysis->ComboBox7;
                                                                      b->setCurrentIndex((b->currentIndex() + 1) % 3);
                                                                  }),
        pass);
    const BillAnalysis& a = FormAnalysis->Analysis();
    std::printf("  groups: %zu salesmen, %zu kinds, %zu states, %zu customers; receivable %.0f, payable %.0f\n",
                a.columns[size_t(BillGroup::Salesman)].groups.size(), a.columns[size_t(BillGroup::Reason)].groups.size(),
                a.columns[size_t(BillGroup::State)].groups.size(), a.columns[size_t(BillGroup::Customer)].groups.size(),
                a.figures.receivable, a.figures.payable);
    ShareDM->ADOConnection1.Close();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString folder = args.size() > 1 ? args[1] : u"/tmp/tevrano-bench-analysis"_s;
    const int repeats = args.size() > 2 ? std::max(1, args[2].toInt()) : 3;
    const QStringList databases = bench::BulkDatabases(folder);
    if (databases.isEmpty()) return 1;

    BenchUi ui;
    const bench::BenchForms forms(ui);
    CurrentRole = u"总经理"_s;
    std::printf("median of %d; ratios to one pass over the list's rows; rss = resident memory\n", repeats);
    for (const QString& path : databases)
        Bench(path, repeats);
    return 0;
}
