#include "preferences/ModuleBFolder.h"
#include "tests/support/ScriptedUi.h"

#include <QTest>

using namespace korven;

class TestModuleBFolder : public QObject {
    Q_OBJECT
private slots:
    void trimAtNul_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no NUL") << QStringLiteral("/opt/valzon") << QStringLiteral("/opt/valzon");
        QTest::newRow("NUL padded") << QStringLiteral("/opt") + QString(4, QChar(u'\0'))
                                    << QStringLiteral("/opt");
        QTest::newRow("text after the NUL")
            << QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd") << QStringLiteral("ab");
        QTest::newRow("only NUL") << QString(1, QChar(u'\0')) << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void trimAtNul() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TrimAtNul(text), expected);
    }

    void browsesWithTheTitle() {
        fixtures::ScriptedUi ui;
        ui.folders.push_back(QStringLiteral("/opt/valzon") + QChar(u'\0'));
        QCOMPARE(BrowseForFolderPath(nullptr, QStringLiteral("ゲームのインストール先フォルダ")),
                 QDir::toNativeSeparators(QStringLiteral("/opt/valzon")));
        QCOMPARE(ui.folderTitles, QStringList{QStringLiteral("ゲームのインストール先フォルダ")});
    }

    void cancelGivesEmpty() {
        fixtures::ScriptedUi ui;
        ui.folders.push_back(std::nullopt);
        QVERIFY(BrowseForFolderPath(nullptr, QStringLiteral("t")).isEmpty());
    }
};

QTEST_MAIN(TestModuleBFolder)
#include "test_module_bfolder.moc"
