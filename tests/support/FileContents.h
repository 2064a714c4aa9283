#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A whole file read or written with Qt, for setting up and checking tests and benchmarks.
namespace korven::fixtures {

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace korven::fixtures
