#include "catalogue/MaxStepTable.h"

#include <algorithm>

namespace korven::catalogue {
namespace {

// Ten values a line; the comment is the index of the first.
constexpr int16_t kFixedSteps[] = {
    320, 180, 160, 150, 140, 200, 200, 220, 260, 80,   // 0
    87,  53,  37,  56,  89,  128, 121, 140, 88,  68,   // 10
    85,  55,  55,  56,  44,  45,  65,  65,  65,  60,   // 20
    65,  16,  29,  29,  30,  14,  30,  33,  41,  6,    // 30
    6,   6,   11,  9,   9,   10,  11,  11,  14,  13,   // 40
    6,   4,   10,  8,   4,   12,  11,  11,  5,   3,    // 50
    18,  6,   2,   3,   4,   5,   5,   4,   10,  130,  // 60
    145, 145, 167, 167, 174, 174, 187, 190, 241, 303,  // 70
    150, 259, 220, 183, 159, 145, 164, 100, 74,  136,  // 80
    237, 47,  52,  42,  57,  54,  110, 115, 66,  51,   // 90
    53,  55,  55,  56,  73,  86,  51,  41,  35,  55,   // 100
    34,  57,  74,  26,  37,  36,  46,  43,  28,  41,   // 110
    34,  30,  19,  6,   7,   9,   8,   10,  8,   9,    // 120
    9,   12,  13,  5,   6,   7,   9,   9,   9,   12,   // 130
    9,   7,   7,   7,   8,   8,   8,   8,   6,   4,    // 140
    3,   6,   3,   4,   10,                            // 150
};
static_assert(std::size(kFixedSteps) == StepTable::kSize);

bool inTable(int stepIndex) {
    return stepIndex >= 0 && stepIndex < StepTable::kSize;
}

}  // namespace

StepTable::StepTable() {
    reset();
}

std::optional<int16_t> StepTable::at(int stepIndex) const {
    if (!inTable(stepIndex)) {
        return std::nullopt;
    }
    return m_values[static_cast<std::size_t>(stepIndex)];
}

bool StepTable::set(int stepIndex, int16_t value) {
    if (!inTable(stepIndex)) {
        return false;
    }
    m_values[static_cast<std::size_t>(stepIndex)] = value;
    return true;
}

void StepTable::reset() {
    std::ranges::copy(kFixedSteps, m_values.begin());
}

std::span<const int16_t, StepTable::kSize> StepTable::fixedValues() {
    return kFixedSteps;
}

StepTable& MaxStepTable() {
    static StepTable table;
    return table;
}

}  // namespace korven::catalogue
