#pragma once

#include "platform/LockedFile.h"

#include <QByteArray>

namespace korven {

enum class DiskChange {
    None,      // the path holds the bytes expected
    Modified,  // the path holds other bytes: written over in place, or another file put there
    Removed,   // nothing is at the path any more
};

struct DiskCheck {
    DiskChange change = DiskChange::None;
    bool replaced = false;  // the path names another file than the one held (renamed over it)
    QByteArray onDisk;      // what the path holds now
};

// Compares what the path of `handle` holds now with `expected`, the image last loaded or
// saved; fails when it cannot be read. The lock cannot keep out programs that ignore it, so
// this is what tells a save that it would write over newer data.
Result<DiskCheck> CheckDisk(const LockedFile& handle, const QByteArray& expected);

}  // namespace korven
