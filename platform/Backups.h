#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace korven {

// Copies of save files as they were on disk before the program wrote them, kept in the
// program's own data folder (never the game's). The game names every save SaveFile1..n, so a
// save is known by its folder too: each file has a group folder "<file name>-<hash of its
// real path>" holding its path in "origin.txt" and its backups "<file name>.<sequence>.bak",
// numbered upwards whatever the clock says; the newest kKept of a group are kept. A file with
// other names (hard links) has one group for all of them, found by the file's identity that the
// group records in "file-id.txt". Names of other shapes in a group are not ours: never counted,
// never removed. Groups and backups are readable by their owner only.
class BackupStore {
public:
    static constexpr int kKept = 20;
    static constexpr char kOriginFile[] = "origin.txt";
    static constexpr char kIdentityFile[] = "file-id.txt";
    static constexpr int kSequenceWidth = 6;

    // The "backups" folder in the program's application data location.
    static QString defaultFolder();

    explicit BackupStore(QString folder = defaultFolder());

    const QString& folder() const { return m_folder; }

    struct Backup {
        QString path;         // the backup that holds the contents
        bool reused = false;  // the newest backup already held them, so none was written
    };
    using Outcome = Result<Backup>;

    // Keeps `contents` (the bytes of the file at `savePath` on disk) as the group's next
    // backup, unless the newest backup holds the same bytes, and drops the oldest beyond kKept.
    // Two processes backing up at once never share a name.
    Outcome backUp(const QString& savePath, const QByteArray& contents) const;

    // The group folder of the save at `savePath`.
    QString groupFolder(const QString& savePath) const;

    // The backups of the save at `savePath`, newest first, followed by those of the former
    // layout ("<file name>.<yyyyMMdd-HHmmss-zzz>.bak" directly in the folder, from any folder
    // with that file name), newest first.
    QStringList backupsOf(const QString& savePath) const;

    // Backups of saves with the same file name kept in other groups: the game folder was moved
    // or copied, or the save reached through another path. Each with the path its group records.
    struct Elsewhere {
        QString path;
        QString origin;
    };
    std::vector<Elsewhere> backupsElsewhere(const QString& savePath) const;

private:
    QString m_folder;
};

}  // namespace korven
