#include "model/SaveInPlace.h"

#include "model/DiskChange.h"
#include "model/ModelTexts.h"
#include "model/SaveFileBackup.h"
#include "model/SaveFileWriter.h"

#include <optional>

namespace korven {
namespace {

InPlaceSave failed(const QString& text, const FileFailure& failure, MessageSink& messages) {
    messages.show(Message(texts::withReason(text, failure), MessageIcon::Error));
    return {};
}

InPlaceResult decide(OnDiskChange policy, const QString& backup, MessageSink& messages) {
    switch (policy) {
        case OnDiskChange::Overwrite:
            return InPlaceResult::Saved;
        case OnDiskChange::Refuse:
            return InPlaceResult::Refused;
        case OnDiskChange::Ask:
            break;
    }
    const MessageAnswer answer =
        messages.show(Message(texts::changedOnDiskQuestion(backup), MessageIcon::Question,
                              MessageButtons::YesNoCancel, MessageAnswer::Cancel));
    switch (answer) {
        case MessageAnswer::Yes:
            return InPlaceResult::Saved;
        case MessageAnswer::No:
            return InPlaceResult::ReloadWanted;
        default:
            return InPlaceResult::Cancelled;
    }
}

}  // namespace

InPlaceSave SaveInPlace(SaveFile& file, LockedFile& handle, const InPlaceOptions& options, StatusSink& status,
                        MessageSink& messages) {
    InPlaceSave outcome;
    Result<DiskCheck> checked = CheckDisk(handle, file.image);
    if (!checked) {
        return failed(texts::writeError(), checked.error(), messages);
    }
    DiskCheck& check = *checked;
    switch (check.change) {
        case DiskChange::Removed:
            return failed(texts::writeError(), FileFailure{FileProblem::Changed, {}}, messages);
        case DiskChange::Modified: {
            const Result<QString, Reported> backup =
                BackUpSaveFile(handle.path(), check.onDisk, options.backups, messages);
            if (!backup) {
                return outcome;
            }
            outcome.backup = *backup;
            outcome.result = decide(options.onChange, *backup, messages);
            if (outcome.result != InPlaceResult::Saved) {
                return outcome;
            }
            break;
        }
        case DiskChange::None:
            // What is on disk is the loaded image, so that is what the backup keeps.
            if (options.backUpFirst || handle.hasOtherNames()) {
                const Result<QString, Reported> backup =
                    BackUpSaveFile(handle.path(), file.image, options.backups, messages);
                if (!backup) {
                    return outcome;
                }
                outcome.backup = *backup;
            }
            break;
    }
    if (options.confirm && !options.confirm(check.change == DiskChange::None ? file.image : check.onDisk)) {
        outcome.result = InPlaceResult::Cancelled;
        return outcome;
    }
    check.onDisk.clear();
    // A file renamed over ours is the one to write and to lock from now on.
    if (check.replaced) {
        if (const Result<void> reattached = handle.reattach(); !reattached) {
            return failed(texts::writeError(), reattached.error(), messages);
        }
    }
    outcome.inPlace = handle.hasOtherNames();
    outcome.result =
        WriteSaveFile(file, handle, status, messages).ok() ? InPlaceResult::Saved : InPlaceResult::Failed;
    return outcome;
}

}  // namespace korven
