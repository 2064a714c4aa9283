#pragma once

#include "model/TurnBounds.h"

#include <QString>

#include <optional>

namespace korven {

// The text a box must be given before the focus may leave it; nothing when it may be left.
// Bounds that contradict each other (the other boxes are inconsistent) would turn the text
// into itself again and again; that text may be left, so the focus is never trapped.
std::optional<QString> correctionOnLeave(const QString& text, const LeaveBounds& bounds);

}  // namespace korven
