#pragma once

#include "platform/FileProblem.h"

#include <QtGlobal>

namespace korven {

#ifdef Q_OS_WIN
// The problem a Windows error code (GetLastError) stands for. `creatingInFolder` says the
// call was creating an entry in a folder (access denied there is a folder that cannot be
// written, not a file that cannot be read).
FileProblem ProblemFromSystemError(unsigned long error, bool creatingInFolder = false);
#else
// The problem a POSIX error code stands for; `creatingInFolder` as above for EACCES.
FileProblem ProblemFromSystemError(int error, bool creatingInFolder = false);
#endif

// The failure for the calling thread's last system error (errno, or GetLastError on
// Windows), with the system's own text.
FileFailure LastSystemFailure(bool creatingInFolder = false);

}  // namespace korven
