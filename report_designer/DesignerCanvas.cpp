#include "report_designer/DesignerCanvas.h"

#include "report_engine/ReportPages.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

constexpr double kOuter = 20;   // grey space around the paper, px
constexpr double kCaption = 18; // caption strip above each band, px
constexpr double kGap = 3;      // space between bands, px
constexpr double kHandle = 6;   // handle size, px
constexpr double kEdgeGrip = 4; // distance to a band's lower edge that grabs it, px

enum MergeIds { kMergeMove = 1, kMergeResize = 2 };

double Snap(double mm) {
    return std::round(mm / DesignerCanvas::kGrid) * DesignerCanvas::kGrid;
}

QString BandCaption(const ReportBand& b, double height) {
    QString text = u"%1  %2"_s.arg(BandKindCaption(b.kind), b.name);
    if (b.kind == BandKind::DetailData)
        text += u"（数据集 %1）"_s.arg(b.dataSet.isEmpty() ? u"未指定"_s : b.dataSet);
    text += u"    高 %1 毫米"_s.arg(height);
    if (b.stretch && b.kind != BandKind::PageFooter) text += u"，随内容增高"_s;
    return text;
}

// A moved box slides along the edges of its band's area instead of leaving it. A box larger
// than the area keeps its size and sits at the area's top-left corner.
QRectF KeepInside(QRectF r, const QRectF& area) {
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height())));
    return r;
}

// A resized box has each of its edges inside its band's area.
QRectF EdgesInside(const QRectF& r, const QRectF& area) {
    const double left = std::clamp(r.left(), area.left(), area.right());
    const double right = std::clamp(r.right(), area.left(), area.right());
    const double top = std::clamp(r.top(), area.top(), area.bottom());
    const double bottom = std::clamp(r.bottom(), area.top(), area.bottom());
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

} // namespace

DesignerCanvas::DesignerCanvas(TemplateDocument* doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_scale(logicalDpiX() / 25.4) {
    setObjectName(u"DesignCanvas"_s);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    connect(doc, &TemplateDocument::changed, this, [this] {
        // An undo may take away what was selected.
        if (m_selected.IsValid() && !m_doc->HasObject(m_selected)) m_selected = {};
        if (m_selectedBand >= m_doc->BandCount()) m_selectedBand = -1;
        Relayout();
        emit selectionChanged();
    });
    connect(doc, &TemplateDocument::reset, this, [this] {
        m_selected = {};
        m_selectedBand = -1;
        m_pictures.clear();
        Relayout();
        emit selectionChanged();
    });
    Relayout();
}

void DesignerCanvas::SetScale(double pxPerMm) {
    m_scale = pxPerMm;
    Relayout();
}

void DesignerCanvas::Relayout() {
    // The view that holds the canvas sizes it: never smaller than the drawing, and as large
    // as the view when the drawing is smaller.
    setMinimumSize(sizeHint());
    if (!parentWidget()) resize(sizeHint());
    updateGeometry();
    update();
}

QSize DesignerCanvas::sizeHint() const {
    const PageSetup& page = m_doc->Template().page;
    double height = BandTop(m_doc->BandCount()) + kOuter;
    return QSize(int(page.PageSize().width() * m_scale + 2 * kOuter), int(std::max(height, 200.0)));
}

double DesignerCanvas::BandHeight(int band) const {
    // While its lower edge is dragged a band shows the height it will get.
    if (m_drag == Drag::BandHeight && band == m_selectedBand) return m_liveRect.height();
    return m_doc->Band(band).height;
}

double DesignerCanvas::BandTop(int band) const {
    double y = kOuter;
    for (int i = 0; i < band && i < m_doc->BandCount(); ++i)
        y += kCaption + BandHeight(i) * m_scale + kGap;
    return y;
}

double DesignerCanvas::PageLeft() const {
    return kOuter;
}

double DesignerCanvas::ContentLeft() const {
    return kOuter + m_doc->Template().page.marginLeft * m_scale;
}

QRectF DesignerCanvas::BandArea(int band) const {
    if (band < 0 || band >= m_doc->BandCount()) return {};
    const double width = m_doc->Template().page.PageSize().width() * m_scale;
    return QRectF(PageLeft(), BandTop(band) + kCaption, width, BandHeight(band) * m_scale);
}

QRectF DesignerCanvas::BandRoom(int band) const {
    if (band < 0 || band >= m_doc->BandCount()) return {};
    const PageSetup& page = m_doc->Template().page;
    return QRectF(-page.marginLeft, 0, page.PageSize().width(), m_doc->Band(band).height);
}

QRectF DesignerCanvas::ObjectBox(ObjectRef ref) const {
    if (!m_doc->HasObject(ref)) return {};
    const QRectF& r = (ref == m_selected && m_drag != Drag::None && m_drag != Drag::BandHeight)
                          ? m_liveRect
                          : m_doc->Object(ref).rect;
    const double top = BandArea(ref.band).top();
    return QRectF(ContentLeft() + r.x() * m_scale, top + r.y() * m_scale, r.width() * m_scale,
                  r.height() * m_scale);
}

int DesignerCanvas::SelectedBand() const {
    return m_selected.IsValid() ? m_selected.band : m_selectedBand;
}

void DesignerCanvas::SelectObject(ObjectRef ref) {
    m_selected = m_doc->HasObject(ref) ? ref : ObjectRef{};
    m_selectedBand = m_selected.band;
    update();
    emit selectionChanged();
}

void DesignerCanvas::SelectBand(int band) {
    m_selected = {};
    m_selectedBand = (band >= 0 && band < m_doc->BandCount()) ? band : -1;
    update();
    emit selectionChanged();
}

ObjectRef DesignerCanvas::ObjectAt(QPointF pos) const {
    // Later objects are drawn on top, so they are hit first.
    for (int b = m_doc->BandCount() - 1; b >= 0; --b) {
        const QList<ReportObject>& objects = m_doc->Band(b).objects;
        for (int i = int(objects.size()) - 1; i >= 0; --i) {
            QRectF box = ObjectBox({b, i});
            // Lines are thin: give them some thickness to grab.
            if (box.width() < 6) box.adjust(-3, 0, 3, 0);
            if (box.height() < 6) box.adjust(0, -3, 0, 3);
            if (box.contains(pos)) return {b, i};
        }
    }
    return {};
}

int DesignerCanvas::BandAt(QPointF pos) const {
    for (int b = 0; b < m_doc->BandCount(); ++b) {
        const QRectF area = BandArea(b);
        if (area.adjusted(0, -kCaption, 0, kGap).contains(pos)) return b;
    }
    return -1;
}

QList<QRectF> DesignerCanvas::Handles(const QRectF& box) const {
    const double h = kHandle / 2;
    const QPointF points[] = {box.topLeft(),     QPointF(box.center().x(), box.top()),
                              box.topRight(),    QPointF(box.right(), box.center().y()),
                              box.bottomRight(), QPointF(box.center().x(), box.bottom()),
                              box.bottomLeft(),  QPointF(box.left(), box.center().y())};
    QList<QRectF> handles;
    for (const QPointF& p : points)
        handles << QRectF(p.x() - h, p.y() - h, kHandle, kHandle);
    return handles;
}

int DesignerCanvas::HandleAt(QPointF pos) const {
    if (!m_selected.IsValid()) return -1;
    const QList<QRectF> handles = Handles(ObjectBox(m_selected));
    for (int i = 0; i < handles.size(); ++i) {
        if (handles[i].adjusted(-2, -2, 2, 2).contains(pos)) return i;
    }
    return -1;
}

const QImage& DesignerCanvas::Picture(const ReportObject& o) {
    const QString key = o.pictureData.isEmpty() ? u"file:"_s + o.pictureFile
                                                : u"data:"_s + QString::number(qHash(o.pictureData));
    auto it = m_pictures.find(key);
    if (it == m_pictures.end()) {
        QImage image;
        if (!o.pictureData.isEmpty()) {
            image = QImage::fromData(o.pictureData);
        } else if (!o.pictureFile.isEmpty() && !m_doc->FileName().isEmpty()) {
            image = QImage(QFileInfo(m_doc->FileName()).absoluteDir().filePath(o.pictureFile));
        }
        it = m_pictures.insert(key, image);
    }
    return *it;
}

void DesignerCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x9a, 0x9a, 0x9a));
    const PageSetup& page = m_doc->Template().page;
    const double width = page.PageSize().width() * m_scale;
    const double bottom = BandTop(m_doc->BandCount());
    painter.fillRect(QRectF(PageLeft(), kOuter, width, std::max(bottom - kOuter, 40.0)), Qt::white);

    QFont captionFont(HeiFontFamily());
    captionFont.setPixelSize(11);
    for (int b = 0; b < m_doc->BandCount(); ++b) {
        const ReportBand& band = m_doc->Band(b);
        const QRectF area = BandArea(b);
        const QRectF caption(area.left(), area.top() - kCaption, area.width(), kCaption);
        const bool selected = SelectedBand() == b && !m_selected.IsValid();
        painter.fillRect(caption, selected ? QColor(0x9c, 0xc3, 0xf0) : QColor(0xdd, 0xe8, 0xf5));
        painter.setPen(QColor(0x30, 0x40, 0x60));
        painter.setFont(captionFont);
        painter.drawText(caption.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         BandCaption(band, BandHeight(b)));

        // The margins and the band's lower edge.
        QPen guide(QColor(0xb0, 0xc4, 0xde), 1, Qt::DashLine);
        painter.setPen(guide);
        const double left = ContentLeft();
        const double right = PageLeft() + (page.PageSize().width() - page.marginRight) * m_scale;
        painter.drawLine(QPointF(left, area.top()), QPointF(left, area.bottom()));
        painter.drawLine(QPointF(right, area.top()), QPointF(right, area.bottom()));
        painter.drawLine(area.bottomLeft(), area.bottomRight());

        painter.save();
        painter.setClipRect(area.adjusted(0, 0, 0, 1));
        for (int i = 0; i < band.objects.size(); ++i) {
            const ObjectRef ref{b, i};
            RenderedItem item;
            item.object = band.objects[i];
            if (ref == m_selected && m_drag != Drag::None) item.object.rect = m_liveRect;
            item.object.rect.translate(page.marginLeft, 0);
            if (item.object.kind == ObjectKind::Picture) item.image = Picture(band.objects[i]);
            PaintReportItem(painter, item, m_scale, QPointF(PageLeft(), area.top()));
            const QRectF box = ObjectBox(ref);
            // Unframed texts and empty pictures get a faint outline so they can be found.
            if ((item.object.kind == ObjectKind::Text && item.object.frame == FrameNone) ||
                (item.object.kind == ObjectKind::Picture && item.image.isNull())) {
                painter.setPen(QPen(QColor(0xc0, 0xc0, 0xc0), 1, Qt::DotLine));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(box);
                if (item.object.kind == ObjectKind::Picture) {
                    painter.drawText(box, Qt::AlignCenter, u"图片"_s);
                }
            }
        }
        painter.restore();
    }
    if (m_doc->BandCount() == 0) {
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(PageLeft(), kOuter, width, 40), Qt::AlignCenter, u"空白报表：请先添加区域"_s);
    }
    if (m_selected.IsValid()) {
        const QRectF box = ObjectBox(m_selected);
        painter.setPen(QPen(QColor(0x1e, 0x64, 0xdc), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        painter.setPen(QColor(0x1e, 0x64, 0xdc));
        painter.setBrush(Qt::white);
        for (const QRectF& h : Handles(box))
            painter.drawRect(h);
    }
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) return;
    const QPointF pos = event->position();
    m_pressPos = pos;
    const int handle = HandleAt(pos);
    if (handle >= 0) {
        m_drag = Drag::Resize;
        m_handle = handle;
        m_startRect = m_liveRect = m_doc->Object(m_selected).rect;
        return;
    }
    const ObjectRef hit = ObjectAt(pos);
    if (hit.IsValid()) {
        SelectObject(hit);
        m_drag = Drag::Move;
        m_startRect = m_liveRect = m_doc->Object(hit).rect;
        return;
    }
    for (int b = 0; b < m_doc->BandCount(); ++b) {
        if (qAbs(pos.y() - BandArea(b).bottom()) <= kEdgeGrip && BandArea(b).left() <= pos.x() &&
            pos.x() <= BandArea(b).right()) {
            SelectBand(b);
            m_drag = Drag::BandHeight;
            m_startRect = m_liveRect = QRectF(0, 0, 0, m_doc->Band(b).height);
            return;
        }
    }
    const int band = BandAt(pos);
    if (band >= 0) {
        SelectBand(band);
    } else {
        SelectBand(-1);
    }
}

void DesignerCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    if (m_drag == Drag::None) {
        UpdateCursor(pos);
        return;
    }
    const double dx = (pos.x() - m_pressPos.x()) / m_scale;
    const double dy = (pos.y() - m_pressPos.y()) / m_scale;
    QRectF r = m_startRect;
    const QRectF room = BandRoom(m_selected.band);
    switch (m_drag) {
    case Drag::Move:
        r.moveTo(Snap(r.x() + dx), Snap(r.y() + dy));
        r = KeepInside(r, room);
        break;
    case Drag::Resize: {
        double left = r.left(), top = r.top(), right = r.right(), bottom = r.bottom();
        if (m_handle == 0 || m_handle == 6 || m_handle == 7) left = Snap(left + dx);
        if (m_handle == 2 || m_handle == 3 || m_handle == 4) right = Snap(right + dx);
        if (m_handle == 0 || m_handle == 1 || m_handle == 2) top = Snap(top + dy);
        if (m_handle == 4 || m_handle == 5 || m_handle == 6) bottom = Snap(bottom + dy);
        r = QRectF(QPointF(std::min(left, right), std::min(top, bottom)),
                   QPointF(std::max(left, right), std::max(top, bottom)));
        r = EdgesInside(r, room);
        break;
    }
    case Drag::BandHeight:
        r.setHeight(std::max(0.0, Snap(m_startRect.height() + dy)));
        break;
    case Drag::None:
        break;
    }
    m_liveRect = r;
    if (m_drag == Drag::BandHeight) Relayout();
    update();
}

void DesignerCanvas::mouseReleaseEvent(QMouseEvent*) {
    const Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::Move || drag == Drag::Resize) {
        if (m_liveRect != m_startRect && m_doc->HasObject(m_selected)) {
            ReportObject o = m_doc->Object(m_selected);
            o.rect = m_liveRect;
            m_doc->ChangeObject(m_selected, o);
        }
    } else if (drag == Drag::BandHeight) {
        const int band = SelectedBand();
        if (band >= 0 && m_liveRect.height() != m_startRect.height()) {
            ReportBand b = m_doc->Band(band);
            b.height = m_liveRect.height();
            m_doc->ChangeBand(band, b);
        }
    }
    update();
}

void DesignerCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    const ObjectRef hit = ObjectAt(event->position());
    if (hit.IsValid()) {
        SelectObject(hit);
        emit textEditRequested();
    }
}

void DesignerCanvas::keyPressEvent(QKeyEvent* event) {
    if (!m_selected.IsValid()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const double step = (event->modifiers() & Qt::ControlModifier) ? 0.1 : kGrid;
    double dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    ReportObject o = m_doc->Object(m_selected);
    const QRectF room = BandRoom(m_selected.band);
    if (event->modifiers() & Qt::ShiftModifier) {
        QRectF r = o.rect;
        r.setWidth(std::max(0.0, r.width() + dx));
        r.setHeight(std::max(0.0, r.height() + dy));
        o.rect = EdgesInside(r, room);
        m_doc->ChangeObject(m_selected, o, kMergeResize);
    } else {
        o.rect = KeepInside(o.rect.translated(dx, dy), room);
        m_doc->ChangeObject(m_selected, o, kMergeMove);
    }
}

void DesignerCanvas::UpdateCursor(QPointF pos) {
    const int handle = HandleAt(pos);
    if (handle >= 0) {
        static const Qt::CursorShape shapes[] = {
            Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
            Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        setCursor(shapes[handle]);
        return;
    }
    if (ObjectAt(pos).IsValid()) {
        setCursor(Qt::SizeAllCursor);
        return;
    }
    for (int b = 0; b < m_doc->BandCount(); ++b) {
        if (qAbs(pos.y() - BandArea(b).bottom()) <= kEdgeGrip) {
            setCursor(Qt::SplitVCursor);
            return;
        }
    }
    unsetCursor();
}

} // namespace tev
