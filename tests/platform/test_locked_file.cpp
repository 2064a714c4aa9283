#include "platform/LockedFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#endif

using namespace Qt::StringLiterals;
using korven::LockedFile;
using korven::LockMode;

Q_DECLARE_METATYPE(korven::LockMode)

class TestLockedFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void twoHandles_data();
    void twoHandles();
    void otherProcess_data();
    void otherProcess();
    void refusedFiles_data();
    void refusedFiles();
    void readOnlyOnDisk();

    void replaceKeepsLockAndMode();
    void replaceOnReadOnlyHandleIsRefused();
#ifdef Q_OS_WIN
    void heldWithoutSharing();
#else
    void failedWriteLeavesOldFile();
#endif
#ifndef Q_OS_WIN  // Windows keeps a deleted file's name, and so its folder, until it is closed
    void removedFolderFailsCleanly();
#endif
    void fileChangedWhileOpen_data();
    void fileChangedWhileOpen();
    void createWritesLockedFile();
    void createRefusesFileInUse_data();
    void createRefusesFileInUse();
#ifndef Q_OS_WIN
    void replaceThroughSymlinkKeepsLink();  // links on Windows are shortcut files
#endif
    void replaceAfterChangeOfFolder();
    void japaneseNames();

    void reopenForWriting();
    void reopenRefusedWhileOthersRead();
    void reopenRefusedForReadOnlyOnDisk();

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QByteArray kOld = QByteArray("KVSAVE old contents ") + QByteArray(5000, 'o');

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(data), data.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<cannot read>";
    }
    return file.readAll();
}

QString modeName(LockMode mode) {
    return mode == LockMode::Normal ? u"normal"_s : u"readonly"_s;
}

// Whether another process can open the file in that mode.
bool otherProcessCanOpen(const QString& path, LockMode mode) {
    const int rc = QProcess::execute(QStringLiteral(KORVEN_LOCK_PROBE), {u"try"_s, modeName(mode), path});
    if (rc != 0 && rc != 3) {
        qFatal("lock_probe failed to run: %d", rc);
    }
    return rc == 0;
}

// Another process that keeps the file open until this object goes away.
class OtherProcessHolding {
public:
    OtherProcessHolding(const QString& path, LockMode mode) {
        m_process.start(QStringLiteral(KORVEN_LOCK_PROBE), {u"hold"_s, modeName(mode), path});
        m_process.waitForStarted();
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        m_held = m_process.readLine().trimmed() == "held";
    }
    ~OtherProcessHolding() {
        m_process.closeWriteChannel();
        m_process.waitForFinished();
    }
    bool held() const { return m_held; }

private:
    QProcess m_process;
    bool m_held = false;
};

QStringList folderEntries(const QString& path) {
    return QDir(QFileInfo(path).absolutePath())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

#ifdef Q_OS_WIN
bool isReadOnlyOnDisk(const QString& path) {
    return (GetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str()) &
            FILE_ATTRIBUTE_READONLY) != 0;
}

bool renameOver(const QString& from, const QString& to) {
    return MoveFileExW(QDir::toNativeSeparators(from).toStdWString().c_str(),
                       QDir::toNativeSeparators(to).toStdWString().c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}
#else
mode_t permissions(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

bool isReadOnlyOnDisk(const QString& path) {
    return permissions(path) == 0444;
}

bool renameOver(const QString& from, const QString& to) {
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}
#endif

}  // namespace

void TestLockedFile::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(u"SaveFile1.SAVE"_s);
    writeFile(m_path, kOld);
}

void TestLockedFile::twoHandles_data() {
    QTest::addColumn<LockMode>("first");
    QTest::addColumn<LockMode>("second");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("normal blocks normal") << LockMode::Normal << LockMode::Normal << false;
    QTest::newRow("normal blocks read-only") << LockMode::Normal << LockMode::ReadOnly << false;
    QTest::newRow("read-only blocks normal") << LockMode::ReadOnly << LockMode::Normal << false;
    QTest::newRow("read-only allows read-only") << LockMode::ReadOnly << LockMode::ReadOnly << true;
}

void TestLockedFile::twoHandles() {
    QFETCH(LockMode, first);
    QFETCH(LockMode, second);
    QFETCH(bool, allowed);

    auto a = LockedFile::open(m_path, first);
    QVERIFY(a);
    QCOMPARE(a->mode(), first);
    QString reason;
    auto b = LockedFile::open(m_path, second, &reason);
    QCOMPARE(b != nullptr, allowed);
    if (!allowed) {
        QVERIFY(!reason.isEmpty());
    }
    b.reset();
    a.reset();
    QVERIFY(LockedFile::open(m_path, second));
}

void TestLockedFile::otherProcess_data() {
    twoHandles_data();
}

void TestLockedFile::otherProcess() {
    QFETCH(LockMode, first);
    QFETCH(LockMode, second);
    QFETCH(bool, allowed);

    {
        auto mine = LockedFile::open(m_path, first);
        QVERIFY(mine);
        QCOMPARE(otherProcessCanOpen(m_path, second), allowed);
    }
    QVERIFY(otherProcessCanOpen(m_path, second));

    {
        const OtherProcessHolding other(m_path, first);
        QVERIFY(other.held());
        QCOMPARE(LockedFile::open(m_path, second) != nullptr, allowed);
    }
    QVERIFY(LockedFile::open(m_path, second));
}

void TestLockedFile::refusedFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<LockMode>("mode");
    QTest::newRow("missing, normal") << u"missing.SAVE"_s << LockMode::Normal;
    QTest::newRow("missing, read-only") << u"missing.SAVE"_s << LockMode::ReadOnly;
    QTest::newRow("folder, normal") << u"folder"_s << LockMode::Normal;
    QTest::newRow("folder, read-only") << u"folder"_s << LockMode::ReadOnly;
    QTest::newRow("empty path") << QString() << LockMode::ReadOnly;
}

void TestLockedFile::refusedFiles() {
    QFETCH(QString, name);
    QFETCH(LockMode, mode);
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder"_s));
    QString reason;
    QVERIFY(!LockedFile::open(name.isEmpty() ? QString() : m_dir->filePath(name), mode, &reason));
    QVERIFY(!reason.isEmpty());
}

void TestLockedFile::readOnlyOnDisk() {
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(isReadOnlyOnDisk(m_path));
    QString reason;
    QVERIFY(!LockedFile::open(m_path, LockMode::Normal, &reason));
    QVERIFY(!reason.isEmpty());
    auto readOnly = LockedFile::open(m_path, LockMode::ReadOnly);
    QVERIFY(readOnly);
    QByteArray contents;
    QVERIFY(readOnly->readAll(&contents));
    QCOMPARE(contents, kOld);
}

void TestLockedFile::replaceKeepsLockAndMode() {
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    auto file = LockedFile::open(m_path, LockMode::Normal);
    QVERIFY(file);
    const QByteArray next = QByteArray("KVSAVE new contents ") + QByteArray(70000, 'n');

    QString reason;
    QVERIFY2(file->replaceContents(next, &reason), qPrintable(reason));
    QCOMPARE(readFile(m_path), next);
    QByteArray viaHandle;
    QVERIFY(file->readAll(&viaHandle));
    QCOMPARE(viaHandle, next);
#ifndef Q_OS_WIN
    QCOMPARE(permissions(m_path), mode_t(0640));
#endif
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});

    // The lock now sits on the new file, for this process and for others.
    QVERIFY(!LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::Normal));
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));

    // A second replace through the same handle works too.
    QVERIFY2(file->replaceContents(kOld, &reason), qPrintable(reason));
    QCOMPARE(readFile(m_path), kOld);
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));

    file.reset();
    QVERIFY(otherProcessCanOpen(m_path, LockMode::Normal));
}

void TestLockedFile::replaceOnReadOnlyHandleIsRefused() {
    auto file = LockedFile::open(m_path, LockMode::ReadOnly);
    QVERIFY(file);
    QString reason;
    QVERIFY(!file->replaceContents("KVSAVE other", &reason));
    QVERIFY(!reason.isEmpty());
    QCOMPARE(readFile(m_path), kOld);
}

#ifdef Q_OS_WIN
void TestLockedFile::heldWithoutSharing() {
    // Another program that opens the file without sharing it (as most Windows programs do)
    // keeps it from us: it can be neither opened nor replaced, and stays as it was.
    const HANDLE other = CreateFileW(QDir::toNativeSeparators(m_path).toStdWString().c_str(), GENERIC_READ, 0,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(other != INVALID_HANDLE_VALUE);
    QString reason;
    QVERIFY(!LockedFile::open(m_path, LockMode::Normal, &reason));
    QCOMPARE(reason, u"the file is in use by another program"_s);
    QVERIFY(!LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(!LockedFile::create(m_path, "KVSAVE copy", &reason));
    QCOMPARE(reason, u"the file is in use by another program"_s);
    CloseHandle(other);
    QCOMPARE(readFile(m_path), kOld);
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});
}
#else
void TestLockedFile::failedWriteLeavesOldFile() {
    // A file-size limit makes writing the temporary file fail part way, as a full disk would;
    // it binds root as well.
    auto file = LockedFile::open(m_path, LockMode::Normal);
    QVERIFY(file);
    const QByteArray next(200000, 'n');

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString reason;
    const bool replaced = file->replaceContents(next, &reason);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!replaced);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(readFile(m_path), kOld);
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});
    QByteArray viaHandle;
    QVERIFY(file->readAll(&viaHandle));
    QCOMPARE(viaHandle, kOld);
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));

    QVERIFY(file->replaceContents(next));
    QCOMPARE(readFile(m_path), next);
}
#endif

#ifndef Q_OS_WIN
void TestLockedFile::removedFolderFailsCleanly() {
    const QString folder = m_dir->filePath(u"sub"_s);
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + u"/SaveFile2.SAVE"_s;
    writeFile(path, kOld);
    auto file = LockedFile::open(path, LockMode::Normal);
    QVERIFY(file);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().rmdir(folder));

    QString reason;
    QVERIFY(!file->replaceContents("KVSAVE new", &reason));
    QVERIFY(!reason.isEmpty());
    QByteArray viaHandle;
    QVERIFY(file->readAll(&viaHandle));
    QCOMPARE(viaHandle, kOld);
    QVERIFY(!QFileInfo::exists(folder));
}
#endif

void TestLockedFile::fileChangedWhileOpen_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("made read-only") << u"read-only"_s;
    QTest::newRow("removed") << u"removed"_s;
    QTest::newRow("replaced by another file") << u"replaced"_s;
}

void TestLockedFile::fileChangedWhileOpen() {
    QFETCH(QString, change);
    auto file = LockedFile::open(m_path, LockMode::Normal);
    QVERIFY(file);
    const QByteArray other("KVSAVE somebody else's file");
    if (change == u"read-only") {
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (change == u"removed") {
        QVERIFY(QFile::remove(m_path));
#ifdef Q_OS_WIN
        if (QFileInfo::exists(m_path)) {
            QSKIP(
                "this system keeps a deleted file that is held open under its name and does not "
                "report it as deleted");
        }
#endif
    } else {
        const QString elsewhere = m_dir->filePath(u"other.SAVE"_s);
        writeFile(elsewhere, other);
        if (!renameOver(elsewhere, m_path)) {
            QSKIP("this system does not let another program replace a file that is held open");
        }
    }

    QString reason;
    QVERIFY(!file->replaceContents("KVSAVE new", &reason));
    QVERIFY(!reason.isEmpty());
    if (change == u"read-only") {
        QCOMPARE(readFile(m_path), kOld);
    } else if (change == u"removed") {
        QVERIFY(!QFileInfo::exists(m_path));
    } else {
        QCOMPARE(readFile(m_path), other);
    }
    QCOMPARE(folderEntries(m_path).filter(u".SaveFile1"_s), QStringList());
}

void TestLockedFile::createWritesLockedFile() {
    const QString path = m_dir->filePath(u"SaveFile9.SAVE"_s);
    auto created = LockedFile::create(path, "KVSAVE created");
    QVERIFY(created);
    QCOMPARE(created->mode(), LockMode::Normal);
    QCOMPARE(readFile(path), QByteArray("KVSAVE created"));
    QVERIFY(!otherProcessCanOpen(path, LockMode::ReadOnly));
    created.reset();

    // Over an existing file: replaced whole.
    auto replaced = LockedFile::create(m_path, "KVSAVE x");
    QVERIFY(replaced);
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE x"));
    QCOMPARE(folderEntries(m_path), (QStringList{u"SaveFile1.SAVE"_s, u"SaveFile9.SAVE"_s}));
}

void TestLockedFile::createRefusesFileInUse_data() {
    QTest::addColumn<LockMode>("otherMode");
    QTest::newRow("another editor writes it") << LockMode::Normal;
    QTest::newRow("another editor reads it") << LockMode::ReadOnly;
}

void TestLockedFile::createRefusesFileInUse() {
    // Replacing a file that another program holds open would take it from under its lock;
    // that program's next save would then silently wipe ours.
    QFETCH(LockMode, otherMode);
    const OtherProcessHolding other(m_path, otherMode);
    QVERIFY(other.held());
    QString reason;
    QVERIFY(!LockedFile::create(m_path, "KVSAVE copy", &reason));
    QVERIFY(!reason.isEmpty());
    QCOMPARE(readFile(m_path), kOld);
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});
}

#ifndef Q_OS_WIN
void TestLockedFile::replaceThroughSymlinkKeepsLink() {
    const QString link = m_dir->filePath(u"link.SAVE"_s);
    QVERIFY(QFile::link(m_path, link));
    auto file = LockedFile::open(link, LockMode::Normal);
    QVERIFY(file);
    QCOMPARE(file->path(), link);
    QVERIFY(file->replaceContents("KVSAVE through the link"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE through the link"));
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));
    file.reset();

    // A linked folder is followed: the file inside the real folder is replaced.
    const QString linkedFolder = m_dir->filePath(u"linked"_s);
    QVERIFY(QFile::link(m_dir->path(), linkedFolder));
    auto inLinkedFolder = LockedFile::open(linkedFolder + u"/SaveFile1.SAVE"_s, LockMode::Normal);
    QVERIFY(inLinkedFolder);
    QVERIFY(inLinkedFolder->replaceContents("KVSAVE through the folder link"));
    QVERIFY(QFileInfo(linkedFolder).isSymLink());
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE through the folder link"));
}
#endif

void TestLockedFile::replaceAfterChangeOfFolder() {
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    auto file = LockedFile::open(u"SaveFile1.SAVE"_s, LockMode::Normal);
    QVERIFY(QDir::setCurrent(QDir::tempPath()));
    const bool replaced = file && file->replaceContents("KVSAVE relative");
    QVERIFY(QDir::setCurrent(before));
    QVERIFY(replaced);
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE relative"));
    QVERIFY(!QFileInfo::exists(QDir::temp().filePath(u"SaveFile1.SAVE"_s)));
}

void TestLockedFile::japaneseNames() {
    const QString folder = m_dir->filePath(u"ヴァルゾン セーブ"_s);
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + u"/太平洋.SAVE"_s;
    writeFile(path, kOld);
    auto file = LockedFile::open(path, LockMode::Normal);
    QVERIFY(file);
    QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
    QString reason;
    QVERIFY2(file->replaceContents("KVSAVE 日本語", &reason), qPrintable(reason));
    QCOMPARE(readFile(path), QByteArray("KVSAVE 日本語"));
    QCOMPARE(folderEntries(path), QStringList{u"太平洋.SAVE"_s});
    file.reset();
    auto created = LockedFile::create(folder + u"/複製.SAVE"_s, "KVSAVE copy");
    QVERIFY(created);
    QCOMPARE(readFile(folder + u"/複製.SAVE"_s), QByteArray("KVSAVE copy"));
}

void TestLockedFile::reopenForWriting() {
    auto file = LockedFile::open(m_path, LockMode::ReadOnly);
    QVERIFY(file);
    QVERIFY(otherProcessCanOpen(m_path, LockMode::ReadOnly));
    QString reason;
    QVERIFY2(file->reopenForWriting(&reason), qPrintable(reason));
    QCOMPARE(file->mode(), LockMode::Normal);
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));
    QVERIFY(file->replaceContents("KVSAVE written"));
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE written"));
    QVERIFY(file->reopenForWriting());  // already writable
}

void TestLockedFile::reopenRefusedWhileOthersRead() {
    auto file = LockedFile::open(m_path, LockMode::ReadOnly);
    QVERIFY(file);
    {
        const OtherProcessHolding reader(m_path, LockMode::ReadOnly);
        QVERIFY(reader.held());
        QString reason;
        QVERIFY(!file->reopenForWriting(&reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(file->mode(), LockMode::ReadOnly);
    }
    // Our shared lock is back: others may read but not write.
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::Normal));
    QVERIFY(otherProcessCanOpen(m_path, LockMode::ReadOnly));
    QByteArray contents;
    QVERIFY(file->readAll(&contents));
    QCOMPARE(contents, kOld);
    QVERIFY(file->reopenForWriting());
}

void TestLockedFile::reopenRefusedForReadOnlyOnDisk() {
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    auto file = LockedFile::open(m_path, LockMode::ReadOnly);
    QVERIFY(file);
    QVERIFY(!file->reopenForWriting());
    QCOMPARE(file->mode(), LockMode::ReadOnly);
    QVERIFY(!file->replaceContents("KVSAVE new"));
    QCOMPARE(readFile(m_path), kOld);
    // The shared lock is still held once the file is writable again.
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::Normal));
    QVERIFY(otherProcessCanOpen(m_path, LockMode::ReadOnly));
}

QTEST_GUILESS_MAIN(TestLockedFile)
#include "test_locked_file.moc"
