#include "platform/SystemError.h"

#include <qt_windows.h>

namespace korven {

FileProblem ProblemFromSystemError(unsigned long error, bool creatingInFolder) {
    switch (error) {
        case ERROR_SUCCESS:
            return FileProblem::None;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return FileProblem::NotFound;
        case ERROR_ACCESS_DENIED:
            return creatingInFolder ? FileProblem::ReadOnlyFolder : FileProblem::NoPermission;
        case ERROR_WRITE_PROTECT:
            return FileProblem::ReadOnlyFolder;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_FILE_TOO_LARGE:
            return FileProblem::NoSpace;
        case ERROR_DIRECTORY:
        case ERROR_CANT_ACCESS_FILE:
            return FileProblem::NotAFile;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return FileProblem::InUse;
        case ERROR_FILENAME_EXCED_RANGE:
            return FileProblem::PathTooLong;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return FileProblem::TooLarge;
        default:
            return FileProblem::Other;
    }
}

FileFailure LastSystemFailure(bool creatingInFolder) {
    const DWORD error = GetLastError();
    return FileFailure{ProblemFromSystemError(error, creatingInFolder),
                       qt_error_string(static_cast<int>(error))};
}

}  // namespace korven
