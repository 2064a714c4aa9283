#include "cli/Utf8Writer.h"

#include <QIODevice>

#include <charconv>
#include <cstring>

namespace korven::cli {
namespace {

// Handed over at this size; the buffer holds twice as much so that a line rarely overflows it.
constexpr qsizetype kPiece = 64 * 1024;

}  // namespace

Utf8Writer::Utf8Writer(QTextStream& stream)
    : m_stream(stream),
      m_encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless),
      m_buffer(2 * kPiece) {}

Utf8Writer::~Utf8Writer() {
    flush();
}

char* Utf8Writer::roomAfterFlush(qsizetype bytes) {
    flush();
    if (bytes > static_cast<qsizetype>(m_buffer.size())) {
        m_buffer.resize(static_cast<std::size_t>(bytes));
    }
    return m_buffer.data();
}

void Utf8Writer::append(QByteArrayView utf8) {
    std::memcpy(room(utf8.size()), utf8.data(), static_cast<std::size_t>(utf8.size()));
    m_used += utf8.size();
}

void Utf8Writer::append(QStringView text) {
    // At most three bytes for each UTF-16 unit. Assignments are mostly ASCII, copied as they
    // are (both loops vectorise); any other text goes through the encoder.
    char* out = room(3 * text.size());
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    char16_t bits = 0;
    for (qsizetype i = 0; i < size; ++i) {
        bits |= in[i];
    }
    if (bits < 0x80) {
        for (qsizetype i = 0; i < size; ++i) {
            out[i] = static_cast<char>(in[i]);
        }
        out += size;
    } else {
        out = m_encoder.appendToBuffer(out, text);
    }
    m_used = out - m_buffer.data();
}

void Utf8Writer::append(qint64 number) {
    constexpr qsizetype kDigits = 20;  // and a sign
    char* const start = room(kDigits);
    m_used = std::to_chars(start, start + kDigits, number).ptr - m_buffer.data();
}

void Utf8Writer::endLine() {
    *room(1) = '\n';
    ++m_used;
    if (m_used >= kPiece) {
        flush();
    }
}

void Utf8Writer::flush() {
    if (m_used == 0) {
        return;
    }
    // Straight to the stream's file when it writes UTF-8 to one: the stream would only take
    // the bytes as text to encode again. A stream on a string takes them as text.
    if (QIODevice* device = m_stream.device(); device && m_stream.encoding() == QStringConverter::Utf8) {
        m_stream.flush();
        device->write(m_buffer.data(), m_used);
    } else {
        m_stream << QString::fromUtf8(m_buffer.data(), m_used);
    }
    m_used = 0;
}

}  // namespace korven::cli
