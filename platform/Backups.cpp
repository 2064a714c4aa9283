#include "platform/Backups.h"

#include "platform/FileNames.h"
#include "platform/PrivateFiles.h"
#include "platform/StaleTemporaries.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace korven {
namespace {

constexpr char kSuffix[] = ".bak";
constexpr qsizetype kLegacyStampLength = 19;  // yyyyMMdd-HHmmss-zzz

// Backups are named after the save, in valid text even when the save's name is not.
QString backupName(const QString& savePath) {
    return PrintableFileName(QFileInfo(savePath).fileName());
}

struct Numbered {
    qint64 sequence = 0;
    QString name;
};

// The group's backups, newest (highest sequence) first.
std::vector<Numbered> numberedBackups(const QDir& group, const QString& fileName) {
    std::vector<Numbered> result;
    const QString prefix = fileName + u'.';
    const QString suffix = QString::fromLatin1(kSuffix);
    for (const QString& name : group.entryList(QDir::Files)) {
        if (!name.startsWith(prefix) || !name.endsWith(suffix)) {
            continue;
        }
        const QStringView digits =
            QStringView(name).sliced(prefix.size(), name.size() - prefix.size() - suffix.size());
        bool ok = false;
        const qint64 sequence = digits.toLongLong(&ok);
        if (ok && !digits.isEmpty() && digits.front().isDigit()) {
            result.push_back({sequence, name});
        }
    }
    std::sort(result.begin(), result.end(),
              [](const Numbered& a, const Numbered& b) { return a.sequence > b.sequence; });
    return result;
}

bool sameContents(const QString& path, const QByteArray& contents) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != contents.size()) {
        return false;
    }
    // In pieces: a save with large trailing data is not held in memory twice.
    constexpr qsizetype kPiece = 1 << 20;
    for (qsizetype offset = 0; offset < contents.size(); offset += kPiece) {
        const QByteArray piece = file.read(kPiece);
        if (piece.isEmpty() || QByteArrayView(contents).sliced(offset, piece.size()) != piece) {
            return false;
        }
    }
    return true;
}

// The save's path as the group records it, so a restore can tell two games' SaveFile1 apart.
void recordOrigin(const QString& group, const QString& savePath) {
    const QString origin = QDir(group).filePath(QString::fromLatin1(BackupStore::kOriginFile));
    if (QFileInfo::exists(origin)) {
        return;
    }
    FileFailure ignored;
    WriteNewPrivateFile(
        group, TemporaryPrefix(QString::fromLatin1(BackupStore::kOriginFile)),
        EncodeFileName(QFileInfo(savePath).absoluteFilePath()) + '\n', [&](qint64) { return origin; }, true,
        &ignored);
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

QString BackupStore::groupFolder(const QString& savePath) const {
    const QFileInfo info(savePath);
    const QString folder = CanonicalPath(info.absolutePath());
    const QString identity = (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
    const QByteArray hash =
        QCryptographicHash::hash(EncodeFileName(identity), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(m_folder).filePath(backupName(savePath) + u'-' + QString::fromLatin1(hash));
}

BackupStore::Outcome BackupStore::backUp(const QString& savePath, const QByteArray& contents) const {
    Outcome outcome;
    const QString group = groupFolder(savePath);
    const QString fileName = backupName(savePath);
    QFileInfo base(m_folder);
    if (!QDir().mkpath(base.absolutePath()) || !MakePrivateFolder(m_folder, &outcome.failure) ||
        !MakePrivateFolder(group, &outcome.failure)) {
        if (outcome.failure.problem == FileProblem::None) {
            outcome.failure.problem = FileProblem::ReadOnlyFolder;
        }
        return outcome;
    }
    recordOrigin(group, savePath);
    const QDir dir(group);
    RemoveStaleTemporaries(dir.filePath(fileName));

    const std::vector<Numbered> existing = numberedBackups(dir, fileName);
    if (!existing.empty() && sameContents(dir.filePath(existing.front().name), contents)) {
        outcome.ok = true;
        outcome.reused = true;
        outcome.path = dir.filePath(existing.front().name);
        return outcome;
    }
    const qint64 first = existing.empty() ? 1 : existing.front().sequence + 1;
    auto nameFor = [&](qint64 attempt) {
        const QString name = fileName + u'.' +
                             QStringLiteral("%1").arg(first + attempt, 6, 10, QLatin1Char('0')) +
                             QString::fromLatin1(kSuffix);
        return dir.filePath(name);
    };
    const QString written =
        WriteNewPrivateFile(group, TemporaryPrefix(fileName), contents, nameFor, false, &outcome.failure);
    if (written.isEmpty()) {
        return outcome;
    }
    const std::vector<Numbered> all = numberedBackups(dir, fileName);
    for (std::size_t i = kKept; i < all.size(); ++i) {
        QFile::remove(dir.filePath(all[i].name));
    }
    outcome.ok = true;
    outcome.path = written;
    return outcome;
}

QStringList BackupStore::backupsOf(const QString& savePath) const {
    QStringList result;
    const QDir group(groupFolder(savePath));
    const QString fileName = backupName(savePath);
    for (const Numbered& backup : numberedBackups(group, fileName)) {
        result.append(group.filePath(backup.name));
    }
    // The former layout: "<file name>.<timestamp>.bak" in the folder itself, which sorts by time.
    const QDir root(m_folder);
    QStringList legacy = root.entryList(QDir::Files, QDir::Name | QDir::Reversed);
    const QString suffix = QString::fromLatin1(kSuffix);
    for (const QString& name : legacy) {
        const QStringView rest = QStringView(name).sliced(std::min(name.size(), fileName.size() + 1));
        if (name.startsWith(fileName + u'.') && rest.size() == kLegacyStampLength + suffix.size() &&
            rest.endsWith(suffix) && rest.front().isDigit()) {
            result.append(root.filePath(name));
        }
    }
    return result;
}

}  // namespace korven
