#include "preferences/ModuleEnumFonts.h"

#include <QFontDatabase>

namespace korven {

FontFilter UnpackFontFilter(uint32_t word) {
    FontFilter filter;
    filter.charset = static_cast<int>(word & 0xFFu);
    filter.typeMask = static_cast<int>((word >> 16) & 0xFFu);
    filter.orientationMask = static_cast<int>((word >> 24) & 0x0Fu);
    if (filter.typeMask == 0) {
        filter.typeMask = kRasterFontType | kDeviceFontType | kTrueTypeFontType;
    }
    if (filter.orientationMask == 0) {
        filter.orientationMask = kHorizontalFaces | kVerticalFaces;
    }
    return filter;
}

bool KeepFont(const FontDescription& font, const FontFilter& filter) {
    const int orientation = font.faceName.startsWith(u'@') ? kVerticalFaces : kHorizontalFaces;
    return font.charset == filter.charset && (font.fontType & filter.typeMask) != 0 &&
           (orientation & filter.orientationMask) != 0;
}

FontDescription DescribeFamily(const QString& family, bool japanese, bool scalable) {
    return FontDescription{family, japanese ? kShiftJisCharset : kAnsiCharset,
                           scalable ? kTrueTypeFontType : kRasterFontType};
}

FontSource InstalledFonts() {
    return [] {
        std::vector<FontDescription> fonts;
        for (const QString& family : QFontDatabase::families()) {
            if (QFontDatabase::isPrivateFamily(family)) {
                continue;
            }
            const bool japanese = QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
            fonts.push_back(DescribeFamily(family, japanese, QFontDatabase::isScalable(family)));
        }
        return fonts;
    };
}

bool fontenum_proc(const FontDescription& font, uint32_t filterWord, QStringList& names) {
    if (KeepFont(font, UnpackFontFilter(filterWord))) {
        names.append(font.faceName);
    }
    return true;
}

QStringList EnumFontNames(const FontSource& source, uint32_t filterWord) {
    QStringList names;
    for (const FontDescription& font : source()) {
        if (!fontenum_proc(font, filterWord, names)) {
            break;
        }
    }
    return names;
}

}  // namespace korven
