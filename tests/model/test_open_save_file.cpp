#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;
using korven::LockedFile;
using korven::LockMode;
using korven::MessageIcon;
using korven::OpenOutcome;

Q_DECLARE_METATYPE(korven::OpenOutcome)
Q_DECLARE_METATYPE(korven::MessageIcon)

class TestOpenSaveFile : public QObject {
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void wholeFileLoaded_data();
    void wholeFileLoaded();
    void normalOpenLocksOthersOut();
    void readOnlyOpenLetsOthersRead();
    void fileInUseIsRefused();
    void readOnlyOnDisk();
};

namespace {

struct Attempt {
    korven::OpenedSaveFile opened;
    std::unique_ptr<korven::SaveFile> model = std::make_unique<korven::SaveFile>();
    korven::fixtures::RecordingStatus status;
    korven::fixtures::RecordingMessages messages;
};

std::unique_ptr<Attempt> attempt(const QString& path, LockMode mode) {
    auto a = std::make_unique<Attempt>();
    a->opened = korven::OpenSaveFile(path, mode, *a->model, a->status, a->messages);
    return a;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

}  // namespace

void TestOpenSaveFile::refused_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<OpenOutcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MessageIcon>("icon");

    const QString cannotOpen =
        u"ファイルがオープンできませんでした。\r\n"
        u"指定されたファイルは他のアプリケーションで使われている可能性があります。"_s;
    const QString notASave = u"ヴァルゾンのセーブデータファイルではありません。"_s;
    QByteArray wrongMagic = korven::fixtures::SaveImageBuilder().build();
    wrongMagic[5] = 'F';

    // The system's text stays as it is; the second line says why.
    QTest::newRow("missing file") << u"missing"_s << QByteArray() << OpenOutcome::CannotOpen
                                  << cannotOpen + u"\r\n原因: ファイルまたはフォルダが見つかりません。"_s
                                  << MessageIcon::Error;
    const QString notAFile =
        cannotOpen + u"\r\n原因: フォルダまたはデバイスで、通常のファイルではありません。"_s;
    QTest::newRow("a folder") << u"folder"_s << QByteArray() << OpenOutcome::CannotOpen << notAFile
                              << MessageIcon::Error;
#ifndef Q_OS_WIN  // Windows has no pipes in folders
    QTest::newRow("a pipe") << u"pipe"_s << QByteArray() << OpenOutcome::CannotOpen << notAFile
                            << MessageIcon::Error;
#endif
    // Sparse files: the size is real, the disk space is not. A huge file of another kind is
    // refused by its magic before anything else is read.
    QTest::newRow("10 GB, not a save") << u"sparse"_s << QByteArray("PK\3\4") << OpenOutcome::NotASaveFile
                                       << notASave << MessageIcon::Exclamation;
    QTest::newRow("10 GB with the magic")
        << u"sparse"_s << QByteArray("KVSAVE") << OpenOutcome::CannotOpen
        << cannotOpen + u"\r\n原因: ファイルが大きすぎます（読み込めるのは 256 MB までです）。"_s
        << MessageIcon::Error;
    QTest::newRow("empty file") << u"file"_s << QByteArray() << OpenOutcome::NotASaveFile << notASave
                                << MessageIcon::Exclamation;
    QTest::newRow("3-byte file") << u"file"_s << QByteArray("KVS") << OpenOutcome::NotASaveFile << notASave
                                 << MessageIcon::Exclamation;
    QTest::newRow("wrong magic") << u"file"_s << wrongMagic << OpenOutcome::NotASaveFile << notASave
                                 << MessageIcon::Exclamation;
    QTest::newRow("lower-case magic") << u"file"_s << QByteArray("kvsave") + QByteArray(90000, '\0')
                                      << OpenOutcome::NotASaveFile << notASave << MessageIcon::Exclamation;
    QTest::newRow("magic only") << u"file"_s << QByteArray("KVSAVE") << OpenOutcome::LoadFailed
                                << u"データ取得エラー"_s << MessageIcon::None;
}

void TestOpenSaveFile::refused() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, contents);
    QFETCH(OpenOutcome, outcome);
    QFETCH(QString, message);
    QFETCH(MessageIcon, icon);

    QTemporaryDir dir;
    QString path = dir.filePath(u"SaveFile1.SAVE"_s);
    if (kind == u"folder"_s) {
        QVERIFY(QDir().mkdir(path));
#ifndef Q_OS_WIN
    } else if (kind == u"pipe"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
#endif
    } else if (kind == u"file"_s || kind == u"sparse"_s) {
        writeFile(path, contents);
    }
    if (kind == u"sparse"_s) {
        QVERIFY(QFile::resize(path, qint64(10) << 30));
    }
    for (const LockMode mode : {LockMode::Normal, LockMode::ReadOnly}) {
        const auto a = attempt(path, mode);
        QCOMPARE(a->opened.outcome, outcome);
        QVERIFY(!a->opened.handle);
        QCOMPARE(a->messages.shown.size(), std::size_t(1));
        QCOMPARE(a->messages.shown.front().text, message);
        QCOMPARE(a->messages.shown.front().icon, icon);
        QCOMPARE(a->messages.shown.front().buttons, korven::MessageButtons::Ok);
        // Nothing stays open: the file can be opened for writing at once.
        if (kind == u"file"_s || kind == u"sparse"_s) {
            QVERIFY(LockedFile::open(path, LockMode::Normal));
        }
    }
}

void TestOpenSaveFile::wholeFileLoaded_data() {
    QTest::addColumn<qint64>("fileSize");
    // Small files are read in one go and larger ones after their magic; both end up whole.
    QTest::newRow("demo size") << qint64(90200);
    QTest::newRow("1 MiB") << (qint64(1) << 20);
    QTest::newRow("1 MiB and a byte") << (qint64(1) << 20) + 1;
    QTest::newRow("3 MiB") << (qint64(3) << 20);
}

void TestOpenSaveFile::wholeFileLoaded() {
    QFETCH(qint64, fileSize);
    korven::fixtures::SaveImageOptions options;
    options.trailingBytes = fileSize - korven::fixtures::SaveImageBuilder().endOfBlocks();
    const QByteArray contents = korven::fixtures::SaveImageBuilder(options).build();
    QCOMPARE(contents.size(), fileSize);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SaveFile1.SAVE"_s);
    writeFile(path, contents);
    for (const LockMode mode : {LockMode::Normal, LockMode::ReadOnly}) {
        const auto a = attempt(path, mode);
        QCOMPARE(a->opened.outcome, OpenOutcome::Opened);
        QVERIFY(a->messages.shown.empty());
        QVERIFY(a->model->image == contents);
    }
}

void TestOpenSaveFile::normalOpenLocksOthersOut() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SaveFile1.SAVE"_s);
    const QByteArray image = korven::fixtures::SaveImageBuilder().build();
    writeFile(path, image);

    auto a = attempt(path, LockMode::Normal);
    QCOMPARE(a->opened.outcome, OpenOutcome::Opened);
    QVERIFY(a->opened.handle);
    QCOMPARE(a->opened.handle->mode(), LockMode::Normal);
    QVERIFY(a->messages.shown.empty());
    QCOMPARE(a->status.texts.last(), u"読み込み完了"_s);
    QCOMPARE(a->model->image, image);
    QVERIFY(!LockedFile::open(path, LockMode::Normal));
    QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
    a->opened.handle.reset();
    QVERIFY(LockedFile::open(path, LockMode::Normal));
}

void TestOpenSaveFile::readOnlyOpenLetsOthersRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SaveFile1.SAVE"_s);
    writeFile(path, korven::fixtures::SaveImageBuilder().build());
    const auto a = attempt(path, LockMode::ReadOnly);
    QCOMPARE(a->opened.outcome, OpenOutcome::Opened);
    QCOMPARE(a->opened.handle->mode(), LockMode::ReadOnly);
    QVERIFY(LockedFile::open(path, LockMode::ReadOnly));
    QVERIFY(!LockedFile::open(path, LockMode::Normal));
}

void TestOpenSaveFile::fileInUseIsRefused() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SaveFile1.SAVE"_s);
    writeFile(path, korven::fixtures::SaveImageBuilder().build());
    const auto other = LockedFile::open(path, LockMode::ReadOnly);
    QVERIFY(other);
    const auto a = attempt(path, LockMode::Normal);
    QCOMPARE(a->opened.outcome, OpenOutcome::CannotOpen);
    QCOMPARE(a->messages.texts(), QStringList{korven::texts::cannotOpen() +
                                              u"\r\n原因: ほかのプログラムがファイルをロックしています。"_s});
    QVERIFY(a->status.texts.isEmpty());
}

void TestOpenSaveFile::readOnlyOnDisk() {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"SaveFile1.SAVE"_s);
    writeFile(path, korven::fixtures::SaveImageBuilder().build());
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const auto a = attempt(path, LockMode::Normal);
    QCOMPARE(a->opened.outcome, OpenOutcome::CannotOpen);
    QCOMPARE(a->messages.texts(), QStringList{korven::texts::cannotOpen() +
                                              u"\r\n原因: ファイルが読み取り専用になっています。"_s});
    QCOMPARE(attempt(path, LockMode::ReadOnly)->opened.outcome, OpenOutcome::Opened);
}

QTEST_GUILESS_MAIN(TestOpenSaveFile)
#include "test_open_save_file.moc"
