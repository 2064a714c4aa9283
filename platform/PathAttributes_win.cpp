#include "platform/PathAttributes.h"

#include <QDir>

#include <qt_windows.h>

namespace korven {

PathAttributes AttributesOf(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    const DWORD attributes =
        GetFileAttributesW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    return {true, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, (attributes & FILE_ATTRIBUTE_READONLY) == 0};
}

}  // namespace korven
