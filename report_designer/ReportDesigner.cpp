#include "report_designer/ReportDesigner.h"

#include "report_designer/ReportHooks.h"
#include "report_designer/ReportPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

// Edits of one field of one object in a row are one undo step.
enum PanelMerge {
    kMergeName = 100,
    kMergeText,
    kMergeFont,
    kMergeFontSize,
    kMergeFormat,
    kMergeLineWidth,
    kMergeX,
    kMergeY,
    kMergeW,
    kMergeH,
};

const BandKind kAllBandKinds[] = {BandKind::ReportTitle,   BandKind::PageHeader, BandKind::DataHeader,
                                  BandKind::MasterData,    BandKind::DetailData, BandKind::DataFooter,
                                  BandKind::ReportSummary, BandKind::PageFooter};

const QColor kDefaultFill(0xee, 0xee, 0xee);

QDoubleSpinBox* MmSpin(QWidget* parent, const QString& name, double max = 2000, double step = 0.5) {
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, max);
    spin->setDecimals(2);
    spin->setSingleStep(step);
    spin->setSuffix(u" 毫米"_s);
    spin->setKeyboardTracking(false);
    return spin;
}

double DefaultBandHeight(BandKind kind) {
    switch (kind) {
    case BandKind::ReportTitle:
        return 20;
    case BandKind::PageHeader:
        return 15;
    case BandKind::PageFooter:
        return 10;
    case BandKind::ReportSummary:
        return 12;
    default:
        return 8;
    }
}

} // namespace

ReportDesigner::ReportDesigner(QWidget* parent) : QDialog(parent) {
    setObjectName(u"ReportDesigner"_s);
    setModal(true);
    setSizeGripEnabled(true);
    resize(1180, 800);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* bar = new QToolBar(this);
    bar->setObjectName(u"ToolBar"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->addWidget(bar);

    QAction* open = AddAction(bar, u"actOpen"_s, u"打开"_s, u"打开报表模板文件"_s);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { OpenClick(); });
    QAction* save = AddAction(bar, u"actSave"_s, u"保存"_s, u"保存报表模板"_s);
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { SaveClick(); });
    connect(AddAction(bar, u"actSaveAs"_s, u"另存为"_s, u"把报表模板保存为另一个文件"_s), &QAction::triggered,
            this, [this] { SaveAsClick(); });
    bar->addSeparator();

    // Short captions; what would be undone or redone shows as the tip.
    QUndoStack* stack = m_doc.UndoStack();
    QAction* undo = AddAction(bar, u"actUndo"_s, u"撤销"_s, QString());
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(false);
    connect(undo, &QAction::triggered, stack, &QUndoStack::undo);
    connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undo,
            [undo](const QString& text) { undo->setToolTip(u"撤销：%1"_s.arg(text)); });
    QAction* redo = AddAction(bar, u"actRedo"_s, u"重做"_s, QString());
    redo->setShortcut(QKeySequence::Redo);
    redo->setEnabled(false);
    connect(redo, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(stack, &QUndoStack::redoTextChanged, redo,
            [redo](const QString& text) { redo->setToolTip(u"重做：%1"_s.arg(text)); });
    bar->addSeparator();

    connect(AddAction(bar, u"actAddText"_s, u"文本"_s, u"添加文本对象"_s), &QAction::triggered, this,
            [this] { AddObjectClick(ObjectKind::Text); });
    connect(AddAction(bar, u"actAddLine"_s, u"线条"_s, u"添加线条"_s), &QAction::triggered, this,
            [this] { AddObjectClick(ObjectKind::Line); });
    connect(AddAction(bar, u"actAddRect"_s, u"矩形"_s, u"添加矩形框"_s), &QAction::triggered, this,
            [this] { AddObjectClick(ObjectKind::Rect); });
    connect(AddAction(bar, u"actAddPicture"_s, u"图片"_s, u"添加图片"_s), &QAction::triggered, this,
            [this] { AddObjectClick(ObjectKind::Picture); });
    auto* bandMenu = new QMenu(this);
    for (BandKind kind : kAllBandKinds) {
        QAction* a = bandMenu->addAction(BandKindCaption(kind));
        a->setObjectName(u"actAddBand_"_s + BandKindName(kind));
        connect(a, &QAction::triggered, this, [this, kind] { AddBandClick(kind); });
    }
    auto* bandButton = new QToolButton(this);
    bandButton->setObjectName(u"AddBandButton"_s);
    bandButton->setText(u"区域"_s);
    bandButton->setToolTip(u"添加区域"_s);
    bandButton->setMenu(bandMenu);
    bandButton->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(bandButton);
    connect(AddAction(bar, u"actDelete"_s, u"删除"_s, u"删除选中的对象或区域"_s), &QAction::triggered, this,
            &ReportDesigner::DeleteClick);
    bar->addSeparator();
    connect(AddAction(bar, u"actPreview"_s, u"预览"_s, u"用当前数据预览报表"_s), &QAction::triggered, this,
            &ReportDesigner::PreviewClick);
    connect(AddAction(bar, u"actClose"_s, u"关闭"_s, u"关闭设计窗口"_s), &QAction::triggered, this,
            &QDialog::accept);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_area = new QScrollArea(splitter);
    m_area->setObjectName(u"CanvasArea"_s);
    m_area->setBackgroundRole(QPalette::Dark);
    m_canvas = new DesignerCanvas(&m_doc);
    m_area->setWidget(m_canvas);
    // The canvas fills the view, however short the template, and scrolls when it is larger.
    m_area->setWidgetResizable(true);
    splitter->addWidget(m_area);

    m_panel = new QStackedWidget(splitter);
    m_panel->setObjectName(u"PropertyPanel"_s);
    auto* panelScroll = new QScrollArea(splitter);
    panelScroll->setWidget(m_panel);
    panelScroll->setWidgetResizable(true);
    panelScroll->setMinimumWidth(330);
    splitter->addWidget(panelScroll);
    splitter->setStretchFactor(0, 1);
    layout->addWidget(splitter, 1);

    auto* del = new QShortcut(QKeySequence::Delete, m_canvas);
    del->setContext(Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, &ReportDesigner::DeleteClick);

    BuildPanel();
    connect(m_canvas, &DesignerCanvas::selectionChanged, this, &ReportDesigner::LoadPanel);
    connect(m_canvas, &DesignerCanvas::textEditRequested, this, [this] {
        m_text->setFocus();
        m_text->selectAll();
    });
    connect(&m_doc, &TemplateDocument::changed, this, [this] {
        LoadPanel();
        UpdateTitle();
    });
    LoadPanel();
    UpdateTitle();
}

QAction* ReportDesigner::AddAction(QToolBar* bar, const QString& name, const QString& text,
                                   const QString& tip) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setToolTip(tip);
    bar->addAction(action);
    return action;
}

void ReportDesigner::BuildPanel() {
    // ---- the report and its page
    auto* pagePage = new QWidget;
    auto* pagePageLayout = new QVBoxLayout(pagePage);
    m_pageForm = new QFormLayout;
    pagePageLayout->addLayout(m_pageForm);
    pagePageLayout->addStretch(1);
    m_pageForm->addRow(new QLabel(u"<b>报表与页面</b>"_s));
    m_title = new QLineEdit(pagePage);
    m_title->setObjectName(u"TitleEdit"_s);
    m_pageForm->addRow(u"报表名称"_s, m_title);
    m_paper = new QComboBox(pagePage);
    m_paper->setObjectName(u"PaperBox"_s);
    m_paper->addItems(PageSizeNames());
    m_pageForm->addRow(u"纸张"_s, m_paper);
    m_paperWidth = MmSpin(pagePage, u"PaperWidthSpin"_s);
    m_paperHeight = MmSpin(pagePage, u"PaperHeightSpin"_s);
    m_paperWidth->setMinimum(20);
    m_paperHeight->setMinimum(20);
    m_pageForm->addRow(u"纸张宽度"_s, m_paperWidth);
    m_pageForm->addRow(u"纸张高度"_s, m_paperHeight);
    m_orientation = new QComboBox(pagePage);
    m_orientation->setObjectName(u"OrientationBox"_s);
    m_orientation->addItems({u"纵向"_s, u"横向"_s});
    m_pageForm->addRow(u"方向"_s, m_orientation);
    const QString marginNames[] = {u"MarginLeftSpin"_s, u"MarginTopSpin"_s, u"MarginRightSpin"_s,
                                   u"MarginBottomSpin"_s};
    const QString marginLabels[] = {u"左边距"_s, u"上边距"_s, u"右边距"_s, u"下边距"_s};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = MmSpin(pagePage, marginNames[i], 200);
        m_pageForm->addRow(marginLabels[i], m_margins[i]);
    }
    m_pageForm->addRow(new QLabel(u"点击页面上的区域或对象可编辑它的属性。"_s));
    connect(m_title, &QLineEdit::editingFinished, this, [this] {
        if (!m_loading) m_doc.ChangeTitle(m_title->text());
    });
    connect(m_paper, &QComboBox::currentTextChanged, this, [this](const QString& size) {
        EditPage([&](PageSetup& p) {
            if (size == u"Custom"_s && p.size != size) {
                const QSizeF paper = p.PaperSize();
                p.width = paper.width();
                p.height = paper.height();
            }
            p.size = size;
        });
    });
    connect(m_paperWidth, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditPage([&](PageSetup& p) { p.width = v; }); });
    connect(m_paperHeight, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditPage([&](PageSetup& p) { p.height = v; }); });
    connect(m_orientation, &QComboBox::currentIndexChanged, this,
            [this](int i) { EditPage([&](PageSetup& p) { p.landscape = i == 1; }); });
    connect(m_margins[0], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditPage([&](PageSetup& p) { p.marginLeft = v; }); });
    connect(m_margins[1], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditPage([&](PageSetup& p) { p.marginTop = v; }); });
    connect(m_margins[2], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditPage([&](PageSetup& p) { p.marginRight = v; }); });
    connect(m_margins[3], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditPage([&](PageSetup& p) { p.marginBottom = v; }); });
    m_panel->addWidget(pagePage);

    // ---- a band
    auto* bandPage = new QWidget;
    auto* bandPageLayout = new QVBoxLayout(bandPage);
    m_bandForm = new QFormLayout;
    bandPageLayout->addLayout(m_bandForm);
    bandPageLayout->addStretch(1);
    m_bandForm->addRow(new QLabel(u"<b>区域</b>"_s));
    m_bandKind = new QComboBox(bandPage);
    m_bandKind->setObjectName(u"BandKindBox"_s);
    for (BandKind kind : kAllBandKinds)
        m_bandKind->addItem(BandKindCaption(kind), int(kind));
    m_bandForm->addRow(u"类型"_s, m_bandKind);
    m_bandName = new QLineEdit(bandPage);
    m_bandName->setObjectName(u"BandNameEdit"_s);
    m_bandForm->addRow(u"名称"_s, m_bandName);
    m_bandHeight = MmSpin(bandPage, u"BandHeightSpin"_s, 1000);
    m_bandForm->addRow(u"高度"_s, m_bandHeight);
    m_stretch = new QCheckBox(u"随内容增高"_s, bandPage);
    m_stretch->setObjectName(u"StretchCheck"_s);
    m_stretch->setToolTip(u"打印时区域中自动换行的文字放不下就增加行数，区域和同一行的格子一起增高；"
                          u"增高后的区域不跨页拆开，整体移到下一页"_s);
    m_bandForm->addRow(QString(), m_stretch);
    m_bandDataSet = new QLineEdit(bandPage);
    m_bandDataSet->setObjectName(u"BandDataSetEdit"_s);
    m_bandForm->addRow(u"数据集"_s, m_bandDataSet);
    m_everyPage = new QCheckBox(u"每页都打印"_s, bandPage);
    m_everyPage->setObjectName(u"EveryPageCheck"_s);
    m_bandForm->addRow(QString(), m_everyPage);
    m_firstPage = new QCheckBox(u"第一页也打印"_s, bandPage);
    m_firstPage->setObjectName(u"FirstPageCheck"_s);
    m_bandForm->addRow(QString(), m_firstPage);
    m_repeat = new QCheckBox(u"换页后重复打印"_s, bandPage);
    m_repeat->setObjectName(u"RepeatCheck"_s);
    m_bandForm->addRow(QString(), m_repeat);
    connect(m_bandKind, &QComboBox::currentIndexChanged, this, [this](int i) {
        EditBand([&](ReportBand& b) { b.kind = BandKind(m_bandKind->itemData(i).toInt()); });
    });
    connect(m_bandName, &QLineEdit::editingFinished, this,
            [this] { EditBand([&](ReportBand& b) { b.name = m_bandName->text().trimmed(); }); });
    connect(m_bandHeight, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditBand([&](ReportBand& b) { b.height = v; }); });
    connect(m_bandDataSet, &QLineEdit::editingFinished, this,
            [this] { EditBand([&](ReportBand& b) { b.dataSet = m_bandDataSet->text().trimmed(); }); });
    connect(m_stretch, &QCheckBox::toggled, this,
            [this](bool on) { EditBand([&](ReportBand& b) { b.stretch = on; }); });
    connect(m_everyPage, &QCheckBox::toggled, this,
            [this](bool on) { EditBand([&](ReportBand& b) { b.everyPage = on; }); });
    connect(m_firstPage, &QCheckBox::toggled, this,
            [this](bool on) { EditBand([&](ReportBand& b) { b.onFirstPage = on; }); });
    connect(m_repeat, &QCheckBox::toggled, this,
            [this](bool on) { EditBand([&](ReportBand& b) { b.repeatOnNewPage = on; }); });
    m_panel->addWidget(bandPage);

    // ---- an object
    auto* objectPage = new QWidget;
    auto* objectPageLayout = new QVBoxLayout(objectPage);
    m_objectForm = new QFormLayout;
    objectPageLayout->addLayout(m_objectForm);
    objectPageLayout->addStretch(1);
    m_objectForm->addRow(new QLabel(u"<b>对象</b>"_s));
    m_name = new QLineEdit(objectPage);
    m_name->setObjectName(u"NameEdit"_s);
    m_objectForm->addRow(u"名称"_s, m_name);
    m_text = new QPlainTextEdit(objectPage);
    m_text->setObjectName(u"TextEdit"_s);
    m_text->setToolTip(u"文字中可用 [字段名]、[数据集.字段名]、[变量名]、[PAGE#]、[TOTALPAGES]、[DATE]、"
                       u"[LINE#]、[COUNT]、[SUM(字段名)]、[PAGESUM(字段名)]"_s);
    m_text->setFixedHeight(70);
    m_objectForm->addRow(u"文字"_s, m_text);
    m_font = new QFontComboBox(objectPage);
    m_font->setObjectName(u"FontBox"_s);
    m_objectForm->addRow(u"字体"_s, m_font);
    m_fontSize = new QDoubleSpinBox(objectPage);
    m_fontSize->setObjectName(u"FontSizeSpin"_s);
    m_fontSize->setRange(1, 200);
    m_fontSize->setSingleStep(0.5);
    m_fontSize->setSuffix(u" 磅"_s);
    m_fontSize->setKeyboardTracking(false);
    m_objectForm->addRow(u"字号"_s, m_fontSize);
    auto* styleRow = new QWidget(objectPage);
    styleRow->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* styleLayout = new QHBoxLayout(styleRow);
    styleLayout->setContentsMargins(0, 0, 0, 0);
    m_bold = new QCheckBox(u"粗体"_s, styleRow);
    m_bold->setObjectName(u"BoldCheck"_s);
    m_italic = new QCheckBox(u"斜体"_s, styleRow);
    m_italic->setObjectName(u"ItalicCheck"_s);
    m_wrap = new QCheckBox(u"自动换行"_s, styleRow);
    m_wrap->setObjectName(u"WrapCheck"_s);
    m_wrap->setToolTip(u"文字比对象宽时换到下一行；所在区域选了“随内容增高”时，对象随行数增高"_s);
    styleLayout->addWidget(m_bold);
    styleLayout->addWidget(m_italic);
    styleLayout->addWidget(m_wrap);
    m_objectForm->addRow(u"样式"_s, styleRow);
    m_shrink = new QCheckBox(u"放不下时缩小字体"_s, objectPage);
    m_shrink->setObjectName(u"ShrinkCheck"_s);
    m_objectForm->addRow(QString(), m_shrink);
    m_align = new QComboBox(objectPage);
    m_align->setObjectName(u"AlignBox"_s);
    m_align->addItems({u"左对齐"_s, u"居中"_s, u"右对齐"_s});
    m_objectForm->addRow(u"水平对齐"_s, m_align);
    m_valign = new QComboBox(objectPage);
    m_valign->setObjectName(u"VAlignBox"_s);
    m_valign->addItems({u"顶端"_s, u"居中"_s, u"底端"_s});
    m_objectForm->addRow(u"垂直对齐"_s, m_valign);
    m_format = new QComboBox(objectPage);
    m_format->setObjectName(u"FormatBox"_s);
    m_format->setEditable(true);
    m_format->addItems(
        {QString(), u"0.00"_s, u"#,##0.00"_s, u"¥#,##0.00"_s, u"0.##"_s, u"yyyy-MM-dd"_s, u"yyyy年M月d日"_s});
    m_format->setToolTip(u"数字格式如 0.00、#,##0.00；日期格式如 yyyy-MM-dd"_s);
    m_objectForm->addRow(u"显示格式"_s, m_format);
    m_frameRow = new QWidget(objectPage);
    m_frameRow->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* frameLayout = new QHBoxLayout(m_frameRow);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    const QString frameNames[] = {u"FrameLeftCheck"_s, u"FrameTopCheck"_s, u"FrameRightCheck"_s,
                                  u"FrameBottomCheck"_s};
    const QString frameTexts[] = {u"左"_s, u"上"_s, u"右"_s, u"下"_s};
    const int frameSides[] = {FrameLeft, FrameTop, FrameRight, FrameBottom};
    for (int i = 0; i < 4; ++i) {
        m_frame[i] = new QCheckBox(frameTexts[i], m_frameRow);
        m_frame[i]->setObjectName(frameNames[i]);
        frameLayout->addWidget(m_frame[i]);
        const int side = frameSides[i];
        connect(m_frame[i], &QCheckBox::toggled, this, [this, side](bool on) {
            EditObject([&](ReportObject& o) { o.frame = on ? (o.frame | side) : (o.frame & ~side); }, -1);
        });
    }
    m_objectForm->addRow(u"边框"_s, m_frameRow);
    m_lineWidth = MmSpin(objectPage, u"LineWidthSpin"_s, 10, 0.1);
    m_objectForm->addRow(u"线宽"_s, m_lineWidth);
    m_fill = new QCheckBox(u"灰色底纹"_s, objectPage);
    m_fill->setObjectName(u"FillCheck"_s);
    m_objectForm->addRow(u"背景"_s, m_fill);
    m_pictureRow = new QWidget(objectPage);
    m_pictureRow->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* pictureLayout = new QHBoxLayout(m_pictureRow);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    m_pictureFile = new QLineEdit(m_pictureRow);
    m_pictureFile->setObjectName(u"PictureFileEdit"_s);
    m_pictureFile->setPlaceholderText(u"（图片已嵌入模板）"_s);
    auto* choose = new QPushButton(u"选择…"_s, m_pictureRow);
    choose->setObjectName(u"PictureChooseButton"_s);
    pictureLayout->addWidget(m_pictureFile, 1);
    pictureLayout->addWidget(choose);
    m_objectForm->addRow(u"图片文件"_s, m_pictureRow);
    m_keepAspect = new QCheckBox(u"保持图片比例"_s, objectPage);
    m_keepAspect->setObjectName(u"KeepAspectCheck"_s);
    m_objectForm->addRow(QString(), m_keepAspect);
    const QString geometryNames[] = {u"XSpin"_s, u"YSpin"_s, u"WSpin"_s, u"HSpin"_s};
    const QString geometryLabels[] = {u"左"_s, u"上"_s, u"宽"_s, u"高"_s};
    for (int i = 0; i < 4; ++i) {
        m_geometry[i] = MmSpin(objectPage, geometryNames[i]);
        if (i < 2) m_geometry[i]->setMinimum(-500);
        m_objectForm->addRow(geometryLabels[i], m_geometry[i]);
    }

    connect(m_name, &QLineEdit::editingFinished, this,
            [this] { EditObject([&](ReportObject& o) { o.name = m_name->text().trimmed(); }, kMergeName); });
    connect(m_text, &QPlainTextEdit::textChanged, this,
            [this] { EditObject([&](ReportObject& o) { o.text = m_text->toPlainText(); }, kMergeText); });
    connect(m_font, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
        EditObject([&](ReportObject& o) { o.fontFamily = f.family(); }, kMergeFont);
    });
    connect(m_fontSize, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditObject([&](ReportObject& o) { o.fontSize = v; }, kMergeFontSize); });
    connect(m_bold, &QCheckBox::toggled, this,
            [this](bool on) { EditObject([&](ReportObject& o) { o.bold = on; }, -1); });
    connect(m_italic, &QCheckBox::toggled, this,
            [this](bool on) { EditObject([&](ReportObject& o) { o.italic = on; }, -1); });
    connect(m_wrap, &QCheckBox::toggled, this,
            [this](bool on) { EditObject([&](ReportObject& o) { o.wordWrap = on; }, -1); });
    connect(m_shrink, &QCheckBox::toggled, this,
            [this](bool on) { EditObject([&](ReportObject& o) { o.shrinkToFit = on; }, -1); });
    connect(m_align, &QComboBox::currentIndexChanged, this,
            [this](int i) { EditObject([&](ReportObject& o) { o.hAlign = HAlign(i); }, -1); });
    connect(m_valign, &QComboBox::currentIndexChanged, this,
            [this](int i) { EditObject([&](ReportObject& o) { o.vAlign = VAlign(i); }, -1); });
    connect(m_format, &QComboBox::currentTextChanged, this, [this](const QString& f) {
        EditObject([&](ReportObject& o) { o.format = f.trimmed(); }, kMergeFormat);
    });
    connect(m_lineWidth, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditObject([&](ReportObject& o) { o.lineWidth = v; }, kMergeLineWidth); });
    connect(m_fill, &QCheckBox::toggled, this, [this](bool on) {
        EditObject([&](ReportObject& o) { o.fill = on ? kDefaultFill : QColor(); }, -1);
    });
    connect(m_pictureFile, &QLineEdit::editingFinished, this, [this] {
        EditObject(
            [&](ReportObject& o) {
                const QString file = m_pictureFile->text().trimmed();
                if (file == o.pictureFile) return;
                o.pictureFile = file;
                if (!file.isEmpty()) o.pictureData.clear();
            },
            -1);
    });
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString path = TheReportHooks().chooseOpenFile(this, u"选择图片"_s, TemplateFolder(),
                                                             u"图片 (*.png *.jpg *.jpeg *.bmp *.gif)"_s);
        if (path.isEmpty()) return;
        const QString folder = TemplateFolder();
        const QString relative = folder.isEmpty() ? QString() : QDir(folder).relativeFilePath(path);
        if (!relative.isEmpty() && !relative.startsWith(u".."_s) && !QDir::isAbsolutePath(relative)) {
            EditObject(
                [&](ReportObject& o) {
                    o.pictureFile = relative;
                    o.pictureData.clear();
                },
                -1);
            return;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            TheReportHooks().message(this, u"无法读取图片文件 %1"_s.arg(path));
            return;
        }
        const QByteArray data = file.readAll();
        EditObject(
            [&](ReportObject& o) {
                o.pictureData = data;
                o.pictureFile.clear();
            },
            -1);
    });
    connect(m_keepAspect, &QCheckBox::toggled, this,
            [this](bool on) { EditObject([&](ReportObject& o) { o.keepAspect = on; }, -1); });
    connect(m_geometry[0], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditObject([&](ReportObject& o) { o.rect.moveLeft(v); }, kMergeX); });
    connect(m_geometry[1], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditObject([&](ReportObject& o) { o.rect.moveTop(v); }, kMergeY); });
    connect(m_geometry[2], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditObject([&](ReportObject& o) { o.rect.setWidth(v); }, kMergeW); });
    connect(m_geometry[3], &QDoubleSpinBox::valueChanged, this,
            [this](double v) { EditObject([&](ReportObject& o) { o.rect.setHeight(v); }, kMergeH); });
    m_panel->addWidget(objectPage);
}

void ReportDesigner::LoadPanel() {
    m_loading = true;
    const ObjectRef ref = m_canvas->SelectedObject();
    const int band = m_canvas->SelectedBand();
    if (m_doc.HasObject(ref)) {
        const ReportObject& o = m_doc.Object(ref);
        m_panel->setCurrentIndex(2);
        if (m_name->text() != o.name) m_name->setText(o.name);
        if (m_text->toPlainText() != o.text) m_text->setPlainText(o.text);
        m_font->setCurrentFont(QFont(o.fontFamily));
        m_fontSize->setValue(o.fontSize);
        m_bold->setChecked(o.bold);
        m_italic->setChecked(o.italic);
        m_wrap->setChecked(o.wordWrap);
        m_shrink->setChecked(o.shrinkToFit);
        m_shrink->setEnabled(!o.wordWrap); // wrapped text takes more lines instead
        m_align->setCurrentIndex(int(o.hAlign));
        m_valign->setCurrentIndex(int(o.vAlign));
        if (m_format->currentText() != o.format) m_format->setCurrentText(o.format);
        const int sides[] = {FrameLeft, FrameTop, FrameRight, FrameBottom};
        for (int i = 0; i < 4; ++i)
            m_frame[i]->setChecked(o.frame & sides[i]);
        m_lineWidth->setValue(o.lineWidth);
        m_fill->setChecked(o.fill.isValid());
        m_pictureFile->setText(o.pictureFile);
        m_keepAspect->setChecked(o.keepAspect);
        const double geometry[] = {o.rect.x(), o.rect.y(), o.rect.width(), o.rect.height()};
        for (int i = 0; i < 4; ++i)
            m_geometry[i]->setValue(geometry[i]);

        const bool text = o.kind == ObjectKind::Text;
        const bool picture = o.kind == ObjectKind::Picture;
        for (QWidget* w :
             {static_cast<QWidget*>(m_text), static_cast<QWidget*>(m_font), static_cast<QWidget*>(m_fontSize),
              m_bold->parentWidget(), static_cast<QWidget*>(m_shrink), static_cast<QWidget*>(m_align),
              static_cast<QWidget*>(m_valign), static_cast<QWidget*>(m_format), m_frameRow}) {
            m_objectForm->setRowVisible(w, text);
        }
        m_objectForm->setRowVisible(m_fill, text || o.kind == ObjectKind::Rect);
        m_objectForm->setRowVisible(m_lineWidth, !picture);
        m_objectForm->setRowVisible(m_pictureRow, picture);
        m_objectForm->setRowVisible(m_keepAspect, picture);
    } else if (band >= 0 && band < m_doc.BandCount()) {
        const ReportBand& b = m_doc.Band(band);
        m_panel->setCurrentIndex(1);
        m_bandKind->setCurrentIndex(m_bandKind->findData(int(b.kind)));
        if (m_bandName->text() != b.name) m_bandName->setText(b.name);
        m_bandHeight->setValue(b.height);
        if (m_bandDataSet->text() != b.dataSet) m_bandDataSet->setText(b.dataSet);
        m_everyPage->setChecked(b.everyPage);
        m_firstPage->setChecked(b.onFirstPage);
        m_repeat->setChecked(b.repeatOnNewPage);
        m_stretch->setChecked(b.stretch);
        const bool pageBand = b.kind == BandKind::PageHeader || b.kind == BandKind::PageFooter;
        m_bandForm->setRowVisible(m_bandDataSet, b.kind == BandKind::DetailData);
        m_bandForm->setRowVisible(m_everyPage, pageBand);
        m_bandForm->setRowVisible(m_firstPage, pageBand);
        m_bandForm->setRowVisible(m_repeat, b.kind == BandKind::DataHeader);
        // Page footers keep their height: the body above them is measured before printing.
        m_bandForm->setRowVisible(m_stretch, b.kind != BandKind::PageFooter);
    } else {
        const ReportTemplate& t = m_doc.Template();
        m_panel->setCurrentIndex(0);
        if (m_title->text() != t.title) m_title->setText(t.title);
        m_paper->setCurrentText(t.page.size);
        const QSizeF paper = t.page.PaperSize();
        m_paperWidth->setValue(paper.width());
        m_paperHeight->setValue(paper.height());
        const bool custom = t.page.size == u"Custom"_s;
        m_pageForm->setRowVisible(m_paperWidth, custom);
        m_pageForm->setRowVisible(m_paperHeight, custom);
        m_orientation->setCurrentIndex(t.page.landscape ? 1 : 0);
        const double margins[] = {t.page.marginLeft, t.page.marginTop, t.page.marginRight,
                                  t.page.marginBottom};
        for (int i = 0; i < 4; ++i)
            m_margins[i]->setValue(margins[i]);
    }
    const bool selected = m_doc.HasObject(ref) || band >= 0;
    if (auto* del = findChild<QAction*>(u"actDelete"_s)) del->setEnabled(selected);
    m_loading = false;
}

void ReportDesigner::EditObject(const std::function<void(ReportObject&)>& change, int mergeId) {
    if (m_loading) return;
    const ObjectRef ref = m_canvas->SelectedObject();
    if (!m_doc.HasObject(ref)) return;
    ReportObject o = m_doc.Object(ref);
    change(o);
    m_doc.ChangeObject(ref, o, mergeId);
}

void ReportDesigner::EditBand(const std::function<void(ReportBand&)>& change) {
    if (m_loading) return;
    const int band = m_canvas->SelectedBand();
    if (band < 0 || band >= m_doc.BandCount() || m_canvas->SelectedObject().IsValid()) return;
    ReportBand b = m_doc.Band(band);
    change(b);
    m_doc.ChangeBand(band, b);
}

void ReportDesigner::EditPage(const std::function<void(PageSetup&)>& change) {
    if (m_loading) return;
    PageSetup page = m_doc.Template().page;
    change(page);
    m_doc.ChangePage(page);
}

void ReportDesigner::UpdateTitle() {
    const QString file = m_doc.FileName().isEmpty() ? u"未命名"_s : QFileInfo(m_doc.FileName()).fileName();
    setWindowTitle(u"报表设计 - %1%2"_s.arg(file, m_doc.IsModified() ? u" *"_s : QString()));
}

QString ReportDesigner::TemplateFolder() const {
    return m_doc.FileName().isEmpty() ? m_startFolder : QFileInfo(m_doc.FileName()).absolutePath();
}

void ReportDesigner::StartWith(const ReportTemplate& report, const QString& fileName) {
    m_doc.Reset(report, fileName);
}

bool ReportDesigner::OpenClick() {
    if (m_doc.IsModified() &&
        TheReportHooks().askYesNo(this, u"报表模板已修改，是否先保存？"_s, u"保存确认"_s) && !SaveClick())
        return false;
    const QString path =
        TheReportHooks().chooseOpenFile(this, u"打开报表模板"_s, TemplateFolder(), u"报表模板 (*.frf)"_s);
    if (path.isEmpty()) return false;
    QString error;
    if (!m_doc.Load(path, &error)) {
        TheReportHooks().message(this, error);
        return false;
    }
    return true;
}

bool ReportDesigner::SaveClick() {
    if (m_doc.FileName().isEmpty()) return SaveAsClick();
    QString error;
    if (!m_doc.Save(m_doc.FileName(), &error)) {
        TheReportHooks().message(this, error);
        return false;
    }
    return true;
}

bool ReportDesigner::SaveAsClick() {
    const QString start = m_doc.FileName().isEmpty() ? u"新报表.frf"_s : m_doc.FileName();
    QString path = TheReportHooks().chooseSaveFile(this, u"报表模板另存为"_s, start, u"报表模板 (*.frf)"_s);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += u".frf"_s;
    QString error;
    if (!m_doc.Save(path, &error)) {
        TheReportHooks().message(this, error);
        return false;
    }
    return true;
}

bool ReportDesigner::AddObjectClick(ObjectKind kind) {
    int band = m_canvas->SelectedBand();
    if (band < 0) {
        for (int b = 0; b < m_doc.BandCount() && band < 0; ++b) {
            if (m_doc.Band(b).kind == BandKind::MasterData) band = b;
        }
        if (band < 0 && m_doc.BandCount() > 0) band = 0;
    }
    if (band < 0) {
        TheReportHooks().message(this, u"请先添加一个区域，再在区域中放置对象。"_s);
        return false;
    }
    const double height = m_doc.Band(band).height;
    ReportObject o;
    o.kind = kind;
    o.name = m_doc.NewObjectName(kind);
    switch (kind) {
    case ObjectKind::Text:
        o.text = u"文本"_s;
        o.rect = QRectF(0, 0, 30, std::min(6.0, std::max(height, 1.0)));
        break;
    case ObjectKind::Line:
        o.rect = QRectF(0, std::floor(height / 2), 40, 0);
        break;
    case ObjectKind::Rect:
        o.rect = QRectF(0, 0, 30, std::min(10.0, std::max(height, 1.0)));
        break;
    case ObjectKind::Picture: {
        const QString path = TheReportHooks().chooseOpenFile(this, u"选择图片"_s, TemplateFolder(),
                                                             u"图片 (*.png *.jpg *.jpeg *.bmp *.gif)"_s);
        if (path.isEmpty()) return false;
        const QString folder = TemplateFolder();
        const QString relative = folder.isEmpty() ? QString() : QDir(folder).relativeFilePath(path);
        if (!relative.isEmpty() && !relative.startsWith(u".."_s) && !QDir::isAbsolutePath(relative)) {
            o.pictureFile = relative;
        } else {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                TheReportHooks().message(this, u"无法读取图片文件 %1"_s.arg(path));
                return false;
            }
            o.pictureData = file.readAll();
        }
        o.rect = QRectF(0, 0, 30, std::min(20.0, std::max(height, 1.0)));
        break;
    }
    }
    const ObjectRef ref = m_doc.AddObject(band, o);
    m_canvas->SelectObject(ref);
    return true;
}

void ReportDesigner::AddBandClick(BandKind kind) {
    ReportBand b;
    b.kind = kind;
    b.name = m_doc.NewBandName(kind);
    b.height = DefaultBandHeight(kind);
    if (kind == BandKind::DetailData && m_source && !m_source->DataSetNames().isEmpty()) {
        b.dataSet = m_source->DataSetNames().first();
    }
    m_canvas->SelectBand(m_doc.AddBand(b));
}

void ReportDesigner::DeleteClick() {
    const ObjectRef ref = m_canvas->SelectedObject();
    if (m_doc.HasObject(ref)) {
        m_canvas->SelectBand(ref.band);
        m_doc.RemoveObject(ref);
        return;
    }
    const int band = m_canvas->SelectedBand();
    if (band >= 0) {
        m_canvas->SelectBand(-1);
        m_doc.RemoveBand(band);
    }
}

void ReportDesigner::PreviewClick() {
    Report preview;
    if (m_source) preview = *m_source;
    preview.SetTemplate(m_doc.Template(), m_doc.FileName());
    ShowReport(preview, this);
}

void ReportDesigner::done(int result) {
    if (m_doc.IsModified()) {
        if (TheReportHooks().askYesNo(this, u"报表模板已修改，是否保存？"_s, u"保存确认"_s) && !SaveClick())
            return;
    }
    QDialog::done(result);
}

void DesignReport(const Report& report, QWidget* parent, const QString& startFolder) {
    ReportDesigner designer(parent);
    designer.SetStartFolder(startFolder);
    designer.StartWith(report.Template(), report.FileName());
    designer.SetDataSource(&report);
    TheReportHooks().showModal(&designer);
}

} // namespace tev
