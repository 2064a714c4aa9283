#pragma once

#include "model/SaveFile.h"

#include <QJsonValue>
#include <QString>

#include <optional>
#include <vector>

// The game's rules for the values of a save, in one place: every range a dialog enforces, the
// values each combo box offers, and the rules between fields (a ship within its class, the
// turns left within the turns needed, the current turn between start and end, a base slot's
// aircraft from its side and a seaplane only with an anchorage, a carrier-air entry on a
// carrier). The dialogs, `check` and --check ask these.
namespace korven::rules {

// Rule ids, as `check --json` names them.
namespace id {
inline constexpr char kRange[] = "range";
inline constexpr char kTextBytes[] = "text-bytes";
inline constexpr char kList[] = "list";
inline constexpr char kClassSteps[] = "class-steps";
inline constexpr char kClassFuel[] = "class-fuel";
inline constexpr char kClassFirings[] = "class-firings";
inline constexpr char kScienceLeave[] = "leave-need";
inline constexpr char kTurn[] = "turn";
inline constexpr char kShipClass[] = "ship-class";
inline constexpr char kSlotAircraft[] = "slot-aircraft";
inline constexpr char kSeaplane[] = "seaplane-anchorage";
inline constexpr char kCarrierKey[] = "carrier-key";
}  // namespace id

struct Finding {
    QString path;  // as `set` takes it
    QJsonValue value;
    QString rule;               // one of the ids above
    QString label;              // the field's label in its dialog
    QString message;            // why, with the values accepted
    std::optional<qint64> fix;  // the nearest value accepted; nothing when none is obviously right
    QString refusal;            // the same, as --check refuses a new value
};

// Aircraft records 0..169 are offered in the slot lists; 170..175 never are.
inline constexpr int kOfferedAircraftTypes = SaveFile::kWrittenAircraftTypes;
inline constexpr int kSeaplaneKind = 3;  // "水上機"

// A base owned by "日本軍" offers Japanese navy and army aircraft; every other base the rest.
bool isJapaneseSide(uint8_t owner);
bool offeredToSide(const AircraftTypeRecord& type, bool japaneseSide);
// A seaplane needs an anchorage; the stored one counts.
bool seaplaneRefused(int kind, int16_t anchorage);

// Field `path` holding `value` within `model` (the rest of the model as it stands); nothing
// when the dialogs accept it or no rule covers the field.
std::optional<Finding> CheckField(const SaveFile& model, const QString& path, const QJsonValue& value);

// Every value of the model that no dialog would accept, in file order. Records the game never
// uses are left alone: ships without a name number, unused carrier-air entries, aircraft types
// and development entries the writer never stores.
std::vector<Finding> CheckSave(const SaveFile& model);

// How many findings CheckSave lists, without wording them: the status bar's count.
std::size_t CountFindings(const SaveFile& model);

}  // namespace korven::rules
