#pragma once

#include "platform/FileProblem.h"

namespace korven {

// The problem a POSIX error code stands for. Where the same code means different things,
// `creatingInFolder` says the call was creating an entry in a folder (EACCES there is a
// folder that cannot be written, not a file that cannot be read).
FileProblem ProblemFromErrno(int error, bool creatingInFolder = false);

// The failure for the current errno, with the system's own text.
FileFailure FailureFromErrno(bool creatingInFolder = false);

}  // namespace korven
