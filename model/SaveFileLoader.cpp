#include "model/SaveFileLoader.h"

#include "model/AnchorSearch.h"
#include "model/FieldIo.h"
#include "model/Layout.h"
#include "model/ModelTexts.h"

namespace korven {
namespace {

// A record that does not fit is read field by field, so the reader fails where the file ends.
template <typename Record>
void readRecord(FieldReader& in, Record& record, qint64 size) {
    if (const char* bytes = in.peek(size)) {
        RecordReader whole(bytes);
        layout::transfer(whole, record);
        in.skip(size);
    } else {
        layout::transfer(in, record);
    }
}

Failed<Reported> readFailure(MessageSink& messages) {
    messages.show(Message(texts::readError(), MessageIcon::None));
    return Failed(Reported{});
}

}  // namespace

bool LoadSaveHeader(const QByteArray& image, SaveFile& file) {
    FieldReader in(image);
    in.goTo(layout::kSaveNameLengthPos);
    in.field(file.SaveNameLength);
    file.SaveName = in.bytes(file.SaveNameLength);
    in.field(file.TurnInfo);
    in.field(file.ScenarioTitle);
    file.HeaderEndPos = static_cast<int32_t>(in.position());
    return in.ok();
}

Result<void, Reported> LoadSaveFile(const QByteArray& image, SaveFile& file, StatusSink& status,
                                    MessageSink& messages) {
    status.showStatus(texts::statusReadingTurns());
    if (!LoadSaveHeader(image, file)) {
        return readFailure(messages);
    }
    FieldReader in(image);
    layout::transferScienceWeapons(in, file);
    layout::transferAircrewSkill(in, file);
    if (!in.ok()) {
        return readFailure(messages);
    }

    file.AircraftBlockPos = AnchorSearch(layout::anchorKey(), in, layout::kAnchorStartPos,
                                         layout::kAnchorEndPos, status, messages);
    if (file.AircraftBlockPos < 0) {
        return Failed(Reported{});
    }

    status.showStatus(texts::statusReadingAircraft());
    in.goTo(file.HeaderEndPos);
    in.field(file.AirDevelopment);
    in.goTo(file.AircraftBlockPos);
    for (AircraftTypeRecord& record : file.AircraftType) {
        readRecord(in, record, layout::kAircraftTypeSize);
    }
    file.ShipClassBlockPos = static_cast<int32_t>(in.position());
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingShipClasses());
    for (ShipClassRecord& record : file.ShipClass) {
        readRecord(in, record, layout::kShipClassSize);
    }
    file.BaseBlockPos = static_cast<int32_t>(in.position());
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingBases());
    const cp932::TextMatcher lastBase(layout::lastBaseName());
    constexpr qsizetype kNameWidth = decltype(BaseRecord::Name)::kWidth;
    file.LastBaseIndex = SaveFile::kBases - 1;
    for (int i = 0; i < SaveFile::kBases && in.ok(); ++i) {
        const qint64 start = in.position();
        readRecord(in, file.Base[i], layout::kBaseSize);
        // Compared in the image, which saves copying each name out of its field.
        if (in.ok() && lastBase.matches(QByteArrayView(image).sliced(start - 1, kNameWidth))) {
            file.LastBaseIndex = static_cast<uint8_t>(i);
            break;
        }
    }
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingShips());
    for (ShipRecord& record : file.Ship) {
        readRecord(in, record, layout::kShipSize);
    }
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingCarrierAir());
    for (CarrierAirRecord& record : file.CarrierAir) {
        readRecord(in, record, layout::kCarrierAirSize);
    }
    if (!in.ok()) {
        return readFailure(messages);
    }

    file.image = image;
    status.showStatus(texts::statusReadDone());
    return {};
}

}  // namespace korven
