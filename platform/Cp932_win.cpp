#include "platform/Cp932.h"

#include <qt_windows.h>

#include <array>
#include <utility>

// The system's own conversion. Flags make every failure visible: an invalid byte sequence
// and a character without a form are reported, never replaced by '・' or a best-fit look-alike.
namespace korven::cp932 {
namespace {

constexpr UINT kCodePage = 932;
constexpr char16_t kReplacement = 0xFFFD;

// Windows maps these single bytes to private-use characters; Wine's code page lacks them. Kept
// here so that the program reads and writes them alike on both.
constexpr std::array<std::pair<unsigned char, char16_t>, 4> kPrivateUse = {
    {{0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}}};

std::optional<char16_t> privateUseCharacter(unsigned char b) {
    for (const auto& [byte, ch] : kPrivateUse) {
        if (byte == b) {
            return ch;
        }
    }
    return std::nullopt;
}

std::optional<unsigned char> privateUseByte(char16_t c) {
    for (const auto& [byte, ch] : kPrivateUse) {
        if (ch == c) {
            return byte;
        }
    }
    return std::nullopt;
}

bool isLeadByte(char b) {
    return IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(b)) != 0;
}

// The characters of the bytes, or -1 when some sequence has none.
int toUnicode(const char* bytes, int size, wchar_t* out, int capacity) {
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, size, out, capacity);
    return n > 0 ? n : -1;
}

// One character at a time, so an invalid sequence becomes U+FFFD and the rest still decodes.
QString decodePiecewise(const char* data, qsizetype size) {
    QString result;
    result.reserve(size);
    wchar_t ch[2];
    for (qsizetype i = 0; i < size; ++i) {
        if (isLeadByte(data[i])) {
            if (i + 1 < size && toUnicode(data + i, 2, ch, 2) == 1) {
                result.append(QChar(static_cast<char16_t>(ch[0])));
                ++i;
            } else {
                result.append(QChar(kReplacement));
            }
        } else if (toUnicode(data + i, 1, ch, 2) == 1) {
            result.append(QChar(static_cast<char16_t>(ch[0])));
        } else {
            result.append(
                QChar(privateUseCharacter(static_cast<unsigned char>(data[i])).value_or(kReplacement)));
        }
    }
    return result;
}

// The bytes of the characters, or -1 when some character has no form. `out` may be null to
// count only.
int systemFromUnicode(QStringView text, char* out, int capacity) {
    if (text.isEmpty()) {
        return 0;
    }
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(
        kCodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.utf16()),
        static_cast<int>(text.size()), out, out != nullptr ? capacity : 0, nullptr, &usedDefault);
    return n > 0 && !usedDefault ? n : -1;
}

int fromUnicode(QStringView text, char* out, int capacity) {
    int total = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const std::optional<unsigned char> privateUse =
            i < text.size() ? privateUseByte(text[i].unicode()) : std::nullopt;
        if (i < text.size() && !privateUse) {
            continue;
        }
        const int n = systemFromUnicode(text.sliced(start, i - start), out != nullptr ? out + total : nullptr,
                                        capacity - total);
        if (n < 0) {
            return -1;
        }
        total += n;
        if (privateUse) {
            if (out != nullptr) {
                out[total] = static_cast<char>(*privateUse);
            }
            ++total;
        }
        start = i + 1;
    }
    return total;
}

}  // namespace

QString decode(QByteArrayView bytes) {
    if (bytes.isEmpty()) {
        return QString();
    }
    const int size = static_cast<int>(bytes.size());
    QString result(size, Qt::Uninitialized);
    const int n = toUnicode(bytes.data(), size, reinterpret_cast<wchar_t*>(result.data()), size);
    if (n < 0) {
        return decodePiecewise(bytes.data(), bytes.size());
    }
    result.truncate(n);
    return result;
}

std::optional<QByteArray> encode(QStringView text) {
    const int length = fromUnicode(text, nullptr, 0);
    if (length < 0) {
        return std::nullopt;
    }
    QByteArray result(length, Qt::Uninitialized);
    fromUnicode(text, result.data(), length);
    return result;
}

qsizetype encodedLength(QStringView text) {
    return fromUnicode(text, nullptr, 0);
}

bool canEncode(QChar ch) {
    return fromUnicode(QStringView(&ch, 1), nullptr, 0) >= 0;
}

}  // namespace korven::cp932
