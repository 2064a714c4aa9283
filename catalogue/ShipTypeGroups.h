#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace korven::catalogue {

// The category-tree group (an index into ShipCategoryNames) of each ship type.
inline constexpr std::array<uint8_t, 19> kShipTypeGroups{0, 0, 0, 0, 1, 1, 1, 2, 2, 2,
                                                         2, 3, 4, 4, 4, 5, 5, 6, 6};

constexpr std::optional<int> ShipGroupOf(int shipType) {
    if (shipType < 0 || shipType >= static_cast<int>(kShipTypeGroups.size())) {
        return std::nullopt;
    }
    return kShipTypeGroups[static_cast<std::size_t>(shipType)];
}

}  // namespace korven::catalogue
