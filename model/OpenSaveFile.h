#pragma once

#include "model/SaveFile.h"
#include "platform/LockedFile.h"
#include "platform/Sinks.h"

#include <memory>

namespace korven {

enum class OpenOutcome { Opened, CannotOpen, NotASaveFile, LoadFailed };

struct OpenedSaveFile {
    OpenOutcome outcome = OpenOutcome::CannotOpen;
    std::unique_ptr<LockedFile> handle;  // set only when opened; holds the lock
};

// The steps shared by the window and the command-line tool: open and lock the file, check
// its "KVSAVE" magic, load it into `model`. Every failure has told the user already and
// leaves no file open.
OpenedSaveFile OpenSaveFile(const QString& path, LockMode mode, SaveFile& model, StatusSink& status,
                            MessageSink& messages);

// True when the image starts with the six-byte magic.
bool HasSaveFileMagic(const QByteArray& image);

}  // namespace korven
