#include "model/SaveFileBackup.h"

#include "model/ModelTexts.h"

namespace korven {

std::optional<QString> BackUpSaveFile(const LockedFile& handle, const BackupStore& store,
                                      MessageSink& messages) {
    QByteArray contents;
    if (handle.readAll(&contents)) {
        const BackupStore::Outcome outcome = store.backUp(handle.path(), contents);
        if (outcome.ok) {
            return outcome.path;
        }
    }
    messages.show(Message(texts::backupFailed(store.folder()), MessageIcon::Error));
    return std::nullopt;
}

}  // namespace korven
