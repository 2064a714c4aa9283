#include "model/ModelDiff.h"

#include "model/ModelTexts.h"
#include "model/ModelTree.h"

#include <algorithm>

namespace korven {
namespace {

QString shown(const QJsonValue& value) {
    return value.isUndefined() ? texts::absentValue() : FormatValue(value);
}

// A path kept as a chain of parts on the stack, spelled out only for the fields that differ.
struct PathPart {
    const PathPart* parent = nullptr;
    const QString* name = nullptr;  // a member, or else an index
    std::size_t index = 0;

    QString text() const {
        const QString head = parent != nullptr ? parent->text() : QString();
        if (name != nullptr) {
            return head.isEmpty() ? *name : head + QLatin1Char('.') + *name;
        }
        return head + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
    }
    const PathPart& root() const { return parent != nullptr ? parent->root() : *this; }
    // The index right below the root, if there is one.
    int record() const {
        if (parent == nullptr) {
            return -1;
        }
        if (parent->parent == nullptr) {
            return name == nullptr ? static_cast<int>(index) : -1;
        }
        return parent->record();
    }
};

FieldChange change(const PathPart& path, QJsonValue before, QJsonValue after) {
    return {path.text(), *path.root().name, path.record(), std::move(before), std::move(after)};
}

// A subtree that only one side has.
void diffAbsent(const ModelNode& node, const PathPart& path, bool onBefore, std::vector<FieldChange>& out) {
    switch (node.kind) {
        case ModelNode::Kind::Leaf: {
            const QJsonValue absent(QJsonValue::Undefined);
            out.push_back(onBefore ? change(path, node.leaf, absent) : change(path, absent, node.leaf));
            break;
        }
        case ModelNode::Kind::Array:
            for (std::size_t i = 0; i < node.items.size(); ++i) {
                diffAbsent(node.items[i], PathPart{&path, nullptr, i}, onBefore, out);
            }
            break;
        case ModelNode::Kind::Object:
            for (const ModelMember& member : node.members) {
                diffAbsent(member.node, PathPart{&path, &member.name, 0}, onBefore, out);
            }
            break;
    }
}

// Both trees come from the same builder, so they differ only in leaf values and array lengths
// (and records left empty, which are empty on both sides).
void diffNodes(const ModelNode& before, const ModelNode& after, const PathPart* path,
               std::vector<FieldChange>& out) {
    switch (before.kind) {
        case ModelNode::Kind::Leaf:
            if (before.leaf != after.leaf) {
                out.push_back(change(*path, before.leaf, after.leaf));
            }
            break;
        case ModelNode::Kind::Array: {
            const std::size_t common = std::min(before.items.size(), after.items.size());
            for (std::size_t i = 0; i < std::max(before.items.size(), after.items.size()); ++i) {
                const PathPart part{path, nullptr, i};
                if (i < common) {
                    diffNodes(before.items[i], after.items[i], &part, out);
                } else if (i < before.items.size()) {
                    diffAbsent(before.items[i], part, true, out);
                } else {
                    diffAbsent(after.items[i], part, false, out);
                }
            }
            break;
        }
        case ModelNode::Kind::Object:
            for (std::size_t i = 0; i < before.members.size(); ++i) {
                const PathPart part{path, &before.members[i].name, 0};
                diffNodes(before.members[i].node, after.members[i].node, &part, out);
            }
            break;
    }
}

}  // namespace

QString FieldChange::oldText() const {
    return shown(oldValue);
}

QString FieldChange::newText() const {
    return shown(newValue);
}

std::vector<FieldChange> DiffModels(const SaveFile& before, const SaveFile& after) {
    std::vector<FieldChange> changes;
    // Records equal on both sides are empty on both, so only the others are compared.
    diffNodes(BuildModelTree(before, &after), BuildModelTree(after, &before), nullptr, changes);
    return changes;
}

}  // namespace korven
