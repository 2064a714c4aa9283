#include "document/BatchRecipe.h"

#include "model/FieldId.h"
#include "model/Recipe.h"

#include <algorithm>
#include <set>

namespace korven::batch {
namespace {

// "1,4,7-9" for {1, 4, 7, 8, 9}.
QString indexList(const std::set<int>& indices) {
    QStringList parts;
    for (auto it = indices.begin(); it != indices.end();) {
        const int first = *it;
        int last = first;
        while (++it != indices.end() && *it == last + 1) {
            ++last;
        }
        parts.append(first == last ? QString::number(first) : QStringLiteral("%1-%2").arg(first).arg(last));
    }
    return parts.join(u',');
}

}  // namespace

std::optional<QString> RecipeLineOf(const Request& request) {
    if (request.records.empty()) {
        return std::nullopt;
    }
    const RecordKind kind = request.records.front().kind;
    const fields::Description* field = FieldOf(kind, request.label);
    if (field == nullptr) {
        return std::nullopt;
    }
    std::set<int> records;
    std::set<int> steps;
    for (const RecordKey& key : request.records) {
        records.insert(key.index);
        steps.insert(key.step);
    }
    QList<QString> open{indexList(records)};
    if (kind == RecordKind::ScienceWeapon) {
        if (records.size() * steps.size() != request.records.size()) {
            return std::nullopt;  // not every step of every line chosen
        }
        open.append(indexList(steps));
    }
    // The field's own open indices (a ship's every mount) are all taken, as the batch takes them.
    const auto total = static_cast<int>(fields::PathWith(*field, true, {}).count(u'#'));
    while (open.size() < total) {
        open.append(QStringLiteral("*"));
    }
    return recipe::OperationLine(fields::PathWith(*field, true, open), request.operation, request.value);
}

}  // namespace korven::batch
