#include "platform/SystemError.h"

#include <QTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#endif

using namespace korven;

Q_DECLARE_METATYPE(korven::FileProblem)

class TestSystemError : public QObject {
    Q_OBJECT
private slots:
#ifdef Q_OS_WIN
    void problems_data() {
        QTest::addColumn<unsigned long>("error");
        QTest::addColumn<bool>("creating");
        QTest::addColumn<FileProblem>("problem");
        QTest::newRow("missing") << 2ul << false << FileProblem::NotFound;              // ERROR_FILE_NOT_FOUND
        QTest::newRow("folder missing") << 3ul << false << FileProblem::NotFound;       // ERROR_PATH_NOT_FOUND
        QTest::newRow("no access to the file") << 5ul << false << FileProblem::NoPermission;  // ERROR_ACCESS_DENIED
        QTest::newRow("no access to the folder") << 5ul << true << FileProblem::ReadOnlyFolder;
        QTest::newRow("write-protected medium") << 19ul << false << FileProblem::ReadOnlyFolder;
        QTest::newRow("disk full") << 112ul << false << FileProblem::NoSpace;     // ERROR_DISK_FULL
        QTest::newRow("held without sharing") << 32ul << false << FileProblem::InUse;  // ERROR_SHARING_VIOLATION
        QTest::newRow("locked range") << 33ul << false << FileProblem::InUse;     // ERROR_LOCK_VIOLATION
        QTest::newRow("folder") << 267ul << false << FileProblem::NotAFile;       // ERROR_DIRECTORY
        QTest::newRow("out of memory") << 8ul << false << FileProblem::TooLarge;  // ERROR_NOT_ENOUGH_MEMORY
        QTest::newRow("device error") << 31ul << false << FileProblem::Other;     // ERROR_GEN_FAILURE
    }
    void problems() {
        QFETCH(unsigned long, error);
        QFETCH(bool, creating);
        QTEST(ProblemFromSystemError(error, creating), "problem");
    }

    void keepsTheSystemText() {
        SetLastError(ERROR_DISK_FULL);
        const FileFailure failure = LastSystemFailure();
        QCOMPARE(failure.problem, FileProblem::NoSpace);
        QVERIFY(!failure.systemText.isEmpty());
    }
#else
    void problems_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("creating");
        QTest::addColumn<FileProblem>("problem");
        QTest::newRow("missing") << ENOENT << false << FileProblem::NotFound;
        QTest::newRow("a file in the path") << ENOTDIR << false << FileProblem::NotFound;
        QTest::newRow("no access to the file") << EACCES << false << FileProblem::NoPermission;
        QTest::newRow("no access to the folder") << EACCES << true << FileProblem::ReadOnlyFolder;
        QTest::newRow("read-only medium") << EROFS << false << FileProblem::ReadOnlyFolder;
        QTest::newRow("disk full") << ENOSPC << false << FileProblem::NoSpace;
        QTest::newRow("quota") << EDQUOT << false << FileProblem::NoSpace;
        QTest::newRow("file size limit") << EFBIG << false << FileProblem::NoSpace;
        QTest::newRow("folder") << EISDIR << false << FileProblem::NotAFile;
        QTest::newRow("device without reader") << ENXIO << false << FileProblem::NotAFile;
        QTest::newRow("locked") << EWOULDBLOCK << false << FileProblem::InUse;
        QTest::newRow("out of memory") << ENOMEM << false << FileProblem::TooLarge;
        QTest::newRow("input/output error") << EIO << false << FileProblem::Other;
    }
    void problems() {
        QFETCH(int, error);
        QFETCH(bool, creating);
        QTEST(ProblemFromSystemError(error, creating), "problem");
    }

    void keepsTheSystemText() {
        errno = ENOSPC;
        const FileFailure failure = LastSystemFailure();
        QCOMPARE(failure.problem, FileProblem::NoSpace);
        QVERIFY(!failure.systemText.isEmpty());
    }
#endif
};

QTEST_GUILESS_MAIN(TestSystemError)
#include "test_system_error.moc"
