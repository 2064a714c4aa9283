#pragma once

#include "catalogue/ReferenceTables.h"
#include "model/FieldDescriptions.h"

#include <QString>

#include <optional>

// The codes each combo box of the edit dialogs offers: the positions of its list, and 255 for
// a last item "なし" where it has one.
namespace korven::rules {

inline constexpr qint64 kNoneCode = 255;

struct ValueList {
    int count = 0;               // codes 0..count-1
    bool hasNone = false;        // and kNoneCode
    bool fixable = false;        // a code off the list has an obvious repair
    catalogue::NameTable names;  // the items' texts, when the catalogue has them

    bool contains(qint64 code) const { return (code >= 0 && code < count) || (hasNone && code == kNoneCode); }
    // "なし" where the list has it, else the nearest end of the list; nothing where a guess
    // would change what the record is (a nation, a side, a ship type, a class's step row).
    std::optional<qint64> fix(qint64 code) const;
    // "0～5", "0～2、255".
    QString acceptedText() const;
};

ValueList ListFor(fields::ListOf list);

}  // namespace korven::rules
