#pragma once

#include "document/BackupList.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTreeWidget;

namespace korven {

// The backups of one file; an unreadable one cannot be chosen.
class BackupsDialog : public QDialog {
    Q_OBJECT
public:
    BackupsDialog(const std::vector<BackupEntry>& backups, const QString& savePath, QWidget* owner);

    // The backup selected, if any.
    std::optional<BackupEntry> selected() const;

private:
    void fillList(const QString& savePath);

    std::vector<BackupEntry> m_backups;
    QTreeWidget* m_list = nullptr;
};

// Lists the backups of the file at `savePath` modally; the one the user chose to restore.
std::optional<BackupEntry> ChooseBackup(const std::vector<BackupEntry>& backups, const QString& savePath,
                                        QWidget* owner);

}  // namespace korven
