#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace korven {

enum class LockMode {
    Normal,    // read and write; no other editor may open the file
    ReadOnly,  // read only; others may read it too, but nobody may open it for writing
    // Read only, taking no lock and keeping nobody out: for commands that only look, while an
    // editor may hold the file. Saves replace the file whole, so such a reader sees either
    // the old or the new contents.
    Unlocked,
};

// An open, locked save file. The lock (flock, or the share mode of
// the Windows handle) lasts as long as the object. On Linux it is advisory: programs
// that do not ask for it (the game, a plain copy) can still change the file, which is why
// callers compare the file with what they loaded before they write (see `readNamed`).
// Contents are replaced atomically: the new bytes go to a temporary file in the same folder,
// are flushed to disk and renamed over the file, so the file on disk is always either the
// old or the complete new content, and the lock is never released in between. Temporary
// files that a killed save left beside the file are removed at the next save (not at every
// open: listing the folder would cost more than reading the file).
class LockedFile {
public:
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Fails when the file is missing, is not a regular file, cannot be opened in that mode, is
    // read-only in normal mode, or is locked by another editor.
    static Result<std::unique_ptr<LockedFile>> open(const QString& path, LockMode mode);

    // Writes `contents` atomically to `path` (creating or replacing it) and returns the new
    // file open and locked in normal mode. Fails when an existing file there is in use.
    static Result<std::unique_ptr<LockedFile>> create(const QString& path, const QByteArray& contents);

    const QString& path() const { return m_path; }
    LockMode mode() const { return m_mode; }

    // The size of the held file.
    Result<qint64> size() const;
    // Up to `count` bytes from the start of the held file.
    Result<QByteArray> readPrefix(qint64 count) const;
    // The whole held file; fails with TooLarge beyond `limit` bytes or when memory runs out.
    Result<QByteArray> readAll(qint64 limit) const;

    // What the path names now, which is not the held file when another program renamed a
    // file over it.
    enum class Named { Held, Replaced, Missing };
    struct NamedContents {
        Named named = Named::Missing;
        QByteArray contents;  // empty when missing
    };
    Result<NamedContents> readNamed(qint64 limit) const;

    // Lets go of the held file and holds, in the same mode, the file the path names now.
    // On failure the old file stays held.
    Result<void> reattach();

    // Changes a read-only handle into a normal one (reopened for writing, exclusive lock) on
    // the file the path names now.
    Result<void> reopenForWriting();

    // The held file has other names (hard links). Such a file is rewritten in place so that
    // every name keeps seeing it; that write is not all or nothing.
    bool hasOtherNames() const;

    // Replaces the whole contents atomically (normal mode only), or in place when the file
    // has other names. Refused when the path no
    // longer names the held file. On failure the file on disk and this handle are unchanged.
    Result<void> replaceContents(const QByteArray& contents);

private:
#ifdef Q_OS_WIN
    using Handle = Qt::HANDLE;
#else
    using Handle = int;
#endif
    LockedFile(QString path, QString target, Handle handle, LockMode mode);
    Result<void> holdNamed(LockMode mode);

    QString m_path;
    QString m_target;  // the file itself, absolute and with links resolved, for replacing it
    Handle m_handle;
    LockMode m_mode;
};

}  // namespace korven
