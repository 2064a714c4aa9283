#include "platform/LockedFile.h"
#include "platform/LockedFileSupport.h"

#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace korven {
namespace {

using lockedfile::resolvedTarget;
using lockedfile::setReason;

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

int openFd(const QByteArray& path, int flags) {
    int fd;
    do {
        fd = ::open(path.constData(), flags | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool lockFd(int fd, LockMode mode) {
    const int operation = (mode == LockMode::Normal ? LOCK_EX : LOCK_SH) | LOCK_NB;
    int rc;
    do {
        rc = ::flock(fd, operation);
    } while (rc < 0 && errno == EINTR);
    return rc == 0;
}

bool writeAll(int fd, const char* data, qsizetype size) {
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

mode_t defaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes `contents` to a new locked temporary file beside `path` and renames it over
// `path`. Returns the temporary file's descriptor, which now names `path`, or -1.
int replaceAtomically(const QString& path, const QByteArray& contents, QString* reason) {
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    QByteArray tempName = folder + "/." + QFile::encodeName(info.fileName()) + ".XXXXXX";

    struct stat existing {};
    const mode_t mode =
        ::stat(target.constData(), &existing) == 0 ? (existing.st_mode & 07777) : defaultFileMode();

    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0) {
        setReason(reason, systemError("cannot create a temporary file"));
        return -1;
    }
    auto fail = [&](const char* what) {
        setReason(reason, systemError(what));
        ::close(fd);
        ::unlink(tempName.constData());
        return -1;
    };
    if (!lockFd(fd, LockMode::Normal)) {
        return fail("cannot lock the temporary file");
    }
    if (!writeAll(fd, contents.constData(), contents.size())) {
        return fail("cannot write the temporary file");
    }
    if (::fchmod(fd, mode) != 0) {
        return fail("cannot set the file mode");
    }
    if (::fsync(fd) != 0) {
        return fail("cannot flush the temporary file");
    }
    if (::rename(tempName.constData(), target.constData()) != 0) {
        return fail("cannot rename the temporary file");
    }
    const int folderFd = openFd(folder, O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return fd;
}

}  // namespace

LockedFile::LockedFile(QString path, QString target, Handle handle, LockMode mode)
    : m_path(std::move(path)), m_target(std::move(target)), m_handle(handle), m_mode(mode) {}

LockedFile::~LockedFile() {
    ::close(m_handle);
}

std::unique_ptr<LockedFile> LockedFile::open(const QString& path, LockMode mode, QString* reason) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (path.isEmpty() || ::lstat(name.constData(), &st) != 0) {
        setReason(reason, systemError("cannot find the file"));
        return nullptr;
    }
    const bool isLink = S_ISLNK(st.st_mode);
    if (isLink && ::stat(name.constData(), &st) != 0) {
        setReason(reason, systemError("cannot find the file"));
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        setReason(reason, QStringLiteral("not a regular file"));
        return nullptr;
    }
    // Write permission bits stand for the absence of the read-only attribute, also for root.
    if (mode == LockMode::Normal && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        setReason(reason, QStringLiteral("the file is read-only"));
        return nullptr;
    }
    const int fd = openFd(name, mode == LockMode::Normal ? O_RDWR : O_RDONLY);
    if (fd < 0) {
        setReason(reason, systemError("cannot open the file"));
        return nullptr;
    }
    if (!lockFd(fd, mode)) {
        setReason(reason, QStringLiteral("the file is in use by another program"));
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, resolvedTarget(path, isLink), fd, mode));
}

std::unique_ptr<LockedFile> LockedFile::create(const QString& path, const QByteArray& contents,
                                               QString* reason) {
    const QString target = resolvedTarget(path, QFileInfo(path).isSymLink());
    // A file that another program holds open keeps its lock: replacing it would hand that
    // program a file nobody sees any more, and its next save would silently undo ours.
    int existing = -1;
    if (QFileInfo::exists(target)) {
        existing = openFd(QFile::encodeName(target), O_RDONLY);
        if (existing < 0) {
            setReason(reason, systemError("cannot open the file"));
            return nullptr;
        }
        if (!lockFd(existing, LockMode::Normal)) {
            setReason(reason, QStringLiteral("the file is in use by another program"));
            ::close(existing);
            return nullptr;
        }
    }
    const int fd = replaceAtomically(target, contents, reason);
    if (existing >= 0) {
        ::close(existing);
    }
    if (fd < 0) {
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, fd, LockMode::Normal));
}

bool LockedFile::readAll(QByteArray* contents, QString* reason) const {
    struct stat st {};
    if (::fstat(m_handle, &st) != 0) {
        setReason(reason, systemError("cannot read the file size"));
        return false;
    }
    QByteArray data(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n =
            ::pread(m_handle, data.data() + done, static_cast<size_t>(data.size() - done), done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            setReason(reason, systemError("cannot read the file"));
            return false;
        }
        if (n == 0) {
            break;  // the file shrank while we read it
        }
        done += n;
    }
    data.truncate(done);
    *contents = std::move(data);
    return true;
}

bool LockedFile::reopenForWriting(QString* reason) {
    if (m_mode == LockMode::Normal) {
        return true;
    }
    // Our own shared lock would stand in the way of the exclusive one; take it back on failure.
    ::flock(m_handle, LOCK_UN);
    auto reopened = open(m_target, LockMode::Normal, reason);
    if (!reopened) {
        lockFd(m_handle, LockMode::ReadOnly);
        return false;
    }
    std::swap(m_handle, reopened->m_handle);
    m_mode = LockMode::Normal;
    return true;
}

bool LockedFile::replaceContents(const QByteArray& contents, QString* reason) {
    if (m_mode != LockMode::Normal) {
        setReason(reason, QStringLiteral("the file is open read-only"));
        return false;
    }
    // The name must still stand for the file we hold, and the file must not have been made
    // read-only meanwhile: a save never resurrects a removed file or replaces somebody else's.
    struct stat held {};
    struct stat named {};
    if (::fstat(m_handle, &held) != 0 || ::stat(QFile::encodeName(m_target).constData(), &named) != 0 ||
        held.st_dev != named.st_dev || held.st_ino != named.st_ino) {
        setReason(reason, QStringLiteral("the file was removed or replaced while it was open"));
        return false;
    }
    if ((named.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        setReason(reason, QStringLiteral("the file was made read-only while it was open"));
        return false;
    }
    const int fd = replaceAtomically(m_target, contents, reason);
    if (fd < 0) {
        return false;
    }
    ::close(m_handle);
    m_handle = fd;
    return true;
}

}  // namespace korven
