#pragma once
// The designer's drawing of a template: the page's bands stacked from top to bottom, each
// under a caption strip, with their objects. Objects are selected with the mouse, moved and
// resized by dragging (or with the arrow keys), bands made taller or shorter by dragging
// their lower edge; an object stays inside its band while it is moved or resized. Every
// change goes to the document as one undoable command.

#include "report_designer/TemplateDocument.h"

#include <QHash>
#include <QImage>
#include <QWidget>

namespace tev {

class DesignerCanvas : public QWidget {
    Q_OBJECT
public:
    explicit DesignerCanvas(TemplateDocument* doc, QWidget* parent = nullptr);

    // Device pixels per millimetre.
    double Scale() const { return m_scale; }
    void SetScale(double pxPerMm);

    ObjectRef SelectedObject() const { return m_selected; }
    // The selected band, or the band of the selected object; -1 for none.
    int SelectedBand() const;
    void SelectObject(ObjectRef ref);
    void SelectBand(int band);

    // Geometry, in canvas pixels: the band's area (below its caption strip) and an object's box.
    QRectF BandArea(int band) const;
    // The band's area in the band's millimetres: the paper's width, the band's height. Objects
    // moved or resized with the mouse or the keys stay inside it.
    QRectF BandRoom(int band) const;
    QRectF ObjectBox(ObjectRef ref) const;
    // What lies at a point: an object, else a band (area or caption), else nothing.
    ObjectRef ObjectAt(QPointF pos) const;
    int BandAt(QPointF pos) const;

    QSize sizeHint() const override;

    // Snap of moved and resized edges, mm.
    static constexpr double kGrid = 0.5;

signals:
    void selectionChanged();
    void textEditRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Move, Resize, BandHeight };

    double BandHeight(int band) const; // mm
    double BandTop(int band) const;    // caption strip top
    double PageLeft() const;           // left edge of the paper
    double ContentLeft() const;        // page's left margin, where band coordinates start
    int HandleAt(QPointF pos) const;   // 0..7 clockwise from top-left, -1 none
    QList<QRectF> Handles(const QRectF& box) const;
    void UpdateCursor(QPointF pos);
    const QImage& Picture(const ReportObject& o);
    void Relayout();

    TemplateDocument* m_doc;
    double m_scale;
    ObjectRef m_selected;
    int m_selectedBand = -1;

    Drag m_drag = Drag::None;
    int m_handle = -1;
    QPointF m_pressPos;
    QRectF m_startRect; // mm, the object's rect or (0, height) for a band
    QRectF m_liveRect;  // mm, while dragging
    QHash<QString, QImage> m_pictures;
};

} // namespace tev
