#pragma once

#include "model/SaveFile.h"
#include "model/SaveRules.h"
#include "model/ValueLists.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The rules of a base's eight aircraft slots, and of its code lists, as plain functions: the
// base editor shows and stores what these say.
namespace korven::base {

inline constexpr int kSlots = 8;
using rules::kOfferedAircraftTypes;
inline constexpr int kAircraftKinds = 8;
inline constexpr int kSeaplaneCategory = rules::kSeaplaneKind;
inline constexpr int kNoCategory = 8;  // "なし", the item after the eight kinds
inline constexpr uint8_t kEmptySlot = rules::kNoneCode;
inline constexpr qint64 kNoKind = rules::kNoneCode;  // resource or factory kind "なし"

using rules::isJapaneseSide;
using rules::offeredToSide;

struct SlotAircraft {
    QString name;  // ShortName
    int type = 0;  // AircraftType record number
};

// The aircraft a slot of `category` may hold, in record order. Empty for "なし" and for a
// category that is no aircraft kind.
std::vector<SlotAircraft> slotNameList(const SaveFile& file, bool japaneseSide, int category);

// The name a stored type is shown by when its list does not offer it: its short name, or its
// number when it has no record.
QString unlistedName(const SaveFile& file, uint8_t storedType);

// The position of the stored type in the list; -1 when the list does not hold it.
int storedAircraftPosition(const std::vector<SlotAircraft>& list, uint8_t storedType);

// The category a slot shows for its stored type: "なし" for an empty slot, else the type's
// kind; -1 (no item) when the type has no record or its kind has no place in the list, so
// such a slot is kept as stored instead of being emptied.
int slotCategory(const SaveFile& file, uint8_t storedType);

// A seaplane needs an anchorage; the stored one counts, not an unapplied selection.
using rules::seaplaneRefused;

struct SlotContents {
    uint8_t type = kEmptySlot;
    int16_t count0 = 0;
    int16_t count1 = 0;

    bool operator==(const SlotContents&) const = default;
};

// What Apply writes for a slot. "なし" empties it with both counts 0; a selected aircraft is
// stored with the counts; with nothing selected (no aircraft of that kind for the side, or
// no category) the stored type stays. An empty slot never keeps counts.
SlotContents slotToStore(int category, std::optional<int> selectedType, uint8_t storedType, qint64 count0,
                         qint64 count1);

// A code field's list position: the code itself, or -1 (no item) beyond the list.
int listPosition(qint64 code, int itemCount);
// The code a list stores: the selected position, or the stored code while nothing is selected.
qint64 codeFromPosition(int position, qint64 storedCode);

// The kind fields (resource, factory) end their list with "なし", which stands for 255.
int kindPosition(qint64 code, int kindCount);
qint64 kindFromPosition(int position, int kindCount, qint64 storedCode);

}  // namespace korven::base
