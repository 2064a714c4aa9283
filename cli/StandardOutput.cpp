#include "cli/StandardOutput.h"

#include "platform/SystemError.h"

#include <cerrno>

namespace korven::cli {

StandardOutput::StandardOutput(std::FILE* stream) : m_stream(stream) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 StandardOutput::readData(char*, qint64) {
    return -1;
}

qint64 StandardOutput::writeData(const char* data, qint64 size) {
    // Once failed, the rest is dropped: the result is incomplete either way.
    if (m_failure) {
        return -1;
    }
    if (std::fwrite(data, 1, static_cast<std::size_t>(size), m_stream) != static_cast<std::size_t>(size)) {
        noteFailure();
        return -1;
    }
    return size;
}

bool StandardOutput::finish() {
    if (!m_failure && std::fflush(m_stream) != 0) {
        noteFailure();
    }
    return !m_failure;
}

void StandardOutput::noteFailure() {
    // Both systems' C libraries report a pipe without a reader as EPIPE.
    m_readerGone = errno == EPIPE;
    m_failure = LastSystemFailure();
}

}  // namespace korven::cli
