#include "model/DiskChange.h"

#include "model/OpenSaveFile.h"

#include <utility>

namespace korven {

Result<DiskCheck> CheckDisk(const LockedFile& handle, const QByteArray& expected) {
    Result<LockedFile::NamedContents> named = handle.readNamed(MaxSaveFileSize());
    if (!named) {
        return Failed(named.error());
    }
    DiskCheck check;
    if (named->named == LockedFile::Named::Missing) {
        check.change = DiskChange::Removed;
        return check;
    }
    check.replaced = named->named == LockedFile::Named::Replaced;
    check.change = named->contents == expected ? DiskChange::None : DiskChange::Modified;
    check.onDisk = std::move(named->contents);
    return check;
}

}  // namespace korven
