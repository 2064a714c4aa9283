#include "platform/Cp932.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <vector>

namespace korven::cp932 {
namespace {

constexpr char16_t kInvalid = 0xFFFF;  // marks a byte sequence without a character
constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kUnmapped = 0xFFFF;  // marks a character without an encoding

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) {
            iconv_close(m_cd);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; returns the output length, or -1 when the input is not
    // fully convertible.
    int convert(const char* in, size_t inLength, char* out, size_t outCapacity) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out;
        size_t outLeft = outCapacity;
        if (iconv(m_cd, &inPtr, &inLength, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLength != 0) {
            return -1;
        }
        return static_cast<int>(outCapacity - outLeft);
    }

private:
    iconv_t m_cd;
};

struct Tables {
    std::array<char16_t, 256> single{};
    std::vector<char16_t> dbcs = std::vector<char16_t>(65536, kInvalid);  // index: lead << 8 | trail
    std::vector<quint16> encoding = std::vector<quint16>(65536, kUnmapped);
    std::vector<quint8> decodedCount = std::vector<quint8>(65536, 0);

    Tables() {
        Iconv toUnicode("UTF-16LE", "CP932");
        Iconv fromUnicode("CP932", "UTF-16LE");
        if (!toUnicode.valid() || !fromUnicode.valid()) {
            qFatal("The C library has no CP932 converter (iconv)");
        }
        char out[8];
        for (int b = 0; b < 256; ++b) {
            const char in = static_cast<char>(b);
            single[b] = kInvalid;
            if (!isLeadByte(static_cast<unsigned char>(b)) &&
                toUnicode.convert(&in, 1, out, sizeof out) == 2) {
                single[b] = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                  static_cast<unsigned char>(out[1]) << 8);
                ++decodedCount[single[b]];
            }
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead))) {
                continue;
            }
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                if (toUnicode.convert(in, 2, out, sizeof out) == 2) {
                    const auto ch = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                          static_cast<unsigned char>(out[1]) << 8);
                    dbcs[lead << 8 | trail] = ch;
                    ++decodedCount[ch];
                }
            }
        }
        // The encoder's choice among duplicates (NEC and IBM rows) is iconv's, so ask it for
        // every character that some byte sequence decodes to.
        for (int ch = 0; ch < 65536; ++ch) {
            if (decodedCount[ch] == 0) {
                continue;
            }
            const char in[2] = {static_cast<char>(ch & 0xFF), static_cast<char>(ch >> 8)};
            const int n = fromUnicode.convert(in, 2, out, sizeof out);
            if (n == 1) {
                encoding[ch] = static_cast<unsigned char>(out[0]);
            } else if (n == 2) {
                encoding[ch] = static_cast<quint16>(static_cast<unsigned char>(out[0]) << 8 |
                                                    static_cast<unsigned char>(out[1]));
            }
        }
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

}  // namespace

QString decode(QByteArrayView bytes) {
    const Tables& t = tables();
    QString result;
    result.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = data[i];
        if (isLeadByte(b)) {
            const char16_t ch = i + 1 < size ? t.dbcs[b << 8 | data[i + 1]] : kInvalid;
            if (ch != kInvalid) {
                result.append(QChar(ch));
                ++i;
            } else {
                result.append(QChar(kReplacement));
            }
        } else {
            const char16_t ch = t.single[b];
            result.append(QChar(ch == kInvalid ? kReplacement : ch));
        }
    }
    return result;
}

QString decodeVisible(QByteArrayView bytes) {
    QString text = decode(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        text.truncate(nul);
    }
    return text;
}

std::optional<QByteArray> encode(QStringView text) {
    const Tables& t = tables();
    QByteArray result;
    result.reserve(text.size() * 2);
    for (const QChar ch : text) {
        const quint16 code = t.encoding[ch.unicode()];
        if (code == kUnmapped) {
            return std::nullopt;
        }
        if (code > 0xFF) {
            result.append(static_cast<char>(code >> 8));
        }
        result.append(static_cast<char>(code & 0xFF));
    }
    return result;
}

qsizetype encodedLength(QStringView text) {
    const Tables& t = tables();
    qsizetype length = 0;
    for (const QChar ch : text) {
        const quint16 code = t.encoding[ch.unicode()];
        if (code == kUnmapped) {
            return -1;
        }
        length += code > 0xFF ? 2 : 1;
    }
    return length;
}

bool canEncode(QChar ch) {
    return tables().encoding[ch.unicode()] != kUnmapped;
}

bool hasSingleEncodings(QStringView text) {
    const Tables& t = tables();
    for (const QChar ch : text) {
        if (t.decodedCount[ch.unicode()] > 1) {
            return false;
        }
    }
    return true;
}

TextMatcher::TextMatcher(const QString& text)
    : m_text(text),
      m_encoded(encode(text).value_or(QByteArray())),
      m_compareBytes(hasSingleEncodings(text)) {}

bool TextMatcher::matches(QByteArrayView bytes) const {
    if (m_compareBytes) {
        return !m_encoded.isEmpty() && bytes == QByteArrayView(m_encoded);
    }
    return decode(bytes) == m_text;
}

}  // namespace korven::cp932
