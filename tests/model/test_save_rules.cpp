#include "model/SaveFileLoader.h"
#include "model/SaveRules.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace korven;
using namespace korven::fixtures;

namespace {

// A fresh copy of the demo save's model, loaded once.
std::unique_ptr<SaveFile> demoModel() {
    static const std::unique_ptr<SaveFile> loaded = [] {
        auto model = std::make_unique<SaveFile>();
        RecordingStatus status;
        RecordingMessages messages;
        if (!LoadSaveFile(SaveImageBuilder(DemoSaveOptions()).build(), *model, status, messages)) {
            qFatal("the fixture image does not load");
        }
        return model;
    }();
    return std::make_unique<SaveFile>(*loaded);
}

using Edit = std::function<void(SaveFile&)>;
constexpr qint64 kNoFix = -99999;

// The first listed ship after `after` whose class is a carrier (ship type 0..3), or not.
int firstShip(const SaveFile& m, bool carrier, int after = -1) {
    for (int s = after + 1; s < SaveFile::kShips; ++s) {
        const ShipRecord& ship = m.Ship[static_cast<std::size_t>(s)];
        if (ship.Words[2] != -1 &&
            (m.ShipClass[static_cast<std::size_t>(ship.Words[3])].Kind[1] <= 3) == carrier) {
            return s;
        }
    }
    qFatal("no such ship in the fixture");
}

}  // namespace

Q_DECLARE_METATYPE(Edit)

class TestSaveRules : public QObject {
    Q_OBJECT

private slots:
    void theDemoSaveBreaksNoRule() { QCOMPARE(rules::CheckSave(*demoModel()).size(), std::size_t(0)); }

    // The limits the edit dialogs set, written down from their descriptions: one value just
    // outside each, the rule it breaks and the repair (kNoFix where no value is obviously right).
    void eachPlantedValueIsFound_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<qint64>("fix");
        auto row = [](const char* name, Edit edit, const char* path, const char* rule, qint64 fix) {
            QTest::newRow(name) << edit << QString::fromUtf8(path) << QString::fromUtf8(rule) << fix;
        };
        row(
            "class upper steps 1000", [](SaveFile& m) { m.ShipClass[3].Perf[0] = 1000; },
            "ShipClass[3].Perf[0]", "range", 999);
        row(
            "class speed 100", [](SaveFile& m) { m.ShipClass[3].Perf[1] = 100; }, "ShipClass[3].Perf[1]",
            "range", 99);
        row(
            "class fuel 0", [](SaveFile& m) { m.ShipClass[3].Perf[2] = 0; }, "ShipClass[3].Perf[2]", "range",
            1);
        row(
            "deck armour 100", [](SaveFile& m) { m.ShipClass[3].Armor[2] = 100; }, "ShipClass[3].Armor[2]",
            "range", 99);
        row(
            "firings 10", [](SaveFile& m) { m.ShipClass[3].Weapon[2][1] = 10; }, "ShipClass[3].Weapon[2][1]",
            "range", 9);
        row(
            "gun type 26", [](SaveFile& m) { m.ShipClass[3].Weapon[0][0] = 26; }, "ShipClass[3].Weapon[0][0]",
            "list", 255);
        row(
            "step index 155", [](SaveFile& m) { m.ShipClass[3].StepIndex = 155; }, "ShipClass[3].StepIndex",
            "list", kNoFix);
        row(
            "ship type 19", [](SaveFile& m) { m.ShipClass[3].Kind[1] = 19; }, "ShipClass[3].Kind[1]", "list",
            kNoFix);
        row(
            "ship nation 6", [](SaveFile& m) { m.ShipClass[3].Kind[0] = 6; }, "ShipClass[3].Kind[0]", "list",
            kNoFix);
        row(
            "aircraft number 100", [](SaveFile& m) { m.AircraftType[7].NumData[4] = 100; },
            "AircraftType[7].NumData[4]", "range", 99);
        row(
            "aircraft range 10000", [](SaveFile& m) { m.AircraftType[7].Kouzoku[2] = 10000; },
            "AircraftType[7].Kouzoku[2]", "range", 9999);
        row(
            "bomb kind 4", [](SaveFile& m) { m.AircraftType[7].Bomb[2][0] = 4; },
            "AircraftType[7].Bomb[2][0]", "list", 255);
        row(
            "aircraft nation 6", [](SaveFile& m) { m.AircraftType[7].Kind[0] = 6; },
            "AircraftType[7].Kind[0]", "list", kNoFix);
        row(
            "development -2", [](SaveFile& m) { m.AirDevelopment[8] = -2; }, "AirDevelopment[8]", "range",
            -1);
        row(
            "development 1000", [](SaveFile& m) { m.AirDevelopment[8] = 1000; }, "AirDevelopment[8]", "range",
            999);
        row(
            "terrain 6", [](SaveFile& m) { m.Base[2].Terrain = 6; }, "Base[2].Terrain", "list", 5);
        row(
            "terrain 200", [](SaveFile& m) { m.Base[2].Terrain = 200; }, "Base[2].Terrain", "list", 5);
        row(
            "settlement 5", [](SaveFile& m) { m.Base[2].Size = 5; }, "Base[2].Size", "list", 4);
        row(
            "anchorage 4", [](SaveFile& m) { m.Base[2].Anchorage = 4; }, "Base[2].Anchorage", "list", 3);
        row(
            "resource kind 3", [](SaveFile& m) { m.Base[2].Resource[0] = 3; }, "Base[2].Resource[0]", "list",
            255);
        row(
            "factory kind 7", [](SaveFile& m) { m.Base[2].Factory[0] = 7; }, "Base[2].Factory[0]", "list",
            255);
        row(
            "task 4", [](SaveFile& m) { m.Base[2].Task = 4; }, "Base[2].Task", "list", kNoFix);
        row(
            "owner 3", [](SaveFile& m) { m.Base[2].Owner = 3; }, "Base[2].Owner", "list", kNoFix);
        row(
            "region 18", [](SaveFile& m) { m.Base[2].Region = 18; }, "Base[2].Region", "list", kNoFix);
        row(
            "public order 101", [](SaveFile& m) { m.Base[2].PublicOrder = 101; }, "Base[2].PublicOrder",
            "range", 100);
        row(
            "resource amount -1", [](SaveFile& m) { m.Base[2].Resource[1] = -1; }, "Base[2].Resource[1]",
            "range", 0);
        row(
            "stock 10000000", [](SaveFile& m) { m.Base[2].Stockpile[6][1] = 10000000; },
            "Base[2].Stockpile[6][1]", "range", 9999999);
        row(
            "slot count 1000", [](SaveFile& m) { m.Base[2].AirCount[1][7] = 1000; }, "Base[2].AirCount[1][7]",
            "range", 999);
        row(
            "aircraft 170 in a slot", [](SaveFile& m) { m.Base[2].AirType[0] = 170; }, "Base[2].AirType[0]",
            "slot-aircraft", kNoFix);
        row(
            "skill 100", [](SaveFile& m) { m.AircrewSkill[4][1] = 100; }, "AircrewSkill[4][1]", "range", 99);
        row(
            "science need -1",
            [](SaveFile& m) {
                m.ScienceWeapon[2][3].Need = -1;
                m.ScienceWeapon[2][3].Leave = 0;
            },
            "ScienceWeapon[2][3].Need", "range", 0);
        row(
            "turns left above those needed",
            [](SaveFile& m) {
                m.ScienceWeapon[1][2].Need = 20;
                m.ScienceWeapon[1][2].Leave = 21;
            },
            "ScienceWeapon[1][2].Leave", "leave-need", 20);
        row(
            "phase 10", [](SaveFile& m) { m.TurnInfo[1] = 10; }, "TurnInfo[1]", "range", 9);
        row(
            "operation number 51", [](SaveFile& m) { m.TurnInfo[9] = 51; }, "TurnInfo[9]", "range", 50);
        // The fixture ends at 45/8/5: counter 120 * 45 + 10 * 7 + 4 - 5030 = 444.
        row(
            "current turn after the end", [](SaveFile& m) { m.TurnInfo[0] = 445; }, "TurnInfo[0]", "turn",
            444);
        // ... and starts at 41/12/1, counter 0.
        row(
            "current turn before the start", [](SaveFile& m) { m.TurnInfo[0] = -1; }, "TurnInfo[0]", "turn",
            0);
        row(
            "end month 13", [](SaveFile& m) { m.TurnInfo[7] = 13; }, "TurnInfo[7]", "turn", 12);
        row(
            "end year 51", [](SaveFile& m) { m.TurnInfo[6] = 51; }, "TurnInfo[6]", "turn", 50);
    }
    void eachPlantedValueIsFound() {
        QFETCH(Edit, edit);
        QFETCH(QString, path);
        QFETCH(QString, rule);
        QFETCH(qint64, fix);
        auto model = demoModel();
        edit(*model);
        // Other records may follow (a class's lowered fuel finds its ships); the planted value
        // is found once.
        const std::vector<rules::Finding> findings = rules::CheckSave(*model);
        const auto at = std::find_if(findings.begin(), findings.end(),
                                     [&](const rules::Finding& f) { return f.path == path; });
        QVERIFY2(at != findings.end(), qPrintable(path));
        QCOMPARE(std::count_if(findings.begin(), findings.end(),
                               [&](const rules::Finding& f) { return f.path == path; }),
                 1);
        QCOMPARE(at->rule, rule);
        QCOMPARE(at->fix.value_or(kNoFix), fix);
        QVERIFY(!at->message.isEmpty());
    }

    // The rules between fields, on the fixture's own records.
    void rulesBetweenFields() {
        auto model = demoModel();
        SaveFile& m = *model;
        const int ship = firstShip(m, false);
        const ShipClassRecord& shipClass = m.ShipClass[static_cast<std::size_t>(m.Ship[ship].Words[3])];
        m.Ship[ship].Words[5] = static_cast<int16_t>(shipClass.Perf[0] + 1);
        m.Ship[ship].Words[6] = static_cast<int16_t>(shipClass.Perf[2] + 5);
        const QString at = QStringLiteral("Ship[%1].").arg(ship);
        // A carrier-air entry on a ship that carries none.
        m.CarrierAir[0].Key = static_cast<int16_t>(ship);
        // A Japanese seaplane at a Japanese base without an anchorage.
        int seaplane = -1;
        for (int a = 0; a < rules::kOfferedAircraftTypes && seaplane < 0; ++a) {
            if (m.AircraftType[a].Kind[0] == 0 && m.AircraftType[a].Kind[1] == rules::kSeaplaneKind) {
                seaplane = a;
            }
        }
        QVERIFY(seaplane >= 0);
        int base = 0;
        while (m.Base[base].Owner != 0) {
            ++base;
        }
        m.Base[base].AirType.fill(255);
        m.Base[base].Anchorage = 0;
        m.Base[base].AirType[3] = static_cast<uint8_t>(seaplane);
        // An Allied aircraft at the same base.
        int allied = -1;
        for (int a = 0; a < rules::kOfferedAircraftTypes && allied < 0; ++a) {
            if (m.AircraftType[a].Kind[0] >= 2 && m.AircraftType[a].Kind[1] < 8) {
                allied = a;
            }
        }
        m.Base[base].AirType[4] = static_cast<uint8_t>(allied);
        // A ship of a class that does not exist.
        const int other = firstShip(m, false, ship);
        m.Ship[other].Words[3] = 300;

        QStringList found;
        for (const rules::Finding& f : rules::CheckSave(m)) {
            found.append(f.path + u' ' + f.rule + u' ' +
                         (f.fix ? QString::number(*f.fix) : QStringLiteral("-")));
        }
        const QStringList expected = {
            at + QStringLiteral("Words[5] class-steps %1").arg(shipClass.Perf[0]),
            at + QStringLiteral("Words[6] class-fuel %1").arg(shipClass.Perf[2]),
            QStringLiteral("Base[%1].AirType[3] seaplane-anchorage -").arg(base),
            QStringLiteral("Base[%1].AirType[4] slot-aircraft -").arg(base),
            QStringLiteral("Ship[%1].Words[3] ship-class -").arg(other),
            QStringLiteral("CarrierAir[0].Key carrier-key -"),
        };
        QCOMPARE(QSet<QString>(found.begin(), found.end()), QSet<QString>(expected.begin(), expected.end()));
        QCOMPARE(rules::CountFindings(m), std::size_t(6));
    }

    // The status bar counts without wording; on a generated save broken nearly everywhere it
    // still agrees with the list the diagnosis window shows.
    void theCountMatchesTheList() {
        auto model = std::make_unique<SaveFile>();
        RecordingStatus status;
        RecordingMessages messages;
        QVERIFY(LoadSaveFile(SaveImageBuilder().build(), *model, status, messages));
        const std::size_t listed = rules::CheckSave(*model).size();
        QVERIFY(listed > 1000);
        QCOMPARE(rules::CountFindings(*model), listed);
        QCOMPARE(rules::CountFindings(*demoModel()), std::size_t(0));
    }

    // Values on the edge of what the dialogs accept are no finding.
    void edgesAreAccepted() {
        auto model = demoModel();
        SaveFile& m = *model;
        m.ShipClass[3].Perf = {999, 99, 32767};
        m.ShipClass[3].Weapon[0][2] = 255;
        m.ShipClass[3].Weapon[0][3] = 25;
        m.ShipClass[3].StepIndex = 154;
        for (ShipRecord& ship : m.Ship) {
            if (ship.Words[3] == 3) {
                ship.Words[4] = 0;  // within whatever the last row of the step table holds
            }
        }
        m.AircraftType[7].Bomb[3][0] = 255;
        m.AirDevelopment[9] = -1;
        m.Base[2].Resource = {255, 32767};
        m.Base[2].Factory = {6, 999};
        m.Base[2].Terrain = 5;
        m.Base[2].Anchorage = 3;
        m.Base[2].PublicOrder = 100;
        m.TurnInfo[0] = 444;  // the end turn itself
        m.ScienceWeapon[0][0] = {15, 15};
        m.CarrierAir[119].Key = -1;
        QStringList found;
        for (const rules::Finding& f : rules::CheckSave(m)) {
            found.append(f.path + u' ' + f.message);
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestSaveRules)
#include "test_save_rules.moc"
