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
    std::optional<int> differences;  // fields that differ from the open model; none when unusable
    bool elsewhere = false;          // kept for another file of that name (`origin`)
    QString origin;
};

// The backups of the save at `savePath`, newest first, then those of saves with its file name
// elsewhere, newest first; each compared with `current`. A backup larger than any save is
// listed as unusable without being read.
std::vector<BackupEntry> ListBackups(const BackupStore& store, const QString& savePath,
                                     const SaveFile& current);

// A backup's bytes, read up to the largest save; empty when it is larger or unreadable.
QByteArray ReadBackup(const QString& path);
// Loads a backup's bytes into `model`; false when they are not a save the editor can read.
bool LoadBackup(const QByteArray& contents, SaveFile& model);

}  // namespace korven
