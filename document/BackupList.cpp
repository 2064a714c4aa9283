#include "document/BackupList.h"

#include "model/ModelDiff.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileLoader.h"

#include <QFile>
#include <QFileInfo>

namespace korven {

bool LoadBackup(const QByteArray& contents, SaveFile& model) {
    // A listing must not raise the loader's message boxes, once for each bad backup.
    NullStatus status;
    NullMessages messages;
    return HasSaveFileMagic(contents) && LoadSaveFile(contents, model, status, messages) == 0;
}

std::vector<BackupEntry> ListBackups(const BackupStore& store, const QString& savePath,
                                     const SaveFile& current) {
    std::vector<BackupEntry> entries;
    for (const QString& path : store.backupsOf(savePath)) {
        const QFileInfo info(path);
        BackupEntry entry{path, info.lastModified(), info.size(), std::nullopt};
        QFile file(path);
        auto model = std::make_unique<SaveFile>();
        if (file.open(QIODevice::ReadOnly) && LoadBackup(file.readAll(), *model)) {
            entry.differences = static_cast<int>(DiffModels(current, *model).size());
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace korven
