#include "catalogue/ReferenceTables.h"
#include "mainwindow/DiagnosisModel.h"
#include "mainwindow/DiagnosisRows.h"
#include "mainwindow/MainWindowTexts.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QTest>

#include <algorithm>

using namespace korven;
using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

class TestDiagnosisRows : public QObject {
    Q_OBJECT

    SaveFile m_file;

private slots:
    void initTestCase() {
        catalogue::FillReferenceTables();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        const QByteArray demo = fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()).build();
        QVERIFY(LoadSaveFile(demo, m_file, status, messages).ok());
    }

    void findingsGroupedByCategoryInFileOrder() {
        SaveFile file = m_file;
        file.Base[5].PublicOrder = 101;
        file.ShipClass[3].Perf[1] = 100;
        file.Base[2].Terrain = 200;
        file.AircrewSkill[4][1] = 100;
        int ship = 0;
        while (file.Ship[ship].Words[2] == -1) {
            ++ship;
        }
        file.Ship[ship].Words[3] = 300;
        const std::vector<rules::Finding> findings = rules::CheckSave(file);
        const std::vector<DiagnosisGroup> groups = DiagnosisGroups(findings);
        const auto row = [&](std::size_t group, std::size_t at) {
            return DiagnosisRowOf(findings[groups[group].findings[at]], file);
        };

        QStringList categories;
        for (const DiagnosisGroup& g : groups) {
            categories << u"%1 %2"_s.arg(g.category).arg(g.findings.size());
        }
        QCOMPARE(categories, (QStringList{texts::nodeToujouRen() + u" 1"_s, texts::nodeKankei() + u" 1"_s,
                                          texts::nodeKichi() + u" 2"_s, texts::nodeKokan() + u" 1"_s}));
        const DiagnosisRow terrain = row(2, 0);
        QCOMPARE(terrain.path, u"Base[2].Terrain"_s);
        QCOMPARE(terrain.field, u"地形"_s);
        QCOMPARE(terrain.value, u"200"_s);
        QCOMPARE(terrain.fix, u"5"_s);
        QVERIFY(!terrain.record.isEmpty());
        QCOMPARE(row(2, 1).path, u"Base[5].PublicOrder"_s);
        // No class number is obviously right.
        QCOMPARE(row(3, 0).fix, texts::noRepair());
        QCOMPARE(row(0, 0).record, u"ソビエト"_s);
    }

    // Each fixable value goes to its nearest accepted value in one named set; the rest are counted.
    void repairSetsFixesAndCountsTheRest() {
        SaveFile file = m_file;
        file.Base[7].Terrain = 9;
        file.AircrewSkill[0][0] = 250;
        file.Base[3].PublicOrder = 255;
        int ship = 0;
        while (file.Ship[ship].Words[2] == -1) {
            ++ship;
        }
        file.Ship[ship].Words[3] = 999;
        const DiagnosisRepair repair = RepairFor(rules::CheckSave(file), file);
        QStringList changes;
        for (const FieldChange& c : repair.changes.changes) {
            changes << u"%1 %2→%3"_s.arg(c.path, c.oldText(), c.newText());
        }
        QCOMPARE(changes, (QStringList{u"AircrewSkill[0][0] 250→99"_s, u"Base[3].PublicOrder 255→100"_s,
                                       u"Base[7].Terrain 9→5"_s}));
        QCOMPARE(repair.skipped, std::size_t(1));
        QCOMPARE(repair.changes.name, u"診断の修正: 3 項目"_s);
        QCOMPARE(RepairFor({}, file).changes.changes.size(), std::size_t(0));
    }

    // The list's tree: a category stands for its rows, and a row picked twice counts once.
    void modelPicksEachFindingOnce() {
        SaveFile file = m_file;
        file.Base[2].Terrain = 200;
        file.Base[5].PublicOrder = 101;
        file.AircrewSkill[4][1] = 100;
        DiagnosisModel model;
        model.reset(rules::CheckSave(file), &file);
        QCOMPARE(model.rowCount(), 2);
        const QModelIndex bases = model.index(1, 0);
        QCOMPARE(bases.data().toString(), texts::nodeKichi() + u" (2)"_s);
        QCOMPARE(model.rowCount(bases), 2);
        const QModelIndex order = model.indexOfPath(u"Base[5].PublicOrder"_s);
        QCOMPARE(model.parent(order), bases);
        QCOMPARE(model.index(order.row(), DiagnosisModel::Fix, bases).data().toString(), u"100"_s);
        QCOMPARE(model.keyOf(order), std::optional(RecordKey{RecordKind::Base, 5}));
        QCOMPARE(model.keyOf(bases), std::nullopt);

        QStringList picked;
        for (const rules::Finding& f : model.findingsOf({order, bases, model.index(0, 0), order})) {
            picked << f.path;
        }
        QCOMPARE(picked,
                 (QStringList{u"AircrewSkill[4][1]"_s, u"Base[2].Terrain"_s, u"Base[5].PublicOrder"_s}));
    }

    // 修正 on every row of a save broken nearly everywhere leaves what `check --fix` leaves:
    // what it counts as skipped is what the repaired save still lists.
    void repairOfEveryRowCountsWhatIsLeft() {
        SaveFile file;
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QVERIFY(LoadSaveFile(fixtures::SaveImageBuilder().build(), file, status, messages).ok());
        const DiagnosisRepair repair = RepairFor(rules::CheckSave(file), file);
        QVERIFY(repair.skipped > 0);
        QVERIFY(!ApplyChanges(file, repair.changes.changes, ChangeDirection::Forward));
        const std::vector<rules::Finding> left = rules::CheckSave(file);
        QCOMPARE(left.size(), repair.skipped);
        QVERIFY(std::none_of(left.begin(), left.end(),
                             [](const rules::Finding& f) { return f.fix.has_value(); }));
    }

    void statusCountsOrSaysNothing() {
        QCOMPARE(DiagnosisStatus(0), QString());
        QCOMPARE(DiagnosisStatus(5), u"診断: 5 件"_s);
        QCOMPARE(DiagnosisGroups(rules::CheckSave(m_file)).size(), std::size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestDiagnosisRows)
#include "test_diagnosis_rows.moc"
