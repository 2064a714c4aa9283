#include "platform/StaleTemporaries.h"

#include "platform/FileNames.h"

#include <QFileInfo>
#include <QList>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korven {
namespace {

// Removes `name` only if nobody holds it: the lock is taken on the very file that is unlinked.
bool removeIfUnheld(const QByteArray& name) {
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    bool removed = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // The entry must still be the file we locked, not one put in its place meanwhile.
        struct stat named {};
        removed = ::lstat(name.constData(), &named) == 0 && named.st_dev == st.st_dev &&
                  named.st_ino == st.st_ino && ::unlink(name.constData()) == 0;
    }
    ::close(fd);
    return removed;
}

}  // namespace

int RemoveStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QByteArray prefix = TemporaryPrefix(info.fileName());
    const QByteArray folder = EncodeFileName(info.absolutePath());
    // Read with readdir, which costs one call per batch of names: this runs at every open.
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) {
        return 0;
    }
    QList<QByteArray> candidates;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (name.startsWith(prefix) && IsTemporarySuffix(name.sliced(prefix.size()))) {
            candidates.append(folder + '/' + name.toByteArray());
        }
    }
    ::closedir(dir);
    int removed = 0;
    for (const QByteArray& candidate : candidates) {
        removed += removeIfUnheld(candidate) ? 1 : 0;
    }
    return removed;
}

}  // namespace korven
