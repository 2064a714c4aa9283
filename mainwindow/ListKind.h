#pragma once

#include <QString>

#include <optional>

namespace korven::mainwindow {

// What the record list shows. Clear has no columns and no rows.
enum class ListKind { Kankei, Kokan, Air, Base, Kagaku, ToujouRen, Clear };

inline constexpr int kListKindSlots = 6;  // the kinds with columns, Kankei..ToujouRen

// The memory slot of a kind with columns; nothing for Clear.
constexpr std::optional<int> SlotOf(ListKind kind) {
    return kind == ListKind::Clear ? std::nullopt : std::optional<int>(static_cast<int>(kind));
}

// The kind's word ("Kankei", "Kokan", "Air", "Base", "Kagaku", "ToujouRen", "Clear").
QString KindWord(ListKind kind);

}  // namespace korven::mainwindow
