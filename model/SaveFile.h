#pragma once

#include "model/FixedText.h"

#include <QByteArray>

#include <array>
#include <cstdint>

// The in-memory model of one open save file. Field names are those of the file format; the
// loader fills them, the editors change them, the writer patches them into the file image.
namespace korven {

template <typename T, std::size_t Rows, std::size_t Columns>
using Table = std::array<std::array<T, Columns>, Rows>;

struct AircraftTypeRecord {
    FixedText<27> Name;
    FixedText<11> ShortName;
    std::array<uint8_t, 4> Kind{};  // nationality, model, basing, operation (0 fighter)
    std::array<uint8_t, 10> NumData{};
    std::array<uint8_t, 3> Flags{};
    std::array<uint8_t, 4> Kidou{};
    Table<uint8_t, 4, 2> Bomb{};  // [group][0 kind, 1 count]
    std::array<int16_t, 4> Kouzoku{};
};

struct ShipClassRecord {
    FixedText<12> Name;
    std::array<uint8_t, 2> Kind{};   // nationality, ship type
    uint8_t StepIndex = 0;           // index into MaxStepTable
    std::array<int16_t, 3> Perf{};   // upper steps, speed, fuel
    std::array<uint8_t, 4> Armor{};  // fuel consumption, (unused), deck, side
    Table<uint8_t, 3, 4> Weapon{};   // [kind, guns, firings][mount]
    uint8_t AircraftCapacity = 0;
};

struct BaseRecord {
    FixedText<12> Name;
    std::array<uint8_t, 4> Extra{};
    uint8_t Region = 0;
    uint8_t Terrain = 0;
    uint8_t Size = 0;
    std::array<int16_t, 2> Resource{};  // kind (255 none), amount
    std::array<int16_t, 2> Factory{};   // kind (255 none), output
    Table<int32_t, 7, 2> Stockpile{};
    int16_t Airfield = 0;
    int16_t Fortification = 0;
    uint8_t PublicOrder = 0;
    uint8_t Task = 0;
    uint8_t Owner = 0;
    std::array<uint8_t, 8> AirType{};  // aircraft type per slot, 255 empty
    Table<int16_t, 2, 8> AirCount{};
    Table<int16_t, 5, 2> Units{};
    int16_t Anchorage = 0;
    Table<int16_t, 2, 2> ExtraWords{};
    Table<uint8_t, 2, 4> ExtraBytes{};
};

struct ShipRecord {
    std::array<int16_t, 7> Words{};  // [2] name number (-1 none), [3] class, [4..6] lower, upper, fuel
    std::array<uint8_t, 4> BusouKai{};
    std::array<uint8_t, 4> Bytes{};
    std::array<int16_t, 2> Words2{};
};

struct CarrierAirRecord {
    int16_t Key = 0;               // the carrying individual ship
    Table<uint8_t, 3, 4> Slots{};  // [type, count, count][slot]
};

struct ScienceWeaponEntry {
    int16_t Leave = 0;
    int16_t Need = 0;
};

struct SaveFile {
    static constexpr int kAircraftTypes = 176;
    static constexpr int kWrittenAircraftTypes = 170;
    static constexpr int kShipClasses = 253;
    static constexpr int kBases = 256;
    static constexpr int kShips = 1200;
    static constexpr int kJapaneseShips = 500;
    static constexpr int kCarrierAir = 120;

    // The file as loaded (or as last written); the writer patches a copy of it.
    QByteArray image;

    uint8_t SaveNameLength = 0;
    QByteArray SaveName;  // the bytes as read; never re-encoded
    std::array<int16_t, 11> TurnInfo{};
    FixedText<21> ScenarioTitle;
    std::array<int16_t, kAircraftTypes> AirDevelopment{};
    Table<ScienceWeaponEntry, 3, 6> ScienceWeapon{};
    Table<uint8_t, 5, 2> AircrewSkill{};

    std::array<AircraftTypeRecord, kAircraftTypes> AircraftType;
    std::array<ShipClassRecord, kShipClasses> ShipClass;
    std::array<BaseRecord, kBases> Base;
    std::array<ShipRecord, kShips> Ship;
    std::array<CarrierAirRecord, kCarrierAir> CarrierAir;

    // 1-based file positions, remembered by the loader for the writer.
    int32_t HeaderEndPos = 0;
    int32_t AircraftBlockPos = 0;
    int32_t ShipClassBlockPos = 0;
    int32_t BaseBlockPos = 0;
    uint8_t LastBaseIndex = 0;

    QString saveNameText() const { return cp932::decodeVisible(SaveName); }
};

}  // namespace korven
