#include "platform/PrivateFiles.h"

#include "platform/SystemError.h"
#include "platform/WindowsFiles.h"

#include <qt_windows.h>

namespace korven {

// The folders live under the user's application-data folder, which only that user may
// enter; what they inherit from it keeps them private.
Result<void> MakePrivateFolder(const QString& path) {
    if (CreateDirectoryW(windows::NativePath(path).c_str(), nullptr) ||
        GetLastError() == ERROR_ALREADY_EXISTS) {
        return {};
    }
    return Failed(LastSystemFailure(true));
}

Result<QString> WriteNewPrivateFile(const QString& folder, const QByteArray& tempPrefix,
                                    const QByteArray& contents, const std::function<QString(qint64)>& nameFor,
                                    bool stopIfExists) {
    const Result<windows::Temporary> created = windows::CreateTemporary(folder, tempPrefix);
    if (!created) {
        return Failed(created.error());
    }
    const auto& [handle, tempName] = *created;
    FileFailure failure;
    QString name;
    if (!windows::WriteAll(handle, contents.constData(), contents.size()) || !FlushFileBuffers(handle)) {
        failure = LastSystemFailure();
    } else {
        for (qint64 attempt = 0;; ++attempt) {
            const QString candidate = nameFor(attempt);
            // Without MOVEFILE_REPLACE_EXISTING the name is taken only when it is free.
            if (MoveFileExW(windows::NativePath(tempName).c_str(), windows::NativePath(candidate).c_str(),
                            MOVEFILE_WRITE_THROUGH)) {
                name = candidate;
                break;
            }
            const DWORD error = GetLastError();
            if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || stopIfExists) {
                failure = LastSystemFailure(true);
                break;
            }
        }
    }
    CloseHandle(handle);
    if (name.isEmpty()) {
        DeleteFileW(windows::NativePath(tempName).c_str());
        return Failed(failure);
    }
    return name;
}

}  // namespace korven
