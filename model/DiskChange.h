#pragma once

#include "platform/LockedFile.h"

#include <QByteArray>

namespace korven {

enum class DiskChange {
    None,      // the path holds the bytes expected
    Modified,  // the path holds other bytes: written over in place, or another file put there
    Removed,   // nothing is at the path any more
    Unknown,   // it could not be read; see `failure`
};

struct DiskCheck {
    DiskChange change = DiskChange::Unknown;
    bool replaced = false;  // the path names another file than the one held (renamed over it)
    QByteArray onDisk;      // what the path holds now, when it was read
    FileFailure failure;
};

// Compares what the path of `handle` holds now with `expected`, the image last loaded or
// saved. The lock cannot keep out programs that ignore it, so this is what tells a save that
// it would write over newer data.
DiskCheck CheckDisk(const LockedFile& handle, const QByteArray& expected);

}  // namespace korven
