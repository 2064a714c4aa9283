#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace korven {

// Copies of save files as they were on disk before the program wrote them, kept in the
// program's own data folder (never the game's), the newest 20 per file name.
class BackupStore {
public:
    static constexpr int kKept = 20;

    // The "backups" folder in the program's application data location.
    static QString defaultFolder();

    explicit BackupStore(QString folder = defaultFolder());

    const QString& folder() const { return m_folder; }

    struct Outcome {
        bool ok = false;
        QString path;    // the backup written
        QString reason;  // why none could be written
    };

    // Writes `contents` (the file's bytes on disk) as "<file name>.<timestamp>.bak" and drops
    // the oldest backups of that file name beyond kKept.
    Outcome backUp(const QString& savePath, const QByteArray& contents,
                   const QDateTime& now = QDateTime::currentDateTime()) const;

    // The backups of a file name, newest first.
    QStringList backupsOf(const QString& fileName) const;

private:
    QString m_folder;
};

}  // namespace korven
