#include "editors/Colours.h"

namespace korven::colours {

QColor toColor(uint32_t value, const QPalette& palette) {
    if ((value & kSystem) == 0) {
        return QColor(static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                      static_cast<int>(value >> 16 & 0xFF));
    }
    switch (value) {
        case kWindowBackground:
            return palette.color(QPalette::Active, QPalette::Base);
        case kHighlight:
            return palette.color(QPalette::Active, QPalette::Highlight);
        case kHighlightText:
            return palette.color(QPalette::Active, QPalette::HighlightedText);
        case kButtonShadow:
            return palette.color(QPalette::Active, QPalette::Dark);
        default:
            return palette.color(QPalette::Active, QPalette::Text);
    }
}

}  // namespace korven::colours
