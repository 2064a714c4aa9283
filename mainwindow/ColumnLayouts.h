#pragma once

#include "mainwindow/ListKind.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The record list's columns: the defaults of each kind and the per-kind memory of the layout
// the user left (display order, widths, alignment), kept for the life of the window.
namespace korven::mainwindow {

enum class ColumnAlignment : uint8_t { Left = 0, Right = 1, Centre = 2 };

// How a column's texts compare when the list is sorted by it.
enum class SortAs : uint8_t {
    Text,
    Number,  // decimal numbers, "3.5" included
    Pair,    // "x:y", by x and then y
};

struct ColumnLayout {
    QString key;  // empty when the column has none
    QString caption;
    double width = 0;  // twips
    ColumnAlignment alignment = ColumnAlignment::Left;
    int16_t position = 0;  // display position, 0 for the leftmost
    SortAs sortAs = SortAs::Text;

    friend bool operator==(const ColumnLayout&, const ColumnLayout&) = default;
};

using Columns = std::vector<ColumnLayout>;

// The default columns of a kind, in order (none for Clear).
Columns DefaultColumns(ListKind kind);

class ColumnMemory {
public:
    // Keeps the layout of the kind's columns; Clear keeps nothing.
    void remember(ListKind kind, const Columns& columns);
    // The remembered layout, or nothing when the kind's slot is still empty.
    std::optional<Columns> recall(ListKind kind) const;

private:
    std::array<std::optional<Columns>, kListKindSlots> m_slots;
};

// The columns to show when the list switches from `current` (nothing when no column set is
// shown) to `next`: the current layout is remembered first, then the next kind's remembered
// layout or its defaults are returned.
Columns SwitchColumns(ColumnMemory& memory, std::optional<ListKind> current, const Columns& shown,
                      ListKind next);

}  // namespace korven::mainwindow
