#include "tests/support/SaveImageBuilder.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using korven::fixtures::SaveImageBuilder;

namespace {

#ifdef Q_OS_WIN
constexpr int kRounds = 50;  // under Wine every start of a program takes about a second
#else
constexpr int kRounds = 200;
#endif

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Temporary files of our own pattern anywhere below `root`: in the game's folder and in the
// backup groups.
QStringList temporaries(const QString& root) {
    QStringList found;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.nextFileInfo().fileName();
        if (name.startsWith(u'.')) {
            found.append(it.filePath());
        }
    }
    return found;
}

}  // namespace

// korvenedit-cli set killed at random moments, over and over: the save is always the old or a
// complete new version, and no temporary file is left once the file is saved again.
class TestCliKillLoop : public QObject {
    Q_OBJECT
private slots:
    void killedDuringSet() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
        SaveImageBuilder builder;
        const QByteArray image = builder.build();
        const qint64 speed = builder.shipClassOffset(12) + 18;
        const QString path = dir.filePath(QStringLiteral("SaveFile1.SAVE"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(image);
        out.close();

        auto set = [&](int value) {
            auto process = std::make_unique<QProcess>();
            process->start(
                QStringLiteral(KORVEN_CLI_BINARY),
                {QStringLiteral("set"), path, QStringLiteral("ShipClass[12].Perf[1]=%1").arg(value)});
            return process;
        };
        // One whole run sets the range of the kill times.
        QElapsedTimer timer;
        timer.start();
        auto first = set(1);
        QVERIFY(first->waitForFinished(30000));
        QCOMPARE(first->exitCode(), 0);
        const qint64 wholeRun = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);

        QRandomGenerator random(20261208);
        int killedPartWay = 0;
        int leftBehind = 0;
        for (int round = 0; round < kRounds; ++round) {
            auto process = set(100 + round % 100);
            QVERIFY(process->waitForStarted());
            std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(wholeRun)));
            killedPartWay += process->state() == QProcess::Running ? 1 : 0;
            process->kill();  // SIGKILL, or TerminateProcess on Windows: no chance to clean up
            QVERIFY(process->waitForFinished(30000));
            // Old or new, never torn: only the edited speed may differ from the original.
            QByteArray onDisk = readFile(path);
            QCOMPARE(onDisk.size(), image.size());
            onDisk.replace(speed, 2, image.mid(speed, 2));
            QVERIFY2(onDisk == image, qPrintable(QStringLiteral("round %1").arg(round)));
            leftBehind = std::max(leftBehind, int(temporaries(dir.path()).size()));
        }
        // The next save of the file removes what a kill between naming and renaming left.
        auto last = set(7);
        QVERIFY(last->waitForFinished(30000));
        QCOMPARE(last->exitCode(), 0);
        const QStringList leftovers = temporaries(dir.path());
        qInfo(
            "kill loop: %d rounds, %d killed while running, at most %d temporary files between rounds, "
            "%lld left after the next save",
            kRounds, killedPartWay, leftBehind, static_cast<long long>(leftovers.size()));
        QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers.join(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestCliKillLoop)
#include "test_cli_kill_loop.moc"
