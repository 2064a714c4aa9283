#include "platform/Backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    void keepsTheBytesUnderTheFileName() {
        QTemporaryDir dir;
        const BackupStore store(dir.filePath(QStringLiteral("backups")));
        const BackupStore::Outcome outcome =
            store.backUp(QStringLiteral("/games/save/SaveFile1.SAVE"), QByteArray("KVSAVE\0\1", 8),
                         QDateTime(QDate(2026, 12, 8), QTime(2, 45, 12, 5)));
        QVERIFY2(outcome.ok, qPrintable(outcome.reason));
        QVERIFY(outcome.path.endsWith(QStringLiteral("SaveFile1.SAVE.20261208-024512-005.bak")));
        QCOMPARE(contentsOf(outcome.path), QByteArray("KVSAVE\0\1", 8));
    }

    void keepsTheNewestTwentyPerName() {
        QTemporaryDir dir;
        const BackupStore store(dir.path());
        const QDateTime start(QDate(2026, 1, 1), QTime(0, 0));
        for (int i = 0; i < 25; ++i) {
            QVERIFY(
                store.backUp(QStringLiteral("SaveFile1.SAVE"), QByteArray::number(i), start.addSecs(i)).ok);
        }
        QVERIFY(store.backUp(QStringLiteral("SaveFile2.SAVE"), "other", start).ok);
        // A name that merely begins like ours belongs to another file.
        QVERIFY(store.backUp(QStringLiteral("SaveFile1.SAVE.old"), "x", start).ok);
        const QStringList kept = store.backupsOf(QStringLiteral("SaveFile1.SAVE"));
        QCOMPARE(kept.size(), BackupStore::kKept);
        QCOMPARE(contentsOf(kept.first()), QByteArray("24"));
        QCOMPARE(contentsOf(kept.last()), QByteArray("5"));
        QCOMPARE(store.backupsOf(QStringLiteral("SaveFile2.SAVE")).size(), 1);
    }

    void sameMillisecondKeepsOrder() {
        QTemporaryDir dir;
        const BackupStore store(dir.path());
        const QDateTime now(QDate(2026, 1, 1), QTime(0, 0));
        QVERIFY(store.backUp(QStringLiteral("a.SAVE"), "first", now).ok);
        QVERIFY(store.backUp(QStringLiteral("a.SAVE"), "second", now).ok);
        QCOMPARE(contentsOf(store.backupsOf(QStringLiteral("a.SAVE")).first()), QByteArray("second"));
    }

    void unwritableFolderFails() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        // A folder below a plain file can never be created, even by root.
        const BackupStore store(dir.filePath(QStringLiteral("file/backups")));
        const BackupStore::Outcome outcome = store.backUp(QStringLiteral("a.SAVE"), "x");
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.reason.isEmpty());
    }

    void defaultFolderIsTheUsersDataFolder() {
        QCoreApplication::setApplicationName(QStringLiteral("KorvenEdit"));
        const QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
        QCOMPARE(BackupStore::defaultFolder(), dir.path() + QStringLiteral("/KorvenEdit/backups"));
        qunsetenv("XDG_DATA_HOME");
#ifdef Q_OS_WIN
        QVERIFY2(BackupStore::defaultFolder().endsWith(QStringLiteral("/AppData/Roaming/KorvenEdit/backups"),
                                                       Qt::CaseInsensitive),
                 qPrintable(BackupStore::defaultFolder()));
#else
        QCOMPARE(BackupStore::defaultFolder(),
                 QDir::homePath() + QStringLiteral("/.local/share/KorvenEdit/backups"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "test_backups.moc"
