#include "model/ModelTexts.h"
#include "tests/faults/CrashAtRename.h"
#include "tests/support/SaveImageBuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using korven::fixtures::SaveImageBuilder;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct Child {
    int exitCode = -1;
    QByteArray out;
};

Child runChild(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(KORVEN_SAVE_CHILD), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput()};
}

}  // namespace

// Saves that fail or die part way, in real processes: the file on disk is always either the old
// or the complete new content.
class TestFaultInjection : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SaveImageBuilder m_builder;
    QByteArray m_image;
    qint64 m_speedOffset = 0;

    QString freshSave() {
        const QString path = m_dir.filePath(QStringLiteral("SaveFile1.SAVE"));
        QFile::remove(path);
        writeFile(path, m_image);
        return path;
    }
    // Nothing but the edited speed differs from the original.
    bool isOldOrEdited(const QByteArray& bytes) const {
        if (bytes.size() != m_image.size()) {
            return false;
        }
        QByteArray masked = bytes;
        masked.replace(m_speedOffset, 2, m_image.mid(m_speedOffset, 2));
        return masked == m_image;
    }
    QStringList leftovers() const {
        return QDir(m_dir.path())
            .entryList(QDir::Files | QDir::Hidden)
            .filter(QStringLiteral(".SaveFile1.SAVE."));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_image = m_builder.build();
        m_speedOffset = m_builder.shipClassOffset(12) + 18;
    }

#ifndef Q_OS_WIN  // file-size and descriptor limits are POSIX
    void writeFailingPartWay_data() {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("nothing fits") << qint64(0);
        QTest::newRow("a quarter") << m_image.size() / 4;
        QTest::newRow("one byte short") << m_image.size() - 1;
    }
    void writeFailingPartWay() {
        QFETCH(qint64, limit);
        const QString path = freshSave();
        const Child child = runChild({path, QStringLiteral("fsize"), QString::number(limit)});
        QCOMPARE(child.exitCode, 1);
        QCOMPARE(readFile(path), m_image);
        QVERIFY2(leftovers().isEmpty(), qPrintable(leftovers().join(u' ')));
    }

    // What is not flushed before the rename may be lost in a crash right after it, leaving the
    // new name on an empty or partial file.
    void crashBetweenWriteAndRename() {
        const QString path = freshSave();
        const Child child = runChild({path, QStringLiteral("crash")});
        QCOMPARE(child.exitCode, kCrashedAtRename);
        const QByteArray onDisk = readFile(path);
        QCOMPARE(onDisk.size(), m_image.size());
        QVERIFY(onDisk != m_image);
        QVERIFY(isOldOrEdited(onDisk));
    }

    void temporaryFileCannotBeCreated() {
        const QString path = freshSave();
        const Child child = runChild({path, QStringLiteral("nofile")});
        QCOMPARE(child.exitCode, 1);
        QCOMPARE(readFile(path), m_image);
    }

    void saveSucceedsWithinTheLimits() {
        const QString path = freshSave();
        const Child child = runChild({path, QStringLiteral("fsize"), QString::number(m_image.size())});
        QCOMPARE(child.exitCode, 0);
        const QByteArray saved = readFile(path);
        QVERIFY(saved != m_image);
        QVERIFY(isOldOrEdited(saved));
    }
#endif

    // A process killed at random moments while it saves over and over.
    void killedDuringSaves() {
        QRandomGenerator random(20261208);
        const QString path = freshSave();
        for (int round = 0; round < 12; ++round) {
            QProcess process;
            process.start(QStringLiteral(KORVEN_SAVE_CHILD), {path, QStringLiteral("loop")});
            QVERIFY(process.waitForStarted());
            // Let it get going, then kill it somewhere inside a save.
            process.waitForReadyRead(10000);
            QTest::qWait(static_cast<int>(random.bounded(1, 40)));
            process.kill();
            QVERIFY(process.waitForFinished(10000));
            const QByteArray onDisk = readFile(path);
            QVERIFY2(isOldOrEdited(onDisk), qPrintable(QStringLiteral("round %1").arg(round)));
        }
        // A save killed between naming its temporary file and renaming it leaves that file;
        // the next save removes it.
        QCOMPARE(runChild({path, QStringLiteral("once")}).exitCode, 0);
        QVERIFY2(leftovers().isEmpty(), qPrintable(leftovers().join(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestFaultInjection)
#include "test_fault_injection.moc"
