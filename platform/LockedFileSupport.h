#pragma once

#include "platform/FileProblem.h"

#include <QString>

// What both LockedFile backends share.
namespace korven::lockedfile {

inline void fail(FileFailure* failure, FileFailure value) {
    if (failure != nullptr) {
        *failure = std::move(value);
    }
}

inline void fail(FileFailure* failure, FileProblem problem) {
    fail(failure, FileFailure{problem, {}});
}

// The file a path names, fixed when the file is opened: a relative path would otherwise
// follow later changes of the working folder, and renaming over a symbolic link would
// replace the link and leave the file it points to unchanged. Links among the folders of an
// absolute path need nothing: the system follows them when renaming.
QString resolvedTarget(const QString& path, bool isLink);

}  // namespace korven::lockedfile
