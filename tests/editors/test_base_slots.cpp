#include "editors/BaseSlots.h"
#include "tests/editors/EditorTestSupport.h"

#include <QTest>

#include <memory>

using namespace korven;
using namespace korven::base;
using namespace korven::testing;

namespace {

using Types = QList<int>;

// Types whose kind has no place in the list unless a row defines them.
std::unique_ptr<SaveFile> fleet() {
    auto file = std::make_unique<SaveFile>();
    clearAircraftKinds(*file);
    defineAircraft(*file, 0, "零戦", 0, 0);
    defineAircraft(*file, 1, "隼", 1, 0);
    defineAircraft(*file, 2, "F4F", 2, 0);
    defineAircraft(*file, 3, "ｽﾋﾟｯﾄ", 3, 0);
    defineAircraft(*file, 4, "二式水戦", 0, 3);
    defineAircraft(*file, 5, "OS2U", 5, 3);
    defineAircraft(*file, 6, "B-17", 2, 5);
    defineAircraft(*file, 7, "謎機", 0, 12);
    defineAircraft(*file, 169, "烈風", 0, 0);
    defineAircraft(*file, 170, "試作", 0, 0);
    defineAircraft(*file, 175, "XP", 2, 0);
    return file;
}

Types typesOf(const std::vector<SlotAircraft>& list) {
    Types types;
    for (const SlotAircraft& a : list) {
        types.append(a.type);
    }
    return types;
}

}  // namespace

class TestBaseSlots : public QObject {
    Q_OBJECT
private slots:
    void nameList_data() {
        QTest::addColumn<int>("owner");
        QTest::addColumn<int>("category");
        QTest::addColumn<Types>("types");
        QTest::newRow("日本軍 fighters: navy and army, up to 169") << 0 << 0 << Types{0, 1, 169};
        QTest::newRow("連合軍 fighters: Allied only, never 170+") << 1 << 0 << Types{2, 3};
        QTest::newRow("中立国 like 連合軍") << 2 << 0 << Types{2, 3};
        QTest::newRow("日本軍 seaplanes") << 0 << 3 << Types{4};
        QTest::newRow("連合軍 seaplanes") << 1 << 3 << Types{5};
        QTest::newRow("日本軍 heavy bombers: none") << 0 << 5 << Types{};
        QTest::newRow("なし lists nothing") << 0 << kNoCategory << Types{};
        QTest::newRow("no category lists nothing") << 0 << -1 << Types{};
    }
    void nameList() {
        QFETCH(int, owner);
        QFETCH(int, category);
        const auto file = fleet();
        const std::vector<SlotAircraft> list =
            slotNameList(*file, isJapaneseSide(static_cast<uint8_t>(owner)), category);
        QTEST(typesOf(list), "types");
        if (!list.empty()) {
            QCOMPARE(list.front().name,
                     file->AircraftType[static_cast<std::size_t>(list.front().type)].ShortName.text());
        }
    }

    void storedPosition() {
        const auto file = fleet();
        const std::vector<SlotAircraft> list = slotNameList(*file, true, 0);
        QCOMPARE(storedAircraftPosition(list, 169), 2);
        QCOMPARE(storedAircraftPosition(list, 0), 0);
        QCOMPARE(storedAircraftPosition(list, 2), -1);    // foreign
        QCOMPARE(storedAircraftPosition(list, 170), -1);  // never offered
        QCOMPARE(storedAircraftPosition(list, kEmptySlot), -1);
    }

    void category_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("category");
        QTest::newRow("empty slot: なし") << 255 << kNoCategory;
        QTest::newRow("fighter") << 0 << 0;
        QTest::newRow("seaplane") << 4 << 3;
        QTest::newRow("foreign type keeps its kind") << 6 << 5;
        QTest::newRow("type 170 keeps its kind") << 170 << 0;
        QTest::newRow("kind 255: no item") << 8 << -1;
        QTest::newRow("kind beyond the list: no item") << 7 << -1;
        QTest::newRow("no such record: no item") << 200 << -1;
    }
    void category() {
        QFETCH(int, stored);
        const auto file = fleet();
        QTEST(slotCategory(*file, static_cast<uint8_t>(stored)), "category");
    }

    void seaplaneRule() {
        QVERIFY(seaplaneRefused(kSeaplaneCategory, 0));
        QVERIFY(!seaplaneRefused(kSeaplaneCategory, 1));
        QVERIFY(!seaplaneRefused(0, 0));
        QVERIFY(!seaplaneRefused(kNoCategory, 0));
    }

    void store_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("selected");  // -1: nothing selected
        QTest::addColumn<int>("storedType");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("count0");
        QTest::addColumn<int>("count1");
        QTest::newRow("なし empties, counts 0") << kNoCategory << -1 << 17 << 255 << 0 << 0;
        QTest::newRow("なし ignores a selection") << kNoCategory << 4 << 17 << 255 << 0 << 0;
        QTest::newRow("selected aircraft with counts") << 0 << 169 << 17 << 169 << 12 << 3;
        QTest::newRow("empty list keeps the stored type") << 5 << -1 << 6 << 6 << 12 << 3;
        QTest::newRow("empty list on an empty slot stays empty") << 5 << -1 << 255 << 255 << 0 << 0;
        QTest::newRow("no category keeps the stored type") << -1 << -1 << 7 << 7 << 12 << 3;
    }
    void store() {
        QFETCH(int, category);
        QFETCH(int, selected);
        QFETCH(int, storedType);
        QFETCH(int, type);
        QFETCH(int, count0);
        QFETCH(int, count1);
        const SlotContents stored =
            slotToStore(category, selected >= 0 ? std::optional<int>(selected) : std::nullopt,
                        static_cast<uint8_t>(storedType), 12, 3);
        const SlotContents expected{static_cast<uint8_t>(type), static_cast<int16_t>(count0),
                                    static_cast<int16_t>(count1)};
        QCOMPARE(stored, expected);
    }

    void codeLists_data() {
        QTest::addColumn<qint64>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("kindPos");
        QTest::newRow("first") << qint64(0) << 0 << 0;
        QTest::newRow("last of three") << qint64(2) << 2 << 2;
        QTest::newRow("beyond") << qint64(3) << -1 << -1;
        QTest::newRow("negative") << qint64(-1) << -1 << -1;
        QTest::newRow("255: なし for kinds") << qint64(255) << -1 << 3;
    }
    void codeLists() {
        QFETCH(qint64, code);
        QTEST(listPosition(code, 3), "position");
        QTEST(kindPosition(code, 3), "kindPos");
    }

    void codesBackFromPositions() {
        QCOMPARE(codeFromPosition(2, 9), 2);
        QCOMPARE(codeFromPosition(-1, 9), 9);  // nothing picked: the stored code stays
        QCOMPARE(kindFromPosition(3, 3, 1), kNoKind);
        QCOMPARE(kindFromPosition(1, 3, 255), 1);
        QCOMPARE(kindFromPosition(-1, 3, 5), 5);
    }
};

QTEST_GUILESS_MAIN(TestBaseSlots)
#include "test_base_slots.moc"
