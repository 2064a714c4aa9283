#include "platform/LockedFileSupport.h"

#include "platform/LockedFile.h"

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

namespace korven {

// Both systems' backends hold the named file through holdNamed.
Result<void> LockedFile::reattach() {
    return holdNamed(m_mode);
}

Result<void> LockedFile::reopenForWriting() {
    if (m_mode == LockMode::Normal) {
        return {};
    }
    return holdNamed(LockMode::Normal);
}

}  // namespace korven
