#pragma once

#include "model/SaveFile.h"

#include <QString>

#include <concepts>
#include <type_traits>

// The one definition of the save-file format: fixed positions and the order and widths of
// every field of every record. Positions are 1-based; `L` is SaveNameLength.
namespace korven::layout {

constexpr char kMagic[] = "KVSAVE";
constexpr qint64 kMagicLength = 6;
constexpr qint64 kSaveNameLengthPos = 9;
constexpr qint64 kScienceWeaponPos = 1905;  // + L
constexpr qint64 kAircrewSkillPos = 2177;   // + L
constexpr qint64 kScenarioTitleWidth = 21;

constexpr qint64 kAnchorStartPos = 256;
constexpr qint64 kAnchorEndPos = 0x7000;
inline QString anchorKey() {
    return QStringLiteral("９６式艦上戦闘機");
}
inline QString lastBaseName() {
    return QStringLiteral("ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ");
}

constexpr qint64 kAircraftTypeSize = 78;
constexpr qint64 kShipClassSize = 40;
constexpr qint64 kBaseSize = 168;
constexpr qint64 kShipSize = 26;
constexpr qint64 kCarrierAirSize = 14;
constexpr qint64 kAircraftBlockSize = kAircraftTypeSize * SaveFile::kAircraftTypes;
constexpr qint64 kShipClassBlockSize = kShipClassSize * SaveFile::kShipClasses;

template <typename Record, typename Expected>
concept RecordOf = std::same_as<std::remove_const_t<Record>, Expected>;

// Each transfer runs a FieldReader (load) or a FieldWriter (save) over one record.

template <typename Io, RecordOf<AircraftTypeRecord> R>
void transfer(Io& io, R& r) {
    io.field(r.Name);
    io.field(r.ShortName);
    io.field(r.Kind);
    io.field(r.NumData);
    io.field(r.Flags);
    for (std::size_t k = 0; k < 4; ++k) {
        io.field(r.Kidou[k]);
        io.field(r.Bomb[k]);
        if (k >= 1) {
            io.skip(1);  // keeps Kouzoku at an even offset
        }
        io.field(r.Kouzoku[k]);
    }
}

template <typename Io, RecordOf<ShipClassRecord> R>
void transfer(Io& io, R& r) {
    io.field(r.Name);
    io.field(r.Kind);
    io.field(r.StepIndex);
    io.skip(1);
    io.field(r.Perf);
    io.field(r.Armor);
    io.field(r.Weapon);
    io.field(r.AircraftCapacity);
    io.skip(1);
}

template <typename Io, RecordOf<BaseRecord> R>
void transfer(Io& io, R& r) {
    io.field(r.Name);
    io.field(r.Extra[0]);
    io.field(r.Region);
    io.field(r.Terrain);
    io.field(r.Size);
    io.field(r.Resource);
    io.field(r.Factory);
    io.field(r.Stockpile);
    io.field(r.Airfield);
    io.field(r.Fortification);
    io.field(r.PublicOrder);
    io.field(r.Task);
    io.field(r.Owner);
    io.field(r.Extra[1]);
    io.field(r.AirType);
    io.field(r.AirCount);
    io.field(r.Units);
    io.field(r.Anchorage);
    io.field(r.ExtraWords);
    io.field(r.ExtraBytes);
    io.field(r.Extra[2]);
    io.field(r.Extra[3]);
}

template <typename Io, RecordOf<ShipRecord> R>
void transfer(Io& io, R& r) {
    io.field(r.Words);
    io.field(r.BusouKai);
    io.field(r.Bytes);
    io.field(r.Words2);
}

template <typename Io, RecordOf<CarrierAirRecord> R>
void transfer(Io& io, R& r) {
    io.field(r.Key);
    io.field(r.Slots);
}

template <typename Io, RecordOf<SaveFile> F>
void transferScienceWeapons(Io& io, F& file) {
    io.goTo(kScienceWeaponPos + file.SaveNameLength);
    for (auto& line : file.ScienceWeapon) {
        for (auto& entry : line) {
            io.field(entry.Leave);
            io.field(entry.Need);
        }
    }
}

template <typename Io, RecordOf<SaveFile> F>
void transferAircrewSkill(Io& io, F& file) {
    io.goTo(kAircrewSkillPos + file.SaveNameLength);
    io.field(file.AircrewSkill);
}

}  // namespace korven::layout
