#include "cli/CliTexts.h"
#include "cli/CommandHelp.h"
#include "model/ModelTexts.h"
#include "platform/LockedFile.h"
#include "tests/cli/CliFixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using korven::fixtures::readFile;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::writeFile;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(KORVEN_CLI_BINARY), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        qFatal("korvenedit-cli did not finish");
    }
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray printed(const QString& message) {
    return QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8() + '\n';
}

}  // namespace

// The tool as a user runs it: real processes, exit statuses, stdout and stderr bytes.
class TestCliBinary : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SaveImageBuilder m_builder;
    QByteArray m_image;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // The tool keeps its backups in the data folder; keep them inside the test's folder.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        m_image = m_builder.build();
    }

    void verifiesTheDemoSave() {
        const QString demo = QStringLiteral(KORVEN_DEMO_SAVE);
        const QByteArray before = readFile(demo);
        QVERIFY(!before.isEmpty());
        const Run r = run({QStringLiteral("verify"), demo});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, cli::texts::imagesIdentical(before.size()).toUtf8() + '\n');
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(readFile(demo), before);
    }

    void problemsExitWithOneAndTheSystemsText_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        const QByteArray noAnchor = fixtures::withoutAnchor(m_builder.build());
        QByteArray wrongMagic = m_builder.build();
        wrongMagic.replace(0, 6, "KVLOAD");
        QTest::newRow("three bytes") << QByteArray("KVS") << korven::texts::notASaveFile();
        QTest::newRow("wrong magic") << wrongMagic << korven::texts::notASaveFile();
        QTest::newRow("no anchor") << noAnchor
                                   << korven::texts::anchorNotFound(QStringLiteral("９６式艦上戦闘機"));
        QTest::newRow("truncated in the bases")
            << m_builder.build().left(m_builder.baseOffset(100) + 50) << korven::texts::readError();
    }
    void problemsExitWithOneAndTheSystemsText() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("bad.SAVE"), contents);
        const Run r = run({QStringLiteral("info"), path});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QByteArray());
        QVERIFY2(r.err.startsWith(printed(message)), r.err.constData());
    }

    void missingFileCannotBeOpened() {
        const Run r = run({QStringLiteral("dump"), m_dir.filePath(QStringLiteral("missing.SAVE"))});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.startsWith(printed(korven::texts::cannotOpen())));
    }

    void usageErrorsExitWithTwo() {
        const Run none = run({});
        QCOMPARE(none.status, 2);
        QVERIFY(none.err.startsWith(printed(cli::texts::noCommand())));
        const Run unknown = run({QStringLiteral("frob")});
        QCOMPARE(unknown.status, 2);
        const Run help = run({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QCOMPARE(help.out, cli::Usage().toUtf8());
    }

    // Arguments and output are UTF-8 end to end, texts reach the file in code page 932.
    void setTakesJapaneseTextFromTheCommandLine() {
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("名前.SAVE"), m_image);
        const Run set =
            run({QStringLiteral("set"), path, QStringLiteral("AircraftType[5].Name=零式艦上戦闘機")});
        QCOMPARE(set.status, 0);
        QCOMPARE(readFile(path).mid(m_builder.aircraftTypeOffset(5), 14),
                 QByteArray("\x97\xeb\x8e\xae\x8a\xcd\x8f\xe3\x90\xed\x93\xac\x8b\x40"));
        const Run dump = run({QStringLiteral("dump"), path});
        QCOMPARE(dump.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(dump.out).object();
        QCOMPARE(json[u"AircraftType"].toArray()[5].toObject()[u"Name"].toString(),
                 QStringLiteral("零式艦上戦闘機"));
        const Run diff = run({QStringLiteral("diff"), path, path});
        QCOMPARE(diff.status, 0);
    }

    void badAssignmentExitsWithOneAndWritesNothing() {
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("bad-set.SAVE"), m_image);
        const Run r = run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10"),
                           QStringLiteral("TurnInfo[1]=70000")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("TurnInfo[1]=70000"));
        QCOMPARE(readFile(path), m_image);
    }

    // Commands that only look read a file the editor holds; only writing commands need the lock.
    void onlyWritingCommandsWaitForTheEditor_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("info") << QStringList{QStringLiteral("info")} << 0;
        QTest::newRow("dump") << QStringList{QStringLiteral("dump")} << 0;
        QTest::newRow("verify") << QStringList{QStringLiteral("verify")} << 0;
        QTest::newRow("diff") << QStringList{QStringLiteral("diff"), QStringLiteral("%1")} << 0;
        QTest::newRow("set --output") << QStringList{QStringLiteral("set"), QStringLiteral("TurnInfo[0]=10"),
                                                     QStringLiteral("--output"), QStringLiteral("%1.copy")}
                                      << 0;
        QTest::newRow("set") << QStringList{QStringLiteral("set"), QStringLiteral("TurnInfo[0]=10")} << 1;
    }
    void onlyWritingCommandsWaitForTheEditor() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("held.SAVE"), m_image);
        const auto editor = LockedFile::open(path, LockMode::Normal);
        QVERIFY(editor);
        arguments.replaceInStrings(QStringLiteral("%1"), path);
        arguments.insert(1, path);
        const Run r = run(arguments);
        QVERIFY2(r.status == status, r.err.constData());
        QCOMPARE(readFile(path), m_image);
    }

    void setRefusedWhileAnotherProgramEditsTheFile() {
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("busy.SAVE"), m_image);
        const auto editor = LockedFile::open(path, LockMode::Normal);
        QVERIFY(editor);
        const Run r = run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(printed(korven::texts::cannotOpen())), r.err.constData());
        QCOMPARE(readFile(path), m_image);
    }
};

QTEST_GUILESS_MAIN(TestCliBinary)
#include "test_cli_binary.moc"
