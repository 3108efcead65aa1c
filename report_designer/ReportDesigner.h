#pragma once
// The template designer: opens, edits and saves template files. The page and its bands on
// the left, the properties of what is selected on the right, a toolbar to add and delete
// objects and bands, undo and redo, preview with the data of the report it was opened for.

#include "report_designer/DesignerCanvas.h"
#include "report_designer/TemplateDocument.h"
#include "report_engine/Report.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;
class QToolBar;

namespace tev {

class ReportDesigner : public QDialog {
    Q_OBJECT
public:
    explicit ReportDesigner(QWidget* parent = nullptr);

    TemplateDocument* Document() { return &m_doc; }
    DesignerCanvas* Canvas() { return m_canvas; }

    // Starts with a template (an empty template when it has no bands) and its file.
    void StartWith(const ReportTemplate& report, const QString& fileName);
    // Where the file dialogs start while the template has no file of its own.
    void SetStartFolder(const QString& folder) { m_startFolder = folder; }
    // Preview prints the template being designed with this report's data sets and variables.
    void SetDataSource(const Report* report) { m_source = report; }

    // The toolbar's commands. Open, save and save-as return whether they went through.
    bool OpenClick();
    bool SaveClick();
    bool SaveAsClick();
    // Adds an object to the selected band (or the object's band) and selects it.
    bool AddObjectClick(ObjectKind kind);
    void AddBandClick(BandKind kind);
    void DeleteClick();
    void PreviewClick();

protected:
    void done(int result) override;

private:
    QAction* AddAction(QToolBar* bar, const QString& name, const QString& text, const QString& tip);
    void BuildPanel();
    void LoadPanel();
    void UpdateTitle();
    // Applies an edit of the panel to the selected object, band or page.
    void EditObject(const std::function<void(ReportObject&)>& change, int mergeId);
    void EditBand(const std::function<void(ReportBand&)>& change);
    void EditPage(const std::function<void(PageSetup&)>& change);
    QString TemplateFolder() const;

    TemplateDocument m_doc;
    QString m_startFolder;
    const Report* m_source = nullptr;
    DesignerCanvas* m_canvas = nullptr;
    QScrollArea* m_area = nullptr;
    QStackedWidget* m_panel = nullptr;
    bool m_loading = false;

    // Report page
    QLineEdit* m_title = nullptr;
    QComboBox* m_paper = nullptr;
    QDoubleSpinBox* m_paperWidth = nullptr;
    QDoubleSpinBox* m_paperHeight = nullptr;
    QComboBox* m_orientation = nullptr;
    QDoubleSpinBox* m_margins[4] = {};
    QFormLayout* m_pageForm = nullptr;

    // Band page
    QComboBox* m_bandKind = nullptr;
    QLineEdit* m_bandName = nullptr;
    QDoubleSpinBox* m_bandHeight = nullptr;
    QCheckBox* m_stretch = nullptr;
    QLineEdit* m_bandDataSet = nullptr;
    QCheckBox* m_everyPage = nullptr;
    QCheckBox* m_firstPage = nullptr;
    QCheckBox* m_repeat = nullptr;
    QFormLayout* m_bandForm = nullptr;

    // Object page
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QFontComboBox* m_font = nullptr;
    QDoubleSpinBox* m_fontSize = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QComboBox* m_align = nullptr;
    QComboBox* m_valign = nullptr;
    QCheckBox* m_wrap = nullptr;
    QCheckBox* m_shrink = nullptr;
    QComboBox* m_format = nullptr;
    QCheckBox* m_frame[4] = {};
    QWidget* m_frameRow = nullptr;
    QDoubleSpinBox* m_lineWidth = nullptr;
    QCheckBox* m_fill = nullptr;
    QLineEdit* m_pictureFile = nullptr;
    QWidget* m_pictureRow = nullptr;
    QCheckBox* m_keepAspect = nullptr;
    QDoubleSpinBox* m_geometry[4] = {};
    QFormLayout* m_objectForm = nullptr;
};

// Opens the designer modally on the report's template (an empty one when it holds none);
// previews use the report's data. The report itself is left as it is: templates take
// effect when they are loaded for the next print.
void DesignReport(const Report& report, QWidget* parent = nullptr, const QString& startFolder = {});

} // namespace tev
