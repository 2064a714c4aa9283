#include "platform/WindowsFiles.h"

#include "platform/FileNames.h"
#include "platform/LongPaths.h"
#include "platform/StaleTemporaries.h"
#include "platform/SystemError.h"

#include <QDir>

#include <algorithm>

namespace korven::windows {

std::wstring NativePath(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    // The prefix needs an absolute path; the current folder is added as the system would.
    const QString absolute = QDir::isRelativePath(path) ? QDir::current().absoluteFilePath(path) : path;
    return ExtendedLengthPath(absolute).toStdWString();
}

HANDLE OpenHandle(const QString& path, DWORD access, DWORD share, DWORD disposition) {
    return CreateFileW(NativePath(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool WriteAll(HANDLE handle, const char* data, qsizetype size) {
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

Result<Temporary> CreateTemporary(const QString& folder, const QByteArray& prefix) {
    for (;;) {
        const QString name = folder + u'/' + DecodeFileName(prefix + RandomSuffix());
        const HANDLE handle = OpenHandle(name, GENERIC_READ | GENERIC_WRITE, kShareNormal, CREATE_NEW);
        if (handle != INVALID_HANDLE_VALUE) {
            return Temporary{handle, name};
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            return Failed(LastSystemFailure(true));
        }
    }
}

}  // namespace korven::windows
