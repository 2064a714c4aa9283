#pragma once

#include <QtGlobal>

#include <optional>

// The values the edit dialogs let a user type into a field, one definition each: the dialogs
// clamp their boxes to these, and the command line's --check refuses values outside them.
// A field's own width may hold more; a value loaded from the file is kept even when these
// would not allow it.
namespace korven::limits {

struct Range {
    qint64 minimum = 0;
    qint64 maximum = 0;

    constexpr bool contains(qint64 value) const { return value >= minimum && value <= maximum; }
    bool operator==(const Range&) const = default;
};

// A box's bounds as the numeric input filter takes them: a range, or bounds of which either
// may be absent (no limit).
struct Bounds {
    std::optional<qint64> maximum;
    std::optional<qint64> minimum;

    constexpr Bounds() = default;
    constexpr Bounds(std::optional<qint64> max, std::optional<qint64> min) : maximum(max), minimum(min) {}
    constexpr Bounds(const Range& range) : maximum(range.maximum), minimum(range.minimum) {}  // NOLINT
    bool operator==(const Bounds&) const = default;
};

// Aircraft editor.
inline constexpr int kAircraftNameBytes = 26;
inline constexpr int kAircraftShortNameBytes = 10;
inline constexpr Range kAircraftNumber{0, 99};      // NumData, Kidou, bomb count
inline constexpr Range kAircraftRange{0, 9999};     // Kouzoku; 9999 reads as unlimited
inline constexpr Range kDevelopmentTurns{-1, 999};  // -1 cancels the development

// Ship editor: the class's values, and an individual ship's that may not exceed them.
inline constexpr Range kClassSteps{0, 999};
inline constexpr Range kClassSpeed{0, 99};
inline constexpr Range kClassFuel{1, 32767};
inline constexpr Range kFuelConsumption{0, 255};
inline constexpr Range kAircraftCapacity{0, 255};
inline constexpr Range kArmour{0, 99};
inline constexpr Range kGunCount{0, 255};
inline constexpr Range kFirings{0, 9};
constexpr Range upToClassValue(qint64 classValue) {
    return {0, classValue};
}

// Base editor.
inline constexpr Range kResourceAmount{0, 32767};
inline constexpr Range kFactoryOutput{0, 999};
inline constexpr Range kAirfield{0, 999};
inline constexpr Range kFortification{0, 999};
inline constexpr Range kPublicOrder{0, 100};
inline constexpr Range kStockpile{0, 9999999};
inline constexpr Range kUnitCount{0, 999};
inline constexpr Range kBaseAircraftCount{0, 999};

// Science-weapons editor: the turns left never exceed the turns needed.
inline constexpr Range kScienceNeed{0, 32767};
constexpr Range scienceLeave(qint64 need) {
    return {0, need};
}

// Aircrew-skill editor.
inline constexpr Range kAircrewSkill{0, 99};

}  // namespace korven::limits
