#include "platform/Backups.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

using namespace korven;
using namespace Qt::StringLiterals;

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

#ifndef Q_OS_WIN
mode_t permissions(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}
#endif

QStringList contentsOfAll(const QStringList& paths) {
    QStringList result;
    for (const QString& path : paths) {
        result.append(QString::fromLatin1(contentsOf(path)));
    }
    return result;
}

}  // namespace

class TestBackups : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder(const QString& name) const { return m_dir->filePath(name); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void keepsTheBytesAndTheOrigin() {
        const BackupStore store(folder(u"backups"_s));
        const QString save = folder(u"game/SaveFile1.SAVE"_s);
        const BackupStore::Outcome outcome = store.backUp(save, QByteArray("KVSAVE\0\1", 8));
        QVERIFY(outcome.ok());
        QVERIFY(!outcome->reused);
        QCOMPARE(QFileInfo(outcome->path).fileName(), u"SaveFile1.SAVE.000001.bak"_s);
        QCOMPARE(contentsOf(outcome->path), QByteArray("KVSAVE\0\1", 8));
        const QString group = QFileInfo(outcome->path).absolutePath();
        QVERIFY(QFileInfo(group).fileName().startsWith(u"SaveFile1.SAVE-"_s));
        // Written for a player to read: the system's separators and line end.
#ifdef Q_OS_WIN
        QCOMPARE(contentsOf(group + u"/origin.txt"_s), QString(save).replace(u'/', u'\\').toUtf8() + "\r\n");
#else
        QCOMPARE(contentsOf(group + u"/origin.txt"_s), save.toUtf8() + '\n');
#endif
        // Nothing else: no temporary file is left in the group.
        QCOMPARE(QDir(group).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"origin.txt"_s, u"SaveFile1.SAVE.000001.bak"_s}));
    }

    // Two game folders both have a SaveFile1.SAVE: saving one many times keeps the other's.
    void folderIsPartOfTheIdentity() {
        const BackupStore store(folder(u"backups"_s));
        const QString first = folder(u"install1/SaveFile1.SAVE"_s);
        const QString second = folder(u"install2/SaveFile1.SAVE"_s);
        QVERIFY(store.backUp(second, "second folder").ok());
        for (int i = 0; i < 25; ++i) {
            QVERIFY(store.backUp(first, QByteArray::number(i)).ok());
        }
        const QStringList kept = store.backupsOf(first);
        QCOMPARE(kept.size(), BackupStore::kKept);
        QCOMPARE(contentsOf(kept.first()), QByteArray("24"));
        QCOMPARE(contentsOf(kept.last()), QByteArray("5"));
        QCOMPARE(contentsOfAll(store.backupsOf(second)), QStringList{u"second folder"_s});
        QVERIFY(store.groupFolder(first) != store.groupFolder(second));
        // The same file named another way is the same group.
        QCOMPARE(store.groupFolder(folder(u"install1/../install1/SaveFile1.SAVE"_s)),
                 store.groupFolder(first));
    }

    // The order is the sequence in the name, never the clock: a backup numbered far ahead
    // (as after the clock went back in the former layout) stays older than the next one.
    void newestIsTheNextNumber() {
        const BackupStore store(folder(u"backups"_s));
        const QString save = folder(u"SaveFile1.SAVE"_s);
        QVERIFY(store.backUp(save, "first").ok());
        const QString group = store.groupFolder(save);
        writeFile(group + u"/SaveFile1.SAVE.000900.bak"_s, "far ahead");
        const BackupStore::Outcome next = store.backUp(save, "next");
        QCOMPARE(QFileInfo(next->path).fileName(), u"SaveFile1.SAVE.000901.bak"_s);
        QCOMPARE(contentsOfAll(store.backupsOf(save)), (QStringList{u"next"_s, u"far ahead"_s, u"first"_s}));
    }

    // Names of any other shape are not ours: they neither set the next number nor push out the
    // three real backups, and they stay where they are.
    void strayNamesNeitherNumberNorEvict_data() {
        QTest::addColumn<QString>("stray");
        QTest::newRow("largest 64-bit number") << u"SaveFile1.SAVE.9223372036854775807.bak"_s;
        QTest::newRow("seven digits") << u"SaveFile1.SAVE.1000000.bak"_s;
        QTest::newRow("fewer digits") << u"SaveFile1.SAVE.99.bak"_s;
        QTest::newRow("sign") << u"SaveFile1.SAVE.+99999.bak"_s;
        QTest::newRow("negative") << u"SaveFile1.SAVE.-00001.bak"_s;
        QTest::newRow("full-width digits") << u"SaveFile1.SAVE.９９９９９９.bak"_s;
    }
    void strayNamesNeitherNumberNorEvict() {
        QFETCH(QString, stray);
        const BackupStore store(folder(u"backups"_s));
        const QString save = folder(u"SaveFile1.SAVE"_s);
        for (const char* contents : {"one", "two", "three"}) {
            QVERIFY(store.backUp(save, contents).ok());
        }
        const QString group = store.groupFolder(save);
        // 25 of the same shape, as many as pruned every real backup before.
        for (int i = 0; i < 25; ++i) {
            writeFile(group + u'/' + (i == 0 ? stray : stray.chopped(4) + QString::number(i) + u".bak"_s),
                      "stray");
        }
        const BackupStore::Outcome next = store.backUp(save, "four");
        QCOMPARE(QFileInfo(next->path).fileName(), u"SaveFile1.SAVE.000004.bak"_s);
        QCOMPARE(contentsOfAll(store.backupsOf(save)),
                 (QStringList{u"four"_s, u"three"_s, u"two"_s, u"one"_s}));
        QVERIFY(QFile::exists(group + u'/' + stray));
    }

    // The last number of the width taken (here by a copied-in file): the backups are numbered
    // from 1 again in their order instead of wrapping or growing a digit.
    void lastNumberTakenRenumbersInOrder() {
        const BackupStore store(folder(u"backups"_s));
        const QString save = folder(u"SaveFile1.SAVE"_s);
        QVERIFY(store.backUp(save, "first").ok());
        const QString group = store.groupFolder(save);
        writeFile(group + u"/SaveFile1.SAVE.999999.bak"_s, "last");
        const BackupStore::Outcome next = store.backUp(save, "next");
        QCOMPARE(QFileInfo(next->path).fileName(), u"SaveFile1.SAVE.000003.bak"_s);
        QCOMPARE(contentsOfAll(store.backupsOf(save)), (QStringList{u"next"_s, u"last"_s, u"first"_s}));
        QCOMPARE(QDir(group).entryList({u"*.bak"_s}),
                 (QStringList{u"SaveFile1.SAVE.000001.bak"_s, u"SaveFile1.SAVE.000002.bak"_s,
                              u"SaveFile1.SAVE.000003.bak"_s}));
    }

#ifndef Q_OS_WIN  // links there need rights a test does not have
    // One file, one group, whichever name it is saved under: a symbolic link to it, a hard link
    // (another name in another folder), a path through a linked folder.
    void everyNameOfOneFileSharesItsBackups() {
        QVERIFY(QDir().mkpath(folder(u"game"_s)));
        QVERIFY(QDir().mkpath(folder(u"other"_s)));
        const QString save = folder(u"game/SaveFile1.SAVE"_s);
        writeFile(save, "save");
        QVERIFY(QFile::link(save, folder(u"other/link.SAVE"_s)));
        QVERIFY(QFile::link(folder(u"game"_s), folder(u"linked-folder"_s)));
        QCOMPARE(::link(QFile::encodeName(save).constData(),
                        QFile::encodeName(folder(u"other/hard.SAVE"_s)).constData()),
                 0);

        const BackupStore store(folder(u"backups"_s));
        QVERIFY(store.backUp(save, "by its name").ok());
        QVERIFY(store.backUp(folder(u"other/hard.SAVE"_s), "by the hard link").ok());
        QVERIFY(store.backUp(folder(u"other/link.SAVE"_s), "by the symbolic link").ok());
        QVERIFY(store.backUp(folder(u"linked-folder/SaveFile1.SAVE"_s), "through the folder link").ok());
        const QStringList expected{u"through the folder link"_s, u"by the symbolic link"_s,
                                   u"by the hard link"_s, u"by its name"_s};
        for (const QString& name : {u"game/SaveFile1.SAVE"_s, u"other/hard.SAVE"_s, u"other/link.SAVE"_s}) {
            QCOMPARE(contentsOfAll(store.backupsOf(folder(name))), expected);
        }
        QCOMPARE(QDir(folder(u"backups"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    }
#endif

    // A copied or moved game folder: its save's backups are offered, with where they came from,
    // and never mixed into the save's own.
    void sameNameElsewhereIsOfferedApart() {
        const BackupStore store(folder(u"backups"_s));
        const QString moved = folder(u"old-game/SaveFile1.SAVE"_s);
        const QString save = folder(u"new-game/SaveFile1.SAVE"_s);
        QVERIFY(store.backUp(moved, "from the old folder").ok());
        QVERIFY(store.backUp(folder(u"old-game/SaveFile2.SAVE"_s), "another save").ok());
        QVERIFY(store.backupsOf(save).isEmpty());
        const std::vector<BackupStore::Elsewhere> others = store.backupsElsewhere(save);
        QCOMPARE(others.size(), std::size_t(1));
        QCOMPARE(contentsOf(others[0].path), QByteArray("from the old folder"));
        QCOMPARE(others[0].origin, moved);
        QVERIFY(store.backupsElsewhere(moved).empty());
    }

    // Failed saves back up the same bytes again and again; that must not push out older ones.
    void sameBytesAsTheNewestAreNotCopiedAgain() {
        const BackupStore store(folder(u"backups"_s));
        const QString save = folder(u"SaveFile1.SAVE"_s);
        QVERIFY(store.backUp(save, "original").ok());
        const BackupStore::Outcome first = store.backUp(save, "edited");
        for (int i = 0; i < 30; ++i) {
            const BackupStore::Outcome again = store.backUp(save, "edited");
            QVERIFY(again.ok());
            QVERIFY(again->reused);
            QCOMPARE(again->path, first->path);
        }
        QCOMPARE(contentsOfAll(store.backupsOf(save)), (QStringList{u"edited"_s, u"original"_s}));
        // Equal to an older backup but not the newest: kept again, as the newest state.
        QVERIFY(!store.backUp(save, "original")->reused);
    }

#ifndef Q_OS_WIN  // Windows has no modes: the folders inherit the user's own data folder's access list
    void readableByTheOwnerOnly() {
        const QString root = folder(u"backups"_s);
        // A folder the former version made under the umask.
        QVERIFY(QDir().mkpath(root));
        QVERIFY(QFile::setPermissions(root, QFileDevice::Permissions(0x7755)));
        const mode_t previous = ::umask(022);
        const BackupStore::Outcome outcome = BackupStore(root).backUp(folder(u"SaveFile1.SAVE"_s), "x");
        ::umask(previous);
        QVERIFY(outcome.ok());
        QCOMPARE(permissions(outcome->path), mode_t(0600));
        QCOMPARE(permissions(QFileInfo(outcome->path).absolutePath()), mode_t(0700));
        QCOMPARE(permissions(QFileInfo(outcome->path).absolutePath() + u"/origin.txt"_s), mode_t(0600));
        QCOMPARE(permissions(root), mode_t(0700));
    }
#endif

    // Backups of the former layout sit directly in the folder, named by time; they are listed
    // after the new ones, newest first, and never pruned by new backups.
    void formerLayoutStillListed() {
        const QString root = folder(u"backups"_s);
        QVERIFY(QDir().mkpath(root));
        writeFile(root + u"/SaveFile1.SAVE.20261208-024512-005.bak"_s, "old 2");
        writeFile(root + u"/SaveFile1.SAVE.20261201-101010-000.bak"_s, "old 1");
        writeFile(root + u"/SaveFile1.SAVE.old.20261201-101010-000.bak"_s, "another file");
        writeFile(root + u"/SaveFile2.SAVE.20261208-024512-005.bak"_s, "another name");
        const BackupStore store(root);
        const QString save = folder(u"SaveFile1.SAVE"_s);
        for (int i = 0; i < BackupStore::kKept + 2; ++i) {
            QVERIFY(store.backUp(save, QByteArray::number(i)).ok());
        }
        const QStringList listed = store.backupsOf(save);
        QCOMPARE(listed.size(), BackupStore::kKept + 2);
        QCOMPARE(contentsOfAll(listed.mid(BackupStore::kKept)), (QStringList{u"old 2"_s, u"old 1"_s}));
    }

    void unwritableFolderFails() {
        writeFile(folder(u"file"_s), "x");
        // A folder below a plain file can never be created, even by root.
        const BackupStore store(folder(u"file/backups"_s));
        const BackupStore::Outcome outcome = store.backUp(folder(u"a.SAVE"_s), "x");
        QVERIFY(!outcome.ok());
        QVERIFY(outcome.error().problem != FileProblem::None);
    }

    // Saves of one file that back up at the same moment never write the same name: each pair
    // of concurrent backups ends as two backups holding both contents.
    void concurrentBackupsNeverShareAName() {
        constexpr int kPairs = 300;
        const BackupStore store(folder(u"backups"_s));
        int shared = 0;
        for (int pair = 0; pair < kPairs; ++pair) {
            const QString save = folder(u"game%1/SaveFile1.SAVE"_s.arg(pair));
            // A spinning start line rather than std::latch, whose wait the Windows runtime can
            // miss being woken from.
            std::atomic<int> arrived = 0;
            std::optional<BackupStore::Outcome> outcomes[2];
            auto backUp = [&](int side) {
                arrived.fetch_add(1);
                while (arrived.load() < 2) {
                    std::this_thread::yield();
                }
                outcomes[side].emplace(store.backUp(save, side == 0 ? "left" : "right"));
            };
            std::thread left(backUp, 0);
            std::thread right(backUp, 1);
            left.join();
            right.join();
            QVERIFY(outcomes[0]->ok() && outcomes[1]->ok());
            QStringList contents = contentsOfAll(store.backupsOf(save));
            contents.sort();
            if ((*outcomes[0])->path == (*outcomes[1])->path ||
                contents != QStringList{u"left"_s, u"right"_s}) {
                ++shared;
            }
        }
        qInfo("concurrent backup pairs: %d, pairs that shared a name: %d", kPairs, shared);
        QCOMPARE(shared, 0);
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
