#pragma once

#include <QString>

namespace korven {

// What the system says of a path, for any name it can hold (see FileNames.h).
struct PathAttributes {
    bool exists = false;
    bool isFolder = false;
    bool hasWritePermission = false;  // any write permission bit: not marked read-only
};

PathAttributes AttributesOf(const QString& path);

}  // namespace korven
