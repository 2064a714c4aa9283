#include "editors/Colours.h"

namespace korven::colours {

QColor toColor(uint32_t value, const QPalette& palette, QPalette::ColorGroup group) {
    if ((value & kSystem) == 0) {
        return QColor(static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                      static_cast<int>(value >> 16 & 0xFF));
    }
    switch (value) {
        case kWindowBackground:
            return palette.color(group, QPalette::Base);
        case kHighlight:
            return palette.color(group, QPalette::Highlight);
        case kHighlightText:
            return palette.color(group, QPalette::HighlightedText);
        case kButtonShadow:
            return palette.color(group, QPalette::Dark);
        default:
            return palette.color(group, QPalette::Text);
    }
}

}  // namespace korven::colours
