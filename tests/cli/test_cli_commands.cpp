#include "cli/CliTexts.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "model/ModelTexts.h"
#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "tests/cli/CliFixtures.h"
#include "tests/cli/RunInProcess.h"
#include "tests/support/DemoNames.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

using namespace korven;
using namespace korven::cli;
using korven::fixtures::getInt16;
using korven::fixtures::putInt16;
using korven::fixtures::readFile;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::writeFile;

namespace {

using Run = fixtures::CliRun;

Run run(const QStringList& arguments) {
    return fixtures::runCli(arguments);
}

// Message texts as the tool prints them: one line per line of the message box.
QString printed(const QString& message) {
    return QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

class TestCliCommands : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SaveImageBuilder m_builder;
    QByteArray m_image;

    QString freshCopy(const QString& name) { return writeFile(QDir(m_dir.path()), name, m_image); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_image = m_builder.build();
    }

    void infoDescribesTheFile() {
        const QString path = freshCopy(QStringLiteral("info.SAVE"));
        int japanese = 0;
        int allied = 0;
        for (int j = 0; j < 1200; ++j) {
            if (getInt16(m_image, m_builder.shipOffset(j) + 4) != -1) {
                ++(j < 500 ? japanese : allied);
            }
        }
        const Run r = run({QStringLiteral("info"), path});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        const QStringList expected = {
            QStringLiteral("ファイル名: ") + path,
            QStringLiteral("セーブ名: ＳＡＶＥ１　昭和１７年　珊瑚海"),
            QStringLiteral("シナリオ番号: 3"),
            QStringLiteral("シナリオ名: 南方資源地帯攻略"),
            QStringLiteral("現在ターン: 42年2月6ターン (25)"),
            QStringLiteral("現在フェイズ: 作戦 (4)"),
            QStringLiteral("開始ターン: 41年12月1ターン"),
            QStringLiteral("終了ターン: 45年8月5ターン"),
            QStringLiteral("艦型: %1").arg(fixtures::demoShipClasses().size()),
            QStringLiteral("個艦 (日本): %1").arg(japanese),
            QStringLiteral("個艦 (連合国): %1").arg(allied),
            QStringLiteral("航空機: 170"),
            QStringLiteral("基地: 181"),
            QStringLiteral("LastBaseIndex: 180"),
            QStringLiteral("HeaderEndPos: %1").arg(53 + m_builder.saveNameLength()),
            QStringLiteral("AircraftBlockPos: %1").arg(m_builder.options().aircraftBlockOffset + 1),
            QStringLiteral("ShipClassBlockPos: %1").arg(m_builder.shipClassOffset(0) + 1),
            QStringLiteral("BaseBlockPos: %1").arg(m_builder.baseOffset(0) + 1),
        };
        QCOMPARE(r.out, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }

    void infoShowsOddClockValues() {
        QByteArray image = m_image;
        putInt16(image, m_builder.turnInfoOffset(), -1);
        putInt16(image, m_builder.turnInfoOffset() + 2, 12);
        const Run r =
            run({QStringLiteral("info"), writeFile(QDir(m_dir.path()), QStringLiteral("clock.SAVE"), image)});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QStringLiteral("\n現在ターン: 41年11月10ターン (-1)\n")), qPrintable(r.out));
        QVERIFY2(r.out.contains(QStringLiteral("\n現在フェイズ: 不明 (12)\n")), qPrintable(r.out));
    }

    // --force only changes what set and apply do with a file changed on disk; elsewhere it is a
    // mistake.
    void forceBelongsToTheEditingCommands() {
        const QString path = freshCopy(QStringLiteral("forced.SAVE"));
        const Run info = run({QStringLiteral("info"), QStringLiteral("--force"), path});
        QCOMPARE(info.status, 2);
        QVERIFY(
            info.err.startsWith(cli::texts::optionNotFor(QStringLiteral("--force"), QStringLiteral("info"))));
        const Run set =
            run({QStringLiteral("set"), QStringLiteral("--force"), path, QStringLiteral("TurnInfo[0]=10")});
        QCOMPARE(set.status, 0);
        QCOMPARE(getInt16(readFile(path), m_builder.turnInfoOffset()), 10);
    }

    void setWithoutABackupWritesNothing() {
        const QString edited = freshCopy(QStringLiteral("unbacked.SAVE"));
        const QString blocker = writeFile(QDir(m_dir.path()), QStringLiteral("blocker"), "x");
        // No folder can be made below a plain file, so no backup can be written.
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker));
        const Run set = run({QStringLiteral("set"), edited, QStringLiteral("ShipClass[12].Perf[1]=30")});
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        QCOMPARE(set.status, 1);
        // A save that did not happen counts no changed fields.
        QCOMPARE(set.out, QString());
        QVERIFY2(set.err.startsWith(printed(korven::texts::backupFailed(BackupStore::defaultFolder())
                                                .section(QStringLiteral("\r\n"), 0, 0))),
                 qPrintable(set.err));
        QCOMPARE(readFile(edited), m_image);
    }

    void setThenDumpAndDiffShowTheChange() {
        const QString original = freshCopy(QStringLiteral("original.SAVE"));
        const QString edited = freshCopy(QStringLiteral("edited.SAVE"));
        const int16_t before = getInt16(m_image, m_builder.shipClassOffset(12) + 18);
        QVERIFY(before != 30);

        const Run set = run({QStringLiteral("set"), edited, QStringLiteral("ShipClass[12].Perf[1]=30")});
        QCOMPARE(set.status, 0);
        const QStringList backups = BackupStore().backupsOf(edited);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(readFile(backups.first()), m_image);
        QCOMPARE(set.out, cli::texts::totalChanged(1) + QLatin1Char('\n') +
                              korven::texts::backupMade(backups.first()) + QLatin1Char('\n') +
                              cli::texts::saved(edited) + QLatin1Char('\n'));
        QCOMPARE(getInt16(readFile(edited), m_builder.shipClassOffset(12) + 18), 30);

        const Run dump = run({QStringLiteral("dump"), edited});
        QCOMPARE(dump.status, 0);
        const QJsonObject json = QJsonDocument::fromJson(dump.out.toUtf8()).object();
        QCOMPARE(json[u"ShipClass"].toArray()[12].toObject()[u"Perf"].toArray()[1].toInt(), 30);

        const Run diff = run({QStringLiteral("diff"), original, edited});
        QCOMPARE(diff.status, 1);
        QCOMPARE(diff.err, QString());
        QCOMPARE(diff.out, QStringLiteral("ShipClass[12].Perf[1]: %1 -> 30\n").arg(before));

        const Run same = run({QStringLiteral("diff"), original, original});
        QCOMPARE(same.status, 0);
        QCOMPARE(same.out, QString());

        QCOMPARE(run({QStringLiteral("verify"), edited}).status, 0);
    }

    void setKeepsEveryOtherByte() {
        const QString path = freshCopy(QStringLiteral("bytes.SAVE"));
        const Run r = run({QStringLiteral("set"), path, QStringLiteral("ShipClass[12].Name=伊勢"),
                           QStringLiteral("Base[3].Stockpile[0][1]=500"), QStringLiteral("TurnInfo[0]=10")});
        QCOMPARE(r.status, 0);
        QByteArray expected = m_image;
        const QByteArray name = QByteArray("\x88\xC9\x90\xA8", 4) + QByteArray(8, '\0');
        expected.replace(m_builder.shipClassOffset(12), 12, name);
        fixtures::putInt32(expected, m_builder.baseOffset(3) + 24 + 4, 500);
        putInt16(expected, m_builder.turnInfoOffset(), 10);
        QCOMPARE(readFile(path), expected);
    }

    void oneBadAssignmentWritesNothing_data() {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("bad");
        QTest::newRow("bad in the middle")
            << QStringList{QStringLiteral("TurnInfo[0]=10"), QStringLiteral("Ship[0].Words[0]=99999"),
                           QStringLiteral("AircrewSkill[0][0]=1")}
            << QStringLiteral("Ship[0].Words[0]=99999");
        QTest::newRow("bad last") << QStringList{QStringLiteral("TurnInfo[0]=10"),
                                                 QStringLiteral("ShipClass[12].Name=あいうえおかX")}
                                  << QStringLiteral("ShipClass[12].Name=あいうえおかX");
        QTest::newRow("refused field") << QStringList{QStringLiteral("AircraftType[170].Name=x")}
                                       << QStringLiteral("AircraftType[170].Name=x");
        QTest::newRow("moves the blocks")
            << QStringList{QStringLiteral("TurnInfo[0]=10"), QStringLiteral("Base[5].Name=ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ")}
            << QStringLiteral("Base[5].Name=ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ");
    }
    void oneBadAssignmentWritesNothing() {
        QFETCH(QStringList, assignments);
        QFETCH(QString, bad);
        const QString path = freshCopy(QStringLiteral("partial.SAVE"));
        const QString copy = m_dir.filePath(QStringLiteral("partial-copy.SAVE"));
        for (const bool toCopy : {false, true}) {
            QStringList args = {QStringLiteral("set"), path};
            args += assignments;
            if (toCopy) {
                args += {QStringLiteral("--output"), copy};
            }
            const Run r = run(args);
            // diff tells an unreadable file from a difference.
            QCOMPARE(r.status, args.first() == u"diff" ? 3 : 1);
            QCOMPARE(r.out, QString());
            QVERIFY2(r.err.startsWith(QStringLiteral("代入「%1」は受け付けられません: ").arg(bad)),
                     qPrintable(r.err));
            QVERIFY(r.err.endsWith(cli::texts::nothingWritten() + QLatin1Char('\n')));
            QCOMPARE(readFile(path), m_image);
            QVERIFY(!QFile::exists(copy));
        }
    }

    void outputLeavesTheOriginal() {
        const QString path = freshCopy(QStringLiteral("source.SAVE"));
        const QString copy = m_dir.filePath(QStringLiteral("copy.SAVE"));
        const Run r = run({QStringLiteral("set"), path, QStringLiteral("AircrewSkill[4][1]=99"),
                           QStringLiteral("--output"), copy});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, cli::texts::totalChanged(1) + QLatin1Char('\n') + cli::texts::saved(copy) +
                            QLatin1Char('\n'));
        QCOMPARE(readFile(path), m_image);
        QByteArray expected = m_image;
        expected[m_builder.aircrewSkillOffset() + 9] = 99;
        QCOMPARE(readFile(copy), expected);

        // Again over the existing copy, from a source that is read-only.
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        const Run again = run({QStringLiteral("set"), path, QStringLiteral("AircrewSkill[4][1]=98"),
                               QStringLiteral("-o"), copy});
        QCOMPARE(again.status, 0);
        expected[m_builder.aircrewSkillOffset() + 9] = 98;
        QCOMPARE(readFile(copy), expected);
        QCOMPARE(readFile(path), m_image);
    }

    // --output promises that the input is not changed: the input under any of its names is
    // refused, by every command that takes it.
    void outputOntoTheSourceIsRefused() {
        const QString path = freshCopy(QStringLiteral("self.SAVE"));
        QStringList names{path, m_dir.path() + QStringLiteral("/./self.SAVE")};
        const QString hardLink = m_dir.filePath(QStringLiteral("hard.SAVE"));
        std::error_code error;
        std::filesystem::create_hard_link(std::filesystem::path(path.toStdU16String()),
                                          std::filesystem::path(hardLink.toStdU16String()), error);
        if (!error) {
            names << hardLink;
        }
#ifndef Q_OS_WIN
        const QString symlink = m_dir.filePath(QStringLiteral("soft.SAVE"));
        QVERIFY(QFile::link(path, symlink));
        names << symlink;
#endif
        const QString edits = writeFile(QDir(m_dir.path()), QStringLiteral("self.txt"), "TurnInfo[0]=10\n");
        for (const QString& output : names) {
            const QString refusal = cli::texts::outputIsInput(output) + QLatin1Char('\n') +
                                    cli::texts::nothingWritten() + QLatin1Char('\n');
            for (const QStringList& command :
                 {QStringList{QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10")},
                  QStringList{QStringLiteral("apply"), path, edits},
                  QStringList{QStringLiteral("check"), path, QStringLiteral("--fix")}}) {
                const Run r = run(command + QStringList{QStringLiteral("--output"), output});
                QCOMPARE(r.status, 1);
                QCOMPARE(r.err, refusal);
                QCOMPARE(r.out, QString());
            }
        }
        QCOMPARE(readFile(path), m_image);
        if (error) {
            QSKIP("no hard link can be made on this file system");
        }
    }

    void outputThatCannotBeWritten() {
        const QString path = freshCopy(QStringLiteral("unwritable.SAVE"));
        const QString missingFolder = m_dir.filePath(QStringLiteral("no/such/folder/x.SAVE"));
        const Run r = run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10"),
                           QStringLiteral("--output"), missingFolder});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(korven::texts::writeError() + QLatin1Char('\n')), qPrintable(r.err));
        QCOMPARE(readFile(path), m_image);

        // A copy target that another editor holds open is not replaced.
        const QString held =
            writeFile(QDir(m_dir.path()), QStringLiteral("held.SAVE"), QByteArray("keep me"));
        const auto lock = LockedFile::open(held, LockMode::Normal);
        QVERIFY(lock);
        const Run locked = run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10"),
                                QStringLiteral("--output"), held});
        QCOMPARE(locked.status, 1);
        QVERIFY2(locked.err.startsWith(printed(korven::texts::cannotOpen())), qPrintable(locked.err));
        QCOMPARE(readFile(held), QByteArray("keep me"));
    }

    void setRefusedWhileTheFileIsOpenForEditing() {
        const QString path = freshCopy(QStringLiteral("locked.SAVE"));
        {
            const auto editor = LockedFile::open(path, LockMode::Normal);
            QVERIFY(editor);
            const Run r = run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10")});
            QCOMPARE(r.status, 1);
            // The system's text, then the reason on the same stream.
            QCOMPARE(r.err, printed(korven::texts::cannotOpen()) +
                                QStringLiteral("\n原因: ほかのプログラムがファイルをロックしています。\n") +
                                cli::texts::fileLine(path) + QLatin1Char('\n'));
            QCOMPARE(readFile(path), m_image);
        }
        {
            // A reader shares the file but keeps writers out.
            const auto reader = LockedFile::open(path, LockMode::ReadOnly);
            QVERIFY(reader);
            QCOMPARE(run({QStringLiteral("info"), path}).status, 0);
            QCOMPARE(run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10")}).status, 1);
        }
        QCOMPARE(run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10")}).status, 0);
    }

    void setRefusesAReadOnlyFile() {
        const QString path = freshCopy(QStringLiteral("readonly.SAVE"));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        const Run r = run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=10")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.startsWith(printed(korven::texts::cannotOpen())));
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(run({QStringLiteral("verify"), path}).status, 0);
    }

    void verifyReportsIdentity() {
        const Run r = run({QStringLiteral("verify"), freshCopy(QStringLiteral("verify.SAVE"))});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, cli::texts::imagesIdentical(m_image.size()) + QLatin1Char('\n'));
    }

    void compareImages_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("composed");
        QTest::addColumn<int>("differing");
        QTest::addColumn<QList<qsizetype>>("offsets");
        QTest::newRow("identical") << QByteArray("abcdef") << QByteArray("abcdef") << 0 << QList<qsizetype>{};
        QTest::newRow("empty") << QByteArray() << QByteArray() << 0 << QList<qsizetype>{};
        QTest::newRow("first byte") << QByteArray("abcdef") << QByteArray("Xbcdef") << 1
                                    << QList<qsizetype>{0};
        QTest::newRow("scattered") << QByteArray("abcdef") << QByteArray("aXcXeX") << 3
                                   << QList<qsizetype>{1, 3, 5};
        QTest::newRow("composed longer")
            << QByteArray("abc") << QByteArray("abcde") << 2 << QList<qsizetype>{3, 4};
        QTest::newRow("file longer") << QByteArray("abcd") << QByteArray("aXc") << 2
                                     << QList<qsizetype>{1, 3};
        QTest::newRow("NUL bytes") << QByteArray("a\0b", 3) << QByteArray("a\1b", 3) << 1
                                   << QList<qsizetype>{1};
    }
    void compareImages() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, composed);
        QFETCH(int, differing);
        QFETCH(QList<qsizetype>, offsets);
        const ImageComparison c = CompareImages(file, composed);
        QCOMPARE(c.differingBytes, differing);
        QCOMPARE(c.firstOffsets, offsets);
        QCOMPARE(c.identical(), differing == 0);
        QCOMPARE(c.fileSize, file.size());
        QCOMPARE(c.composedSize, composed.size());
    }

    void compareImagesKeepsOnlyTheFirstOffsets() {
        const QByteArray a(100, 'a');
        const QByteArray b(100, 'b');
        const ImageComparison c = CompareImages(a, b, 4);
        QCOMPARE(c.differingBytes, 100);
        QCOMPARE(c.firstOffsets, (QList<qsizetype>{0, 1, 2, 3}));
    }

    void filesThatDoNotLoad_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        const QByteArray noAnchor = fixtures::withoutAnchor(m_builder.build());
        QByteArray wrongMagic = m_builder.build();
        wrongMagic[0] = 'k';
        QTest::newRow("three bytes") << QByteArray("KVS") << korven::texts::notASaveFile();
        QTest::newRow("wrong magic") << wrongMagic << korven::texts::notASaveFile();
        QTest::newRow("no anchor") << noAnchor
                                   << korven::texts::anchorNotFound(QStringLiteral("９６式艦上戦闘機"));
        QTest::newRow("truncated") << m_builder.build().left(m_builder.shipOffset(600))
                                   << korven::texts::readError();
    }
    void filesThatDoNotLoad() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("bad.SAVE"), contents);
        for (const QStringList& args :
             {QStringList{QStringLiteral("info"), path}, QStringList{QStringLiteral("dump"), path},
              QStringList{QStringLiteral("verify"), path},
              QStringList{QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=1")},
              QStringList{QStringLiteral("diff"), freshCopy(QStringLiteral("good.SAVE")), path}}) {
            const Run r = run(args);
            // diff tells an unreadable file from a difference.
            QCOMPARE(r.status, args.first() == u"diff" ? 3 : 1);
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err,
                     printed(message) + QLatin1Char('\n') + cli::texts::fileLine(path) + QLatin1Char('\n'));
            QCOMPARE(readFile(path), contents);
        }
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString file = QStringLiteral("x.SAVE");
        QTest::newRow("nothing") << QStringList{} << cli::texts::noCommand();
        QTest::newRow("unknown command") << QStringList{QStringLiteral("show"), file}
                                         << cli::texts::unknownCommand(QStringLiteral("show"));
        QTest::newRow("info without file")
            << QStringList{QStringLiteral("info")} << cli::texts::wrongArguments(QStringLiteral("info"));
        QTest::newRow("dump with two files") << QStringList{QStringLiteral("dump"), file, file}
                                             << cli::texts::wrongArguments(QStringLiteral("dump"));
        QTest::newRow("diff with one file") << QStringList{QStringLiteral("diff"), file}
                                            << cli::texts::wrongArguments(QStringLiteral("diff"));
        QTest::newRow("set without file")
            << QStringList{QStringLiteral("set")} << cli::texts::wrongArguments(QStringLiteral("set"));
        QTest::newRow("set without assignment")
            << QStringList{QStringLiteral("set"), file} << cli::texts::noAssignments();
        QTest::newRow("output for verify")
            << QStringList{QStringLiteral("verify"), file, QStringLiteral("--output"), file}
            << cli::texts::optionNotFor(QStringLiteral("--output"), QStringLiteral("verify"));
        QTest::newRow("output without value")
            << QStringList{QStringLiteral("set"), file, QStringLiteral("TurnInfo[0]=1"),
                           QStringLiteral("--output")}
            << QString();
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("info"), file, QStringLiteral("--frob")} << QString();
    }
    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run r = run(arguments);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.endsWith(cli::Usage()));
        if (!message.isEmpty()) {
            QCOMPARE(r.err, message + QLatin1Char('\n') + cli::Usage());
        }
    }

    void helpAndVersion() {
        const Run help = run({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QCOMPARE(help.out, cli::Usage());
        const Run version = run({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QVERIFY(version.out.startsWith(QStringLiteral("korvenedit-cli ")));
    }

    void verboseShowsProgressOnStderr() {
        const QString path = freshCopy(QStringLiteral("verbose.SAVE"));
        const Run quiet = run({QStringLiteral("info"), path});
        QCOMPARE(quiet.err, QString());
        const Run verbose = run({QStringLiteral("--verbose"), QStringLiteral("info"), path});
        QCOMPARE(verbose.status, 0);
        QVERIFY(verbose.err.startsWith(korven::texts::statusReadingTurns() + QLatin1Char('\n')));
        QVERIFY(verbose.err.endsWith(korven::texts::statusReadDone() + QLatin1Char('\n')));
        QCOMPARE(verbose.out, quiet.out);
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "test_cli_commands.moc"
