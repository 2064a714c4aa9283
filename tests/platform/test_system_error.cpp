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
        QTest::addColumn<long>("error");  // the type of the ERROR_ constants
        QTest::addColumn<bool>("creating");
        QTest::addColumn<FileProblem>("problem");
        QTest::newRow("missing") << ERROR_FILE_NOT_FOUND << false << FileProblem::NotFound;
        QTest::newRow("folder missing") << ERROR_PATH_NOT_FOUND << false << FileProblem::NotFound;
        QTest::newRow("no access to the file") << ERROR_ACCESS_DENIED << false << FileProblem::NoPermission;
        QTest::newRow("no access to the folder")
            << ERROR_ACCESS_DENIED << true << FileProblem::ReadOnlyFolder;
        QTest::newRow("write-protected medium")
            << ERROR_WRITE_PROTECT << false << FileProblem::ReadOnlyFolder;
        QTest::newRow("disk full") << ERROR_DISK_FULL << false << FileProblem::NoSpace;
        QTest::newRow("held without sharing") << ERROR_SHARING_VIOLATION << false << FileProblem::InUse;
        QTest::newRow("locked range") << ERROR_LOCK_VIOLATION << false << FileProblem::InUse;
        QTest::newRow("folder") << ERROR_DIRECTORY << false << FileProblem::NotAFile;
        QTest::newRow("out of memory") << ERROR_NOT_ENOUGH_MEMORY << false << FileProblem::TooLarge;
        QTest::newRow("name or path too long")
            << ERROR_FILENAME_EXCED_RANGE << false << FileProblem::PathTooLong;
        QTest::newRow("device error") << ERROR_GEN_FAILURE << false << FileProblem::Other;
    }
    void problems() {
        QFETCH(long, error);
        QFETCH(bool, creating);
        QTEST(ProblemFromSystemError(static_cast<DWORD>(error), creating), "problem");
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
        QTest::newRow("name too long") << ENAMETOOLONG << false << FileProblem::PathTooLong;
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
