#pragma once

#include <QByteArray>
#include <QByteArrayView>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif
#include <cstring>

namespace korven::testing {

// A copy of some bytes that ends right before an inaccessible page, so code that reads even
// one byte past the end crashes the test instead of reading a terminator or spare capacity.
class GuardedBuffer {
public:
    explicit GuardedBuffer(QByteArrayView data) : m_size(data.size()) {
        const std::size_t page = pageSize();
        const std::size_t dataPages = (static_cast<std::size_t>(m_size) + page - 1) / page;
        m_mappedLength = (dataPages + 1) * page;
        m_base = static_cast<char*>(map(m_mappedLength));
        protect(m_base + dataPages * page, page);
        m_data = m_base + dataPages * page - m_size;
        if (m_size > 0) {
            std::memcpy(m_data, data.data(), static_cast<std::size_t>(m_size));
        }
    }
#ifdef Q_OS_WIN
    ~GuardedBuffer() {
        VirtualFree(m_base, 0, MEM_RELEASE);
    }
#else
    ~GuardedBuffer() {
        ::munmap(m_base, m_mappedLength);
    }
#endif
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    QByteArrayView view() const {
        return QByteArrayView(m_data, m_size);
    }
    // Shares the guarded memory; must not outlive this object.
    QByteArray bytes() const {
        return QByteArray::fromRawData(m_data, m_size);
    }

private:
#ifdef Q_OS_WIN
    static std::size_t pageSize() {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        return info.dwPageSize;
    }
    static void* map(std::size_t length) {
        void* base = VirtualAlloc(nullptr, length, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (base == nullptr) {
            qFatal("VirtualAlloc failed");
        }
        return base;
    }
    static void protect(char* at, std::size_t length) {
        DWORD previous = 0;
        if (!VirtualProtect(at, length, PAGE_NOACCESS, &previous)) {
            qFatal("VirtualProtect failed");
        }
    }
#else
    static std::size_t pageSize() {
        return static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    }
    static void* map(std::size_t length) {
        void* base = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) {
            qFatal("mmap failed");
        }
        return base;
    }
    static void protect(char* at, std::size_t length) {
        if (::mprotect(at, length, PROT_NONE) != 0) {
            qFatal("mprotect failed");
        }
    }
#endif

    qsizetype m_size;
    std::size_t m_mappedLength = 0;
    char* m_base = nullptr;
    char* m_data = nullptr;
};

}  // namespace korven::testing
