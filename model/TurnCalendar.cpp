#include "model/TurnCalendar.h"

namespace korven {
namespace {

constexpr int kCounterOffset = 5030;
constexpr int kTurnsPerYear = 120;
constexpr int kTurnsPerMonth = 10;

int floorDiv(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}
int floorMod(int a, int b) {
    return a - floorDiv(a, b) * b;
}

}  // namespace

Turn turnFromCounter(int counter) {
    const int v = counter + kCounterOffset;
    const int inYear = floorMod(v, kTurnsPerYear);
    return Turn{floorDiv(v, kTurnsPerYear), inYear / kTurnsPerMonth + 1, inYear % kTurnsPerMonth + 1};
}

int counterFromTurn(const Turn& turn) {
    return kTurnsPerYear * turn.year + kTurnsPerMonth * (turn.month - 1) + (turn.turn - 1) - kCounterOffset;
}

const QStringList& phaseNames() {
    static const QStringList names = {
        QStringLiteral("イベント"),   QStringLiteral("開発"), QStringLiteral("生産"), QStringLiteral("哨戒"),
        QStringLiteral("作戦"),       QStringLiteral("航路"), QStringLiteral("物動"), QStringLiteral("設営"),
        QStringLiteral("治安度変化"), QStringLiteral("整備"),
    };
    return names;
}

std::optional<QString> phaseName(int code) {
    if (code < 0 || code >= kPhaseCount) {
        return std::nullopt;
    }
    return phaseNames()[code];
}

}  // namespace korven
