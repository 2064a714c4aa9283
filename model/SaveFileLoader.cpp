#include "model/SaveFileLoader.h"

#include "model/AnchorSearch.h"
#include "model/FieldIo.h"
#include "model/Layout.h"
#include "model/ModelTexts.h"

#include <cstddef>
#include <cstring>
#include <span>
#include <type_traits>

namespace korven {
namespace {

// Records that are all there, one after another. Everything is inlined here: with the reader
// behind a reference, each byte stored into a record could alias the reader's pointer, which
// was then reloaded after every field and made this copy take twice as long.
template <typename Record>
[[gnu::flatten]] void readWholeRecords(const char* bytes, Record* records, std::size_t count, qint64 size) {
    for (std::size_t i = 0; i < count; ++i) {
        RecordReader whole(bytes + static_cast<qint64>(i) * size);
        layout::transfer(whole, records[i]);
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

// A table that does not fit is read field by field, so the reader fails where the file ends.
template <typename Record, std::size_t Extent>
void readTable(FieldReader& in, std::span<Record, Extent> records, qint64 size) {
    const qint64 total = size * static_cast<qint64>(records.size());
    if (const char* bytes = in.peek(total)) {
        if constexpr (recordAsInFile<Record>()) {
            std::memcpy(records.data(), bytes, records.size_bytes());
        } else {
            readWholeRecords(bytes, records.data(), records.size(), size);
        }
        in.skip(total);
        return;
    }
    for (Record& record : records) {
        layout::transfer(in, record);
    }
}

// How many bases the file holds from `position` on: up to the one named `lastBase`, all of them
// when none is, or up to the first one the file cuts short (which then fails to read). Names
// are compared in the image before any record is read, so the bases are copied in one go.
int baseCount(const QByteArray& image, qint64 position, const cp932::TextMatcher& lastBase) {
    constexpr qsizetype kNameWidth = decltype(BaseRecord::Name)::kWidth;
    const QByteArrayView bytes(image);
    for (int i = 0; i < SaveFile::kBases; ++i) {
        const qint64 start = position - 1 + layout::kBaseSize * i;
        if (start + layout::kBaseSize > bytes.size() || lastBase.matches(bytes.sliced(start, kNameWidth))) {
            return i + 1;
        }
    }
    return SaveFile::kBases;
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
    readTable(in, std::span(file.AircraftType), layout::kAircraftTypeSize);
    file.ShipClassBlockPos = static_cast<int32_t>(in.position());
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingShipClasses());
    readTable(in, std::span(file.ShipClass), layout::kShipClassSize);
    file.BaseBlockPos = static_cast<int32_t>(in.position());
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingBases());
    const int bases = baseCount(image, in.position(), cp932::TextMatcher(layout::lastBaseName()));
    readTable(in, std::span(file.Base).first(static_cast<std::size_t>(bases)), layout::kBaseSize);
    file.LastBaseIndex = static_cast<uint8_t>(bases - 1);
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingShips());
    readTable(in, std::span(file.Ship), layout::kShipSize);
    if (!in.ok()) {
        return readFailure(messages);
    }

    status.showStatus(texts::statusReadingCarrierAir());
    readTable(in, std::span(file.CarrierAir), layout::kCarrierAirSize);
    if (!in.ok()) {
        return readFailure(messages);
    }

    file.image = image;
    status.showStatus(texts::statusReadDone());
    return {};
}

}  // namespace korven
