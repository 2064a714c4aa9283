#include "app/StartupOptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <initializer_list>

using namespace korven::startup;

Q_DECLARE_METATYPE(StartupAction)

namespace {

QStringList args(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list.append(QString::fromUtf8(text));
    }
    return list;
}

}  // namespace

class TestStartupOptions : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<StartupAction>("action");
        QTest::addColumn<QStringList>("pathArguments");
        QTest::addColumn<QString>("unknownOption");
        const auto open = StartupAction::OpenWindow;
        const QStringList none;
        QTest::newRow("nothing") << none << open << none << QString();
        QTest::newRow("one path") << args({"/s/SaveFile1.SAVE"}) << open << args({"/s/SaveFile1.SAVE"})
                                  << QString();
        QTest::newRow("unquoted path with spaces stays whole")
            << args({"/s/My", "-file.SAVE"}) << open << args({"/s/My", "-file.SAVE"}) << QString();
        QTest::newRow("help after a path is part of the path")
            << args({"a.SAVE", "--help"}) << open << args({"a.SAVE", "--help"}) << QString();
        QTest::newRow("quoted path starting with a dash")
            << args({"\"-x.SAVE\""}) << open << args({"\"-x.SAVE\""}) << QString();
        QTest::newRow("lone dash is a path") << args({"-"}) << open << args({"-"}) << QString();
        QTest::newRow("double dash ends options")
            << args({"--", "-x.SAVE"}) << open << args({"-x.SAVE"}) << QString();
        QTest::newRow("double dash keeps the rest")
            << args({"--", "--help", "b"}) << open << args({"--help", "b"}) << QString();
        QTest::newRow("double dash alone") << args({"--"}) << open << none << QString();
        QTest::newRow("-h") << args({"-h"}) << StartupAction::ShowHelp << none << QString();
        QTest::newRow("--help") << args({"--help", "x"}) << StartupAction::ShowHelp << none << QString();
        QTest::newRow("--version") << args({"--version"}) << StartupAction::ShowVersion << none << QString();
        QTest::newRow("unknown long")
            << args({"--verbose"}) << StartupAction::UsageError << none << QStringLiteral("--verbose");
        QTest::newRow("unknown short")
            << args({"-x.SAVE", "y"}) << StartupAction::UsageError << none << QStringLiteral("-x.SAVE");
        QTest::newRow("help with a value is unknown")
            << args({"--help=1"}) << StartupAction::UsageError << none << QStringLiteral("--help=1");
        QTest::newRow("case matters")
            << args({"--VERSION"}) << StartupAction::UsageError << none << QStringLiteral("--VERSION");
    }
    void parse() {
        QFETCH(QStringList, arguments);
        const StartupOptions options = ParseStartupOptions(arguments);
        QTEST(options.action, "action");
        QTEST(options.pathArguments, "pathArguments");
        QTEST(options.unknownOption, "unknownOption");
    }

    void unknownOptionThatNamesAFileSaysHowToOpenIt() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QFile file(QStringLiteral("-odd.SAVE"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString hinted = unknownOptionMessage(QStringLiteral("-odd.SAVE"));
        const QString plain = unknownOptionMessage(QStringLiteral("-other.SAVE"));
        QDir::setCurrent(previous);
        QVERIFY(hinted.contains(QStringLiteral("./-odd.SAVE")));
        QVERIFY(hinted.contains(QStringLiteral("-- -odd.SAVE")));
        QVERIFY(plain.startsWith(QStringLiteral("不明なオプションです: -other.SAVE")));
        QCOMPARE(plain.count(u'\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestStartupOptions)
#include "test_startup_options.moc"
