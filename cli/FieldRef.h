#pragma once

#include "cli/Assignment.h"
#include "model/SaveFile.h"

#include <QJsonValue>
#include <QString>

#include <rapidjson/document.h>

#include <optional>
#include <type_traits>
#include <variant>

// One leaf field of the model, whatever its width, and the checks a new value for it passes:
// shared by assignments and JSON edits.
namespace korven::cli {

template <typename T>
struct IsArray : std::false_type {};
template <typename T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};

template <typename T>
constexpr bool kIsRecord = std::is_same_v<T, AircraftTypeRecord> || std::is_same_v<T, ShipClassRecord> ||
                           std::is_same_v<T, BaseRecord> || std::is_same_v<T, ShipRecord> ||
                           std::is_same_v<T, CarrierAirRecord> || std::is_same_v<T, ScienceWeaponEntry>;

using FieldValue = std::variant<qint64, QString>;

struct PreparedValue {
    FieldValue value;
    AssignmentError error = AssignmentError::None;
    QString reason;
};

class FieldRef {
public:
    template <typename T>
    explicit FieldRef(T* field) : m_field(field) {}
    // Refers to no field: for containers that construct their elements before assigning them.
    FieldRef() = default;

    const void* address() const;
    bool isText() const;
    QJsonValue value() const;  // as the dump shows it

    // A value written on the command line: a decimal integer, or any text.
    PreparedValue fromText(QStringView text) const;
    // A value of a JSON document: an integral number, or a string.
    PreparedValue fromJson(const rapidjson::Value& value) const;

    // The value held now.
    FieldValue current() const;
    // Whether a JSON value is exactly the value held now (a number for a number field, a
    // string for a text).
    bool holds(const rapidjson::Value& value) const;
    // Stores a prepared value; true when it differs from the one held before.
    bool store(const FieldValue& value) const;

private:
    // `written` is the value as the user wrote it; empty to show it in decimal.
    PreparedValue checkedInteger(qint64 value, QStringView written) const;
    PreparedValue checkedText(const QString& text) const;

    std::variant<uint8_t*, int16_t*, int32_t*, FixedText<11>*, FixedText<12>*, FixedText<21>*, FixedText<27>*>
        m_field;
};

// Calls visit(table) for the top-level table or field of the model named `name`; false when
// there is none of that name.
template <typename Visitor>
bool VisitTable(SaveFile& m, QStringView name, Visitor&& visit) {
    if (name == u"TurnInfo")
        visit(m.TurnInfo);
    else if (name == u"ScenarioTitle")
        visit(m.ScenarioTitle);
    else if (name == u"AirDevelopment")
        visit(m.AirDevelopment);
    else if (name == u"ScienceWeapon")
        visit(m.ScienceWeapon);
    else if (name == u"AircrewSkill")
        visit(m.AircrewSkill);
    else if (name == u"AircraftType")
        visit(m.AircraftType);
    else if (name == u"ShipClass")
        visit(m.ShipClass);
    else if (name == u"Base")
        visit(m.Base);
    else if (name == u"Ship")
        visit(m.Ship);
    else if (name == u"CarrierAir")
        visit(m.CarrierAir);
    else
        return false;
    return true;
}

// Calls visit(value) for the numbers the loader finds and the writer never stores (the save
// name's length, the block positions, the last base); false for any other name.
template <typename Model, typename Visitor>
bool VisitFoundHeaderValue(Model& m, QStringView name, Visitor&& visit) {
    if (name == u"SaveNameLength")
        visit(m.SaveNameLength);
    else if (name == u"HeaderEndPos")
        visit(m.HeaderEndPos);
    else if (name == u"AircraftBlockPos")
        visit(m.AircraftBlockPos);
    else if (name == u"ShipClassBlockPos")
        visit(m.ShipClassBlockPos);
    else if (name == u"BaseBlockPos")
        visit(m.BaseBlockPos);
    else if (name == u"LastBaseIndex")
        visit(m.LastBaseIndex);
    else
        return false;
    return true;
}

// A JSON string's text.
QString JsonText(const rapidjson::Value& string);

// Whether a JSON value is `value`: the same number, or the same text.
bool JsonEquals(const rapidjson::Value& json, const QJsonValue& value);

// The header values the writer never stores (those above and the save name) with their
// value in `m`; nothing for any other name.
std::optional<QJsonValue> NeverWrittenHeaderValue(const SaveFile& m, QStringView name);

// How many records of a top-level table the writer stores: aircraft types and their
// development entries up to 169, bases up to LastBaseIndex.
qint64 WrittenRecords(const SaveFile& m, QStringView table, qint64 size);

}  // namespace korven::cli
