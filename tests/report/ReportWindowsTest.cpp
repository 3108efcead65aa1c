// The preview and designer windows offscreen, with scripted hooks in place of dialogs.

#include "QStringPrint.h"
#include "ReportFixtures.h"

#include "report_designer/ReportDesigner.h"
#include "report_designer/ReportHooks.h"
#include "report_designer/ReportPreview.h"
#include "report_engine/ReportFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace tev;
using namespace tev::testing;

namespace {

// Answers every question the windows ask and records every message.
struct ScriptedHooks {
    QStringList messages;
    QStringList questions;
    bool answerYes = false;
    QString openAnswer;
    QString saveAnswer;
    QString printToPdf; // empty: the print dialog is cancelled
    int modalShown = 0;
    std::function<void(QDialog*)> onModal;
    ReportHooks previous;

    ScriptedHooks() {
        ReportHooks h;
        h.message = [this](QWidget*, const QString& text) { messages << text; };
        h.askYesNo = [this](QWidget*, const QString& text, const QString&) {
            questions << text;
            return answerYes;
        };
        h.chooseOpenFile = [this](QWidget*, const QString&, const QString&, const QString&) {
            return openAnswer;
        };
        h.chooseSaveFile = [this](QWidget*, const QString&, const QString&, const QString&) {
            return saveAnswer;
        };
        h.printDialog = [this](QWidget*, QPrinter* printer) {
            if (printToPdf.isEmpty()) return false;
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printToPdf);
            return true;
        };
        h.showModal = [this](QDialog* window) {
            ++modalShown;
            window->show();
            QApplication::processEvents();
            if (onModal) onModal(window);
            return window->result();
        };
        h.today = [] { return QDate(2024, 6, 1); };
        previous = InstallReportHooks(h);
    }
    ~ScriptedHooks() { InstallReportHooks(previous); }
};

template <typename T> T* Child(QWidget* window, const QString& name) {
    T* child = window->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << "no control " << name.toStdString() << " in "
                              << window->objectName().toStdString();
    return child;
}

void KeepScreenshot(QWidget* window, const QString& name) {
    const QByteArray keep = qgetenv("TEV_REPORT_SAMPLES");
    if (keep.isEmpty()) return;
    QDir().mkpath(QString::fromLocal8Bit(keep));
    QApplication::processEvents(); // let pending layouts settle
    window->grab().save(QString::fromLocal8Bit(keep) + u'/' + name);
}

void Mouse(QWidget* w, QEvent::Type type, QPointF pos) {
    QMouseEvent event(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &event);
}

TEST(ReportPreviewWindow, PagesZoomFindAndPrint) {
    ScriptedHooks hooks;
    QTemporaryDir dir;
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"BillReport.frf"_s));
    hooks.onModal = [&](QDialog* window) {
        auto* preview = qobject_cast<ReportPreview*>(window);
        ASSERT_NE(preview, nullptr);
        for (const char16_t* name : {u"pbZoom", u"pbPrint", u"pbFind", u"pbExit"})
            EXPECT_NE(preview->findChild<QWidget*>(QString::fromUtf16(name)), nullptr);
        for (const char16_t* name : {u"pbLoad", u"pbSave", u"pbHelp"})
            EXPECT_EQ(preview->findChild<QWidget*>(QString::fromUtf16(name)), nullptr)
                << "not declared by this report";

        // The list's rows grow with long names: four pages of bills.
        auto* label = Child<QLabel>(preview, u"PageLabel"_s);
        EXPECT_EQ(label->text(), u"第 1 页 / 共 4 页"_s);
        Child<QToolButton>(preview, u"Next"_s)->click();
        EXPECT_EQ(label->text(), u"第 2 页 / 共 4 页"_s);
        Child<QToolButton>(preview, u"Last"_s)->click();
        EXPECT_EQ(label->text(), u"第 4 页 / 共 4 页"_s);
        EXPECT_FALSE(Child<QToolButton>(preview, u"Next"_s)->isEnabled());
        Key(preview, Qt::Key_PageUp);
        EXPECT_EQ(preview->CurrentPage(), 2);
        Child<QToolButton>(preview, u"First"_s)->click();
        EXPECT_FALSE(Child<QToolButton>(preview, u"Prior"_s)->isEnabled());

        // Zoom: fit width fills the window's width, 100% is the printed size.
        EXPECT_EQ(preview->Zoom(), ReportPreview::ZoomMode::FitWidth);
        auto* view = Child<QWidget>(preview, u"PageView"_s);
        auto* area = Child<QWidget>(preview, u"PageArea"_s);
        EXPECT_LE(view->width(), area->width());
        EXPECT_GT(view->width(), area->width() / 2);
        preview->SetZoom(ReportPreview::ZoomMode::Percent, 100);
        EXPECT_NEAR(preview->ZoomPercent(), 100, 0.01);
        EXPECT_NEAR(view->width() - 32, 210 * preview->logicalDpiX() / 25.4, 1);
        preview->ZoomIn();
        EXPECT_NEAR(preview->ZoomPercent(), 125, 0.01);
        preview->ZoomOut();
        preview->ZoomOut();
        EXPECT_NEAR(preview->ZoomPercent(), 75, 0.01);
        auto* zoomBox = Child<QComboBox>(preview, u"pbZoom"_s);
        EXPECT_EQ(zoomBox->currentText(), u"75%"_s);
        zoomBox->activated(1);
        EXPECT_EQ(preview->Zoom(), ReportPreview::ZoomMode::WholePage);
        EXPECT_LE(view->height(), area->height());

        // Find: jumps to the page of the match and goes on from there.
        Child<QToolButton>(preview, u"pbFind"_s)->click();
        auto* findEdit = Child<QLineEdit>(preview, u"FindEdit"_s);
        EXPECT_TRUE(findEdit->isVisible());
        findEdit->setText(u"XS000150"_s);
        Child<QToolButton>(preview, u"FindNext"_s)->click();
        EXPECT_EQ(label->text(), u"第 2 页 / 共 4 页"_s);
        ASSERT_GE(preview->FoundItem(), 0);
        EXPECT_EQ(report.Pages()[1].items[preview->FoundItem()].Text(), u"XS000150"_s);
        QStringList found;
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(preview->FindNext(u"宁波港角"_s));
            found << u"%1:%2"_s.arg(preview->CurrentPage()).arg(preview->FoundItem());
        }
        EXPECT_EQ(found.removeDuplicates(), 0) << "each find moves on to the next match";
        EXPECT_TRUE(hooks.messages.isEmpty());
        KeepScreenshot(preview, u"preview.png"_s);
        EXPECT_FALSE(preview->FindNext(u"没有这个客户"_s));
        EXPECT_EQ(hooks.messages, QStringList{u"找不到“没有这个客户”"_s});

        // Print: the dialog cancelled prints nothing; accepted prints every page.
        Child<QToolButton>(preview, u"pbPrint"_s)->click();
        hooks.printToPdf = dir.filePath(u"printed.pdf"_s);
        Child<QToolButton>(preview, u"pbPrint"_s)->click();
        EXPECT_TRUE(QFileInfo(hooks.printToPdf).size() > 0);
        EXPECT_EQ(hooks.messages.size(), 1) << hooks.messages.join(u'\n').toStdString();

        Child<QToolButton>(preview, u"pbExit"_s)->click();
        EXPECT_FALSE(preview->isVisible());
    };
    EXPECT_TRUE(ShowReport(report));
    EXPECT_EQ(hooks.modalShown, 1);
    EXPECT_EQ(report.Today(), QDate(2024, 6, 1)) << "the preview prints the seam's date";
}

TEST(ReportPreviewWindow, VoucherButtonsOpenSaveAndHelp) {
    ScriptedHooks hooks;
    QTemporaryDir dir;
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"Money.frf"_s));
    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(data.moneyCnAsked, 1);
    hooks.onModal = [&](QDialog* window) {
        EXPECT_EQ(data.moneyCnAsked, 2) << "showing prepares again";
        for (const char16_t* name :
             {u"pbZoom", u"pbLoad", u"pbSave", u"pbPrint", u"pbFind", u"pbHelp", u"pbExit"})
            EXPECT_NE(window->findChild<QWidget*>(QString::fromUtf16(name)), nullptr);

        hooks.saveAnswer = dir.filePath(u"凭证"_s);
        Child<QToolButton>(window, u"pbSave"_s)->click();
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"凭证.pdf"_s)));
        EXPECT_EQ(hooks.messages.value(0), u"报表已保存为 %1"_s.arg(dir.filePath(u"凭证.pdf"_s)));

        Child<QToolButton>(window, u"pbHelp"_s)->click();
        EXPECT_TRUE(hooks.messages.value(1).startsWith(u"打印预览"_s));

        // Opening a template the voucher's data cannot fill: the engine says why.
        hooks.openAnswer = FrfPath(u"MoneyReport.frf"_s);
        Child<QToolButton>(window, u"pbLoad"_s)->click();
        EXPECT_EQ(hooks.messages.value(2), u"报表对象 MemoConditions 引用了不存在的字段 ListConditions"_s);
        EXPECT_EQ(Child<QLabel>(window, u"PageLabel"_s)->text(), u"第 0 页 / 共 0 页"_s);
        hooks.openAnswer = FrfPath(u"Money.frf"_s);
        Child<QToolButton>(window, u"pbLoad"_s)->click();
        EXPECT_EQ(hooks.messages.size(), 3);
        EXPECT_EQ(Child<QLabel>(window, u"PageLabel"_s)->text(), u"第 1 页 / 共 1 页"_s);
        KeepScreenshot(window, u"preview-voucher.png"_s);
        window->accept();
    };
    EXPECT_TRUE(ShowReport(report));
}

TEST(ReportPreviewWindow, FailedPreparationShowsTheEnginesMessageAndNoWindow) {
    ScriptedHooks hooks;
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"Bill.frf"_s));
    report.SetDataSet(u"ADOQueryBigFont"_s, nullptr);
    EXPECT_FALSE(ShowReport(report));
    EXPECT_EQ(hooks.modalShown, 0);
    ASSERT_EQ(hooks.messages.size(), 1);
    EXPECT_TRUE(hooks.messages[0].contains(u"引用了不存在的数据集 ADOQueryBigFont"_s))
        << hooks.messages[0].toStdString();
}

TEST(ReportDesignerWindow, SelectMoveEditAddSaveAndClose) {
    ScriptedHooks hooks;
    QTemporaryDir dir;
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"Bill.frf"_s));
    const ReportTemplate original = report.Template();
    hooks.onModal = [&](QDialog* window) {
        auto* designer = qobject_cast<ReportDesigner*>(window);
        ASSERT_NE(designer, nullptr);
        TemplateDocument* doc = designer->Document();
        DesignerCanvas* canvas = designer->Canvas();
        EXPECT_TRUE(doc->Template() == original);
        EXPECT_EQ(designer->windowTitle(), u"报表设计 - Bill.frf"_s);

        // Click the title: it is selected and its properties shown.
        const ObjectRef title{0, 0};
        const QPointF centre = canvas->ObjectBox(title).center();
        Mouse(canvas, QEvent::MouseButtonPress, centre);
        Mouse(canvas, QEvent::MouseButtonRelease, centre);
        EXPECT_EQ(canvas->SelectedObject(), title);
        EXPECT_EQ(Child<QLineEdit>(designer, u"NameEdit"_s)->text(), u"Memo1"_s);
        EXPECT_EQ(Child<QPlainTextEdit>(designer, u"TextEdit"_s)->toPlainText(), u"[ADOQuery1.BillKind]"_s);

        // Drag it 5 mm to the right, then nudge it twice with the arrow key: two undo steps.
        const double x = doc->Object(title).rect.x();
        Mouse(canvas, QEvent::MouseButtonPress, centre);
        Mouse(canvas, QEvent::MouseMove, centre + QPointF(5 * canvas->Scale(), 0));
        Mouse(canvas, QEvent::MouseButtonRelease, centre + QPointF(5 * canvas->Scale(), 0));
        EXPECT_DOUBLE_EQ(doc->Object(title).rect.x(), x + 5);
        Key(canvas, Qt::Key_Right);
        Key(canvas, Qt::Key_Right);
        EXPECT_DOUBLE_EQ(doc->Object(title).rect.x(), x + 6);
        EXPECT_EQ(doc->UndoStack()->count(), 2);
        doc->UndoStack()->undo();
        EXPECT_DOUBLE_EQ(doc->Object(title).rect.x(), x + 5);
        EXPECT_DOUBLE_EQ(Child<QDoubleSpinBox>(designer, u"XSpin"_s)->value(), x + 5);

        // The property panel edits the selected object.
        Child<QPlainTextEdit>(designer, u"TextEdit"_s)->setPlainText(u"[ADOQuery1.BillKind]单"_s);
        Child<QDoubleSpinBox>(designer, u"FontSizeSpin"_s)->setValue(18);
        Child<QComboBox>(designer, u"AlignBox"_s)->setCurrentIndex(2);
        EXPECT_EQ(doc->Object(title).text, u"[ADOQuery1.BillKind]单"_s);
        EXPECT_EQ(doc->Object(title).fontSize, 18);
        EXPECT_EQ(doc->Object(title).hAlign, HAlign::Right);
        KeepScreenshot(designer, u"designer.png"_s);

        // Objects and bands come and go.
        ASSERT_TRUE(designer->AddObjectClick(ObjectKind::Line));
        EXPECT_EQ(doc->Object(canvas->SelectedObject()).name, u"Line3"_s);
        const int bands = doc->BandCount();
        designer->AddBandClick(BandKind::PageHeader);
        EXPECT_EQ(doc->BandCount(), bands + 1);
        EXPECT_EQ(canvas->SelectedBand(), 1);
        Child<QDoubleSpinBox>(designer, u"BandHeightSpin"_s)->setValue(12);
        EXPECT_EQ(doc->Band(1).height, 12);
        // Its lower edge dragged 3 mm down.
        const QPointF edge(canvas->BandArea(1).center().x(), canvas->BandArea(1).bottom());
        Mouse(canvas, QEvent::MouseButtonPress, edge);
        Mouse(canvas, QEvent::MouseMove, edge + QPointF(0, 3 * canvas->Scale()));
        EXPECT_NEAR(canvas->BandArea(1).height(), 15 * canvas->Scale(), 0.01)
            << "the band grows while dragged";
        Mouse(canvas, QEvent::MouseButtonRelease, edge + QPointF(0, 3 * canvas->Scale()));
        EXPECT_EQ(doc->Band(1).height, 15);
        EXPECT_DOUBLE_EQ(Child<QDoubleSpinBox>(designer, u"BandHeightSpin"_s)->value(), 15);
        designer->DeleteClick();
        EXPECT_EQ(doc->BandCount(), bands);

        // Save as: the file holds exactly what is shown.
        hooks.saveAnswer = dir.filePath(u"Bill"_s);
        ASSERT_TRUE(designer->SaveAsClick());
        EXPECT_EQ(doc->FileName(), dir.filePath(u"Bill.frf"_s));
        EXPECT_EQ(designer->windowTitle(), u"报表设计 - Bill.frf"_s);
        ReportTemplate saved;
        ASSERT_TRUE(ReadTemplateFile(dir.filePath(u"Bill.frf"_s), &saved, nullptr));
        EXPECT_TRUE(saved == doc->Template());

        // Closing a changed template asks; No leaves the file as it was saved.
        doc->ChangeTitle(u"不保存的修改"_s);
        EXPECT_TRUE(designer->windowTitle().endsWith(u" *"_s));
        designer->reject();
        EXPECT_EQ(hooks.questions, QStringList{u"报表模板已修改，是否保存？"_s});
        EXPECT_FALSE(designer->isVisible());
    };
    DesignReport(report);
    EXPECT_EQ(hooks.modalShown, 1);
    EXPECT_TRUE(hooks.messages.isEmpty()) << hooks.messages.join(u'\n').toStdString();
    EXPECT_TRUE(report.Template() == original) << "the report object is left as it was";

    ReportTemplate saved;
    ASSERT_TRUE(ReadTemplateFile(dir.filePath(u"Bill.frf"_s), &saved, nullptr));
    EXPECT_NE(saved.title, u"不保存的修改"_s);
    ASSERT_TRUE(report.LoadFromFile(dir.filePath(u"Bill.frf"_s)));
    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(PageTextLines(report.Pages()[0]).value(0), u"销售开单单"_s);
}

ObjectRef FindObject(const TemplateDocument& doc, const QString& name) {
    for (int b = 0; b < doc.BandCount(); ++b) {
        for (int i = 0; i < doc.Band(b).objects.size(); ++i) {
            if (doc.Band(b).objects[i].name == name) return {b, i};
        }
    }
    return {};
}

TEST(ReportDesignerWindow, WrapAndGrowSettingsAreUndoableAndSaved) {
    ScriptedHooks hooks;
    QTemporaryDir dir;
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"BillReport.frf"_s));
    hooks.onModal = [&](QDialog* window) {
        auto* designer = qobject_cast<ReportDesigner*>(window);
        ASSERT_NE(designer, nullptr);
        TemplateDocument* doc = designer->Document();
        DesignerCanvas* canvas = designer->Canvas();
        auto* stretch = Child<QCheckBox>(designer, u"StretchCheck"_s);
        auto* wrap = Child<QCheckBox>(designer, u"WrapCheck"_s);
        auto* shrink = Child<QCheckBox>(designer, u"ShrinkCheck"_s);
        EXPECT_EQ(stretch->text(), u"随内容增高"_s);
        EXPECT_EQ(wrap->text(), u"自动换行"_s);

        // As shipped, the list's customer-name cell wraps in a band that grows.
        const ObjectRef customer = FindObject(*doc, u"Memo17"_s);
        ASSERT_TRUE(customer.IsValid());
        canvas->SelectBand(customer.band);
        EXPECT_TRUE(stretch->isChecked());
        KeepScreenshot(designer, u"designer-grow.png"_s);
        canvas->SelectObject(customer);
        EXPECT_TRUE(wrap->isChecked());
        EXPECT_FALSE(shrink->isEnabled()) << "wrapped text takes more lines instead";
        KeepScreenshot(designer, u"designer-wrap.png"_s);

        // The column header band: off, then on through the panel, undone and redone.
        const ObjectRef heading = FindObject(*doc, u"Memo6"_s);
        ASSERT_TRUE(heading.IsValid());
        const int header = heading.band;
        canvas->SelectBand(header);
        EXPECT_TRUE(stretch->isVisibleTo(designer));
        EXPECT_FALSE(stretch->isChecked());
        stretch->setChecked(true);
        EXPECT_TRUE(doc->Band(header).stretch);
        EXPECT_TRUE(doc->IsModified());
        doc->UndoStack()->undo();
        EXPECT_FALSE(doc->Band(header).stretch);
        EXPECT_FALSE(stretch->isChecked()) << "the panel shows the undone value";
        doc->UndoStack()->redo();
        EXPECT_TRUE(doc->Band(header).stretch);
        EXPECT_TRUE(stretch->isChecked());

        // Its customer-name heading: wrapped, which leaves shrinking nothing to do.
        canvas->SelectObject(heading);
        EXPECT_FALSE(wrap->isChecked());
        EXPECT_TRUE(shrink->isEnabled());
        wrap->setChecked(true);
        EXPECT_TRUE(doc->Object(heading).wordWrap);
        EXPECT_FALSE(shrink->isEnabled());
        doc->UndoStack()->undo();
        EXPECT_FALSE(doc->Object(heading).wordWrap);
        EXPECT_FALSE(wrap->isChecked());
        doc->UndoStack()->redo();
        EXPECT_TRUE(wrap->isChecked());
        EXPECT_EQ(doc->UndoStack()->count(), 2);

        // Page footers keep their height: the setting is not offered there.
        for (int b = 0; b < doc->BandCount(); ++b) {
            canvas->SelectBand(b);
            EXPECT_EQ(stretch->isVisibleTo(designer), doc->Band(b).kind != BandKind::PageFooter)
                << BandKindName(doc->Band(b).kind).toStdString();
            EXPECT_EQ(stretch->isChecked(), doc->Band(b).stretch);
        }

        // Saved, and loaded again as saved.
        hooks.saveAnswer = dir.filePath(u"BillReport.frf"_s);
        ASSERT_TRUE(designer->SaveAsClick());
        ReportTemplate saved;
        ASSERT_TRUE(ReadTemplateFile(hooks.saveAnswer, &saved, nullptr));
        EXPECT_TRUE(saved.bands[header].stretch);
        EXPECT_TRUE(saved.bands[heading.band].objects[heading.index].wordWrap);
        QString error;
        ASSERT_TRUE(doc->Load(FrfPath(u"BillReport.frf"_s), &error)) << error.toStdString();
        EXPECT_FALSE(doc->Band(header).stretch);
        ASSERT_TRUE(doc->Load(hooks.saveAnswer, &error)) << error.toStdString();
        EXPECT_TRUE(doc->Template() == saved);
        canvas->SelectBand(header);
        EXPECT_TRUE(stretch->isChecked());
        canvas->SelectObject(heading);
        EXPECT_TRUE(wrap->isChecked());
        window->accept();
    };
    DesignReport(report);
    EXPECT_EQ(hooks.modalShown, 1);
    EXPECT_TRUE(hooks.messages.isEmpty()) << hooks.messages.join(u'\n').toStdString();
}

TEST(ReportDesignerWindow, ObjectsStayInsideTheirBandWhenMovedOrResized) {
    ScriptedHooks hooks;
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"BillReport.frf"_s));
    hooks.onModal = [&](QDialog* window) {
        auto* designer = qobject_cast<ReportDesigner*>(window);
        ASSERT_NE(designer, nullptr);
        TemplateDocument* doc = designer->Document();
        DesignerCanvas* canvas = designer->Canvas();
        const double mm = canvas->Scale();
        // The query conditions in the 20 mm page header: 150 x 6 mm at (0, 13). The band's
        // area runs from the paper's left edge (-15) to its right edge (195).
        const ObjectRef ref = FindObject(*doc, u"MemoConditions"_s);
        ASSERT_TRUE(ref.IsValid());
        const QRectF start = doc->Object(ref).rect;
        ASSERT_EQ(start, QRectF(0, 13, 150, 6));
        const auto drag = [&](QPointF from, QPointF by) {
            Mouse(canvas, QEvent::MouseButtonPress, from);
            Mouse(canvas, QEvent::MouseMove, from + by * mm);
            Mouse(canvas, QEvent::MouseButtonRelease, from + by * mm);
        };

        // Dragged far below the band and to the right: it stops at the band's corner.
        drag(canvas->ObjectBox(ref).center(), QPointF(100, 40));
        EXPECT_EQ(doc->Object(ref).rect, QRectF(45, 14, 150, 6));
        // Far up and to the left: the other corner.
        drag(canvas->ObjectBox(ref).center(), QPointF(-100, -40));
        EXPECT_EQ(doc->Object(ref).rect, QRectF(-15, 0, 150, 6));
        // The arrow keys stop at the edge too.
        for (int i = 0; i < 50; ++i)
            Key(canvas, Qt::Key_Down);
        EXPECT_EQ(doc->Object(ref).rect, QRectF(-15, 14, 150, 6));
        // Resized by its lower right handle past the band's bottom: it ends at the bottom.
        doc->UndoStack()->undo();
        ASSERT_EQ(doc->Object(ref).rect, QRectF(-15, 0, 150, 6));
        drag(canvas->ObjectBox(ref).bottomRight(), QPointF(10, 60));
        EXPECT_EQ(doc->Object(ref).rect, QRectF(-15, 0, 160, 20));
        for (int i = 0; i < 200; ++i)
            Key(canvas, Qt::Key_Right, Qt::ShiftModifier);
        EXPECT_EQ(doc->Object(ref).rect, QRectF(-15, 0, 210, 20)) << "as wide as the paper, no wider";
        EXPECT_EQ(doc->Band(ref.band).height, 20) << "the band keeps its height";
        window->accept();
    };
    DesignReport(report);
    EXPECT_EQ(hooks.modalShown, 1);
}

TEST(ReportDesignerWindow, CanvasPaintsTheWholeViewWhateverTheTemplatesHeight) {
    ScriptedHooks hooks;
    ReportFixtures data;
    Report report;
    ASSERT_TRUE(data.Bind(report, u"BillReport.frf"_s));
    hooks.onModal = [&](QDialog* window) {
        auto* designer = qobject_cast<ReportDesigner*>(window);
        ASSERT_NE(designer, nullptr);
        DesignerCanvas* canvas = designer->Canvas();
        QWidget* view = Child<QScrollArea>(designer, u"CanvasArea"_s)->viewport();
        const QColor around(0x9a, 0x9a, 0x9a); // the canvas around the paper
        const auto check = [&](const char* when) {
            QApplication::processEvents();
            const QImage shot = view->grab().toImage();
            ASSERT_FALSE(shot.isNull());
            EXPECT_GE(canvas->width(), view->width()) << when;
            EXPECT_GE(canvas->height(), view->height()) << when;
            // The corners of the view and the space under the last band are the canvas's.
            const int dpr = int(shot.devicePixelRatio());
            for (const QPoint p : {QPoint(view->width() - 2, 2), QPoint(2, view->height() - 2),
                                   QPoint(view->width() - 2, view->height() - 2)}) {
                EXPECT_EQ(shot.pixelColor(p * dpr), around) << when << " at " << p.x() << "," << p.y();
            }
            // The paper is white beside the bands, in the left margin.
            for (int b = 0; b < designer->Document()->BandCount(); ++b) {
                const QPointF margin = canvas->BandArea(b).topLeft() + QPointF(4, 2);
                EXPECT_EQ(shot.pixelColor(margin.toPoint() * dpr), QColor(Qt::white))
                    << when << " band " << b;
            }
        };
        check("opened");
        designer->resize(1400, 1000);
        check("enlarged");
        KeepScreenshot(designer, u"designer-canvas.png"_s);
        canvas->SelectBand(0);
        designer->DeleteClick();
        check("a band removed");
        window->accept();
    };
    DesignReport(report);
}

TEST(ReportDesignerWindow, EmptyReportAndAddingWithoutBands) {
    ScriptedHooks hooks;
    Report empty;
    hooks.onModal = [&](QDialog* window) {
        auto* designer = qobject_cast<ReportDesigner*>(window);
        EXPECT_EQ(designer->windowTitle(), u"报表设计 - 未命名"_s);
        EXPECT_FALSE(designer->AddObjectClick(ObjectKind::Text));
        EXPECT_EQ(hooks.messages, QStringList{u"请先添加一个区域，再在区域中放置对象。"_s});
        designer->AddBandClick(BandKind::MasterData);
        ASSERT_TRUE(designer->AddObjectClick(ObjectKind::Text));
        EXPECT_EQ(designer->Document()->Object(designer->Canvas()->SelectedObject()).name, u"Memo1"_s);
        // Saving a new template asks where; a cancelled choice saves nothing and keeps the window.
        hooks.answerYes = true;
        designer->reject();
        EXPECT_TRUE(designer->isVisible());
        hooks.answerYes = false;
        designer->reject();
        EXPECT_FALSE(designer->isVisible());
    };
    DesignReport(empty);
    EXPECT_EQ(hooks.questions.size(), 2);
}

} // namespace
