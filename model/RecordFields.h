#pragma once

#include "model/SaveFile.h"

#include <tuple>

// The names under which each record's fields are dumped, compared and assigned by the
// command-line tool: the field names of the file format, in file order.
namespace korven::fields {

template <typename Record, typename Member>
struct Field {
    const char* name;
    Member Record::*member;
};

template <typename Record, typename Member>
constexpr Field<Record, Member> field(const char* name, Member Record::*member) {
    return {name, member};
}

inline constexpr auto aircraftType = std::make_tuple(
    field("Name", &AircraftTypeRecord::Name), field("ShortName", &AircraftTypeRecord::ShortName),
    field("Kind", &AircraftTypeRecord::Kind), field("NumData", &AircraftTypeRecord::NumData),
    field("Flags", &AircraftTypeRecord::Flags), field("Kidou", &AircraftTypeRecord::Kidou),
    field("Bomb", &AircraftTypeRecord::Bomb), field("Kouzoku", &AircraftTypeRecord::Kouzoku));

inline constexpr auto shipClass =
    std::make_tuple(field("Name", &ShipClassRecord::Name), field("Kind", &ShipClassRecord::Kind),
                    field("StepIndex", &ShipClassRecord::StepIndex), field("Perf", &ShipClassRecord::Perf),
                    field("Armor", &ShipClassRecord::Armor), field("Weapon", &ShipClassRecord::Weapon),
                    field("AircraftCapacity", &ShipClassRecord::AircraftCapacity));

inline constexpr auto base = std::make_tuple(
    field("Name", &BaseRecord::Name), field("Extra", &BaseRecord::Extra),
    field("Region", &BaseRecord::Region), field("Terrain", &BaseRecord::Terrain),
    field("Size", &BaseRecord::Size), field("Resource", &BaseRecord::Resource),
    field("Factory", &BaseRecord::Factory), field("Stockpile", &BaseRecord::Stockpile),
    field("Airfield", &BaseRecord::Airfield), field("Fortification", &BaseRecord::Fortification),
    field("PublicOrder", &BaseRecord::PublicOrder), field("Task", &BaseRecord::Task),
    field("Owner", &BaseRecord::Owner), field("AirType", &BaseRecord::AirType),
    field("AirCount", &BaseRecord::AirCount), field("Units", &BaseRecord::Units),
    field("Anchorage", &BaseRecord::Anchorage), field("ExtraWords", &BaseRecord::ExtraWords),
    field("ExtraBytes", &BaseRecord::ExtraBytes));

inline constexpr auto ship =
    std::make_tuple(field("Words", &ShipRecord::Words), field("BusouKai", &ShipRecord::BusouKai),
                    field("Bytes", &ShipRecord::Bytes), field("Words2", &ShipRecord::Words2));

inline constexpr auto carrierAir =
    std::make_tuple(field("Key", &CarrierAirRecord::Key), field("Slots", &CarrierAirRecord::Slots));

inline constexpr auto scienceWeapon =
    std::make_tuple(field("Leave", &ScienceWeaponEntry::Leave), field("Need", &ScienceWeaponEntry::Need));

template <typename Record>
constexpr const auto& of() {
    if constexpr (std::is_same_v<Record, AircraftTypeRecord>) {
        return aircraftType;
    } else if constexpr (std::is_same_v<Record, ShipClassRecord>) {
        return shipClass;
    } else if constexpr (std::is_same_v<Record, BaseRecord>) {
        return base;
    } else if constexpr (std::is_same_v<Record, ShipRecord>) {
        return ship;
    } else if constexpr (std::is_same_v<Record, CarrierAirRecord>) {
        return carrierAir;
    } else {
        static_assert(std::is_same_v<Record, ScienceWeaponEntry>);
        return scienceWeapon;
    }
}

// Calls visit(name, field of each record...) for every field, in file order.
template <typename Record, typename Visitor, typename... Records>
void forEach(Visitor&& visit, Records&... records) {
    // One field at a time: a single expansion over both packs would pair them up instead.
    auto visitField = [&](const auto& def) { visit(def.name, (records.*(def.member))...); };
    std::apply([&](const auto&... defs) { (visitField(defs), ...); }, of<Record>());
}

}  // namespace korven::fields
