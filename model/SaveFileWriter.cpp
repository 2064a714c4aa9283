#include "model/SaveFileWriter.h"

#include "model/FieldIo.h"
#include "model/Layout.h"
#include "model/ModelTexts.h"

namespace korven {

std::optional<QByteArray> ComposeSaveImage(const SaveFile& file, StatusSink& status) {
    QByteArray image = file.image;
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

bool WriteSaveFile(SaveFile& file, LockedFile& target, StatusSink& status, MessageSink& messages) {
    const std::optional<QByteArray> image = ComposeSaveImage(file, status);
    if (!image || !target.replaceContents(*image)) {
        messages.show(Message(texts::writeError(), MessageIcon::Error));
        return false;
    }
    file.image = *image;
    status.showStatus(texts::statusWriteDone());
    return true;
}

}  // namespace korven
