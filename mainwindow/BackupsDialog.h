#pragma once

#include "document/BackupList.h"

#include <optional>
#include <vector>

class QWidget;

namespace korven {

// Lists the backups of the file at `savePath` modally; the one the user chose to restore.
std::optional<BackupEntry> ChooseBackup(const std::vector<BackupEntry>& backups, const QString& savePath,
                                        QWidget* owner);

}  // namespace korven
