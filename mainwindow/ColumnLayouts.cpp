#include "mainwindow/ColumnLayouts.h"

#include "mainwindow/MainWindowTexts.h"

namespace korven::mainwindow {
namespace {

constexpr ColumnAlignment L = ColumnAlignment::Left;
constexpr ColumnAlignment R = ColumnAlignment::Right;
constexpr ColumnAlignment C = ColumnAlignment::Centre;

ColumnLayout column(QString caption, double width, ColumnAlignment alignment = L,
                    SortAs sortAs = SortAs::Text, QString key = {}) {
    return ColumnLayout{std::move(key), std::move(caption), width, alignment, 0, sortAs};
}

Columns numbered(Columns columns) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        columns[i].position = static_cast<int16_t>(i);
    }
    return columns;
}

}  // namespace

Columns DefaultColumns(ListKind kind) {
    using namespace texts;
    constexpr SortAs T = SortAs::Text;
    constexpr SortAs N = SortAs::Number;
    constexpr SortAs P = SortAs::Pair;
    switch (kind) {
        case ListKind::Kankei:
            return numbered({column(colClassName(), 1500), column(colShipType(), 1200),
                             column(colUpperSteps(), 500, R, N), column(colLowerSteps(), 500, R, N),
                             column(colSpeed(), 500, R, N), column(colFuel(), 1000, R, N),
                             column(colAircraft(), 500, R, N)});
        case ListKind::Kokan:
            return numbered({column(colShipName(), 1000), column(colClassName(), 1300),
                             column(colShipType(), 1200), column(colUpperSteps(), 1000, C, P),
                             column(colLowerSteps(), 1000, C, P), column(colSpeed(), 500, C, N),
                             column(colFuel(), 1500, C, P), column(colCarried(), 2000, C, N)});
        case ListKind::Air:
            return numbered({column(colFullName(), 3000), column(colName(), 1500), column(colNation(), 1000),
                             column(colDevelopmentTurn(), 500, R, N)});
        case ListKind::Base:
            return numbered({column(colBaseName(), 2200), column(colOwner(), 800), column(colTerrain(), 520),
                             column(colSettlement(), 1000), column(colResource(), 1000),
                             column(colFactory(), 1000), column(colAnchorage(), 1000)});
        case ListKind::Kagaku:
            return numbered({column(colName(), 2200, L, T, QStringLiteral("Name")),
                             column(colEffect(), 2200, L, T, QStringLiteral("Kouka")),
                             column(colNeedTurns(), 1200, R, N, QStringLiteral("Need")),
                             column(colLeftTurns(), 1200, R, N, QStringLiteral("Leave"))});
        case ListKind::ToujouRen:
            return numbered({column(colNation(), 2200, L, T, QStringLiteral("Kokuseki")),
                             column(colFighter(), 1000, L, N, QStringLiteral("Sentou")),
                             column(colBomber(), 1000, L, N, QStringLiteral("Bakugeki"))});
        case ListKind::Clear:
            break;
    }
    return {};
}

void ColumnMemory::remember(ListKind kind, const Columns& columns) {
    if (const std::optional<int> slot = SlotOf(kind)) {
        m_slots[static_cast<std::size_t>(*slot)] = columns;
    }
}

std::optional<Columns> ColumnMemory::recall(ListKind kind) const {
    const std::optional<int> slot = SlotOf(kind);
    if (!slot) {
        return std::nullopt;
    }
    const std::optional<Columns>& remembered = m_slots[static_cast<std::size_t>(*slot)];
    // A slot whose layout had no columns counts as empty, as it holds no key for column 1.
    if (!remembered || remembered->empty()) {
        return std::nullopt;
    }
    return remembered;
}

Columns SwitchColumns(ColumnMemory& memory, std::optional<ListKind> current, const Columns& shown,
                      ListKind next) {
    if (current) {
        memory.remember(*current, shown);
    }
    if (next == ListKind::Clear) {
        return {};
    }
    return memory.recall(next).value_or(DefaultColumns(next));
}

}  // namespace korven::mainwindow
