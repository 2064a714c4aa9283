#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// The font list of the options dialog: installed fonts filtered by a packed filter word.
namespace korven {

// Character set 128 (Japanese), TrueType fonts only, horizontal faces only.
inline constexpr uint32_t kOptionsFontFilter = 0x01040080u;

inline constexpr int kAnsiCharset = 0;
inline constexpr int kShiftJisCharset = 128;

// Font type bits.
inline constexpr int kRasterFontType = 1;
inline constexpr int kDeviceFontType = 2;
inline constexpr int kTrueTypeFontType = 4;

// Orientation bits: vertical faces are the ones whose names begin with "@".
inline constexpr int kHorizontalFaces = 1;
inline constexpr int kVerticalFaces = 2;

struct FontFilter {
    int charset = 0;          // bits 0..7
    int typeMask = 0;         // bits 16..23; 0 means every type (7)
    int orientationMask = 0;  // bits 24..27; 0 means both orientations (3)
};

FontFilter UnpackFontFilter(uint32_t word);

// One installed face as the enumeration reports it.
struct FontDescription {
    QString faceName;
    int charset = kAnsiCharset;
    int fontType = kTrueTypeFontType;
};

// Kept when the character set is the wanted one, the type is in the mask and the face's
// orientation is in the mask.
bool KeepFont(const FontDescription& font, const FontFilter& filter);

// Where the faces come from; tests feed their own.
using FontSource = std::function<std::vector<FontDescription>()>;

// A family of Qt's font database: character set 128 when it covers the Japanese writing
// system, scalable outlines counted as TrueType, bitmap fonts as raster.
FontDescription DescribeFamily(const QString& family, bool japanese, bool scalable);
// The installed families, from Qt's font database.
FontSource InstalledFonts();

// The enumeration callback: adds the face to `names` when the filter word keeps it. Always
// true, so the enumeration goes on.
bool fontenum_proc(const FontDescription& font, uint32_t filterWord, QStringList& names);

// The kept face names, in the order the source gives them.
QStringList EnumFontNames(const FontSource& source, uint32_t filterWord);

}  // namespace korven
