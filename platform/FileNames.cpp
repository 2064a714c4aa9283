#include "platform/FileNames.h"

namespace korven {
namespace {

constexpr char16_t kEscapeBase = 0xDC80;

bool isEscape(QChar c) {
    return c.unicode() >= kEscapeBase && c.unicode() <= kEscapeBase + 0x7F;
}

// The length of the valid UTF-8 sequence at `i`, or 0.
qsizetype validSequence(const QByteArray& bytes, qsizetype i) {
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    qsizetype length;
    char32_t minimum;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    char32_t value = lead & (0x7F >> length);
    for (qsizetype k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        value = value << 6 | (byte(i + k) & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value >= minimum && value <= 0x10FFFF && !surrogate ? length : 0;
}

}  // namespace

QString DecodeFileName(const QByteArray& name) {
    QString result;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < name.size()) {
        const qsizetype length = validSequence(name, i);
        if (length > 0) {
            i += length;
            continue;
        }
        result += QString::fromUtf8(name.constData() + start, i - start);
        // Only bytes 0x80..0xFF can be invalid, so the escape stays within U+DC80..U+DCFF.
        result += QChar(char16_t(kEscapeBase + (static_cast<unsigned char>(name[i]) - 0x80)));
        start = ++i;
    }
    result += QString::fromUtf8(name.constData() + start, name.size() - start);
    return result;
}

QByteArray EncodeFileName(const QString& name) {
    QByteArray result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isEscape(name[i])) {
            result += QStringView(name).sliced(start, i - start).toUtf8();
            result += static_cast<char>(name[i].unicode() - kEscapeBase + 0x80);
            start = i + 1;
        }
    }
    result += QStringView(name).sliced(start).toUtf8();
    return result;
}

QString PrintableFileName(const QString& name) {
    QString result = name;
    for (QChar& c : result) {
        if (isEscape(c)) {
            c = u'_';
        }
    }
    return result;
}

}  // namespace korven
