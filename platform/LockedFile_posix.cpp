#include "platform/LockedFile.h"
#include "platform/LockedFileSupport.h"

#include "platform/FileNames.h"
#include "platform/PosixFiles.h"
#include "platform/StaleTemporaries.h"
#include "platform/SystemError.h"

#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <limits>
#include <new>

namespace korven {
namespace {

using lockedfile::fail;
using lockedfile::resolvedTarget;
using posix::OpenFd;

bool lockFd(int fd, LockMode mode) {
    if (mode == LockMode::Unlocked) {
        return true;
    }
    const int operation = (mode == LockMode::Normal ? LOCK_EX : LOCK_SH) | LOCK_NB;
    int rc;
    do {
        rc = ::flock(fd, operation);
    } while (rc < 0 && errno == EINTR);
    return rc == 0;
}

bool readAllFd(int fd, qint64 limit, QByteArray* contents, FileFailure* failure) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        fail(failure, LastSystemFailure());
        return false;
    }
    if (st.st_size > limit) {
        fail(failure, FileProblem::TooLarge);
        return false;
    }
    QByteArray data;
    try {
        // Exactly the size: growing by resize() would round the allocation up to a power of two.
        data = QByteArray(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        fail(failure, FileProblem::TooLarge);
        return false;
    }
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pread(fd, data.data() + done, static_cast<size_t>(data.size() - done), done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            fail(failure, LastSystemFailure());
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

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

mode_t defaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes `contents` to a new locked temporary file beside `path` and renames it over
// `path`. Returns the temporary file's descriptor, which now names `path`, or -1.
int replaceAtomically(const QString& path, const QByteArray& contents, FileFailure* failure) {
    const QFileInfo info(path);
    const QByteArray target = EncodeFileName(info.absoluteFilePath());
    const QByteArray folder = EncodeFileName(info.absolutePath());
    const QByteArray prefix = folder + "/" + TemporaryPrefix(info.fileName());
    RemoveStaleTemporaries(info.absoluteFilePath());

    struct stat existing {};
    const bool replacing = ::stat(target.constData(), &existing) == 0;
    const mode_t mode = replacing ? (existing.st_mode & 07777) : defaultFileMode();

    QByteArray tempName;
    const int fd = posix::CreateUnnamed(folder, prefix, mode, &tempName, failure);
    if (fd < 0) {
        return -1;
    }
    auto failWith = [&](FileFailure why) {
        fail(failure, std::move(why));
        ::close(fd);
        if (!tempName.isEmpty()) {
            ::unlink(tempName.constData());
        }
        return -1;
    };
    if (!posix::WriteAll(fd, contents.constData(), contents.size())) {
        return failWith(LastSystemFailure());
    }
    // The new file is the old one's successor: a save under sudo must not hand the player's
    // file to root. Only root may give a file away; anyone may keep a group they belong to.
    // The mode comes after, since a change of owner clears the set-id bits.
    if (replacing && ::fchown(fd, existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) != 0) {
        // Neither could be kept: the file is the saver's, as any file they create.
    }
    if (::fchmod(fd, mode) != 0) {
        return failWith(LastSystemFailure());
    }
    if (::fsync(fd) != 0) {
        return failWith(LastSystemFailure());
    }
    // The name exists only from here to the rename.
    while (tempName.isEmpty()) {
        const QByteArray name = prefix + RandomSuffix();
        if (posix::LinkNew(fd, {}, name)) {
            tempName = name;
        } else if (errno != EEXIST) {
            return failWith(LastSystemFailure(true));
        }
    }
    if (::rename(tempName.constData(), target.constData()) != 0) {
        return failWith(LastSystemFailure(true));
    }
    // The rename is durable only once the folder's entry is on disk too.
    posix::SyncFolder(folder);
    return fd;
}

// A file with other names (hard links) keeps them only when written through: renaming over
// one name would leave the others with the old contents. So it is rewritten in place, which is
// not all or nothing; callers back the file up first. A failure puts the old bytes back if it can.
bool rewriteInPlace(int fd, const QByteArray& contents, FileFailure* failure) {
    QByteArray old;
    if (!readAllFd(fd, std::numeric_limits<qint64>::max(), &old, failure)) {
        return false;
    }
    auto writeWhole = [fd](const QByteArray& bytes) {
        return ::lseek(fd, 0, SEEK_SET) == 0 && posix::WriteAll(fd, bytes.constData(), bytes.size()) &&
               ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
    };
    if (writeWhole(contents)) {
        return true;
    }
    fail(failure, LastSystemFailure());
    writeWhole(old);
    return false;
}

bool fdHasOtherNames(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_nlink > 1;
}

// Opens and locks a regular file. A pipe or device is refused before it is opened, and
// opening never blocks, in case one is put in the file's place in between.
int openRegular(const QString& path, LockMode mode, bool* isLink, FileFailure* failure) {
    const QByteArray name = EncodeFileName(path);
    struct stat st {};
    if (path.isEmpty()) {
        fail(failure, FileProblem::NotFound);
        return -1;
    }
    if (::lstat(name.constData(), &st) != 0) {
        fail(failure, LastSystemFailure());
        return -1;
    }
    *isLink = S_ISLNK(st.st_mode);
    if (*isLink && ::stat(name.constData(), &st) != 0) {
        fail(failure, LastSystemFailure());
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        fail(failure, FileProblem::NotAFile);
        return -1;
    }
    // Write permission bits stand for the absence of the read-only attribute, also for root.
    if (mode == LockMode::Normal && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        fail(failure, FileProblem::ReadOnlyFile);
        return -1;
    }
    const int fd = OpenFd(name, (mode == LockMode::Normal ? O_RDWR : O_RDONLY) | O_NONBLOCK);
    if (fd < 0) {
        fail(failure, LastSystemFailure());
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fail(failure, FileProblem::NotAFile);
        return -1;
    }
    if (!lockFd(fd, mode)) {
        ::close(fd);
        fail(failure, FileProblem::InUse);
        return -1;
    }
    return fd;
}

}  // namespace

LockedFile::LockedFile(QString path, QString target, Handle handle, LockMode mode)
    : m_path(std::move(path)), m_target(std::move(target)), m_handle(handle), m_mode(mode) {}

LockedFile::~LockedFile() {
    ::close(m_handle);
}

std::unique_ptr<LockedFile> LockedFile::open(const QString& path, LockMode mode, FileFailure* failure) {
    bool isLink = false;
    const int fd = openRegular(path, mode, &isLink, failure);
    if (fd < 0) {
        return nullptr;
    }
    const QString target = resolvedTarget(path, isLink);
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, fd, mode));
}

std::unique_ptr<LockedFile> LockedFile::create(const QString& path, const QByteArray& contents,
                                               FileFailure* failure) {
    struct stat st {};
    const bool isLink = ::lstat(EncodeFileName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    const QString target = resolvedTarget(path, isLink);
    // A file that another program holds open keeps its lock: replacing it would hand that
    // program a file nobody sees any more, and its next save would silently undo ours.
    int existing = -1;
    if (::stat(EncodeFileName(target).constData(), &st) == 0) {
        bool targetIsLink = false;
        existing = openRegular(target, LockMode::ReadOnly, &targetIsLink, failure);
        if (existing < 0) {
            return nullptr;
        }
        if (!lockFd(existing, LockMode::Normal)) {
            fail(failure, FileProblem::InUse);
            ::close(existing);
            return nullptr;
        }
    }
    if (existing >= 0 && fdHasOtherNames(existing)) {
        ::close(existing);
        bool targetIsLink = false;
        const int fd = openRegular(target, LockMode::Normal, &targetIsLink, failure);
        if (fd < 0) {
            return nullptr;
        }
        if (!rewriteInPlace(fd, contents, failure)) {
            ::close(fd);
            return nullptr;
        }
        return std::unique_ptr<LockedFile>(new LockedFile(path, target, fd, LockMode::Normal));
    }
    const int fd = replaceAtomically(target, contents, failure);
    if (existing >= 0) {
        ::close(existing);
    }
    if (fd < 0) {
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, fd, LockMode::Normal));
}

qint64 LockedFile::size(FileFailure* failure) const {
    struct stat st {};
    if (::fstat(m_handle, &st) != 0) {
        fail(failure, LastSystemFailure());
        return -1;
    }
    return st.st_size;
}

bool LockedFile::readPrefix(qint64 count, QByteArray* contents, FileFailure* failure) const {
    QByteArray data(static_cast<qsizetype>(count), Qt::Uninitialized);
    ssize_t n;
    do {
        n = ::pread(m_handle, data.data(), static_cast<size_t>(count), 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        fail(failure, LastSystemFailure());
        return false;
    }
    data.truncate(n);
    *contents = std::move(data);
    return true;
}

bool LockedFile::readAll(QByteArray* contents, qint64 limit, FileFailure* failure) const {
    return readAllFd(m_handle, limit, contents, failure);
}

bool LockedFile::readNamed(NamedContents* current, qint64 limit, FileFailure* failure) const {
    const QByteArray name = EncodeFileName(m_target);
    struct stat held {};
    struct stat named {};
    if (::fstat(m_handle, &held) != 0) {
        fail(failure, LastSystemFailure());
        return false;
    }
    if (::stat(name.constData(), &named) != 0) {
        if (errno != ENOENT) {
            fail(failure, LastSystemFailure());
            return false;
        }
        *current = NamedContents{};
        return true;
    }
    if (sameFile(held, named)) {
        current->named = Named::Held;
        return readAllFd(m_handle, limit, &current->contents, failure);
    }
    const int fd = OpenFd(name, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        fail(failure, LastSystemFailure());
        return false;
    }
    current->named = Named::Replaced;
    const bool ok = readAllFd(fd, limit, &current->contents, failure);
    ::close(fd);
    return ok;
}

bool LockedFile::holdNamed(LockMode mode, FileFailure* failure) {
    // Our own lock would stand in the way when the path still names the held file; it is
    // taken back on failure.
    ::flock(m_handle, LOCK_UN);
    bool isLink = false;
    const int fd = openRegular(m_target, mode, &isLink, failure);
    if (fd < 0) {
        lockFd(m_handle, m_mode);
        return false;
    }
    ::close(m_handle);
    m_handle = fd;
    m_mode = mode;
    return true;
}

bool LockedFile::replaceContents(const QByteArray& contents, FileFailure* failure) {
    if (m_mode != LockMode::Normal) {
        fail(failure, FileProblem::ReadOnlyFile);
        return false;
    }
    // The name must still stand for the file we hold, and the file must not have been made
    // read-only meanwhile: a save never resurrects a removed file or replaces somebody else's.
    struct stat held {};
    struct stat named {};
    if (::fstat(m_handle, &held) != 0 || ::stat(EncodeFileName(m_target).constData(), &named) != 0 ||
        !sameFile(held, named)) {
        fail(failure, FileProblem::Changed);
        return false;
    }
    if ((named.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        fail(failure, FileProblem::ReadOnlyFile);
        return false;
    }
    if (named.st_nlink > 1) {
        return rewriteInPlace(m_handle, contents, failure);
    }
    const int fd = replaceAtomically(m_target, contents, failure);
    if (fd < 0) {
        return false;
    }
    ::close(m_handle);
    m_handle = fd;
    return true;
}

bool LockedFile::hasOtherNames() const {
    return fdHasOtherNames(m_handle);
}

}  // namespace korven
