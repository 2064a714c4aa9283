#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>

#include <qt_windows.h>

#include <string>

// The system calls the locked file, the backups and the cleanup of temporary files share.
namespace korven::windows {

// Share modes are the lock. A normal handle lets nobody else write, and lets others read only
// when they accept a writer (a reader that shares only reading is refused, as is every other
// editor); delete sharing lets our own save rename over the file while we hold it. A
// read-only handle lets others read but not write.
constexpr DWORD kShareNormal = FILE_SHARE_READ | FILE_SHARE_DELETE;
constexpr DWORD kShareReadOnly = FILE_SHARE_READ;

// A wide path with backslashes, as the W functions take it, at any length (see LongPaths.h).
std::wstring NativePath(const QString& path);

HANDLE OpenHandle(const QString& path, DWORD access, DWORD share, DWORD disposition);

bool WriteAll(HANDLE handle, const char* data, qsizetype size);

// A new file in `folder` named `prefix` (see TemporaryPrefix) plus a random suffix, open for
// writing with the normal share mode, so that the cleanup of stale temporary files never
// takes it while it is written.
struct Temporary {
    HANDLE handle = INVALID_HANDLE_VALUE;
    QString name;
};
Result<Temporary> CreateTemporary(const QString& folder, const QByteArray& prefix);

}  // namespace korven::windows
