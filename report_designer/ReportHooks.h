#pragma once
// How the preview and designer windows reach the desktop: messages, questions, file
// dialogs, the print dialog, showing themselves modally and today's date. The defaults use
// Qt's own dialogs; a program that routes these through its own seam installs its hooks
// once at start, and tests install scripted ones.

#include <QDate>
#include <QString>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace tev {

struct ReportHooks {
    std::function<void(QWidget* parent, const QString& text)> message;
    // true for Yes.
    std::function<bool(QWidget* parent, const QString& text, const QString& caption)> askYesNo;
    // An empty result means the user cancelled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& startPath,
                          const QString& filter)>
        chooseOpenFile;
    std::function<QString(QWidget* parent, const QString& caption, const QString& startPath,
                          const QString& filter)>
        chooseSaveFile;
    // Lets the user choose a printer and its settings; false when cancelled.
    std::function<bool(QWidget* parent, QPrinter* printer)> printDialog;
    // Shows a preview or designer window modally and returns its result.
    std::function<int(QDialog* window)> showModal;
    // The date [DATE] prints on a report shown in the preview.
    std::function<QDate()> today;
};

// The hooks in use; starts with the defaults.
const ReportHooks& TheReportHooks();
// Installs hooks; any hook left empty keeps the default. Returns the hooks in use before.
ReportHooks InstallReportHooks(const ReportHooks& hooks);
// Qt's own dialogs.
ReportHooks DefaultReportHooks();

} // namespace tev
