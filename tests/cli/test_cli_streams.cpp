#include "cli/CliTexts.h"
#include "model/ModelTexts.h"
#include "tests/cli/CliFixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;

namespace {

QString line(const QString& text) {
    return text + QLatin1Char('\n');
}

}  // namespace

// The tool's standard streams at their limits, as a script meets them: endless input, a full
// disk, a reader that goes away.
class TestCliStreams : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_image;
    QString m_save;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_image = fixtures::SaveImageBuilder().build();
        m_save = fixtures::writeFile(QDir(m_dir.path()), QStringLiteral("a.SAVE"), m_image);
    }

    // More than a save may hold is refused before it fills the memory, and endless input too.
    void editsLargerThanASave_data() {
        QTest::addColumn<QString>("editsPath");
        QTest::addColumn<QString>("stdinFile");
        const QString sparse = m_dir.filePath(QStringLiteral("large.txt"));
        QFile file(sparse);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(256) * 1024 * 1024 + 1));
        QTest::newRow("file one byte over 256 MB") << sparse << QString();
        QTest::newRow("endless file") << QStringLiteral("/dev/zero") << QString();
        QTest::newRow("endless standard input") << QStringLiteral("-") << QStringLiteral("/dev/zero");
    }
    void editsLargerThanASave() {
        QFETCH(QString, editsPath);
        QFETCH(QString, stdinFile);
        QProcess process;
        if (!stdinFile.isEmpty()) {
            process.setStandardInputFile(stdinFile);
        }
        process.start(QStringLiteral(KORVEN_CLI_BINARY), {QStringLiteral("apply"), m_save, editsPath});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 line(cli::texts::editsTooLarge()) + line(cli::texts::nothingWritten()));
        QCOMPARE(fixtures::readFile(m_save), m_image);
    }

    // Every command that prints a result says so when it cannot, and fails.
    void aFullDisk_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("dump") << QStringList{QStringLiteral("dump"), m_save};
        QTest::newRow("info") << QStringList{QStringLiteral("info"), m_save};
        QTest::newRow("fields") << QStringList{QStringLiteral("fields")};
        QTest::newRow("diff") << QStringList{QStringLiteral("diff"), m_save, m_save,
                                             QStringLiteral("--json")};
    }
    void aFullDisk() {
        QFETCH(QStringList, arguments);
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(KORVEN_CLI_BINARY), arguments);
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 line(cli::texts::outputNotWritten()) +
                     line(QStringLiteral("原因: ディスクの空き容量が足りません。")));
    }

    // `| head`: the tool stops without a word. With SIGPIPE ignored (as some services start
    // programs, and as Windows has none) it sees the error and ends quietly, as having failed.
    void aReaderThatGoesAway() {
        QProcess shell;
        shell.start(QStringLiteral("bash"),
                    {QStringLiteral("-c"),
                     QStringLiteral("trap '' PIPE; \"$0\" dump \"$1\" | head -c 10 >/dev/null; "
                                    "exit ${PIPESTATUS[0]}"),
                     QStringLiteral(KORVEN_CLI_BINARY), m_save});
        QVERIFY(shell.waitForFinished(120000));
        QCOMPARE(shell.exitCode(), 1);
        QCOMPARE(shell.readAllStandardError(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestCliStreams)
#include "test_cli_streams.moc"
