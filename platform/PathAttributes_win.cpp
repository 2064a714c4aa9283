#include "platform/PathAttributes.h"

#include "platform/WindowsFiles.h"

namespace korven {

PathAttributes AttributesOf(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    const DWORD attributes = GetFileAttributesW(windows::NativePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    return {true, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, (attributes & FILE_ATTRIBUTE_READONLY) == 0};
}

std::optional<FileIdentity> IdentityOf(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    // No access asked and every sharing allowed, so a file another program holds can be looked at.
    const HANDLE handle = CreateFileW(windows::NativePath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!ok) {
        return std::nullopt;
    }
    return FileIdentity{info.dwVolumeSerialNumber, (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                        info.nNumberOfLinks};
}

}  // namespace korven
