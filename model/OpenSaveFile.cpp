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

qint64 MinSaveFileSize() {
    const qint64 records = layout::kAircraftBlockSize + layout::kShipClassBlockSize + layout::kBaseSize +
                           layout::kShipSize * SaveFile::kShips +
                           layout::kCarrierAirSize * SaveFile::kCarrierAir;
    return layout::kAnchorStartPos - 1 + records;
}

bool HasSaveFileMagic(const QByteArray& image) {
    return image.startsWith(QByteArrayView(layout::kMagic, layout::kMagicLength));
}

namespace {

// A file up to this size is read whole at once and its magic checked afterwards, which spares
// the load a system call; reading a megabyte of some other file costs under a millisecond.
constexpr qint64 kReadAtOnceLimit = qint64(1) << 20;

// The whole file, or, when it is larger than kReadAtOnceLimit and has no magic, only its
// first bytes: a huge file of another kind is never read.
Result<QByteArray> readSaveImage(const LockedFile& file) {
    Result<QByteArray> whole = file.readAll(kReadAtOnceLimit);
    if (whole || whole.error().problem != FileProblem::TooLarge) {
        return whole;
    }
    Result<QByteArray> prefix = file.readPrefix(layout::kMagicLength);
    if (!prefix || !HasSaveFileMagic(*prefix)) {
        return prefix;
    }
    return file.readAll(MaxSaveFileSize());
}

}  // namespace

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
    const Result<QByteArray> image = readSaveImage(**handle);
    if (!image) {
        return cannotOpen(image.error());
    }
    if (!HasSaveFileMagic(*image)) {
        messages.show(Message(texts::notASaveFile(), MessageIcon::Exclamation));
        result.outcome = OpenOutcome::NotASaveFile;
        return result;
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
