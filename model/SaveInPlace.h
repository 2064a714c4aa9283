#pragma once

#include "model/SaveFile.h"
#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/Sinks.h"

#include <functional>

namespace korven {

// What a save does when the file on disk is no longer what was loaded or last saved.
enum class OnDiskChange {
    Ask,        // ask: overwrite (Yes), reload (No) or cancel
    Overwrite,  // write over it (the command line's --force)
    Refuse,     // write nothing (the command line without --force)
};

enum class InPlaceResult {
    Saved,
    Failed,        // the user has been told why; the file is as it was
    Cancelled,     // the user chose not to save
    Refused,       // the file changed on disk and the policy was Refuse
    ReloadWanted,  // the user chose to reload the file and lose the edits
};

struct InPlaceSave {
    InPlaceResult result = InPlaceResult::Failed;
    QString backup;        // the backup made (or found already holding the same bytes), if any
    bool inPlace = false;  // the file has other names and was rewritten in place (not all or nothing)
};

struct InPlaceOptions {
    const BackupStore& backups;
    bool backUpFirst = false;  // keep the file in the backups before writing, even if unchanged
    OnDiskChange onChange = OnDiskChange::Ask;
    // Asked last, with the bytes the save would write over (after any question about a change
    // on disk): false cancels the save.
    std::function<bool(const QByteArray& onDisk)> confirm = {};
};

// Saves the model into its open file without ever writing silently over newer data: when
// the file on disk changed since it was loaded or last saved, the version on disk is backed
// up first, whatever is decided, and the decision follows `options.onChange`. Then writes
// all or nothing (WriteSaveFile); a file with other names (hard links) is backed up before
// every write and rewritten in place, so that all its names keep it. Every failure has been shown with its
// reason.
InPlaceSave SaveInPlace(SaveFile& file, LockedFile& handle, const InPlaceOptions& options, StatusSink& status,
                        MessageSink& messages);

}  // namespace korven
