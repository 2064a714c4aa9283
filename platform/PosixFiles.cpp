#include "platform/PosixFiles.h"

#include "platform/SystemError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

namespace korven::posix {

int OpenFd(const QByteArray& path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

Result<Unnamed> CreateUnnamed(const QByteArray& folder, const QByteArray& prefix, mode_t mode) {
    Unnamed created;
    created.fd = OpenFd(folder, O_TMPFILE | O_RDWR, mode);
    if (created.fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        QByteArray name = prefix + "XXXXXX";
        created.fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (created.fd >= 0) {
            created.tempName = name;
        }
    }
    if (created.fd < 0) {
        return Failed(LastSystemFailure(true));
    }
    // Held from the start, so the cleanup of stale temporary files never takes it for one.
    ::flock(created.fd, LOCK_EX | LOCK_NB);
    return created;
}

bool LinkNew(int fd, const QByteArray& tempName, const QByteArray& name) {
    if (!tempName.isEmpty()) {
        return ::link(tempName.constData(), name.constData()) == 0;
    }
    if (::linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    // Without the privilege AT_EMPTY_PATH needs, the descriptor's entry in /proc links it.
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0;
}

void SyncFolder(const QByteArray& folder) {
    const int fd = OpenFd(folder, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace korven::posix
