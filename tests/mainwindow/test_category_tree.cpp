#include "catalogue/ReferenceTables.h"
#include "mainwindow/CategoryTree.h"

#include <QTest>

using namespace korven;
using namespace korven::mainwindow;

Q_DECLARE_METATYPE(ListKind)

namespace {

int indexOfKey(const CategoryTree& tree, const QString& key) {
    for (const TreeNode& node : tree.nodes) {
        if (node.key == key) {
            return node.index;
        }
    }
    return 0;
}

}  // namespace

class TestCategoryTree : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { catalogue::FillReferenceTables(); }

    void fixedNodes_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("parentKey");
        const struct {
            const char16_t* key;
            const char16_t* caption;
            const char16_t* parent;
        } fixed[] = {
            {u"Kankei", u"艦型", u""},
            {u"Kokan", u"個別艦船", u""},
            {u"Koukuki", u"航空機", u""},
            {u"Kichi", u"基地", u""},
            {u"Kagaku", u"科学兵器", u""},
            {u"ToujouRen", u"搭乗員練度", u""},
            {u"KankeiJapan", u"日本軍", u"Kankei"},
            {u"KankeiRengou", u"連合軍", u"Kankei"},
            {u"KokanJapan", u"日本軍", u"Kokan"},
            {u"KokanRengou", u"連合軍", u"Kokan"},
            {u"KoukuJapan", u"日本軍", u"Koukuki"},
            {u"KoukuRengou", u"連合軍", u"Koukuki"},
            {u"KagakuJapan", u"日本軍", u"Kagaku"},
            {u"ToujouRenAll", u"全軍", u"ToujouRen"},
        };
        int index = 1;
        for (const auto& f : fixed) {
            QTest::addRow("%d", index) << index << QString::fromUtf16(f.key) << QString::fromUtf16(f.caption)
                                       << QString::fromUtf16(f.parent);
            ++index;
        }
    }
    void fixedNodes() {
        QFETCH(int, index);
        const CategoryTree tree = BuildCategoryTree();
        const TreeNode* node = tree.node(index);
        QVERIFY(node);
        QCOMPARE(node->index, index);
        QTEST(node->key.value_or(QString()), "key");
        QTEST(node->caption, "caption");
        const TreeNode* parent = tree.parentOf(*node);
        QTEST(parent ? parent->key.value_or(QString()) : QString(), "parentKey");
    }

    void generatedNodesInCreationOrder() {
        const CategoryTree tree = BuildCategoryTree();
        QCOMPARE(tree.fixedNodeCount, 14);
        // 4 x 7 ship groups, 8 x 2 aircraft kinds, 3 science classes, then the 18 areas.
        QCOMPARE(indexOfKey(tree, QStringLiteral("Kankei_0_0")), 15);
        QCOMPARE(indexOfKey(tree, QStringLiteral("Kankei_1_0")), 22);
        QCOMPARE(indexOfKey(tree, QStringLiteral("Kokan_0_3")), 32);
        QCOMPARE(indexOfKey(tree, QStringLiteral("Kokan_1_6")), 42);
        QCOMPARE(indexOfKey(tree, QStringLiteral("KoukuJapan0")), 43);
        QCOMPARE(indexOfKey(tree, QStringLiteral("KoukuRengou0")), 44);
        QCOMPARE(indexOfKey(tree, QStringLiteral("KoukuRengou7")), 58);
        QCOMPARE(indexOfKey(tree, QStringLiteral("KagakuJapan0")), 59);
        QCOMPARE(indexOfKey(tree, QStringLiteral("KagakuJapan2")), 61);
        QCOMPARE(tree.firstAreaIndex, 62);
        QCOMPARE(static_cast<int>(tree.nodes.size()), 61 + static_cast<int>(catalogue::RegionNames().size()));

        const TreeNode* group = tree.node(indexOfKey(tree, QStringLiteral("Kokan_1_6")));
        QCOMPARE(group->caption, QStringLiteral("商船"));
        QCOMPARE(tree.parentOf(*group)->key, QStringLiteral("KokanRengou"));
        const TreeNode* kind = tree.node(44);
        QCOMPARE(kind->caption, QStringLiteral("艦上戦闘機"));
        QCOMPARE(tree.parentOf(*kind)->key, QStringLiteral("KoukuRengou"));
        QCOMPARE(tree.node(60)->caption, QStringLiteral("対潜兵器"));

        const TreeNode* area = tree.node(tree.firstAreaIndex);
        QVERIFY(!area->key);
        QCOMPARE(area->caption, QStringLiteral("日本"));
        QCOMPARE(tree.parentOf(*area)->key, QStringLiteral("Kichi"));
        QCOMPARE(tree.nodes.back().caption, QStringLiteral("ソ連"));
        for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
            QCOMPARE(tree.nodes[i].index, static_cast<int>(i) + 1);
            QVERIFY(tree.nodes[i].parent < tree.nodes[i].index);  // parents exist before children
        }
    }

    void listForNode_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");  // 0: look the key up
        QTest::addColumn<ListKind>("kind");
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<int>("number");
        QTest::newRow("艦型") << "Kankei" << 0 << ListKind::Clear << true << 0;
        QTest::newRow("日本軍 under 艦型") << "KankeiJapan" << 0 << ListKind::Clear << true << 0;
        QTest::newRow("連合軍 under 航空機") << "KoukuRengou" << 0 << ListKind::Clear << true << 0;
        QTest::newRow("日本軍 under 科学兵器") << "KagakuJapan" << 0 << ListKind::Clear << true << 0;
        QTest::newRow("全軍") << "ToujouRenAll" << 0 << ListKind::ToujouRen << true << 0;
        QTest::newRow("Japanese cruisers") << "Kankei_0_2" << 0 << ListKind::Kankei << true << 2;
        QTest::newRow("Allied merchant classes") << "Kankei_1_6" << 0 << ListKind::Kankei << false << 6;
        QTest::newRow("Japanese submarines") << "Kokan_0_5" << 0 << ListKind::Kokan << true << 5;
        QTest::newRow("Allied carriers") << "Kokan_1_0" << 0 << ListKind::Kokan << false << 0;
        QTest::newRow("Japanese light bombers") << "KoukuJapan7" << 0 << ListKind::Air << true << 7;
        QTest::newRow("Allied carrier fighters") << "KoukuRengou0" << 0 << ListKind::Air << false << 0;
        QTest::newRow("anti-ship weapons") << "KagakuJapan2" << 0 << ListKind::Kagaku << true << 2;
        QTest::newRow("first area") << "" << 62 << ListKind::Base << true << 0;
        QTest::newRow("last area") << "" << 79 << ListKind::Base << true << 17;
    }
    void listForNode() {
        QFETCH(QString, key);
        QFETCH(int, index);
        const CategoryTree tree = BuildCategoryTree();
        if (index == 0) {
            index = indexOfKey(tree, key);
        }
        QVERIFY(index > 0);
        const NodeList list = ListForNode(FactsOf(tree, index), tree.fixedNodeCount, tree.firstAreaIndex);
        QTEST(list.kind, "kind");
        if (list.kind != ListKind::Clear && list.kind != ListKind::ToujouRen) {
            QTEST(list.japanese, "japanese");
            QTEST(list.number, "number");
        }
    }

    void unknownShapesClear() {
        // Nodes of shapes the tree never builds still give the empty list.
        NodeFacts stray;
        stray.index = 90;
        stray.key = QStringLiteral("Somewhere");
        stray.parentKey = QStringLiteral("Kankei");
        QCOMPARE(ListForNode(stray, 14, 62).kind, ListKind::Clear);
        NodeFacts none;
        QCOMPARE(ListForNode(none, 14, 62).kind, ListKind::Clear);
    }
};

QTEST_GUILESS_MAIN(TestCategoryTree)
#include "test_category_tree.moc"
