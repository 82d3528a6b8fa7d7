#pragma once

#include <QCryptographicHash>
#include <QFile>
#include <QString>

// The SHA-256 of a file's bytes, "(manca)" when it cannot be read: equal digests prove a file
// untouched.
inline QByteArray fileDigest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(manca)";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}
