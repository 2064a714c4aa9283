#include "platform/LockedFileSupport.h"

#include <QDir>
#include <QFileInfo>

namespace korven::lockedfile {

QString resolvedTarget(const QString& path, bool isLink) {
    if (!isLink && QDir::isAbsolutePath(path)) {
        return path;
    }
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace korven::lockedfile
