#include "platform/StaleTemporaries.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korven {
namespace {

constexpr qsizetype kRandomPartLength = 6;

bool isRandomPart(QStringView part) {
    if (part.size() != kRandomPartLength) {
        return false;
    }
    for (const QChar c : part) {
        if (c.unicode() > 0x7f || !c.isLetterOrNumber()) {
            return false;
        }
    }
    return true;
}

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

QByteArray TemporaryPrefix(const QString& fileName) {
    return "." + EncodeFileName(fileName) + ".";
}

int RemoveStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QString prefix = u'.' + info.fileName() + u'.';
    const QDir folder = info.absoluteDir();
    int removed = 0;
    // Compared by hand: a save's name may hold characters that a name filter takes as wildcards.
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix) && isRandomPart(QStringView(name).sliced(prefix.size())) &&
            removeIfUnheld(EncodeFileName(folder.filePath(name)))) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace korven
