#include "editors/ShipState.h"

#include <QTest>

#include <memory>

using namespace korven;
using ship::MountChange;

namespace {

ship::ShipStateInput input(qint64 U, qint64 L, qint64 u, qint64 l) {
    ship::ShipStateInput in;
    in.classUpper = U;
    in.classLower = L;
    in.upper = u;
    in.lower = l;
    in.classSpeed = 30;
    in.fuel = 1000;
    in.consumption = 3;
    in.classGuns = {8, 4, 1, 0};
    return in;
}

}  // namespace

class TestShipState : public QObject {
    Q_OBJECT
private slots:
    void derivedValues_data() {
        QTest::addColumn<qint64>("U");
        QTest::addColumn<qint64>("L");
        QTest::addColumn<qint64>("u");
        QTest::addColumn<qint64>("l");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("launch");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("guns");  // the four mounts, comma separated
        QTest::newRow("upper whole, lower 6 of 8") << 10LL << 8LL << 10LL << 6LL << "通常"
                                                   << "？"
                                                   << "22"
                                                   << "8,4,1,0";
        QTest::newRow("all steps lost") << 10LL << 8LL << 0LL << 0LL << "大破"
                                        << "×"
                                        << "5"
                                        << "0,0,0,0";
        QTest::newRow("damage exactly 0.25") << 10LL << 10LL << 8LL << 7LL << "中破"
                                             << "？"
                                             << "22"
                                             << "8,4,1,0";
        QTest::newRow("lower loss exactly 0.5") << 10LL << 8LL << 10LL << 4LL << "小破"
                                                << "？"
                                                << "15"
                                                << "8,4,1,0";
        QTest::newRow("upper loss exactly 0.5") << 8LL << 8LL << 4LL << 8LL << "中破"
                                                << "×"
                                                << "30"
                                                << "4,2,0,0";
        QTest::newRow("upper loss 0.75") << 8LL << 8LL << 2LL << 8LL << "中破"
                                         << "×"
                                         << "30"
                                         << "2,1,0,0";
        QTest::newRow("half of all steps") << 10LL << 10LL << 5LL << 5LL << "大破"
                                           << "×"
                                           << "15"
                                           << "4,2,0,0";
        QTest::newRow("more steps than the class") << 4LL << 4LL << 8LL << 4LL << "エラー"
                                                   << "？"
                                                   << "30"
                                                   << "8,4,1,0";
        // Zero divisors: nothing to divide by shows "-" rather than failing.
        QTest::newRow("no steps at all") << 0LL << 0LL << 0LL << 0LL << "-"
                                         << "-"
                                         << "-"
                                         << "-,-,-,-";
        QTest::newRow("no upper steps") << 0LL << 8LL << 0LL << 8LL << "通常"
                                        << "-"
                                        << "30"
                                        << "-,-,-,-";
        QTest::newRow("no lower steps") << 10LL << 0LL << 10LL << 0LL << "通常"
                                        << "？"
                                        << "-"
                                        << "8,4,1,0";
    }
    void derivedValues() {
        QFETCH(qint64, U);
        QFETCH(qint64, L);
        QFETCH(qint64, u);
        QFETCH(qint64, l);
        const ship::ShipState state = ship::RecalcShipState(input(U, L, u, l));
        QTEST(state.damage, "damage");
        QTEST(state.launch, "launch");
        QTEST(state.speed, "speed");
        QStringList guns(state.guns.begin(), state.guns.end());
        QTEST(guns.join(u','), "guns");
    }

    void speedNeverBelowFive() {
        ship::ShipStateInput in = input(10, 8, 10, 8);
        in.classSpeed = 4;
        QCOMPARE(ship::RecalcShipState(in).speed, QStringLiteral("5"));
    }

    void remainingRange_data() {
        QTest::addColumn<qint64>("fuel");
        QTest::addColumn<qint64>("consumption");
        QTest::addColumn<QString>("range");
        QTest::newRow("fraction dropped") << 1000LL << 3LL << "133333";
        QTest::newRow("empty tanks") << 0LL << 7LL << "0";
        QTest::newRow("no consumption") << 1000LL << 0LL << "-";
    }
    void remainingRange() {
        ship::ShipStateInput in = input(10, 8, 10, 8);
        QFETCH(qint64, fuel);
        QFETCH(qint64, consumption);
        in.fuel = fuel;
        in.consumption = consumption;
        QTEST(ship::RecalcShipState(in).range, "range");
    }

    void stepLossFactor_data() {
        QTest::addColumn<float>("loss");
        QTest::addColumn<float>("factor");
        QTest::newRow("none") << 0.0f << 1.0f;
        QTest::newRow("below a quarter") << 0.2f << 1.0f;
        QTest::newRow("a quarter") << 0.25f << 0.75f;
        QTest::newRow("a half") << 0.5f << 0.5f;
        QTest::newRow("three quarters") << 0.75f << 0.25f;
        QTest::newRow("almost all") << 0.99f << 0.25f;
        QTest::newRow("all") << 1.0f << 0.0f;
        QTest::newRow("gained steps") << -1.0f << 1.0f;
    }
    void stepLossFactor() {
        QFETCH(float, loss);
        QTEST(ship::StepLossFactor(loss), "factor");
    }

    void carriageText_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("armoured carrier") << 0 << "艦、陸上機";
        QTest::newRow("escort carrier") << 3 << "艦、陸上機";
        QTest::newRow("battleship") << 4 << "水上艦載機";
        QTest::newRow("seaplane tender") << 11 << "水上艦載機";
        QTest::newRow("destroyer") << 12 << "搭載不可";
        QTest::newRow("torpedo boat") << 14 << "搭載不可";
        QTest::newRow("aircraft submarine") << 15 << "特殊水上機";
        QTest::newRow("submarine") << 16 << "搭載不可";
        QTest::newRow("transport") << 17 << "物資、部隊";
        QTest::newRow("tanker") << 18 << "原油、燃料";
        QTest::newRow("no such type") << 19 << "";
    }
    void carriageText() {
        QFETCH(int, type);
        QTEST(ship::CarriageText(type), "text");
    }

    void carrierEntry() {
        std::array<CarrierAirRecord, 8> records{};
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i].Key = static_cast<int16_t>(100 + i);
        }
        records[6].Key = 105;  // a later duplicate is never found
        QCOMPARE(ship::FindCarrierEntry(1, 105, records), 5);
        QCOMPARE(ship::FindCarrierEntry(3, 999, records), -2);
        QCOMPARE(ship::FindCarrierEntry(4, 105, records), -1);
    }

    void carriedLoad() {
        std::array<CarrierAirRecord, 8> records{};
        records[5].Slots = {{{7, 8, 9, 255}, {10, 20, 3, 0}, {1, 2, 0, 250}}};
        ShipRecord ship;
        ship.Bytes = {9, 200, 100, 9};
        ship.Words2 = {7, 450};
        QCOMPARE(ship::CarriedLoad(0, 5, records, ship), std::optional<int>(286));
        QCOMPARE(ship::CarriedLoad(2, -2, records, ship), std::optional<int>(0));
        QCOMPARE(ship::CarriedLoad(3, -1, records, ship), std::optional<int>(0));
        // Two counts of one byte each: the sum goes past 255.
        QCOMPARE(ship::CarriedLoad(5, -1, records, ship), std::optional<int>(300));
        QCOMPARE(ship::CarriedLoad(15, -1, records, ship), std::optional<int>(300));
        QCOMPARE(ship::CarriedLoad(18, -1, records, ship), std::optional<int>(450));
        QCOMPARE(ship::CarriedLoad(12, -1, records, ship), std::nullopt);
        QCOMPARE(ship::CarriedLoad(16, -1, records, ship), std::nullopt);
    }

    void gunTypeCombo() {
        constexpr int kWeapons = 26;
        QCOMPARE(ship::GunTypeComboIndex(255, kWeapons), 26);
        QCOMPARE(ship::GunTypeComboIndex(0, kWeapons), 0);
        QCOMPARE(ship::GunTypeComboIndex(25, kWeapons), 25);
        QCOMPARE(ship::GunTypeComboIndex(200, kWeapons), -1);
        QCOMPARE(ship::GunTypeToStore(26, 3, kWeapons), uint8_t(255));
        QCOMPARE(ship::GunTypeToStore(4, 255, kWeapons), uint8_t(4));
        // A code without an item stays as long as the combo shows nothing else.
        QCOMPARE(ship::GunTypeToStore(-1, 200, kWeapons), uint8_t(200));
        QCOMPARE(ship::GunTypeToStore(7, 200, kWeapons), uint8_t(7));
    }

    void mountRules() {
        QCOMPARE(ship::OnGunTypeChosen(3), MountChange::Enable);
        QCOMPARE(ship::OnGunTypeChosen(ship::kNoGunType), MountChange::None);
        QCOMPARE(ship::OnGunTypeLeft(ship::kNoGunType), MountChange::Clear);
        QCOMPARE(ship::OnGunTypeLeft(0), MountChange::None);
        QCOMPARE(ship::OnGunCountLeft(0), MountChange::Clear);
        QCOMPARE(ship::OnGunCountLeft(2), MountChange::None);
        QCOMPARE(ship::OnFiringsLeft(0), MountChange::Clear);
        QCOMPARE(ship::OnFiringsLeft(9), MountChange::None);

        const std::optional<ship::MountBoxes> enabled = ship::MountBoxesAfter(MountChange::Enable, false);
        QVERIFY(enabled);
        QCOMPARE(enabled->guns, QStringLiteral("10"));
        QCOMPARE(enabled->firings, QStringLiteral("9"));
        QVERIFY(enabled->enabled);
        QVERIFY(!ship::MountBoxesAfter(MountChange::Enable, true));
        for (const bool wasEnabled : {true, false}) {
            const std::optional<ship::MountBoxes> cleared =
                ship::MountBoxesAfter(MountChange::Clear, wasEnabled);
            QVERIFY(cleared);
            QCOMPARE(cleared->guns, QStringLiteral("0"));
            QCOMPARE(cleared->firings, QStringLiteral("0"));
            QVERIFY(!cleared->enabled);
        }
        QVERIFY(!ship::MountBoxesAfter(MountChange::None, false));
    }
};

QTEST_GUILESS_MAIN(TestShipState)
#include "test_ship_state.moc"
