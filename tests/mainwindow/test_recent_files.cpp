#include "mainwindow/DroppedFile.h"
#include "mainwindow/RecentFiles.h"
#include "platform/SettingsStore.h"
#include "tests/support/IsolatedSettings.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace korven;
using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

class TestRecentFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    // As the menu shows them: absolute, with the system's separators.
    QString path(const QString& name) const { return QDir::toNativeSeparators(m_dir->filePath(name)); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        korven::fixtures::IsolateSettings(m_dir->filePath(u"config"_s));
    }

    void newestFirstOnceAndAtMostEight() {
        RecentFiles recent;
        for (int i = 1; i <= 10; ++i) {
            recent.add(path(u"SaveFile%1.SAVE"_s.arg(i)));
        }
        QCOMPARE(recent.paths().size(), 8);
        QCOMPARE(recent.paths().first(), path(u"SaveFile10.SAVE"_s));
        QCOMPARE(recent.paths().last(), path(u"SaveFile3.SAVE"_s));
        // Opening one again moves it to the top instead of listing it twice.
        recent.add(m_dir->path() + u"/sub/../SaveFile5.SAVE"_s);
        QCOMPARE(recent.paths().size(), 8);
        QCOMPARE(recent.paths().first(), path(u"SaveFile5.SAVE"_s));
        QCOMPARE(recent.paths().count(path(u"SaveFile5.SAVE"_s)), 1);
        recent.remove(path(u"SaveFile10.SAVE"_s));
        QCOMPARE(recent.paths().size(), 7);
        QVERIFY(!recent.paths().contains(path(u"SaveFile10.SAVE"_s)));
    }

    void keptUnderTheirOwnKeysAcrossRestarts() {
        {
            SettingsStore settings;
            settings.setText(u"Option"_s, u"GamePath"_s, u"/games/"_s);
            RecentFiles recent;
            recent.add(path(u"a.SAVE"_s));
            recent.add(path(u"b.SAVE"_s));
            recent.write(settings);
        }
        SettingsStore settings;
        const RecentFiles read = RecentFiles::Read(settings);
        QCOMPARE(read.paths(), (QStringList{path(u"b.SAVE"_s), path(u"a.SAVE"_s)}));
        QCOMPARE(settings.text(u"RecentFiles"_s, u"File1"_s), path(u"b.SAVE"_s));
        QCOMPARE(settings.text(u"RecentFiles"_s, u"File2"_s), path(u"a.SAVE"_s));
        QCOMPARE(settings.text(u"Option"_s, u"GamePath"_s), u"/games/"_s);

        // A shorter list leaves no stale entries behind.
        RecentFiles shorter = read;
        shorter.remove(path(u"a.SAVE"_s));
        shorter.write(settings);
        QCOMPARE(RecentFiles::Read(settings).paths(), QStringList{path(u"b.SAVE"_s)});

        // The same list again writes nothing; a changed one is written at once.
        QVERIFY(QFile::remove(settings.location()));
        shorter.write(settings);
        QVERIFY(!QFile::exists(settings.location()));
        shorter.add(path(u"c.SAVE"_s));
        shorter.write(settings);
        QVERIFY(QFile::exists(settings.location()));
        QCOMPARE(SettingsStore().text(u"RecentFiles"_s, u"File1"_s), path(u"c.SAVE"_s));
    }

    void openDialogFolder() {
        RecentFiles recent;
        QCOMPARE(recent.lastFolder(), QString());
        QVERIFY(QDir(m_dir->path()).mkdir(u"saves"_s));
        recent.add(path(u"saves/SaveFile1.SAVE"_s));
        QCOMPARE(recent.lastFolder(), m_dir->filePath(u"saves"_s));  // for the file dialog, Qt's form
        recent.add(path(u"gone/SaveFile1.SAVE"_s));
        QCOMPARE(recent.lastFolder(), QString());
    }

    void droppedFile_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QUrl save = QUrl::fromLocalFile(u"/saves/SaveFile1.SAVE"_s);
        QTest::newRow("one local file") << QList<QUrl>{save} << QString() << u"/saves/SaveFile1.SAVE"_s;
        QTest::newRow("two files") << QList<QUrl>{save, QUrl::fromLocalFile(u"/saves/SaveFile2.SAVE"_s)}
                                   << QString() << QString();
        QTest::newRow("web address") << QList<QUrl>{QUrl(u"https://example.org/SaveFile1.SAVE"_s)}
                                     << QString() << QString();
        QTest::newRow("plain text") << QList<QUrl>{} << u"/saves/SaveFile1.SAVE"_s << QString();
    }
    void droppedFile() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QMimeData data;
        if (!urls.isEmpty()) {
            data.setUrls(urls);
        }
        if (!text.isEmpty()) {
            data.setText(text);
        }
        QCOMPARE(DroppedFile(data).value_or(QString()), expected);
    }
};

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "test_recent_files.moc"
