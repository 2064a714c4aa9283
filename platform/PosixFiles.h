#pragma once

#include "platform/Result.h"

#include <QByteArray>

#include <sys/types.h>

// The system calls the locked file and the backups share, with EINTR handled.
namespace korven::posix {

int OpenFd(const QByteArray& path, int flags, mode_t mode = 0);
bool WriteAll(int fd, const char* data, qsizetype size);

// A new file in `folder`, locked, with no name yet where the file system allows it (so that a
// process killed while writing leaves nothing behind). Elsewhere it is named `prefix` plus six
// random characters at once, and `tempName` says so.
struct Unnamed {
    int fd = -1;
    QByteArray tempName;  // empty while the file has no name
};
Result<Unnamed> CreateUnnamed(const QByteArray& folder, const QByteArray& prefix, mode_t mode);

// Gives the file `fd` (from CreateUnnamed, named in `tempName` or not) the name `name`, which
// must not exist yet. False with errno EEXIST when it does.
bool LinkNew(int fd, const QByteArray& tempName, const QByteArray& name);

// Flushes a folder's entries, without which a rename or new name may not survive a crash.
void SyncFolder(const QByteArray& folder);

}  // namespace korven::posix
