#pragma once

#include "model/SaveFile.h"
#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/Sinks.h"

#include <memory>
#include <optional>

namespace korven {

// The image the writer would store: the loaded image with every known field patched in from
// the model. Nothing when a field cannot be stored (a text with no code page 932 form or
// longer than its field). Shows the writer's progress texts.
std::optional<QByteArray> ComposeSaveImage(const SaveFile& file, StatusSink& status);

// The length of the image up to the end of the last field the writer stores; the bytes after
// it (trailing data) are written back as they are.
qsizetype KnownLength(const SaveFile& file);

// The first KnownLength bytes of the image ComposeSaveImage would give, without copying the
// trailing data: what a comparison with the loaded image needs.
std::optional<QByteArray> ComposeKnownPart(const SaveFile& file, StatusSink& status);

// Stores the model into the open file, all or nothing. On any failure shows
// "データ書き込みエラー"; the file on disk is then exactly as it was. An image
// that would not load back with the same block positions (the anchor name or the last base's
// name edited) is refused as well.
Result<void, Reported> WriteSaveFile(SaveFile& file, LockedFile& target, StatusSink& status,
                                     MessageSink& messages);

struct SavedAs {
    std::unique_ptr<LockedFile> handle;  // the new file, open and locked
    std::optional<QString> backup;       // the backup of the file that was replaced, if any
};

// Save As: stores the model under `path`. A file already there is replaced only when no other
// editor holds it and after a backup of it was made; a new file is created complete or not at
// all. On failure the user has been told and the file at `path` is as it was.
Result<SavedAs, Reported> WriteSaveFileAs(SaveFile& file, const QString& path, const BackupStore& backups,
                                          StatusSink& status, MessageSink& messages);

}  // namespace korven
