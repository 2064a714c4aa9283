#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace korven {

enum class LockMode {
    Normal,    // read and write; no other editor may open the file
    ReadOnly,  // read only; others may read it too, but nobody may open it for writing
};

// An open, locked save file. The lock (flock, or the share mode of the Windows handle) lasts
// as long as the object. Contents are replaced atomically: the new bytes go to a locked
// temporary file in the same folder, are flushed to disk and renamed over the file, so the
// file on disk is always either the old or the complete new content, and the lock is never
// released in between.
class LockedFile {
public:
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Fails (nullptr, with a reason in English for logs and tests) when the file is missing,
    // is a folder, cannot be opened in that mode, has no write permission in normal mode, or
    // is locked by another editor.
    static std::unique_ptr<LockedFile> open(const QString& path, LockMode mode, QString* reason = nullptr);

    // Writes `contents` atomically to `path` (creating or replacing it) and returns the new
    // file open and locked in normal mode. Fails when an existing file there is in use.
    static std::unique_ptr<LockedFile> create(const QString& path, const QByteArray& contents,
                                              QString* reason = nullptr);

    const QString& path() const { return m_path; }
    LockMode mode() const { return m_mode; }

    // The whole file; false when it cannot be read.
    bool readAll(QByteArray* contents, QString* reason = nullptr) const;

    // Changes a read-only handle into a normal one (reopened for writing, exclusive lock).
    bool reopenForWriting(QString* reason = nullptr);

    // Replaces the whole contents atomically (normal mode only). On failure the file on disk
    // and this handle are unchanged.
    bool replaceContents(const QByteArray& contents, QString* reason = nullptr);

private:
#ifdef Q_OS_WIN
    using Handle = Qt::HANDLE;
#else
    using Handle = int;
#endif
    LockedFile(QString path, QString target, Handle handle, LockMode mode);

    QString m_path;
    QString m_target;  // the file itself, absolute and with links resolved, for replacing it
    Handle m_handle;
    LockMode m_mode;
};

}  // namespace korven
