#pragma once

#include <QString>

#include <optional>

namespace korven {

// What the system says of a path, for any name it can hold (see FileNames.h).
struct PathAttributes {
    bool exists = false;
    bool isFolder = false;
    bool hasWritePermission = false;  // any write permission bit: not marked read-only
};

PathAttributes AttributesOf(const QString& path);

// What one file keeps under every name it has (its hard links): the device or volume and the
// file's number on it, with the count of its names.
struct FileIdentity {
    quint64 device = 0;
    quint64 file = 0;
    quint32 links = 0;
};

// Empty when the path names nothing that can be looked at.
std::optional<FileIdentity> IdentityOf(const QString& path);

}  // namespace korven
