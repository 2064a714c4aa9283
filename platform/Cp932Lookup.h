#pragma once

#include "platform/Cp932Tables.h"

#include <QtGlobal>

#include <array>

// Lookups over the code page 932 tables, computed by the compiler from the generated tables.
namespace korven::cp932::lookup {

inline constexpr quint16 kUnmapped = 0xFFFF;  // marks a character without an encoding

constexpr bool isLeadByte(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The character of a lead and trail byte, or tables::kNone.
constexpr char16_t pair(unsigned lead, unsigned trail) {
    if (!isLeadByte(lead) || trail < 0x40 || trail > 0xFC) {
        return tables::kNone;
    }
    const unsigned row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
    return tables::kDouble[row * 189 + trail - 0x40];
}

// The bytes of each UTF-16 code unit (two-byte forms as lead << 8 | trail), or kUnmapped.
inline constexpr std::array<quint16, 65536> kEncoding = [] {
    std::array<quint16, 65536> encoding{};
    encoding.fill(kUnmapped);
    for (unsigned b = 0; b < 256; ++b) {
        if (tables::kSingle[b] != tables::kNone) {
            encoding[tables::kSingle[b]] = static_cast<quint16>(b);
        }
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const char16_t ch = pair(lead, trail);
            if (ch != tables::kNone && encoding[ch] == kUnmapped) {
                encoding[ch] = static_cast<quint16>(lead << 8 | trail);
            }
        }
    }
    for (std::size_t i = 0; i < tables::kPreferred.size(); i += 2) {
        encoding[tables::kPreferred[i]] = tables::kPreferred[i + 1];
    }
    return encoding;
}();

// One bit per UTF-16 code unit, set for a character that more than one byte sequence decodes
// to. A table, because the loader asks for every character of the texts it matches.
inline constexpr std::array<quint64, 65536 / 64> kSeveralForms = [] {
    std::array<quint64, 65536 / 64> bits{};
    for (std::size_t i = 0; i < tables::kPreferred.size(); i += 2) {
        const char16_t ch = tables::kPreferred[i];
        bits[ch / 64] |= quint64{1} << (ch % 64);
    }
    return bits;
}();

// Whether a character can be decoded from more than one byte sequence.
constexpr bool hasSeveralForms(char16_t ch) {
    return (kSeveralForms[ch / 64] >> (ch % 64) & 1) != 0;
}

}  // namespace korven::cp932::lookup
