#include "model/SaveRules.h"

#include "catalogue/MaxStepTable.h"
#include "model/ChangeSet.h"
#include "model/FieldDescriptions.h"
#include "model/FieldWalk.h"
#include "model/ModelTexts.h"
#include "model/ModelTree.h"
#include "model/RecordFields.h"
#include "model/TurnBounds.h"
#include "model/TurnCalendar.h"
#include "model/ValueLists.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace korven::rules {
namespace {

using fields::Check;
using fields::Description;
using limits::Range;

// The first two indices of a path, the record's first: "Ship[3].BusouKai[1]" gives {3, 1}. No
// rule looks further.
using Indices = std::array<int, 2>;

// Only the model's own paths come here, so every index is a plain number.
Indices indicesOf(const QString& path) {
    Indices indices{};
    std::size_t n = 0;
    for (qsizetype open = path.indexOf(u'['); open >= 0 && n < indices.size();
         open = path.indexOf(u'[', open + 1)) {
        const qsizetype close = path.indexOf(u']', open);
        indices[n++] = path.mid(open + 1, close - open - 1).toInt();
    }
    return indices;
}

// The tables whose records are judged only while the game uses them.
enum class Table { Other, AircraftType, AirDevelopment, ShipClass, Ship, CarrierAir };

Table tableOf(QStringView path) {
    if (path.startsWith(u"AircraftType[")) {
        return Table::AircraftType;
    }
    if (path.startsWith(u"AirDevelopment[")) {
        return Table::AirDevelopment;
    }
    if (path.startsWith(u"ShipClass[")) {
        return Table::ShipClass;
    }
    if (path.startsWith(u"Ship[")) {
        return Table::Ship;
    }
    return path.startsWith(u"CarrierAir[") ? Table::CarrierAir : Table::Other;
}

// The model, with what the rules ask of it for many records decided once.
class Facts {
public:
    explicit Facts(const SaveFile& model) : m_model(model) {}

    const SaveFile& model() const { return m_model; }

    // An empty slot of the class table is no class: no ship uses it, and no dialog shows it.
    bool classNamed(std::size_t index) const {
        std::optional<bool>& named = m_named[index];
        if (!named) {
            named = !m_model.ShipClass[index].Name.text().isEmpty();
        }
        return *named;
    }

private:
    const SaveFile& m_model;
    mutable std::array<std::optional<bool>, SaveFile::kShipClasses> m_named{};
};

// A dialog's label, decoded once: a whole save's pass judges tens of thousands of values.
const QString& labelOf(const Description& d) {
    static const std::vector<QString> labels = [] {
        std::vector<QString> texts;
        for (const Description& each : fields::Descriptions()) {
            texts.push_back(QString::fromUtf8(each.japanese));
        }
        return texts;
    }();
    return labels[static_cast<std::size_t>(&d - fields::Descriptions().data())];
}

QString labelOf(const char* pattern) {
    return labelOf(*fields::Describe(QString::fromLatin1(pattern)));
}

// The class fields a ship's current values are held to, described once: a broken save can
// have a finding for every ship.
enum class ClassField { UpperSteps, LowerSteps, Fuel, Firings };

const QString& labelOf(ClassField field) {
    static const std::array<QString, 4> labels = {
        labelOf("ShipClass.Perf[0]"), labelOf("ShipClass.StepIndex"), labelOf("ShipClass.Perf[2]"),
        labelOf("ShipClass.Weapon[2][0]")};
    return labels[static_cast<std::size_t>(field)];
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

// The field whose fix must keep the turns left of its entry.
constexpr char kScienceNeed[] = "ScienceWeapon.Need";

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
                                      const Indices& at, qint64 value) {
    const ShipRecord* ship = shipAt(model, at[0]);
    const ShipClassRecord* shipClass = ship != nullptr ? classOf(model, *ship) : nullptr;
    if (shipClass == nullptr) {
        return std::nullopt;  // the class number is judged on its own
    }
    qint64 classValue = 0;
    const char* rule = id::kClassSteps;
    ClassField classField = ClassField::UpperSteps;
    switch (d.check) {
        case Check::ClassUpperSteps:
            classValue = shipClass->Perf[ShipClassPerf::UpperSteps];
            break;
        case Check::ClassLowerSteps: {
            const std::optional<int16_t> lower = catalogue::MaxStepTable().at(shipClass->StepIndex);
            if (!lower) {
                return std::nullopt;  // the step index is judged on its own
            }
            classValue = *lower;
            classField = ClassField::LowerSteps;
            break;
        }
        case Check::ClassFuel:
            classValue = shipClass->Perf[ShipClassPerf::Fuel];
            classField = ClassField::Fuel;
            rule = id::kClassFuel;
            break;
        default:
            classValue = shipClass->Weapon[ShipClassWeapon::Firings][static_cast<std::size_t>(at[1])];
            classField = ClassField::Firings;
            rule = id::kClassFirings;
            break;
    }
    if (classValue < 0) {
        return std::nullopt;  // the class's value is judged on its own; no ship value fits below 0
    }
    const Range range = limits::upToClassValue(classValue);
    if (range.contains(value)) {
        return std::nullopt;
    }
    return outside(rule, texts::ruleAboveClass(label, labelOf(classField), classValue), value, range);
}

// Judged at `value`, which need not be the model's yet: a fix is judged before it is offered.
std::optional<Judged> judgeTurn(const SaveFile& model, const QString& label, int word, qint64 value) {
    TurnBoxes boxes = turnBoxes(model);
    const int16_t stored = static_cast<int16_t>(std::clamp<qint64>(value, INT16_MIN, INT16_MAX));
    if (word == 0) {
        const Turn current = turnFromCounter(stored);
        boxes.Y = current.year;
        boxes.M = current.month;
        boxes.T = current.turn;
        const qint64 parts[] = {boxes.Y, boxes.M, boxes.T};
        bool inside = true;
        for (int box = 0; box < 3; ++box) {
            inside = inside && turnBoxRange(box, boxes).contains(parts[box]);
        }
        if (inside) {
            return std::nullopt;
        }
        const int first = counterFromTurn(Turn{int(boxes.SY), int(boxes.SM), int(boxes.ST)});
        const int last = counterFromTurn(Turn{int(boxes.EY), int(boxes.EM), int(boxes.ET)});
        if (first > last) {
            return Judged{QString::fromLatin1(id::kTurn), texts::ruleTurnsUnordered(label), {}, {}};
        }
        const QString accepted = texts::turnTriple(int(boxes.SY), int(boxes.SM), int(boxes.ST)) +
                                 QStringLiteral("～") +
                                 texts::turnTriple(int(boxes.EY), int(boxes.EM), int(boxes.ET));
        return outside(id::kTurn, texts::ruleTurnOutside(label, accepted), value, Range{first, last});
    }
    (word == 6 ? boxes.EY : word == 7 ? boxes.EM : boxes.ET) = stored;
    const Range range = turnBoxRange(word, boxes);
    if (range.contains(value)) {
        return std::nullopt;
    }
    if (range.minimum > range.maximum) {
        // Only the end year's can be empty: the current year is past the last the box takes.
        return Judged{
            QString::fromLatin1(id::kTurn), texts::ruleNoEndAfterCurrent(label, kLastEndYear), {}, {}};
    }
    return outside(id::kTurn, texts::ruleRange(label, range.minimum, range.maximum), value, range);
}

std::optional<Judged> judgeBaseAircraft(const SaveFile& model, const Indices& at, qint64 value) {
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

std::optional<Judged> judge(const Facts& facts, const Description& d, const QString& label, const Indices& at,
                            const QJsonValue& json) {
    const SaveFile& model = facts.model();
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
        case Check::Range: {
            std::optional<Judged> broken = judgeRange(label, value, d.range);
            if (broken && broken->fix && std::strcmp(d.pattern, kScienceNeed) == 0) {
                // The turns left are held to the turns needed: a fix keeps them when it can.
                const qint64 leave =
                    model.ScienceWeapon[static_cast<std::size_t>(at[0])][static_cast<std::size_t>(at[1])]
                        .Leave;
                if (d.range.contains(leave)) {
                    broken->fix =
                        clampedInto(value, Range{std::max(d.range.minimum, leave), d.range.maximum});
                }
            }
            return broken;
        }
        case Check::ClassUpperSteps:
        case Check::ClassLowerSteps:
        case Check::ClassFuel:
        case Check::ClassFirings:
            return judgeAboveClass(model, d, label, at, value);
        case Check::ScienceLeave: {
            const qint64 need =
                model.ScienceWeapon[static_cast<std::size_t>(at[0])][static_cast<std::size_t>(at[1])].Need;
            if (!limits::kScienceNeed.contains(need)) {
                return std::nullopt;  // the turns needed are judged on their own
            }
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
                               facts.classNamed(static_cast<std::size_t>(value));
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

// Records the game never uses, and the writer's untouched ones, are not judged. An unused
// carrier-air entry's key is, as it says that the entry is unused.
bool judged(const Facts& facts, Table table, bool isKey, const Indices& at) {
    switch (table) {
        case Table::AircraftType:
        case Table::AirDevelopment:
            return at[0] < SaveFile::kWrittenAircraftTypes;
        case Table::Ship: {
            const ShipRecord* ship = shipAt(facts.model(), at[0]);
            return ship != nullptr && shipExists(*ship);
        }
        case Table::ShipClass:
            return facts.classNamed(static_cast<std::size_t>(at[0]));
        case Table::CarrierAir:
            return isKey || facts.model().CarrierAir[static_cast<std::size_t>(at[0])].Key != -1;
        case Table::Other:
            break;
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

// A fix is offered only when the field can store it and the rules accept it there: a clamp
// into a range made of other fields' values can land outside the field's width.
std::optional<qint64> offeredFix(const Facts& facts, const Description& d, const QString& label,
                                 const Indices& at, const QString& path, std::optional<qint64> fix) {
    if (!fix) {
        return std::nullopt;
    }
    const std::optional<Range> width = WidthAt(facts.model(), path);
    if (!width || !width->contains(*fix) || judge(facts, d, label, at, QJsonValue(*fix))) {
        return std::nullopt;
    }
    return fix;
}

// A value that a rule covers, in a record that is judged: its path is made only for a finding.
template <typename PathOf>
std::optional<Finding> checkLeaf(const Facts& facts, const Description& d, const QString& label,
                                 const Indices& at, const QJsonValue& value, const PathOf& pathOf) {
    const std::optional<Judged> broken = judge(facts, d, label, at, value);
    if (!broken) {
        return std::nullopt;
    }
    Finding finding{pathOf(), value, broken->rule, label, broken->message, {}, {}};
    finding.fix = offeredFix(facts, d, label, at, finding.path, broken->fix);
    if (d.check == Check::TextBytes) {
        finding.refusal =
            texts::longerThanDialogAllows(label, cp932::encodedLength(value.toString()), d.range.maximum);
    } else if (broken->range) {
        finding.refusal = texts::outsideDialogRange(label, value.toInteger(), broken->range->minimum,
                                                    broken->range->maximum);
    } else {
        finding.refusal = texts::refusedValue(label, FormatValue(value), broken->message);
    }
    return finding;
}

// The values of the model in file order, as the model tree has them, with the bases up to the
// last one; visit.part(name, value) for a header value, visit.records(name, table, count) for a
// record table. The save's name is left out: no rule covers it, as it is never written.
template <typename Visit>
void forEachPart(const SaveFile& m, Visit& visit) {
    visit.part("SaveNameLength", m.SaveNameLength);
    visit.part("TurnInfo", m.TurnInfo);
    visit.part("ScenarioTitle", m.ScenarioTitle);
    visit.part("AirDevelopment", m.AirDevelopment);
    visit.part("ScienceWeapon", m.ScienceWeapon);
    visit.part("AircrewSkill", m.AircrewSkill);
    visit.records("AircraftType", m.AircraftType, m.AircraftType.size());
    visit.records("ShipClass", m.ShipClass, m.ShipClass.size());
    visit.records("Base", m.Base, static_cast<std::size_t>(m.LastBaseIndex) + 1);
    visit.records("Ship", m.Ship, m.Ship.size());
    visit.records("CarrierAir", m.CarrierAir, m.CarrierAir.size());
    visit.part("HeaderEndPos", m.HeaderEndPos);
    visit.part("AircraftBlockPos", m.AircraftBlockPos);
    visit.part("ShipClassBlockPos", m.ShipClassBlockPos);
    visit.part("BaseBlockPos", m.BaseBlockPos);
    visit.part("LastBaseIndex", m.LastBaseIndex);
}

// One leaf of a header value, or of every record of a table, in the order the walk meets them.
struct Slot {
    const Description* description = nullptr;  // null: no rule covers it
    const QString* label = nullptr;
    QString path;  // below the value or the record: ".Stockpile[3][1]"
    Indices at{};  // its own first indices
    bool isKey = false;
};

// The leaves of each part of forEachPart, in its order, described once: the descriptions of a
// table's records are the same for all of them.
class Shapes {
public:
    template <typename T>
    void part(const char* name, const T& value) {
        add(QLatin1String(name), value);
    }
    template <typename Record, std::size_t N>
    void records(const char* name, const std::array<Record, N>& table, std::size_t) {
        add(QLatin1String(name) + QStringLiteral("[0]"), table[0]);
    }

    std::vector<std::vector<Slot>> parts;

private:
    template <typename T>
    void add(const QString& path, const T& value) {
        std::vector<Slot> shape;
        fields::Trail trail;
        auto describe = [&](const auto&) {
            Slot slot{nullptr, nullptr, trail.path()};
            const Description* d = fields::Describe(path + slot.path);
            if (d != nullptr && d->check != Check::None) {
                slot.description = d;
                slot.label = &labelOf(*d);
                std::size_t n = 0;
                for (const fields::Trail::Step& step : trail.steps()) {
                    if (step.member == nullptr && n < slot.at.size()) {
                        slot.at[n++] = step.index;
                    }
                }
                slot.isKey = slot.path.endsWith(u".Key");
            }
            shape.push_back(std::move(slot));
        };
        fields::forEachLeaf(value, describe, trail);
        parts.push_back(std::move(shape));
    }
};

const std::vector<std::vector<Slot>>& shapes() {
    static const std::vector<std::vector<Slot>> described = [] {
        const auto blank = std::make_unique<SaveFile>();
        Shapes shapes;
        forEachPart(*blank, shapes);
        return std::move(shapes.parts);
    }();
    return described;
}

// The pass over a whole save: every leaf is read where it is, and only a leaf a rule covers is
// judged. Counting skips wording the findings, which is most of their cost.
class SavePass {
public:
    enum class Keep { Findings, Count };

    SavePass(const SaveFile& model, Keep keep) : m_facts(model), m_keep(keep) {}

    template <typename T>
    void part(const char* name, const T& value) {
        const std::vector<Slot>& shape = shapes()[m_part++];
        const Table table = tableOf(QLatin1String(name) + u'[');
        std::size_t leaf = 0;
        auto check = [&](const auto& field) {
            const Slot& slot = shape[leaf++];
            if (slot.description != nullptr && judged(m_facts, table, slot.isKey, slot.at)) {
                judgeLeaf(*slot.description, *slot.label, slot.at, fields::valueOf(field),
                          [&] { return QLatin1String(name) + slot.path; });
            }
        };
        fields::NoTrail untracked;
        fields::forEachLeaf(value, check, untracked);
    }

    template <typename Record, std::size_t N>
    void records(const char* name, const std::array<Record, N>& records, std::size_t count) {
        const std::vector<Slot>& shape = shapes()[m_part++];
        const Table table = tableOf(QLatin1String(name) + u'[');
        for (std::size_t record = 0; record < count; ++record) {
            // Whether a record is judged does not depend on the leaf, but for a key.
            const Indices where{static_cast<int>(record), 0};
            const bool judgedRecord = judged(m_facts, table, false, where);
            const bool judgedKey = judged(m_facts, table, true, where);
            if (!judgedRecord && !judgedKey) {
                continue;
            }
            std::size_t leaf = 0;
            auto check = [&](const auto& field) {
                const Slot& slot = shape[leaf++];
                if (slot.description == nullptr || !(slot.isKey ? judgedKey : judgedRecord)) {
                    return;
                }
                const Indices at{static_cast<int>(record), slot.at[0]};
                judgeLeaf(*slot.description, *slot.label, at, fields::valueOf(field), [&] {
                    return QLatin1String(name) + QLatin1Char('[') + QString::number(record) +
                           QLatin1Char(']') + slot.path;
                });
            };
            fields::NoTrail untracked;
            fields::forEachLeaf(records[record], check, untracked);
        }
    }

    std::vector<Finding> findings;
    std::size_t broken = 0;  // leaves found, also when counting

private:
    template <typename PathOf>
    void judgeLeaf(const Description& d, const QString& label, const Indices& at, const QJsonValue& value,
                   const PathOf& pathOf) {
        if (m_keep == Keep::Count) {
            broken += judge(m_facts, d, label, at, value).has_value() ? 1 : 0;
        } else if (std::optional<Finding> finding = checkLeaf(m_facts, d, label, at, value, pathOf)) {
            findings.push_back(std::move(*finding));
            ++broken;
        }
    }

    Facts m_facts;
    Keep m_keep;
    std::size_t m_part = 0;
};

}  // namespace

std::optional<Finding> CheckField(const SaveFile& model, const QString& path, const QJsonValue& value) {
    const Description* d = fields::Describe(path);
    if (d == nullptr || d->check == Check::None || value.isUndefined()) {
        return std::nullopt;
    }
    const Facts facts(model);
    const Indices at = indicesOf(path);
    if (!judged(facts, tableOf(path), path.endsWith(u".Key"), at)) {
        return std::nullopt;
    }
    return checkLeaf(facts, *d, labelOf(*d), at, value, [&] { return path; });
}

std::vector<Finding> CheckSave(const SaveFile& model) {
    SavePass pass(model, SavePass::Keep::Findings);
    forEachPart(model, pass);
    return std::move(pass.findings);
}

std::size_t CountFindings(const SaveFile& model) {
    SavePass pass(model, SavePass::Keep::Count);
    forEachPart(model, pass);
    return pass.broken;
}

}  // namespace korven::rules
