#pragma once

#include "model/SaveFile.h"
#include "model/ValueLists.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// The ship editor's rules as plain functions: the derived damage values of an individual
// ship, what a ship type carries, and what happens to a gun mount's boxes.
namespace korven::ship {

// The numeric values of the boxes the derived values are computed from.
struct ShipStateInput {
    qint64 classUpper = 0;              // U, txtStep(0)
    qint64 classLower = 0;              // L, txtStep(1)
    qint64 upper = 0;                   // u, txtStep(2)
    qint64 lower = 0;                   // l, txtStep(3)
    qint64 classSpeed = 0;              // txtSokuryoku(0)
    qint64 fuel = 0;                    // txtNenryou(1)
    qint64 consumption = 0;             // txtNenpi
    std::array<qint64, 4> classGuns{};  // txtBusouMon(0..3)
};

// The texts of txtSongai, txtHattyaku, txtSokuryoku(1), txtZankouzoku and txtBusouMon(4..7).
struct ShipState {
    QString damage;
    QString launch;
    QString speed;
    QString range;
    std::array<QString, 4> guns;
};

// 1 - part / whole in single precision, as the game computes it; nothing when whole is 0.
std::optional<float> LossRatio(qint64 whole, qint64 part);

// The damage state of a damage ratio; "-" when there is none.
QString DamageStateText(std::optional<float> damage);

// What a step loss leaves of speed or guns: 1, 0.75, 0.5, 0.25 or 0.
float StepLossFactor(float loss);

ShipState RecalcShipState(const ShipStateInput& input);

// txtTousaisyu: what a ship type can carry; empty for a code without a ship type.
QString CarriageText(int shipType);

// CarrierEntry: -1 for a ship type that carries no aircraft records, -2 when no record is
// keyed to the ship, else the first record whose Key is the ship's index.
int FindCarrierEntry(int shipType, int shipIndex, std::span<const CarrierAirRecord> records);

// txtTousai(1): what the ship carries now; nothing (an empty box) for types that carry nothing.
std::optional<int> CarriedLoad(int shipType, int carrierEntry, std::span<const CarrierAirRecord> records,
                               const ShipRecord& ship);

// Gun-type combos list WeaponNames and then "なし", whose item data is this.
inline constexpr int kNoGunType = static_cast<int>(rules::kNoneCode);

// The combo index that shows a stored gun type: the last item for 255, item v for a listed v,
// and no item (-1) for a code the table does not have.
int GunTypeComboIndex(int storedType, int weaponCount);

// What to store for the selected combo item: the stored code while the combo still shows it
// (so an unlisted code survives), else the item's data.
uint8_t GunTypeToStore(int comboIndex, uint8_t storedType, int weaponCount);

// A mount's class boxes (and in individual mode its ship boxes).
enum class MountChange { None, Enable, Clear };

MountChange OnGunTypeChosen(int itemData);  // a listed gun enables the mount
MountChange OnGunTypeLeft(int itemData);    // leaving "なし" clears it
MountChange OnGunCountLeft(qint64 guns);    // leaving 0 guns clears it
MountChange OnFiringsLeft(qint64 firings);  // leaving 0 firings clears it

struct MountBoxes {
    QString guns;
    QString firings;
    bool enabled = false;
};

// The boxes after a change; nothing when there is nothing to do (enabling an enabled mount).
std::optional<MountBoxes> MountBoxesAfter(MountChange change, bool mountEnabled);

}  // namespace korven::ship
