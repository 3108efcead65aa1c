#include "ui/ReportSupport.h"

#include "report_designer/ReportHooks.h"
#include "report_designer/ReportPreview.h"
#include "ui/Globals.h"
#include "ui/Ui.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tev {

void InstallReportSeam() {
    ReportHooks hooks;
    hooks.message = [](QWidget* parent, const QString& text) { TheUi().Message(parent, text); };
    hooks.askYesNo = [](QWidget* parent, const QString& text, const QString& caption) {
        return TheUi().AskYesNo(parent, text, caption);
    };
    hooks.chooseOpenFile = [](QWidget* parent, const QString& caption, const QString& start,
                              const QString& filter) {
        return TheUi().ChooseOpenFile(parent, caption, start, filter);
    };
    hooks.chooseSaveFile = [](QWidget* parent, const QString& caption, const QString& start,
                              const QString& filter) {
        return TheUi().ChooseSaveFile(parent, caption, start, filter);
    };
    hooks.showModal = [](QDialog* window) { return TheUi().ShowModal(window); };
    hooks.today = [] { return TheUi().Today(); };
    InstallReportHooks(hooks);
}

MonthReportObject::MonthReportObject() {
    frReport1.SetMainDataSet(&m_rows, ADOQueryBig.Name());
    frReport1.SetDataSet(ADOQueryTemp.Name(), &m_period);
    frReport1.SetDataSet(ADOQueryTemp2.Name(), &m_title);
    // Always answered, so that a template naming it prepares before the first report too.
    frReport1.SetVariableCallback([this](const QString& name, QVariant& value) {
        if (name.compare(u"MonthConditions"_s, Qt::CaseInsensitive) == 0) value = Conditions;
    });
    frReport1.SetPreviewButtons(PreviewButton::Zoom | PreviewButton::Print | PreviewButton::Find |
                                PreviewButton::Exit);
}

QString ListTemplateName(bool billList, const QString& printType) {
    const bool portrait = printType == u"纵向打印"_s;
    if (billList) return portrait ? u"BillReport.frf"_s : u"BillReport2.frf"_s;
    return portrait ? u"MoneyReport.frf"_s : u"MoneyReport2.frf"_s;
}

bool LoadReportTemplate(Report& report, const QString& name) {
    const QString path = DataDir + u"Frf/"_s + name;
    if (!QFileInfo::exists(path)) {
        TheUi().Message(nullptr, u"找不到报表模板文件：%1"_s.arg(path));
        return false;
    }
    if (!report.LoadFromFile(path)) {
        TheUi().Message(nullptr, report.LastError());
        return false;
    }
    return true;
}

bool PrintStoredDocument(QWidget* editor, bool unsavedChanges, const std::function<bool()>& store,
                         const std::function<void()>& print) {
    if (unsavedChanges &&
        TheUi().AskYesNo(editor,
                         u"单据内容已修改但尚未保存，是否先保存再打印？\n选择“否”将打印已保存的单据。"_s,
                         u"打印确认"_s)) {
        if (!store()) return false;
        print();
        return true;
    }
    print();
    return false;
}

bool PrepareAndShow(Report& report, QWidget* parent) {
    report.SetToday(TheUi().Today());
    if (!report.PrepareReport()) {
        ShowReportError(report, parent);
        return false;
    }
    return ShowReport(report, parent);
}

} // namespace tev
