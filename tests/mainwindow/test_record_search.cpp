#include "catalogue/ReferenceTables.h"
#include "mainwindow/RecordSearch.h"

#include <QTest>

#include <memory>

using namespace korven;
using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

namespace {

// A model whose only named records are the few each test sets.
std::unique_ptr<SaveFile> namedModel() {
    auto file = std::make_unique<SaveFile>();
    for (ShipRecord& ship : file->Ship) {
        ship.Words[2] = -1;
    }
    ShipClassRecord& submarines = file->ShipClass[40];
    submarines.Name.setText(u"海大型"_s);
    submarines.Kind = {0, 15};
    file->ShipClass[41].Name.setText(u"大和型"_s);
    file->ShipClass[41].Kind = {0, 4};
    file->Ship[3].Words = {0, 0, 13015, 40, 0, 0, 0};
    file->Ship[600].Words = {0, 0, 7, 40, 0, 0, 0};
    AircraftTypeRecord& bomber = file->AircraftType[5];
    bomber.Name.setText(u"一式陸上攻撃機"_s);
    bomber.ShortName.setText(u"一式陸攻"_s);
    bomber.Kind = {0, 7, 0, 0};
    file->LastBaseIndex = 2;
    file->Base[2].Name.setText(u"ﾊﾞﾝｺｸ"_s);
    file->Base[2].Region = 8;
    return file;
}

QStringList keysOf(const std::vector<const SearchEntry*>& hits) {
    QStringList keys;
    for (const SearchEntry* hit : hits) {
        keys.append(hit->key.text());
    }
    return keys;
}

}  // namespace

class TestRecordSearch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { catalogue::FillReferenceTables(); }

    void folding_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("found");
        QTest::newRow("half-width kana with voiced marks") << u"ﾊﾞﾝｺｸ"_s << u"バンコク"_s << true;
        QTest::newRow("full-width query, half-width name") << u"バンコク"_s << u"ﾊﾞﾝｺｸ"_s << true;
        QTest::newRow("semi-voiced mark and long vowel") << u"ｼﾝｶﾞﾎﾟｰﾙ"_s << u"シンガポール"_s << true;
        QTest::newRow("vu") << u"ｳﾞｪﾗ"_s << u"ヴェラ"_s << true;
        QTest::newRow("hiragana") << u"ばんこく"_s << u"バンコク"_s << true;
        QTest::newRow("full-width digits in the name") << u"96"_s << u"９６式艦上戦闘機"_s << true;
        QTest::newRow("full-width digits in the query") << u"伊１５"_s << u"伊15号"_s << true;
        QTest::newRow("full-width letters, other case") << u"ｂ－２９"_s << u"B-29"_s << true;
        QTest::newRow("ASCII query, full-width name") << u"no.0007"_s << u"Ｎｏ．０００７"_s << true;
        QTest::newRow("spaces ignored") << u"伊 15"_s << u"伊15号"_s << true;
        QTest::newRow("ideographic space ignored") << u"ニュー　ヨーク"_s << u"ニューヨーク"_s << true;
        QTest::newRow("part of a name") << u"大和"_s << u"大和型"_s << true;
        QTest::newRow("punctuation in the name ignored") << u"p51"_s << u"Ｐ－５１"_s << true;
        QTest::newRow("punctuation in the query ignored") << u"B.29"_s << u"B-29"_s << true;
        QTest::newRow("middle dot and brackets ignored")
            << u"ボーイングb17"_s << u"ボーイング・Ｂ（１７）"_s << true;
        QTest::newRow("long vowel mark is a letter") << u"シンガポル"_s << u"シンガポール"_s << false;
        QTest::newRow("voiced differs from semi-voiced") << u"パンコク"_s << u"バンコク"_s << false;
        QTest::newRow("unvoiced differs from voiced") << u"ﾊﾝｺｸ"_s << u"バンコク"_s << false;
        QTest::newRow("small kana differ") << u"ｼﾔ"_s << u"シャ"_s << false;
        QTest::newRow("another name") << u"大和"_s << u"長門型"_s << false;
    }
    void folding() {
        QFETCH(QString, query);
        QFETCH(QString, name);
        QTEST(SearchFold(name).contains(SearchFold(query)), "found");
    }

    void findsEveryCategoryWithItsPlace_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("category");
        QTest::newRow("ship class") << u"海大"_s << u"Kankei40"_s << u"海大型"_s << u"艦型／日本軍／潜水艦"_s;
        QTest::newRow("Japanese ship by its list name")
            << u"伊１５号"_s << u"Kokan3"_s << u"伊15号"_s << u"個別艦船／日本軍／潜水艦"_s;
        QTest::newRow("Allied ship by its list name")
            << u"No.0007"_s << u"Kokan600"_s << u"No.0007"_s << u"個別艦船／連合軍／潜水艦"_s;
        QTest::newRow("aircraft by its short name")
            << u"陸攻"_s << u"Air5"_s << u"一式陸上攻撃機"_s << u"航空機／日本軍／軽爆撃機"_s;
        QTest::newRow("base as listed, full width")
            << u"ﾊﾞﾝｺｸ"_s << u"Base2"_s << u"バンコク"_s << u"基地／タイ"_s;
        QTest::newRow("aircrew") << u"日本陸軍"_s << u"ToujouRen1"_s << u"日本陸軍"_s
                                 << u"搭乗員練度／全軍"_s;
    }
    void findsEveryCategoryWithItsPlace() {
        QFETCH(QString, query);
        const auto file = namedModel();
        const CategoryTree tree = BuildCategoryTree();
        const SearchIndex index = SearchIndex::Build(*file, tree);
        const std::vector<const SearchEntry*> hits = index.find(query);
        QCOMPARE(hits.size(), std::size_t(1));
        QTEST(hits[0]->key.text(), "key");
        QTEST(hits[0]->name, "name");
        QTEST(hits[0]->category, "category");
        // The node named is the one whose list shows the record.
        const NodeList list =
            ListForNode(FactsOf(tree, hits[0]->node), tree.fixedNodeCount, tree.firstAreaIndex);
        QVERIFY(list.kind != ListKind::Clear);
    }

    void scienceWeaponsAreFound() {
        const auto file = namedModel();
        const SearchIndex index = SearchIndex::Build(*file, BuildCategoryTree());
        QStringList science;
        for (const SearchEntry* hit : index.find(u"ﾚｰﾀﾞｰ"_s)) {
            QCOMPARE(hit->key.kind, RecordKind::ScienceWeapon);
            QVERIFY(hit->category.startsWith(u"科学兵器／日本軍／"_s));
            science.append(hit->key.text());
        }
        QVERIFY(!science.isEmpty());
    }

    void numbersFindTheRecordsOfThatNumber() {
        const auto file = namedModel();
        const SearchIndex index = SearchIndex::Build(*file, BuildCategoryTree());
        // Record 5 of each kind that lists it, plus the names that contain a 5 (伊15号).
        const QStringList keys = keysOf(index.find(u"５"_s));
        QVERIFY(keys.contains(u"Air5"_s));
        QVERIFY(keys.contains(u"Kokan3"_s));
        // Aircraft 40 is listed too, although unnamed.
        QCOMPARE(keysOf(index.find(u"40"_s)), (QStringList{u"Kankei40"_s, u"Air40"_s}));
    }

    void exactNamesComeFirst() {
        auto file = namedModel();
        file->ShipClass[42].Name.setText(u"改大和型"_s);
        file->ShipClass[42].Kind = {0, 4};
        file->ShipClass[43].Name.setText(u"大和"_s);
        file->ShipClass[43].Kind = {0, 4};
        const SearchIndex index = SearchIndex::Build(*file, BuildCategoryTree());
        QCOMPARE(keysOf(index.find(u"大和"_s)), (QStringList{u"Kankei43"_s, u"Kankei41"_s, u"Kankei42"_s}));
    }

    void emptyQueriesFindNothing() {
        const auto file = namedModel();
        const SearchIndex index = SearchIndex::Build(*file, BuildCategoryTree());
        QVERIFY(index.size() > 0);
        QVERIFY(index.find(QString()).empty());
        QVERIFY(index.find(u"　 "_s).empty());
        QVERIFY(index.find(u"存在しない名前"_s).empty());
    }
};

QTEST_GUILESS_MAIN(TestRecordSearch)
#include "test_record_search.moc"
