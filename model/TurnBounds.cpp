#include "model/TurnBounds.h"

#include "model/TurnCalendar.h"

#include <algorithm>

namespace korven {

std::optional<LeaveBounds> turnBoxBounds(int index, const TurnBoxes& v) {
    switch (index) {
        case 0:  // current year
            return LeaveBounds{10 * v.M + v.T <= 10 * v.EM + v.ET ? v.EY : v.EY - 1,
                               10 * v.M + v.T >= 10 * v.SM + v.ST ? v.SY : v.SY + 1};
        case 1:  // current month
            return LeaveBounds{v.Y == v.EY ? (v.T > v.ET ? v.EM - 1 : v.EM) : 12,
                               v.Y == v.SY ? (v.T >= v.ST ? v.SM : v.SM + 1) : 1};
        case 2:  // current turn
            return LeaveBounds{v.Y == v.EY && v.M == v.EM ? v.ET : 10, v.Y == v.SY && v.M == v.SM ? v.ST : 1};
        case 6:  // end year
            return LeaveBounds{kLastEndYear, v.Y};
        case 7:  // end month
            return LeaveBounds{12, v.EY == v.Y ? v.M : 1};
        case 8:  // end turn
            return LeaveBounds{10, v.EY == v.Y && v.EM == v.M ? v.T : 1};
        default:
            return std::nullopt;
    }
}

int16_t counterToStore(qint64 year, qint64 month, qint64 turn) {
    // The boxes' own bounds keep these small; clamping first keeps the arithmetic in range.
    auto part = [](qint64 value) { return static_cast<int>(std::clamp<qint64>(value, -100000, 100000)); };
    const int counter = counterFromTurn(Turn{part(year), part(month), part(turn)});
    return static_cast<int16_t>(std::clamp(counter, int(INT16_MIN), int(INT16_MAX)));
}

}  // namespace korven
