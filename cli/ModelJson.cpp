#include "cli/ModelJson.h"

#include "cli/CliTexts.h"
#include "model/RecordFields.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <utility>

namespace korven::cli {
namespace {

// QJsonObject sorts its keys; this tree keeps the file order for flattening and diffing.
struct Member;

struct Node {
    enum class Kind { Leaf, Array, Object };
    Kind kind = Kind::Leaf;
    QJsonValue leaf;
    std::vector<Node> items;
    std::vector<Member> members;  // a std::pair would need Node complete here
};

struct Member {
    QString first;
    Node second;
};

Node leaf(QJsonValue value) {
    Node node;
    node.leaf = std::move(value);
    return node;
}

Node toNode(uint8_t value) {
    return leaf(static_cast<int>(value));
}
Node toNode(int16_t value) {
    return leaf(static_cast<int>(value));
}
Node toNode(int32_t value) {
    return leaf(static_cast<qint64>(value));
}
Node toNode(const QString& text) {
    return leaf(text);
}
template <std::size_t Width>
Node toNode(const FixedText<Width>& text) {
    return leaf(text.text());
}
Node toNode(const AircraftTypeRecord& record);
Node toNode(const ShipClassRecord& record);
Node toNode(const BaseRecord& record);
Node toNode(const ShipRecord& record);
Node toNode(const CarrierAirRecord& record);
Node toNode(const ScienceWeaponEntry& record);

template <typename T, std::size_t N>
Node toNode(const std::array<T, N>& values, std::size_t count = N) {
    Node node;
    node.kind = Node::Kind::Array;
    for (std::size_t i = 0; i < count; ++i) {
        node.items.push_back(toNode(values[i]));
    }
    return node;
}

template <typename Record>
Node recordNode(const Record& record) {
    Node node;
    node.kind = Node::Kind::Object;
    fields::forEach<Record>(
        [&node](const char* name, const auto& field) {
            node.members.push_back({QLatin1String(name), toNode(field)});
        },
        record);
    return node;
}

Node toNode(const AircraftTypeRecord& record) {
    return recordNode(record);
}
Node toNode(const ShipClassRecord& record) {
    return recordNode(record);
}
Node toNode(const BaseRecord& record) {
    return recordNode(record);
}
Node toNode(const ShipRecord& record) {
    return recordNode(record);
}
Node toNode(const CarrierAirRecord& record) {
    return recordNode(record);
}
Node toNode(const ScienceWeaponEntry& record) {
    return recordNode(record);
}

Node modelNode(const SaveFile& m) {
    Node node;
    node.kind = Node::Kind::Object;
    auto add = [&node](const char* name, Node value) {
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

QJsonValue toJson(const Node& node) {
    switch (node.kind) {
        case Node::Kind::Leaf:
            return node.leaf;
        case Node::Kind::Array: {
            QJsonArray array;
            for (const Node& item : node.items) {
                array.append(toJson(item));
            }
            return array;
        }
        case Node::Kind::Object: {
            QJsonObject object;
            for (const auto& [name, member] : node.members) {
                object.insert(name, toJson(member));
            }
            return object;
        }
    }
    return {};
}

void flatten(const Node& node, const QString& path, std::vector<ModelValue>& out) {
    switch (node.kind) {
        case Node::Kind::Leaf:
            out.push_back({path, node.leaf});
            break;
        case Node::Kind::Array:
            for (std::size_t i = 0; i < node.items.size(); ++i) {
                flatten(node.items[i], path + QLatin1Char('[') + QString::number(i) + QLatin1Char(']'), out);
            }
            break;
        case Node::Kind::Object:
            for (const auto& [name, member] : node.members) {
                flatten(member, path.isEmpty() ? name : path + QLatin1Char('.') + name, out);
            }
            break;
    }
}

QString diffLine(const QString& path, const QString& from, const QString& to) {
    return QStringLiteral("%1: %2 -> %3").arg(path, from, to);
}

// A path kept as a chain of parts on the stack, spelled out only for the lines printed.
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
};

// A subtree that only one side has: every leaf against "(なし)".
void diffAbsent(const Node& node, const PathPart& path, bool onLeft, QStringList& lines) {
    std::vector<ModelValue> values;
    flatten(node, path.text(), values);
    for (const ModelValue& value : values) {
        const QString shown = FormatValue(value.value);
        lines.append(onLeft ? diffLine(value.path, shown, texts::absentValue())
                            : diffLine(value.path, texts::absentValue(), shown));
    }
}

// Both trees come from the same builder, so they differ only in leaf values and array lengths.
void diffNodes(const Node& left, const Node& right, const PathPart* path, QStringList& lines) {
    switch (left.kind) {
        case Node::Kind::Leaf:
            if (left.leaf != right.leaf) {
                lines.append(diffLine(path->text(), FormatValue(left.leaf), FormatValue(right.leaf)));
            }
            break;
        case Node::Kind::Array: {
            const std::size_t common = std::min(left.items.size(), right.items.size());
            for (std::size_t i = 0; i < std::max(left.items.size(), right.items.size()); ++i) {
                const PathPart part{path, nullptr, i};
                if (i < common) {
                    diffNodes(left.items[i], right.items[i], &part, lines);
                } else if (i < left.items.size()) {
                    diffAbsent(left.items[i], part, true, lines);
                } else {
                    diffAbsent(right.items[i], part, false, lines);
                }
            }
            break;
        }
        case Node::Kind::Object:
            for (std::size_t i = 0; i < left.members.size(); ++i) {
                const PathPart part{path, &left.members[i].first, 0};
                diffNodes(left.members[i].second, right.members[i].second, &part, lines);
            }
            break;
    }
}

}  // namespace

QJsonObject DumpModel(const SaveFile& model) {
    return toJson(modelNode(model)).toObject();
}

QByteArray DumpModelJson(const SaveFile& model) {
    return QJsonDocument(DumpModel(model)).toJson(QJsonDocument::Indented);
}

std::vector<ModelValue> FlattenModel(const SaveFile& model) {
    std::vector<ModelValue> values;
    flatten(modelNode(model), QString(), values);
    return values;
}

QString FormatValue(const QJsonValue& value) {
    if (value.isString()) {
        const QByteArray quoted = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    }
    return QString::number(value.toInteger());
}

QStringList DiffModels(const SaveFile& a, const SaveFile& b) {
    QStringList lines;
    diffNodes(modelNode(a), modelNode(b), nullptr, lines);
    return lines;
}

}  // namespace korven::cli
