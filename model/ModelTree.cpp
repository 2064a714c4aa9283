#include "model/ModelTree.h"

#include "model/RecordFields.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <utility>

namespace korven {
namespace {

ModelNode leaf(QJsonValue value) {
    ModelNode node;
    node.leaf = std::move(value);
    return node;
}

ModelNode toNode(uint8_t value) {
    return leaf(static_cast<int>(value));
}
ModelNode toNode(int16_t value) {
    return leaf(static_cast<int>(value));
}
ModelNode toNode(int32_t value) {
    return leaf(static_cast<qint64>(value));
}
ModelNode toNode(const QString& text) {
    return leaf(text);
}
template <std::size_t Width>
ModelNode toNode(const FixedText<Width>& text) {
    return leaf(text.text());
}
ModelNode toNode(const AircraftTypeRecord& record);
ModelNode toNode(const ShipClassRecord& record);
ModelNode toNode(const BaseRecord& record);
ModelNode toNode(const ShipRecord& record);
ModelNode toNode(const CarrierAirRecord& record);
ModelNode toNode(const ScienceWeaponEntry& record);

template <typename T, std::size_t N>
ModelNode toNode(const std::array<T, N>& values, std::size_t count = N) {
    ModelNode node;
    node.kind = ModelNode::Kind::Array;
    node.items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        node.items.push_back(toNode(values[i]));
    }
    return node;
}

template <typename Record>
ModelNode recordNode(const Record& record) {
    ModelNode node;
    node.kind = ModelNode::Kind::Object;
    fields::forEach<Record>(
        [&node](const char* name, const auto& field) {
            node.members.push_back({QLatin1String(name), toNode(field)});
        },
        record);
    return node;
}

ModelNode toNode(const AircraftTypeRecord& record) {
    return recordNode(record);
}
ModelNode toNode(const ShipClassRecord& record) {
    return recordNode(record);
}
ModelNode toNode(const BaseRecord& record) {
    return recordNode(record);
}
ModelNode toNode(const ShipRecord& record) {
    return recordNode(record);
}
ModelNode toNode(const CarrierAirRecord& record) {
    return recordNode(record);
}
ModelNode toNode(const ScienceWeaponEntry& record) {
    return recordNode(record);
}

void flatten(const ModelNode& node, const QString& path, std::vector<ModelValue>& out) {
    switch (node.kind) {
        case ModelNode::Kind::Leaf:
            out.push_back({path, node.leaf});
            break;
        case ModelNode::Kind::Array:
            for (std::size_t i = 0; i < node.items.size(); ++i) {
                flatten(node.items[i], path + QLatin1Char('[') + QString::number(i) + QLatin1Char(']'), out);
            }
            break;
        case ModelNode::Kind::Object:
            for (const auto& [name, member] : node.members) {
                flatten(member, path.isEmpty() ? name : path + QLatin1Char('.') + name, out);
            }
            break;
    }
}

}  // namespace

ModelNode BuildModelTree(const SaveFile& m) {
    ModelNode node;
    node.kind = ModelNode::Kind::Object;
    auto add = [&node](const char* name, ModelNode value) {
        node.members.push_back({QLatin1String(name), std::move(value)});
    };
    add("SaveNameLength", toNode(m.SaveNameLength));
    add("SaveName", toNode(m.saveNameText()));
    add("TurnInfo", toNode(m.TurnInfo));
    add("ScenarioTitle", toNode(m.ScenarioTitle));
    add("AirDevelopment", toNode(m.AirDevelopment));
    add("ScienceWeapon", toNode(m.ScienceWeapon));
    add("AircrewSkill", toNode(m.AircrewSkill));
    add("AircraftType", toNode(m.AircraftType));
    add("ShipClass", toNode(m.ShipClass));
    add("Base", toNode(m.Base, static_cast<std::size_t>(m.LastBaseIndex) + 1));
    add("Ship", toNode(m.Ship));
    add("CarrierAir", toNode(m.CarrierAir));
    add("HeaderEndPos", toNode(m.HeaderEndPos));
    add("AircraftBlockPos", toNode(m.AircraftBlockPos));
    add("ShipClassBlockPos", toNode(m.ShipClassBlockPos));
    add("BaseBlockPos", toNode(m.BaseBlockPos));
    add("LastBaseIndex", toNode(m.LastBaseIndex));
    return node;
}

std::vector<ModelValue> FlattenModel(const SaveFile& model) {
    std::vector<ModelValue> values;
    flatten(BuildModelTree(model), QString(), values);
    return values;
}

QString FormatValue(const QJsonValue& value) {
    if (value.isString()) {
        const QByteArray quoted = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    }
    return QString::number(value.toInteger());
}

}  // namespace korven
