#include "editors/EditRules.h"

#include "platform/Cp932.h"

#include <limits>

namespace korven::rules {

qint64 numericValue(const QString& text) {
    qsizetype i = 0;
    const bool negative = text.startsWith(u'-');
    if (negative) {
        i = 1;
    }
    constexpr qint64 kLimit = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
    }
    return negative ? -value : value;
}

bool withinBounds(const QString& text, const Bounds& bounds) {
    const qint64 value = numericValue(text);
    return (!bounds.maximum || value <= *bounds.maximum) && (!bounds.minimum || value >= *bounds.minimum);
}

FilteredNumber filterNumber(const QString& text, std::optional<qint64> maximum,
                            std::optional<qint64> minimum) {
    FilteredNumber result;
    const bool minusAllowed = minimum && *minimum < 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const bool keep = (ch >= u'0' && ch <= u'9') || (ch == u'-' && result.text.isEmpty() && minusAllowed);
        if (keep) {
            result.text.append(ch);
        } else {
            result.changed = true;
        }
    }
    if (maximum && numericValue(result.text) > *maximum) {
        result.text = QString::number(*maximum);
        result.changed = true;
    }
    if (minimum && numericValue(result.text) < *minimum) {
        result.text = QString::number(*minimum);
        result.changed = true;
    }
    return result;
}

LimitedText limitTextBytes(const QString& text, int maxBytes) {
    LimitedText result;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = cp932::encodedLength(QStringView(text).mid(i, 1));
        if (length < 0) {
            result.changed = true;  // no code page 932 form: could never be saved
            continue;
        }
        if (bytes + length > maxBytes) {
            result.changed = true;
            break;
        }
        bytes += static_cast<int>(length);
        result.text.append(text[i]);
    }
    return result;
}

bool textUnchanged(const StoredValue& stored, const QString& text) {
    if (std::holds_alternative<std::monostate>(stored)) {
        return true;
    }
    QString storedText = std::holds_alternative<qint64>(stored) ? QString::number(std::get<qint64>(stored))
                                                                : std::get<QString>(stored);
    const qsizetype nul = storedText.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        storedText.truncate(nul);
    }
    return storedText == text;
}

bool indexUnchanged(const StoredValue& stored, int index) {
    if (std::holds_alternative<std::monostate>(stored)) {
        return true;
    }
    if (std::holds_alternative<qint64>(stored)) {
        return std::get<qint64>(stored) == index;
    }
    return std::get<QString>(stored) == QString::number(index);
}

}  // namespace korven::rules
