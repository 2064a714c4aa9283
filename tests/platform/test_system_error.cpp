#include "platform/SystemError.h"

#include <QTest>

#include <cerrno>

using namespace korven;

Q_DECLARE_METATYPE(korven::FileProblem)

class TestSystemError : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_GUILESS_MAIN(TestSystemError)
#include "test_system_error.moc"
