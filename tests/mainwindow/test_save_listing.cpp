#include "mainwindow/SaveListing.h"
#include "model/ModelTexts.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

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
        QVERIFY(QDir(dir.path()).mkdir(u"SaveFile4.SAVE"_s));  // a folder is no save

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
                             u"savefile9.save|九|MIDWAY|41/12/1|"_s,
                         }));

        // The file this program holds is described from its image in memory, not read again.
        const QString held = dir.filePath(u"SaveFile1.SAVE"_s);
        const std::vector<SaveEntry> withHeld = ListSaves(dir.path(), held, saveImage(u"保存前"_s, 10, "X"));
        const auto entry = std::find_if(withHeld.begin(), withHeld.end(),
                                        [&](const SaveEntry& e) { return e.path == held; });
        QVERIFY(entry != withHeld.end());
        QCOMPARE(describe(*entry), u"SaveFile1.SAVE|保存前|X|42/1/1|"_s);
    }
};

QTEST_GUILESS_MAIN(TestSaveListing)
#include "test_save_listing.moc"
