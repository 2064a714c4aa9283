#include "platform/LockedFile.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/Results.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <thread>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>
#endif

using namespace Qt::StringLiterals;
using korven::FileProblem;
using korven::LockedFile;
using korven::LockMode;
using korven::Result;
using korven::fixtures::orNull;
using korven::fixtures::whyFailed;
namespace fixtures = korven::fixtures;

Q_DECLARE_METATYPE(korven::LockMode)
Q_DECLARE_METATYPE(korven::FileProblem)

class TestLockedFile : public QObject {
    Q_OBJECT

private slots:
    void init();

    void twoHandles_data();
    void twoHandles();
    void otherProcess_data();
    void otherProcess();
    void saveWhileAnotherProgramLooks();
    void refusedFiles_data();
    void refusedFiles();
    void readOnlyOnDisk();

    void replaceKeepsLockAndMode();
    void replaceOnReadOnlyHandleIsRefused();
#ifdef Q_OS_WIN
    void heldWithoutSharing();
    void saveWaitsForAProgramLookingIn_data();
    void saveWaitsForAProgramLookingIn();
#else
    void failedWriteLeavesOldFile_data();
    void failedWriteLeavesOldFile();
    void replaceKeepsOwnerGroupAndMode();
    void hardLinksKeepSeeingTheFile_data();
    void hardLinksKeepSeeingTheFile();
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

    void readsLimitedAndPrefix();
    void readNamedSeesChanges_data();
    void readNamedSeesChanges();
    void readNamedRefusesAPipeInTheFilesPlace();
    void reattachHoldsTheNewFile();
    void staleTemporariesRemoved();
    void reopenForWritingTakesTheNamedFile();

    void reopenForWriting();
    void reopenRefusedWhileOthersRead();
    void reopenRefusedForReadOnlyOnDisk();

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

constexpr qint64 kLimit = 1 << 20;
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
    switch (mode) {
        case LockMode::Normal:
            return u"normal"_s;
        case LockMode::ReadOnly:
            return u"readonly"_s;
        case LockMode::Unlocked:
            break;
    }
    return u"unlocked"_s;
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

#else
mode_t permissions(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

bool isReadOnlyOnDisk(const QString& path) {
    return permissions(path) == 0444;
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
    // Commands that only look read a file an editor holds, and keep no editor out.
    QTest::newRow("normal allows unlocked") << LockMode::Normal << LockMode::Unlocked << true;
    QTest::newRow("read-only allows unlocked") << LockMode::ReadOnly << LockMode::Unlocked << true;
    QTest::newRow("unlocked allows normal") << LockMode::Unlocked << LockMode::Normal << true;
}

void TestLockedFile::twoHandles() {
    QFETCH(LockMode, first);
    QFETCH(LockMode, second);
    QFETCH(bool, allowed);

    auto a = orNull(LockedFile::open(m_path, first));
    QVERIFY(a);
    QCOMPARE(a->mode(), first);
    {
        const auto b = LockedFile::open(m_path, second);
        QCOMPARE(b.ok(), allowed);
        if (!allowed) {
            QCOMPARE(b.error().problem, FileProblem::InUse);
        }
    }
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
        auto mine = orNull(LockedFile::open(m_path, first));
        QVERIFY(mine);
        QCOMPARE(otherProcessCanOpen(m_path, second), allowed);
    }
    QVERIFY(otherProcessCanOpen(m_path, second));

    {
        const OtherProcessHolding other(m_path, first);
        QVERIFY(other.held());
        QCOMPARE(LockedFile::open(m_path, second).ok(), allowed);
    }
    QVERIFY(LockedFile::open(m_path, second));
}

// A command that only looks never stands in the way of the editor's save.
void TestLockedFile::saveWhileAnotherProgramLooks() {
    auto editor = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(editor);
    const OtherProcessHolding looking(m_path, LockMode::Unlocked);
    QVERIFY(looking.held());
    const Result<void> replaced = editor->replaceContents("KVSAVE saved");
#ifdef Q_OS_WIN
    if (!replaced) {
        QSKIP(fixtures::kReplaceRefused);
    }
#endif
    QVERIFY2(replaced, qPrintable(whyFailed(replaced)));
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE saved"));
}

void TestLockedFile::refusedFiles_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<LockMode>("mode");
    QTest::addColumn<FileProblem>("problem");
    QTest::newRow("missing, normal") << u"missing.SAVE"_s << LockMode::Normal << FileProblem::NotFound;
    QTest::newRow("missing, read-only") << u"missing.SAVE"_s << LockMode::ReadOnly << FileProblem::NotFound;
    QTest::newRow("missing folder") << u"nowhere/SaveFile1.SAVE"_s << LockMode::Normal
                                    << FileProblem::NotFound;
    QTest::newRow("folder, normal") << u"folder"_s << LockMode::Normal << FileProblem::NotAFile;
    QTest::newRow("folder, read-only") << u"folder"_s << LockMode::ReadOnly << FileProblem::NotAFile;
#ifdef Q_OS_WIN
    QTest::newRow("device") << u"\\\\.\\NUL"_s << LockMode::ReadOnly << FileProblem::NotAFile;
#else
    // Opening a pipe for reading would wait for a writer forever.
    QTest::newRow("pipe, read-only") << u"pipe"_s << LockMode::ReadOnly << FileProblem::NotAFile;
    QTest::newRow("pipe, normal") << u"pipe"_s << LockMode::Normal << FileProblem::NotAFile;
    QTest::newRow("device") << u"/dev/null"_s << LockMode::ReadOnly << FileProblem::NotAFile;
#endif
    QTest::newRow("empty path") << QString() << LockMode::ReadOnly << FileProblem::NotFound;
}

void TestLockedFile::refusedFiles() {
    QFETCH(QString, name);
    QFETCH(LockMode, mode);
    QFETCH(FileProblem, problem);
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder"_s));
#ifndef Q_OS_WIN
    QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(u"pipe"_s)).constData(), 0644), 0);
#endif
    const QString path = name.isEmpty() || QDir::isAbsolutePath(name) ? name : m_dir->filePath(name);
    const auto opened = LockedFile::open(path, mode);
    QVERIFY(!opened);
    QCOMPARE(opened.error().problem, problem);
}

void TestLockedFile::readOnlyOnDisk() {
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(isReadOnlyOnDisk(m_path));
    const auto normal = LockedFile::open(m_path, LockMode::Normal);
    QVERIFY(!normal);
    QCOMPARE(normal.error().problem, FileProblem::ReadOnlyFile);
    auto readOnly = orNull(LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(readOnly);
    QCOMPARE(readOnly->readAll(kLimit).value(), kOld);
}

void TestLockedFile::replaceKeepsLockAndMode() {
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    const QByteArray next = QByteArray("KVSAVE new contents ") + QByteArray(70000, 'n');

    const Result<void> replaced = file->replaceContents(next);
    QVERIFY2(replaced, qPrintable(whyFailed(replaced)));
    QCOMPARE(readFile(m_path), next);
    QCOMPARE(file->readAll(kLimit).value(), next);
#ifndef Q_OS_WIN
    QCOMPARE(permissions(m_path), mode_t(0640));
#endif
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});

    // The lock now sits on the new file, for this process and for others.
    QVERIFY(!LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::Normal));
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));

    // A second replace through the same handle works too.
    const Result<void> again = file->replaceContents(kOld);
    QVERIFY2(again, qPrintable(whyFailed(again)));
    QCOMPARE(readFile(m_path), kOld);
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));

    file.reset();
    QVERIFY(otherProcessCanOpen(m_path, LockMode::Normal));
}

void TestLockedFile::replaceOnReadOnlyHandleIsRefused() {
    auto file = orNull(LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(file);
    const Result<void> replaced = file->replaceContents("KVSAVE other");
    QVERIFY(!replaced);
    QCOMPARE(replaced.error().problem, FileProblem::ReadOnlyFile);
    QCOMPARE(readFile(m_path), kOld);
}

#ifdef Q_OS_WIN
void TestLockedFile::heldWithoutSharing() {
    // Another program that opens the file without sharing it (as most Windows programs do)
    // keeps it from us: it can be neither opened nor replaced, and stays as it was.
    const HANDLE other = CreateFileW(QDir::toNativeSeparators(m_path).toStdWString().c_str(), GENERIC_READ, 0,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(other != INVALID_HANDLE_VALUE);
    const auto opened = LockedFile::open(m_path, LockMode::Normal);
    QVERIFY(!opened);
    QCOMPARE(opened.error().problem, FileProblem::InUse);
    QVERIFY(!LockedFile::open(m_path, LockMode::ReadOnly));
    const auto created = LockedFile::create(m_path, "KVSAVE copy");
    QVERIFY(!created);
    QCOMPARE(created.error().problem, FileProblem::InUse);
    CloseHandle(other);
    QCOMPARE(readFile(m_path), kOld);
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});
}

void TestLockedFile::saveWaitsForAProgramLookingIn_data() {
    QTest::addColumn<int>("closesAfterMs");  // -1: not before the save gives up
    QTest::addColumn<bool>("saved");
    QTest::newRow("a scan that ends soon") << 300 << true;
    QTest::newRow("a program that keeps it") << -1 << false;
}

// An antivirus or sync tool opens the file for a moment, sharing writing but not deleting:
// the save waits about a second for it, and then says another program is using the file.
void TestLockedFile::saveWaitsForAProgramLookingIn() {
    QFETCH(int, closesAfterMs);
    QFETCH(bool, saved);
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    const HANDLE other = CreateFileW(QDir::toNativeSeparators(m_path).toStdWString().c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    QVERIFY(other != INVALID_HANDLE_VALUE);
    std::thread closer([&] {
        if (closesAfterMs >= 0) {
            Sleep(static_cast<DWORD>(closesAfterMs));
            CloseHandle(other);
        }
    });
    const Result<void> replaced = file->replaceContents("KVSAVE new");
    closer.join();
    if (closesAfterMs < 0) {
        CloseHandle(other);
    }
    QCOMPARE(replaced.ok(), saved);
    QCOMPARE(readFile(m_path), saved ? QByteArray("KVSAVE new") : kOld);
    if (!saved) {
        QCOMPARE(replaced.error().problem, FileProblem::Busy);
        // Still held: the next save works once the other program let go.
        QVERIFY(file->replaceContents("KVSAVE new"));
    }
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});
}
#else
void TestLockedFile::failedWriteLeavesOldFile_data() {
    QTest::addColumn<bool>("linked");
    QTest::newRow("through a temporary file") << false;
    // Written in place: the old bytes are put back.
    QTest::newRow("with a hard link") << true;
}

void TestLockedFile::failedWriteLeavesOldFile() {
    QFETCH(bool, linked);
    const QString link = m_dir->filePath(u"link.SAVE"_s);
    if (linked) {
        QCOMPARE(::link(QFile::encodeName(m_path).constData(), QFile::encodeName(link).constData()), 0);
    }
    // A file-size limit makes writing the temporary file fail part way, as a full disk would;
    // it binds root as well.
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    const QByteArray next(200000, 'n');

    rlimit saved{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Result<void> replaced = file->replaceContents(next);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!replaced);
    QCOMPARE(replaced.error().problem, FileProblem::NoSpace);
    QCOMPARE(readFile(m_path), kOld);
    QCOMPARE(folderEntries(m_path),
             linked ? (QStringList{u"link.SAVE"_s, u"SaveFile1.SAVE"_s}) : QStringList{u"SaveFile1.SAVE"_s});
    QCOMPARE(file->readAll(kLimit).value(), kOld);
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));

    QVERIFY(file->replaceContents(next));
    QCOMPARE(readFile(m_path), next);
    QCOMPARE(readFile(link), linked ? next : QByteArray("<cannot read>"));
}

// A save made under sudo leaves the player's file the player's.
void TestLockedFile::replaceKeepsOwnerGroupAndMode() {
    if (::geteuid() != 0) {
        QSKIP("only root can give a file to another user");
    }
    constexpr uid_t kNobody = 65534;
    QCOMPARE(::chown(QFile::encodeName(m_path).constData(), kNobody, kNobody), 0);
    QCOMPARE(::chmod(QFile::encodeName(m_path).constData(), 0660), 0);
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    QVERIFY(file->replaceContents("KVSAVE new"));
    file.reset();
    QVERIFY(LockedFile::create(m_path, "KVSAVE newer"));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(m_path).constData(), &st), 0);
    QCOMPARE(st.st_uid, kNobody);
    QCOMPARE(st.st_gid, gid_t(kNobody));
    QCOMPARE(st.st_mode & 07777, mode_t(0660));
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE newer"));
}

void TestLockedFile::hardLinksKeepSeeingTheFile_data() {
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("save") << false;
    QTest::newRow("save as over the file") << true;
}

// A save of a file with another name never splits them: both names show the new contents.
void TestLockedFile::hardLinksKeepSeeingTheFile() {
    QFETCH(bool, saveAs);
    const QString link = m_dir->filePath(u"link.SAVE"_s);
    QCOMPARE(::link(QFile::encodeName(m_path).constData(), QFile::encodeName(link).constData()), 0);
    const QByteArray next = QByteArray("KVSAVE new ") + QByteArray(100, 'n');
    std::unique_ptr<LockedFile> file;
    if (saveAs) {
        file = orNull(LockedFile::create(m_path, next));
    } else {
        file = orNull(LockedFile::open(m_path, LockMode::Normal));
        QVERIFY(file && file->hasOtherNames());
        QVERIFY(file->replaceContents(next));
    }
    QVERIFY(file);
    QCOMPARE(readFile(m_path), next);
    QCOMPARE(readFile(link), next);
    QCOMPARE(folderEntries(m_path), (QStringList{u"link.SAVE"_s, u"SaveFile1.SAVE"_s}));
    QVERIFY(!otherProcessCanOpen(link, LockMode::ReadOnly));
    // Without its other name the file is replaced whole again.
    QVERIFY(QFile::remove(link));
    QVERIFY(!file->hasOtherNames());
    QVERIFY(file->replaceContents(kOld));
    QCOMPARE(readFile(m_path), kOld);
}
#endif

#ifndef Q_OS_WIN
void TestLockedFile::removedFolderFailsCleanly() {
    const QString folder = m_dir->filePath(u"sub"_s);
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + u"/SaveFile2.SAVE"_s;
    writeFile(path, kOld);
    auto file = orNull(LockedFile::open(path, LockMode::Normal));
    QVERIFY(file);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().rmdir(folder));

    const Result<void> replaced = file->replaceContents("KVSAVE new");
    QVERIFY(!replaced);
    QCOMPARE(replaced.error().problem, FileProblem::Changed);
    QCOMPARE(file->readAll(kLimit).value(), kOld);
    QVERIFY(!QFileInfo::exists(folder));
}
#endif

void TestLockedFile::fileChangedWhileOpen_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<FileProblem>("problem");
    QTest::newRow("made read-only") << u"read-only"_s << FileProblem::ReadOnlyFile;
    QTest::newRow("removed") << u"removed"_s << FileProblem::Changed;
    QTest::newRow("replaced by another file") << u"replaced"_s << FileProblem::Changed;
}

void TestLockedFile::fileChangedWhileOpen() {
    QFETCH(QString, change);
    QFETCH(FileProblem, problem);
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
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
        if (!fixtures::RenameOver(elsewhere, m_path)) {
            QSKIP(fixtures::kReplaceRefused);
        }
    }

    const Result<void> replaced = file->replaceContents("KVSAVE new");
    QVERIFY(!replaced);
    QCOMPARE(replaced.error().problem, problem);
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
    auto created = orNull(LockedFile::create(path, "KVSAVE created"));
    QVERIFY(created);
    QCOMPARE(created->mode(), LockMode::Normal);
    QCOMPARE(readFile(path), QByteArray("KVSAVE created"));
    QVERIFY(!otherProcessCanOpen(path, LockMode::ReadOnly));
    created.reset();

    // Over an existing file: replaced whole.
    auto replaced = orNull(LockedFile::create(m_path, "KVSAVE x"));
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
    const auto created = LockedFile::create(m_path, "KVSAVE copy");
    QVERIFY(!created);
    QCOMPARE(created.error().problem, FileProblem::InUse);
    QCOMPARE(readFile(m_path), kOld);
    QCOMPARE(folderEntries(m_path), QStringList{u"SaveFile1.SAVE"_s});
}

#ifndef Q_OS_WIN
void TestLockedFile::replaceThroughSymlinkKeepsLink() {
    const QString link = m_dir->filePath(u"link.SAVE"_s);
    QVERIFY(QFile::link(m_path, link));
    auto file = orNull(LockedFile::open(link, LockMode::Normal));
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
    auto inLinkedFolder = orNull(LockedFile::open(linkedFolder + u"/SaveFile1.SAVE"_s, LockMode::Normal));
    QVERIFY(inLinkedFolder);
    QVERIFY(inLinkedFolder->replaceContents("KVSAVE through the folder link"));
    QVERIFY(QFileInfo(linkedFolder).isSymLink());
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE through the folder link"));
}
#endif

void TestLockedFile::replaceAfterChangeOfFolder() {
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    auto file = orNull(LockedFile::open(u"SaveFile1.SAVE"_s, LockMode::Normal));
    // An empty folder of its own, so a file left in the shared temporary folder cannot matter.
    const QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    const bool replaced = file && file->replaceContents("KVSAVE relative");
    QVERIFY(QDir::setCurrent(before));
    QVERIFY(replaced);
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE relative"));
    QVERIFY(!QFileInfo::exists(QDir(elsewhere.path()).filePath(u"SaveFile1.SAVE"_s)));
}

void TestLockedFile::japaneseNames() {
    const QString folder = m_dir->filePath(u"ヴァルゾン セーブ"_s);
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + u"/太平洋.SAVE"_s;
    writeFile(path, kOld);
    auto file = orNull(LockedFile::open(path, LockMode::Normal));
    QVERIFY(file);
    QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
    const Result<void> replaced = file->replaceContents("KVSAVE 日本語");
    QVERIFY2(replaced, qPrintable(whyFailed(replaced)));
    QCOMPARE(readFile(path), QByteArray("KVSAVE 日本語"));
    QCOMPARE(folderEntries(path), QStringList{u"太平洋.SAVE"_s});
    file.reset();
    auto created = orNull(LockedFile::create(folder + u"/複製.SAVE"_s, "KVSAVE copy"));
    QVERIFY(created);
    QCOMPARE(readFile(folder + u"/複製.SAVE"_s), QByteArray("KVSAVE copy"));
}

void TestLockedFile::reopenForWriting() {
    auto file = orNull(LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(file);
    QVERIFY(otherProcessCanOpen(m_path, LockMode::ReadOnly));
    const Result<void> reopened = file->reopenForWriting();
    QVERIFY2(reopened, qPrintable(whyFailed(reopened)));
    QCOMPARE(file->mode(), LockMode::Normal);
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));
    QVERIFY(file->replaceContents("KVSAVE written"));
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE written"));
    QVERIFY(file->reopenForWriting());  // already writable
}

void TestLockedFile::reopenRefusedWhileOthersRead() {
    auto file = orNull(LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(file);
    {
        const OtherProcessHolding reader(m_path, LockMode::ReadOnly);
        QVERIFY(reader.held());
        const Result<void> reopened = file->reopenForWriting();
        QVERIFY(!reopened);
        QCOMPARE(reopened.error().problem, FileProblem::InUse);
        QCOMPARE(file->mode(), LockMode::ReadOnly);
    }
    // Our shared lock is back: others may read but not write.
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::Normal));
    QVERIFY(otherProcessCanOpen(m_path, LockMode::ReadOnly));
    QCOMPARE(file->readAll(kLimit).value(), kOld);
    QVERIFY(file->reopenForWriting());
}

void TestLockedFile::reopenRefusedForReadOnlyOnDisk() {
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    auto file = orNull(LockedFile::open(m_path, LockMode::ReadOnly));
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

void TestLockedFile::readsLimitedAndPrefix() {
    auto file = orNull(LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(file);
    QCOMPARE(file->readPrefix(6).value(), QByteArray("KVSAVE"));
    QCOMPARE(file->size().value(), kOld.size());
    const Result<QByteArray> overLimit = file->readAll(kOld.size() - 1);
    QVERIFY(!overLimit);
    QCOMPARE(overLimit.error().problem, FileProblem::TooLarge);
    QCOMPARE(file->readAll(kOld.size()).value(), kOld);
}

void TestLockedFile::readNamedSeesChanges_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("named");
    QTest::addColumn<QByteArray>("contents");
    const QByteArray other("KVSAVE written by the game");
    QTest::newRow("unchanged") << u"none"_s << int(LockedFile::Named::Held) << kOld;
    QTest::newRow("written over in place") << u"in place"_s << int(LockedFile::Named::Held) << other;
    QTest::newRow("renamed over") << u"renamed"_s << int(LockedFile::Named::Replaced) << other;
    QTest::newRow("removed") << u"removed"_s << int(LockedFile::Named::Missing) << QByteArray();
}

void TestLockedFile::readNamedSeesChanges() {
    QFETCH(QString, change);
    QFETCH(int, named);
    QFETCH(QByteArray, contents);
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    // Programs that ignore the lock: a plain write into the file, or a rename over it.
    if (change == u"in place") {
        if (!fixtures::WriteInPlace(m_path, contents)) {
            QSKIP(fixtures::kWritersShutOut);
        }
    } else if (change == u"renamed") {
        const QString elsewhere = m_dir->filePath(u"other.SAVE"_s);
        writeFile(elsewhere, contents);
        if (!fixtures::RenameOver(elsewhere, m_path)) {
            QSKIP(fixtures::kReplaceRefused);
        }
    } else if (change == u"removed") {
        QVERIFY(QFile::remove(m_path));
        if (QFileInfo::exists(m_path)) {
            QSKIP("this system keeps a deleted file that is held open under its name");
        }
    }
    const LockedFile::NamedContents current = file->readNamed(kLimit).value();
    QCOMPARE(int(current.named), named);
    QCOMPARE(current.contents, contents);
}

// A pipe put where the file was reads as nothing: taken for the file's contents, a save would keep
// an empty backup and ask whether to write over "another program's" empty file.
void TestLockedFile::readNamedRefusesAPipeInTheFilesPlace() {
#ifdef Q_OS_WIN
    QSKIP("no named pipes in the file system on Windows");
#else
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    QVERIFY(QFile::rename(m_path, m_dir->filePath(u"aside"_s)));
    QCOMPARE(::mkfifo(QFile::encodeName(m_path).constData(), 0644), 0);
    const Result<LockedFile::NamedContents> named = file->readNamed(kLimit);
    QVERIFY(!named);
    QCOMPARE(named.error().problem, FileProblem::NotAFile);
#endif
}

void TestLockedFile::reattachHoldsTheNewFile() {
    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    const QString elsewhere = m_dir->filePath(u"other.SAVE"_s);
    writeFile(elsewhere, "KVSAVE newer");
    if (!fixtures::RenameOver(elsewhere, m_path)) {
        QSKIP(fixtures::kReplaceRefused);
    }
    // The new file is not locked by us yet.
    QVERIFY(otherProcessCanOpen(m_path, LockMode::Normal));
    QVERIFY(file->reattach());
    QVERIFY(!otherProcessCanOpen(m_path, LockMode::ReadOnly));
    QVERIFY(file->replaceContents("KVSAVE ours"));
    QCOMPARE(readFile(m_path), QByteArray("KVSAVE ours"));
}

void TestLockedFile::staleTemporariesRemoved() {
    // What killed saves leave: complete, empty or partial files of our own pattern.
    const QStringList stale{u".SaveFile1.SAVE.a1B2c3"_s, u".SaveFile1.SAVE.XXXXXX"_s,
                            u".SaveFile1.SAVE.000000"_s};
    // Not ours: other files' temporaries, other patterns, and the user's own files.
    const QStringList kept{u".SaveFile2.SAVE.a1B2c3"_s, u".SaveFile1.SAVE.a1B2c"_s,
                           u".SaveFile1.SAVE.a1B2c3d"_s, u"SaveFile1.SAVE.a1B2c3"_s,
                           u".SaveFile1.SAVE.a1-2c3"_s};
    for (const QString& name : stale + kept) {
        writeFile(m_dir->filePath(name), name == stale[1] ? QByteArray() : kOld.left(100));
    }
    // A save in progress in another process holds its temporary file's lock.
    const QString live = m_dir->filePath(u".SaveFile1.SAVE.Live99"_s);
    writeFile(live, kOld);
    const OtherProcessHolding saving(live, LockMode::Normal);
    QVERIFY(saving.held());

    auto file = orNull(LockedFile::open(m_path, LockMode::Normal));
    QVERIFY(file);
    QVERIFY(file->replaceContents("KVSAVE saved"));
    QStringList expected = kept;
    expected << u".SaveFile1.SAVE.Live99"_s << u"SaveFile1.SAVE"_s;
    expected.sort();
    QStringList entries = folderEntries(m_path);
    entries.sort();
    QCOMPARE(entries, expected);
}

void TestLockedFile::reopenForWritingTakesTheNamedFile() {
    // Read-only, then Save -> Yes: the file to write is the one the path names now, which the
    // caller then compares with what it loaded.
    auto file = orNull(LockedFile::open(m_path, LockMode::ReadOnly));
    QVERIFY(file);
    const QString elsewhere = m_dir->filePath(u"other.SAVE"_s);
    writeFile(elsewhere, "KVSAVE newer");
    if (!fixtures::RenameOver(elsewhere, m_path)) {
        QSKIP(fixtures::kReplaceRefused);
    }
    QVERIFY(file->reopenForWriting());
    const LockedFile::NamedContents current = file->readNamed(kLimit).value();
    QCOMPARE(current.named, LockedFile::Named::Held);
    QCOMPARE(current.contents, QByteArray("KVSAVE newer"));
}

QTEST_GUILESS_MAIN(TestLockedFile)
#include "test_locked_file.moc"
