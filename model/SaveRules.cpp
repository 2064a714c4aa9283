#include "model/SaveRules.h"

#include "catalogue/MaxStepTable.h"
#include "model/FieldDescriptions.h"
#include "model/ModelTexts.h"
#include "model/ModelTree.h"
#include "model/RecordFields.h"
#include "model/TurnBounds.h"
#include "model/TurnCalendar.h"
#include "model/ValueLists.h"
#include "platform/Cp932.h"

#include <QHash>

#include <algorithm>

namespace korven::rules {
namespace {

using fields::Check;
using fields::Description;
using limits::Range;

// The indices in a path, the record's first: "Ship[3].BusouKai[1]" gives {3, 1}. Only the
// model's own paths come here, so every index is a plain number.
std::vector<int> indicesOf(const QString& path) {
    std::vector<int> indices;
    for (qsizetype open = path.indexOf(u'['); open >= 0; open = path.indexOf(u'[', open + 1)) {
        const qsizetype close = path.indexOf(u']', open);
        indices.push_back(path.mid(open + 1, close - open - 1).toInt());
    }
    return indices;
}

const ShipRecord* shipAt(const SaveFile& model, qint64 index) {
    if (index < 0 || index >= SaveFile::kShips) {
        return nullptr;
    }
    return &model.Ship[static_cast<std::size_t>(index)];
}

bool shipExists(const ShipRecord& ship) {
    return ship.Words[ShipWord::NameNumber] != -1;
}

// The class a ship belongs to; nothing when its class number is not a class.
const ShipClassRecord* classOf(const SaveFile& model, const ShipRecord& ship) {
    const int16_t index = ship.Words[ShipWord::ClassNumber];
    if (index < 0 || index >= SaveFile::kShipClasses) {
        return nullptr;
    }
    return &model.ShipClass[static_cast<std::size_t>(index)];
}

TurnBoxes turnBoxes(const SaveFile& model) {
    const std::array<int16_t, 11>& t = model.TurnInfo;
    const Turn current = turnFromCounter(t[0]);
    return {current.year, current.month, current.turn, t[3], t[4], t[5], t[6], t[7], t[8]};
}

// The turn boxes always have both bounds.
Range turnBoxRange(int box, const TurnBoxes& boxes) {
    const LeaveBounds bounds = *turnBoxBounds(box, boxes);
    return {*bounds.minimum, *bounds.maximum};
}

std::optional<qint64> clampedInto(qint64 value, const Range& range) {
    if (range.minimum > range.maximum) {
        return std::nullopt;  // the other fields contradict each other
    }
    return std::clamp(value, range.minimum, range.maximum);
}

struct Judged {
    QString rule;
    QString message;
    std::optional<qint64> fix;
    std::optional<Range> range;  // for a refusal worded as before
};

Judged outside(const char* rule, const QString& message, qint64 value, const Range& range) {
    return {QString::fromLatin1(rule), message, clampedInto(value, range), range};
}

std::optional<Judged> judgeRange(const QString& label, qint64 value, const Range& range) {
    if (range.contains(value)) {
        return std::nullopt;
    }
    return outside(id::kRange, texts::ruleRange(label, range.minimum, range.maximum), value, range);
}

// Within the class's value: a ship's current steps, fuel and firings.
std::optional<Judged> judgeAboveClass(const SaveFile& model, const Description& d, const QString& label,
                                      const std::vector<int>& at, qint64 value) {
    const ShipRecord* ship = shipAt(model, at[0]);
    const ShipClassRecord* shipClass = ship != nullptr ? classOf(model, *ship) : nullptr;
    if (shipClass == nullptr) {
        return std::nullopt;  // the class number is judged on its own
    }
    qint64 classValue = 0;
    const char* rule = id::kClassSteps;
    QString classLabel;
    switch (d.check) {
        case Check::ClassUpperSteps:
            classValue = shipClass->Perf[ShipClassPerf::UpperSteps];
            classLabel = QString::fromUtf8(fields::Describe(QStringLiteral("ShipClass.Perf[0]"))->japanese);
            break;
        case Check::ClassLowerSteps: {
            const std::optional<int16_t> lower = catalogue::MaxStepTable().at(shipClass->StepIndex);
            if (!lower) {
                return std::nullopt;  // the step index is judged on its own
            }
            classValue = *lower;
            classLabel = QString::fromUtf8(fields::Describe(QStringLiteral("ShipClass.StepIndex"))->japanese);
            break;
        }
        case Check::ClassFuel:
            classValue = shipClass->Perf[ShipClassPerf::Fuel];
            classLabel = QString::fromUtf8(fields::Describe(QStringLiteral("ShipClass.Perf[2]"))->japanese);
            rule = id::kClassFuel;
            break;
        default:
            classValue = shipClass->Weapon[ShipClassWeapon::Firings][static_cast<std::size_t>(at[1])];
            classLabel =
                QString::fromUtf8(fields::Describe(QStringLiteral("ShipClass.Weapon[2][0]"))->japanese);
            rule = id::kClassFirings;
            break;
    }
    const Range range = limits::upToClassValue(classValue);
    if (range.contains(value)) {
        return std::nullopt;
    }
    return outside(rule, texts::ruleAboveClass(label, classLabel, classValue), value, range);
}

std::optional<Judged> judgeTurn(const SaveFile& model, const QString& label, int word, qint64 value) {
    const TurnBoxes boxes = turnBoxes(model);
    if (word == 0) {
        const int first = counterFromTurn(Turn{int(boxes.SY), int(boxes.SM), int(boxes.ST)});
        const int last = counterFromTurn(Turn{int(boxes.EY), int(boxes.EM), int(boxes.ET)});
        const qint64 parts[] = {boxes.Y, boxes.M, boxes.T};
        for (int box = 0; box < 3; ++box) {
            const Range range = turnBoxRange(box, boxes);
            if (!range.contains(parts[box])) {
                const QString accepted = texts::turnTriple(int(boxes.SY), int(boxes.SM), int(boxes.ST)) +
                                         QStringLiteral("～") +
                                         texts::turnTriple(int(boxes.EY), int(boxes.EM), int(boxes.ET));
                return outside(id::kTurn, texts::ruleTurnOutside(label, accepted), value, Range{first, last});
            }
        }
        return std::nullopt;
    }
    const Range range = turnBoxRange(word, boxes);
    if (range.contains(value)) {
        return std::nullopt;
    }
    return outside(id::kTurn, texts::ruleRange(label, range.minimum, range.maximum), value, range);
}

std::optional<Judged> judgeBaseAircraft(const SaveFile& model, const std::vector<int>& at, qint64 value) {
    if (value == kNoneCode) {
        return std::nullopt;
    }
    const BaseRecord& base = model.Base[static_cast<std::size_t>(at[0])];
    const bool japanese = isJapaneseSide(base.Owner);
    const AircraftTypeRecord* type = value >= 0 && value < kOfferedAircraftTypes
                                         ? &model.AircraftType[static_cast<std::size_t>(value)]
                                         : nullptr;
    if (type == nullptr || !offeredToSide(*type, japanese) || type->Kind[AircraftKind::Model] >= 8) {
        return Judged{QString::fromLatin1(id::kSlotAircraft), texts::ruleSlotAircraft(japanese), {}, {}};
    }
    if (seaplaneRefused(type->Kind[AircraftKind::Model], base.Anchorage)) {
        return Judged{QString::fromLatin1(id::kSeaplane), texts::ruleSeaplane(), {}, {}};
    }
    return std::nullopt;
}

bool isCarrier(const SaveFile& model, qint64 shipIndex) {
    const ShipRecord* ship = shipAt(model, shipIndex);
    const ShipClassRecord* shipClass = ship != nullptr && shipExists(*ship) ? classOf(model, *ship) : nullptr;
    constexpr int kLastCarrierType = 3;
    return shipClass != nullptr && shipClass->Kind[ShipClassKind::Type] <= kLastCarrierType;
}

std::optional<Judged> judge(const SaveFile& model, const Description& d, const QString& label,
                            const std::vector<int>& at, const QJsonValue& json) {
    if (d.check == Check::TextBytes) {
        const qsizetype bytes = cp932::encodedLength(json.toString());
        if (bytes <= d.range.maximum) {
            return std::nullopt;
        }
        return Judged{
            QString::fromLatin1(id::kTextBytes), texts::ruleTextBytes(label, bytes, d.range.maximum), {}, {}};
    }
    const qint64 value = json.toInteger();
    switch (d.check) {
        case Check::Range:
            return judgeRange(label, value, d.range);
        case Check::ClassUpperSteps:
        case Check::ClassLowerSteps:
        case Check::ClassFuel:
        case Check::ClassFirings:
            return judgeAboveClass(model, d, label, at, value);
        case Check::ScienceLeave: {
            const qint64 need =
                model.ScienceWeapon[static_cast<std::size_t>(at[0])][static_cast<std::size_t>(at[1])].Need;
            const Range range = limits::scienceLeave(need);
            if (range.contains(value)) {
                return std::nullopt;
            }
            return outside(id::kScienceLeave, texts::ruleLeaveAboveNeed(need), value, range);
        }
        case Check::TurnBox:
            return judgeTurn(model, label, at[0], value);
        case Check::List: {
            const ValueList list = ListFor(d.list);
            if (list.contains(value)) {
                return std::nullopt;
            }
            return Judged{QString::fromLatin1(id::kList),
                          texts::ruleList(label, list.acceptedText()),
                          list.fix(value),
                          {}};
        }
        case Check::ShipClassNumber: {
            const bool named = value >= 0 && value < SaveFile::kShipClasses &&
                               !model.ShipClass[static_cast<std::size_t>(value)].Name.text().isEmpty();
            if (named) {
                return std::nullopt;
            }
            return Judged{QString::fromLatin1(id::kShipClass),
                          texts::ruleNoSuchClass(SaveFile::kShipClasses - 1),
                          {},
                          {}};
        }
        case Check::BaseAircraft:
            return judgeBaseAircraft(model, at, value);
        case Check::CarrierKey:
            if (value == -1 || isCarrier(model, value)) {
                return std::nullopt;
            }
            return Judged{QString::fromLatin1(id::kCarrierKey), texts::ruleCarrierKey(), {}, {}};
        default:
            return std::nullopt;
    }
}

// Records the game never uses, and the writer's untouched ones, are not judged.
bool judged(const SaveFile& model, const QString& path, const std::vector<int>& at) {
    if (path.startsWith(u"AircraftType[") || path.startsWith(u"AirDevelopment[")) {
        return at[0] < SaveFile::kWrittenAircraftTypes;
    }
    if (path.startsWith(u"Ship[")) {
        const ShipRecord* ship = shipAt(model, at[0]);
        return ship != nullptr && shipExists(*ship);
    }
    if (path.startsWith(u"ShipClass[")) {
        // An empty slot of the table: no ship uses it, and no dialog shows it.
        return !model.ShipClass[static_cast<std::size_t>(at[0])].Name.text().isEmpty();
    }
    if (path.startsWith(u"CarrierAir[")) {
        return path.endsWith(u".Key") || model.CarrierAir[static_cast<std::size_t>(at[0])].Key != -1;
    }
    return true;
}

}  // namespace

bool isJapaneseSide(uint8_t owner) {
    return owner == 0;
}

bool offeredToSide(const AircraftTypeRecord& type, bool japaneseSide) {
    return (type.Kind[AircraftKind::Nation] < 2) == japaneseSide;
}

bool seaplaneRefused(int kind, int16_t anchorage) {
    return kind == kSeaplaneKind && anchorage == 0;
}

namespace {

std::optional<Finding> checkDescribed(const SaveFile& model, const Description* d, const QString& path,
                                      const QJsonValue& value) {
    if (d == nullptr || d->check == Check::None || value.isUndefined()) {
        return std::nullopt;
    }
    const std::vector<int> at = indicesOf(path);
    if (!judged(model, path, at)) {
        return std::nullopt;
    }
    const QString label = QString::fromUtf8(d->japanese);
    const std::optional<Judged> broken = judge(model, *d, label, at, value);
    if (!broken) {
        return std::nullopt;
    }
    Finding finding{path, value, broken->rule, label, broken->message, broken->fix, {}};
    if (d->check == Check::TextBytes) {
        finding.refusal =
            texts::longerThanDialogAllows(label, cp932::encodedLength(value.toString()), d->range.maximum);
    } else if (broken->range) {
        finding.refusal = texts::outsideDialogRange(label, value.toInteger(), broken->range->minimum,
                                                    broken->range->maximum);
    } else {
        finding.refusal = texts::refusedValue(label, FormatValue(value), broken->message);
    }
    return finding;
}

// A path without its record's index ("Ship.Words[3]"): the records of a table share their
// descriptions, so a whole save needs a few hundred lookups instead of tens of thousands.
QString withoutRecord(const QString& path) {
    const qsizetype open = path.indexOf(u'[');
    const qsizetype dot = path.indexOf(u'.');
    if (open < 0 || dot < open || !fields::IsRecordTable(path.left(open))) {
        return path;
    }
    return path.left(open) + path.mid(dot);
}

}  // namespace

std::optional<Finding> CheckField(const SaveFile& model, const QString& path, const QJsonValue& value) {
    return checkDescribed(model, fields::Describe(path), path, value);
}

std::vector<Finding> CheckSave(const SaveFile& model) {
    std::vector<Finding> findings;
    QHash<QString, const Description*> described;
    for (const ModelValue& leaf : FlattenModel(model)) {
        const QString key = withoutRecord(leaf.path);
        auto found = described.constFind(key);
        if (found == described.constEnd()) {
            found = described.insert(key, fields::Describe(leaf.path));
        }
        if (std::optional<Finding> finding = checkDescribed(model, *found, leaf.path, leaf.value)) {
            findings.push_back(std::move(*finding));
        }
    }
    return findings;
}

}  // namespace korven::rules
