#include "model/SaveFileLoader.h"

#include "model/AnchorSearch.h"
#include "model/FieldIo.h"
#include "model/Layout.h"
#include "model/ModelTexts.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

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

// Records held in memory exactly as the file holds them: fields in file order, each as in the
// file, no padding. A whole table of them is one copy.
template <typename Record>
constexpr bool recordAsInFile() {
    if constexpr (std::is_same_v<Record, ShipRecord>) {
        return std::is_trivially_copyable_v<ShipRecord> && sizeof(ShipRecord) == layout::kShipSize &&
               kSameAsInFile<decltype(ShipRecord::Words)> && kSameAsInFile<decltype(ShipRecord::BusouKai)> &&
               kSameAsInFile<decltype(ShipRecord::Bytes)> && kSameAsInFile<decltype(ShipRecord::Words2)> &&
               offsetof(ShipRecord, BusouKai) == 14 && offsetof(ShipRecord, Bytes) == 18 &&
               offsetof(ShipRecord, Words2) == 22;
    } else if constexpr (std::is_same_v<Record, CarrierAirRecord>) {
        return std::is_trivially_copyable_v<CarrierAirRecord> &&
               sizeof(CarrierAirRecord) == layout::kCarrierAirSize &&
               kSameAsInFile<decltype(CarrierAirRecord::Slots)> && offsetof(CarrierAirRecord, Slots) == 2;
    } else {
        return false;
    }
}

template <typename Record, std::size_t N>
void readTable(FieldReader& in, std::array<Record, N>& records, qint64 size) {
    if constexpr (recordAsInFile<Record>()) {
        const qint64 total = size * static_cast<qint64>(N);
        if (const char* bytes = in.peek(total)) {
            std::memcpy(records.data(), bytes, sizeof records);
            in.skip(total);
            return;
        }
    }
    for (Record& record : records) {
        readRecord(in, record, size);
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

    const Result<int32_t, Reported> anchor = AnchorSearch(layout::anchorKey(), in, layout::kAnchorStartPos,
                                                          layout::kAnchorEndPos, status, messages);
    if (!anchor) {
        return Failed(Reported{});
    }
    file.AircraftBlockPos = *anchor;

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
    readTable(in, file.Ship, layout::kShipSize);
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingCarrierAir());
    readTable(in, file.CarrierAir, layout::kCarrierAirSize);
    if (!in.ok()) {
        return readFailure(messages);
    }

    file.image = image;
    status.showStatus(texts::statusReadDone());
    return {};
}

}  // namespace korven
