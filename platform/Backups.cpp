#include "platform/Backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace korven {
namespace {

constexpr char kSuffix[] = ".bak";

// Sorts as it reads: the names of one file's backups order by time.
QString stamp(const QDateTime& now) {
    return now.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
}

}  // namespace

QString BackupStore::defaultFolder() {
#ifdef Q_OS_WIN
    // XDG_DATA_HOME moves the data folder on Windows too, as it does on Linux: for a portable
    // set-up, and so the tests keep their backups apart.
    if (const QString xdg = qEnvironmentVariable("XDG_DATA_HOME"); !xdg.isEmpty()) {
        return xdg + u'/' + QCoreApplication::applicationName() + QStringLiteral("/backups");
    }
#endif
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

BackupStore::BackupStore(QString folder) : m_folder(std::move(folder)) {}

BackupStore::Outcome BackupStore::backUp(const QString& savePath, const QByteArray& contents,
                                         const QDateTime& now) const {
    Outcome outcome;
    if (!QDir().mkpath(m_folder)) {
        outcome.reason = QStringLiteral("cannot create %1").arg(m_folder);
        return outcome;
    }
    const QString fileName = QFileInfo(savePath).fileName();
    // Two backups within one millisecond get successive stamps, so names keep the order.
    QDateTime when = now;
    QString path;
    do {
        path = QDir(m_folder).filePath(fileName + u'.' + stamp(when) + QString::fromLatin1(kSuffix));
        when = when.addMSecs(1);
    } while (QFileInfo::exists(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit()) {
        outcome.reason = file.errorString();
        return outcome;
    }
    const QStringList all = backupsOf(fileName);
    for (qsizetype i = kKept; i < all.size(); ++i) {
        QFile::remove(all[i]);
    }
    outcome.ok = true;
    outcome.path = path;
    return outcome;
}

QStringList BackupStore::backupsOf(const QString& fileName) const {
    const QDir dir(m_folder);
    QStringList names = dir.entryList({fileName + QStringLiteral(".*") + QString::fromLatin1(kSuffix)},
                                      QDir::Files, QDir::Name | QDir::Reversed);
    // Another file whose name starts like this one ("a.SAVE.x" for "a.SAVE") is not ours:
    // ours continue with a timestamp that starts with a digit.
    QStringList result;
    for (const QString& name : names) {
        const QString rest = name.mid(fileName.size() + 1);
        if (rest.size() == 19 + 4 && rest[0].isDigit()) {
            result.append(dir.filePath(name));
        }
    }
    return result;
}

}  // namespace korven
