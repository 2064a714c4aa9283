#include "cli/Assignment.h"
#include "document/BatchEdit.h"
#include "document/DocumentTexts.h"
#include "document/OpenDocument.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using batch::Operation;

Q_DECLARE_METATYPE(korven::batch::Operation)

namespace {

// Two planted ships of one class with fuel 5000; mount 0 fires 6 times, mount 1 never.
constexpr int kClass = 7;
constexpr int kShipA = 20;
constexpr int kShipB = 21;

void plant(SaveFile& m) {
    m.ShipClass[kClass].Perf[2] = 5000;
    m.ShipClass[kClass].Weapon[2] = {6, 0, 3, 3};
    for (const int s : {kShipA, kShipB}) {
        m.Ship[s].Words[2] = 1;
        m.Ship[s].Words[3] = kClass;
        m.Ship[s].BusouKai = {1, 0, 3, 2};
    }
    m.Ship[kShipA].Words[6] = 1000;
    m.Ship[kShipB].Words[6] = 4000;
    m.ShipClass[3].Perf[2] = 800;
    m.AircrewSkill[0][0] = 40;
    m.AircrewSkill[1][0] = 90;
}

std::vector<RecordKey> keys(RecordKind kind, std::initializer_list<int> indices) {
    std::vector<RecordKey> result;
    for (const int i : indices) {
        result.push_back(RecordKey{kind, i});
    }
    return result;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestBatchEdit : public QObject {
    Q_OBJECT

    QByteArray m_image;
    fixtures::RecordingStatus m_status;
    fixtures::RecordingMessages m_messages;
    std::unique_ptr<SaveFile> m_model;

private slots:
    void initTestCase() { m_image = fixtures::SaveImageBuilder().build(); }
    void init() {
        m_model = std::make_unique<SaveFile>();
        QVERIFY(LoadSaveFile(m_image, *m_model, m_status, m_messages).ok());
        plant(*m_model);
    }

    // Results written down by hand from the planted values; "paths" lists the fields that change.
    void operations_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("records");
        QTest::addColumn<QString>("label");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QList<qint64>>("results");
        QTest::addColumn<int>("limited");
        const auto ship = int(RecordKind::Ship);
        const auto skill = int(RecordKind::AircrewSkill);
        const auto shipClass = int(RecordKind::ShipClass);
        const QString fuel = u"燃料（現在）"_qs;
        const QStringList fuels{u"Ship[20].Words[6]"_qs, u"Ship[21].Words[6]"_qs};
        QTest::newRow("set") << ship << QList{20, 21} << fuel << Operation::Set << qint64(2000) << fuels
                             << QList<qint64>{2000, 2000} << 0;
        QTest::newRow("set above the class") << ship << QList{20, 21} << fuel << Operation::Set
                                             << qint64(6000) << fuels << QList<qint64>{5000, 5000} << 2;
        QTest::newRow("add, one over the class") << ship << QList{20, 21} << fuel << Operation::Add
                                                 << qint64(1500) << fuels << QList<qint64>{2500, 5000} << 1;
        QTest::newRow("subtract below zero")
            << ship << QList{20, 21} << fuel << Operation::Add << qint64(-2000)
            << QStringList{u"Ship[20].Words[6]"_qs, u"Ship[21].Words[6]"_qs} << QList<qint64>{0, 2000} << 1;
        QTest::newRow("multiply, rounded") << ship << QList{20, 21} << fuel << Operation::MultiplyPercent
                                           << qint64(33) << fuels << QList<qint64>{330, 1320} << 0;
        QTest::newRow("maximum is the class's fuel") << ship << QList{20, 21} << fuel << Operation::Maximum
                                                     << qint64(0) << fuels << QList<qint64>{5000, 5000} << 0;
        QTest::newRow("maximum firings, mount by mount")
            << ship << QList{20} << u"回数（現在）"_qs << Operation::Maximum << qint64(0)
            << QStringList{u"Ship[20].BusouKai[0]"_qs, u"Ship[20].BusouKai[3]"_qs} << QList<qint64>{6, 3}
            << 0;
        QTest::newRow("a record already at the value has no entry")
            << ship << QList{20, 21} << fuel << Operation::Set << qint64(4000)
            << QStringList{u"Ship[20].Words[6]"_qs} << QList<qint64>{4000} << 0;
        QTest::newRow("skill maximum is the dialog's 99")
            << skill << QList{0, 1} << u"搭乗員練度（戦闘機）"_qs << Operation::Maximum << qint64(0)
            << QStringList{u"AircrewSkill[0][0]"_qs, u"AircrewSkill[1][0]"_qs} << QList<qint64>{99, 99} << 0;
        QTest::newRow("skill doubled, one limited")
            << skill << QList{0, 1} << u"搭乗員練度（戦闘機）"_qs << Operation::MultiplyPercent << qint64(200)
            << QStringList{u"AircrewSkill[0][0]"_qs, u"AircrewSkill[1][0]"_qs} << QList<qint64>{80, 99} << 1;
        // One good of two bases, both parts of its stock, and no other good.
        QTest::newRow("one good's stock")
            << int(RecordKind::Base) << QList{0, 1} << u"鉄（在庫量）"_qs << Operation::Set << qint64(4321)
            << QStringList{u"Base[0].Stockpile[3][0]"_qs, u"Base[0].Stockpile[3][1]"_qs,
                           u"Base[1].Stockpile[3][0]"_qs, u"Base[1].Stockpile[3][1]"_qs}
            << QList<qint64>{4321, 4321, 4321, 4321} << 0;
        QTest::newRow("class fuel never below 1")
            << shipClass << QList{3} << u"燃料"_qs << Operation::Add << qint64(-1000)
            << QStringList{u"ShipClass[3].Perf[2]"_qs} << QList<qint64>{1} << 1;
    }
    void operations() {
        QFETCH(int, kind);
        QFETCH(QList<int>, records);
        QFETCH(QString, label);
        QFETCH(Operation, operation);
        QFETCH(qint64, value);
        QFETCH(QStringList, paths);
        QFETCH(QList<qint64>, results);
        QFETCH(int, limited);
        batch::Request request{{}, label, operation, value};
        for (const int r : records) {
            request.records.push_back(RecordKey{RecordKind(kind), r});
        }
        const batch::Outcome outcome = batch::Prepare(*m_model, request);
        QVERIFY(!outcome.refusal);
        QCOMPARE(outcome.limited, limited);
        QStringList changed;
        QList<qint64> values;
        for (const FieldChange& c : outcome.changes.changes) {
            changed.append(c.path);
            values.append(c.newValue.toInteger());
        }
        QCOMPARE(changed, paths);
        QCOMPARE(values, results);
    }

    void theStepNamesFieldAndRecords() {
        const batch::Outcome outcome = batch::Prepare(
            *m_model, {keys(RecordKind::Ship, {20, 21}), u"燃料（現在）"_qs, Operation::Maximum, 0});
        QCOMPARE(outcome.changes.name, u"一括編集: 燃料（現在） 2 隻"_qs);
    }

    void valuesOutsideTheWidthAreRefusedWhole_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("above a word")
            << u"燃料（現在）"_qs << Operation::Set << qint64(32768)
            << document::texts::batchValueOutside(u"燃料（現在）"_qs, -32768, 32767);
        QTest::newRow("negative percent") << u"燃料（現在）"_qs << Operation::MultiplyPercent << qint64(-10)
                                          << document::texts::batchPercentOutside(10000);
        QTest::newRow("a field no batch edits")
            << u"艦名番号"_qs << Operation::Set << qint64(1) << document::texts::batchNoField(u"艦名番号"_qs);
    }
    void valuesOutsideTheWidthAreRefusedWhole() {
        QFETCH(QString, label);
        QFETCH(Operation, operation);
        QFETCH(qint64, value);
        QFETCH(QString, message);
        const batch::Outcome outcome =
            batch::Prepare(*m_model, {keys(RecordKind::Ship, {20, 21}), label, operation, value});
        QCOMPARE(outcome.refusal.value_or(QString()), message);
        QVERIFY(outcome.changes.changes.empty());
    }

    void offeredFieldsAreTheKindsLimitedNumbers() {
        QStringList labels;
        for (const fields::Description* d : batch::FieldsOf(RecordKind::Ship)) {
            labels.append(QString::fromUtf8(d->japanese));
        }
        QCOMPARE(labels, (QStringList{u"下部ステップ（現在）"_qs, u"上部ステップ（現在）"_qs,
                                      u"燃料（現在）"_qs, u"回数（現在）"_qs}));
    }

    // A base's stock is offered for all goods and for each good, named as the base dialog's rows.
    void stockIsOfferedPerGood() {
        QStringList labels;
        for (const fields::Description* d : batch::FieldsOf(RecordKind::Base)) {
            labels.append(QString::fromUtf8(d->japanese));
        }
        const qsizetype all = labels.indexOf(u"在庫量"_qs);
        QVERIFY(all >= 0);
        QCOMPARE(labels.mid(all, 8),
                 (QStringList{u"在庫量"_qs, u"原油（在庫量）"_qs, u"鉄鉱石（在庫量）"_qs,
                              u"ボーキサイト（在庫量）"_qs, u"鉄（在庫量）"_qs, u"アルミ（在庫量）"_qs,
                              u"燃料（在庫量）"_qs, u"弾薬（在庫量）"_qs}));
        QCOMPARE(QString::fromLatin1(batch::FieldOf(RecordKind::Base, u"弾薬（在庫量）"_qs)->pattern),
                 u"Base.Stockpile[6][*]"_qs);
        QVERIFY(batch::FieldOf(RecordKind::Ship, u"弾薬（在庫量）"_qs) == nullptr);
    }

    // The batch through the document and the command line's selection give the same file;
    // undo gives back the original.
    void aBatchSavesWhatTheCommandLineSelectionSaves() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"SaveFile1.SAVE"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(m_image) == m_image.size());
        file.close();
        OpenDocument doc(m_status, m_messages, dir.filePath(u"backups"_qs));
        QCOMPARE(doc.open(path, false), DocumentOpen::Opened);
        const SaveFile& m = *doc.model();
        // Ships that are not there (no name number) are never listed; the fixture gives them class 0.
        int shipClass = 0;
        for (int s = 0; shipClass == 0 && s < SaveFile::kShips; ++s) {
            shipClass = m.Ship[s].Words[3];
        }
        std::vector<RecordKey> ships;
        for (int s = 0; s < SaveFile::kShips; ++s) {
            if (m.Ship[s].Words[3] == shipClass) {
                QVERIFY(m.Ship[s].Words[2] != -1);
                ships.push_back(RecordKey{RecordKind::Ship, s});
            }
        }
        const batch::Outcome fuel = batch::Prepare(m, {ships, u"燃料（現在）"_qs, Operation::Maximum, 0});
        QVERIFY(!fuel.changes.changes.empty());
        QCOMPARE(doc.apply(fuel.changes), DocumentEdit::Applied);
        const batch::Outcome skill = batch::Prepare(m, {keys(RecordKind::AircrewSkill, {0, 1, 2, 3, 4}),
                                                        u"搭乗員練度（爆撃機）"_qs, Operation::Set, 55});
        QCOMPARE(doc.apply(skill.changes), DocumentEdit::Applied);
        QCOMPARE(doc.save().outcome, DocumentSave::Saved);

        auto byCli = std::make_unique<SaveFile>();
        QVERIFY(LoadSaveFile(m_image, *byCli, m_status, m_messages).ok());
        const QString classFuel = QString::number(byCli->ShipClass[shipClass].Perf[2]);
        QVERIFY(cli::ApplyAssignments(
                    *byCli, {QStringLiteral("Ship[Words[3]==%1].Words[6]=%2").arg(shipClass).arg(classFuel),
                             u"AircrewSkill[*][1]=55"_qs})
                    .ok());
        QCOMPARE(readFile(path), *ComposeSaveImage(*byCli, m_status));

        QVERIFY(doc.undo() && doc.undo());
        QCOMPARE(doc.save().outcome, DocumentSave::Saved);
        QCOMPARE(readFile(path), m_image);
    }
};

QTEST_GUILESS_MAIN(TestBatchEdit)
#include "test_batch_edit.moc"
