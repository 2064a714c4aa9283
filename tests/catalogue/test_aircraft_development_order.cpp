#include "catalogue/AircraftDevelopmentOrder.h"

#include <QTest>

#include <array>
#include <limits>

using namespace korven::catalogue;

class TestAircraftDevelopmentOrder : public QObject {
    Q_OBJECT

private slots:
    void knownPlaces_data();
    void knownPlaces();
    void mapsEveryAircraftOntoADistinctDevelopmentEntry();
    void indexesOutsideTheTableMapToThemselves_data();
    void indexesOutsideTheTableMapToThemselves();
};

void TestAircraftDevelopmentOrder::knownPlaces_data() {
    QTest::addColumn<int>("aircraft");
    QTest::addColumn<int>("development");
    const std::pair<int, int> cases[] = {
        {0, 0},     {70, 70},   {71, 72},  {78, 79},  {79, 81},  {80, 83},   {142, 145},
        {143, 147}, {165, 169}, {166, 71}, {167, 80}, {168, 82}, {169, 146},
    };
    for (const auto& [aircraft, development] : cases) {
        QTest::addRow("%d", aircraft) << aircraft << development;
    }
}

void TestAircraftDevelopmentOrder::knownPlaces() {
    QFETCH(int, aircraft);
    QFETCH(int, development);
    const DevelopmentIndex mapped = AirToKaihatsu(static_cast<int16_t>(aircraft));
    QVERIFY(mapped.valid);
    QCOMPARE(mapped.index, development);
}

void TestAircraftDevelopmentOrder::mapsEveryAircraftOntoADistinctDevelopmentEntry() {
    std::array<int, kDevelopmentOrderedAircraft> usedBy{};
    usedBy.fill(-1);
    for (int16_t a = 0; a < kDevelopmentOrderedAircraft; ++a) {
        const DevelopmentIndex mapped = AirToKaihatsu(a);
        QVERIFY(mapped.valid);
        QVERIFY2(mapped.index >= 0 && mapped.index < kDevelopmentOrderedAircraft,
                 qPrintable(QString::number(a)));
        int& owner = usedBy[static_cast<std::size_t>(mapped.index)];
        QVERIFY2(owner == -1, qPrintable(QStringLiteral("%1 and %2 share an entry").arg(owner).arg(a)));
        owner = a;
    }
}

void TestAircraftDevelopmentOrder::indexesOutsideTheTableMapToThemselves_data() {
    QTest::addColumn<int>("aircraft");
    QTest::newRow("170") << 170;
    QTest::newRow("175, the last development slot") << 175;
    QTest::newRow("-1") << -1;
    QTest::newRow("max") << int{std::numeric_limits<int16_t>::max()};
    QTest::newRow("min") << int{std::numeric_limits<int16_t>::min()};
}

void TestAircraftDevelopmentOrder::indexesOutsideTheTableMapToThemselves() {
    QFETCH(int, aircraft);
    const DevelopmentIndex mapped = AirToKaihatsu(static_cast<int16_t>(aircraft));
    QVERIFY(!mapped.valid);
    QCOMPARE(mapped.index, aircraft);
}

QTEST_GUILESS_MAIN(TestAircraftDevelopmentOrder)
#include "test_aircraft_development_order.moc"
