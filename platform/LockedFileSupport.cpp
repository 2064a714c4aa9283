#include "platform/LockedFileSupport.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace korven::lockedfile {

QString resolvedTarget(const QString& path, bool isLink) {
    if (!isLink && QDir::isAbsolutePath(path)) {
        return path;
    }
    const QString canonical = CanonicalPath(path);
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

}  // namespace korven::lockedfile
