#include "platform/FileNames.h"
#include "platform/LockedFile.h"
#include "platform/PathAttributes.h"
#include "tests/support/Results.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace korven;
using namespace Qt::StringLiterals;

class TestFileNames : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("ascii") << QByteArray("SaveFile1.SAVE") << u"SaveFile1.SAVE"_s;
        QTest::newRow("japanese utf-8") << QByteArray("\xE3\x82\xBB\xE3\x83\xBC\xE3\x83\x96") << u"セーブ"_s;
        QTest::newRow("four-byte utf-8") << QByteArray("\xF0\x9F\x98\x80") << u"\U0001F600"_s;
        // Shift-JIS bytes, as a name copied from the game's own disk would carry.
        QTest::newRow("shift-jis") << QByteArray("\x83\x5A\x81\x5B\x83\x75.SAVE")
                                   << QStringLiteral("\xDC83Z\xDC81[\xDC83u.SAVE");
        QTest::newRow("lone byte 0xff") << QByteArray("a\xFF") << QStringLiteral("a\xDCFF");
        QTest::newRow("truncated sequence") << QByteArray("\xE3\x82") << QStringLiteral("\xDCE3\xDC82");
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << QStringLiteral("\xDCC0\xDCAF");
        QTest::newRow("encoded surrogate")
            << QByteArray("\xED\xB2\x80") << QStringLiteral("\xDCED\xDCB2\xDC80");
    }
    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, decoded);
        QCOMPARE(DecodeFileName(bytes), decoded);
        QCOMPARE(EncodeFileName(decoded), bytes);
    }

    void printableName() {
        QCOMPARE(PrintableFileName(DecodeFileName("a\xFF\x83.SAVE")), u"a__.SAVE"_s);
        QCOMPARE(PrintableFileName(u"セーブ.SAVE"_s), u"セーブ.SAVE"_s);
    }

    // A save with any name the system can hold opens, and its attributes are found.
    void unusualNameOpens() {
        QTemporaryDir dir;
#ifdef Q_OS_WIN
        // Windows names are UTF-16: characters outside the ANSI code page must survive.
        const QString path = dir.filePath(u"세이브\U0001F600.SAVE"_s);
        QFile created(path);
        QVERIFY(created.open(QIODevice::WriteOnly));
        QCOMPARE(created.write("KVSAVE"), qint64(6));
        created.close();
#else
        // Linux names are bytes: Shift-JIS ones, not valid UTF-8, must survive.
        const QByteArray raw = QFile::encodeName(dir.path()) + "/\x83Z\x81[\x83u1.SAVE";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "KVSAVE", 6), ssize_t(6));
        ::close(fd);
        const QString path = DecodeFileName(raw);
#endif
        const PathAttributes attributes = AttributesOf(path);
        QVERIFY(attributes.exists && !attributes.isFolder && attributes.hasWritePermission);
        auto file = korven::fixtures::orNull(LockedFile::open(path, LockMode::Normal));
        QVERIFY(file);
        QVERIFY(file->replaceContents("KVSAVE new"));
        QCOMPARE(file->readAll(100).value(), QByteArray("KVSAVE new"));
#ifndef Q_OS_WIN
        // QTemporaryDir cannot remove a name Qt cannot decode.
        QCOMPARE(::unlink(raw.constData()), 0);
#endif
    }

    void processArguments() {
#ifdef Q_OS_WIN
        // Taken from the wide command line, whatever argv holds.
        const char* argv[] = {"x", "y"};
        QCOMPARE(ProcessArguments(2, argv), QCoreApplication::arguments().mid(1));
#else
        const char* argv[] = {"korvenedit", " lead.SAVE", "\x83Z.SAVE", "\"quoted\".SAVE"};
        QCOMPARE(ProcessArguments(4, argv),
                 (QStringList{u" lead.SAVE"_s, QStringLiteral("\xDC83Z.SAVE"), u"\"quoted\".SAVE"_s}));
#endif
    }
};

QTEST_GUILESS_MAIN(TestFileNames)
#include "test_file_names.moc"
