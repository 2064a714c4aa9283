#include "model/SaveFileBackup.h"

#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"

namespace korven {
namespace {

Failed<Reported> backupFailed(const BackupStore& store, const FileFailure& failure, MessageSink& messages) {
    messages.show(
        Message(texts::withReason(texts::backupFailed(store.folder()), failure), MessageIcon::Error));
    return Failed(Reported{});
}

}  // namespace

Result<QString, Reported> BackUpSaveFile(const QString& savePath, const QByteArray& contents,
                                         const BackupStore& store, MessageSink& messages) {
    const BackupStore::Outcome outcome = store.backUp(savePath, contents);
    if (!outcome) {
        return backupFailed(store, outcome.error(), messages);
    }
    return outcome->path;
}

Result<QString, Reported> BackUpSaveFile(const LockedFile& handle, const BackupStore& store,
                                         MessageSink& messages) {
    const Result<QByteArray> contents = handle.readAll(MaxSaveFileSize());
    if (!contents) {
        return backupFailed(store, contents.error(), messages);
    }
    return BackUpSaveFile(handle.path(), *contents, store, messages);
}

}  // namespace korven
