#include "editors/BaseSlots.h"

#include "model/RecordFields.h"

#include <algorithm>

namespace korven::base {

std::vector<SlotAircraft> slotNameList(const SaveFile& file, bool japaneseSide, int category) {
    std::vector<SlotAircraft> list;
    if (category < 0 || category >= kAircraftKinds) {
        return list;
    }
    for (int i = 0; i < kOfferedAircraftTypes; ++i) {
        const AircraftTypeRecord& type = file.AircraftType[static_cast<std::size_t>(i)];
        if (offeredToSide(type, japaneseSide) && type.Kind[AircraftKind::Model] == category) {
            list.push_back({type.ShortName.text(), i});
        }
    }
    return list;
}

QString unlistedName(const SaveFile& file, uint8_t storedType) {
    if (storedType >= SaveFile::kAircraftTypes) {
        return QString::number(storedType);
    }
    return file.AircraftType[storedType].ShortName.text();
}

int storedAircraftPosition(const std::vector<SlotAircraft>& list, uint8_t storedType) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const SlotAircraft& a) { return a.type == storedType; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

int slotCategory(const SaveFile& file, uint8_t storedType) {
    if (storedType == kEmptySlot) {
        return kNoCategory;
    }
    if (storedType >= SaveFile::kAircraftTypes) {
        return -1;
    }
    const uint8_t kind = file.AircraftType[storedType].Kind[AircraftKind::Model];
    return kind < kAircraftKinds ? kind : -1;
}

SlotContents slotToStore(int category, std::optional<int> selectedType, uint8_t storedType, qint64 count0,
                         qint64 count1) {
    if (category == kNoCategory) {
        return {};
    }
    const uint8_t type = selectedType ? static_cast<uint8_t>(std::clamp(*selectedType, 0, 255)) : storedType;
    if (type == kEmptySlot) {
        return {};
    }
    auto count = [](qint64 value) { return static_cast<int16_t>(std::clamp<qint64>(value, 0, INT16_MAX)); };
    return {type, count(count0), count(count1)};
}

int listPosition(qint64 code, int itemCount) {
    return code >= 0 && code < itemCount ? static_cast<int>(code) : -1;
}

qint64 codeFromPosition(int position, qint64 storedCode) {
    return position >= 0 ? position : storedCode;
}

int kindPosition(qint64 code, int kindCount) {
    return code == kNoKind ? kindCount : listPosition(code, kindCount);
}

qint64 kindFromPosition(int position, int kindCount, qint64 storedCode) {
    if (position == kindCount) {
        return kNoKind;
    }
    return position >= 0 ? position : storedCode;
}

}  // namespace korven::base
