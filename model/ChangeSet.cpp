#include "model/ChangeSet.h"

#include "model/FieldWalk.h"
#include "platform/Cp932.h"

#include <limits>
#include <type_traits>
#include <variant>

namespace korven {
namespace {

using Leaf = std::variant<uint8_t*, int16_t*, int32_t*, FixedText<11>*, FixedText<12>*, FixedText<21>*,
                          FixedText<27>*>;

using fields::IsArray;
using fields::kIsRecord;

template <typename T>
constexpr bool kIsText = !std::is_integral_v<std::remove_pointer_t<T>>;

// "[12]" at the start of `rest`: the index, and `rest` moved past it.
std::optional<std::size_t> takeIndex(QStringView& rest) {
    const qsizetype close = rest.indexOf(u']');
    if (!rest.startsWith(u'[') || close < 2) {
        return std::nullopt;
    }
    bool ok = false;
    const qulonglong index = rest.sliced(1, close - 1).toULongLong(&ok);
    rest = rest.sliced(close + 1);
    return ok ? std::optional<std::size_t>(index) : std::nullopt;
}

template <typename T>
std::optional<Leaf> find(T& field, QStringView rest) {
    if constexpr (IsArray<T>::value) {
        const std::optional<std::size_t> index = takeIndex(rest);
        if (!index || *index >= field.size()) {
            return std::nullopt;
        }
        return find(field[*index], rest);
    } else if constexpr (kIsRecord<T>) {
        if (!rest.startsWith(u'.')) {
            return std::nullopt;
        }
        rest = rest.sliced(1);
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != u'[' && rest[end] != u'.') {
            ++end;
        }
        const QStringView name = rest.first(end);
        std::optional<Leaf> found;
        fields::forEach<T>(
            [&](const char* member, auto& value) {
                if (!found && name == QLatin1String(member)) {
                    found = find(value, rest.sliced(end));
                }
            },
            field);
        return found;
    } else {
        return rest.isEmpty() ? std::optional<Leaf>(Leaf(&field)) : std::nullopt;
    }
}

std::optional<Leaf> leafAt(SaveFile& m, QStringView path) {
    qsizetype end = 0;
    while (end < path.size() && path[end] != u'[' && path[end] != u'.') {
        ++end;
    }
    const QStringView name = path.first(end);
    const QStringView rest = path.sliced(end);
    if (name == u"TurnInfo")
        return find(m.TurnInfo, rest);
    if (name == u"ScenarioTitle")
        return find(m.ScenarioTitle, rest);
    if (name == u"AirDevelopment")
        return find(m.AirDevelopment, rest);
    if (name == u"ScienceWeapon")
        return find(m.ScienceWeapon, rest);
    if (name == u"AircrewSkill")
        return find(m.AircrewSkill, rest);
    if (name == u"AircraftType")
        return find(m.AircraftType, rest);
    if (name == u"ShipClass")
        return find(m.ShipClass, rest);
    if (name == u"Ship")
        return find(m.Ship, rest);
    if (name == u"CarrierAir")
        return find(m.CarrierAir, rest);
    if (name == u"Base") {
        // The bases after the last one are not in the file.
        QStringView index = rest;
        const std::optional<std::size_t> record = takeIndex(index);
        return record && *record <= m.LastBaseIndex ? find(m.Base, rest) : std::nullopt;
    }
    return std::nullopt;
}

QJsonValue valueOf(const Leaf& leaf) {
    return std::visit([](auto* field) { return fields::valueOf(*field); }, leaf);
}

std::optional<ChangeRefusal::Reason> refusalFor(const Leaf& leaf, const QJsonValue& value) {
    using Reason = ChangeRefusal::Reason;
    return std::visit(
        [&](auto* field) -> std::optional<Reason> {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (kIsText<decltype(field)>) {
                if (!value.isString()) {
                    return Reason::NotAText;
                }
                const qsizetype bytes = cp932::encodedLength(value.toString());
                if (bytes < 0) {
                    return Reason::TextUnmappable;
                }
                return bytes > static_cast<qsizetype>(T::kWidth) ? std::optional(Reason::TextTooLong)
                                                                 : std::nullopt;
            } else {
                const qint64 number = value.toInteger();
                if (!value.isDouble() || static_cast<double>(number) != value.toDouble()) {
                    return Reason::NotAnInteger;
                }
                return number < std::numeric_limits<T>::min() || number > std::numeric_limits<T>::max()
                           ? std::optional(Reason::OutOfRange)
                           : std::nullopt;
            }
        },
        leaf);
}

void store(const Leaf& leaf, const QJsonValue& value) {
    std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (kIsText<decltype(field)>) {
                field->setText(value.toString());
            } else {
                *field = static_cast<T>(value.toInteger());
            }
        },
        leaf);
}

}  // namespace

std::optional<ChangeRefusal> ApplyChanges(SaveFile& model, const std::vector<FieldChange>& changes,
                                          ChangeDirection direction) {
    const bool forward = direction == ChangeDirection::Forward;
    std::vector<Leaf> leaves;
    leaves.reserve(changes.size());
    for (const FieldChange& change : changes) {
        const std::optional<Leaf> leaf = leafAt(model, change.path);
        if (!leaf) {
            return ChangeRefusal{change.path, ChangeRefusal::Reason::UnknownField};
        }
        if (const auto reason = refusalFor(*leaf, forward ? change.newValue : change.oldValue)) {
            return ChangeRefusal{change.path, *reason};
        }
        leaves.push_back(*leaf);
    }
    // Backwards in reverse, so a field changed twice in one set ends at its first old value.
    for (std::size_t n = 0; n < changes.size(); ++n) {
        const std::size_t i = forward ? n : changes.size() - 1 - n;
        store(leaves[i], forward ? changes[i].newValue : changes[i].oldValue);
    }
    return std::nullopt;
}

std::optional<QJsonValue> ValueAt(const SaveFile& model, QStringView path) {
    // Only read: the walk is shared with the stores.
    const std::optional<Leaf> leaf = leafAt(const_cast<SaveFile&>(model), path);
    return leaf ? std::optional(valueOf(*leaf)) : std::nullopt;
}

std::optional<limits::Range> WidthAt(const SaveFile& model, QStringView path) {
    const std::optional<Leaf> leaf = leafAt(const_cast<SaveFile&>(model), path);
    if (!leaf) {
        return std::nullopt;
    }
    return std::visit(
        [](auto* field) -> std::optional<limits::Range> {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (kIsText<decltype(field)>) {
                return std::nullopt;
            } else {
                return limits::Range{std::numeric_limits<T>::min(), std::numeric_limits<T>::max()};
            }
        },
        *leaf);
}

std::optional<FieldChange> ChangeTo(const SaveFile& model, const QString& path, const QJsonValue& value) {
    const std::optional<QJsonValue> current = ValueAt(model, path);
    const bool same =
        current && (current->isString() ? *current == value
                                        : value.isDouble() && value.toDouble() == current->toDouble());
    if (!current || same) {
        return std::nullopt;
    }
    qsizetype end = 0;
    while (end < path.size() && path[end] != u'[' && path[end] != u'.') {
        ++end;
    }
    QStringView rest = QStringView(path).sliced(end);
    const std::optional<std::size_t> record = takeIndex(rest);
    return FieldChange{path, path.first(end), record ? static_cast<int>(*record) : -1, *current, value};
}

}  // namespace korven
