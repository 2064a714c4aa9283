#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The campaign clock: a turn counter against year, month and turn within the month. A year
// has 12 months of 10 turns; counter 0 is year 41, month 12, turn 1.
namespace korven {

struct Turn {
    int year = 0;
    int month = 1;  // 1..12
    int turn = 1;   // 1..10

    bool operator==(const Turn&) const = default;
};

// Floor division keeps a negative counter on the calendar instead of yielding month 0.
Turn turnFromCounter(int counter);
int counterFromTurn(const Turn& turn);

constexpr int kPhaseCount = 10;
constexpr int kOperationPhase = 4;  // "作戦", the phase that has a number of its own

// The phase texts in code order (0..9).
const QStringList& phaseNames();
// Nothing for a code outside 0..9.
std::optional<QString> phaseName(int code);

}  // namespace korven
