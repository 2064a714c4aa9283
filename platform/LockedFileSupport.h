#pragma once

#include "platform/Result.h"

#include <QString>

// What both LockedFile backends share.
namespace korven::lockedfile {

// A failure the system gave no text for.
inline Failed<FileFailure> failed(FileProblem problem) {
    return Failed(FileFailure{problem, {}});
}

// The file a path names, fixed when the file is opened: a relative path would otherwise
// follow later changes of the working folder, and renaming over a symbolic link would
// replace the link and leave the file it points to unchanged. Links among the folders of an
// absolute path need nothing: the system follows them when renaming.
QString resolvedTarget(const QString& path, bool isLink);

}  // namespace korven::lockedfile
