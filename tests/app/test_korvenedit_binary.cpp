#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

}  // namespace

// The editor's command line as a shell runs it: what answers on the terminal starts no window.
class TestKorveneditBinary : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        // Otherwise Qt warns about it on stderr, which the tests read.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        return env;
    }

    Run run(const QStringList& arguments, const QProcessEnvironment& env) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KORVEN_EDITOR_BINARY), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
            process.kill();
            qFatal("korvenedit did not finish");
        }
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    bool settingsWritten() const {
        return QFileInfo::exists(m_home.filePath(QStringLiteral("config/KorvenEdit/KorvenEdit.ini")));
    }

private slots:
    void initTestCase() { QVERIFY(m_home.isValid()); }

    void answersOnTheTerminal_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("withoutDisplay");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");  // a pattern
        QTest::addColumn<QString>("err");  // a pattern
        const QString usage =
            QStringLiteral("^使い方 \\(usage\\):\\n  korvenedit \\[FILE\\]\\n[\\s\\S]*--version");
        const QString version = QStringLiteral("^korvenedit \\d+\\.\\d+\\.\\d+\\n$");
        const QString nothing = QStringLiteral("^$");
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << false << 0 << usage << nothing;
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << false << 0 << usage << nothing;
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << false << 0 << version
                                   << nothing;
        QTest::newRow("--help without a display")
            << QStringList{QStringLiteral("--help")} << true << 0 << usage << nothing;
        QTest::newRow("--version without a display")
            << QStringList{QStringLiteral("--version")} << true << 0 << version << nothing;
        QTest::newRow("after Qt's own option")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen"),
                           QStringLiteral("--version")}
            << false << 0 << version << nothing;
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--bogus"), QStringLiteral("x.SAVE")} << false << 2 << nothing
            << QStringLiteral("^不明なオプションです: --bogus \\(unknown option\\)\\n使い方 \\(usage\\):");
    }
    void answersOnTheTerminal() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, withoutDisplay);
        QProcessEnvironment env = environment();
        if (withoutDisplay) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        }
        const Run r = run(arguments, env);
        QTEST(r.status, "status");
        QFETCH(QString, out);
        QFETCH(QString, err);
        QVERIFY2(QRegularExpression(out).match(r.out).hasMatch(), qPrintable(r.out));
        QVERIFY2(QRegularExpression(err).match(r.err).hasMatch(), qPrintable(r.err));
        QVERIFY(!settingsWritten());
    }

    // Qt's own options still reach Qt, and the window starts with what remains.
    void qtOptionsStillStartTheWindow() {
        QProcessEnvironment env = environment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const QString picture = m_home.filePath(QStringLiteral("window.png"));
        env.insert(QStringLiteral("KORVENEDIT_GRAB"), picture);
        const Run r = run({QStringLiteral("-platform"), QStringLiteral("offscreen")}, env);
        QCOMPARE(r.status, 0);
        QVERIFY(QFileInfo::exists(picture));
    }
};

QTEST_GUILESS_MAIN(TestKorveneditBinary)
#include "test_korvenedit_binary.moc"
