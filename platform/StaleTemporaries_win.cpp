#include "platform/StaleTemporaries.h"

#include "platform/FileNames.h"
#include "platform/WindowsFiles.h"

#include <QDir>
#include <QFileInfo>

namespace korven {
namespace {

// Removes `path` only if no handle is open on it: an exclusive open fails while a save still
// writes it, and deleting on close takes the very file that was opened.
bool removeIfUnheld(const QString& path) {
    const DWORD attributes = GetFileAttributesW(windows::NativePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        return false;
    }
    const HANDLE handle = CreateFileW(windows::NativePath(path).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(handle);
    return true;
}

}  // namespace

int RemoveStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    const QString prefix = DecodeFileName(TemporaryPrefix(info.fileName()));
    const QDir folder = info.absoluteDir();
    int removed = 0;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix) && IsTemporarySuffix(name.sliced(prefix.size()).toUtf8()) &&
            removeIfUnheld(folder.filePath(name))) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace korven
