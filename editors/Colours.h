#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// Colour values as the settings and the dialogs keep them: 0x00BBGGRR for a colour, or
// 0x80000000 + n for the system colour n, which maps to the palette role that means the same.
namespace korven::colours {

constexpr uint32_t kSystem = 0x80000000u;
constexpr uint32_t kWindowBackground = kSystem + 5;
constexpr uint32_t kWindowText = kSystem + 8;
constexpr uint32_t kHighlight = kSystem + 13;
constexpr uint32_t kHighlightText = kSystem + 14;
constexpr uint32_t kButtonShadow = kSystem + 16;
constexpr uint32_t kPureGreen = 0x0000FF00u;
constexpr uint32_t kOutOfRangeText = 0x000000C0u;  // dark red, legible on green too
constexpr uint32_t kChanged = kPureGreen;
constexpr uint32_t kUnchanged = kWindowBackground;

// The field labels' colours; the settings may choose others.
struct LabelColours {
    uint32_t text = kHighlightText;
    uint32_t background = kButtonShadow;
};

// An unknown system colour number gives the window text colour. System colours are taken from
// `group`, so a disabled control keeps the look the style gives disabled controls.
QColor toColor(uint32_t value, const QPalette& palette, QPalette::ColorGroup group = QPalette::Active);

}  // namespace korven::colours
