#include "model/ModelTree.h"

#include "model/RecordFields.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
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
ModelNode toNode(const std::array<T, N>& values) {
    ModelNode node;
    node.kind = ModelNode::Kind::Array;
    node.items.reserve(N);
    for (const T& value : values) {
        node.items.push_back(toNode(value));
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

template <typename Record>
bool sameFields(const Record& a, const Record& b) {
    bool same = true;
    fields::forEach<Record>([&same](const char*, const auto& x, const auto& y) { same = same && x == y; }, a,
                            b);
    return same;
}

ModelNode emptyNode(ModelNode::Kind kind) {
    ModelNode node;
    node.kind = kind;
    return node;
}

// The value, or an empty object when `other` has the same: a dialog's store changes a few
// fields, and most of the model then needs no tree.
template <typename T>
ModelNode valueNode(const T& value, const T* other) {
    return other != nullptr && value == *other ? emptyNode(ModelNode::Kind::Object) : toNode(value);
}

// The records 0..count-1; those equal to the record of `others` at the same index (below
// `otherCount`) as empty objects, and no records at all when every one of them is equal.
template <typename Record, std::size_t N>
ModelNode recordsNode(const std::array<Record, N>& records, const std::array<Record, N>* others,
                      std::size_t count = N, std::size_t otherCount = N) {
    if (others != nullptr && count == otherCount &&
        std::equal(records.begin(), records.begin() + count, others->begin(), sameFields<Record>)) {
        return emptyNode(ModelNode::Kind::Array);
    }
    ModelNode node;
    node.kind = ModelNode::Kind::Array;
    node.items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (others != nullptr && i < otherCount && sameFields(records[i], (*others)[i])) {
            node.items.push_back(emptyNode(ModelNode::Kind::Object));
        } else {
            node.items.push_back(toNode(records[i]));
        }
    }
    return node;
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

ModelNode BuildModelTree(const SaveFile& m, const SaveFile* other) {
    ModelNode node;
    node.kind = ModelNode::Kind::Object;
    auto add = [&node](const char* name, ModelNode value) {
        node.members.push_back({QLatin1String(name), std::move(value)});
    };
    add("SaveNameLength", valueNode(m.SaveNameLength, other ? &other->SaveNameLength : nullptr));
    // Equal bytes show the same text.
    add("SaveName", other != nullptr && m.SaveName == other->SaveName ? emptyNode(ModelNode::Kind::Object)
                                                                      : toNode(m.saveNameText()));
    add("TurnInfo", valueNode(m.TurnInfo, other ? &other->TurnInfo : nullptr));
    add("ScenarioTitle", valueNode(m.ScenarioTitle, other ? &other->ScenarioTitle : nullptr));
    add("AirDevelopment", valueNode(m.AirDevelopment, other ? &other->AirDevelopment : nullptr));
    const bool sameScience =
        other != nullptr &&
        std::equal(m.ScienceWeapon.begin(), m.ScienceWeapon.end(), other->ScienceWeapon.begin(),
                   [](const auto& row, const auto& otherRow) {
                       return std::equal(row.begin(), row.end(), otherRow.begin(),
                                         sameFields<ScienceWeaponEntry>);
                   });
    add("ScienceWeapon", sameScience ? emptyNode(ModelNode::Kind::Object) : toNode(m.ScienceWeapon));
    add("AircrewSkill", valueNode(m.AircrewSkill, other ? &other->AircrewSkill : nullptr));
    const std::size_t bases = static_cast<std::size_t>(m.LastBaseIndex) + 1;
    const std::size_t otherBases = other != nullptr ? static_cast<std::size_t>(other->LastBaseIndex) + 1 : 0;
    add("AircraftType", recordsNode(m.AircraftType, other ? &other->AircraftType : nullptr));
    add("ShipClass", recordsNode(m.ShipClass, other ? &other->ShipClass : nullptr));
    add("Base", recordsNode(m.Base, other ? &other->Base : nullptr, bases, otherBases));
    add("Ship", recordsNode(m.Ship, other ? &other->Ship : nullptr));
    add("CarrierAir", recordsNode(m.CarrierAir, other ? &other->CarrierAir : nullptr));
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
