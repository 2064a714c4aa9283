#include "mainwindow/EditState.h"
#include "mainwindow/FileFilter.h"
#include "mainwindow/MainWindowTexts.h"
#include "model/ModelTexts.h"

#include <QDir>
#include <QTest>

using namespace korven::mainwindow;

// The edit-state texts and the dialog filter, the two small text rules of the file commands.
class TestEditState : public QObject {
    Q_OBJECT
private slots:
    void texts_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label1");
        QTest::addColumn<QString>("label2");
        QTest::newRow("unchanged") << false << false << "KorvenEdit - /s/SaveFile1.SAVE [未編集]"
                                   << "/s/SaveFile1.SAVE"
                                   << "未編集";
        QTest::newRow("changed") << false << true << "KorvenEdit - /s/SaveFile1.SAVE [編集済み]"
                                 << "/s/SaveFile1.SAVE"
                                 << "編集済み";
        QTest::newRow("read-only") << true << false
                                   << "KorvenEdit - /s/SaveFile1.SAVE（読み取り専用） [未編集]"
                                   << "/s/SaveFile1.SAVE(読み取り専用）"
                                   << "未編集";
        QTest::newRow("read-only changed")
            << true << true << "KorvenEdit - /s/SaveFile1.SAVE（読み取り専用） [編集済み]"
            << "/s/SaveFile1.SAVE(読み取り専用）"
            << "編集済み";
    }
    void texts() {
        QFETCH(bool, readOnly);
        QFETCH(bool, changed);
        const EditStateTexts state = EditStateFor(QStringLiteral("/s/SaveFile1.SAVE"), readOnly, changed);
        QFETCH(QString, caption);
        QCOMPARE(state.caption, caption.replace(u'/', QDir::separator()));
        QFETCH(QString, label1);
        QCOMPARE(state.label1, label1.replace(u'/', QDir::separator()));
        QTEST(state.label2, "label2");
        QCOMPARE(NoFileCaption(), QStringLiteral("KorvenEdit"));
    }

    // Paths are shown to the player in the system's own form.
    void pathsInTheSystemsForm() {
#ifdef Q_OS_WIN
        const QString shown = QStringLiteral("C:\\ゲーム\\SaveFile1.SAVE");
#else
        const QString shown = QStringLiteral("C:/ゲーム/SaveFile1.SAVE");
#endif
        const QString path = QStringLiteral("C:/ゲーム/SaveFile1.SAVE");
        QCOMPARE(EditStateFor(path, false, false).label1, shown);
        QVERIFY(texts::saveQuestion(path).endsWith(shown));
        QVERIFY(texts::backupsOf(path).startsWith(shown));
        QVERIFY(korven::texts::backupMade(path).endsWith(shown));
        QVERIFY(korven::texts::changedOnDisk(path).endsWith(shown));
    }

    void dialogFilter() {
        QCOMPARE(DialogFilter(QStringLiteral(
                     "ヴァルゾンセーブファイル(SaveFile*.SAVE)|SaveFile*.SAVE|全てのファイル(*.*)|*.*")),
                 QStringLiteral("ヴァルゾンセーブファイル(SaveFile*.SAVE) (SaveFile*.SAVE);;"
                                "全てのファイル(*.*) (*)"));
        QCOMPARE(DialogFilter(QStringLiteral("Saves|*.SAVE;*.BAK")), QStringLiteral("Saves (*.SAVE *.BAK)"));
    }
};

QTEST_GUILESS_MAIN(TestEditState)
#include "test_edit_state.moc"
