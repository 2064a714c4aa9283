#include "document/BackupList.h"

#include "model/ModelDiff.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileLoader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace korven {

bool LoadBackup(const QByteArray& contents, SaveFile& model) {
    // A listing must not raise the loader's message boxes, once for each bad backup.
    NullStatus status;
    NullMessages messages;
    return HasSaveFileMagic(contents) && LoadSaveFile(contents, model, status, messages).ok();
}

QByteArray ReadBackup(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxSaveFileSize()) {
        return {};
    }
    // One byte more than allowed tells a file that grew since its size was asked.
    QByteArray contents = file.read(MaxSaveFileSize() + 1);
    return contents.size() > MaxSaveFileSize() ? QByteArray() : contents;
}

std::vector<BackupEntry> ListBackups(const BackupStore& store, const QString& savePath,
                                     const SaveFile& current) {
    std::vector<BackupEntry> entries;
    auto add = [&](const QString& path, bool elsewhere, const QString& origin) {
        const QFileInfo info(path);
        BackupEntry entry{path, info.lastModified(), info.size(), std::nullopt, elsewhere, origin};
        auto model = std::make_unique<SaveFile>();
        if (LoadBackup(ReadBackup(path), *model)) {
            entry.differences = static_cast<int>(DiffModels(current, *model).size());
        }
        entries.push_back(std::move(entry));
    };
    for (const QString& path : store.backupsOf(savePath)) {
        add(path, false, {});
    }
    std::vector<BackupStore::Elsewhere> others = store.backupsElsewhere(savePath);
    std::stable_sort(others.begin(), others.end(), [](const auto& a, const auto& b) {
        return QFileInfo(a.path).lastModified() > QFileInfo(b.path).lastModified();
    });
    for (const BackupStore::Elsewhere& other : others) {
        add(other.path, true, other.origin);
    }
    return entries;
}

}  // namespace korven
