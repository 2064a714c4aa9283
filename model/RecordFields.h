#pragma once

#include "model/SaveFile.h"

#include <cstddef>
#include <tuple>

// The meaning of each position within the records' array fields, for use as the index; only
// the file layout itself addresses them by number. Positions not listed are not understood.
namespace korven {

namespace TurnInfoWord {
enum : std::size_t {
    CurrentTurn = 0,
    Phase = 1,
    Scenario = 2,
    StartYear = 3,
    StartMonth = 4,
    StartTurn = 5,
    EndYear = 6,
    EndMonth = 7,
    EndTurn = 8,
    OperationPhaseNumber = 9,
};
}

namespace AircraftKind {
enum : std::size_t { Nation = 0, Model = 1, Basing = 2, Operation = 3 };
}

namespace AircraftNumber {
enum : std::size_t {
    ManHours = 0,
    Steel = 1,
    Aluminium = 2,
    Breakdowns = 3,
    Maintenance = 4,
    Fuel = 5,
    FixedGuns = 6,
    FixedCannon = 7,
    FlexibleGuns = 8,
    Defence = 9,
};
}

namespace AircraftFlag {
enum : std::size_t { Night = 0, HighAltitude = 1, DiveBombing = 2 };
}

// AircraftTypeRecord::Bomb[group][...]
namespace AircraftBomb {
enum : std::size_t { Kind = 0, Count = 1 };
}

namespace ShipClassKind {
enum : std::size_t { Nation = 0, Type = 1 };
}

namespace ShipClassPerf {
enum : std::size_t { UpperSteps = 0, Speed = 1, Fuel = 2 };
}

namespace ShipClassArmor {
enum : std::size_t { FuelConsumption = 0, Deck = 2, Side = 3 };
}

// ShipClassRecord::Weapon[...][mount]
namespace ShipClassWeapon {
enum : std::size_t { GunType = 0, Guns = 1, Firings = 2 };
}

namespace BaseResource {
enum : std::size_t { Kind = 0, Amount = 1 };
}

namespace BaseFactory {
enum : std::size_t { Kind = 0, Output = 1 };
}

// BaseRecord::Stockpile[material][...] and Units[kind][...]: every stock and every count of
// land units is kept in two parts.
namespace BasePart {
enum : std::size_t { First = 0, Second = 1 };
}

// BaseRecord::AirCount[...][slot]: every slot's count is kept in two parts.
namespace BaseAirCount {
enum : std::size_t { First = 0, Second = 1 };
}

namespace ShipWord {
enum : std::size_t {
    Affiliation = 0,
    NameNumber = 2,  // -1: no ship
    ClassNumber = 3,
    LowerSteps = 4,
    UpperSteps = 5,
    CurrentFuel = 6,
};
}

// The carried load of ship types 4..11 and 15, in two parts.
namespace ShipByte {
enum : std::size_t { LoadFirst = 1, LoadSecond = 2 };
}

// The carried load (supplies) of ship types 17 and 18.
namespace ShipWord2 {
enum : std::size_t { Supplies = 1 };
}

// CarrierAirRecord::Slots[...][slot]
namespace CarrierSlot {
enum : std::size_t { Type = 0, CountFirst = 1, CountSecond = 2 };
}

}  // namespace korven

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
