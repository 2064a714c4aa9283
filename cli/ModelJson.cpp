#include "cli/ModelJson.h"

#include "model/ModelTree.h"

#include <QJsonDocument>

namespace korven::cli {
namespace {

QJsonValue toJson(const ModelNode& node) {
    switch (node.kind) {
        case ModelNode::Kind::Leaf:
            return node.leaf;
        case ModelNode::Kind::Array: {
            QJsonArray array;
            for (const ModelNode& item : node.items) {
                array.append(toJson(item));
            }
            return array;
        }
        case ModelNode::Kind::Object: {
            QJsonObject object;
            for (const ModelMember& member : node.members) {
                object.insert(member.name, toJson(member.node));
            }
            return object;
        }
    }
    return {};
}

QJsonValue nullWhenAbsent(const QJsonValue& value) {
    return value.isUndefined() ? QJsonValue(QJsonValue::Null) : value;
}

}  // namespace

QJsonObject DumpModel(const SaveFile& model) {
    QJsonObject dump = toJson(BuildModelTree(model)).toObject();
    dump.insert(QStringLiteral("FormatVersion"), kDumpFormatVersion);
    return dump;
}

QByteArray DumpModelJson(const SaveFile& model) {
    return QJsonDocument(DumpModel(model)).toJson(QJsonDocument::Indented);
}

QStringList DiffLines(const std::vector<FieldChange>& changes) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(changes.size()));
    for (const FieldChange& change : changes) {
        lines.append(QStringLiteral("%1: %2 -> %3").arg(change.path, change.oldText(), change.newText()));
    }
    return lines;
}

QJsonArray DiffJson(const std::vector<FieldChange>& changes) {
    QJsonArray list;
    for (const FieldChange& change : changes) {
        list.append(QJsonObject{{QStringLiteral("path"), change.path},
                                {QStringLiteral("old"), nullWhenAbsent(change.oldValue)},
                                {QStringLiteral("new"), nullWhenAbsent(change.newValue)}});
    }
    return list;
}

}  // namespace korven::cli
