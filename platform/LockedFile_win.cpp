#include "platform/LockedFile.h"
#include "platform/LockedFileSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <qt_windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace korven {
namespace {

using lockedfile::resolvedTarget;
using lockedfile::setReason;

// Share modes are the lock. A normal handle lets nobody else write, and lets others read only
// when they accept a writer (a reader that shares only reading is refused, as is every other
// editor); as with flock, a file may still be deleted, which a save notices. A read-only
// handle lets others read but not write.
constexpr DWORD kShareNormal = FILE_SHARE_READ | FILE_SHARE_DELETE;
constexpr DWORD kShareReadOnly = FILE_SHARE_READ;

QString systemError(const char* what) {
    const DWORD code = GetLastError();
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what), qt_error_string(static_cast<int>(code)));
}

std::wstring nativePath(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

bool isInUse(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

HANDLE openHandle(const QString& path, DWORD access, DWORD share, DWORD disposition) {
    return CreateFileW(nativePath(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

HANDLE openLocked(const QString& path, LockMode mode) {
    return mode == LockMode::Normal
               ? openHandle(path, GENERIC_READ | GENERIC_WRITE, kShareNormal, OPEN_EXISTING)
               : openHandle(path, GENERIC_READ, kShareReadOnly, OPEN_EXISTING);
}

bool writeAll(HANDLE handle, const char* data, qsizetype size) {
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(size, 1 << 30));
        DWORD written = 0;
        if (!WriteFile(handle, data, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Renames the temporary file over `target` while `target` is still held (with delete
// sharing) by this process, so no other program can step in between. Where the file system
// refuses to replace a file that is open, `releaseTarget` lets it go at the last moment.
bool renameOver(const QString& temp, const QString& target, const std::function<void()>& releaseTarget) {
    const std::wstring from = nativePath(temp);
    const std::wstring to = nativePath(target);
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExW(from.c_str(), to.c_str(), kFlags)) {
        return true;
    }
    releaseTarget();
    return MoveFileExW(from.c_str(), to.c_str(), kFlags) != 0;
}

// Writes `contents` to a new temporary file beside `path`, held as a normal handle, and
// renames it over `path`. Returns the temporary file's handle, which now names `path`, or
// nothing.
HANDLE replaceAtomically(const QString& path, const QByteArray& contents,
                         const std::function<void()>& releaseTarget, QString* reason) {
    const QFileInfo info(path);
    const QString tempName = info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.' +
                             QUuid::createUuid().toString(QUuid::Id128).left(12);
    const HANDLE handle = openHandle(tempName, GENERIC_READ | GENERIC_WRITE, kShareNormal, CREATE_NEW);
    if (handle == INVALID_HANDLE_VALUE) {
        setReason(reason, systemError("cannot create a temporary file"));
        return nullptr;
    }
    auto fail = [&](const char* what) {
        setReason(reason, systemError(what));
        CloseHandle(handle);
        DeleteFileW(nativePath(tempName).c_str());
        return nullptr;
    };
    if (!writeAll(handle, contents.constData(), contents.size())) {
        return fail("cannot write the temporary file");
    }
    if (!FlushFileBuffers(handle)) {
        return fail("cannot flush the temporary file");
    }
    if (!renameOver(tempName, path, releaseTarget)) {
        return fail("cannot rename the temporary file");
    }
    return handle;
}

bool isReadOnly(const QString& path) {
    const DWORD attributes = GetFileAttributesW(nativePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The file index: what stays the same for one file under every name it has. The volume is
// the target's own in both places compared (Wine reports no volume for a renamed handle).
std::optional<std::pair<DWORD, DWORD>> fileIdentity(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        return std::nullopt;
    }
    return std::pair(info.nFileIndexHigh, info.nFileIndexLow);
}

std::optional<std::pair<DWORD, DWORD>> fileIdentity(const QString& path) {
    // No access asked, every sharing allowed: this looks at a file other handles hold.
    const HANDLE handle =
        openHandle(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
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

}  // namespace

LockedFile::LockedFile(QString path, QString target, Handle handle, LockMode mode)
    : m_path(std::move(path)), m_target(std::move(target)), m_handle(handle), m_mode(mode) {}

LockedFile::~LockedFile() {
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
    }
}

std::unique_ptr<LockedFile> LockedFile::open(const QString& path, LockMode mode, QString* reason) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        setReason(reason, QStringLiteral("cannot find the file"));
        return nullptr;
    }
    if (!info.isFile()) {
        setReason(reason, QStringLiteral("not a regular file"));
        return nullptr;
    }
    if (mode == LockMode::Normal && isReadOnly(path)) {
        setReason(reason, QStringLiteral("the file is read-only"));
        return nullptr;
    }
    const HANDLE handle = openLocked(path, mode);
    if (handle == INVALID_HANDLE_VALUE) {
        setReason(reason, isInUse(GetLastError()) ? QStringLiteral("the file is in use by another program")
                                                  : systemError("cannot open the file"));
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(
        new LockedFile(path, resolvedTarget(path, info.isSymLink()), handle, mode));
}

std::unique_ptr<LockedFile> LockedFile::create(const QString& path, const QByteArray& contents,
                                               QString* reason) {
    const QString target = resolvedTarget(path, QFileInfo(path).isSymLink());
    // A file that another program holds open keeps it: replacing it would hand that program a
    // file nobody sees any more, and its next save would silently undo ours.
    HANDLE existing = nullptr;
    if (QFileInfo::exists(target)) {
        existing = openHandle(target, GENERIC_READ | GENERIC_WRITE, kShareNormal, OPEN_EXISTING);
        if (existing == INVALID_HANDLE_VALUE) {
            setReason(reason, isInUse(GetLastError())
                                  ? QStringLiteral("the file is in use by another program")
                                  : systemError("cannot open the file"));
            return nullptr;
        }
    }
    auto release = [&existing] {
        if (existing != nullptr) {
            CloseHandle(existing);
            existing = nullptr;
        }
    };
    const HANDLE handle = replaceAtomically(target, contents, release, reason);
    release();
    if (handle == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<LockedFile>(new LockedFile(path, target, handle, LockMode::Normal));
}

bool LockedFile::readAll(QByteArray* contents, QString* reason) const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_handle, &size)) {
        setReason(reason, systemError("cannot read the file size"));
        return false;
    }
    QByteArray data(static_cast<qsizetype>(size.QuadPart), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < data.size()) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(done & 0xFFFFFFFF);
        at.OffsetHigh = static_cast<DWORD>(static_cast<quint64>(done) >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(data.size() - done, 1 << 30));
        DWORD n = 0;
        if (!ReadFile(m_handle, data.data() + done, chunk, &n, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF) {
                break;
            }
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
    // Our own read handle would stand in the way of the exclusive one; take it back on failure.
    CloseHandle(m_handle);
    m_handle = nullptr;
    auto reopened = open(m_target, LockMode::Normal, reason);
    if (!reopened) {
        const HANDLE again = openLocked(m_target, LockMode::ReadOnly);
        m_handle = again == INVALID_HANDLE_VALUE ? nullptr : again;
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
    const auto held = fileIdentity(m_handle);
    if (!held || held != fileIdentity(m_target) || isDeletePending(m_handle)) {
        setReason(reason, QStringLiteral("the file was removed or replaced while it was open"));
        return false;
    }
    if (isReadOnly(m_target)) {
        setReason(reason, QStringLiteral("the file was made read-only while it was open"));
        return false;
    }
    HANDLE old = m_handle;
    auto release = [&old, this] {
        if (old != nullptr) {
            CloseHandle(old);
            old = nullptr;
            m_handle = nullptr;
        }
    };
    const HANDLE handle = replaceAtomically(m_target, contents, release, reason);
    if (handle == nullptr) {
        if (m_handle == nullptr) {
            // The classic rename released our handle and then failed: take the file back.
            const HANDLE again = openLocked(m_target, LockMode::Normal);
            m_handle = again == INVALID_HANDLE_VALUE ? nullptr : again;
        }
        return false;
    }
    release();
    m_handle = handle;
    return true;
}

}  // namespace korven
