#pragma once

#include "platform/Cp932.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstring>
#include <optional>

namespace korven {

// A fixed-width code page 932 text field. It keeps the bytes read from the file; a new text
// replaces them only when its visible text (before the first NUL) differs from theirs. Many
// valid byte pairs do not survive a decode/encode round trip, and bytes after the first NUL
// carry whatever the game left there, so this is what keeps an unedited save byte for byte.
template <std::size_t Width>
class FixedText {
public:
    static constexpr std::size_t kWidth = Width;

    void assignBytes(const char* bytes) {
        std::memcpy(m_bytes.data(), bytes, Width);
        m_edited.reset();
    }

    // The bytes as read from the file.
    QByteArray originalBytes() const { return QByteArray(m_bytes.data(), Width); }

    // The visible text: an edited text, or the decoded original up to its first NUL.
    QString text() const { return m_edited ? *m_edited : cp932::decodeVisible(originalBytes()); }

    bool isEdited() const { return m_edited.has_value(); }

    // Equal bytes and equal edits; texts that differ only after their NUL are not equal here,
    // though text() is the same.
    friend bool operator==(const FixedText&, const FixedText&) = default;

    void setText(const QString& text) {
        if (text == cp932::decodeVisible(originalBytes())) {
            m_edited.reset();
        } else {
            m_edited = text;
        }
    }

    // The Width bytes to store: the original bytes, or the edited text encoded and padded
    // with 0x00. Nothing when the edited text has no code page 932 form or is too long.
    std::optional<QByteArray> bytesToWrite() const {
        if (!m_edited) {
            return originalBytes();
        }
        std::optional<QByteArray> encoded = cp932::encode(*m_edited);
        if (!encoded || encoded->size() > static_cast<qsizetype>(Width)) {
            return std::nullopt;
        }
        encoded->append(QByteArray(static_cast<qsizetype>(Width) - encoded->size(), '\0'));
        return encoded;
    }

private:
    std::array<char, Width> m_bytes{};
    std::optional<QString> m_edited;
};

}  // namespace korven
