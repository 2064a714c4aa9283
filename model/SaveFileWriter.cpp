#include "model/SaveFileWriter.h"

#include "model/FieldIo.h"
#include "model/Layout.h"
#include "model/ModelTexts.h"
#include "model/SaveFileBackup.h"
#include "model/SaveFileLoader.h"

#include "platform/PathAttributes.h"

#include <algorithm>
#include <memory>

namespace korven {
namespace {

// The blocks are found again on every load by their anchor and the last base's name, so an
// edit of those names would make the next load read the records from the wrong place.
bool loadsBackInPlace(const SaveFile& file, const QByteArray& image) {
    auto reloaded = std::make_unique<SaveFile>();
    NullStatus status;
    NullMessages messages;
    return LoadSaveFile(image, *reloaded, status, messages).ok() &&
           reloaded->AircraftBlockPos == file.AircraftBlockPos &&
           reloaded->BaseBlockPos == file.BaseBlockPos && reloaded->LastBaseIndex == file.LastBaseIndex;
}

}  // namespace

qsizetype KnownLength(const SaveFile& file) {
    const qint64 recordsEnd = file.BaseBlockPos - 1 + layout::kBaseSize * (file.LastBaseIndex + 1) +
                              layout::kShipSize * SaveFile::kShips +
                              layout::kCarrierAirSize * SaveFile::kCarrierAir;
    const qint64 headerEnd =
        layout::kAircrewSkillPos - 1 + file.SaveNameLength + qint64(sizeof file.AircrewSkill);
    return static_cast<qsizetype>(std::min<qint64>(std::max(recordsEnd, headerEnd), file.image.size()));
}

std::optional<QByteArray> ComposeKnownPart(const SaveFile& file, StatusSink& status) {
    // A write past this copy fails the writer, so nothing the loader read can be left out.
    QByteArray image = file.image.left(KnownLength(file));
    FieldWriter out(image);

    status.showStatus(texts::statusWritingTurns());
    out.goTo(layout::kSaveNameLengthPos);
    out.field(file.SaveNameLength);
    out.bytes(file.SaveName);
    out.field(file.TurnInfo);
    out.field(file.ScenarioTitle);
    layout::transferScienceWeapons(out, file);
    layout::transferAircrewSkill(out, file);

    // Aircraft types 170..175 and their development entries are never written.
    status.showStatus(texts::statusWritingAircraft());
    out.goTo(file.HeaderEndPos);
    for (int i = 0; i < SaveFile::kWrittenAircraftTypes; ++i) {
        out.field(file.AirDevelopment[i]);
    }
    out.goTo(file.AircraftBlockPos);
    for (int i = 0; i < SaveFile::kWrittenAircraftTypes; ++i) {
        layout::transfer(out, file.AircraftType[i]);
    }

    status.showStatus(texts::statusWritingShipClasses());
    out.goTo(file.ShipClassBlockPos);
    for (const ShipClassRecord& record : file.ShipClass) {
        layout::transfer(out, record);
    }

    status.showStatus(texts::statusWritingBases());
    out.goTo(file.BaseBlockPos);
    for (int i = 0; i <= file.LastBaseIndex; ++i) {
        layout::transfer(out, file.Base[i]);
    }

    status.showStatus(texts::statusWritingShips());
    for (const ShipRecord& record : file.Ship) {
        layout::transfer(out, record);
    }

    status.showStatus(texts::statusWritingCarrierAir());
    for (const CarrierAirRecord& record : file.CarrierAir) {
        layout::transfer(out, record);
    }

    if (!out.ok() || file.image.isEmpty()) {
        return std::nullopt;
    }
    return image;
}

std::optional<QByteArray> ComposeSaveImage(const SaveFile& file, StatusSink& status) {
    std::optional<QByteArray> image = ComposeKnownPart(file, status);
    if (image) {
        image->append(QByteArrayView(file.image).sliced(image->size()));
    }
    return image;
}

Result<void, Reported> WriteSaveFile(SaveFile& file, LockedFile& target, StatusSink& status,
                                     MessageSink& messages) {
    const std::optional<QByteArray> image = ComposeSaveImage(file, status);
    if (image && !loadsBackInPlace(file, *image)) {
        messages.show(Message(texts::layoutWouldMove(), MessageIcon::Error));
        return Failed(Reported{});
    }
    const Result<void> replaced = image ? target.replaceContents(*image) : Failed(FileFailure{});
    if (!replaced) {
        messages.show(Message(texts::withReason(texts::writeError(), replaced.error()), MessageIcon::Error));
        return Failed(Reported{});
    }
    file.image = *image;
    status.showStatus(texts::statusWriteDone());
    return {};
}

Result<SavedAs, Reported> WriteSaveFileAs(SaveFile& file, const QString& path, const BackupStore& backups,
                                          StatusSink& status, MessageSink& messages) {
    if (AttributesOf(path).exists) {
        // Refuses a read-only file and one that another editor holds.
        Result<std::unique_ptr<LockedFile>> existing = LockedFile::open(path, LockMode::Normal);
        if (!existing) {
            messages.show(
                Message(texts::withReason(texts::cannotOpen(), existing.error()), MessageIcon::Error));
            return Failed(Reported{});
        }
        const Result<QString, Reported> backup = BackUpSaveFile(**existing, backups, messages);
        if (!backup || !WriteSaveFile(file, **existing, status, messages)) {
            return Failed(Reported{});
        }
        return SavedAs{std::move(*existing), *backup};
    }
    const std::optional<QByteArray> image = ComposeSaveImage(file, status);
    if (image && !loadsBackInPlace(file, *image)) {
        messages.show(Message(texts::layoutWouldMove(), MessageIcon::Error));
        return Failed(Reported{});
    }
    Result<std::unique_ptr<LockedFile>> created =
        image ? LockedFile::create(path, *image) : Failed(FileFailure{});
    if (!created) {
        messages.show(Message(texts::withReason(texts::writeError(), created.error()), MessageIcon::Error));
        return Failed(Reported{});
    }
    file.image = *image;
    status.showStatus(texts::statusWriteDone());
    return SavedAs{std::move(*created), std::nullopt};
}

}  // namespace korven
