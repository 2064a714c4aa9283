#pragma once

#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/Result.h"
#include "platform/Sinks.h"

namespace korven {

// Keeps `contents`, the bytes of the file at `savePath` as they are on disk now, in the backup
// store and returns the backup's path. When no backup can be made it tells the user why, and
// the caller must not write.
Result<QString, Reported> BackUpSaveFile(const QString& savePath, const QByteArray& contents,
                                         const BackupStore& store, MessageSink& messages);

// The same for the file behind `handle`, read from disk.
Result<QString, Reported> BackUpSaveFile(const LockedFile& handle, const BackupStore& store,
                                         MessageSink& messages);

}  // namespace korven
