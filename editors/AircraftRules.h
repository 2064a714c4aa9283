#pragma once

#include "model/ValueLists.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

// The aircraft editor's rules as plain functions: the development status and period texts,
// which boxes may be edited, and the bomb-kind combo.
namespace korven::air {

// txtHattyaku: the basing of Kind[2]; empty for any other code.
QString BasingText(int basing);
// txtUnyou: Kind[3] 0 is a fighter, anything else a bomber.
QString OperationText(int operation);

// txtJoukyou. `turns` is the value of the turns box, `previous` the stored development value
// of the entry before this aircraft's in development order (nothing when there is none).
QString DevelopmentStatus(int nationality, qint64 turns, int aircraftIndex, std::optional<int16_t> previous);

// txtKikan(0): the turns divided by 10 as "##.0" formats it (25 "2.5", 5 ".5", -1 "-.1").
QString PeriodText(qint64 turns);

// Only the Japanese sides (nationality 0 and 1) count development in turns.
bool TurnsEditable(int nationality);
// Bombs belong to the two bombing groups (2 and 3).
bool BombEditable(int group);
// The interception/reconnaissance range (group 1) is a bomber's only.
bool RangeEditable(int group, int operation);

inline constexpr int kNoBomb = static_cast<int>(rules::kNoneCode);

struct ComboItem {
    QString text;
    int data;
};

// "魚雷", "小型", "中型", "大型", then "なし" (item data 255); the others carry their index.
std::span<const ComboItem> BombItems();

// The combo index of a stored kind: "なし" for 255, item v otherwise, no item (-1) when the
// combo has no item v.
int BombComboIndex(int storedKind);

// What to store for the selected item: the stored kind while the combo still shows it (so a
// kind without an item of its own survives), else the item's data.
uint8_t BombKindToStore(int comboIndex, uint8_t storedKind);

// The caption of a flag check box.
QString CheckCaption(bool checked);
// A flag is 0 or anything else; an unchanged flag keeps its stored value, a changed one is 0 or 1.
uint8_t FlagToStore(bool checked, uint8_t storedFlag);

}  // namespace korven::air
