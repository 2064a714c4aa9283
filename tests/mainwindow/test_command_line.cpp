#include "mainwindow/CommandLine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven::mainwindow;

Q_DECLARE_METATYPE(PathKind)

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void path_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/saves/SaveFile1.SAVE"
                               << "/saves/SaveFile1.SAVE";
        QTest::newRow("spaces trimmed") << "   /saves/a b.SAVE  "
                                        << "/saves/a b.SAVE";
        QTest::newRow("quoted") << "\"/saves/a b.SAVE\""
                                << "/saves/a b.SAVE";
        QTest::newRow("quoted after spaces") << "  \"/x.SAVE\" "
                                             << "/x.SAVE";
        QTest::newRow("open quote drops the last character") << "\"/x.SAVE"
                                                             << "/x.SAV";
        QTest::newRow("tabs are not spaces") << "\t/x.SAVE"
                                             << "\t/x.SAVE";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only spaces") << "   "
                                     << "";
    }
    void path() {
        QFETCH(QString, line);
        QTEST(CommandLinePath(line), "path");
    }

    void examine() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("SaveFile1.SAVE"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(ExaminePath(dir.path()).kind, PathKind::Folder);
        QCOMPARE(ExaminePath(dir.filePath(QStringLiteral("missing.SAVE"))).kind, PathKind::Missing);
        QCOMPARE(ExaminePath(QString()).kind, PathKind::Missing);
        CommandLineTarget target = ExaminePath(file);
        QCOMPARE(target.kind, PathKind::File);
        QVERIFY(!target.readOnly);
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        target = ExaminePath(file);
        QCOMPARE(target.kind, PathKind::File);
        QVERIFY(target.readOnly);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
