#include "model/SaveFileBackup.h"

#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"

namespace korven {
namespace {

std::nullopt_t backupFailed(const BackupStore& store, const FileFailure& failure, MessageSink& messages) {
    messages.show(
        Message(texts::withReason(texts::backupFailed(store.folder()), failure), MessageIcon::Error));
    return std::nullopt;
}

}  // namespace

std::optional<QString> BackUpSaveFile(const QString& savePath, const QByteArray& contents,
                                      const BackupStore& store, MessageSink& messages) {
    const BackupStore::Outcome outcome = store.backUp(savePath, contents);
    if (!outcome) {
        return backupFailed(store, outcome.error(), messages);
    }
    return outcome->path;
}

std::optional<QString> BackUpSaveFile(const LockedFile& handle, const BackupStore& store,
                                      MessageSink& messages) {
    QByteArray contents;
    FileFailure failure;
    if (!handle.readAll(&contents, MaxSaveFileSize(), &failure)) {
        return backupFailed(store, failure, messages);
    }
    return BackUpSaveFile(handle.path(), contents, store, messages);
}

}  // namespace korven
