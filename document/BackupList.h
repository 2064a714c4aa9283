#pragma once

#include "model/SaveFile.h"
#include "platform/Backups.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace korven {

struct BackupEntry {
    QString path;
    QDateTime time;  // when the backup was written
    qint64 size = 0;
    std::optional<int> differences;  // fields that differ from the open model; none when unreadable
};

// The backups of the save at `savePath`, newest first, each compared with `current`.
std::vector<BackupEntry> ListBackups(const BackupStore& store, const QString& savePath,
                                     const SaveFile& current);

// Loads a backup's bytes into `model`; false when they are not a save the editor can read.
bool LoadBackup(const QByteArray& contents, SaveFile& model);

}  // namespace korven
