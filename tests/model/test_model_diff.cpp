#include "model/ModelDiff.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QTest>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

using namespace korven;
using namespace korven::fixtures;
using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<SaveFile> load(int lastBaseIndex) {
    SaveImageOptions options;
    options.lastBaseIndex = lastBaseIndex;
    auto model = std::make_unique<SaveFile>();
    RecordingStatus status;
    RecordingMessages messages;
    if (!LoadSaveFile(SaveImageBuilder(options).build(), *model, status, messages)) {
        qFatal("the fixture image does not load");
    }
    return model;
}

}  // namespace

class TestModelDiff : public QObject {
    Q_OBJECT

private slots:
    void changesNameTheirTableAndRecord_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("record");
        QTest::newRow("ship class") << "ShipClass[12].Perf[1]"
                                    << "ShipClass" << 12;
        QTest::newRow("stockpile") << "Base[3].Stockpile[0][1]"
                                   << "Base" << 3;
        QTest::newRow("science") << "ScienceWeapon[2][5].Need"
                                 << "ScienceWeapon" << 2;
        QTest::newRow("turn") << "TurnInfo[4]"
                              << "TurnInfo" << 4;
        QTest::newRow("title") << "ScenarioTitle"
                               << "ScenarioTitle" << -1;
        QTest::newRow("save name") << "SaveName"
                                   << "SaveName" << -1;
        QTest::newRow("development") << "AirDevelopment[10]"
                                     << "AirDevelopment" << 10;
        QTest::newRow("aircrew") << "AircrewSkill[1][0]"
                                 << "AircrewSkill" << 1;
    }
    void changesNameTheirTableAndRecord() {
        QFETCH(QString, path);
        QFETCH(QString, kind);
        QFETCH(int, record);
        const auto before = load(180);
        auto after = std::make_unique<SaveFile>(*before);
        after->ShipClass[12].Perf[1] = 31;
        after->Base[3].Stockpile[0][1] = -7;
        after->ScienceWeapon[2][5].Need = 77;
        after->TurnInfo[4] = 9;
        after->ScenarioTitle.setText(QStringLiteral("珊瑚海"));
        after->SaveName = QByteArrayLiteral("\x83\x65\x83\x58\x83\x67");  // テスト
        after->AirDevelopment[10] = static_cast<int16_t>(before->AirDevelopment[10] + 1);
        after->AircrewSkill[1][0] = static_cast<uint8_t>(before->AircrewSkill[1][0] + 1);
        const std::vector<FieldChange> changes = DiffModels(*before, *after);
        QCOMPARE(changes.size(), std::size_t{8});
        const auto found = std::find_if(changes.begin(), changes.end(),
                                        [&](const FieldChange& c) { return c.path == path; });
        QVERIFY2(found != changes.end(), qPrintable(path));
        QCOMPARE(found->kind, kind);
        QCOMPARE(found->record, record);
        QVERIFY(found->oldValue != found->newValue);
    }

    void valuesKeepTheirType() {
        const auto before = load(180);
        auto after = std::make_unique<SaveFile>(*before);
        after->Base[3].Stockpile[0][1] = -7;
        after->ScenarioTitle.setText(QStringLiteral("珊瑚海\"2\""));
        const std::vector<FieldChange> changes = DiffModels(*before, *after);
        QCOMPARE(changes.size(), std::size_t{2});
        QCOMPARE(changes[0].path, QStringLiteral("ScenarioTitle"));
        QCOMPARE(changes[0].newValue.toString(), QStringLiteral("珊瑚海\"2\""));
        QCOMPARE(changes[0].newText(), QStringLiteral("\"珊瑚海\\\"2\\\"\""));
        QCOMPARE(changes[1].newValue.toInteger(), -7);
        QCOMPARE(changes[1].newText(), QStringLiteral("-7"));
    }

    void aBaseOnlyOneSideHasIsAbsentOnTheOther() {
        const auto shorter = load(37);
        const auto longer = load(38);
        const std::vector<FieldChange> changes = DiffModels(*shorter, *longer);
        const auto name = std::find_if(changes.begin(), changes.end(),
                                       [](const FieldChange& c) { return c.path == u"Base[38].Name"; });
        QVERIFY(name != changes.end());
        QVERIFY(name->oldValue.isUndefined());
        QCOMPARE(name->oldText(), QStringLiteral("(なし)"));
        QCOMPARE(name->newValue.toString(), QStringLiteral("ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"));
        QCOMPARE(name->record, 38);
        // Every field of the extra record is listed, each once.
        const auto base38 = std::count_if(changes.begin(), changes.end(), [](const FieldChange& c) {
            return c.kind == u"Base" && c.record == 38;
        });
        QCOMPARE(base38, 1 + 4 + 3 + 2 + 2 + 14 + 2 + 3 + 8 + 16 + 10 + 1 + 4 + 8);
    }

    void everyFieldOfAnEditedRecordIsCompared() {
        // The last field of each record kind, and a name edited over the same bytes: a record
        // taken for equal on both sides is never looked into.
        const std::vector<std::pair<QString, std::function<void(SaveFile&)>>> cases = {
            {u"AircraftType[5].Kouzoku[3]"_s, [](SaveFile& m) { ++m.AircraftType[5].Kouzoku[3]; }},
            {u"AircraftType[7].ShortName"_s,
             [](SaveFile& m) { m.AircraftType[7].ShortName.setText(u"零戦改"_s); }},
            {u"ShipClass[252].AircraftCapacity"_s, [](SaveFile& m) { ++m.ShipClass[252].AircraftCapacity; }},
            {u"Base[180].ExtraBytes[1][3]"_s, [](SaveFile& m) { ++m.Base[180].ExtraBytes[1][3]; }},
            {u"Ship[1199].Words2[1]"_s, [](SaveFile& m) { ++m.Ship[1199].Words2[1]; }},
            {u"CarrierAir[119].Slots[2][3]"_s, [](SaveFile& m) { ++m.CarrierAir[119].Slots[2][3]; }},
        };
        const auto before = load(180);
        for (const auto& [path, edit] : cases) {
            auto after = std::make_unique<SaveFile>(*before);
            edit(*after);
            const std::vector<FieldChange> changes = DiffModels(*before, *after);
            QCOMPARE(changes.size(), std::size_t{1});
            QCOMPARE(changes[0].path, path);
        }
    }

    void bytesAfterANameNulAreNoChange() {
        auto before = load(180);
        auto after = std::make_unique<SaveFile>(*before);
        before->ShipClass[3].Name.assignBytes("\x92\xb7\x96\xe5\0\0\0\0\0\0\0\0");
        after->ShipClass[3].Name.assignBytes("\x92\xb7\x96\xe5\0garbage");
        QVERIFY(DiffModels(*before, *after).empty());
        after->ShipClass[3].Name.assignBytes("\x92\xb7\x96\xe6\0garbage");
        QCOMPARE(DiffModels(*before, *after).size(), std::size_t{1});
    }

    void equalModelsHaveNoChanges() {
        const auto model = load(180);
        QVERIFY(DiffModels(*model, *model).empty());
    }
};

QTEST_GUILESS_MAIN(TestModelDiff)
#include "test_model_diff.moc"
