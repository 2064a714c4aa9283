#pragma once

#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/Sinks.h"

#include <optional>

namespace korven {

// Copies the file behind `handle`, as it is on disk now, into the backup store, and returns the
// backup's path. When no backup can be made it tells the user, and the caller must not write.
std::optional<QString> BackUpSaveFile(const LockedFile& handle, const BackupStore& store,
                                      MessageSink& messages);

}  // namespace korven
