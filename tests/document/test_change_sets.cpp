#include "cli/Assignment.h"
#include "document/DocumentTexts.h"
#include "document/FieldTakeover.h"
#include "document/OpenDocument.h"
#include "model/ChangeSet.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using Reason = ChangeRefusal::Reason;

Q_DECLARE_METATYPE(korven::ChangeRefusal::Reason)

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Assignment {
    const char* path;
    QJsonValue value;
    const char* written;  // as korvenedit-cli set takes it
};

// Numbers of every width, a text and the last base in the fixture.
const Assignment kAssignments[] = {
    {"Ship[7].Words[6]", 1234, "1234"},
    {"ShipClass[3].Perf[2]", -5, "-5"},
    {"ShipClass[3].Name", QStringLiteral("改大和"), "改大和"},
    {"Base[2].Stockpile[6][1]", qint64(2000000000), "2000000000"},
    {"AircrewSkill[4][1]", 255, "255"},
    {"TurnInfo[0]", 3, "3"},
    {"ScienceWeapon[2][5].Leave", 7, "7"},
    {"CarrierAir[119].Slots[2][3]", 9, "9"},
};

}  // namespace

class TestChangeSets : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_image;
    fixtures::RecordingStatus m_status;
    fixtures::RecordingMessages m_messages;
    std::unique_ptr<OpenDocument> m_doc;

    ChangeSet setOf(std::initializer_list<std::pair<const char*, QJsonValue>> values) {
        ChangeSet set{QStringLiteral("テスト"), {}};
        for (const auto& [path, value] : values) {
            const std::optional<FieldChange> change =
                ChangeTo(*m_doc->model(), QString::fromUtf8(path), value);
            if (!change) {
                qFatal("no change to %s", path);
            }
            set.changes.push_back(*change);
        }
        return set;
    }

private slots:
    void initTestCase() { m_image = fixtures::SaveImageBuilder().build(); }
    void init() {
        const QString path = m_dir.filePath(QStringLiteral("SaveFile1.SAVE"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(m_image) == m_image.size());
        file.close();
        m_messages = {};
        m_doc =
            std::make_unique<OpenDocument>(m_status, m_messages, m_dir.filePath(QStringLiteral("backups")));
        QCOMPARE(m_doc->open(path, false), DocumentOpen::Opened);
    }
    void cleanup() { m_doc.reset(); }

    // The document's store and the command line's assignments are separate walks over the model:
    // both must give the same file, and undoing gives back the original byte for byte.
    void aSetWritesWhatTheCommandLineWritesAndUndoesToTheOriginal() {
        ChangeSet set{QStringLiteral("テスト"), {}};
        QStringList assignments;
        for (const Assignment& a : kAssignments) {
            const std::optional<FieldChange> change =
                ChangeTo(*m_doc->model(), QString::fromUtf8(a.path), a.value);
            QVERIFY2(change.has_value(), a.path);
            set.changes.push_back(*change);
            assignments.append(QString::fromUtf8(a.path) + u'=' + QString::fromUtf8(a.written));
        }
        QCOMPARE(m_doc->apply(set), DocumentEdit::Applied);
        QCOMPARE(m_doc->save().outcome, DocumentSave::Saved);
        auto byCli = std::make_unique<SaveFile>();
        QVERIFY(LoadSaveFile(m_image, *byCli, m_status, m_messages).ok());
        QVERIFY(cli::ApplyAssignments(*byCli, assignments).ok());
        QCOMPARE(readFile(m_doc->path()), *ComposeSaveImage(*byCli, m_status));

        QVERIFY(m_doc->undo());
        QCOMPARE(m_doc->save().outcome, DocumentSave::Saved);
        QCOMPARE(readFile(m_doc->path()), m_image);
    }

    void badChangesAreRefusedWhole_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<Reason>("reason");
        QTest::newRow("past the ships") << "Ship[1200].Words[6]" << QJsonValue(1) << Reason::UnknownField;
        QTest::newRow("past the last base") << "Base[181].Airfield" << QJsonValue(1) << Reason::UnknownField;
        QTest::newRow("no such field") << "Ship[0].Fuel" << QJsonValue(1) << Reason::UnknownField;
        QTest::newRow("a whole array") << "Ship[0].Words" << QJsonValue(1) << Reason::UnknownField;
        QTest::newRow("index too many") << "TurnInfo[0][0]" << QJsonValue(1) << Reason::UnknownField;
        QTest::newRow("never written") << "LastBaseIndex" << QJsonValue(1) << Reason::UnknownField;
        QTest::newRow("byte above 255") << "AircrewSkill[0][0]" << QJsonValue(256) << Reason::OutOfRange;
        QTest::newRow("word below -32768") << "Ship[0].Words[6]" << QJsonValue(-32769) << Reason::OutOfRange;
        QTest::newRow("fraction") << "Ship[0].Words[6]" << QJsonValue(1.5) << Reason::NotAnInteger;
        QTest::newRow("text for a number")
            << "Ship[0].Words[6]" << QJsonValue(u"9"_qs) << Reason::NotAnInteger;
        QTest::newRow("number for a text") << "ShipClass[0].Name" << QJsonValue(9) << Reason::NotAText;
        QTest::newRow("13 bytes in 12")
            << "ShipClass[0].Name" << QJsonValue(u"あいうえおかき"_qs) << Reason::TextTooLong;
        QTest::newRow("no code page 932 form")
            << "ShipClass[0].Name" << QJsonValue(u"\U0001F6A2"_qs) << Reason::TextUnmappable;
    }
    void badChangesAreRefusedWhole() {
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        QFETCH(Reason, reason);
        const SaveFile before = *m_doc->model();
        ChangeSet set = setOf({{"Ship[7].Words[6]", 1234}});
        set.changes.push_back({path, {}, -1, QJsonValue(0), value});
        QCOMPARE(m_doc->apply(set), DocumentEdit::Refused);
        QCOMPARE(m_messages.texts(), QStringList{document::texts::changeRefused({path, reason})});
        QCOMPARE(m_doc->model()->Ship[7].Words[6], before.Ship[7].Words[6]);
        QVERIFY(!m_doc->isChanged());
        QCOMPARE(m_doc->history().count(), 0);
    }

    // The views learn which fields moved, both ways, and the history names record and field.
    void viewsAreToldWhatChanged() {
        QSignalSpy told(m_doc.get(), &OpenDocument::changed);
        const int16_t fuel = m_doc->model()->ShipClass[3].Perf[2];
        ChangeSet set = setOf({{"ShipClass[3].Perf[2]", 6000}});
        set.name = QStringLiteral("大和型: 燃料 %1→6000").arg(fuel);
        QCOMPARE(m_doc->apply(set), DocumentEdit::Applied);
        QCOMPARE(m_doc->history().undoText(), set.name);
        QVERIFY(m_doc->undo());
        QCOMPARE(m_doc->model()->ShipClass[3].Perf[2], fuel);
        QVERIFY(m_doc->redo());
        QCOMPARE(told.size(), 3);
        for (const QList<QVariant>& signal : told) {
            const auto changes = signal.at(0).value<std::vector<FieldChange>>();
            QCOMPARE(changes.size(), std::size_t(1));
            QCOMPARE(changes[0].path, QStringLiteral("ShipClass[3].Perf[2]"));
        }
        QCOMPARE(m_doc->apply({QStringLiteral("空"), {}}), DocumentEdit::NoChange);
        QCOMPARE(m_doc->history().count(), 1);
    }

    // Undoing a set that changes one field twice ends at the field's first value.
    void aFieldChangedTwiceInOneSetUndoesToItsFirstValue() {
        const int16_t fuel = m_doc->model()->Ship[7].Words[6];
        ChangeSet set = setOf({{"Ship[7].Words[6]", 100}});
        set.changes.push_back({set.changes[0].path, set.changes[0].kind, 7, 100, 200});
        QCOMPARE(m_doc->apply(set), DocumentEdit::Applied);
        QCOMPARE(m_doc->model()->Ship[7].Words[6], int16_t(200));
        QVERIFY(m_doc->undo());
        QCOMPARE(m_doc->model()->Ship[7].Words[6], fuel);
    }

    // The review's "put this change back": one field returns to the saved value, as one step.
    void revertingOneChangeLeavesTheOthers() {
        const int16_t shipFuel = m_doc->model()->Ship[7].Words[6];
        QCOMPARE(m_doc->apply(setOf({{"Ship[7].Words[6]", 1234}, {"ShipClass[3].Perf[2]", 6000}})),
                 DocumentEdit::Applied);
        const ChangeSet revert = TakeValues(*m_doc->model(), *m_doc->savedModel(),
                                            {QStringLiteral("Ship[7].Words[6]")}, QStringLiteral("戻す"));
        QCOMPARE(revert.changes.size(), std::size_t(1));
        QCOMPARE(m_doc->apply(revert), DocumentEdit::Applied);
        QCOMPARE(m_doc->model()->Ship[7].Words[6], shipFuel);
        QCOMPARE(m_doc->model()->ShipClass[3].Perf[2], int16_t(6000));
        QCOMPARE(m_doc->history().count(), 2);
        QVERIFY(m_doc->undo());
        QCOMPARE(m_doc->model()->Ship[7].Words[6], int16_t(1234));
    }

    // Compare's "take these values": the chosen fields of the other save, one undoable step;
    // a field the other save does not have is left as it is.
    void takingValuesFromAnotherSave() {
        auto other = std::make_unique<SaveFile>(*m_doc->model());
        other->Ship[7].Words[6] = 777;
        other->Base[2].Stockpile[6][1] = 123456;
        other->ShipClass[3].Name.setText(QStringLiteral("改大和"));
        other->LastBaseIndex = 100;
        const SaveFile before = *m_doc->model();
        const ChangeSet taken =
            TakeValues(*m_doc->model(), *other,
                       {QStringLiteral("Ship[7].Words[6]"), QStringLiteral("ShipClass[3].Name"),
                        QStringLiteral("Base[150].Airfield"), QStringLiteral("Ship[8].Words[6]")},
                       QStringLiteral("取り込み"));
        QCOMPARE(taken.changes.size(), std::size_t(2));
        QCOMPARE(m_doc->apply(taken), DocumentEdit::Applied);
        QCOMPARE(m_doc->model()->Ship[7].Words[6], int16_t(777));
        QCOMPARE(m_doc->model()->ShipClass[3].Name.text(), QStringLiteral("改大和"));
        QCOMPARE(m_doc->model()->Base[2].Stockpile[6][1], before.Base[2].Stockpile[6][1]);
        QCOMPARE(m_doc->history().count(), 1);
        QVERIFY(m_doc->undo());
        QCOMPARE(m_doc->model()->Ship[7].Words[6], before.Ship[7].Words[6]);
        QCOMPARE(m_doc->model()->ShipClass[3].Name.text(), before.ShipClass[3].Name.text());
    }
};

QTEST_GUILESS_MAIN(TestChangeSets)
#include "test_change_sets.moc"
