#pragma once
// Lets GoogleTest print QString values as readable text in failure messages.

#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toUtf8().constData() << '"';
}
QT_END_NAMESPACE
