#pragma once
// Lets GoogleTest print QString, QRectF and QColor values as readable text in failure
// messages.

#include <QColor>
#include <QRectF>
#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toUtf8().constData() << '"';
}
inline void PrintTo(const QRectF& r, std::ostream* os) {
    *os << "QRectF(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << c.name(QColor::HexArgb).toStdString();
}
QT_END_NAMESPACE
