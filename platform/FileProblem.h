#pragma once

#include <QString>

namespace korven {

// Why a file operation failed, in terms a user can act on. Each backend maps its system
// error codes onto these; the core turns them into the reason line under a message.
enum class FileProblem {
    None,
    NotFound,        // the file or a folder on its path does not exist
    NoPermission,    // the system refused access to the file
    ReadOnlyFile,    // the file itself is read-only
    ReadOnlyFolder,  // the folder cannot be written (permissions or a read-only medium)
    NoSpace,         // the disk or the user's quota is full, or the file exceeds a size limit
    NotAFile,        // a folder, a device, a pipe: anything but a regular file
    InUse,           // another program holds the file's lock
    Busy,            // another program (an antivirus, a sync tool) has the file open as it is replaced
    Changed,         // another program changed, replaced or removed the file while it was open
    TooLarge,        // larger than any save file can be, or more than memory allows
    PathTooLong,     // a name on the path, or the whole path, is longer than the system takes
    Other,
};

struct FileFailure {
    FileProblem problem = FileProblem::None;
    QString systemText;  // the system's own description, when there is one
};

}  // namespace korven
