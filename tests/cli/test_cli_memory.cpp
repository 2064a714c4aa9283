#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// The peak resident memory of `korvenedit-cli verify PATH`, in bytes.
qint64 verifyPeakMemory(const QString& path) {
    const QByteArray program = QFile::encodeName(QStringLiteral(KORVEN_CLI_BINARY));
    const QByteArray file = QFile::encodeName(path);
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>("verify"),
                    const_cast<char*>(file.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        return -1;
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return qint64(usage.ru_maxrss) * 1024;
}

}  // namespace

// A save with large trailing data is held in memory once when verified: the trailing data is
// copied back unchanged by construction, so it is neither copied nor composed again.
class TestCliMemory : public QObject {
    Q_OBJECT
private slots:
    void verifyHoldsTrailingDataOnce() {
        constexpr qint64 kTrailing = qint64(100) << 20;
        QTemporaryDir dir;
        const QByteArray image = korven::fixtures::SaveImageBuilder().build();
        const QString plain = dir.filePath(QStringLiteral("plain.SAVE"));
        const QString large = dir.filePath(QStringLiteral("large.SAVE"));
        for (const QString& path : {plain, large}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(image), image.size());
            if (path == large) {
                // Written, not sparse: the bytes are real trailing data to keep.
                const QByteArray chunk(1 << 20, '\x5A');
                for (qint64 done = 0; done < kTrailing; done += chunk.size()) {
                    QCOMPARE(file.write(chunk), chunk.size());
                }
            }
        }
        const qint64 base = verifyPeakMemory(plain);
        const qint64 withTrailing = verifyPeakMemory(large);
        QVERIFY(base > 0 && withTrailing > 0);
        const double perByte = double(withTrailing - base) / double(kTrailing);
        qInfo("verify, peak memory per byte of trailing data: %.2f (%lld MB without, %lld MB with 100 MB)",
              perByte, static_cast<long long>(base >> 20), static_cast<long long>(withTrailing >> 20));
        QVERIFY2(perByte < 1.25, qPrintable(QString::number(perByte)));
    }
};

QTEST_GUILESS_MAIN(TestCliMemory)
#include "test_cli_memory.moc"
