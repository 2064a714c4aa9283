#include "model/OpenSaveFile.h"

#include "model/Layout.h"
#include "model/ModelTexts.h"
#include "model/SaveFileLoader.h"

namespace korven {

qint64 MaxSaveFileSize() {
    // The aircraft block starts before the anchor search's end; every base may be read.
    const qint64 records = layout::kAircraftBlockSize + layout::kShipClassBlockSize +
                           layout::kBaseSize * SaveFile::kBases + layout::kShipSize * SaveFile::kShips +
                           layout::kCarrierAirSize * SaveFile::kCarrierAir;
    return layout::kAnchorEndPos + records + kTrailingDataLimit;
}

bool HasSaveFileMagic(const QByteArray& image) {
    return image.startsWith(QByteArrayView(layout::kMagic, layout::kMagicLength));
}

OpenedSaveFile OpenSaveFile(const QString& path, LockMode mode, SaveFile& model, StatusSink& status,
                            MessageSink& messages) {
    OpenedSaveFile result;
    auto cannotOpen = [&](const FileFailure& why) {
        result.failure = why;
        messages.show(Message(texts::withReason(texts::cannotOpen(), result.failure), MessageIcon::Error));
        result.outcome = OpenOutcome::CannotOpen;
        return std::move(result);
    };
    Result<std::unique_ptr<LockedFile>> handle = LockedFile::open(path, mode);
    if (!handle) {
        return cannotOpen(handle.error());
    }
    const Result<QByteArray> magic = (*handle)->readPrefix(layout::kMagicLength);
    if (!magic) {
        return cannotOpen(magic.error());
    }
    // Checked before the whole file is read: a huge file of another kind is never loaded.
    if (!HasSaveFileMagic(*magic)) {
        messages.show(Message(texts::notASaveFile(), MessageIcon::Exclamation));
        result.outcome = OpenOutcome::NotASaveFile;
        return result;
    }
    const Result<QByteArray> image = (*handle)->readAll(MaxSaveFileSize());
    if (!image) {
        return cannotOpen(image.error());
    }
    if (!LoadSaveFile(*image, model, status, messages)) {
        result.outcome = OpenOutcome::LoadFailed;
        return result;
    }
    result.outcome = OpenOutcome::Opened;
    result.handle = std::move(*handle);
    return result;
}

}  // namespace korven
