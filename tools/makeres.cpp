// Draws the pictures of Res/ and Faces/ beside the program.
//
// Usage: tevrano-makeres BIN_DIR (run with QT_QPA_PLATFORM=offscreen at build time).
// Every picture is drawn with QPainter from fixed shapes and colours, so the output is
// the same on every run. After writing, each file is loaded back the way the program
// loads it (QPixmap) and its size checked; any failure ends the tool with exit code 1.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString kFont = u"WenQuanYi Micro Hei"_s;

// One hue in three strengths; every picture takes its colours from these.
struct Tone {
    QColor light, base, dark;
};

const Tone kBlue{QColor(0x7F, 0xB5, 0xF5), QColor(0x2F, 0x74, 0xD6), QColor(0x1A, 0x47, 0x8F)};
const Tone kPurple{QColor(0xC3, 0xA4, 0xF2), QColor(0x82, 0x55, 0xCF), QColor(0x4E, 0x2C, 0x8C)};
const Tone kGreen{QColor(0x8E, 0xDB, 0xA6), QColor(0x2E, 0xA0, 0x5C), QColor(0x17, 0x66, 0x38)};
const Tone kYellow{QColor(0xFF, 0xDF, 0x7A), QColor(0xEB, 0xAA, 0x1C), QColor(0xA8, 0x6C, 0x08)};
const Tone kOrange{QColor(0xFF, 0xBD, 0x85), QColor(0xF0, 0x7D, 0x2A), QColor(0xA9, 0x4A, 0x0E)};
const Tone kRed{QColor(0xF5, 0x9A, 0x93), QColor(0xD6, 0x47, 0x3D), QColor(0x8F, 0x24, 0x1E)};
const Tone kGrey{QColor(0xDD, 0xE2, 0xE8), QColor(0xA3, 0xAD, 0xB8), QColor(0x66, 0x71, 0x7E)};

const QColor kInk(0x2B, 0x34, 0x40);

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QImage Canvas(int w, int h, const QColor& fill = Qt::transparent) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void Begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont TextFont(int pixelSize, bool bold = false) {
    QFont f(kFont);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Text centred on a point, with an optional soft shadow one pixel down.
void CentredText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour,
                 const QColor& shadow = Qt::transparent) {
    p.setFont(font);
    if (shadow.alpha() > 0) {
        p.setPen(shadow);
        p.drawText(box.translated(0, 1), Qt::AlignCenter, text);
    }
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

// ---------------------------------------------------------------------------------------
// Fold strip: a narrow bar the height of the window with a grip and an arrow in the middle.

QImage DrawFoldStrip(bool pointsLeft) {
    const int w = 8, h = 538;
    QImage img = Canvas(w, h);
    QPainter p(&img);
    Begin(p);
    QLinearGradient bg(0, 0, w, 0);
    bg.setColorAt(0, QColor(0xF3, 0xF6, 0xFA));
    bg.setColorAt(1, QColor(0xD6, 0xDF, 0xEA));
    p.fillRect(img.rect(), bg);
    p.fillRect(QRectF(w - 1, 0, 1, h), QColor(0xA9, 0xB8, 0xCC));
    p.fillRect(QRectF(0, 0, 1, h), QColor(0xFF, 0xFF, 0xFF));

    // The handle in the middle: a rounded pill in blue with a white arrow.
    const QRectF pill(0.5, h / 2.0 - 34, w - 1.5, 68);
    QLinearGradient pg(pill.topLeft(), pill.topRight());
    pg.setColorAt(0, kBlue.light);
    pg.setColorAt(1, kBlue.base);
    p.setPen(QPen(kBlue.dark, 0.8));
    p.setBrush(pg);
    p.drawRoundedRect(pill, 3, 3);

    for (int k = -1; k <= 1; ++k) {
        const double cy = h / 2.0 + k * 16;
        QPainterPath arrow;
        const double l = 1.8, r = w - 2.8;
        if (pointsLeft) {
            arrow.moveTo(l, cy);
            arrow.lineTo(r, cy - 4);
            arrow.lineTo(r, cy + 4);
        } else {
            arrow.moveTo(r, cy);
            arrow.lineTo(l, cy - 4);
            arrow.lineTo(l, cy + 4);
        }
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(k == 0 ? QColor(Qt::white) : WithAlpha(Qt::white, 150));
        p.drawPath(arrow);
    }

    // Grip dots above and below the handle.
    p.setPen(Qt::NoPen);
    for (int side = -1; side <= 1; side += 2)
        for (int k = 0; k < 5; ++k) {
            const double cy = h / 2.0 + side * (48 + k * 7);
            p.setBrush(QColor(0xFF, 0xFF, 0xFF));
            p.drawEllipse(QPointF(w / 2.0 - 0.5 + 0.6, cy + 0.6), 1.2, 1.2);
            p.setBrush(QColor(0x90, 0xA2, 0xBA));
            p.drawEllipse(QPointF(w / 2.0 - 0.5, cy), 1.2, 1.2);
        }
    return img;
}

// ---------------------------------------------------------------------------------------
// Role pictures: a stylised fish in the role's colour swimming in a pale tile.

QImage DrawFish(const Tone& tone) {
    const int s = 64;
    QImage img = Canvas(s, s, Qt::white);
    QPainter p(&img);
    Begin(p);

    // Water: a pale tile with a soft wave at the bottom.
    // The tile fills the square: a BMP has no transparency, so there are no corners to show through.
    QLinearGradient water(0, 0, 0, s);
    water.setColorAt(0, Mix(Qt::white, tone.light, 0.18));
    water.setColorAt(1, Mix(Qt::white, tone.light, 0.55));
    p.fillRect(img.rect(), water);
    p.setPen(QPen(Mix(tone.light, tone.base, 0.45), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, s - 1, s - 1));

    QPainterPath wave;
    wave.moveTo(1, 52);
    wave.cubicTo(14, 46, 22, 58, 34, 52);
    wave.cubicTo(44, 47, 54, 56, 63, 50);
    wave.lineTo(63, 63);
    wave.lineTo(1, 63);
    wave.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(tone.light, 110));
    p.drawPath(wave);

    // Tail, drawn first so the body covers its root.
    QPainterPath tail;
    tail.moveTo(19, 32);
    tail.cubicTo(12, 26, 8, 19, 6, 16);
    tail.cubicTo(10, 25, 10, 29, 12, 32);
    tail.cubicTo(10, 35, 10, 39, 6, 48);
    tail.cubicTo(8, 45, 12, 38, 19, 32);
    tail.closeSubpath();
    QLinearGradient tg(6, 0, 20, 0);
    tg.setColorAt(0, tone.base);
    tg.setColorAt(1, tone.light);
    p.setPen(QPen(tone.dark, 1.1));
    p.setBrush(tg);
    p.drawPath(tail);

    // Fins.
    QPainterPath dorsal;
    dorsal.moveTo(25, 22);
    dorsal.cubicTo(28, 12, 38, 11, 44, 17);
    dorsal.cubicTo(38, 17, 34, 19, 33, 22);
    dorsal.closeSubpath();
    QPainterPath belly;
    belly.moveTo(30, 42);
    belly.cubicTo(30, 48, 35, 50, 38, 50);
    belly.cubicTo(36, 47, 37, 44, 38, 42);
    belly.closeSubpath();
    p.setBrush(tone.base);
    p.drawPath(dorsal);
    p.drawPath(belly);

    // Body: a lens shape with a light belly.
    QPainterPath body;
    body.moveTo(17, 32);
    body.cubicTo(24, 16, 46, 14, 55, 29);
    body.cubicTo(56, 31, 56, 33, 55, 35);
    body.cubicTo(46, 50, 24, 48, 17, 32);
    body.closeSubpath();
    QRadialGradient bg(QPointF(42, 26), 30);
    bg.setColorAt(0, Mix(tone.light, Qt::white, 0.35));
    bg.setColorAt(0.55, tone.light);
    bg.setColorAt(1, tone.base);
    p.setPen(QPen(tone.dark, 1.2));
    p.setBrush(bg);
    p.drawPath(body);

    // Belly sheen and scales.
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::white, 70));
    p.drawEllipse(QRectF(24, 33, 28, 14));
    p.setPen(QPen(WithAlpha(tone.dark, 90), 0.9));
    p.setBrush(Qt::NoBrush);
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 3; ++row) {
            const double x = 25 + col * 6 + (row % 2) * 3, y = 25 + row * 6;
            p.drawArc(QRectF(x, y, 6, 6), 90 * 16, -180 * 16);
        }
    p.restore();

    // Gill line, eye, mouth.
    p.setPen(QPen(tone.dark, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(37, 23, 10, 18), 120 * 16, 120 * 16);
    p.setPen(QPen(tone.dark, 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(47.5, 28.5), 4.2, 4.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(48.5, 28.8), 2.3, 2.3);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(49.3, 27.8), 0.9, 0.9);
    p.setPen(QPen(tone.dark, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(49, 31, 5, 4), 200 * 16, 110 * 16);

    // Bubbles rising from the mouth.
    const struct { double x, y, r; } bubbles[] = {{56.5, 21, 2.2}, {53.5, 13, 3.0}, {57.5, 6.5, 1.6}};
    for (const auto& b : bubbles) {
        p.setPen(QPen(Mix(tone.base, Qt::white, 0.25), 0.9));
        p.setBrush(WithAlpha(Qt::white, 170));
        p.drawEllipse(QPointF(b.x, b.y), b.r, b.r);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(b.x - b.r * 0.35, b.y - b.r * 0.35), b.r * 0.3, b.r * 0.3);
    }
    return img;
}

// ---------------------------------------------------------------------------------------
// Tile icons: coins in the kind's colour; more coins for larger amounts.

void DrawYen(QPainter& p, const QPointF& c, double size, const QColor& colour) {
    // Drawn as strokes, so it looks the same whatever font is at hand.
    const double h = size, w = size * 0.78;
    QPen pen(colour, std::max(1.1, size * 0.14), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double top = c.y() - h / 2, mid = c.y() + h * 0.02;
    QPainterPath v;
    v.moveTo(c.x() - w / 2, top);
    v.lineTo(c.x(), mid);
    v.lineTo(c.x() + w / 2, top);
    p.drawPath(v);
    p.drawLine(QPointF(c.x(), mid), QPointF(c.x(), c.y() + h / 2));
    p.drawLine(QPointF(c.x() - w * 0.36, mid + h * 0.04), QPointF(c.x() + w * 0.36, mid + h * 0.04));
    p.drawLine(QPointF(c.x() - w * 0.36, mid + h * 0.25), QPointF(c.x() + w * 0.36, mid + h * 0.25));
}

// A coin seen from the front.
void DrawCoinFace(QPainter& p, const QPointF& c, double r, const Tone& tone) {
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::black, 40));
    p.drawEllipse(c + QPointF(0.8, 1.4), r, r);
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.5);
    g.setColorAt(0, Mix(tone.light, Qt::white, 0.4));
    g.setColorAt(0.5, tone.light);
    g.setColorAt(1, tone.base);
    p.setPen(QPen(tone.dark, 1.2));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(WithAlpha(tone.dark, 150), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.76, r * 0.76);
    DrawYen(p, c + QPointF(0.3, 0.3), r * 0.95, WithAlpha(Qt::white, 200));
    DrawYen(p, c, r * 0.95, tone.dark);
}

// A coin lying flat; top is the centre of its upper face.
void DrawFlatCoin(QPainter& p, const QPointF& top, double rx, double ry, double thick, const Tone& tone,
                  bool mark) {
    QPainterPath side;
    side.moveTo(top.x() - rx, top.y());
    side.lineTo(top.x() - rx, top.y() + thick);
    side.arcTo(QRectF(top.x() - rx, top.y() + thick - ry, 2 * rx, 2 * ry), 180, 180);
    side.lineTo(top.x() + rx, top.y());
    side.closeSubpath();
    QLinearGradient sg(top.x() - rx, 0, top.x() + rx, 0);
    sg.setColorAt(0, tone.base);
    sg.setColorAt(0.35, tone.light);
    sg.setColorAt(1, tone.dark);
    p.setPen(QPen(tone.dark, 0.9));
    p.setBrush(sg);
    p.drawPath(side);

    QLinearGradient fg(top.x() - rx, top.y() - ry, top.x() + rx, top.y() + ry);
    fg.setColorAt(0, Mix(tone.light, Qt::white, 0.45));
    fg.setColorAt(1, tone.base);
    p.setBrush(fg);
    p.drawEllipse(top, rx, ry);
    p.setPen(QPen(WithAlpha(tone.dark, 130), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(top, rx * 0.72, ry * 0.68);
    if (mark) {
        p.save();
        p.translate(top);
        p.scale(1.0, ry / rx * 1.6);
        DrawYen(p, QPointF(0, 0), rx * 0.75, tone.dark);
        p.restore();
    }
}

void DrawStack(QPainter& p, double cx, double bottom, int count, const Tone& tone) {
    const double rx = 10.5, ry = 3.9, thick = 3.6;
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::black, 45));
    p.drawEllipse(QPointF(cx + 1, bottom + 0.6), rx + 1, ry + 0.6);
    for (int i = 0; i < count; ++i) {
        const double y = bottom - thick - i * thick;
        DrawFlatCoin(p, QPointF(cx, y), rx, ry, thick, tone, i == count - 1);
    }
}

QImage DrawTileIcon(const Tone& tone, int level) {
    QImage img = Canvas(41, 41);
    QPainter p(&img);
    Begin(p);
    switch (level) {
    case 0:
    case 1:
        DrawCoinFace(p, QPointF(20, 20), 15.5, tone);
        break;
    case 2:
        DrawStack(p, 20.5, 35.5, 5, tone);
        break;
    default:
        DrawStack(p, 27, 32.5, 6, tone);
        DrawStack(p, 13.5, 36.5, 4, tone);
        // A small sparkle says "a lot".
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        QPainterPath star;
        const QPointF c(8, 8);
        star.moveTo(c + QPointF(0, -5));
        star.quadTo(c, c + QPointF(5, 0));
        star.quadTo(c, c + QPointF(0, 5));
        star.quadTo(c, c + QPointF(-5, 0));
        star.quadTo(c, c + QPointF(0, -5));
        p.setPen(QPen(tone.base, 0.9));
        p.setBrush(Mix(tone.light, Qt::white, 0.5));
        p.drawPath(star);
        break;
    }
    return img;
}

// ---------------------------------------------------------------------------------------
// Prompt dialog picture: a round blue button with a question mark, on white.

QImage DrawAsk() {
    const int s = 80;
    QImage img = Canvas(s, s, Qt::white);
    QPainter p(&img);
    Begin(p);
    const QPointF c(40, 40);
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(c + QPointF(0, 3), 38);
    shadow.setColorAt(0.82, WithAlpha(Qt::black, 60));
    shadow.setColorAt(1, WithAlpha(Qt::black, 0));
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, 3), 38, 38);

    QLinearGradient ring(0, 4, 0, 76);
    ring.setColorAt(0, kBlue.light);
    ring.setColorAt(1, kBlue.dark);
    p.setBrush(ring);
    p.drawEllipse(c, 35, 35);

    QRadialGradient face(QPointF(34, 28), 44);
    face.setColorAt(0, Mix(kBlue.light, Qt::white, 0.2));
    face.setColorAt(0.55, kBlue.base);
    face.setColorAt(1, kBlue.dark);
    p.setBrush(face);
    p.drawEllipse(c, 31.5, 31.5);

    // Gloss on the upper half.
    QLinearGradient gloss(0, 10, 0, 42);
    gloss.setColorAt(0, WithAlpha(Qt::white, 170));
    gloss.setColorAt(1, WithAlpha(Qt::white, 0));
    p.setBrush(gloss);
    p.drawEllipse(QRectF(17, 11, 46, 28));

    // The question mark, stroked so its shape does not depend on a font.
    QPainterPath q;
    q.moveTo(30, 31);
    q.cubicTo(30, 21, 50, 19, 50, 31);
    q.cubicTo(50, 38, 41, 39, 40.5, 46);
    q.lineTo(40.5, 49);
    for (int pass = 0; pass < 2; ++pass) {
        const QPointF off = pass == 0 ? QPointF(0, 1.5) : QPointF(0, 0);
        const QColor col = pass == 0 ? WithAlpha(kBlue.dark, 200) : QColor(Qt::white);
        p.setPen(QPen(col, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(q.translated(off));
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawEllipse(QPointF(40.5, 58.5) + off, 4.3, 4.3);
    }
    return img;
}

// ---------------------------------------------------------------------------------------
// Empty-list picture of the card pages: an empty tray and a short note.

QImage DrawEmptyList() {
    const int w = 260, h = 170;
    QImage img = Canvas(w, h, Qt::white);
    QPainter p(&img);
    Begin(p);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    bg.setColorAt(1, QColor(0xF1, 0xF5, 0xFA));
    p.fillRect(img.rect(), bg);
    p.setPen(QPen(QColor(0xD3, 0xDC, 0xE8), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));

    const double cx = w / 2.0;
    // Floor shadow.
    QRadialGradient floor(QPointF(cx, 104), 70);
    floor.setColorAt(0, QColor(0xD9, 0xE2, 0xEE));
    floor.setColorAt(1, WithAlpha(QColor(0xD9, 0xE2, 0xEE), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(floor);
    p.save();
    p.translate(cx, 104);
    p.scale(1.0, 0.18);
    p.drawEllipse(QPointF(0, 0), 70, 70);
    p.restore();

    // Where a record would be: only the dashed outline of a sheet.
    p.save();
    p.translate(cx + 2, 34);
    p.rotate(6);
    QPen dashed(QColor(0xB4, 0xC2, 0xD4), 1.4, Qt::DashLine, Qt::RoundCap);
    dashed.setDashPattern({3, 3});
    p.setPen(dashed);
    p.setBrush(WithAlpha(Qt::white, 160));
    p.drawRoundedRect(QRectF(-15, -19, 30, 38), 3, 3);
    p.restore();
    // Two small motes to either side, as if the sheet had just gone.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0xD3, 0xE1));
    p.drawEllipse(QPointF(cx - 34, 30), 2.2, 2.2);
    p.drawEllipse(QPointF(cx + 36, 22), 1.6, 1.6);
    p.drawEllipse(QPointF(cx + 30, 44), 1.2, 1.2);

    // The tray: an open box with a slanted front.
    QPainterPath back;
    back.moveTo(cx - 46, 72);
    back.lineTo(cx - 32, 56);
    back.lineTo(cx + 32, 56);
    back.lineTo(cx + 46, 72);
    back.closeSubpath();
    p.setPen(QPen(QColor(0x9F, 0xB1, 0xC7), 1.2));
    p.setBrush(QColor(0xE4, 0xEB, 0xF4));
    p.drawPath(back);

    QPainterPath front;
    front.moveTo(cx - 46, 72);
    front.lineTo(cx - 18, 72);
    front.cubicTo(cx - 16, 80, cx + 16, 80, cx + 18, 72);
    front.lineTo(cx + 46, 72);
    front.lineTo(cx + 46, 100);
    front.quadTo(cx + 46, 104, cx + 42, 104);
    front.lineTo(cx - 42, 104);
    front.quadTo(cx - 46, 104, cx - 46, 100);
    front.closeSubpath();
    QLinearGradient fg(0, 72, 0, 104);
    fg.setColorAt(0, QColor(0xC9, 0xD6, 0xE6));
    fg.setColorAt(1, QColor(0xAE, 0xBF, 0xD4));
    p.setBrush(fg);
    p.drawPath(front);

    CentredText(p, QRectF(0, 114, w, 24), u"暂无记录"_s, TextFont(17, true), QColor(0x5D, 0x6C, 0x80));
    CentredText(p, QRectF(0, 138, w, 20), u"当前条件下没有可显示的记录"_s, TextFont(12),
                QColor(0x95, 0xA2, 0xB3));
    return img;
}

// ---------------------------------------------------------------------------------------
// Program icon: a ledger sheet and a gold coin on a blue rounded square.

QImage DrawProgramIcon() {
    const int s = 256;
    QImage img = Canvas(s, s);
    QPainter p(&img);
    Begin(p);
    const QRectF tile(8, 8, 240, 240);
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::black, 50));
    p.drawRoundedRect(tile.translated(0, 4), 52, 52);
    QLinearGradient bg(0, 8, 0, 248);
    bg.setColorAt(0, QColor(0x4C, 0x9A, 0xF5));
    bg.setColorAt(1, QColor(0x1C, 0x4C, 0xA6));
    p.setBrush(bg);
    p.drawRoundedRect(tile, 50, 50);
    QLinearGradient shine(0, 8, 0, 128);
    shine.setColorAt(0, WithAlpha(Qt::white, 70));
    shine.setColorAt(1, WithAlpha(Qt::white, 0));
    p.setBrush(shine);
    p.drawRoundedRect(QRectF(14, 14, 228, 110), 44, 44);

    // The ledger sheet, slightly turned.
    p.save();
    p.translate(112, 118);
    p.rotate(-7);
    p.setBrush(WithAlpha(Qt::black, 45));
    p.drawRoundedRect(QRectF(-62, -76, 124, 156).translated(3, 6), 12, 12);
    p.setBrush(QColor(0xFB, 0xFC, 0xFE));
    p.drawRoundedRect(QRectF(-62, -76, 124, 156), 12, 12);
    p.setBrush(kBlue.base);
    p.drawRoundedRect(QRectF(-62, -76, 124, 30), 12, 12);
    p.drawRect(QRectF(-62, -58, 124, 12));
    p.setPen(QPen(QColor(0xC9, 0xD6, 0xE8), 7, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 5; ++k) {
        const double y = -28 + k * 22;
        p.drawLine(QPointF(-44, y), QPointF(k == 4 ? 0 : 44, y));
    }
    p.restore();

    // The coin in front.
    const QPointF c(168, 170);
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(Qt::black, 60));
    p.drawEllipse(c + QPointF(3, 6), 52, 52);
    QRadialGradient cg(c - QPointF(18, 20), 80);
    cg.setColorAt(0, QColor(0xFF, 0xF1, 0xB0));
    cg.setColorAt(0.5, kYellow.light);
    cg.setColorAt(1, kYellow.base);
    p.setPen(QPen(kYellow.dark, 4));
    p.setBrush(cg);
    p.drawEllipse(c, 50, 50);
    p.setPen(QPen(WithAlpha(kYellow.dark, 160), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 39, 39);
    DrawYen(p, c + QPointF(1, 2), 44, WithAlpha(Qt::white, 190));
    DrawYen(p, c, 44, kYellow.dark);
    return img;
}

// ---------------------------------------------------------------------------------------
// Editor banners: the document kind and mode beside an arrow, in the kind's colour.

enum class BannerMark { Bill, Coin };

QImage DrawBanner(int w, int h, const QString& title, const Tone& tone, bool isNew, BannerMark mark) {
    QImage img = Canvas(w, h, Qt::white);
    QPainter p(&img);
    Begin(p);
    QLinearGradient bg(0, 0, w, h);
    bg.setColorAt(0, tone.dark);
    bg.setColorAt(0.55, tone.base);
    bg.setColorAt(1, Mix(tone.base, tone.light, 0.6));
    p.fillRect(img.rect(), bg);

    // Soft diagonal bands on the right for depth.
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 4; ++k) {
        QPainterPath band;
        const double x = w * 0.58 + k * 34;
        band.moveTo(x, h);
        band.lineTo(x + 40, 0);
        band.lineTo(x + 58, 0);
        band.lineTo(x + 18, h);
        band.closeSubpath();
        p.setBrush(WithAlpha(Qt::white, 16 + k * 6));
        p.drawPath(band);
    }
    QLinearGradient gloss(0, 0, 0, h / 2.0);
    gloss.setColorAt(0, WithAlpha(Qt::white, 55));
    gloss.setColorAt(1, WithAlpha(Qt::white, 0));
    p.fillRect(QRectF(0, 0, w, h / 2.0), gloss);
    p.fillRect(QRectF(0, h - 3, w, 3), tone.dark);
    p.fillRect(QRectF(0, h - 3, w, 1), WithAlpha(Qt::white, 60));

    // The arrow badge.
    const double r = h * 0.34;
    const QPointF c(12 + r, h / 2.0 - 1);
    p.setBrush(WithAlpha(Qt::black, 45));
    p.drawEllipse(c + QPointF(0, 1.5), r, r);
    QRadialGradient badge(c - QPointF(r * 0.3, r * 0.4), r * 1.6);
    badge.setColorAt(0, Qt::white);
    badge.setColorAt(1, Mix(Qt::white, tone.light, 0.7));
    p.setBrush(badge);
    p.drawEllipse(c, r, r);
    QPainterPath arrow;
    const double a = r * 0.55;
    arrow.moveTo(c.x() - a, c.y() - a * 0.28);
    arrow.lineTo(c.x() + a * 0.05, c.y() - a * 0.28);
    arrow.lineTo(c.x() + a * 0.05, c.y() - a * 0.75);
    arrow.lineTo(c.x() + a * 1.0, c.y());
    arrow.lineTo(c.x() + a * 0.05, c.y() + a * 0.75);
    arrow.lineTo(c.x() + a * 0.05, c.y() + a * 0.28);
    arrow.lineTo(c.x() - a, c.y() + a * 0.28);
    arrow.closeSubpath();
    p.setBrush(tone.base);
    p.drawPath(arrow);

    // Title.
    const QFont font = TextFont(int(h * 0.42), true);
    const double textLeft = c.x() + r + 12;
    p.setFont(font);
    const QRectF textBox(textLeft, 0, w - textLeft - 8, h - 3);
    p.setPen(WithAlpha(Qt::black, 80));
    p.drawText(textBox.translated(1, 1.5), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setPen(Qt::white);
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, title);

    // A faint picture of the document on the right, and a mode sign on it.
    const double mh = h * 0.66;
    const QPointF mc(w - 14 - mh / 2, h / 2.0 - 1);
    p.setPen(QPen(WithAlpha(Qt::white, 200), 1.6));
    p.setBrush(WithAlpha(Qt::white, 40));
    if (mark == BannerMark::Bill) {
        const QRectF sheet(mc.x() - mh * 0.36, mc.y() - mh / 2, mh * 0.72, mh);
        p.drawRoundedRect(sheet, 3, 3);
        p.setPen(QPen(WithAlpha(Qt::white, 170), 1.6, Qt::SolidLine, Qt::RoundCap));
        for (int k = 0; k < 3; ++k) {
            const double y = sheet.top() + mh * (0.28 + k * 0.2);
            p.drawLine(QPointF(sheet.left() + 5, y), QPointF(sheet.right() - (k == 2 ? 10 : 5), y));
        }
    } else {
        p.drawEllipse(mc, mh / 2, mh / 2);
        p.drawEllipse(mc, mh * 0.36, mh * 0.36);
        DrawYen(p, mc, mh * 0.42, WithAlpha(Qt::white, 220));
    }
    // Mode sign in a small disc at the lower right of the picture: plus for new, pencil for change.
    const QPointF sc(mc.x() + mh * 0.38, mc.y() + mh * 0.3);
    const double sr = h * 0.15;
    p.setPen(QPen(tone.dark, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(sc, sr, sr);
    p.setPen(QPen(tone.base, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (isNew) {
        p.drawLine(QPointF(sc.x() - sr * 0.5, sc.y()), QPointF(sc.x() + sr * 0.5, sc.y()));
        p.drawLine(QPointF(sc.x(), sc.y() - sr * 0.5), QPointF(sc.x(), sc.y() + sr * 0.5));
    } else {
        // A pencil lying at 45 degrees: body, then its point.
        p.save();
        p.translate(sc);
        p.rotate(-45);
        const double len = sr * 1.35, th = sr * 0.42;
        p.setPen(Qt::NoPen);
        p.setBrush(tone.base);
        p.drawRect(QRectF(-len / 2 + th, -th / 2, len - th, th));
        QPainterPath tip;
        tip.moveTo(-len / 2, 0);
        tip.lineTo(-len / 2 + th, -th / 2);
        tip.lineTo(-len / 2 + th, th / 2);
        tip.closeSubpath();
        p.setBrush(tone.dark);
        p.drawPath(tip);
        p.restore();
    }
    return img;
}

// ---------------------------------------------------------------------------------------
// User pictures: friendly faces, varied by background, skin, hair, clothes and accessory.

struct FaceLook {
    QColor background, skin, hair, shirt;
    int hairStyle; // 0 short, 1 side part, 2 long, 3 bun, 4 spiky, 5 bob, 6 receding
    int accessory; // 0 none, 1 glasses, 2 earrings, 3 bow, 4 cap, 5 moustache, 6 headphones
    bool happyEyes;
};

FaceLook LookFor(int n) {
    static const QColor backgrounds[] = {QColor(0xDC, 0xEB, 0xFC), QColor(0xFC, 0xE7, 0xD6),
                                         QColor(0xE0, 0xF4, 0xE6), QColor(0xEE, 0xE4, 0xFA),
                                         QColor(0xFD, 0xF3, 0xCF), QColor(0xFA, 0xDF, 0xE3),
                                         QColor(0xD9, 0xF1, 0xF2), QColor(0xE8, 0xEA, 0xEE)};
    static const QColor skins[] = {QColor(0xFC, 0xDF, 0xC4), QColor(0xF2, 0xC8, 0xA0),
                                   QColor(0xD9, 0xA5, 0x78), QColor(0xA8, 0x74, 0x50)};
    static const QColor hairs[] = {QColor(0x2A, 0x23, 0x20), QColor(0x5A, 0x3A, 0x22),
                                   QColor(0x8C, 0x5A, 0x2B), QColor(0x1E, 0x28, 0x3A),
                                   QColor(0x9A, 0x9A, 0xA2), QColor(0xB0, 0x6A, 0x2E)};
    static const QColor shirts[] = {kBlue.base,
                                    kGreen.base,
                                    kOrange.base,
                                    kPurple.base,
                                    kRed.base,
                                    kYellow.base,
                                    QColor(0x3C, 0x9C, 0xA8),
                                    QColor(0x4A, 0x55, 0x66)};
    const int i = n - 1;
    FaceLook look;
    look.background = backgrounds[i % 8];
    look.skin = skins[(i / 2 + i) % 4];
    look.hair = hairs[(i * 5 + 1) % 6];
    look.shirt = shirts[(i * 3 + 2) % 8];
    look.hairStyle = (i * 4 + i / 7) % 7;
    look.accessory = (i * 2 + i / 5) % 7;
    look.happyEyes = (i % 5) == 3;
    return look;
}

QImage DrawFace(int n) {
    const FaceLook look = LookFor(n);
    const int s = 48;
    QImage img = Canvas(s, s, Qt::white);
    QPainter p(&img);
    Begin(p);
    QRadialGradient bg(QPointF(18, 14), 46);
    bg.setColorAt(0, Mix(look.background, Qt::white, 0.55));
    bg.setColorAt(1, look.background);
    p.fillRect(img.rect(), bg);

    p.save();
    p.setClipRect(QRectF(1, 1, s - 2, s - 2));

    const QColor skinDark = Mix(look.skin, QColor(0x7A, 0x45, 0x2A), 0.25);
    const QColor hairLight = Mix(look.hair, Qt::white, 0.22);
    const QPointF head(24, 21.5);
    const double hr = 10.5;

    // Long hair and bob fall behind the shoulders.
    p.setPen(Qt::NoPen);
    if (look.hairStyle == 2) {
        p.setBrush(look.hair);
        p.drawRoundedRect(QRectF(head.x() - hr - 2, head.y() - hr + 1, 2 * hr + 4, 2 * hr + 8), 9, 9);
    }

    // Shoulders and shirt.
    QPainterPath body;
    body.moveTo(6, 49);
    body.cubicTo(6, 38, 14, 34.5, 24, 34.5);
    body.cubicTo(34, 34.5, 42, 38, 42, 49);
    body.closeSubpath();
    QLinearGradient sg(0, 34, 0, 48);
    sg.setColorAt(0, Mix(look.shirt, Qt::white, 0.2));
    sg.setColorAt(1, Mix(look.shirt, Qt::black, 0.12));
    p.setBrush(sg);
    p.setPen(QPen(Mix(look.shirt, Qt::black, 0.3), 0.8));
    p.drawPath(body);
    // Neck and collar.
    p.setPen(Qt::NoPen);
    p.setBrush(skinDark);
    p.drawRoundedRect(QRectF(20.5, 28, 7, 8), 2.5, 2.5);
    QPainterPath collar;
    collar.moveTo(19, 34.5);
    collar.lineTo(24, 39.5);
    collar.lineTo(29, 34.5);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(collar);

    // Ears and head.
    p.setPen(QPen(skinDark, 0.8));
    p.setBrush(look.skin);
    p.drawEllipse(QPointF(head.x() - hr + 0.3, head.y() + 1.5), 2.3, 3);
    p.drawEllipse(QPointF(head.x() + hr - 0.3, head.y() + 1.5), 2.3, 3);
    QRadialGradient fg(head - QPointF(3, 4), hr * 1.6);
    fg.setColorAt(0, Mix(look.skin, Qt::white, 0.25));
    fg.setColorAt(1, look.skin);
    p.setBrush(fg);
    p.drawEllipse(head, hr - 0.3, hr);

    // Hair on top of the head.
    p.setPen(Qt::NoPen);
    QLinearGradient hg(0, head.y() - hr - 3, 0, head.y());
    hg.setColorAt(0, hairLight);
    hg.setColorAt(1, look.hair);
    p.setBrush(hg);
    const QRectF hb(head.x() - hr - 0.6, head.y() - hr - 1.2, 2 * hr + 1.2, 2 * hr + 1.2);
    switch (look.hairStyle) {
    case 0: { // short, even fringe
        QPainterPath h;
        h.moveTo(hb.left(), head.y() - 1);
        h.arcTo(hb, 180, -180);
        h.cubicTo(hb.right() - 3, head.y() - 6, head.x() - 4, head.y() - 7, hb.left(), head.y() - 1);
        p.drawPath(h);
        break;
    }
    case 1: { // side part with a sweep
        QPainterPath h;
        h.moveTo(hb.left(), head.y() + 1);
        h.arcTo(hb, 180, -190);
        h.cubicTo(hb.right() - 4, head.y() - 9, head.x() - 2, head.y() - 3, head.x() - 5, head.y() - 8);
        h.cubicTo(head.x() - 7, head.y() - 5, hb.left() + 1, head.y() - 3, hb.left(), head.y() + 1);
        p.drawPath(h);
        break;
    }
    case 2:   // long: the top frames the face, the rest is behind
    case 5: { // bob: full sides down to the jaw
        QPainterPath h;
        const double low = look.hairStyle == 2 ? head.y() + 6 : head.y() + 8;
        h.moveTo(hb.left() - 1, low);
        h.lineTo(hb.left() - 1, head.y());
        h.arcTo(hb.adjusted(-1, 0, 1, 0), 180, -180);
        h.lineTo(hb.right() + 1, low);
        h.lineTo(hb.right() - 2.5, low);
        h.lineTo(hb.right() - 2.5, head.y() - 3);
        h.cubicTo(head.x() + 3, head.y() - 8, head.x() - 6, head.y() - 4, hb.left() + 2.5, head.y() - 2);
        h.lineTo(hb.left() + 2.5, low);
        h.closeSubpath();
        p.drawPath(h);
        break;
    }
    case 3: { // bun on top
        p.drawEllipse(QPointF(head.x(), head.y() - hr - 2), 4.5, 4);
        QPainterPath h;
        h.moveTo(hb.left(), head.y() - 1);
        h.arcTo(hb, 180, -180);
        h.cubicTo(hb.right() - 2, head.y() - 5, head.x() + 3, head.y() - 7, head.x(), head.y() - 5);
        h.cubicTo(head.x() - 3, head.y() - 7, hb.left() + 2, head.y() - 5, hb.left(), head.y() - 1);
        p.drawPath(h);
        break;
    }
    case 4: { // spiky
        QPainterPath h;
        h.moveTo(hb.left(), head.y() - 1);
        const int spikes = 6;
        for (int k = 0; k <= spikes; ++k) {
            const double t = double(k) / spikes;
            const double x = hb.left() + t * hb.width();
            const double base = head.y() - 3 - 8 * std::sin(t * 3.14159);
            h.lineTo(x - (k == 0 ? 0 : hb.width() / spikes / 2), base - 5.5);
            h.lineTo(x, base);
        }
        h.lineTo(hb.right(), head.y() - 1);
        h.cubicTo(hb.right() - 4, head.y() - 6, hb.left() + 4, head.y() - 6, hb.left(), head.y() - 1);
        p.drawPath(h);
        break;
    }
    default: { // receding: hair only at the sides and back
        p.drawEllipse(QPointF(hb.left() + 1.5, head.y() - 2), 2.5, 5);
        p.drawEllipse(QPointF(hb.right() - 1.5, head.y() - 2), 2.5, 5);
        p.setBrush(WithAlpha(Qt::white, 60));
        p.drawEllipse(QPointF(head.x() - 3, head.y() - 7), 3.5, 2);
        break;
    }
    }

    // Eyes, brows, cheeks, mouth.
    const double ey = head.y() + 1;
    p.setPen(QPen(Mix(look.hair, Qt::black, 0.2), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(head.x() - 6, ey - 4), QPointF(head.x() - 2.5, ey - 4.6));
    p.drawLine(QPointF(head.x() + 2.5, ey - 4.6), QPointF(head.x() + 6, ey - 4));
    if (look.happyEyes) {
        p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(head.x() - 6, ey - 1.5, 4, 3), 20 * 16, 140 * 16);
        p.drawArc(QRectF(head.x() + 2, ey - 1.5, 4, 3), 20 * 16, 140 * 16);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(QPointF(head.x() - 4, ey), 1.4, 1.7);
        p.drawEllipse(QPointF(head.x() + 4, ey), 1.4, 1.7);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(head.x() - 3.5, ey - 0.6), 0.5, 0.5);
        p.drawEllipse(QPointF(head.x() + 4.5, ey - 0.6), 0.5, 0.5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(QColor(0xF0, 0x80, 0x80), 70));
    p.drawEllipse(QPointF(head.x() - 6.2, ey + 3.5), 2.2, 1.4);
    p.drawEllipse(QPointF(head.x() + 6.2, ey + 3.5), 2.2, 1.4);
    p.setPen(QPen(QColor(0xA0, 0x40, 0x3A), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.x() - 3.2, ey + 2, 6.4, 4.4), 200 * 16, 140 * 16);

    // Accessory.
    switch (look.accessory) {
    case 1: // round glasses
        p.setPen(QPen(QColor(0x33, 0x33, 0x3A), 0.9));
        p.setBrush(WithAlpha(Qt::white, 50));
        p.drawEllipse(QPointF(head.x() - 4, ey), 3.1, 2.8);
        p.drawEllipse(QPointF(head.x() + 4, ey), 3.1, 2.8);
        p.drawLine(QPointF(head.x() - 0.9, ey - 0.3), QPointF(head.x() + 0.9, ey - 0.3));
        break;
    case 2: // earrings
        p.setPen(Qt::NoPen);
        p.setBrush(kYellow.base);
        p.drawEllipse(QPointF(head.x() - hr + 0.3, head.y() + 5.3), 1.3, 1.3);
        p.drawEllipse(QPointF(head.x() + hr - 0.3, head.y() + 5.3), 1.3, 1.3);
        break;
    case 3: { // bow in the hair
        const QPointF b(head.x() + 6.5, head.y() - 8.5);
        QPainterPath bow;
        bow.moveTo(b);
        bow.lineTo(b + QPointF(-4, -3));
        bow.lineTo(b + QPointF(-4, 3));
        bow.closeSubpath();
        bow.moveTo(b);
        bow.lineTo(b + QPointF(4, -3));
        bow.lineTo(b + QPointF(4, 3));
        bow.closeSubpath();
        p.setPen(QPen(kRed.dark, 0.7));
        p.setBrush(kRed.base);
        p.drawPath(bow);
        p.drawEllipse(b, 1.3, 1.3);
        break;
    }
    case 4: { // cap
        const QColor capColour = Mix(look.shirt, Qt::black, 0.1);
        QPainterPath cap;
        cap.moveTo(hb.left() - 0.5, head.y() - 3);
        cap.arcTo(hb.adjusted(-0.5, -1.5, 0.5, 0), 180, -180);
        cap.closeSubpath();
        p.setPen(QPen(Mix(capColour, Qt::black, 0.3), 0.8));
        p.setBrush(capColour);
        p.drawPath(cap);
        p.drawRoundedRect(QRectF(head.x() - 2, head.y() - 4.5, hr + 6, 2.6), 1.3, 1.3);
        p.setPen(Qt::NoPen);
        p.setBrush(Mix(capColour, Qt::white, 0.4));
        p.drawEllipse(QPointF(head.x(), head.y() - hr - 1.6), 1.2, 1.0);
        break;
    }
    case 5: // moustache
        p.setPen(Qt::NoPen);
        p.setBrush(look.hair);
        p.drawEllipse(QPointF(head.x() - 1.9, ey + 2.6), 2.3, 1.0);
        p.drawEllipse(QPointF(head.x() + 1.9, ey + 2.6), 2.3, 1.0);
        break;
    case 6: // headphones
        p.setPen(QPen(QColor(0x3A, 0x40, 0x4A), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(head.x() - hr - 1, head.y() - hr - 2.5, 2 * hr + 2, 2 * hr + 2), 10 * 16, 160 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed.base);
        p.drawRoundedRect(QRectF(head.x() - hr - 2.6, head.y() - 2, 3.6, 6), 1.5, 1.5);
        p.drawRoundedRect(QRectF(head.x() + hr - 1.0, head.y() - 2, 3.6, 6), 1.5, 1.5);
        break;
    default:
        break;
    }
    p.restore();
    p.setPen(QPen(Mix(look.background, kInk, 0.18), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, s - 1, s - 1));
    return img;
}

// ---------------------------------------------------------------------------------------

struct Written {
    QString path;
    QSize size;
};

class Writer {
public:
    explicit Writer(const QString& binDir) : m_dir(binDir) {}

    // Pictures the program shows on buttons and labels: opaque, 24-bit BMP.
    void Bmp(const QString& rel, const QImage& img) {
        Save(rel, img.convertToFormat(QImage::Format_RGB32), "BMP");
    }
    void Png(const QString& rel, const QImage& img) { Save(rel, img, "PNG"); }
    // Tile icons keep their transparency. The ico plugin that writes them is the one that
    // reads them in the program, so a machine without it could not show them either.
    void Ico(const QString& rel, const QImage& img) {
        Save(rel, img.convertToFormat(QImage::Format_ARGB32), "ICO");
    }

    // Loads every written file back as the program does and checks its size.
    bool Verify() {
        for (const Written& w : m_written) {
            QPixmap pm;
            if (!pm.load(m_dir + u'/' + w.path)) {
                Error(u"cannot load back %1"_s.arg(w.path));
            } else if (pm.size() != w.size) {
                Error(u"%1 loads as %2x%3, drawn %4x%5"_s.arg(w.path)
                          .arg(pm.width())
                          .arg(pm.height())
                          .arg(w.size.width())
                          .arg(w.size.height()));
            }
        }
        return m_ok;
    }

    bool Ok() const { return m_ok; }
    int Count() const { return int(m_written.size()); }

private:
    void Save(const QString& rel, const QImage& img, const char* format) {
        const QString path = m_dir + u'/' + rel;
        QImageWriter writer(path, format);
        if (!writer.write(img)) {
            Error(u"cannot write %1: %2"_s.arg(path, writer.errorString()));
            return;
        }
        m_written.push_back({rel, img.size()});
    }
    void Error(const QString& text) {
        std::fprintf(stderr, "tevrano-makeres: %s\n", qUtf8Printable(text));
        m_ok = false;
    }

    QString m_dir;
    QList<Written> m_written;
    bool m_ok = true;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tevrano-makeres BIN_DIR\n");
        return 2;
    }
    const QString binDir = QDir::cleanPath(QString::fromLocal8Bit(argv[1]));
    for (const QString& sub : {u"Res"_s, u"Faces"_s}) {
        if (!QDir().mkpath(binDir + u'/' + sub)) {
            std::fprintf(stderr, "tevrano-makeres: cannot create %s/%s\n", qUtf8Printable(binDir),
                         qUtf8Printable(sub));
            return 1;
        }
    }
    if (!QFontDatabase::families().contains(kFont))
        std::fprintf(stderr,
                     "tevrano-makeres: warning: font \"%s\" is not installed; texts use a substitute\n",
                     qUtf8Printable(kFont));

    Writer out(binDir);
    out.Bmp(u"Res/LeftBar.bmp"_s, DrawFoldStrip(true));
    out.Bmp(u"Res/RightBar.bmp"_s, DrawFoldStrip(false));

    out.Bmp(u"Res/BlueFish.bmp"_s, DrawFish(kBlue));
    out.Bmp(u"Res/YellowFish.bmp"_s, DrawFish(kYellow));
    out.Bmp(u"Res/OrangeFish.bmp"_s, DrawFish(kOrange));
    out.Bmp(u"Res/GreenFish.bmp"_s, DrawFish(kGreen));

    // Tile icons: the colour word of each card kind, one "+" per level of the amount.
    out.Ico(u"Res/Money0.ico"_s, DrawTileIcon(kGrey, 0));
    const QList<QPair<QString, Tone>> iconTones = {
        {u"Blue"_s, kBlue}, {u"Purple"_s, kPurple}, {u"Green"_s, kGreen}, {u"Yellow"_s, kYellow}};
    for (const auto& [word, tone] : iconTones)
        for (int level = 1; level <= 3; ++level)
            out.Ico(u"Res/%1%2.ico"_s.arg(word, QString(level, u'+')), DrawTileIcon(tone, level));

    out.Bmp(u"Res/EmptyList.bmp"_s, DrawEmptyList());
    out.Bmp(u"Res/Ask.bmp"_s, DrawAsk());
    const QImage programIcon = DrawProgramIcon();
    out.Png(u"Res/Tevrano.png"_s, programIcon);
    // The sizes of the desktop's icon theme, for the installed program's menu entry.
    for (int size : {16, 32, 48, 64, 128})
        out.Png(u"Res/Tevrano-%1.png"_s.arg(size),
                programIcon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    // Editor banners: the bill editor's are 526x54, the voucher editor's 420x60.
    struct Banner {
        const char16_t* file;
        const char16_t* title;
        const Tone* tone;
        bool isNew;
        BannerMark mark;
        int w, h;
    };
    const Banner banners[] = {
        {u"NewSell", u"【销售开单】（新增）", &kBlue, true, BannerMark::Bill, 526, 54},
        {u"EditSell", u"【销售开单】（修改）", &kBlue, false, BannerMark::Bill, 526, 54},
        {u"NewBuy", u"【采购开单】（新增）", &kOrange, true, BannerMark::Bill, 526, 54},
        {u"EditBuy", u"【采购开单】（修改）", &kOrange, false, BannerMark::Bill, 526, 54},
        {u"NewGet", u"财务收入单（新增）", &kGreen, true, BannerMark::Coin, 420, 60},
        {u"EditGet", u"财务收入单（修改）", &kGreen, false, BannerMark::Coin, 420, 60},
        {u"NewPay", u"财务支出单（新增）", &kRed, true, BannerMark::Coin, 420, 60},
        {u"EditPay", u"财务支出单（修改）", &kRed, false, BannerMark::Coin, 420, 60},
    };
    for (const Banner& b : banners)
        out.Bmp(u"Res/"_s + QString::fromUtf16(b.file) + u".bmp"_s,
                DrawBanner(b.w, b.h, QString::fromUtf16(b.title), *b.tone, b.isNew, b.mark));

    for (int n = 1; n <= 39; ++n)
        out.Bmp(u"Faces/%1.bmp"_s.arg(n), DrawFace(n));

    if (!out.Ok() || !out.Verify()) return 1;
    std::printf("tevrano-makeres: %d pictures written to %s\n", out.Count(), qUtf8Printable(binDir));
    return 0;
}
