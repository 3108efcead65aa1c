#include "report_designer/ReportPreview.h"

#include "report_designer/ReportHooks.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr int kPaperMargin = 16;      // grey space around the paper, pixels
const QColor kDesk(0x80, 0x80, 0x80); // what the paper lies on

const double kZoomSteps[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};

// Text items of a page in reading order, as indexes into the page's items.
QList<int> ReadingOrder(const RenderedPage& page) {
    QList<int> order;
    for (int i = 0; i < page.items.size(); ++i) {
        if (page.items[i].Kind() == ObjectKind::Text) order.append(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QRectF& ra = page.items[a].Rect();
        const QRectF& rb = page.items[b].Rect();
        if (qAbs(ra.center().y() - rb.center().y()) > 1.5) return ra.center().y() < rb.center().y();
        return ra.x() < rb.x();
    });
    return order;
}

} // namespace

// The paper of the current page, drawn at the preview's zoom.
class PreviewPageView : public QWidget {
public:
    explicit PreviewPageView(ReportPreview* preview) : QWidget(preview), m_preview(preview) {
        setObjectName(u"PageView"_s);
        setAutoFillBackground(false);
    }

    double pxPerMm = 3.78;
    QRectF highlight; // mm, empty for none

    QSizeF PaperPixels() const {
        const Report* r = m_preview->TheReport();
        const int page = m_preview->CurrentPage();
        const QSizeF mm = page < r->PageCount() ? r->Pages()[page].size : r->Template().page.PageSize();
        return mm * pxPerMm;
    }

    void UpdateSize() {
        const QSizeF paper = PaperPixels();
        setFixedSize(int(paper.width()) + 2 * kPaperMargin, int(paper.height()) + 2 * kPaperMargin);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), kDesk);
        const QSizeF paper = PaperPixels();
        const QPointF origin(kPaperMargin, kPaperMargin);
        painter.fillRect(QRectF(origin + QPointF(4, 4), paper), QColor(0x50, 0x50, 0x50));
        painter.fillRect(QRectF(origin, paper), Qt::white);
        const Report* r = m_preview->TheReport();
        if (m_preview->CurrentPage() < r->PageCount()) {
            r->PaintPage(painter, m_preview->CurrentPage(), pxPerMm, origin, false);
        }
        if (!highlight.isEmpty()) {
            const QRectF box(origin + highlight.topLeft() * pxPerMm, highlight.size() * pxPerMm);
            painter.setPen(QPen(QColor(0xd0, 0x60, 0x00), 2));
            painter.setBrush(QColor(0xff, 0xd0, 0x00, 0x60));
            painter.drawRect(box.adjusted(-1, -1, 1, 1));
        }
    }

private:
    ReportPreview* m_preview;
};

ReportPreview::ReportPreview(Report* report, QWidget* parent) : QDialog(parent), m_report(report) {
    setObjectName(u"ReportPreview"_s);
    setWindowTitle(report->Template().title.isEmpty() ? u"打印预览"_s
                                                      : u"打印预览 - %1"_s.arg(report->Template().title));
    setModal(true);
    setSizeGripEnabled(true);
    resize(980, 760);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(u"ToolBar"_s);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(m_toolBar);

    const PreviewButtons buttons = report->Buttons();
    if (buttons & PreviewButton::Zoom) {
        m_zoomBox = new QComboBox(this);
        m_zoomBox->setObjectName(u"pbZoom"_s);
        m_zoomBox->setToolTip(u"显示比例"_s);
        m_zoomBox->addItem(u"页宽"_s);
        m_zoomBox->addItem(u"整页"_s);
        for (double step : kZoomSteps)
            m_zoomBox->addItem(u"%1%"_s.arg(step));
        m_toolBar->addWidget(m_zoomBox);
        connect(m_zoomBox, &QComboBox::activated, this, [this](int index) {
            if (index == 0) {
                SetZoom(ZoomMode::FitWidth);
            } else if (index == 1) {
                SetZoom(ZoomMode::WholePage);
            } else {
                SetZoom(ZoomMode::Percent, kZoomSteps[index - 2]);
            }
        });
        connect(AddButton(u"ZoomOut"_s, u"缩小"_s, u"缩小显示"_s), &QToolButton::clicked, this,
                &ReportPreview::ZoomOut);
        connect(AddButton(u"ZoomIn"_s, u"放大"_s, u"放大显示"_s), &QToolButton::clicked, this,
                &ReportPreview::ZoomIn);
        m_toolBar->addSeparator();
    }
    if (buttons & PreviewButton::Load)
        connect(AddButton(u"pbLoad"_s, u"打开"_s, u"打开报表模板"_s), &QToolButton::clicked, this,
                &ReportPreview::LoadClick);
    if (buttons & PreviewButton::Save)
        connect(AddButton(u"pbSave"_s, u"保存"_s, u"保存为 PDF 文件"_s), &QToolButton::clicked, this,
                &ReportPreview::SaveClick);
    if (buttons & PreviewButton::Print)
        connect(AddButton(u"pbPrint"_s, u"打印"_s, u"打印报表"_s), &QToolButton::clicked, this,
                &ReportPreview::PrintClick);
    if (buttons & PreviewButton::Find) {
        connect(AddButton(u"pbFind"_s, u"查找"_s, u"在报表中查找文字"_s), &QToolButton::clicked, this,
                [this] {
                    m_findBar->show();
                    m_findEdit->setFocus();
                    m_findEdit->selectAll();
                });
    }
    if (buttons & PreviewButton::Help)
        connect(AddButton(u"pbHelp"_s, u"帮助"_s, u"预览窗口的用法"_s), &QToolButton::clicked, this,
                &ReportPreview::HelpClick);
    m_toolBar->addSeparator();
    connect(AddButton(u"First"_s, u"首页"_s, u"第一页"_s), &QToolButton::clicked, this,
            [this] { ShowPage(0); });
    connect(AddButton(u"Prior"_s, u"上一页"_s, u"上一页"_s), &QToolButton::clicked, this,
            [this] { ShowPage(m_page - 1); });
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(u"PageLabel"_s);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    m_toolBar->addWidget(m_pageLabel);
    connect(AddButton(u"Next"_s, u"下一页"_s, u"下一页"_s), &QToolButton::clicked, this,
            [this] { ShowPage(m_page + 1); });
    connect(AddButton(u"Last"_s, u"末页"_s, u"最后一页"_s), &QToolButton::clicked, this,
            [this] { ShowPage(PageCount() - 1); });
    if (buttons & PreviewButton::Exit) {
        m_toolBar->addSeparator();
        connect(AddButton(u"pbExit"_s, u"关闭"_s, u"关闭预览窗口"_s), &QToolButton::clicked, this,
                &QDialog::accept);
    }

    m_findBar = new QWidget(this);
    m_findBar->setObjectName(u"FindBar"_s);
    auto* findLayout = new QHBoxLayout(m_findBar);
    findLayout->setContentsMargins(6, 3, 6, 3);
    findLayout->addWidget(new QLabel(u"查找内容："_s, m_findBar));
    m_findEdit = new QLineEdit(m_findBar);
    m_findEdit->setObjectName(u"FindEdit"_s);
    findLayout->addWidget(m_findEdit, 1);
    auto* findNext = new QToolButton(m_findBar);
    findNext->setObjectName(u"FindNext"_s);
    findNext->setText(u"查找下一个"_s);
    findLayout->addWidget(findNext);
    auto* findClose = new QToolButton(m_findBar);
    findClose->setObjectName(u"FindClose"_s);
    findClose->setText(u"关闭查找"_s);
    findLayout->addWidget(findClose);
    connect(findNext, &QToolButton::clicked, this, [this] { FindNext(m_findEdit->text()); });
    connect(m_findEdit, &QLineEdit::returnPressed, this, [this] { FindNext(m_findEdit->text()); });
    connect(findClose, &QToolButton::clicked, m_findBar, &QWidget::hide);
    m_findBar->hide();
    layout->addWidget(m_findBar);

    m_area = new QScrollArea(this);
    m_area->setObjectName(u"PageArea"_s);
    m_area->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette grey = m_area->palette();
    grey.setColor(QPalette::Window, kDesk);
    m_area->setPalette(grey);
    m_area->setBackgroundRole(QPalette::Window);
    m_view = new PreviewPageView(this);
    m_area->setWidget(m_view);
    m_area->viewport()->installEventFilter(this);
    layout->addWidget(m_area, 1);

    UpdateZoom();
    UpdateNavigation();
}

QToolButton* ReportPreview::AddButton(const QString& name, const QString& text, const QString& tip) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    m_toolBar->addWidget(button);
    return button;
}

void ReportPreview::ShowPage(int page) {
    const int count = PageCount();
    if (count == 0) {
        m_page = 0;
    } else {
        m_page = std::clamp(page, 0, count - 1);
    }
    m_view->highlight = (m_foundPage == m_page && m_foundItem >= 0 && m_page < count)
                            ? m_report->Pages()[m_page].items.value(m_foundItem).Rect()
                            : QRectF();
    UpdateZoom();
    UpdateNavigation();
}

double ReportPreview::ZoomPercent() const {
    const double fullSize = logicalDpiX() / 25.4;
    return m_view->pxPerMm / fullSize * 100;
}

void ReportPreview::SetZoom(ZoomMode mode, double percent) {
    m_zoomMode = mode;
    m_percent = std::clamp(percent, 10.0, 800.0);
    UpdateZoom();
}

void ReportPreview::ZoomIn() {
    const double now = ZoomPercent();
    for (double step : kZoomSteps) {
        if (step > now + 0.5) {
            SetZoom(ZoomMode::Percent, step);
            return;
        }
    }
}

void ReportPreview::ZoomOut() {
    const double now = ZoomPercent();
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
        if (*it < now - 0.5) {
            SetZoom(ZoomMode::Percent, *it);
            return;
        }
    }
}

void ReportPreview::UpdateZoom() {
    const double fullSize = logicalDpiX() / 25.4;
    const QSizeF mm =
        m_page < PageCount() ? m_report->Pages()[m_page].size : m_report->Template().page.PageSize();
    const QSize room = m_area->viewport()->size() - QSize(2 * kPaperMargin, 2 * kPaperMargin);
    double pxPerMm = fullSize * m_percent / 100;
    if (m_zoomMode == ZoomMode::FitWidth && mm.width() > 0) {
        pxPerMm = std::max(0.5, room.width() / mm.width());
    } else if (m_zoomMode == ZoomMode::WholePage && mm.width() > 0 && mm.height() > 0) {
        pxPerMm = std::max(0.5, std::min(room.width() / mm.width(), room.height() / mm.height()));
    }
    m_view->pxPerMm = pxPerMm;
    m_view->UpdateSize();
    if (m_zoomBox) {
        const QSignalBlocker block(m_zoomBox);
        if (m_zoomMode == ZoomMode::FitWidth) {
            m_zoomBox->setCurrentIndex(0);
        } else if (m_zoomMode == ZoomMode::WholePage) {
            m_zoomBox->setCurrentIndex(1);
        } else {
            const int index = m_zoomBox->findText(u"%1%"_s.arg(m_percent));
            if (index >= 0) m_zoomBox->setCurrentIndex(index);
        }
    }
}

void ReportPreview::UpdateNavigation() {
    const int count = PageCount();
    m_pageLabel->setText(u"第 %1 页 / 共 %2 页"_s.arg(count == 0 ? 0 : m_page + 1).arg(count));
    for (const char16_t* name : {u"First", u"Prior"}) {
        if (auto* b = findChild<QToolButton*>(QString::fromUtf16(name))) b->setEnabled(m_page > 0);
    }
    for (const char16_t* name : {u"Next", u"Last"}) {
        if (auto* b = findChild<QToolButton*>(QString::fromUtf16(name))) b->setEnabled(m_page + 1 < count);
    }
}

bool ReportPreview::FindNext(const QString& text) {
    const QString needle = text.trimmed();
    if (needle.isEmpty()) return false;
    const QList<RenderedPage>& pages = m_report->Pages();
    // Walk the pages from the item after the last match, round to where it started.
    const int startPage = m_foundPage >= 0 ? m_foundPage : m_page;
    for (int step = 0; step <= pages.size(); ++step) {
        const int p = (startPage + step) % std::max<int>(1, int(pages.size()));
        if (p >= pages.size()) break;
        const QList<int> order = ReadingOrder(pages[p]);
        int from = 0;
        if (step == 0 && m_foundPage == p) from = int(order.indexOf(m_foundItem)) + 1;
        for (int i = from; i < order.size(); ++i) {
            if (pages[p].items[order[i]].Text().contains(needle, Qt::CaseInsensitive)) {
                m_foundPage = p;
                m_foundItem = order[i];
                ShowPage(p);
                const QRectF box = m_view->highlight;
                m_area->ensureVisible(int(kPaperMargin + box.center().x() * m_view->pxPerMm),
                                      int(kPaperMargin + box.center().y() * m_view->pxPerMm), 60, 60);
                return true;
            }
        }
    }
    m_foundPage = m_foundItem = -1;
    ShowPage(m_page);
    TheReportHooks().message(this, u"找不到“%1”"_s.arg(needle));
    return false;
}

void ReportPreview::PrintClick() {
    if (PageCount() == 0) return;
    QPrinter printer(QPrinter::HighResolution);
    m_report->ConfigurePrinter(&printer);
    printer.setDocName(m_report->Template().title);
    printer.setFromTo(1, PageCount());
    if (!TheReportHooks().printDialog(this, &printer)) return;
    if (!m_report->Print(&printer)) TheReportHooks().message(this, m_report->LastError());
}

void ReportPreview::SaveClick() {
    const QString suggested =
        (m_report->Template().title.isEmpty() ? u"报表"_s : m_report->Template().title) + u".pdf"_s;
    QString path =
        TheReportHooks().chooseSaveFile(this, u"保存为 PDF 文件"_s, suggested, u"PDF 文件 (*.pdf)"_s);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += u".pdf"_s;
    if (m_report->ExportPdf(path)) {
        TheReportHooks().message(this, u"报表已保存为 %1"_s.arg(path));
    } else {
        TheReportHooks().message(this, m_report->LastError());
    }
}

void ReportPreview::LoadClick() {
    const QString start =
        m_report->FileName().isEmpty() ? QString() : QFileInfo(m_report->FileName()).absolutePath();
    const QString path =
        TheReportHooks().chooseOpenFile(this, u"打开报表模板"_s, start, u"报表模板 (*.frf)"_s);
    if (path.isEmpty()) return;
    if (!m_report->LoadFromFile(path) || !m_report->PrepareReport()) {
        TheReportHooks().message(this, m_report->LastError());
    }
    Reload();
}

void ReportPreview::HelpClick() {
    TheReportHooks().message(this, u"打印预览\n\n"
                                   u"显示比例：选择“页宽”“整页”或百分比，也可按住 Ctrl 滚动鼠标滚轮缩放。\n"
                                   u"翻页：工具栏的首页、上一页、下一页、末页，或键盘 PageUp、PageDown。\n"
                                   u"打开：换用另一个报表模板重新生成报表。\n"
                                   u"保存：把报表保存为 PDF 文件。\n"
                                   u"打印：选择打印机后打印报表。\n"
                                   u"查找：在报表中查找文字，再按回车查找下一处。\n"
                                   u"关闭：关闭预览窗口。"_s);
}

void ReportPreview::Reload() {
    m_foundPage = m_foundItem = -1;
    setWindowTitle(m_report->Template().title.isEmpty() ? u"打印预览"_s
                                                        : u"打印预览 - %1"_s.arg(m_report->Template().title));
    ShowPage(0);
}

void ReportPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        ShowPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        ShowPage(m_page - 1);
        return;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier) {
            ShowPage(0);
            return;
        }
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier) {
            ShowPage(PageCount() - 1);
            return;
        }
        break;
    case Qt::Key_F:
        if ((event->modifiers() & Qt::ControlModifier) && (m_report->Buttons() & PreviewButton::Find)) {
            m_findBar->show();
            m_findEdit->setFocus();
            return;
        }
        break;
    case Qt::Key_F3:
        FindNext(m_findEdit->text());
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area->viewport()) {
        if (event->type() == QEvent::Resize && m_zoomMode != ZoomMode::Percent) {
            UpdateZoom();
        } else if (event->type() == QEvent::Wheel) {
            auto* wheel = static_cast<QWheelEvent*>(event);
            if ((wheel->modifiers() & Qt::ControlModifier) && (m_report->Buttons() & PreviewButton::Zoom)) {
                wheel->angleDelta().y() > 0 ? ZoomIn() : ZoomOut();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowReport(Report& report, QWidget* parent) {
    const ReportHooks& hooks = TheReportHooks();
    if (hooks.today) report.SetToday(hooks.today());
    if (!report.PrepareReport()) {
        ShowReportError(report, parent);
        return false;
    }
    ReportPreview preview(&report, parent);
    hooks.showModal(&preview);
    return true;
}

void ShowReportError(const Report& report, QWidget* parent) {
    TheReportHooks().message(parent, report.LastError());
}

} // namespace tev
