#pragma once

#include <QByteArrayView>
#include <QStringEncoder>
#include <QStringView>
#include <QTextStream>

#include <vector>

// Text joined as UTF-8 and handed to a stream in large pieces: for the thousands of lines an
// edits file may cause, with their fixed pieces encoded once rather than once a line.
namespace korven::cli {

class Utf8Writer {
public:
    explicit Utf8Writer(QTextStream& stream);
    ~Utf8Writer();
    Utf8Writer(const Utf8Writer&) = delete;
    Utf8Writer& operator=(const Utf8Writer&) = delete;

    void append(QByteArrayView utf8);
    void append(QStringView text);
    void append(qint64 number);
    // After a whole line: the buffer goes to the stream once it is full.
    void endLine();

private:
    // Where `bytes` more can be written; inline, for the many short pieces of each line.
    char* room(qsizetype bytes) {
        return m_used + bytes <= static_cast<qsizetype>(m_buffer.size()) ? m_buffer.data() + m_used
                                                                         : roomAfterFlush(bytes);
    }
    char* roomAfterFlush(qsizetype bytes);
    void flush();

    QTextStream& m_stream;
    QStringEncoder m_encoder;
    std::vector<char> m_buffer;
    qsizetype m_used = 0;
};

}  // namespace korven::cli
