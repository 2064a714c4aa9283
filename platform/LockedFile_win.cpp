#include "platform/LockedFile.h"
#include "platform/LockedFileSupport.h"

#include "platform/StaleTemporaries.h"
#include "platform/SystemError.h"
#include "platform/WindowsFiles.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <limits>
#include <new>
#include <optional>
#include <utility>

namespace korven {
namespace {

using lockedfile::fail;
using lockedfile::resolvedTarget;
using windows::NativePath;
using windows::OpenHandle;

HANDLE openLocked(const QString& path, LockMode mode) {
    switch (mode) {
        case LockMode::Normal:
            return OpenHandle(path, GENERIC_READ | GENERIC_WRITE, windows::kShareNormal, OPEN_EXISTING);
        case LockMode::ReadOnly:
            return OpenHandle(path, GENERIC_READ, windows::kShareReadOnly, OPEN_EXISTING);
        case LockMode::Unlocked:
            break;
    }
    // Sharing everything: the editor that holds the file may write it and rename over it.
    return OpenHandle(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      OPEN_EXISTING);
}

bool isReadOnly(const QString& path) {
    const DWORD attributes = GetFileAttributesW(NativePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Opens and locks a regular file: a folder, a device or a pipe is refused.
HANDLE openRegular(const QString& path, LockMode mode, FileFailure* failure) {
    if (path.isEmpty()) {
        fail(failure, FileProblem::NotFound);
        return INVALID_HANDLE_VALUE;
    }
    const DWORD attributes = GetFileAttributesW(NativePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A device has no attributes to read; the type of its handle tells what it is.
        FileFailure why = LastSystemFailure();
        if (why.problem == FileProblem::NotFound) {
            fail(failure, std::move(why));
            return INVALID_HANDLE_VALUE;
        }
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        fail(failure, FileProblem::NotAFile);
        return INVALID_HANDLE_VALUE;
    } else if (mode == LockMode::Normal && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        fail(failure, FileProblem::ReadOnlyFile);
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE handle = openLocked(path, mode);
    if (handle == INVALID_HANDLE_VALUE) {
        fail(failure, LastSystemFailure());
        return INVALID_HANDLE_VALUE;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        fail(failure, FileProblem::NotAFile);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

bool readAt(HANDLE handle, qint64 offset, char* data, qint64 count, qint64* done) {
    *done = 0;
    while (*done < count) {
        OVERLAPPED at{};
        const quint64 position = static_cast<quint64>(offset + *done);
        at.Offset = static_cast<DWORD>(position & 0xFFFFFFFF);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<qint64>(count - *done, 1 << 30));
        DWORD n = 0;
        if (!ReadFile(handle, data + *done, chunk, &n, &at)) {
            return GetLastError() == ERROR_HANDLE_EOF;
        }
        if (n == 0) {
            break;  // the file shrank while we read it
        }
        *done += n;
    }
    return true;
}

qint64 sizeOf(HANDLE handle, FileFailure* failure) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) {
        fail(failure, LastSystemFailure());
        return -1;
    }
    return size.QuadPart;
}

bool readAllHandle(HANDLE handle, qint64 limit, QByteArray* contents, FileFailure* failure) {
    const qint64 size = sizeOf(handle, failure);
    if (size < 0) {
        return false;
    }
    if (size > limit) {
        fail(failure, FileProblem::TooLarge);
        return false;
    }
    QByteArray data;
    try {
        // Exactly the size: growing by resize() would round the allocation up to a power of two.
        data = QByteArray(static_cast<qsizetype>(size), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        fail(failure, FileProblem::TooLarge);
        return false;
    }
    qint64 done = 0;
    if (!readAt(handle, 0, data.data(), data.size(), &done)) {
        fail(failure, LastSystemFailure());
        return false;
    }
    data.truncate(static_cast<qsizetype>(done));
    *contents = std::move(data);
    return true;
}

// Whether a failed rename may succeed a moment later: another program (an antivirus, a sync
// tool, an indexer) has the file open without delete sharing, as such programs do briefly.
bool isTransient(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Renames the temporary file over `target` while `target` is still held (with delete
// sharing) by this process, so no other program can step in between. Where the file system
// refuses to replace a file that is open, `releaseTarget` lets it go at the last moment.
// Another program that has the file open is waited for, for about a second.
bool renameOver(const QString& temp, const QString& target, const std::function<void()>& releaseTarget) {
    const std::wstring from = NativePath(temp);
    const std::wstring to = NativePath(target);
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExW(from.c_str(), to.c_str(), kFlags)) {
        return true;
    }
    releaseTarget();
    constexpr DWORD kPatienceMs = 1000;
    constexpr DWORD kPauseMs = 50;
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (MoveFileExW(from.c_str(), to.c_str(), kFlags)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (!isTransient(error) || GetTickCount64() - start >= kPatienceMs) {
            SetLastError(error);
            return false;
        }
        Sleep(kPauseMs);
    }
}

// Writes `contents` to a new temporary file beside `path`, held as a normal handle, and
// renames it over `path`. Returns the temporary file's handle, which now names `path`, or
// INVALID_HANDLE_VALUE.
HANDLE replaceAtomically(const QString& path, const QByteArray& contents,
                         const std::function<void()>& releaseTarget, FileFailure* failure) {
    const QFileInfo info(path);
    RemoveStaleTemporaries(info.absoluteFilePath());
    QString tempName;
    const HANDLE handle =
        windows::CreateTemporary(info.absolutePath(), TemporaryPrefix(info.fileName()), &tempName, failure);
    if (handle == INVALID_HANDLE_VALUE) {
        return INVALID_HANDLE_VALUE;
    }
    auto failWith = [&](FileFailure why) {
        fail(failure, std::move(why));
        CloseHandle(handle);
        DeleteFileW(NativePath(tempName).c_str());
        return INVALID_HANDLE_VALUE;
    };
    if (!windows::WriteAll(handle, contents.constData(), contents.size())) {
        return failWith(LastSystemFailure());
    }
    if (!FlushFileBuffers(handle)) {
        return failWith(LastSystemFailure());
    }
    if (!renameOver(tempName, path, releaseTarget)) {
        // The temporary file was made in that folder, so the folder can be written: what is
        // left is a program holding the file.
        const bool busy = isTransient(GetLastError());
        FileFailure why = LastSystemFailure(true);
        if (busy) {
            why.problem = FileProblem::Busy;
        }
        return failWith(std::move(why));
    }
    return handle;
}

// A file with other names (hard links) keeps them only when written through: renaming over
// one name would leave the others with the old contents. So it is rewritten in place, which is
// not all or nothing; callers back the file up first. A failure puts the old bytes back if it can.
bool rewriteInPlace(HANDLE handle, const QByteArray& contents, FileFailure* failure) {
    QByteArray old;
    if (!readAllHandle(handle, std::numeric_limits<qint64>::max(), &old, failure)) {
        return false;
    }
    auto writeWhole = [handle](const QByteArray& bytes) {
        return SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
               windows::WriteAll(handle, bytes.constData(), bytes.size()) && SetEndOfFile(handle) &&
               FlushFileBuffers(handle);
    };
    if (writeWhole(contents)) {
        return true;
    }
    fail(failure, LastSystemFailure());
    writeWhole(old);
    return false;
}

bool handleHasOtherNames(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(handle, &info) && info.nNumberOfLinks > 1;
}

using Identity = std::pair<DWORD, DWORD>;

// The file index: what stays the same for one file under every name it has. The volume is
// left out (Wine reports none for a renamed handle); both files are in the same folder.
std::optional<Identity> fileIdentity(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        return std::nullopt;
    }
    return Identity(info.nFileIndexHigh, info.nFileIndexLow);
}

// No access asked, every sharing allowed: this looks at a file other handles hold.
HANDLE openToLook(const QString& path) {
    return OpenHandle(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
}

std::optional<Identity> fileIdentity(const QString& path) {
    const HANDLE handle = openToLook(path);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    auto identity = fileIdentity(handle);
    CloseHandle(handle);
    return identity;
}

// A file deleted while open keeps its name until the last handle closes; it is gone all the same.
bool isDeletePending(HANDLE handle) {
    FILE_STANDARD_INFO info{};
    return GetFileInformationByHandleEx(handle, FileStandardInfo, &info, sizeof info) && info.DeletePending;
}

bool namesHeldFile(HANDLE held, const QString& path) {
    const auto identity = fileIdentity(held);
    return identity && identity == fileIdentity(path) && !isDeletePending(held);
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

LockedFile::LockedFile(QString path, QString target, Handle handle, LockMode mode)
    : m_path(std::move(path)), m_target(std::move(target)), m_handle(handle), m_mode(mode) {}

LockedFile::~LockedFile() {
    if (m_handle != INVALID_HANDLE_VALUE) {
        CloseHandle(m_handle);
    }
}

std::unique_ptr<LockedFile> LockedFile::open(const QString& path, LockMode mode, FileFailure* failure) {
    const HANDLE handle = openRegular(path, mode, failure);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(
        new LockedFile(path, resolvedTarget(path, QFileInfo(path).isSymLink()), handle, mode));
}

std::unique_ptr<LockedFile> LockedFile::create(const QString& path, const QByteArray& contents,
                                               FileFailure* failure) {
    const QString target = resolvedTarget(path, QFileInfo(path).isSymLink());
    // A file that another program holds open keeps it: replacing it would hand that program a
    // file nobody sees any more, and its next save would silently undo ours.
    HANDLE existing = INVALID_HANDLE_VALUE;
    if (QFileInfo::exists(target)) {
        existing = openRegular(target, LockMode::Normal, failure);
        if (existing == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
    }
    if (existing != INVALID_HANDLE_VALUE && handleHasOtherNames(existing)) {
        if (!rewriteInPlace(existing, contents, failure)) {
            CloseHandle(existing);
            return nullptr;
        }
        return std::unique_ptr<LockedFile>(new LockedFile(path, target, existing, LockMode::Normal));
    }
    auto release = [&existing] {
        if (existing != INVALID_HANDLE_VALUE) {
            CloseHandle(existing);
            existing = INVALID_HANDLE_VALUE;
        }
    };
    const HANDLE handle = replaceAtomically(target, contents, release, failure);
    release();
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, handle, LockMode::Normal));
}

qint64 LockedFile::size(FileFailure* failure) const {
    return sizeOf(m_handle, failure);
}

bool LockedFile::readPrefix(qint64 count, QByteArray* contents, FileFailure* failure) const {
    QByteArray data(static_cast<qsizetype>(count), Qt::Uninitialized);
    qint64 done = 0;
    if (!readAt(m_handle, 0, data.data(), count, &done)) {
        fail(failure, LastSystemFailure());
        return false;
    }
    data.truncate(static_cast<qsizetype>(done));
    *contents = std::move(data);
    return true;
}

bool LockedFile::readAll(QByteArray* contents, qint64 limit, FileFailure* failure) const {
    return readAllHandle(m_handle, limit, contents, failure);
}

bool LockedFile::readNamed(NamedContents* current, qint64 limit, FileFailure* failure) const {
    // A held file deleted by another program keeps its name until we let go of it, and opening
    // it by that name may be refused meanwhile: either way it is gone.
    const bool heldIsGone = isDeletePending(m_handle);
    const HANDLE named = openToLook(m_target);
    if (named == INVALID_HANDLE_VALUE) {
        if (!isMissing(GetLastError()) && !heldIsGone) {
            fail(failure, LastSystemFailure());
            return false;
        }
        *current = NamedContents{};
        return true;
    }
    const auto namedIdentity = fileIdentity(named);
    CloseHandle(named);
    if (namedIdentity && namedIdentity == fileIdentity(m_handle)) {
        if (heldIsGone) {
            *current = NamedContents{};
            return true;
        }
        current->named = Named::Held;
        return readAllHandle(m_handle, limit, &current->contents, failure);
    }
    const HANDLE other = OpenHandle(m_target, GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (other == INVALID_HANDLE_VALUE) {
        fail(failure, LastSystemFailure());
        return false;
    }
    current->named = Named::Replaced;
    const bool ok = readAllHandle(other, limit, &current->contents, failure);
    CloseHandle(other);
    return ok;
}

bool LockedFile::holdNamed(LockMode mode, FileFailure* failure) {
    // Share modes conflict with our own handle only when the path still names the held file;
    // then it is let go first and taken back on failure.
    const bool same = namesHeldFile(m_handle, m_target);
    if (same) {
        CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    const HANDLE handle = openRegular(m_target, mode, failure);
    if (handle == INVALID_HANDLE_VALUE) {
        if (same) {
            m_handle = openLocked(m_target, m_mode);
        }
        return false;
    }
    if (m_handle != INVALID_HANDLE_VALUE) {
        CloseHandle(m_handle);
    }
    m_handle = handle;
    m_mode = mode;
    return true;
}

bool LockedFile::hasOtherNames() const {
    return handleHasOtherNames(m_handle);
}

bool LockedFile::replaceContents(const QByteArray& contents, FileFailure* failure) {
    if (m_mode != LockMode::Normal) {
        fail(failure, FileProblem::ReadOnlyFile);
        return false;
    }
    // The name must still stand for the file we hold, and the file must not have been made
    // read-only meanwhile: a save never resurrects a removed file or replaces somebody else's.
    if (!namesHeldFile(m_handle, m_target)) {
        fail(failure, FileProblem::Changed);
        return false;
    }
    if (isReadOnly(m_target)) {
        fail(failure, FileProblem::ReadOnlyFile);
        return false;
    }
    if (handleHasOtherNames(m_handle)) {
        return rewriteInPlace(m_handle, contents, failure);
    }
    bool released = false;
    auto release = [&released, this] {
        if (!released) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
            released = true;
        }
    };
    const HANDLE handle = replaceAtomically(m_target, contents, release, failure);
    if (handle == INVALID_HANDLE_VALUE) {
        if (released) {
            // The rename released our handle and then failed: take the file back.
            m_handle = openLocked(m_target, LockMode::Normal);
        }
        return false;
    }
    release();
    m_handle = handle;
    return true;
}

}  // namespace korven
