#include "platform/PathAttributes.h"

#include "platform/FileNames.h"

#include <sys/stat.h>

namespace korven {

PathAttributes AttributesOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(EncodeFileName(path).constData(), &st) != 0) {
        return {};
    }
    return {true, S_ISDIR(st.st_mode), (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0};
}

std::optional<FileIdentity> IdentityOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(EncodeFileName(path).constData(), &st) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino),
                        static_cast<quint32>(st.st_nlink)};
}

}  // namespace korven
