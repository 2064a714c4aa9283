#include "model/FieldChecks.h"
#include "model/FieldDescriptions.h"
#include "model/ModelTree.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QSet>
#include <QTest>

#include <functional>
#include <memory>

using namespace korven;
using namespace korven::fixtures;

namespace {

std::unique_ptr<SaveFile> demoModel() {
    auto model = std::make_unique<SaveFile>();
    RecordingStatus status;
    RecordingMessages messages;
    if (!LoadSaveFile(SaveImageBuilder().build(), *model, status, messages)) {
        qFatal("the fixture image does not load");
    }
    return model;
}

using Edit = std::function<void(SaveFile&)>;

}  // namespace

Q_DECLARE_METATYPE(Edit)

class TestFieldDescriptions : public QObject {
    Q_OBJECT

private slots:
    void labelsOfConcretePaths_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("label");
        QTest::newRow("class speed") << "ShipClass[12].Perf[1]"
                                     << "速力";
        QTest::newRow("deck armour") << "ShipClass[0].Armor[2]"
                                     << "甲板装甲";
        QTest::newRow("guns of mount 3") << "ShipClass[252].Weapon[1][3]"
                                         << "門数";
        QTest::newRow("stockpile") << "Base[3].Stockpile[6][1]"
                                   << "在庫量";
        QTest::newRow("bomber crews") << "AircrewSkill[4][1]"
                                      << "搭乗員練度（爆撃機）";
        QTest::newRow("science leave") << "ScienceWeapon[2][5].Leave"
                                       << "残りターン";
        QTest::newRow("end month") << "TurnInfo[7]"
                                   << "終了ターン（月）";
        QTest::newRow("range of group 2") << "AircraftType[5].Kouzoku[2]"
                                          << "航続";
        QTest::newRow("current fuel") << "Ship[1199].Words[6]"
                                      << "燃料（現在）";
        QTest::newRow("scenario title") << "ScenarioTitle"
                                        << "シナリオ名";
    }
    void labelsOfConcretePaths() {
        QFETCH(QString, path);
        QFETCH(QString, label);
        const fields::Description* d = fields::Describe(path);
        QVERIFY2(d != nullptr, qPrintable(path));
        QCOMPARE(QString::fromUtf8(d->japanese), label);
    }

    void pathsTheModelDoesNotHave_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("unknown table") << "Fleet[1].Words[0]";
        QTest::newRow("unknown field") << "ShipClass[1].Speed";
        QTest::newRow("record without field") << "ShipClass[1]";
        QTest::newRow("field without its index") << "ShipClass[1].Perf";
        QTest::newRow("header index missing") << "TurnInfo";
        QTest::newRow("empty") << "";
        QTest::newRow("index not a number") << "ShipClass[1].Perf[x]";
        QTest::newRow("index left open") << "ShipClass[1].Perf[1";
        QTest::newRow("empty index") << "ShipClass[1].Perf[]";
        QTest::newRow("star with digits") << "AircrewSkill[1*][1]";
        QTest::newRow("more indices than any field") << "Base[3].Stockpile[6][1][0][0][0]";
    }
    void pathsTheModelDoesNotHave() {
        QFETCH(QString, path);
        QCOMPARE(fields::Describe(path), nullptr);
    }

    // Every field is described, and every description describes a field.
    void theTableCoversTheModelExactly() {
        const auto model = demoModel();
        QSet<const fields::Description*> used;
        for (const ModelValue& value : FlattenModel(*model)) {
            const fields::Description* d = fields::Describe(value.path);
            QVERIFY2(d != nullptr, qPrintable(value.path));
            used.insert(d);
        }
        for (const fields::Description& d : fields::Descriptions()) {
            QVERIFY2(used.contains(&d), d.pattern);
        }
    }

    void dialogRanges_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("allowed");
        auto set = [](auto assign) { return Edit(assign); };
        QTest::newRow("skill 99") << set([](SaveFile& m) { m.AircrewSkill[2][1] = 99; })
                                  << "AircrewSkill[2][1]" << true;
        QTest::newRow("skill 100") << set([](SaveFile& m) { m.AircrewSkill[2][1] = 100; })
                                   << "AircrewSkill[2][1]" << false;
        QTest::newRow("public order 101")
            << set([](SaveFile& m) { m.Base[3].PublicOrder = 101; }) << "Base[3].PublicOrder" << false;
        QTest::newRow("stockpile 9999999") << set([](SaveFile& m) { m.Base[3].Stockpile[2][0] = 9999999; })
                                           << "Base[3].Stockpile[2][0]" << true;
        QTest::newRow("stockpile negative")
            << set([](SaveFile& m) { m.Base[3].Stockpile[2][0] = -1; }) << "Base[3].Stockpile[2][0]" << false;
        QTest::newRow("class fuel 0")
            << set([](SaveFile& m) { m.ShipClass[7].Perf[2] = 0; }) << "ShipClass[7].Perf[2]" << false;
        QTest::newRow("development -1")
            << set([](SaveFile& m) { m.AirDevelopment[3] = -1; }) << "AirDevelopment[3]" << true;
        QTest::newRow("development -2")
            << set([](SaveFile& m) { m.AirDevelopment[3] = -2; }) << "AirDevelopment[3]" << false;
        QTest::newRow("operation number 51")
            << set([](SaveFile& m) { m.TurnInfo[9] = 51; }) << "TurnInfo[9]" << false;
        QTest::newRow("phase 9") << set([](SaveFile& m) { m.TurnInfo[1] = 9; }) << "TurnInfo[1]" << true;
        QTest::newRow("phase 10") << set([](SaveFile& m) { m.TurnInfo[1] = 10; }) << "TurnInfo[1]" << false;
        // The demo's scenario runs from 41/12/1 to 45/8/5 (counter 444).
        QTest::newRow("current turn at the end")
            << set([](SaveFile& m) { m.TurnInfo[0] = 444; }) << "TurnInfo[0]" << true;
        QTest::newRow("current turn past the end")
            << set([](SaveFile& m) { m.TurnInfo[0] = 445; }) << "TurnInfo[0]" << false;
        QTest::newRow("current turn before the start")
            << set([](SaveFile& m) { m.TurnInfo[0] = -1; }) << "TurnInfo[0]" << false;
        QTest::newRow("end month 13")
            << set([](SaveFile& m) { m.TurnInfo[7] = 13; }) << "TurnInfo[7]" << false;
        QTest::newRow("end year 51") << set([](SaveFile& m) { m.TurnInfo[6] = 51; }) << "TurnInfo[6]"
                                     << false;
        QTest::newRow("end year before the current")
            << set([](SaveFile& m) { m.TurnInfo[6] = 41; }) << "TurnInfo[6]" << false;
        QTest::newRow("leave up to need") << set([](SaveFile& m) {
            m.ScienceWeapon[1][4].Need = 12;
            m.ScienceWeapon[1][4].Leave = 12;
        }) << "ScienceWeapon[1][4].Leave" << true;
        QTest::newRow("leave above need") << set([](SaveFile& m) {
            m.ScienceWeapon[1][4].Need = 12;
            m.ScienceWeapon[1][4].Leave = 13;
        }) << "ScienceWeapon[1][4].Leave" << false;
        QTest::newRow("fuel up to the class's") << set([](SaveFile& m) {
            m.Ship[3].Words[3] = 12;
            m.ShipClass[12].Perf[2] = 500;
            m.Ship[3].Words[6] = 500;
        }) << "Ship[3].Words[6]" << true;
        QTest::newRow("fuel above the class's") << set([](SaveFile& m) {
            m.Ship[3].Words[3] = 12;
            m.ShipClass[12].Perf[2] = 500;
            m.Ship[3].Words[6] = 501;
        }) << "Ship[3].Words[6]" << false;
        QTest::newRow("firings above the mount's") << set([](SaveFile& m) {
            m.Ship[3].Words[3] = 12;
            m.ShipClass[12].Weapon[2][1] = 4;
            m.Ship[3].BusouKai[1] = 5;
        }) << "Ship[3].BusouKai[1]" << false;
        QTest::newRow("ship of no class is not judged") << set([](SaveFile& m) {
            m.Ship[3].Words[3] = -1;
            m.Ship[3].Words[6] = 30000;
        }) << "Ship[3].Words[6]" << true;
        QTest::newRow("name of 26 bytes") << set([](SaveFile& m) {
            m.AircraftType[1].Name.setText(QStringLiteral("零式艦上戦闘機五二型丙ABCD"));
        }) << "AircraftType[1].Name" << true;
        QTest::newRow("name of 27 bytes") << set([](SaveFile& m) {
            m.AircraftType[1].Name.setText(QStringLiteral("零式艦上戦闘機五二型丙ABCDE"));
        }) << "AircraftType[1].Name" << false;
        QTest::newRow("unknown field takes anything")
            << set([](SaveFile& m) { m.Ship[3].Words[1] = -300; }) << "Ship[3].Words[1]" << true;
    }
    void dialogRanges() {
        QFETCH(Edit, edit);
        QFETCH(QString, path);
        QFETCH(bool, allowed);
        const auto before = demoModel();
        auto after = std::make_unique<SaveFile>(*before);
        edit(*after);
        const std::vector<FieldChange> changes = DiffModels(*before, *after);
        const auto change = std::find_if(changes.begin(), changes.end(),
                                         [&](const FieldChange& c) { return c.path == path; });
        QVERIFY2(change != changes.end(), qPrintable(path));
        const Result<void, QString> checked = fields::CheckChange(*after, *change);
        QCOMPARE(checked.ok(), allowed);
        if (!checked) {
            const QString label = QString::fromUtf8(fields::Describe(path)->japanese);
            QVERIFY2(checked.error().contains(label), qPrintable(checked.error()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFieldDescriptions)
#include "test_field_descriptions.moc"
