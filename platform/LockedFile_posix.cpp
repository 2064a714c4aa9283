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

using lockedfile::failed;
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

Result<QByteArray> readAllFd(int fd, qint64 limit) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return Failed(LastSystemFailure());
    }
    if (st.st_size > limit) {
        return failed(FileProblem::TooLarge);
    }
    QByteArray data;
    try {
        // Exactly the size: growing by resize() would round the allocation up to a power of two.
        data = QByteArray(static_cast<qsizetype>(st.st_size), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        return failed(FileProblem::TooLarge);
    }
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pread(fd, data.data() + done, static_cast<size_t>(data.size() - done), done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Failed(LastSystemFailure());
        }
        if (n == 0) {
            break;  // the file shrank while we read it
        }
        done += n;
    }
    data.truncate(done);
    return data;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

mode_t defaultFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes `contents` to a new temporary file beside `path` and renames it over `path`.
// Returns the temporary file's descriptor, which now names `path`. The lock never lapses:
// the caller holds the old file until the rename, and the new one is locked before it has
// a name, so no other editor can take the file in between.
Result<int> replaceAtomically(const QString& path, const QByteArray& contents) {
    const QFileInfo info(path);
    const QByteArray target = EncodeFileName(info.absoluteFilePath());
    const QByteArray folder = EncodeFileName(info.absolutePath());
    const QByteArray prefix = folder + "/" + TemporaryPrefix(info.fileName());
    RemoveStaleTemporaries(info.absoluteFilePath());

    struct stat existing {};
    const bool replacing = ::stat(target.constData(), &existing) == 0;
    const mode_t mode = replacing ? (existing.st_mode & 07777) : defaultFileMode();

    Result<posix::Unnamed> created = posix::CreateUnnamed(folder, prefix, mode);
    if (!created) {
        return Failed(created.error());
    }
    const int fd = created->fd;
    QByteArray& tempName = created->tempName;
    auto failWith = [&](FileFailure why) {
        ::close(fd);
        if (!tempName.isEmpty()) {
            ::unlink(tempName.constData());
        }
        return Failed(std::move(why));
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
Result<void> rewriteInPlace(int fd, const QByteArray& contents) {
    const Result<QByteArray> old = readAllFd(fd, std::numeric_limits<qint64>::max());
    if (!old) {
        return Failed(old.error());
    }
    auto writeWhole = [fd](const QByteArray& bytes) {
        return ::lseek(fd, 0, SEEK_SET) == 0 && posix::WriteAll(fd, bytes.constData(), bytes.size()) &&
               ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
    };
    if (writeWhole(contents)) {
        return {};
    }
    FileFailure why = LastSystemFailure();
    writeWhole(*old);
    return Failed(std::move(why));
}

bool fdHasOtherNames(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_nlink > 1;
}

// Opens and locks a regular file. A pipe or device is refused before it is opened, and
// opening never blocks, in case one is put in the file's place in between. `isLink`, when
// given, tells whether the path is a symbolic link.
Result<int> openRegular(const QString& path, LockMode mode, bool* isLink = nullptr) {
    const QByteArray name = EncodeFileName(path);
    struct stat st {};
    if (path.isEmpty()) {
        return failed(FileProblem::NotFound);
    }
    if (::lstat(name.constData(), &st) != 0) {
        return Failed(LastSystemFailure());
    }
    const bool link = S_ISLNK(st.st_mode);
    if (isLink != nullptr) {
        *isLink = link;
    }
    if (link && ::stat(name.constData(), &st) != 0) {
        return Failed(LastSystemFailure());
    }
    if (!S_ISREG(st.st_mode)) {
        return failed(FileProblem::NotAFile);
    }
    // Write permission bits stand for the absence of the read-only attribute, also for root.
    if (mode == LockMode::Normal && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return failed(FileProblem::ReadOnlyFile);
    }
    const int fd = OpenFd(name, (mode == LockMode::Normal ? O_RDWR : O_RDONLY) | O_NONBLOCK);
    if (fd < 0) {
        return Failed(LastSystemFailure());
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(FileProblem::NotAFile);
    }
    if (!lockFd(fd, mode)) {
        ::close(fd);
        return failed(FileProblem::InUse);
    }
    return fd;
}

}  // namespace

LockedFile::LockedFile(QString path, QString target, Handle handle, LockMode mode)
    : m_path(std::move(path)), m_target(std::move(target)), m_handle(handle), m_mode(mode) {}

LockedFile::~LockedFile() {
    ::close(m_handle);
}

Result<std::unique_ptr<LockedFile>> LockedFile::open(const QString& path, LockMode mode) {
    bool isLink = false;
    const Result<int> fd = openRegular(path, mode, &isLink);
    if (!fd) {
        return Failed(fd.error());
    }
    const QString target = resolvedTarget(path, isLink);
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, *fd, mode));
}

Result<std::unique_ptr<LockedFile>> LockedFile::create(const QString& path, const QByteArray& contents) {
    struct stat st {};
    const bool isLink = ::lstat(EncodeFileName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
    const QString target = resolvedTarget(path, isLink);
    // A file that another program holds open keeps its lock: replacing it would hand that
    // program a file nobody sees any more, and its next save would silently undo ours.
    int existing = -1;
    if (::stat(EncodeFileName(target).constData(), &st) == 0) {
        const Result<int> opened = openRegular(target, LockMode::ReadOnly);
        if (!opened) {
            return Failed(opened.error());
        }
        existing = *opened;
        if (!lockFd(existing, LockMode::Normal)) {
            ::close(existing);
            return failed(FileProblem::InUse);
        }
    }
    if (existing >= 0 && fdHasOtherNames(existing)) {
        ::close(existing);
        const Result<int> fd = openRegular(target, LockMode::Normal);
        if (!fd) {
            return Failed(fd.error());
        }
        if (const Result<void> written = rewriteInPlace(*fd, contents); !written) {
            ::close(*fd);
            return Failed(written.error());
        }
        return std::unique_ptr<LockedFile>(new LockedFile(path, target, *fd, LockMode::Normal));
    }
    const Result<int> fd = replaceAtomically(target, contents);
    if (existing >= 0) {
        ::close(existing);
    }
    if (!fd) {
        return Failed(fd.error());
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, *fd, LockMode::Normal));
}

Result<qint64> LockedFile::size() const {
    struct stat st {};
    if (::fstat(m_handle, &st) != 0) {
        return Failed(LastSystemFailure());
    }
    return qint64(st.st_size);
}

Result<QByteArray> LockedFile::readPrefix(qint64 count) const {
    QByteArray data(static_cast<qsizetype>(count), Qt::Uninitialized);
    ssize_t n;
    do {
        n = ::pread(m_handle, data.data(), static_cast<size_t>(count), 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        return Failed(LastSystemFailure());
    }
    data.truncate(n);
    return data;
}

Result<QByteArray> LockedFile::readAll(qint64 limit) const {
    return readAllFd(m_handle, limit);
}

Result<LockedFile::NamedContents> LockedFile::readNamed(qint64 limit) const {
    const QByteArray name = EncodeFileName(m_target);
    struct stat held {};
    struct stat named {};
    if (::fstat(m_handle, &held) != 0) {
        return Failed(LastSystemFailure());
    }
    if (::stat(name.constData(), &named) != 0) {
        if (errno != ENOENT) {
            return Failed(LastSystemFailure());
        }
        return NamedContents{};
    }
    if (sameFile(held, named)) {
        Result<QByteArray> contents = readAllFd(m_handle, limit);
        if (!contents) {
            return Failed(contents.error());
        }
        return NamedContents{Named::Held, std::move(*contents)};
    }
    // A pipe or device there reads as empty, which is no save another program wrote.
    if (!S_ISREG(named.st_mode)) {
        return failed(FileProblem::NotAFile);
    }
    const int fd = OpenFd(name, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return Failed(LastSystemFailure());
    }
    Result<QByteArray> contents = readAllFd(fd, limit);
    ::close(fd);
    if (!contents) {
        return Failed(contents.error());
    }
    return NamedContents{Named::Replaced, std::move(*contents)};
}

Result<void> LockedFile::holdNamed(LockMode mode) {
    // Our own lock would stand in the way when the path still names the held file; it is
    // taken back on failure.
    ::flock(m_handle, LOCK_UN);
    const Result<int> fd = openRegular(m_target, mode);
    if (!fd) {
        lockFd(m_handle, m_mode);
        return Failed(fd.error());
    }
    ::close(m_handle);
    m_handle = *fd;
    m_mode = mode;
    return {};
}

Result<void> LockedFile::replaceContents(const QByteArray& contents) {
    if (m_mode != LockMode::Normal) {
        return failed(FileProblem::ReadOnlyFile);
    }
    // The name must still stand for the file we hold, and the file must not have been made
    // read-only meanwhile: a save never resurrects a removed file or replaces somebody else's.
    struct stat held {};
    struct stat named {};
    if (::fstat(m_handle, &held) != 0 || ::stat(EncodeFileName(m_target).constData(), &named) != 0 ||
        !sameFile(held, named)) {
        return failed(FileProblem::Changed);
    }
    if ((named.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return failed(FileProblem::ReadOnlyFile);
    }
    if (named.st_nlink > 1) {
        return rewriteInPlace(m_handle, contents);
    }
    const Result<int> fd = replaceAtomically(m_target, contents);
    if (!fd) {
        return Failed(fd.error());
    }
    ::close(m_handle);
    m_handle = *fd;
    return {};
}

bool LockedFile::hasOtherNames() const {
    return fdHasOtherNames(m_handle);
}

}  // namespace korven
