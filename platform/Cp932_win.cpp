#include "platform/Cp932.h"

#include <qt_windows.h>

// The system's own conversion. Flags make every failure visible: an invalid byte sequence
// and a character without a form are reported, never replaced by '・' or a best-fit look-alike.
namespace korven::cp932 {
namespace {

constexpr UINT kCodePage = 932;
constexpr char16_t kReplacement = 0xFFFD;

// The characters of the bytes, or -1 when some sequence has none.
int toUnicode(const char* bytes, int size, wchar_t* out, int capacity) {
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, size, out, capacity);
    return n > 0 ? n : -1;
}

// The bytes of the characters, or -1 when some character has no form.
int fromUnicode(QStringView text, char* out, int capacity) {
    if (text.isEmpty()) {
        return 0;
    }
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.utf16()),
                            static_cast<int>(text.size()), out, capacity, nullptr, &usedDefault);
    return n > 0 && !usedDefault ? n : -1;
}

// One character at a time, so an invalid sequence becomes U+FFFD and the rest still decodes.
QString decodePiecewise(const char* data, qsizetype size) {
    QString result;
    result.reserve(size);
    wchar_t ch[2];
    for (qsizetype i = 0; i < size; ++i) {
        if (IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(data[i])) && i + 1 < size &&
            toUnicode(data + i, 2, ch, 2) == 1) {
            result.append(QChar(static_cast<char16_t>(ch[0])));
            ++i;
        } else if (!IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(data[i])) &&
                   toUnicode(data + i, 1, ch, 2) == 1) {
            result.append(QChar(static_cast<char16_t>(ch[0])));
        } else {
            result.append(QChar(kReplacement));
        }
    }
    return result;
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
