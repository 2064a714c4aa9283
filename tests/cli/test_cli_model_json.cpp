#include "cli/ModelJson.h"
#include "model/ModelTree.h"
#include "model/RecordFields.h"
#include "tests/cli/CliFixtures.h"
#include "tests/support/DemoNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace korven;
using namespace korven::cli;
using korven::fixtures::getInt16;
using korven::fixtures::loadModel;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;

namespace {

int32_t getInt32(const QByteArray& image, qint64 offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(image[offset + i]);
    }
    return static_cast<int32_t>(value);
}

QStringList fieldNames(const auto& defs) {
    QStringList names;
    std::apply([&](const auto&... def) { (names.append(QLatin1String(def.name)), ...); }, defs);
    return names;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

}  // namespace

class TestCliModelJson : public QObject {
    Q_OBJECT

    SaveImageBuilder m_builder;
    QByteArray m_image;
    std::unique_ptr<SaveFile> m_model;
    QJsonObject m_dump;

private slots:
    void initTestCase() {
        m_image = m_builder.build();
        m_model = loadModel(m_image);
        // Through the text form, as a user of `dump` sees it.
        QJsonParseError error{};
        m_dump = QJsonDocument::fromJson(DumpModelJson(*m_model), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
    }

    void topLevelKeysAreTheModelNames() {
        const QStringList expected = {
            QStringLiteral("SaveNameLength"),
            QStringLiteral("SaveName"),
            QStringLiteral("TurnInfo"),
            QStringLiteral("ScenarioTitle"),
            QStringLiteral("AirDevelopment"),
            QStringLiteral("ScienceWeapon"),
            QStringLiteral("AircrewSkill"),
            QStringLiteral("AircraftType"),
            QStringLiteral("ShipClass"),
            QStringLiteral("Base"),
            QStringLiteral("Ship"),
            QStringLiteral("CarrierAir"),
            QStringLiteral("HeaderEndPos"),
            QStringLiteral("AircraftBlockPos"),
            QStringLiteral("ShipClassBlockPos"),
            QStringLiteral("BaseBlockPos"),
            QStringLiteral("LastBaseIndex"),
            QStringLiteral("FormatVersion"),
        };
        QCOMPARE(sorted(m_dump.keys()), sorted(expected));
        QCOMPARE(m_dump[u"FormatVersion"].toInt(), 1);
    }

    void headerValues() {
        const qint64 length = m_builder.saveNameLength();
        QCOMPARE(m_dump[u"SaveNameLength"].toInt(), length);
        QCOMPARE(m_dump[u"SaveName"].toString(), m_builder.options().saveName);
        QCOMPARE(m_dump[u"ScenarioTitle"].toString(),
                 QStringLiteral("南方資源地帯攻略"));  // junk after the NUL dropped
        const QJsonArray turnInfo = m_dump[u"TurnInfo"].toArray();
        QCOMPARE(turnInfo.size(), 11);
        for (int i = 0; i < 11; ++i) {
            QCOMPARE(turnInfo[i].toInt(), getInt16(m_image, m_builder.turnInfoOffset() + 2 * i));
        }
        const QJsonArray development = m_dump[u"AirDevelopment"].toArray();
        QCOMPARE(development.size(), 176);
        QCOMPARE(development[175].toInt(), getInt16(m_image, m_builder.airDevelopmentOffset() + 350));
        // 1-based positions, as the loader keeps them.
        QCOMPARE(m_dump[u"HeaderEndPos"].toInt(), 53 + length);
        QCOMPARE(m_dump[u"AircraftBlockPos"].toInt(), m_builder.options().aircraftBlockOffset + 1);
        QCOMPARE(m_dump[u"ShipClassBlockPos"].toInt(), m_builder.shipClassOffset(0) + 1);
        QCOMPARE(m_dump[u"BaseBlockPos"].toInt(), m_builder.baseOffset(0) + 1);
        QCOMPARE(m_dump[u"LastBaseIndex"].toInt(), 180);
    }

    void tablesNestFirstIndexOutermost() {
        const QJsonArray science = m_dump[u"ScienceWeapon"].toArray();
        QCOMPARE(science.size(), 3);
        for (int a = 0; a < 3; ++a) {
            QCOMPARE(science[a].toArray().size(), 6);
            for (int b = 0; b < 6; ++b) {
                const QJsonObject entry = science[a].toArray()[b].toObject();
                const qint64 at = m_builder.scienceWeaponOffset() + 4 * (6 * a + b);
                QCOMPARE(entry[u"Leave"].toInt(), getInt16(m_image, at));
                QCOMPARE(entry[u"Need"].toInt(), getInt16(m_image, at + 2));
            }
        }
        const QJsonArray skill = m_dump[u"AircrewSkill"].toArray();
        QCOMPARE(skill.size(), 5);
        QCOMPARE(skill[4].toArray().size(), 2);
        QCOMPARE(skill[4].toArray()[1].toInt(),
                 static_cast<unsigned char>(m_image[m_builder.aircrewSkillOffset() + 9]));

        const QJsonArray stockpile = m_dump[u"Base"].toArray()[3].toObject()[u"Stockpile"].toArray();
        QCOMPARE(stockpile.size(), 7);
        for (int a = 0; a < 7; ++a) {
            QCOMPARE(stockpile[a].toArray().size(), 2);
            for (int b = 0; b < 2; ++b) {
                QCOMPARE(stockpile[a].toArray()[b].toInteger(),
                         getInt32(m_image, m_builder.baseOffset(3) + 24 + 8 * a + 4 * b));
            }
        }
        const QJsonArray airCount = m_dump[u"Base"].toArray()[4].toObject()[u"AirCount"].toArray();
        QCOMPARE(airCount.size(), 2);
        QCOMPARE(airCount[1].toArray().size(), 8);
        QCOMPARE(airCount[1].toArray()[2].toInt(), getInt16(m_image, m_builder.baseOffset(4) + 96 + 16 + 4));
    }

    void recordsCarryEveryField() {
        QCOMPARE(m_dump[u"AircraftType"].toArray().size(), 176);
        QCOMPARE(m_dump[u"ShipClass"].toArray().size(), 253);
        QCOMPARE(m_dump[u"Ship"].toArray().size(), 1200);
        QCOMPARE(m_dump[u"CarrierAir"].toArray().size(), 120);
        QCOMPARE(sorted(m_dump[u"AircraftType"].toArray()[0].toObject().keys()),
                 sorted(fieldNames(fields::aircraftType)));
        QCOMPARE(sorted(m_dump[u"ShipClass"].toArray()[0].toObject().keys()),
                 sorted(fieldNames(fields::shipClass)));
        QCOMPARE(sorted(m_dump[u"Base"].toArray()[0].toObject().keys()), sorted(fieldNames(fields::base)));
        QCOMPARE(sorted(m_dump[u"Ship"].toArray()[0].toObject().keys()), sorted(fieldNames(fields::ship)));
        QCOMPARE(sorted(m_dump[u"CarrierAir"].toArray()[0].toObject().keys()),
                 sorted(fieldNames(fields::carrierAir)));

        const QJsonObject shipClass = m_dump[u"ShipClass"].toArray()[12].toObject();
        QCOMPARE(shipClass[u"Name"].toString(), fixtures::demoShipClasses()[12].name);
        QCOMPARE(shipClass[u"Perf"].toArray()[1].toInt(),
                 getInt16(m_image, m_builder.shipClassOffset(12) + 18));
        QCOMPARE(shipClass[u"Weapon"].toArray().size(), 3);
        QCOMPARE(shipClass[u"Weapon"].toArray()[2].toArray()[3].toInt(),
                 static_cast<unsigned char>(m_image[m_builder.shipClassOffset(12) + 37]));
        // Name 3 has junk after its NUL in the file.
        QCOMPARE(m_dump[u"AircraftType"].toArray()[3].toObject()[u"Name"].toString(),
                 fixtures::demoAircraft()[3].name);
        QCOMPARE(m_dump[u"AircraftType"].toArray()[2].toObject()[u"Kouzoku"].toArray()[3].toInt(),
                 getInt16(m_image, m_builder.aircraftTypeOffset(2) + 76));
        QCOMPARE(m_dump[u"Ship"].toArray()[9].toObject()[u"Words"].toArray()[2].toInt(), -1);
        QCOMPARE(m_dump[u"CarrierAir"].toArray()[119].toObject()[u"Key"].toInt(),
                 getInt16(m_image, m_builder.carrierAirOffset(119)));
    }

    void basesStopAtTheLastBase_data() {
        QTest::addColumn<int>("lastBase");
        QTest::addColumn<int>("count");
        QTest::newRow("base 0") << 0 << 1;
        QTest::newRow("base 37") << 37 << 38;
        QTest::newRow("no terminating base") << -1 << 256;
    }
    void basesStopAtTheLastBase() {
        QFETCH(int, lastBase);
        QFETCH(int, count);
        SaveImageOptions options;
        options.lastBaseIndex = lastBase;
        const QJsonObject dump = DumpModel(*loadModel(SaveImageBuilder(options).build()));
        QCOMPARE(dump[u"Base"].toArray().size(), count);
        QCOMPARE(dump[u"LastBaseIndex"].toInt(), count - 1);
    }

    void flattenedPathsFollowFileOrder() {
        const std::vector<ModelValue> values = FlattenModel(*m_model);
        QCOMPARE(values.front().path, QStringLiteral("SaveNameLength"));
        QCOMPARE(values.back().path, QStringLiteral("LastBaseIndex"));
        auto indexOf = [&](const QString& path) {
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (values[i].path == path) {
                    return static_cast<qint64>(i);
                }
            }
            return qint64{-1};
        };
        const QStringList inOrder = {
            QStringLiteral("TurnInfo[10]"),
            QStringLiteral("ScienceWeapon[0][0].Leave"),
            QStringLiteral("ScienceWeapon[0][0].Need"),
            QStringLiteral("ScienceWeapon[0][1].Leave"),
            QStringLiteral("AircraftType[5].Name"),
            QStringLiteral("AircraftType[5].ShortName"),
            QStringLiteral("AircraftType[5].Bomb[0][1]"),
            QStringLiteral("AircraftType[5].Bomb[1][0]"),
            QStringLiteral("ShipClass[0].Name"),
            QStringLiteral("Base[3].Stockpile[0][1]"),
            QStringLiteral("Base[3].Stockpile[1][0]"),
            QStringLiteral("Base[180].ExtraBytes[1][3]"),
            QStringLiteral("Ship[0].Words[0]"),
            QStringLiteral("CarrierAir[119].Slots[2][3]"),
        };
        qint64 previous = -1;
        for (const QString& path : inOrder) {
            const qint64 at = indexOf(path);
            QVERIFY2(at > previous, qPrintable(path));
            previous = at;
        }
        QCOMPARE(indexOf(QStringLiteral("Base[181].Name")), -1);
    }

    void equalModelsHaveNoDifferences() {
        QCOMPARE(DiffLines(DiffModels(*m_model, *m_model)), QStringList());
    }

    void differencesAreOneLinePerField() {
        auto changed = std::make_unique<SaveFile>(*m_model);
        changed->ShipClass[12].Perf[1] = static_cast<int16_t>(m_model->ShipClass[12].Perf[1] + 1);
        changed->Base[3].Stockpile[0][1] = -7;
        changed->AircraftType[5].Name.setText(QStringLiteral("零式\"艦戦\""));
        const QStringList expected = {
            QStringLiteral("AircraftType[5].Name: \"%1\" -> \"零式\\\"艦戦\\\"\"")
                .arg(fixtures::demoAircraft()[5].name),
            QStringLiteral("ShipClass[12].Perf[1]: %1 -> %2")
                .arg(m_model->ShipClass[12].Perf[1])
                .arg(m_model->ShipClass[12].Perf[1] + 1),
            QStringLiteral("Base[3].Stockpile[0][1]: %1 -> -7").arg(m_model->Base[3].Stockpile[0][1]),
        };
        QCOMPARE(DiffLines(DiffModels(*m_model, *changed)), expected);
    }

    void basesOnlyOneSideHasShowAsAbsent() {
        SaveImageOptions options;
        options.lastBaseIndex = 37;
        auto shorter = loadModel(SaveImageBuilder(options).build());
        options.lastBaseIndex = 38;
        auto longer = loadModel(SaveImageBuilder(options).build());
        const QStringList lines = DiffLines(DiffModels(*shorter, *longer));
        QVERIFY(lines.contains(QStringLiteral("LastBaseIndex: 37 -> 38")));
        QVERIFY(lines.contains(QStringLiteral("Base[38].Name: (なし) -> \"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ\"")));
        QVERIFY(DiffLines(DiffModels(*longer, *shorter))
                    .contains(QStringLiteral("Base[38].Name: \"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ\" -> (なし)")));
    }
};

QTEST_GUILESS_MAIN(TestCliModelJson)
#include "test_cli_model_json.moc"
