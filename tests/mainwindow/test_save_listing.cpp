#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/NaturalOrder.h"
#include "mainwindow/SaveListing.h"
#include "model/ModelTexts.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace korven;
using namespace korven::mainwindow;

using namespace Qt::StringLiterals;

namespace {

// A save with `name`, current-turn counter `counter` and an ASCII scenario title, each
// written at its offset.
QByteArray saveImage(const QString& name, int16_t counter, const QByteArray& title) {
    fixtures::SaveImageOptions options;
    options.saveName = name;
    const fixtures::SaveImageBuilder builder(options);
    QByteArray image = builder.build();
    image[builder.turnInfoOffset()] = char(counter & 0xff);
    image[builder.turnInfoOffset() + 1] = char((counter >> 8) & 0xff);
    image.replace(builder.scenarioTitleOffset(), 21, title.leftJustified(21, '\0'));
    return image;
}

// An entry as "file|save name|scenario|year/month/turn|problem".
QString describe(const SaveEntry& e) {
    const QString turn =
        e.turn ? u"%1/%2/%3"_s.arg(e.turn->year).arg(e.turn->month).arg(e.turn->turn) : QString();
    return QStringList{QFileInfo(e.path).fileName(), e.saveName, e.scenario, turn, e.problem}.join(u'|');
}

}  // namespace

class TestSaveListing : public QObject {
    Q_OBJECT
private slots:
    // Saves by name or by their first bytes; anything else is left out. Counter 0 is 41/12/1
    // and a month has 10 turns.
    void folder() {
        QTemporaryDir dir;
        const QByteArray coral = saveImage(u"ＳＡＶＥ１"_s, 13, "CORAL SEA");
        const std::pair<const char*, QByteArray> files[] = {
            {"SaveFile1.SAVE", coral},
            {"savefile9.save", saveImage(u"九"_s, 0, "MIDWAY")},
            {"KVSAVE-copy.bin", saveImage(u"写し"_s, -1, "")},
            {"SaveFile2.SAVE", coral.left(40)},
            {"SaveFile3.SAVE", "not a save"},
            {"SaveFile.txt", coral},
            {"readme.txt", "KVSAV"},
            {"Save.SAVE", "KVSAVE"},
        };
        for (const auto& [name, bytes] : files) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QVERIFY(QDir(dir.path()).mkdir(u"SaveFile4.SAVE"_s));  // a folder is listed, as no save
        QVERIFY(QDir(dir.path()).mkdir(u"Other"_s));

        QStringList listed;
        for (const SaveEntry& entry : ListSaves(dir.path())) {
            listed.append(describe(entry));
        }
        listed.sort(Qt::CaseInsensitive);
        const QString readError = korven::texts::readError();
        QCOMPARE(listed, (QStringList{
                             u"KVSAVE-copy.bin|写し||41/11/10|"_s,
                             u"Save.SAVE||||"_s + readError,
                             u"SaveFile.txt|ＳＡＶＥ１|CORAL SEA|42/1/4|"_s,
                             u"SaveFile1.SAVE|ＳＡＶＥ１|CORAL SEA|42/1/4|"_s,
                             u"SaveFile2.SAVE||||"_s + readError,
                             u"SaveFile3.SAVE||||"_s + korven::texts::notASaveFile(),
                             u"SaveFile4.SAVE||||"_s + korven::texts::reasonLine({FileProblem::NotAFile, {}}),
                             u"savefile9.save|九|MIDWAY|41/12/1|"_s,
                         }));

        // The file this program holds is described from its image in memory, not read again.
        const QString held = dir.filePath(u"SaveFile1.SAVE"_s);
        const std::vector<SaveEntry> withHeld =
            ListSaves(dir.path(), {held, saveImage(u"保存前"_s, 10, "X")});
        const auto entry = std::find_if(withHeld.begin(), withHeld.end(),
                                        [&](const SaveEntry& e) { return e.path == held; });
        QVERIFY(entry != withHeld.end());
        QCOMPARE(describe(*entry), u"SaveFile1.SAVE|保存前|X|42/1/1|"_s);
    }

    // Entries that are no regular file never hold the listing up, and each named one has its
    // reason; a good header on a file too short for the records is no save either. Names come
    // in the order a player counts them.
    void awkwardEntries() {
#ifdef Q_OS_WIN
        QSKIP("FIFOs and symbolic links are POSIX entries");
#else
        QTemporaryDir dir;
        const QByteArray save = saveImage(u"通常"_s, 0, "MIDWAY");
        const auto write = [&](const char* name, const QByteArray& bytes) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(write("SaveFile2.SAVE", save));
        QVERIFY(write("SaveFile10.SAVE", save));
        QVERIFY(write("SaveFile3.SAVE", save.left(save.size() / 2)));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(u"SaveFile5.SAVE"_s)).constData(), 0600) == 0);
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(u"pipe"_s)).constData(), 0600) == 0);
        QVERIFY(QFile::link(dir.filePath(u"SaveFile6.SAVE"_s), dir.filePath(u"SaveFile6.SAVE"_s)));
        QVERIFY(QFile::link(dir.filePath(u"SaveFile1.SAVE"_s), dir.filePath(u"SaveFile01.SAVE"_s)));

        QStringList names;
        QStringList problems;
        for (const SaveEntry& entry : ListSaves(dir.path())) {
            names.append(QFileInfo(entry.path).fileName());
            problems.append(entry.problem);
        }
        QCOMPARE(names, (QStringList{u"SaveFile01.SAVE"_s, u"SaveFile2.SAVE"_s, u"SaveFile3.SAVE"_s,
                                     u"SaveFile5.SAVE"_s, u"SaveFile6.SAVE"_s, u"SaveFile10.SAVE"_s}));
        QCOMPARE(problems[0], korven::texts::reasonLine({FileProblem::NotFound, {}}));  // a dangling link
        QCOMPARE(problems[1], QString());
        QCOMPARE(problems[2], mainwindow::texts::savesCutShort());
        QCOMPARE(problems[3], korven::texts::reasonLine({FileProblem::NotAFile, {}}));
        QVERIFY(!problems[4].isEmpty());  // the system's word for a loop
        QCOMPARE(problems[5], QString());
#endif
    }

    // A folder that cannot be read is one row that says why.
    void unreadableFolder() {
        QTemporaryDir dir;
        const std::vector<SaveEntry> listed = ListSaves(dir.filePath(u"gone"_s));
        QCOMPARE(listed.size(), std::size_t(1));
        QCOMPARE(listed[0].problem, korven::texts::reasonLine({FileProblem::NotFound, {}}));
    }

    // Each file shows the state in which it was read: one rewritten before its turn shows the
    // new contents, one rewritten after it the old. A listing told to stop reads no further.
    void changesWhileListedAndStopping() {
        QTemporaryDir dir;
        for (const char* name : {"SaveFile1.SAVE", "SaveFile2.SAVE", "SaveFile3.SAVE"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            const QByteArray bytes = saveImage(u"旧"_s, 0, "A");
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QStringList seen;
        QList<qsizetype> progress;
        const bool complete = ListSavesStepwise(dir.path(), {}, [&](ListingStep step) {
            seen.append(describe(*step.entry));
            progress.append(step.done * 10 + step.total);
            if (step.done == 2) {
                for (const char* name : {"SaveFile1.SAVE", "SaveFile3.SAVE"}) {
                    QFile file(dir.filePath(QString::fromLatin1(name)));
                    const QByteArray bytes = saveImage(u"新"_s, 0, "B");
                    file.open(QIODevice::WriteOnly);
                    file.write(bytes);
                }
            }
            return true;
        });
        QVERIFY(complete);
        QCOMPARE(seen, (QStringList{u"SaveFile1.SAVE|旧|A|41/12/1|"_s, u"SaveFile2.SAVE|旧|A|41/12/1|"_s,
                                    u"SaveFile3.SAVE|新|B|41/12/1|"_s}));
        QCOMPARE(progress, (QList<qsizetype>{13, 23, 33}));

        int steps = 0;
        QVERIFY(!ListSavesStepwise(dir.path(), {}, [&](ListingStep) { return ++steps < 2; }));
        QCOMPARE(steps, 2);
    }

    // Numbers in names by value; the order is strict and weak, so a sort cannot go astray.
    void naturalOrder_data() {
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("higher");
        QTest::newRow("2 before 10") << u"SaveFile2.SAVE"_s << u"SaveFile10.SAVE"_s;
        QTest::newRow("9 before 10 in the middle") << u"a9b"_s << u"a10a"_s;
        QTest::newRow("case aside") << u"savefile1.save"_s << u"SaveFile2.SAVE"_s;
        QTest::newRow("prefix first") << u"SaveFile"_s << u"SaveFile1"_s;
        QTest::newRow("fewer zeros first") << u"SaveFile2"_s << u"SaveFile02"_s;
        QTest::newRow("digits before letters") << u"Save1"_s << u"SaveA"_s;
        QTest::newRow("long numbers") << u"x99999999999999999999"_s << u"x100000000000000000000"_s;
    }
    void naturalOrder() {
        QFETCH(QString, lower);
        QFETCH(QString, higher);
        QVERIFY(NaturalLess(lower, higher));
        QVERIFY(!NaturalLess(higher, lower));
        QVERIFY(!NaturalLess(lower, lower));
    }
};

QTEST_GUILESS_MAIN(TestSaveListing)
#include "test_save_listing.moc"
