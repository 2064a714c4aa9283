#include "platform/Backups.h"

#include "platform/FileNames.h"
#include "platform/PathAttributes.h"
#include "platform/PrivateFiles.h"
#include "platform/StaleTemporaries.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace korven {
namespace {

constexpr char kSuffix[] = ".bak";
constexpr qsizetype kLegacyStampLength = 19;  // yyyyMMdd-HHmmss-zzz

// Backups are named after the save, in valid text even when the save's name is not.
QString backupName(const QString& savePath) {
    return PrintableFileName(QFileInfo(savePath).fileName());
}

constexpr qint64 kLastSequence = 999999;  // the largest number of kSequenceWidth digits
constexpr qsizetype kHashLength = 16;
constexpr qint64 kSmallFileLimit = 64 * 1024;  // origin and identity files are one line

struct Numbered {
    qint64 sequence = 0;
    QString name;
};

// Exactly the width the program writes, digits only: anything else (a stray
// "SaveFile1.SAVE.9223372036854775807.bak") is not a number of ours, so it can neither set the next number
// nor be pruned.
std::optional<qint64> sequenceOf(QStringView digits) {
    if (digits.size() != BackupStore::kSequenceWidth) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QString sequenceName(const QString& fileName, qint64 sequence) {
    return fileName + u'.' +
           QStringLiteral("%1").arg(sequence, BackupStore::kSequenceWidth, 10, QLatin1Char('0')) +
           QString::fromLatin1(kSuffix);
}

// The group's backups, newest (highest sequence) first. Links are not backups of ours.
std::vector<Numbered> numberedBackups(const QDir& group, const QString& fileName) {
    std::vector<Numbered> result;
    const QString prefix = fileName + u'.';
    const QString suffix = QString::fromLatin1(kSuffix);
    for (const QString& name : group.entryList(QDir::Files | QDir::NoSymLinks)) {
        if (!name.startsWith(prefix) || !name.endsWith(suffix)) {
            continue;
        }
        const QStringView digits =
            QStringView(name).sliced(prefix.size(), name.size() - prefix.size() - suffix.size());
        if (const std::optional<qint64> sequence = sequenceOf(digits)) {
            result.push_back({*sequence, name});
        }
    }
    std::sort(result.begin(), result.end(),
              [](const Numbered& a, const Numbered& b) { return a.sequence > b.sequence; });
    return result;
}

// The numbers ran out: the backups are numbered again from 1 in the same order, oldest first.
// The k-th oldest has a number of at least k, so no name is taken before it is free again.
std::vector<Numbered> renumber(const QDir& group, const QString& fileName, std::vector<Numbered> backups) {
    qint64 next = 1;
    for (auto it = backups.rbegin(); it != backups.rend(); ++it, ++next) {
        if (it->sequence != next) {
            QFile::rename(group.filePath(it->name), group.filePath(sequenceName(fileName, next)));
        }
    }
    return numberedBackups(group, fileName);
}

// A one-line file of the group; empty when missing or not one line's size.
QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kSmallFileLimit) {
        return {};
    }
    return file.read(kSmallFileLimit).trimmed();
}

QByteArray identityKey(const FileIdentity& identity) {
    return QByteArray::number(identity.device) + ':' + QByteArray::number(identity.file);
}

// The save's name as its group is named: "<file name>-<hash>".
QString groupFileName(const QString& group) {
    return QFileInfo(group).fileName().chopped(kHashLength + 1);
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
// Players open it in a text editor to put a backup back by hand, so it is written as the
// system writes paths and lines.
void recordOrigin(const QString& group, const QString& savePath) {
    const QString origin = QDir(group).filePath(QString::fromLatin1(BackupStore::kOriginFile));
    if (QFileInfo::exists(origin)) {
        return;
    }
#ifdef Q_OS_WIN
    constexpr char kLineEnd[] = "\r\n";
#else
    constexpr char kLineEnd[] = "\n";
#endif
    (void)WriteNewPrivateFile(
        group, TemporaryPrefix(QString::fromLatin1(BackupStore::kOriginFile)),
        EncodeFileName(QDir::toNativeSeparators(QFileInfo(savePath).absoluteFilePath())) + kLineEnd,
        [&](qint64) { return origin; }, true);
}

// A file with other names records who it is, so that a save through any of them finds this
// group; a file with one name drops the record, whose number the system may give another file.
void recordIdentity(const QString& group, const QString& savePath) {
    const QString path = QDir(group).filePath(QString::fromLatin1(BackupStore::kIdentityFile));
    const std::optional<FileIdentity> identity = IdentityOf(savePath);
    if (!identity || identity->links < 2) {
        QFile::remove(path);
        return;
    }
    const QByteArray key = identityKey(*identity);
    if (readSmallFile(path) == key) {
        return;
    }
    QFile::remove(path);
    (void)WriteNewPrivateFile(
        group, TemporaryPrefix(QString::fromLatin1(BackupStore::kIdentityFile)), key + '\n',
        [&](qint64) { return path; }, true);
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
    const std::optional<FileIdentity> identity = IdentityOf(savePath);
    if (identity && identity->links > 1) {
        const QByteArray key = identityKey(*identity);
        const QDir root(m_folder);
        for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
            if (readSmallFile(root.filePath(name + u'/' + QString::fromLatin1(kIdentityFile))) == key) {
                return root.filePath(name);
            }
        }
    }
    // The real file: links among the folders and a link to the file itself lead to one group.
    const QFileInfo info(savePath);
    QString identityPath = CanonicalPath(savePath);
    if (identityPath.isEmpty()) {
        const QString folder = CanonicalPath(info.absolutePath());
        identityPath = (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
    }
    const QByteArray hash = QCryptographicHash::hash(EncodeFileName(identityPath), QCryptographicHash::Sha256)
                                .toHex()
                                .left(kHashLength);
    return QDir(m_folder).filePath(backupName(identityPath) + u'-' + QString::fromLatin1(hash));
}

BackupStore::Outcome BackupStore::backUp(const QString& savePath, const QByteArray& contents) const {
    const QString group = groupFolder(savePath);
    const QString fileName = groupFileName(group);
    QFileInfo base(m_folder);
    if (!QDir().mkpath(base.absolutePath())) {
        return Failed(FileFailure{FileProblem::ReadOnlyFolder, {}});
    }
    for (const QString& folder : {m_folder, group}) {
        if (const Result<void> made = MakePrivateFolder(folder); !made) {
            return Failed(made.error());
        }
    }
    recordOrigin(group, savePath);
    recordIdentity(group, savePath);
    const QDir dir(group);
    RemoveStaleTemporaries(dir.filePath(fileName));

    std::vector<Numbered> existing = numberedBackups(dir, fileName);
    if (!existing.empty() && sameContents(dir.filePath(existing.front().name), contents)) {
        return Backup{dir.filePath(existing.front().name), true};
    }
    // Room is left for saves that back up at the same moment and take the next numbers.
    if (!existing.empty() && existing.front().sequence >= kLastSequence - kKept) {
        existing = renumber(dir, fileName, std::move(existing));
    }
    const qint64 first = existing.empty() ? 1 : existing.front().sequence + 1;
    auto nameFor = [&](qint64 attempt) { return dir.filePath(sequenceName(fileName, first + attempt)); };
    Result<QString> written = WriteNewPrivateFile(group, TemporaryPrefix(fileName), contents, nameFor, false);
    if (!written) {
        return Failed(written.error());
    }
    const std::vector<Numbered> all = numberedBackups(dir, fileName);
    for (std::size_t i = kKept; i < all.size(); ++i) {
        QFile::remove(dir.filePath(all[i].name));
    }
    return Backup{std::move(written).value(), false};
}

QStringList BackupStore::backupsOf(const QString& savePath) const {
    QStringList result;
    const QDir group(groupFolder(savePath));
    for (const Numbered& backup : numberedBackups(group, groupFileName(group.path()))) {
        result.append(group.filePath(backup.name));
    }
    const QString fileName = backupName(savePath);
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

std::vector<BackupStore::Elsewhere> BackupStore::backupsElsewhere(const QString& savePath) const {
    std::vector<Elsewhere> result;
    const QString own = QFileInfo(groupFolder(savePath)).fileName();
    const QString fileName = backupName(savePath);
    const QDir root(m_folder);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        if (name == own || name.size() != fileName.size() + 1 + kHashLength ||
            !name.startsWith(fileName + u'-')) {
            continue;
        }
        const QDir group(root.filePath(name));
        const QString origin = QDir::fromNativeSeparators(
            DecodeFileName(readSmallFile(group.filePath(QString::fromLatin1(kOriginFile)))));
        for (const Numbered& backup : numberedBackups(group, fileName)) {
            result.push_back({group.filePath(backup.name), origin});
        }
    }
    return result;
}

}  // namespace korven
