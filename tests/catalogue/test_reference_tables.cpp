#include "catalogue/MaxStepTable.h"
#include "catalogue/ReferenceTables.h"
#include "catalogue/ScienceWeapons.h"
#include "catalogue/ShipTypeGroups.h"

#include <QCryptographicHash>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <numeric>

using namespace korven::catalogue;

using TableGetter = NameTable (*)();
Q_DECLARE_METATYPE(TableGetter)

class TestReferenceTables : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { FillReferenceTables(); }

    void nameTables_data();
    void nameTables();
    void labelsKeepTheirUnusualCharacters();

    void shipNames_data();
    void shipNames();
    void shipNamesFillExactlyTheFirst442SlotsWithDistinctNames();

    void labelOutsideATableIsMissing_data();
    void labelOutsideATableIsMissing();

    void maxStepTableHoldsTheFixedValues();
    void maxStepEditsStayInTheTableUntilRefilled();
    void maxStepIndexesOutsideTheTableAreRefused_data();
    void maxStepIndexesOutsideTheTableAreRefused();

    void shipTypeGroups_data();
    void shipTypeGroups();
    void everyShipCategoryHasAShipType();

    void scienceWeapons_data();
    void scienceWeapons();
    void scienceWeaponsOutsideTheGrid();
};

void TestReferenceTables::nameTables_data() {
    QTest::addColumn<TableGetter>("table");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    const auto row = [](const char* name, TableGetter table, int size, const QString& first,
                        const QString& last) { QTest::newRow(name) << table << size << first << last; };
    row("regions", &RegionNames, 18, u"日本"_qs, u"ソ連"_qs);
    row("terrains", &TerrainNames, 6, u"平地"_qs, u"湿地"_qs);
    row("settlement sizes", &SettlementSizeNames, 5, u"無人"_qs, u"大都市"_qs);
    row("resources", &ResourceNames, 3, u"原油"_qs, u"ボーキサイト"_qs);
    row("factories", &FactoryNames, 7, u"製鉄所"_qs, u"弾薬工場"_qs);
    row("tasks", &TaskNames, 4, u"任務なし"_qs, u"鉄道工事"_qs);
    row("sides", &SideNames, 3, u"日本軍"_qs, u"中立国"_qs);
    row("anchorages", &AnchorageNames, 4, u"泊地なし"_qs, u"大泊地"_qs);
    row("materials", &MaterialNames, 7, u"原油"_qs, u"弾薬"_qs);
    row("aircraft models", &AircraftModelNames, 8, u"艦上戦闘機"_qs, u"軽爆撃機"_qs);
    row("aircraft nations", &AircraftNationNames, 6, u"日本海軍"_qs, u"オランダ"_qs);
    row("ship nations", &ShipNationNames, 6, u"日本"_qs, u"連合軍"_qs);
    row("ship types", &ShipTypeNames, 19, u"装甲空母"_qs, u"タンカー"_qs);
    row("ship categories", &ShipCategoryNames, 7, u"空母"_qs, u"商船"_qs);
    row("weapons", &WeaponNames, 26, u"46㎝砲"_qs, u"爆雷投射機"_qs);
    row("aircrew nations", &AircrewNationNames, 5, u"日本海軍"_qs, u"ソビエト"_qs);
}

void TestReferenceTables::nameTables() {
    QFETCH(TableGetter, table);
    QFETCH(int, size);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const NameTable names = table();
    QCOMPARE(static_cast<int>(names.size()), size);
    QCOMPARE(label(names, 0), first);
    QCOMPARE(label(names, size - 1), last);
    for (const QString& name : names) {
        QVERIFY2(!name.isEmpty(), "every code of a name table has a label");
    }
}

void TestReferenceTables::labelsKeepTheirUnusualCharacters() {
    const NameTable weapons = WeaponNames();
    QCOMPARE(weapons[20], u" 8㎝砲"_qs);
    QCOMPARE(weapons[21], u" 8㎝高角砲"_qs);
    QCOMPARE(weapons[19], u"10㎝高角砲"_qs);
    QCOMPARE(weapons[0].at(2), QChar(0x339D));
    QCOMPARE(RegionNames()[5], u"太平洋１"_qs);
    QCOMPARE(RegionNames()[5].back(), QChar(0xFF11));
}

void TestReferenceTables::shipNames_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    // The first and last name of each run of twenty, where a shifted or lost entry shows.
    const std::pair<int, const char16_t*> known[] = {
        {0, u"大和"},   {19, u"美濃"},  {20, u"播磨"},  {39, u"大鳳"},  {40, u"神鷹"},    {59, u"鳥海"},
        {60, u"摩耶"},  {79, u"高砂"},  {80, u"吉野"},  {99, u"那珂"},  {100, u"夕張"},   {119, u"高瀬"},
        {120, u"岩瀬"}, {139, u"朝風"}, {140, u"春風"}, {159, u"吹雪"}, {160, u"白雪"},   {175, u"朧"},
        {179, u"暁"},   {180, u"響"},   {199, u"朝潮"}, {200, u"大潮"}, {219, u"浦風"},   {220, u"磯風"},
        {239, u"早波"}, {240, u"浜波"}, {259, u"島風"}, {260, u"松"},   {279, u"欅"},     {280, u"橘"},
        {299, u"栂"},   {300, u"蓮"},   {319, u"南風"}, {320, u"北風"}, {339, u"琴波"},   {340, u"菅波"},
        {359, u"鵲"},   {360, u"雉"},   {379, u"満珠"}, {380, u"干珠"}, {399, u"鵜来"},   {400, u"沖縄"},
        {419, u"志賀"}, {420, u"伊王"}, {439, u"礼文"}, {440, u"与論"}, {441, u"与那国"}, {442, u""},
        {1199, u""},
    };
    for (const auto& [index, name] : known) {
        QTest::addRow("%d", index) << index << QString::fromUtf16(name);
    }
}

void TestReferenceTables::shipNames() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(label(ShipNames(), index), name);
}

void TestReferenceTables::shipNamesFillExactlyTheFirst442SlotsWithDistinctNames() {
    const NameTable names = ShipNames();
    QCOMPARE(names.size(), 1200u);
    QSet<QString> distinct;
    for (std::size_t i = 0; i < names.size(); ++i) {
        QCOMPARE(names[i].isEmpty(), i >= 442);
        if (!names[i].isEmpty()) {
            QVERIFY2(!distinct.contains(names[i]), qPrintable(names[i]));
            distinct.insert(names[i]);
        }
    }
    QCOMPARE(distinct.size(), 442);

    // Catches a slip inside a run, which the boundary rows above would miss.
    const QStringList named(names.begin(), names.begin() + 442);
    QCOMPARE(QCryptographicHash::hash(named.join(u'\n').toUtf8(), QCryptographicHash::Sha1).toHex(),
             QByteArray("e3d308cc5a436461f457a7214d18a9555a31a175"));
}

void TestReferenceTables::labelOutsideATableIsMissing_data() {
    QTest::addColumn<TableGetter>("table");
    QTest::addColumn<int>("code");
    QTest::newRow("region -1") << TableGetter(&RegionNames) << -1;
    QTest::newRow("region 18") << TableGetter(&RegionNames) << 18;
    QTest::newRow("weapon 26") << TableGetter(&WeaponNames) << 26;
    QTest::newRow("resource none (255)") << TableGetter(&ResourceNames) << 255;
    QTest::newRow("ship name 1200") << TableGetter(&ShipNames) << 1200;
    QTest::newRow("ship name -1") << TableGetter(&ShipNames) << -1;
    QTest::newRow("huge") << TableGetter(&TaskNames) << std::numeric_limits<int>::max();
    QTest::newRow("most negative") << TableGetter(&TaskNames) << std::numeric_limits<int>::min();
}

void TestReferenceTables::labelOutsideATableIsMissing() {
    QFETCH(TableGetter, table);
    QFETCH(int, code);
    QCOMPARE(label(table(), code), std::nullopt);
    QCOMPARE(labelOr(table(), code, u"?"_qs), u"?"_qs);
    QCOMPARE(labelOr(table(), code), QString());
}

void TestReferenceTables::maxStepTableHoldsTheFixedValues() {
    const auto values = MaxStepTable().values();
    QCOMPARE(values.size(), 155u);
    QCOMPARE(MaxStepTable().at(0), int16_t{320});
    QCOMPARE(MaxStepTable().at(9), int16_t{80});
    QCOMPARE(MaxStepTable().at(69), int16_t{130});
    QCOMPARE(MaxStepTable().at(79), int16_t{303});
    QCOMPARE(MaxStepTable().at(153), int16_t{4});
    QCOMPARE(MaxStepTable().at(154), int16_t{10});
    // A dropped or doubled value keeps the ends right but moves the sum.
    QCOMPARE(std::accumulate(values.begin(), values.end(), 0), 9651);
}

void TestReferenceTables::maxStepEditsStayInTheTableUntilRefilled() {
    StepTable& steps = MaxStepTable();
    QVERIFY(steps.set(42, 999));
    QCOMPARE(MaxStepTable().at(42), int16_t{999});
    QCOMPARE(StepTable::fixedValues()[42], int16_t{11});
    QCOMPARE(steps.at(41), int16_t{6});
    QCOMPARE(steps.at(43), int16_t{9});

    FillReferenceTables();
    QCOMPARE(MaxStepTable().at(42), int16_t{11});
    QVERIFY(std::ranges::equal(MaxStepTable().values(), StepTable::fixedValues()));
}

void TestReferenceTables::maxStepIndexesOutsideTheTableAreRefused_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("155") << 155;
    QTest::newRow("255, the largest byte") << 255;
}

void TestReferenceTables::maxStepIndexesOutsideTheTableAreRefused() {
    QFETCH(int, index);
    StepTable steps;
    QCOMPARE(steps.at(index), std::nullopt);
    QVERIFY(!steps.set(index, 1));
    QVERIFY(std::ranges::equal(steps.values(), StepTable::fixedValues()));
}

void TestReferenceTables::shipTypeGroups_data() {
    QTest::addColumn<int>("shipType");
    QTest::addColumn<int>("group");
    // The ends of each group's run of ship types.
    const std::pair<int, int> cases[] = {{0, 0},  {3, 0},  {4, 1},  {6, 1},  {7, 2},  {10, 2}, {11, 3},
                                         {12, 4}, {14, 4}, {15, 5}, {16, 5}, {17, 6}, {18, 6}};
    for (const auto& [type, group] : cases) {
        QTest::addRow("%s", qPrintable(ShipTypeNames()[static_cast<std::size_t>(type)])) << type << group;
    }
}

void TestReferenceTables::shipTypeGroups() {
    QFETCH(int, shipType);
    QFETCH(int, group);
    QCOMPARE(ShipGroupOf(shipType), group);
}

void TestReferenceTables::everyShipCategoryHasAShipType() {
    QCOMPARE(kShipTypeGroups.size(), ShipTypeNames().size());
    QCOMPARE(ShipGroupOf(-1), std::nullopt);
    QCOMPARE(ShipGroupOf(19), std::nullopt);
    QSet<int> used;
    for (int type = 0; type < 19; ++type) {
        used.insert(*ShipGroupOf(type));
    }
    QCOMPARE(used.size(), static_cast<qsizetype>(ShipCategoryNames().size()));
    QVERIFY(std::ranges::is_sorted(kShipTypeGroups));
}

void TestReferenceTables::scienceWeapons_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("effect");
    QTest::newRow("0,0") << 0 << 0 << u"乙型電波警戒機"_qs << u"根拠地の迎撃度+1"_qs;
    QTest::newRow("0,5") << 0 << 5 << u"25号電波探信儀"_qs << u"艦隊の迎撃度+1"_qs;
    QTest::newRow("1,0") << 1 << 0 << u"3式1型探信儀"_qs << u"爆雷命中率+4%"_qs;
    QTest::newRow("1,4") << 1 << 4 << u"5式爆雷"_qs << u"爆雷破壊力+6"_qs;
    QTest::newRow("2,0") << 2 << 0 << u"シュノーケル"_qs << u"潜水艦発見率-10%"_qs;
    QTest::newRow("2,3") << 2 << 3 << u"イ号誘導弾"_qs << u"対艦水平爆撃命中率8倍"_qs;
    QTest::newRow("2,5") << 2 << 5 << u"24号電波探信儀"_qs << u"砲撃命中率+5%"_qs;
}

void TestReferenceTables::scienceWeapons() {
    QFETCH(int, line);
    QFETCH(int, step);
    QFETCH(QString, name);
    QFETCH(QString, effect);
    const auto text = ScienceWeaponTextOf(line, step);
    QVERIFY(text.has_value());
    QCOMPARE(text->name, name);
    QCOMPARE(text->effect, effect);
}

void TestReferenceTables::scienceWeaponsOutsideTheGrid() {
    QSet<QString> names;
    for (int line = 0; line < kScienceWeaponLines; ++line) {
        for (int step = 0; step < kScienceWeaponSteps; ++step) {
            names.insert(ScienceWeaponTextOf(line, step).value().name);
        }
    }
    QCOMPARE(names.size(), kScienceWeaponLines * kScienceWeaponSteps);
    QCOMPARE(ScienceWeaponTextOf(-1, 0).has_value(), false);
    QCOMPARE(ScienceWeaponTextOf(3, 0).has_value(), false);
    QCOMPARE(ScienceWeaponTextOf(0, -1).has_value(), false);
    QCOMPARE(ScienceWeaponTextOf(0, 6).has_value(), false);
}

QTEST_GUILESS_MAIN(TestReferenceTables)
#include "test_reference_tables.moc"
