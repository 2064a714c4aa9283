#include "cli/FieldRef.h"

#include "cli/CliTexts.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korven::cli {
namespace {

template <typename T>
constexpr bool kIsText = !std::is_integral_v<std::remove_pointer_t<T>>;

PreparedValue refused(AssignmentError error, QString reason) {
    return {qint64{0}, error, std::move(reason)};
}

PreparedValue accepted(FieldValue value) {
    return {std::move(value), AssignmentError::None, {}};
}

}  // namespace

const void* FieldRef::address() const {
    return std::visit([](auto* field) -> const void* { return field; }, m_field);
}

bool FieldRef::isText() const {
    return std::visit([](auto* field) { return kIsText<decltype(field)>; }, m_field);
}

QJsonValue FieldRef::value() const {
    return std::visit(
        [](auto* field) -> QJsonValue {
            if constexpr (kIsText<decltype(field)>) {
                return field->text();
            } else {
                return static_cast<qint64>(*field);
            }
        },
        m_field);
}

PreparedValue FieldRef::checkedInteger(qint64 value, QStringView written) const {
    return std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (kIsText<decltype(field)>) {
                return refused(AssignmentError::NotAnInteger, texts::notAnInteger(written.toString()));
            } else {
                constexpr qint64 minimum = std::numeric_limits<T>::min();
                constexpr qint64 maximum = std::numeric_limits<T>::max();
                if (value < minimum || value > maximum) {
                    return refused(AssignmentError::ValueRange,
                                   texts::valueOutOfRange(
                                       written.isEmpty() ? QString::number(value) : written.toString(),
                                       minimum, maximum));
                }
                return accepted(value);
            }
        },
        m_field);
}

PreparedValue FieldRef::checkedText(const QString& text) const {
    return std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (kIsText<decltype(field)>) {
                // The game reads a name up to its first NUL; the rest would be lost unseen.
                if (text.contains(QChar(u'\0'))) {
                    return refused(AssignmentError::TextUnmappable, texts::textHasNul());
                }
                const qsizetype bytes = cp932::encodedLength(text);
                if (bytes < 0) {
                    return refused(AssignmentError::TextUnmappable, texts::textUnmappable());
                }
                if (bytes > static_cast<qsizetype>(T::kWidth)) {
                    return refused(AssignmentError::TextTooLong, texts::textTooLong(bytes, T::kWidth));
                }
                return accepted(text);
            } else {
                return refused(AssignmentError::NotAnInteger, texts::notAnInteger(text));
            }
        },
        m_field);
}

PreparedValue FieldRef::fromText(QStringView text) const {
    if (isText()) {
        return checkedText(text.toString());
    }
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative || text.startsWith(u'+') ? text.mid(1) : text;
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return refused(AssignmentError::NotAnInteger, texts::notAnInteger(text.toString()));
    }
    // Digit by digit: the locale-aware conversion cost as much as the rest of an assignment.
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    quint64 magnitude = 0;
    for (const QChar c : digits) {
        const unsigned digit = c.unicode() - u'0';
        if (magnitude > (limit - digit) / 10) {
            return refused(AssignmentError::ValueRange,
                           texts::valueOutOfRange(text.toString(), std::numeric_limits<qint64>::min(),
                                                  std::numeric_limits<qint64>::max()));
        }
        magnitude = magnitude * 10 + digit;
    }
    // Modulo 2^64, so that the magnitude 2^63 of the lowest number converts too.
    const auto number = static_cast<qint64>(negative ? 0 - magnitude : magnitude);
    return checkedInteger(number, text);
}

PreparedValue FieldRef::fromJson(const rapidjson::Value& value) const {
    if (isText()) {
        if (!value.IsString()) {
            return refused(AssignmentError::NotAnInteger, texts::jsonNotAText());
        }
        return checkedText(JsonText(value));
    }
    if (value.IsInt64()) {
        return checkedInteger(value.GetInt64(), QString());
    }
    if (value.IsUint64()) {  // above every signed 64-bit number
        return checkedInteger(std::numeric_limits<qint64>::max(), QString::number(value.GetUint64()));
    }
    if (!value.IsDouble()) {
        return refused(AssignmentError::NotAnInteger,
                       texts::notAnInteger(value.IsString() ? JsonText(value)
                                           : value.IsTrue() ? QStringLiteral("true")
                                                            : QStringLiteral("false")));
    }
    const double number = value.GetDouble();
    const QString written = QString::number(number, 'g', 17);
    if (!std::isfinite(number) || std::trunc(number) != number) {
        return refused(AssignmentError::NotAnInteger, texts::notAnInteger(written));
    }
    // Doubles beyond 2^63 do not convert; they are out of every field's range anyway.
    if (std::abs(number) > 9.2e18) {
        return checkedInteger(
            number > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min(), written);
    }
    return checkedInteger(static_cast<qint64>(number), QString());
}

FieldValue FieldRef::current() const {
    return std::visit(
        [](auto* field) -> FieldValue {
            if constexpr (kIsText<decltype(field)>) {
                return field->text();
            } else {
                return qint64{*field};
            }
        },
        m_field);
}

bool FieldRef::holds(const rapidjson::Value& value) const {
    return std::visit(
        [&](auto* field) {
            if constexpr (kIsText<decltype(field)>) {
                return value.IsString() && JsonText(value) == field->text();
            } else {
                // Exact: every field value is an integer a double represents.
                return value.IsNumber() && value.GetDouble() == static_cast<double>(*field);
            }
        },
        m_field);
}

bool FieldRef::store(const FieldValue& value) const {
    return std::visit(
        [&](auto* field) {
            using T = std::remove_pointer_t<decltype(field)>;
            if constexpr (kIsText<decltype(field)>) {
                const QString& text = std::get<QString>(value);
                if (field->text() == text) {
                    return false;
                }
                field->setText(text);
                return true;
            } else {
                const auto number = static_cast<T>(std::get<qint64>(value));
                const bool changed = *field != number;
                *field = number;
                return changed;
            }
        },
        m_field);
}

QString JsonText(const rapidjson::Value& string) {
    return QString::fromUtf8(string.GetString(), static_cast<qsizetype>(string.GetStringLength()));
}

bool JsonEquals(const rapidjson::Value& json, const QJsonValue& value) {
    if (value.isString()) {
        return json.IsString() && JsonText(json) == value.toString();
    }
    return json.IsNumber() && value.isDouble() && json.GetDouble() == value.toDouble();
}

std::optional<QJsonValue> NeverWrittenHeaderValue(const SaveFile& m, QStringView name) {
    if (name == u"SaveName") {
        return QJsonValue(m.saveNameText());
    }
    std::optional<QJsonValue> value;
    VisitFoundHeaderValue(m, name, [&](const auto& number) { value = QJsonValue(qint64{number}); });
    return value;
}

qint64 WrittenRecords(const SaveFile& m, QStringView table, qint64 size) {
    if (table == u"AircraftType" || table == u"AirDevelopment") {
        return SaveFile::kWrittenAircraftTypes;
    }
    if (table == u"Base") {
        return qint64{m.LastBaseIndex} + 1;
    }
    return size;
}

}  // namespace korven::cli
