#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// The plain C library calls the file core is measured against, on both systems. Paths are in
// the system's own encoding (QFile::encodeName).
namespace korven::bench::plain {

#ifdef Q_OS_WIN
inline int openRead(const char* path) {
    return ::_open(path, _O_RDONLY | _O_BINARY);
}
inline int openWrite(const char* path) {
    return ::_open(path, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}
inline qint64 read(int fd, void* data, qint64 size) {
    return ::_read(fd, data, static_cast<unsigned>(size));
}
// No positioned read here: a seek and a read, as the C library would do it.
inline qint64 readAt(int fd, void* data, qint64 size, qint64 offset) {
    return ::_lseeki64(fd, offset, SEEK_SET) == offset ? read(fd, data, size) : -1;
}
inline qint64 write(int fd, const void* data, qint64 size) {
    return ::_write(fd, data, static_cast<unsigned>(size));
}
inline void sync(int fd) {
    ::_commit(fd);
}
inline qint64 size(int fd) {
    struct _stat64 st {};
    return ::_fstat64(fd, &st) == 0 ? st.st_size : -1;
}
inline void close(int fd) {
    ::_close(fd);
}
#else
inline int openRead(const char* path) {
    return ::open(path, O_RDONLY | O_CLOEXEC);
}
inline int openWrite(const char* path) {
    return ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
}
inline qint64 read(int fd, void* data, qint64 size) {
    return ::read(fd, data, static_cast<size_t>(size));
}
inline qint64 readAt(int fd, void* data, qint64 size, qint64 offset) {
    return ::pread(fd, data, static_cast<size_t>(size), offset);
}
inline qint64 write(int fd, const void* data, qint64 size) {
    return ::write(fd, data, static_cast<size_t>(size));
}
inline void sync(int fd) {
    ::fsync(fd);
}
inline qint64 size(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}
inline void close(int fd) {
    ::close(fd);
}
#endif

}  // namespace korven::bench::plain
