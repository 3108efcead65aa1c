#pragma once
// The preview window: the prepared pages of a report, one at a time, with the toolbar the
// report object declares (zoom, open, save, print, find, help, close) and page navigation.

#include "report_engine/Report.h"

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolBar;
class QToolButton;
class QWidget;

namespace tev {

class PreviewPageView;

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    enum class ZoomMode { FitWidth, WholePage, Percent };

    // The report must be prepared; the window shows its pages as they are.
    explicit ReportPreview(Report* report, QWidget* parent = nullptr);

    Report* TheReport() const { return m_report; }
    int CurrentPage() const { return m_page; }
    int PageCount() const { return m_report->PageCount(); }
    void ShowPage(int page);

    ZoomMode Zoom() const { return m_zoomMode; }
    // The scale of the page: 100 is its printed size.
    double ZoomPercent() const;
    void SetZoom(ZoomMode mode, double percent = 100);
    void ZoomIn();
    void ZoomOut();

    // Finds the next text on the pages that contains `text` (ignoring case), after the last
    // match, wrapping round to the first page; jumps to it and marks it. Tells the user when
    // nothing matches.
    bool FindNext(const QString& text);
    // The text item found last, or -1.
    int FoundItem() const { return m_foundItem; }

    // The toolbar's commands.
    void PrintClick();
    void SaveClick();
    void LoadClick();
    void HelpClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* AddButton(const QString& name, const QString& text, const QString& tip);
    void UpdateZoom();
    void UpdateNavigation();
    void Reload();

    Report* m_report;
    int m_page = 0;
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    double m_percent = 100;
    int m_foundPage = -1;
    int m_foundItem = -1;

    QToolBar* m_toolBar = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLabel* m_pageLabel = nullptr;
    QWidget* m_findBar = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QScrollArea* m_area = nullptr;
    PreviewPageView* m_view = nullptr;
};

// Prepares the report again (so its variables are asked again) and, when that succeeds,
// shows it in a modal preview. When it fails the engine's message is shown and nothing
// else happens. Returns whether the preview was shown.
bool ShowReport(Report& report, QWidget* parent = nullptr);

// For a caller whose own PrepareReport() failed: shows the engine's message.
void ShowReportError(const Report& report, QWidget* parent = nullptr);

} // namespace tev
