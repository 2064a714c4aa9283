#include "preferences/GamePathRules.h"

#include <QTest>

using namespace korven;

class TestGamePathRules : public QObject {
    Q_OBJECT
private slots:
    void oneTrailingSeparator_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("expected");
        const QChar slash(u'/');
        const QChar backslash(u'\\');
        QTest::newRow("empty stays empty") << QString() << slash << QString();
        QTest::newRow("folder") << QStringLiteral("/opt/valzon") << slash << QStringLiteral("/opt/valzon/");
        QTest::newRow("already ends in one")
            << QStringLiteral("/opt/valzon/") << slash << QStringLiteral("/opt/valzon/");
        QTest::newRow("root") << QStringLiteral("/") << slash << QStringLiteral("/");
        // On a system whose separator is "/", a backslash is part of a name.
        QTest::newRow("backslash is a name character")
            << QStringLiteral("/opt/a\\") << slash << QStringLiteral("/opt/a\\/");
        QTest::newRow("windows folder")
            << QStringLiteral("C:\\Games\\Valzon") << backslash << QStringLiteral("C:\\Games\\Valzon\\");
        QTest::newRow("windows drive root") << QStringLiteral("C:\\") << backslash << QStringLiteral("C:\\");
        QTest::newRow("windows path in Qt's form")
            << QStringLiteral("C:/Games/") << backslash << QStringLiteral("C:/Games/");
    }
    void oneTrailingSeparator() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        QCOMPARE(WithTrailingSeparator(path, separator), expected);
        QCOMPARE(WithTrailingSeparator(expected, separator), expected);
        QCOMPARE(EndsWithSeparator(expected, separator), !expected.isEmpty());
    }

    void defaultsToThePlatformSeparator() {
        QCOMPARE(WithTrailingSeparator(QStringLiteral("games")), QStringLiteral("games") + QDir::separator());
    }
};

QTEST_GUILESS_MAIN(TestGamePathRules)
#include "test_game_path_rules.moc"
