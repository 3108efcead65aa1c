#include "report_engine/ReportPages.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tev {

namespace {

QRectF ToDevice(const QRectF& mm, double s, QPointF origin) {
    return QRectF(origin.x() + mm.x() * s, origin.y() + mm.y() * s, mm.width() * s, mm.height() * s);
}

QPen LinePen(const ReportObject& o, double s) {
    QPen pen(o.lineColor);
    // Never thinner than one device pixel, so hairlines stay visible on screen.
    pen.setWidthF(std::max(o.lineWidth * s, 1.0));
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

int AlignFlags(const ReportObject& o) {
    int flags = 0;
    switch (o.hAlign) {
    case HAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case HAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    case HAlign::Right:
        flags |= Qt::AlignRight;
        break;
    }
    switch (o.vAlign) {
    case VAlign::Top:
        flags |= Qt::AlignTop;
        break;
    case VAlign::Center:
        flags |= Qt::AlignVCenter;
        break;
    case VAlign::Bottom:
        flags |= Qt::AlignBottom;
        break;
    }
    return flags;
}

// Space kept between text set against the top or bottom edge and that edge, mm.
double VerticalPadding(const ReportObject& o) {
    return o.vAlign == VAlign::Center ? 0.0 : std::min(o.padding, 0.8);
}

// Wrapped lines, one under the other at the line height of the prepared layout, the block
// placed in the box as the object's vertical alignment says.
void PaintLines(QPainter& painter, const ReportObject& o, const QStringList& lines, const QRectF& textBox,
                double s) {
    const double lineHeight = ReportLineHeight(o) * s;
    const double block = lineHeight * lines.size();
    double top = textBox.top();
    if (o.vAlign == VAlign::Center) {
        top = textBox.center().y() - block / 2;
    } else if (o.vAlign == VAlign::Bottom) {
        top = textBox.bottom() - block;
    }
    const int flags = (AlignFlags(o) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    for (int i = 0; i < lines.size(); ++i) {
        painter.drawText(QRectF(textBox.left(), top + i * lineHeight, textBox.width(), lineHeight), flags,
                         lines[i]);
    }
}

void PaintText(QPainter& painter, const RenderedItem& item, const QRectF& box, double s) {
    const ReportObject& o = item.object;
    if (o.fill.isValid()) painter.fillRect(box, o.fill);
    if (!o.text.isEmpty()) {
        QFont font = ReportFont(o, s);
        const double pad = o.padding * s;
        // Text set against the top or bottom edge keeps a little of the padding there too,
        // so it does not touch a frame line.
        const double vpad = VerticalPadding(o) * s;
        const QRectF textBox = box.adjusted(pad, vpad, -pad, -vpad);
        if (o.shrinkToFit && !o.wordWrap && textBox.width() > 0) {
            const QFontMetricsF metrics(font, painter.device());
            double widest = 0;
            for (const QString& line : o.text.split(u'\n'))
                widest = std::max(widest, metrics.horizontalAdvance(line));
            if (widest > textBox.width()) {
                const int pixels = font.pixelSize();
                const int smaller = int(std::floor(pixels * textBox.width() / widest));
                font.setPixelSize(std::max({1, smaller, pixels / 3}));
            }
        }
        painter.setFont(font);
        painter.setPen(o.color);
        if (o.wordWrap) {
            PaintLines(painter, o, item.lines.isEmpty() ? WrapReportText(o) : item.lines, textBox, s);
        } else {
            painter.drawText(textBox, AlignFlags(o), o.text);
        }
    }
    if (o.frame != FrameNone) {
        painter.setPen(LinePen(o, s));
        if (o.frame & FrameLeft) painter.drawLine(box.topLeft(), box.bottomLeft());
        if (o.frame & FrameTop) painter.drawLine(box.topLeft(), box.topRight());
        if (o.frame & FrameRight) painter.drawLine(box.topRight(), box.bottomRight());
        if (o.frame & FrameBottom) painter.drawLine(box.bottomLeft(), box.bottomRight());
    }
}

void PaintPicture(QPainter& painter, const RenderedItem& item, const QRectF& box) {
    if (item.image.isNull() || box.isEmpty()) return;
    QRectF target = box;
    if (item.object.keepAspect) {
        const QSizeF fitted = QSizeF(item.image.size()).scaled(box.size(), Qt::KeepAspectRatio);
        target = QRectF(QPointF(0, 0), fitted);
        target.moveCenter(box.center());
    }
    painter.drawImage(target, item.image);
}

} // namespace

QFont ReportFont(const ReportObject& o, double pxPerMm) {
    QFont font(o.fontFamily);
    font.setPixelSize(std::max(1, int(std::lround(o.fontSize * 25.4 / 72.0 * pxPerMm))));
    font.setBold(o.bold);
    font.setItalic(o.italic);
    return font;
}

QStringList WrapReportText(const ReportObject& o, double pxPerMm) {
    const QFont font = ReportFont(o, pxPerMm);
    const double width = std::max(0.0, (o.rect.width() - 2 * o.padding) * pxPerMm);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    for (const QString& paragraph : o.text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        int lineCount = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString text = paragraph.mid(line.textStart(), line.textLength());
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            lines << text;
            ++lineCount;
        }
        layout.endLayout();
        if (lineCount == 0) lines << QString();
    }
    return lines;
}

double ReportLineHeight(const ReportObject& o, double pxPerMm) {
    // Chinese characters fill their em square, and the Song face's own line spacing hardly
    // exceeds it: lines set closer than 1.25 em run into each other.
    const QFont font = ReportFont(o, pxPerMm);
    return std::max(QFontMetricsF(font).lineSpacing(), 1.25 * font.pixelSize()) / pxPerMm;
}

void PaintReportItem(QPainter& painter, const RenderedItem& item, double s, QPointF origin) {
    const ReportObject& o = item.object;
    const QRectF box = ToDevice(o.rect, s, origin);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    switch (o.kind) {
    case ObjectKind::Text:
        PaintText(painter, item, box, s);
        break;
    case ObjectKind::Line:
        painter.setPen(LinePen(o, s));
        painter.drawLine(box.topLeft(), box.bottomRight());
        break;
    case ObjectKind::Rect:
        painter.setPen(LinePen(o, s));
        painter.setBrush(o.fill.isValid() ? QBrush(o.fill) : QBrush(Qt::NoBrush));
        painter.drawRect(box);
        break;
    case ObjectKind::Picture:
        PaintPicture(painter, item, box);
        break;
    }
    painter.restore();
}

void PaintReportPage(QPainter& painter, const RenderedPage& page, double pxPerMm, QPointF origin) {
    for (const RenderedItem& item : page.items)
        PaintReportItem(painter, item, pxPerMm, origin);
}

QStringList PageTextLines(const RenderedPage& page) {
    QList<const RenderedItem*> texts;
    for (const RenderedItem& item : page.items) {
        if (item.Kind() == ObjectKind::Text && !item.Text().trimmed().isEmpty()) texts.append(&item);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const RenderedItem* a, const RenderedItem* b) {
        return a->Rect().center().y() < b->Rect().center().y();
    });
    // Boxes whose centres lie within 1.5 mm of the first box of a line share the line.
    QList<QList<const RenderedItem*>> lines;
    double lineCentre = 0;
    for (const RenderedItem* item : texts) {
        const double centre = item->Rect().center().y();
        if (lines.isEmpty() || centre - lineCentre > 1.5) {
            lines.append(QList<const RenderedItem*>());
            lineCentre = centre;
        }
        lines.last().append(item);
    }
    QStringList out;
    for (QList<const RenderedItem*>& line : lines) {
        std::stable_sort(line.begin(), line.end(), [](const RenderedItem* a, const RenderedItem* b) {
            return a->Rect().x() < b->Rect().x();
        });
        QStringList cells;
        for (const RenderedItem* item : line) {
            QString text = item->Text();
            text.replace(u'\n', u' ');
            cells << text;
        }
        out << cells.join(u" | "_s);
    }
    return out;
}

QStringList PageTextItems(const RenderedPage& page) {
    QList<const RenderedItem*> texts;
    for (const RenderedItem& item : page.items) {
        if (item.Kind() == ObjectKind::Text && !item.Text().isEmpty()) texts.append(&item);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const RenderedItem* a, const RenderedItem* b) {
        if (qAbs(a->Rect().center().y() - b->Rect().center().y()) > 1.5)
            return a->Rect().center().y() < b->Rect().center().y();
        return a->Rect().x() < b->Rect().x();
    });
    QStringList out;
    for (const RenderedItem* item : texts) {
        const QRectF& r = item->Rect();
        const QString align = item->object.hAlign == HAlign::Left     ? u"left"_s
                              : item->object.hAlign == HAlign::Center ? u"center"_s
                                                                      : u"right"_s;
        QString text = item->Text();
        text.replace(u'\n', u' ');
        out << u"%1 %2 %3x%4 %5 %6"_s.arg(r.x(), 0, 'f', 1)
                   .arg(r.y(), 0, 'f', 1)
                   .arg(r.width(), 0, 'f', 1)
                   .arg(r.height(), 0, 'f', 1)
                   .arg(align, text);
    }
    return out;
}

QString PagesTextDump(const QList<RenderedPage>& pages) {
    QString dump;
    for (int i = 0; i < pages.size(); ++i) {
        dump += u"== page %1 of %2 ==\n"_s.arg(i + 1).arg(pages.size());
        for (const QString& line : PageTextLines(pages[i]))
            dump += line + u'\n';
    }
    return dump;
}

} // namespace tev
