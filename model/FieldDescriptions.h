#pragma once

#include "model/FieldLimits.h"

#include <QString>

#include <span>

// What every field of the model means, and what the edit dialogs allow in it: the label a
// dialog shows, an English meaning, and the rule --check applies. The field names and their
// order come from RecordFields.h and SaveFile.h; this only describes them.
namespace korven::fields {

// What the dialogs allow in a field.
enum class Check {
    None,             // no dialog edits it as a number or a text
    Range,            // within `range`
    TextBytes,        // at most `range.maximum` bytes of code page 932
    ClassUpperSteps,  // an individual ship: 0..its class's Perf[0]
    ClassLowerSteps,  // 0..its class's lower steps (MaxStepTable at StepIndex)
    ClassFuel,        // 0..its class's Perf[2]
    ClassFirings,     // 0..its class's Weapon[2] of the same mount
    ScienceLeave,     // 0..Need of the same entry
    TurnBox,          // the campaign clock: current turn between start and end
    List,             // one of the values the field's combo box offers (`list`)
    ShipClassNumber,  // an existing ship's class: a class with a name
    BaseAircraft,     // a base slot: an aircraft its side's list offers, a seaplane only with an anchorage
    CarrierKey,       // a carrier-air entry: -1 (unused) or an existing carrier
};

// The lists the combo boxes offer; see model/ValueLists.h.
enum class ListOf {
    None,
    Region,
    Terrain,
    SettlementSize,
    Resource,
    Factory,
    Task,
    Side,
    Anchorage,
    AircraftNation,
    AircraftModel,
    ShipNation,
    ShipType,
    Weapon,
    Bomb,
    Step,
    Aircraft,
};

struct Description {
    // The table, then the field, with "*" for any index. A record table's own index is left
    // out ("ShipClass.Perf[1]"); a header table keeps it ("TurnInfo[0]", "AircrewSkill[*][1]").
    const char* pattern;
    const char* japanese;  // the label the edit dialog shows, or a short description
    const char* english;
    Check check = Check::None;
    limits::Range range{};
    ListOf list = ListOf::None;
};

// Every description: the header values in file order (after the ones the loader finds and
// the writer never stores), then the records' fields in file order.
std::span<const Description> Descriptions();

// The description of a concrete path such as "ShipClass[12].Perf[1]"; nothing for a name the
// model does not have. Indices are matched, not checked against the tables' sizes.
const Description* Describe(const QString& path);

// The record tables, whose first index is the record and is left out of the patterns.
bool IsRecordTable(const QString& name);

}  // namespace korven::fields
