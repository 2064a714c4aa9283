// A power cut between a save's write and its rename, for save_child: every fsync is noted, and
// the first rename, once armed, loses what was never flushed (the file comes back empty, as
// after a crash on a file system that delays allocation), renames, and the process dies there.
#include "tests/faults/CrashAtRename.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <cstdio>
#include <set>
#include <utility>

namespace {

bool g_armed = false;
std::set<std::pair<dev_t, ino_t>> g_flushed;

}  // namespace

void ArmCrashAtRename() {
    g_armed = true;
}

extern "C" int fsync(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        g_flushed.insert({st.st_dev, st.st_ino});
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int rename(const char* from, const char* to) noexcept {
    if (g_armed) {
        struct stat st {};
        if (::stat(from, &st) == 0 && g_flushed.count({st.st_dev, st.st_ino}) == 0) {
            ::truncate(from, 0);
        }
        const long renamed = ::syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to);
        ::_exit(renamed == 0 ? kCrashedAtRename : 1);
    }
    return static_cast<int>(::syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
}
