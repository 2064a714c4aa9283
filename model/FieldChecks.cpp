#include "model/FieldChecks.h"

#include "catalogue/MaxStepTable.h"
#include "model/FieldDescriptions.h"
#include "model/ModelTexts.h"
#include "model/TurnBounds.h"
#include "model/TurnCalendar.h"
#include "platform/Cp932.h"

#include <QRegularExpression>

#include <vector>

namespace korven::fields {
namespace {

std::vector<int> indicesOf(const QString& path) {
    static const QRegularExpression index(QStringLiteral("\\[([0-9]+)\\]"));
    std::vector<int> indices;
    for (const QRegularExpressionMatch& match : index.globalMatch(path)) {
        indices.push_back(match.captured(1).toInt());
    }
    return indices;
}

// The class an individual ship belongs to; nothing when its class index is not a class.
const ShipClassRecord* classOf(const SaveFile& model, int ship) {
    const int16_t index = model.Ship[static_cast<std::size_t>(ship)].Words[3];
    if (index < 0 || index >= SaveFile::kShipClasses) {
        return nullptr;
    }
    return &model.ShipClass[static_cast<std::size_t>(index)];
}

TurnBoxes turnBoxes(const SaveFile& model) {
    const std::array<int16_t, 11>& t = model.TurnInfo;
    const Turn current = turnFromCounter(t[0]);
    return {current.year, current.month, current.turn, t[3], t[4], t[5], t[6], t[7], t[8]};
}

// The boxes a turn word is typed into: the counter shows as year, month and turn.
std::vector<std::pair<int, qint64>> turnBoxValues(int word, const TurnBoxes& v) {
    if (word == 0) {
        return {{0, v.Y}, {1, v.M}, {2, v.T}};
    }
    const qint64 values[] = {v.EY, v.EM, v.ET};
    return {{word, values[word - 6]}};
}

// The range a dialog allows for a changed number; nothing when it cannot be told (a ship whose
// class index is not a class) or the field has no range.
std::optional<limits::Range> dependentRange(const SaveFile& model, const Description& d,
                                            const std::vector<int>& at) {
    switch (d.check) {
        case Check::ClassUpperSteps:
        case Check::ClassLowerSteps:
        case Check::ClassFuel:
        case Check::ClassFirings: {
            const ShipClassRecord* shipClass = classOf(model, at[0]);
            if (shipClass == nullptr) {
                return std::nullopt;
            }
            if (d.check == Check::ClassUpperSteps) {
                return limits::upToClassValue(shipClass->Perf[0]);
            }
            if (d.check == Check::ClassFuel) {
                return limits::upToClassValue(shipClass->Perf[2]);
            }
            if (d.check == Check::ClassFirings) {
                return limits::upToClassValue(shipClass->Weapon[2][static_cast<std::size_t>(at[1])]);
            }
            const std::optional<int16_t> lower = catalogue::MaxStepTable().at(shipClass->StepIndex);
            return lower ? std::optional(limits::upToClassValue(*lower)) : std::nullopt;
        }
        case Check::ScienceLeave:
            return limits::scienceLeave(
                model.ScienceWeapon[static_cast<std::size_t>(at[0])][static_cast<std::size_t>(at[1])].Need);
        case Check::Range:
            return d.range;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<QString> CheckChange(const SaveFile& model, const FieldChange& change) {
    const Description* d = Describe(change.path);
    if (d == nullptr || change.newValue.isUndefined()) {
        return std::nullopt;
    }
    const QString label = QString::fromUtf8(d->japanese);
    if (d->check == Check::TextBytes) {
        const qsizetype bytes = cp932::encodedLength(change.newValue.toString());
        if (bytes > d->range.maximum) {
            return texts::longerThanDialogAllows(label, bytes, d->range.maximum);
        }
        return std::nullopt;
    }
    if (d->check == Check::TurnBox) {
        const TurnBoxes boxes = turnBoxes(model);
        for (const auto& [box, value] : turnBoxValues(indicesOf(change.path).front(), boxes)) {
            const LeaveBounds bounds = *turnBoxBounds(box, boxes);
            if (value < *bounds.minimum || value > *bounds.maximum) {
                return texts::outsideDialogRange(label, value, *bounds.minimum, *bounds.maximum);
            }
        }
        return std::nullopt;
    }
    const std::optional<limits::Range> range = dependentRange(model, *d, indicesOf(change.path));
    const qint64 value = change.newValue.toInteger();
    if (range && !range->contains(value)) {
        return texts::outsideDialogRange(label, value, range->minimum, range->maximum);
    }
    return std::nullopt;
}

}  // namespace korven::fields
