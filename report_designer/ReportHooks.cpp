// The only place where the report windows talk to Qt's dialogs and the system's date.
#include "report_designer/ReportHooks.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

ReportHooks& Installed() {
    static ReportHooks hooks = DefaultReportHooks();
    return hooks;
}

} // namespace

ReportHooks DefaultReportHooks() {
    ReportHooks h;
    h.message = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
    };
    h.askYesNo = [](QWidget* parent, const QString& text, const QString& caption) {
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    h.chooseOpenFile = [](QWidget* parent, const QString& caption, const QString& start,
                          const QString& filter) {
        return QFileDialog::getOpenFileName(parent, caption, start, filter);
    };
    h.chooseSaveFile = [](QWidget* parent, const QString& caption, const QString& start,
                          const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, start, filter);
    };
    h.printDialog = [](QWidget* parent, QPrinter* printer) {
        QPrintDialog dialog(printer, parent);
        dialog.setWindowTitle(u"打印"_s);
        return dialog.exec() == QDialog::Accepted;
    };
    h.showModal = [](QDialog* window) { return window->exec(); };
    h.today = [] { return QDate::currentDate(); };
    return h;
}

const ReportHooks& TheReportHooks() {
    return Installed();
}

ReportHooks InstallReportHooks(const ReportHooks& hooks) {
    const ReportHooks before = Installed();
    const ReportHooks defaults = DefaultReportHooks();
    ReportHooks next = hooks;
    if (!next.message) next.message = defaults.message;
    if (!next.askYesNo) next.askYesNo = defaults.askYesNo;
    if (!next.chooseOpenFile) next.chooseOpenFile = defaults.chooseOpenFile;
    if (!next.chooseSaveFile) next.chooseSaveFile = defaults.chooseSaveFile;
    if (!next.printDialog) next.printDialog = defaults.printDialog;
    if (!next.showModal) next.showModal = defaults.showModal;
    if (!next.today) next.today = defaults.today;
    Installed() = next;
    return before;
}

} // namespace tev
