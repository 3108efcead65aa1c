#pragma once
// A prepared report: pages of positioned primitives, in millimetres from the page's
// top-left corner, and how they are painted.

#include "report_engine/ReportTemplate.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;

namespace tev {

// One primitive on a page. `object` carries the style of the template object it came
// from, with `object.rect` moved to its place on the page and, for a text, `object.text`
// holding the finished text.
struct RenderedItem {
    ReportObject object;
    QImage image; // pictures
    // A wrapped text: the lines it was broken into when the report was prepared, so that the
    // screen, the PDF and the printer show the same breaks. Empty: broken when painted.
    QStringList lines;

    ObjectKind Kind() const { return object.kind; }
    const QRectF& Rect() const { return object.rect; }
    const QString& Text() const { return object.text; }
};

struct RenderedPage {
    QSizeF size; // mm
    QList<RenderedItem> items;
};

// Paints one primitive. pxPerMm is the scale of the device; origin is where the page's
// top-left corner lands, in device pixels.
void PaintReportItem(QPainter& painter, const RenderedItem& item, double pxPerMm, QPointF origin = {});
// Paints a page's primitives (not the paper: callers fill the background they want).
void PaintReportPage(QPainter& painter, const RenderedPage& page, double pxPerMm, QPointF origin = {});

// The font an object is drawn with, sized for a device of pxPerMm.
QFont ReportFont(const ReportObject& object, double pxPerMm);

// The scale texts are measured at when a report is prepared: the resolution of its PDF.
inline constexpr double kLayoutPxPerMm = 600 / 25.4;

// The lines a wrapped text prints in, its font measured at pxPerMm in its box less the
// padding: Chinese breaks between any two characters, Latin at spaces, and a word wider
// than the box alone breaks inside it. Line breaks in the text are kept; spaces at the end
// of a line are dropped. Always at least one line.
QStringList WrapReportText(const ReportObject& object, double pxPerMm = kLayoutPxPerMm);
// The distance from one line of the object's text to the next, mm, measured at pxPerMm.
double ReportLineHeight(const ReportObject& object, double pxPerMm = kLayoutPxPerMm);

// The texts of a page in reading order: texts whose boxes share a line are joined with
// " | " from left to right, one line of output per line of the page.
QStringList PageTextLines(const RenderedPage& page);
// All pages: a "== page n of m ==" line, then the page's text lines.
QString PagesTextDump(const QList<RenderedPage>& pages);
// Every text of a page with its box in mm and its alignment, in reading order, one per
// line: "15.0 24.0 24.0x9.0 right 500.00".
QStringList PageTextItems(const RenderedPage& page);

} // namespace tev
