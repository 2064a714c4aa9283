#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstring>
#include <optional>

// Windows code page 932, as the game wrote it. The tables are taken from the C library's
// iconv "CP932" converter, which follows the Windows mapping exactly.
namespace korven::cp932 {

// Decodes every byte; a byte sequence that has no character becomes U+FFFD. NUL bytes are kept.
QString decode(QByteArrayView bytes);

// Decodes up to (not including) the first NUL character: the text a player sees.
QString decodeVisible(QByteArrayView bytes);

// Encodes the text, or returns nothing when a character has no code page 932 form.
std::optional<QByteArray> encode(QStringView text);

// Length in bytes of the encoded text, or -1 when a character has no code page 932 form.
qsizetype encodedLength(QStringView text);

// Whether the UTF-16 code unit has a code page 932 form (surrogates never do).
bool canEncode(QChar ch);

// True when no character of the text can be decoded from more than one byte sequence, so
// comparing encoded bytes is the same as comparing decoded texts.
bool hasSingleEncodings(QStringView text);

// Tells whether a byte sequence decodes exactly to a given text. Compares bytes when that is
// the same thing (the usual case) and decodes only when a character has several encodings.
class TextMatcher {
public:
    explicit TextMatcher(const QString& text);
    bool matches(QByteArrayView bytes) const {
        if (m_compareBytes) {
            // Inline, and the first two bytes before the rest: the loader asks this of every
            // base name and every anchor candidate, and nearly all of them differ that early.
            const qsizetype n = m_encoded.size();
            return n > 0 && bytes.size() == n && bytes[0] == m_encoded[0] &&
                   (n == 1 || bytes[1] == m_encoded[1]) &&
                   std::memcmp(bytes.data(), m_encoded.constData(), static_cast<std::size_t>(n)) == 0;
        }
        return decodedMatches(bytes);
    }
    // The text's encoded form (empty when it has none).
    const QByteArray& encoded() const { return m_encoded; }

private:
    bool decodedMatches(QByteArrayView bytes) const;

    QString m_text;
    QByteArray m_encoded;
    bool m_compareBytes;
};

}  // namespace korven::cp932
