#include "platform/Cp932.h"
#include "platform/Cp932Lookup.h"

namespace korven::cp932 {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

}  // namespace

QString decode(QByteArrayView bytes) {
    QString result;
    result.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = data[i];
        if (lookup::isLeadByte(b)) {
            const char16_t ch = i + 1 < size ? lookup::pair(b, data[i + 1]) : tables::kNone;
            if (ch != tables::kNone) {
                result.append(QChar(ch));
                ++i;
            } else {
                result.append(QChar(kReplacement));
            }
        } else {
            const char16_t ch = tables::kSingle[b];
            result.append(QChar(ch == tables::kNone ? kReplacement : ch));
        }
    }
    return result;
}

std::optional<QByteArray> encode(QStringView text) {
    QByteArray result;
    result.reserve(text.size() * 2);
    for (const QChar ch : text) {
        const quint16 code = lookup::kEncoding[ch.unicode()];
        if (code == lookup::kUnmapped) {
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
    qsizetype length = 0;
    for (const QChar ch : text) {
        const quint16 code = lookup::kEncoding[ch.unicode()];
        if (code == lookup::kUnmapped) {
            return -1;
        }
        length += code > 0xFF ? 2 : 1;
    }
    return length;
}

bool canEncode(QChar ch) {
    return lookup::kEncoding[ch.unicode()] != lookup::kUnmapped;
}

}  // namespace korven::cp932
