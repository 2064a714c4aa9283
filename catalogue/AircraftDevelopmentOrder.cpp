#include "catalogue/AircraftDevelopmentOrder.h"

namespace korven::catalogue {

DevelopmentIndex AirToKaihatsu(int16_t aircraftIndex) {
    const int a = aircraftIndex;
    if (a < 0 || a >= kDevelopmentOrderedAircraft) {
        return {aircraftIndex, false};
    }
    // The last four aircraft records take development places 71, 80, 82 and 146; the runs
    // between those places shift by one more each time.
    int d = 0;
    if (a <= 70) {
        d = a;
    } else if (a <= 78) {
        d = a + 1;
    } else if (a == 79) {
        d = 81;
    } else if (a <= 142) {
        d = a + 3;
    } else if (a <= 165) {
        d = a + 4;
    } else {
        constexpr int kLatePlaces[] = {71, 80, 82, 146};
        d = kLatePlaces[a - 166];
    }
    return {static_cast<int16_t>(d), true};
}

}  // namespace korven::catalogue
