#pragma once

#include "model/SaveFile.h"
#include "platform/LockedFile.h"
#include "platform/Sinks.h"

#include <memory>

namespace korven {

// Trailing data after the records is kept and written back, up to this much; a larger file
// is refused before it is read, so no file size can exhaust memory.
constexpr qint64 kTrailingDataLimit = qint64(256) << 20;

// The largest file the editor reads: the furthest the records can reach, plus the trailing
// data limit.
qint64 MaxSaveFileSize();

// The smallest file that can hold every record: the aircraft block at the earliest place the
// search looks, and one base. A file with a good header that is shorter was cut short.
qint64 MinSaveFileSize();

enum class OpenOutcome { Opened, CannotOpen, NotASaveFile, LoadFailed };

struct OpenedSaveFile {
    OpenOutcome outcome = OpenOutcome::CannotOpen;
    std::unique_ptr<LockedFile> handle;  // set only when opened; holds the lock
    FileFailure failure;                 // why it could not be opened
};

// The steps shared by the window and the command-line tool: open and lock the file, check
// its "KVSAVE" magic, then read and load it into `model`. Every failure has told the user
// already (the system's text, then the reason) and leaves no file open.
OpenedSaveFile OpenSaveFile(const QString& path, LockMode mode, SaveFile& model, StatusSink& status,
                            MessageSink& messages);

// True when the image starts with the six-byte magic.
bool HasSaveFileMagic(const QByteArray& image);

}  // namespace korven
