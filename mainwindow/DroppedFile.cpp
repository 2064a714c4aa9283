#include "mainwindow/DroppedFile.h"

#include "model/Layout.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace korven::mainwindow {

std::optional<QString> DroppedFile(const QMimeData& data) {
    if (!data.hasUrls()) {
        return std::nullopt;
    }
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) {
        return std::nullopt;
    }
    const QString path = urls.first().toLocalFile();
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

bool ClearlyNotASave(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) &&
           file.read(layout::kMagicLength) != QByteArray(layout::kMagic, layout::kMagicLength);
}

}  // namespace korven::mainwindow
