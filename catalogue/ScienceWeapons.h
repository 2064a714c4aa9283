#pragma once

#include <QString>

#include <optional>

namespace korven::catalogue {

// ScienceWeapon[line][step]: the file holds only the development counters, the names and
// effects are fixed here.
inline constexpr int kScienceWeaponLines = 3;
inline constexpr int kScienceWeaponSteps = 6;

struct ScienceWeaponText {
    QString name;
    QString effect;
};

std::optional<ScienceWeaponText> ScienceWeaponTextOf(int line, int step);

}  // namespace korven::catalogue
