#include "mainwindow/CategoryTree.h"

#include "catalogue/ReferenceTables.h"
#include "mainwindow/MainWindowTexts.h"

namespace korven::mainwindow {
namespace {

class Builder {
public:
    explicit Builder(CategoryTree& tree) : m_tree(tree) {}

    int add(std::optional<QString> key, const QString& caption, int parent = 0) {
        const int index = static_cast<int>(m_tree.nodes.size()) + 1;
        m_tree.nodes.push_back(TreeNode{index, std::move(key), caption, parent});
        return index;
    }

    int indexOf(const QString& key) const {
        for (const TreeNode& node : m_tree.nodes) {
            if (node.key == key) {
                return node.index;
            }
        }
        return 0;
    }

private:
    CategoryTree& m_tree;
};

// The numeric value of a key's last character; a key without a digit there counts as 0.
int lastDigit(const std::optional<QString>& key) {
    if (!key || key->isEmpty()) {
        return 0;
    }
    const int digit = key->back().digitValue();
    return digit < 0 ? 0 : digit;
}

}  // namespace

QString KindWord(ListKind kind) {
    switch (kind) {
        case ListKind::Kankei:
            return QStringLiteral("Kankei");
        case ListKind::Kokan:
            return QStringLiteral("Kokan");
        case ListKind::Air:
            return QStringLiteral("Air");
        case ListKind::Base:
            return QStringLiteral("Base");
        case ListKind::Kagaku:
            return QStringLiteral("Kagaku");
        case ListKind::ToujouRen:
            return QStringLiteral("ToujouRen");
        case ListKind::Clear:
            break;
    }
    return QStringLiteral("Clear");
}

const TreeNode* CategoryTree::node(int index) const {
    if (index < 1 || index > static_cast<int>(nodes.size())) {
        return nullptr;
    }
    return &nodes[static_cast<std::size_t>(index - 1)];
}

const TreeNode* CategoryTree::parentOf(const TreeNode& child) const {
    return node(child.parent);
}

CategoryTree BuildCategoryTree() {
    using namespace catalogue;
    CategoryTree tree;
    Builder b(tree);
    b.add(QStringLiteral("Kankei"), texts::nodeKankei());
    b.add(QStringLiteral("Kokan"), texts::nodeKokan());
    b.add(QStringLiteral("Koukuki"), texts::nodeKoukuki());
    const int kichi = b.add(QStringLiteral("Kichi"), texts::nodeKichi());
    b.add(QStringLiteral("Kagaku"), texts::nodeKagaku());
    b.add(QStringLiteral("ToujouRen"), texts::nodeToujouRen());
    const struct {
        const char16_t* key;
        QString caption;
        const char16_t* parent;
    } sides[] = {
        {u"KankeiJapan", texts::nodeJapan(), u"Kankei"},
        {u"KankeiRengou", texts::nodeRengou(), u"Kankei"},
        {u"KokanJapan", texts::nodeJapan(), u"Kokan"},
        {u"KokanRengou", texts::nodeRengou(), u"Kokan"},
        {u"KoukuJapan", texts::nodeJapan(), u"Koukuki"},
        {u"KoukuRengou", texts::nodeRengou(), u"Koukuki"},
        {u"KagakuJapan", texts::nodeJapan(), u"Kagaku"},
        {u"ToujouRenAll", texts::nodeAllForces(), u"ToujouRen"},
    };
    for (const auto& side : sides) {
        b.add(QString::fromUtf16(side.key), side.caption, b.indexOf(QString::fromUtf16(side.parent)));
    }
    tree.fixedNodeCount = static_cast<int>(tree.nodes.size());

    const NameTable groups = ShipCategoryNames();
    for (const QString& kind : {QStringLiteral("Kankei"), QStringLiteral("Kokan")}) {
        for (int side = 0; side <= 1; ++side) {
            const int parent =
                b.indexOf(kind + (side == 0 ? QStringLiteral("Japan") : QStringLiteral("Rengou")));
            for (std::size_t g = 0; g < groups.size(); ++g) {
                b.add(QStringLiteral("%1_%2_%3").arg(kind).arg(side).arg(g), groups[g], parent);
            }
        }
    }
    const NameTable models = AircraftModelNames();
    const int japaneseAir = b.indexOf(QStringLiteral("KoukuJapan"));
    const int alliedAir = b.indexOf(QStringLiteral("KoukuRengou"));
    for (std::size_t t = 0; t < models.size(); ++t) {
        b.add(QStringLiteral("KoukuJapan%1").arg(t), models[t], japaneseAir);
        b.add(QStringLiteral("KoukuRengou%1").arg(t), models[t], alliedAir);
    }
    const int science = b.indexOf(QStringLiteral("KagakuJapan"));
    b.add(QStringLiteral("KagakuJapan0"), texts::nodeAntiAir(), science);
    b.add(QStringLiteral("KagakuJapan1"), texts::nodeAntiSubmarine(), science);
    b.add(QStringLiteral("KagakuJapan2"), texts::nodeAntiShip(), science);

    tree.firstAreaIndex = static_cast<int>(tree.nodes.size()) + 1;
    for (const QString& region : RegionNames()) {
        b.add(std::nullopt, region, kichi);
    }
    return tree;
}

NodeFacts FactsOf(const CategoryTree& tree, int index) {
    NodeFacts facts;
    const TreeNode* node = tree.node(index);
    if (node == nullptr) {
        return facts;
    }
    facts.index = node->index;
    facts.key = node->key;
    if (const TreeNode* parent = tree.parentOf(*node)) {
        facts.parentKey = parent->key;
        facts.parentCaption = parent->caption;
    }
    return facts;
}

NodeList ListForNode(const NodeFacts& node, int fixedNodeCount, int firstAreaIndex) {
    NodeList list;
    if (node.index < fixedNodeCount) {
        return list;
    }
    const QString key = node.key.value_or(QString());
    const QString parentKey = node.parentKey.value_or(QString());
    if (key.startsWith(u"Kank") || key.startsWith(u"Koka")) {
        list.kind = key.startsWith(u"Kank") ? ListKind::Kankei : ListKind::Kokan;
        list.japanese = node.parentCaption == texts::nodeJapan();
        list.number = lastDigit(node.key);
    } else if (parentKey.startsWith(u"Kouku")) {
        list.kind = ListKind::Air;
        list.japanese = parentKey == u"KoukuJapan";
        list.number = lastDigit(node.key);
    } else if (parentKey == u"Kichi") {
        list.kind = ListKind::Base;
        list.number = node.index - firstAreaIndex;
    } else if (parentKey.startsWith(u"Kagaku")) {
        list.kind = ListKind::Kagaku;
        list.number = lastDigit(node.key);
    } else if (key == u"ToujouRenAll") {
        list.kind = ListKind::ToujouRen;
    }
    return list;
}

}  // namespace korven::mainwindow
