#include "model/DiskChange.h"

#include "model/OpenSaveFile.h"

#include <utility>

namespace korven {

DiskCheck CheckDisk(const LockedFile& handle, const QByteArray& expected) {
    DiskCheck check;
    LockedFile::NamedContents current;
    if (!handle.readNamed(&current, MaxSaveFileSize(), &check.failure)) {
        return check;
    }
    if (current.named == LockedFile::Named::Missing) {
        check.change = DiskChange::Removed;
        return check;
    }
    check.replaced = current.named == LockedFile::Named::Replaced;
    check.change = current.contents == expected ? DiskChange::None : DiskChange::Modified;
    check.onDisk = std::move(current.contents);
    return check;
}

}  // namespace korven
