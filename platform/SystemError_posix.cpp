#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace korven {

FileProblem ProblemFromSystemError(int error, bool creatingInFolder) {
    switch (error) {
        case 0:
            return FileProblem::None;
        case ENOENT:
        case ENOTDIR:
            return FileProblem::NotFound;
        case EACCES:
        case EPERM:
            return creatingInFolder ? FileProblem::ReadOnlyFolder : FileProblem::NoPermission;
        case EROFS:
            return FileProblem::ReadOnlyFolder;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileProblem::NoSpace;
        case EISDIR:
        case ENXIO:
        case ENODEV:
            return FileProblem::NotAFile;
        case EWOULDBLOCK:
        case ETXTBSY:
        case EBUSY:
            return FileProblem::InUse;
        case ENAMETOOLONG:
            return FileProblem::PathTooLong;
        case ENOMEM:
        case EOVERFLOW:
            return FileProblem::TooLarge;
        default:
            return FileProblem::Other;
    }
}

FileFailure LastSystemFailure(bool creatingInFolder) {
    const int error = errno;
    return FileFailure{ProblemFromSystemError(error, creatingInFolder),
                       QString::fromLocal8Bit(std::strerror(error))};
}

}  // namespace korven
