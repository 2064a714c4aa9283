#pragma once

#include "model/FieldLimits.h"

#include <QtGlobal>

#include <cstdint>
#include <optional>

// The bounds of the campaign-clock values, as the save-file properties check them when the focus
// leaves a box and as --check checks them: the current turn stays between the start turn and
// the end turn, ordered by year, then month, then turn.
namespace korven {

// The values now in the turn boxes 0..8: current, start and end turn.
struct TurnBoxes {
    qint64 Y = 0, M = 0, T = 0;
    qint64 SY = 0, SM = 0, ST = 0;
    qint64 EY = 0, EM = 0, ET = 0;
};

using LeaveBounds = limits::Bounds;

inline constexpr int kTurnBoxes = 9;
inline constexpr qint64 kLastEndYear = 50;
inline constexpr limits::Range kOperationNumber{0, 50};  // the number of the phase "作戦"

// The bounds of turn box `index`; nothing for the start-turn boxes 3..5 and unknown indexes.
std::optional<LeaveBounds> turnBoxBounds(int index, const TurnBoxes& v);

// The current-turn counter for the boxes' year, month and turn, kept within 16 bits.
int16_t counterToStore(qint64 year, qint64 month, qint64 turn);

}  // namespace korven
