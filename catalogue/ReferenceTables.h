#pragma once

#include <QString>

#include <optional>
#include <span>

// The fixed Japanese labels of the codes stored in save records. A code read from a file is
// the index; a code outside its table has no label, and each caller decides what to show.
namespace korven::catalogue {

using NameTable = std::span<const QString>;

NameTable RegionNames();          // Base.Region
NameTable TerrainNames();         // Base.Terrain
NameTable SettlementSizeNames();  // Base.Size
NameTable ResourceNames();        // Base.Resource[0]
NameTable FactoryNames();         // Base.Factory[0]
NameTable TaskNames();            // Base.Task
NameTable SideNames();            // Base.Owner
NameTable AnchorageNames();       // Base.Anchorage
NameTable MaterialNames();        // the rows of Base.Stockpile
NameTable AircraftModelNames();   // AircraftType.Kind[1]
NameTable AircraftNationNames();  // AircraftType.Kind[0]
NameTable ShipNationNames();      // ShipClass.Kind[0]
NameTable ShipTypeNames();        // ShipClass.Kind[1]
NameTable ShipCategoryNames();    // the ship groups of the category tree
NameTable WeaponNames();          // ShipClass.Weapon[0][mount]
NameTable AircrewNationNames();   // first index of AircrewSkill
// Ship.Words[2]: 1200 slots; 0..441 are named, the others are empty texts.
NameTable ShipNames();

std::optional<QString> label(NameTable table, int code);
QString labelOr(NameTable table, int code, const QString& fallback = {});

// Puts every shared table back to its fixed values, dropping in-memory edits of the step
// table. Start-up calls it before anything reads a table; tests call it to restore state.
void FillReferenceTables();

}  // namespace korven::catalogue
