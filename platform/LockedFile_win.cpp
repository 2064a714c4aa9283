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

using lockedfile::failed;
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
Result<HANDLE> openRegular(const QString& path, LockMode mode) {
    if (path.isEmpty()) {
        return failed(FileProblem::NotFound);
    }
    const DWORD attributes = GetFileAttributesW(NativePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A device has no attributes to read; the type of its handle tells what it is.
        FileFailure why = LastSystemFailure();
        if (why.problem == FileProblem::NotFound) {
            return Failed(std::move(why));
        }
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failed(FileProblem::NotAFile);
    } else if (mode == LockMode::Normal && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return failed(FileProblem::ReadOnlyFile);
    }
    const HANDLE handle = openLocked(path, mode);
    if (handle == INVALID_HANDLE_VALUE) {
        return Failed(LastSystemFailure());
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return failed(FileProblem::NotAFile);
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

Result<qint64> sizeOf(HANDLE handle) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) {
        return Failed(LastSystemFailure());
    }
    return qint64(size.QuadPart);
}

Result<QByteArray> readAllHandle(HANDLE handle, qint64 limit) {
    const Result<qint64> size = sizeOf(handle);
    if (!size) {
        return Failed(size.error());
    }
    if (*size > limit) {
        return failed(FileProblem::TooLarge);
    }
    QByteArray data;
    try {
        // Exactly the size: growing by resize() would round the allocation up to a power of two.
        data = QByteArray(static_cast<qsizetype>(*size), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        return failed(FileProblem::TooLarge);
    }
    qint64 done = 0;
    if (!readAt(handle, 0, data.data(), data.size(), &done)) {
        return Failed(LastSystemFailure());
    }
    data.truncate(static_cast<qsizetype>(done));
    return data;
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
// renames it over `path`. Returns the temporary file's handle, which now names `path`.
Result<HANDLE> replaceAtomically(const QString& path, const QByteArray& contents,
                                 const std::function<void()>& releaseTarget) {
    const QFileInfo info(path);
    RemoveStaleTemporaries(info.absoluteFilePath());
    const Result<windows::Temporary> created =
        windows::CreateTemporary(info.absolutePath(), TemporaryPrefix(info.fileName()));
    if (!created) {
        return Failed(created.error());
    }
    const HANDLE handle = created->handle;
    const QString& tempName = created->name;
    auto failWith = [&](FileFailure why) {
        CloseHandle(handle);
        DeleteFileW(NativePath(tempName).c_str());
        return Failed(std::move(why));
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
Result<void> rewriteInPlace(HANDLE handle, const QByteArray& contents) {
    const Result<QByteArray> old = readAllHandle(handle, std::numeric_limits<qint64>::max());
    if (!old) {
        return Failed(old.error());
    }
    auto writeWhole = [handle](const QByteArray& bytes) {
        return SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
               windows::WriteAll(handle, bytes.constData(), bytes.size()) && SetEndOfFile(handle) &&
               FlushFileBuffers(handle);
    };
    if (writeWhole(contents)) {
        return {};
    }
    FileFailure why = LastSystemFailure();
    writeWhole(*old);
    return Failed(std::move(why));
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

Result<std::unique_ptr<LockedFile>> LockedFile::open(const QString& path, LockMode mode) {
    const Result<HANDLE> handle = openRegular(path, mode);
    if (!handle) {
        return Failed(handle.error());
    }
    return std::unique_ptr<LockedFile>(
        new LockedFile(path, resolvedTarget(path, QFileInfo(path).isSymLink()), *handle, mode));
}

Result<std::unique_ptr<LockedFile>> LockedFile::create(const QString& path, const QByteArray& contents) {
    const QString target = resolvedTarget(path, QFileInfo(path).isSymLink());
    // A file that another program holds open keeps it: replacing it would hand that program a
    // file nobody sees any more, and its next save would silently undo ours.
    HANDLE existing = INVALID_HANDLE_VALUE;
    if (QFileInfo::exists(target)) {
        const Result<HANDLE> opened = openRegular(target, LockMode::Normal);
        if (!opened) {
            return Failed(opened.error());
        }
        existing = *opened;
    }
    if (existing != INVALID_HANDLE_VALUE && handleHasOtherNames(existing)) {
        if (const Result<void> written = rewriteInPlace(existing, contents); !written) {
            CloseHandle(existing);
            return Failed(written.error());
        }
        return std::unique_ptr<LockedFile>(new LockedFile(path, target, existing, LockMode::Normal));
    }
    auto release = [&existing] {
        if (existing != INVALID_HANDLE_VALUE) {
            CloseHandle(existing);
            existing = INVALID_HANDLE_VALUE;
        }
    };
    const Result<HANDLE> handle = replaceAtomically(target, contents, release);
    release();
    if (!handle) {
        return Failed(handle.error());
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, *handle, LockMode::Normal));
}

Result<qint64> LockedFile::size() const {
    return sizeOf(m_handle);
}

Result<QByteArray> LockedFile::readPrefix(qint64 count) const {
    QByteArray data(static_cast<qsizetype>(count), Qt::Uninitialized);
    qint64 done = 0;
    if (!readAt(m_handle, 0, data.data(), count, &done)) {
        return Failed(LastSystemFailure());
    }
    data.truncate(static_cast<qsizetype>(done));
    return data;
}

Result<QByteArray> LockedFile::readAll(qint64 limit) const {
    return readAllHandle(m_handle, limit);
}

Result<LockedFile::NamedContents> LockedFile::readNamed(qint64 limit) const {
    // A held file deleted by another program keeps its name until we let go of it, and opening
    // it by that name may be refused meanwhile: either way it is gone.
    const bool heldIsGone = isDeletePending(m_handle);
    const HANDLE named = openToLook(m_target);
    if (named == INVALID_HANDLE_VALUE) {
        if (!isMissing(GetLastError()) && !heldIsGone) {
            return Failed(LastSystemFailure());
        }
        return NamedContents{};
    }
    const auto namedIdentity = fileIdentity(named);
    CloseHandle(named);
    if (namedIdentity && namedIdentity == fileIdentity(m_handle)) {
        if (heldIsGone) {
            return NamedContents{};
        }
        Result<QByteArray> contents = readAllHandle(m_handle, limit);
        if (!contents) {
            return Failed(contents.error());
        }
        return NamedContents{Named::Held, std::move(*contents)};
    }
    const HANDLE other = OpenHandle(m_target, GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (other == INVALID_HANDLE_VALUE) {
        return Failed(LastSystemFailure());
    }
    Result<QByteArray> contents = readAllHandle(other, limit);
    CloseHandle(other);
    if (!contents) {
        return Failed(contents.error());
    }
    return NamedContents{Named::Replaced, std::move(*contents)};
}

Result<void> LockedFile::holdNamed(LockMode mode) {
    // Share modes conflict with our own handle only when the path still names the held file;
    // then it is let go first and taken back on failure.
    const bool same = namesHeldFile(m_handle, m_target);
    if (same) {
        CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    const Result<HANDLE> handle = openRegular(m_target, mode);
    if (!handle) {
        if (same) {
            m_handle = openLocked(m_target, m_mode);
        }
        return Failed(handle.error());
    }
    if (m_handle != INVALID_HANDLE_VALUE) {
        CloseHandle(m_handle);
    }
    m_handle = *handle;
    m_mode = mode;
    return {};
}

bool LockedFile::hasOtherNames() const {
    return handleHasOtherNames(m_handle);
}

Result<void> LockedFile::replaceContents(const QByteArray& contents) {
    if (m_mode != LockMode::Normal) {
        return failed(FileProblem::ReadOnlyFile);
    }
    // The name must still stand for the file we hold, and the file must not have been made
    // read-only meanwhile: a save never resurrects a removed file or replaces somebody else's.
    if (!namesHeldFile(m_handle, m_target)) {
        return failed(FileProblem::Changed);
    }
    if (isReadOnly(m_target)) {
        return failed(FileProblem::ReadOnlyFile);
    }
    if (handleHasOtherNames(m_handle)) {
        return rewriteInPlace(m_handle, contents);
    }
    bool released = false;
    auto release = [&released, this] {
        if (!released) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
            released = true;
        }
    };
    const Result<HANDLE> handle = replaceAtomically(m_target, contents, release);
    if (!handle) {
        if (released) {
            // The rename released our handle and then failed: take the file back.
            m_handle = openLocked(m_target, LockMode::Normal);
        }
        return Failed(handle.error());
    }
    release();
    m_handle = *handle;
    return {};
}

}  // namespace korven
