#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <sys/mman.h>
#include <unistd.h>
#include <cstring>

namespace korven::testing {

// A copy of some bytes that ends right before an inaccessible page, so code that reads even
// one byte past the end crashes the test instead of reading a terminator or spare capacity.
class GuardedBuffer {
public:
    explicit GuardedBuffer(QByteArrayView data) : m_size(data.size()) {
        const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t dataPages = (static_cast<std::size_t>(m_size) + page - 1) / page;
        m_mappedLength = (dataPages + 1) * page;
        void* base =
            ::mmap(nullptr, m_mappedLength, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) {
            qFatal("mmap failed");
        }
        m_base = static_cast<char*>(base);
        if (::mprotect(m_base + dataPages * page, page, PROT_NONE) != 0) {
            qFatal("mprotect failed");
        }
        m_data = m_base + dataPages * page - m_size;
        if (m_size > 0) {
            std::memcpy(m_data, data.data(), static_cast<std::size_t>(m_size));
        }
    }
    ~GuardedBuffer() { ::munmap(m_base, m_mappedLength); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    QByteArrayView view() const { return QByteArrayView(m_data, m_size); }
    // Shares the guarded memory; must not outlive this object.
    QByteArray bytes() const { return QByteArray::fromRawData(m_data, m_size); }

private:
    qsizetype m_size;
    std::size_t m_mappedLength = 0;
    char* m_base = nullptr;
    char* m_data = nullptr;
};

}  // namespace korven::testing
