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
#include <tuple>
#include <vector>

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
               ? openHandle(path, GENERIC_READ | GENERIC_WRITE | DELETE, kShareNormal, OPEN_EXISTING)
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

// Renames the file behind `handle` over `target` while `target` may still be open (with
// delete sharing) in this process, so no other program can step in between. POSIX rename
// semantics do that where the file system has them; the classic rename needs the target
// closed first, which `releaseTarget` does at the last moment.
bool renameOver(HANDLE handle, const QString& target, const std::function<void()>& releaseTarget) {
    const std::wstring name = nativePath(target);
    const std::size_t size = sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t);
    std::vector<char> buffer(size, 0);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), info->FileName);
    // FileRenameInfoEx with FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS.
    constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
    info->Flags = 0x1 | 0x2;
    if (SetFileInformationByHandle(handle, kFileRenameInfoEx, info, static_cast<DWORD>(size))) {
        return true;
    }
    releaseTarget();
    info->Flags = 0;
    info->ReplaceIfExists = TRUE;
    return SetFileInformationByHandle(handle, FileRenameInfo, info, static_cast<DWORD>(size)) != 0;
}

// Writes `contents` to a new exclusive temporary file beside `path` and renames it over
// `path`. Returns the temporary file's handle, which now names `path`, or nothing.
HANDLE replaceAtomically(const QString& path, const QByteArray& contents,
                         const std::function<void()>& releaseTarget, QString* reason) {
    const QFileInfo info(path);
    const QString tempName = info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.' +
                             QUuid::createUuid().toString(QUuid::Id128).left(12);
    const HANDLE handle =
        openHandle(tempName, GENERIC_READ | GENERIC_WRITE | DELETE, kShareNormal, CREATE_NEW);
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
    if (!renameOver(handle, path, releaseTarget)) {
        return fail("cannot rename the temporary file");
    }
    return handle;
}

bool isReadOnly(const QString& path) {
    const DWORD attributes = GetFileAttributesW(nativePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Volume and file index: what stays the same for one file under every name it has.
std::optional<std::tuple<DWORD, DWORD, DWORD>> fileIdentity(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        return std::nullopt;
    }
    return std::tuple(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
}

std::optional<std::tuple<DWORD, DWORD, DWORD>> fileIdentity(const QString& path) {
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
        existing = openHandle(target, GENERIC_READ | DELETE, kShareNormal, OPEN_EXISTING);
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
    if (!held || held != fileIdentity(m_target)) {
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
