#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace korven::catalogue {

// The lower step count of a ship class, selected by ShipClass.StepIndex. It is the one
// reference table the user may edit; edits live in memory only and never reach the file.
class StepTable {
public:
    static constexpr int kSize = 155;

    StepTable();

    // StepIndex is a byte in the file, so indexes past the table do occur.
    std::optional<int16_t> at(int stepIndex) const;
    // False, and nothing changed, for an index outside the table.
    bool set(int stepIndex, int16_t value);
    void reset();

    std::span<const int16_t, kSize> values() const { return m_values; }
    static std::span<const int16_t, kSize> fixedValues();

private:
    std::array<int16_t, kSize> m_values;
};

// The process-wide table that the record list shows and the ship editor changes.
StepTable& MaxStepTable();

}  // namespace korven::catalogue
