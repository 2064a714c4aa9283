#pragma once

// The exit status of a save_child that died at its rename.
inline constexpr int kCrashedAtRename = 9;

// From now on the first rename loses the unflushed contents of the file it renames and ends the
// process (POSIX builds only).
void ArmCrashAtRename();
