#pragma once

#include <QChar>
#include <QDir>
#include <QString>

// The game folder is kept with a trailing separator, because the editors append picture names
// ("ship12.bmp") to it directly.
namespace korven {

// True when the path ends in `separator` or in "/", which Qt accepts on every platform.
bool EndsWithSeparator(const QString& path, QChar separator = QDir::separator());

// The path with one trailing separator: an empty path stays empty, a path that already ends in
// one (a root such as "/" or "C:\") gets none.
QString WithTrailingSeparator(const QString& path, QChar separator = QDir::separator());

}  // namespace korven
