#pragma once

#include <cstdint>

namespace korven::catalogue {

// AirDevelopment lists the same aircraft as the AircraftType records, in another order.
inline constexpr int kDevelopmentOrderedAircraft = 170;

struct DevelopmentIndex {
    int16_t index = 0;
    bool valid = false;
};

// The AirDevelopment index of an aircraft type. An index outside 0..169 maps to itself with
// valid false; the caller reports texts::badDevelopmentIndex() and carries on.
DevelopmentIndex AirToKaihatsu(int16_t aircraftIndex);

}  // namespace korven::catalogue
