#pragma once
// The SHA-256 of a file's bytes, to show a file was left exactly as it was (empty when the
// file cannot be read).

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QString>

namespace tevtest {

inline QByteArray FileHash(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace tevtest
