#include "cli/CliTexts.h"
#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "tests/cli/CliFixtures.h"
#include "tests/cli/RunInProcess.h"

#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using namespace korven::cli;

namespace {

using Run = fixtures::CliRun;

Run run(const QStringList& arguments) {
    return fixtures::runCli(arguments);
}

// A command line as a shell splits it: words, single quotes, and a redirection that ends it.
QStringList shellWords(const QString& line) {
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : line) {
        if (c == u'\'') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c == u'>') {
            break;
        } else if (!quoted && c == u' ') {
            if (inWord) {
                words.append(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.append(word);
    }
    return words;
}

}  // namespace

// The help a user asks for, and whether it tells the truth about what the tool accepts.
class TestCliHelp : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void commandHelp_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("firstLine");
        const QString set = QStringLiteral(
            "使い方 (usage): korvenedit-cli set FILE PATH=VALUE... [--check] [--force] [--output NEW]");
        const QString info = QStringLiteral("使い方 (usage): korvenedit-cli info FILE");
        const QString general = QStringLiteral("使い方 (usage):");
        const QString file = QStringLiteral("x.SAVE");
        QTest::newRow("help set") << QStringList{QStringLiteral("help"), QStringLiteral("set")} << set;
        QTest::newRow("set --help") << QStringList{QStringLiteral("set"), QStringLiteral("--help")} << set;
        QTest::newRow("set -h after its arguments")
            << QStringList{QStringLiteral("set"), file, QStringLiteral("TurnInfo[0]=1"), QStringLiteral("-h")}
            << set;
        QTest::newRow("help info") << QStringList{QStringLiteral("help"), QStringLiteral("info")} << info;
        QTest::newRow("info --help") << QStringList{QStringLiteral("info"), file, QStringLiteral("--help")}
                                     << info;
        QTest::newRow("help alone") << QStringList{QStringLiteral("help")} << general;
        QTest::newRow("--help alone") << QStringList{QStringLiteral("--help")} << general;
        QTest::newRow("help help") << QStringList{QStringLiteral("help"), QStringLiteral("help")}
                                   << QStringLiteral("使い方 (usage): korvenedit-cli help [COMMAND]");
    }
    void commandHelp() {
        QFETCH(QStringList, arguments);
        const Run r = run(arguments);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        QTEST(r.out.section(u'\n', 0, 0), "firstLine");
    }

    // Asking for help never runs the command.
    void helpWritesNothing() {
        const QString path = m_dir.filePath(QStringLiteral("untouched.SAVE"));
        const QByteArray contents("not even a save");
        fixtures::writeFile(QDir(m_dir.path()), QStringLiteral("untouched.SAVE"), contents);
        const Run r =
            run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=1"), QStringLiteral("--help")});
        QCOMPARE(r.status, 0);
        QCOMPARE(fixtures::readFile(path), contents);
    }

    void helpForAnUnknownCommandIsAUsageError() {
        const Run r = run({QStringLiteral("help"), QStringLiteral("frob")});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.startsWith(texts::unknownCommand(QStringLiteral("frob")) + u'\n'));
    }

    void setExplainsAssignmentsWithExamples() {
        const QString text = run({QStringLiteral("help"), QStringLiteral("set")}).out;
        QVERIFY(
            text.contains(QStringLiteral("\n例 (examples):\n  korvenedit-cli set SaveFile1.SAVE "
                                         "'ShipClass[12].Perf[1]=30'\n")));
        QVERIFY(text.contains(QStringLiteral("  -o, --output NEW  ")));
    }

    // The examples a user copies from the help work as shown.
    void examplesRun() {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        const QDir dir(m_dir.path());
        fixtures::writeFile(dir, QStringLiteral("SaveFile1.SAVE"), fixtures::SaveImageBuilder().build());
        fixtures::writeFile(dir, QStringLiteral("edits.txt"), "# turn\nTurnInfo[0]=12\n");
        fixtures::writeFile(dir, QStringLiteral("edits.json"),
                            R"({"ShipClass": {"12": {"Perf": [null, 31]}}})");
        for (const CommandHelp& command : Commands()) {
            for (const QString& example : command.examples) {
                QStringList words = shellWords(example);
                QCOMPARE(words.takeFirst(), QStringLiteral("korvenedit-cli"));
                const Run r = run(words);
                // diff's example compares the demo with the copy set's example changed; check finds
                // the fuel set's example gave ships beyond their class's, until --fix repairs it.
                const int expected = command.name == u"diff" ? 1 : 0;
                const bool checked = command.name == u"check" && (r.status == 0 || r.status == 1);
                QVERIFY2(r.status == expected || checked, qPrintable(example + u'\n' + r.err));
            }
        }
        QDir::setCurrent(previous);
    }

    // Which command takes which option, written down here rather than read from the tool's
    // table: the tool must refuse the others, and each command's help must list exactly these.
    void optionsPerCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("accepted");
        const QStringList limited = {QStringLiteral("output"),   QStringLiteral("check"),
                                     QStringLiteral("force"),    QStringLiteral("json"),
                                     QStringLiteral("markdown"), QStringLiteral("fix")};
        const QMap<QString, QStringList> takes = {
            {QStringLiteral("info"), {}},
            {QStringLiteral("dump"), {}},
            {QStringLiteral("verify"), {}},
            {QStringLiteral("set"),
             {QStringLiteral("output"), QStringLiteral("check"), QStringLiteral("force")}},
            {QStringLiteral("apply"),
             {QStringLiteral("output"), QStringLiteral("check"), QStringLiteral("force")}},
            {QStringLiteral("diff"), {QStringLiteral("json")}},
            {QStringLiteral("check"),
             {QStringLiteral("json"), QStringLiteral("fix"), QStringLiteral("output"),
              QStringLiteral("force")}},
            {QStringLiteral("fields"), {QStringLiteral("markdown"), QStringLiteral("json")}},
        };
        for (auto it = takes.begin(); it != takes.end(); ++it) {
            for (const QString& option : limited) {
                QTest::addRow("%s --%s", qPrintable(it.key()), qPrintable(option))
                    << it.key() << option << it.value().contains(option);
            }
        }
    }
    void optionsPerCommand() {
        QFETCH(QString, command);
        QFETCH(QString, option);
        QFETCH(bool, accepted);
        const QString missing = m_dir.filePath(QStringLiteral("missing.SAVE"));
        QStringList arguments{command, missing, missing, QStringLiteral("--") + option};
        if (option == u"output") {
            arguments << missing;
        }
        const Run r = run(arguments);
        const bool refused = r.err.startsWith(texts::optionNotFor(QStringLiteral("--") + option, command));
        QCOMPARE(refused, !accepted);
        const Run help = run({QStringLiteral("help"), command});
        QCOMPARE(help.out.contains(QStringLiteral("--") + option + u' '), accepted);
        QVERIFY(Usage().contains(QStringLiteral("  korvenedit-cli ") + command + u' '));
    }
};

QTEST_GUILESS_MAIN(TestCliHelp)
#include "test_cli_help.moc"
