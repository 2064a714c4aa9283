#include "model/ModelTexts.h"
#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/LongPaths.h"
#include "platform/PathAttributes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using namespace Qt::StringLiterals;

namespace {

// A folder under `base` whose path is at least `length` characters, made of 50-character names.
QString deepFolder(const QString& base, qsizetype length) {
    QString path = base;
    for (int i = 0; path.size() < length; ++i) {
        path += u'/' + QString(49, QChar(u'a' + i % 26)) + QString::number(i % 10);
    }
    return QDir().mkpath(path) ? path : QString();
}

}  // namespace

class TestLongPaths : public QObject {
    Q_OBJECT
private slots:
    void forms_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const QString longName = QString(240, u'x');
        QTest::newRow("short, as it was") << u"C:/Games/SaveFile1.SAVE"_s << u"C:\\Games\\SaveFile1.SAVE"_s;
        QTest::newRow("long drive path") << u"C:/Games/"_s + longName + u"/SaveFile1.SAVE"_s
                                         << u"\\\\?\\C:\\Games\\"_s + longName + u"\\SaveFile1.SAVE"_s;
        QTest::newRow("backslashes") << u"D:\\g\\"_s + longName + u"\\S.SAVE"_s
                                     << u"\\\\?\\D:\\g\\"_s + longName + u"\\S.SAVE"_s;
        QTest::newRow("dots cleaned, never above the root")
            << u"C:/a/./b/../"_s + longName + u"//../../../x/S.SAVE"_s << u"\\\\?\\C:\\x\\S.SAVE"_s;
        QTest::newRow("network share") << u"//server/share/"_s + longName + u"/S.SAVE"_s
                                       << u"\\\\?\\UNC\\server\\share\\"_s + longName + u"\\S.SAVE"_s;
        const QString prefixed = u"\\\\?\\C:\\"_s + longName + u"\\.\\S.SAVE"_s;
        QTest::newRow("already prefixed, untouched") << prefixed << prefixed;
        QTest::newRow("device") << u"//./pipe/"_s + longName << u"\\\\.\\pipe\\"_s + longName;
        QTest::newRow("relative stays relative")
            << u"a/"_s + longName + longName << u"a\\"_s + longName + longName;
        QTest::newRow("just under the limit")
            << u"C:/"_s + QString(244, u'y') << u"C:\\"_s + QString(244, u'y');
        QTest::newRow("at the limit")
            << u"C:/"_s + QString(245, u'y') << u"\\\\?\\C:\\"_s + QString(245, u'y');
    }
    void forms() {
        QFETCH(QString, path);
        QTEST(ExtendedLengthPath(path), "expected");
    }

    // A save in a folder past 260 characters opens, saves, and is backed up, and its backup
    // folder may be as deep.
    void saveDeepInFoldersWorks() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = deepFolder(dir.path(), 300);
        QVERIFY(!folder.isEmpty());
        const QString save = folder + u"/SaveFile1.SAVE"_s;
        QVERIFY(save.size() > 300);
        QVERIFY(LockedFile::create(save, "first").ok());
        QVERIFY(AttributesOf(save).exists);
        QVERIFY(IdentityOf(save).has_value());

        auto opened = LockedFile::open(save, LockMode::Normal);
        QVERIFY(opened.ok());
        QVERIFY((*opened)->replaceContents("second").ok());
        QCOMPARE((*opened)->readAll(100).value(), QByteArray("second"));
        opened->reset();
        QFile file(save);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("second"));

        const BackupStore store(deepFolder(dir.path() + u"/backups"_s, 280));
        const BackupStore::Outcome backup = store.backUp(save, "second");
        QVERIFY(backup.ok());
        QCOMPARE(store.backupsOf(save), QStringList{backup->path});
    }

#ifndef Q_OS_WIN
    // Past the system's limit for one name: said so, not "unexpected error".
    void tooLongANameIsSaidSo() {
        QTemporaryDir dir;
        const auto opened = LockedFile::open(dir.filePath(QString(300, u'n')), LockMode::Normal);
        QVERIFY(!opened.ok());
        QCOMPARE(opened.error().problem, FileProblem::PathTooLong);
        QVERIFY(korven::texts::reasonLine(opened.error()).contains(u"長すぎます"_s));
    }
#endif
};

QTEST_GUILESS_MAIN(TestLongPaths)
#include "test_long_paths.moc"
