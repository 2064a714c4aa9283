#pragma once

#include "model/FieldLimits.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <variant>

// The editing rules every dialog shares, as plain functions over texts and values.
namespace korven::rules {

// The number a text's leading digits spell ("-" may lead); empty, "-" or no digits give 0.
// Saturates instead of overflowing, so a pasted 30-digit number is simply very large.
qint64 numericValue(const QString& text);

// A value as the record field of type T can hold it: clamped to the type's range. A box left as
// loaded goes back as it was, even a value its check would not allow.
template <typename T>
T fitted(qint64 value) {
    return static_cast<T>(
        std::clamp<qint64>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

using limits::Bounds;

// True when the number the text spells lies within the bounds.
bool withinBounds(const QString& text, const Bounds& bounds);

struct FilteredNumber {
    QString text;
    bool changed = false;
};

// Keeps digits, and a "-" in the first place when the minimum is below 0; then clamps the
// value to the bounds (an absent bound does not limit).
FilteredNumber filterNumber(const QString& text, std::optional<qint64> maximum,
                            std::optional<qint64> minimum);

struct LimitedText {
    QString text;
    bool changed = false;
};

// Drops characters that have no code page 932 form, then cuts the text to the longest
// beginning whose code page 932 form fits `maxBytes` (never half a double-byte character).
LimitedText limitTextBytes(const QString& text, int maxBytes);

// What a control is compared with: nothing (always unchanged), a number or a text.
using StoredValue = std::variant<std::monostate, qint64, QString>;

// A text box is unchanged when the stored value, as text cut before its first NUL, equals its
// text exactly ("05" differs from "5").
bool textUnchanged(const StoredValue& stored, const QString& text);
// Combo boxes compare their selected index, check boxes their value (0 or 1).
bool indexUnchanged(const StoredValue& stored, int index);

}  // namespace korven::rules
