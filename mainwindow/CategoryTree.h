#pragma once

#include "mainwindow/ListKind.h"

#include <QString>

#include <optional>
#include <vector>

// The category tree as plain data: the fixed nodes, the nodes generated from the name tables,
// and the decision which list a node shows.
namespace korven::mainwindow {

struct TreeNode {
    int index = 0;               // creation number, from 1
    std::optional<QString> key;  // the base-area nodes have none
    QString caption;
    int parent = 0;  // index of the parent; 0 for a top-level node
};

struct CategoryTree {
    std::vector<TreeNode> nodes;  // in creation order: nodes[i].index == i + 1
    int fixedNodeCount = 0;
    int firstAreaIndex = 0;

    const TreeNode* node(int index) const;
    const TreeNode* parentOf(const TreeNode& node) const;
};

CategoryTree BuildCategoryTree();

// What a tree node is, as the list decision needs it (the widget keeps these on its items).
struct NodeFacts {
    int index = 0;
    std::optional<QString> key;
    std::optional<QString> parentKey;
    QString parentCaption;
};

NodeFacts FactsOf(const CategoryTree& tree, int index);

// The list a node shows. `japanese` and `number` apply to the kinds that need them: the
// ship group, the aircraft kind, the science class or the base area.
struct NodeList {
    ListKind kind = ListKind::Clear;
    bool japanese = true;
    int number = 0;

    friend bool operator==(const NodeList&, const NodeList&) = default;
};

NodeList ListForNode(const NodeFacts& node, int fixedNodeCount, int firstAreaIndex);

}  // namespace korven::mainwindow
