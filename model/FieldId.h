#pragma once

#include "model/FieldDescriptions.h"

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// One field of the model as a value: which field (its description), the record it belongs to
// and its element. Text comes in as a positional path ("Ship[7].Words[6]") or as the field's
// English name ("Ship[7].Fuel"); both name the same field, and both are read and printed here.
namespace korven {

struct FieldId {
    static constexpr int kMaxIndices = 3;

    const fields::Description* field = nullptr;
    // The record's indices (two for a science weapon: line and step; none in a header table),
    // then the indices the description's pattern leaves open ("*"), left to right.
    std::array<int, kMaxIndices> indices{};
    int count = 0;

    QString path() const;  // "Ship[7].Words[6]", as `set`, dump and diff write it
    QString name() const;  // "Ship[7].Fuel"

    friend bool operator==(const FieldId&, const FieldId&) = default;
};

// A concrete path in either form; nothing when it names no field of the descriptions. Indices
// are read, not checked against the tables' sizes.
std::optional<FieldId> ParseFieldId(QStringView text);

namespace fields {

// The description's English name with its record index left out, as its pattern is written:
// "Ship.Fuel" beside "Ship.Words[6]", "AircrewSkill[*].Bomber" beside "AircrewSkill[*][1]".
QString NamePattern(const Description& description);

// How many indices select the record of a table: 1 in a record table (2 for a science weapon),
// 0 in the header.
int RecordIndexCount(const Description& description);

// A path whose brackets may hold anything (an index, "*", a range, a condition): a field it
// names, and what its brackets hold where the field's index is open, left to right.
struct PathMatch {
    const Description* field = nullptr;
    bool named = false;  // written with the English name
    QVarLengthArray<QStringView, FieldId::kMaxIndices> open;
};

// Every field `text` names in either form. `fits(content, index)` says whether a bracket's
// content selects the fixed index a positional path has there ("Words[6]" for "[6]", or for
// "[*]" when it stands for all of them).
std::vector<PathMatch> MatchPath(QStringView text, const std::function<bool(QStringView, int)>& fits);

// The text of `description` in either form with `open` in its open brackets, in order.
QString PathWith(const Description& description, bool named, const QList<QString>& open);

}  // namespace fields
}  // namespace korven
