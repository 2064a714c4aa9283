#include "platform/Cp932.h"
#include "platform/Cp932Lookup.h"

namespace korven::cp932 {

QString decodeVisible(QByteArrayView bytes) {
    QString text = decode(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        text.truncate(nul);
    }
    return text;
}

bool hasSingleEncodings(QStringView text) {
    for (const QChar ch : text) {
        if (lookup::hasSeveralForms(ch.unicode())) {
            return false;
        }
    }
    return true;
}

TextMatcher::TextMatcher(const QString& text)
    : m_text(text),
      m_encoded(encode(text).value_or(QByteArray())),
      m_compareBytes(hasSingleEncodings(text)) {}

bool TextMatcher::decodedMatches(QByteArrayView bytes) const {
    return decode(bytes) == m_text;
}

}  // namespace korven::cp932
