#include "ui/EditorPictures.h"

#include "ui/Form.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tev {

QPixmap BannerBand(const QString& path, int width, int height, const QString& fallbackTitle) {
    QImage band(width, height, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&band);
    const QImage picture(path);
    if (!picture.isNull()) {
        const QImage scaled = picture.height() == height ? picture : picture.scaledToHeight(height);
        const int w = std::min(scaled.width(), width);
        p.drawImage(0, 0, scaled, 0, 0, w, height);
        // The banners end in a plain gradient; carrying their last column on makes the
        // band look like one picture whatever the window's width.
        if (w < width) p.drawImage(QRect(w, 0, width - w, height), scaled, QRect(w - 1, 0, 1, height));
    } else {
        QLinearGradient bg(0, 0, width, height);
        bg.setColorAt(0, QColor(0x1A, 0x47, 0x8F));
        bg.setColorAt(1, QColor(0x7F, 0xB5, 0xF5));
        p.fillRect(band.rect(), bg);
        p.setPen(Qt::white);
        p.setFont(HeiFont(14, true));
        p.drawText(band.rect().adjusted(20, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, fallbackTitle);
    }
    p.end();
    return QPixmap::fromImage(band);
}

namespace {

void DrawPrinter(QPainter& p, double s) {
    p.setPen(QPen(QColor(0x44, 0x4c, 0x58), s / 24));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.28, s * 0.08, s * 0.44, s * 0.34)); // paper in
    QLinearGradient body(0, s * 0.35, 0, s * 0.78);
    body.setColorAt(0, QColor(0x9a, 0xa5, 0xb4));
    body.setColorAt(1, QColor(0x5b, 0x66, 0x75));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(s * 0.08, s * 0.36, s * 0.84, s * 0.40), s * 0.08, s * 0.08);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.26, s * 0.62, s * 0.48, s * 0.30)); // paper out
    p.setPen(QPen(QColor(0x8a, 0x94, 0xa2), s / 32));
    p.drawLine(QPointF(s * 0.32, s * 0.72), QPointF(s * 0.68, s * 0.72));
    p.drawLine(QPointF(s * 0.32, s * 0.82), QPointF(s * 0.60, s * 0.82));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3c, 0xd0, 0x6a));
    p.drawEllipse(QPointF(s * 0.80, s * 0.46), s * 0.04, s * 0.04);
}

void DrawTool(QPainter& p, double s) {
    // A wrench lying from the lower left to the upper right.
    p.save();
    p.translate(s / 2, s / 2);
    p.rotate(-45);
    QLinearGradient metal(0, -s * 0.1, 0, s * 0.1);
    metal.setColorAt(0, QColor(0xd4, 0xda, 0xe2));
    metal.setColorAt(1, QColor(0x70, 0x7b, 0x8a));
    p.setPen(QPen(QColor(0x44, 0x4c, 0x58), s / 24));
    p.setBrush(metal);
    QPainterPath wrench;
    wrench.addRoundedRect(QRectF(-s * 0.40, -s * 0.08, s * 0.62, s * 0.16), s * 0.06, s * 0.06);
    wrench.addEllipse(QPointF(s * 0.26, 0), s * 0.18, s * 0.18);
    QPainterPath jaw;
    jaw.addRect(QRectF(s * 0.28, -s * 0.07, s * 0.22, s * 0.14));
    p.drawPath(wrench.simplified().subtracted(jaw));
    p.restore();
}

void DrawCheck(QPainter& p, double s, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    QPainterPath tick;
    tick.moveTo(s * 0.27, s * 0.52);
    tick.lineTo(s * 0.44, s * 0.68);
    tick.lineTo(s * 0.74, s * 0.34);
    p.setPen(QPen(Qt::white, s * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void DrawCross(QPainter& p, double s, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    p.setPen(QPen(Qt::white, s * 0.12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.33, s * 0.33), QPointF(s * 0.67, s * 0.67));
    p.drawLine(QPointF(s * 0.67, s * 0.33), QPointF(s * 0.33, s * 0.67));
}

void DrawBin(QPainter& p, double s) {
    const QColor red(0xd6, 0x47, 0x3d);
    p.setPen(QPen(red.darker(140), s / 20));
    p.setBrush(red);
    p.drawRoundedRect(QRectF(s * 0.14, s * 0.18, s * 0.72, s * 0.10), s * 0.03, s * 0.03);
    p.drawRect(QRectF(s * 0.40, s * 0.08, s * 0.20, s * 0.10));
    QPainterPath can;
    can.moveTo(s * 0.22, s * 0.32);
    can.lineTo(s * 0.78, s * 0.32);
    can.lineTo(s * 0.72, s * 0.92);
    can.lineTo(s * 0.28, s * 0.92);
    can.closeSubpath();
    p.drawPath(can);
    p.setPen(QPen(Qt::white, s / 16, Qt::SolidLine, Qt::RoundCap));
    for (double x : {0.38, 0.50, 0.62})
        p.drawLine(QPointF(s * x, s * 0.42), QPointF(s * x, s * 0.82));
}

void DrawDocument(QPainter& p, double s, const QColor& tone, bool up) {
    p.setPen(QPen(QColor(0x6b, 0x76, 0x84), s / 40));
    p.setBrush(Qt::white);
    QPainterPath page;
    page.moveTo(s * 0.16, s * 0.06);
    page.lineTo(s * 0.62, s * 0.06);
    page.lineTo(s * 0.80, s * 0.24);
    page.lineTo(s * 0.80, s * 0.94);
    page.lineTo(s * 0.16, s * 0.94);
    page.closeSubpath();
    p.drawPath(page);
    p.setPen(QPen(QColor(0xa3, 0xad, 0xb8), s / 40));
    for (double y : {0.30, 0.42, 0.54})
        p.drawLine(QPointF(s * 0.26, s * y), QPointF(s * 0.68, s * y));
    // The badge: an arrow out (sales) or in (purchase).
    const QPointF c(s * 0.70, s * 0.74);
    p.setPen(QPen(Qt::white, s / 30));
    p.setBrush(tone);
    p.drawEllipse(c, s * 0.24, s * 0.24);
    QPainterPath arrow;
    const double d = up ? -1 : 1;
    arrow.moveTo(c.x(), c.y() + d * s * 0.13);
    arrow.lineTo(c.x() + s * 0.11, c.y() - d * s * 0.01);
    arrow.lineTo(c.x() + s * 0.04, c.y() - d * s * 0.01);
    arrow.lineTo(c.x() + s * 0.04, c.y() - d * s * 0.13);
    arrow.lineTo(c.x() - s * 0.04, c.y() - d * s * 0.13);
    arrow.lineTo(c.x() - s * 0.04, c.y() - d * s * 0.01);
    arrow.lineTo(c.x() - s * 0.11, c.y() - d * s * 0.01);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void DrawCoin(QPainter& p, double s, const QColor& tone, bool plus) {
    QLinearGradient g(0, 0, s, s);
    g.setColorAt(0, tone.lighter(140));
    g.setColorAt(1, tone.darker(120));
    p.setPen(QPen(tone.darker(150), s / 30));
    p.setBrush(g);
    p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
    p.setPen(QPen(Qt::white, s * 0.03));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(s * 0.18, s * 0.18, s * 0.64, s * 0.64));
    p.setPen(QPen(Qt::white, s * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.34, s * 0.5), QPointF(s * 0.66, s * 0.5));
    if (plus) p.drawLine(QPointF(s * 0.5, s * 0.34), QPointF(s * 0.5, s * 0.66));
}

} // namespace

QIcon DrawEditorIcon(EditorIcon kind, int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    switch (kind) {
    case EditorIcon::Printer:
        DrawPrinter(p, s);
        break;
    case EditorIcon::Tool:
        DrawTool(p, s);
        break;
    case EditorIcon::Ok:
        DrawCheck(p, s, QColor(0x2e, 0xa0, 0x5c));
        break;
    case EditorIcon::Delete:
        DrawBin(p, s);
        break;
    case EditorIcon::Cancel:
        DrawCross(p, s, QColor(0x8a, 0x94, 0xa2));
        break;
    case EditorIcon::Sell:
        DrawDocument(p, s, QColor(0x2f, 0x74, 0xd6), true);
        break;
    case EditorIcon::Buy:
        DrawDocument(p, s, QColor(0xf0, 0x7d, 0x2a), false);
        break;
    case EditorIcon::Income:
        DrawCoin(p, s, QColor(0x2e, 0xa0, 0x5c), true);
        break;
    case EditorIcon::Expense:
        DrawCoin(p, s, QColor(0xd6, 0x47, 0x3d), false);
        break;
    }
    p.end();
    return QIcon(QPixmap::fromImage(img));
}

} // namespace tev
