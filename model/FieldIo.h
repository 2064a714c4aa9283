#pragma once

#include "model/FixedText.h"

#include <QByteArray>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Cursors over a file image with 1-based positions, as the file routines address the file.
// The record layouts (Layout.h) are written once against this interface and run with a
// FieldReader (or a RecordReader for a record known to be complete) to load and a
// FieldWriter to save, so all of them agree on every offset.
namespace korven {

inline uint32_t littleEndian(const char* p, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(p[i]);
    }
    return value;
}

// Arrays (also nested) of the file's integer types, which a little-endian machine holds
// exactly as the file does.
template <typename T>
constexpr bool kSameAsInFile = std::endian::native == std::endian::little &&
                               (std::is_same_v<T, uint8_t> || std::is_same_v<T, int16_t> ||
                                std::is_same_v<T, int32_t>);
template <typename T, std::size_t N>
constexpr bool kSameAsInFile<std::array<T, N>> = kSameAsInFile<T> &&
                                                 sizeof(std::array<T, N>) == N * sizeof(T);

class FieldReader {
public:
    explicit FieldReader(const QByteArray& image) : m_image(image) {}

    void goTo(qint64 position) { m_position = position; }
    qint64 position() const { return m_position; }
    // The last position read so far (position - 1), as the anchor search's guard needs it.
    qint64 lastReadPosition() const { return m_position - 1; }
    qint64 size() const { return m_image.size(); }
    const QByteArray& image() const { return m_image; }
    bool ok() const { return m_ok; }

    void skip(qint64 count) { m_position += count; }

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
// GCC 12 at -O2 sees the element loop of an array below write past the array after its
// whole copy; the loop runs only when the copy did not.
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#endif
    void field(uint8_t& value) {
        value = static_cast<uint8_t>(*take(1));
    }
    void field(int16_t& value) {
        value = static_cast<int16_t>(littleEndian(take(2), 2));
    }
    void field(int32_t& value) {
        value = static_cast<int32_t>(littleEndian(take(4), 4));
    }
    template <std::size_t Width>
    void field(FixedText<Width>& text) {
        text.assignBytes(take(static_cast<qint64>(Width)));
    }
    template <typename T, std::size_t N>
    void field(std::array<T, N>& values) {
        if constexpr (kSameAsInFile<std::array<T, N>>) {
            if (const char* bytes = peek(sizeof values)) {
                std::memcpy(values.data(), bytes, sizeof values);
                skip(sizeof values);
                return;
            }
        }
        for (T& value : values) {
            field(value);
        }
    }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

    // Raw bytes at the current position; empty (and not ok) past the end.
    QByteArray bytes(qint64 count) {
        return QByteArray(take(count), static_cast<qsizetype>(count));
    }

    // The `count` bytes at the current position, or nullptr when they are not all there;
    // neither moves nor fails the reader.
    const char* peek(qint64 count) const {
        const qint64 offset = m_position - 1;
        return m_ok && offset >= 0 && count <= m_image.size() - offset ? m_image.constData() + offset
                                                                       : nullptr;
    }

private:
    // Points at `count` readable bytes; past the end the reader fails and yields zeros.
    const char* take(qint64 count) {
        const qint64 offset = m_position - 1;
        if (!m_ok || offset < 0 || count > m_image.size() - offset) {
            m_ok = false;
            m_zeros.assign(static_cast<std::size_t>(count), '\0');
            return m_zeros.data();
        }
        m_position += count;
        return m_image.constData() + offset;
    }
    const QByteArray& m_image;
    qint64 m_position = 1;
    bool m_ok = true;
    std::string m_zeros;
};

// Reads one record from bytes known to be all there (FieldReader::peek), so the bounds are
// checked once per record rather than once per field, and arrays are copied whole: the
// loader's hot path.
class RecordReader {
public:
    explicit RecordReader(const char* data) : m_data(data) {}

    void skip(qint64 count) { m_data += count; }

    void field(uint8_t& value) { value = static_cast<uint8_t>(*take(1)); }
    void field(int16_t& value) { value = static_cast<int16_t>(littleEndian(take(2), 2)); }
    void field(int32_t& value) { value = static_cast<int32_t>(littleEndian(take(4), 4)); }
    template <std::size_t Width>
    void field(FixedText<Width>& text) {
        text.assignBytes(take(static_cast<qint64>(Width)));
    }
    template <typename T, std::size_t N>
    void field(std::array<T, N>& values) {
        if constexpr (kSameAsInFile<std::array<T, N>>) {
            std::memcpy(values.data(), take(sizeof values), sizeof values);
        } else {
            for (T& value : values) {
                field(value);
            }
        }
    }

private:
    const char* take(qint64 count) {
        const char* p = m_data;
        m_data += count;
        return p;
    }

    const char* m_data;
};

class FieldWriter {
public:
    explicit FieldWriter(QByteArray& image) : m_image(image) {}

    void goTo(qint64 position) { m_position = position; }
    qint64 position() const { return m_position; }
    bool ok() const { return m_ok; }

    void skip(qint64 count) { m_position += count; }

    void field(const uint8_t& value) { put(reinterpret_cast<const char*>(&value), 1); }
    void field(const int16_t& value) { putLittle(static_cast<uint16_t>(value), 2); }
    void field(const int32_t& value) { putLittle(static_cast<uint32_t>(value), 4); }
    template <std::size_t Width>
    void field(const FixedText<Width>& text) {
        const std::optional<QByteArray> bytes = text.bytesToWrite();
        if (!bytes) {
            m_ok = false;
            return;
        }
        put(bytes->constData(), static_cast<qint64>(Width));
    }
    template <typename T, std::size_t N>
    void field(const std::array<T, N>& values) {
        for (const T& value : values) {
            field(value);
        }
    }

    void bytes(const QByteArray& data) { put(data.constData(), data.size()); }

private:
    void put(const char* data, qint64 count) {
        const qint64 offset = m_position - 1;
        if (!m_ok || offset < 0 || count > m_image.size() - offset) {
            m_ok = false;
            return;
        }
        std::memcpy(m_image.data() + offset, data, static_cast<std::size_t>(count));
        m_position += count;
    }
    void putLittle(uint32_t value, int width) {
        char buffer[4];
        for (int i = 0; i < width; ++i) {
            buffer[i] = static_cast<char>(value >> (8 * i) & 0xFF);
        }
        put(buffer, width);
    }

    QByteArray& m_image;
    qint64 m_position = 1;
    bool m_ok = true;
};

}  // namespace korven
