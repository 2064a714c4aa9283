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

// The brackets' contents of a pattern: "Base.Stockpile[3][*]" gives {"3", "*"}.
QStringList bracketsOf(QLatin1StringView pattern) {
    QStringList contents;
    for (qsizetype open = pattern.indexOf(u'['); open >= 0; open = pattern.indexOf(u'[', open + 1)) {
        contents.append(QString(pattern.sliced(open + 1, pattern.indexOf(u']', open) - open - 1)));
    }
    return contents;
}

// A batch field is either one of the descriptions, or one good's stock, which stands for the
// description of every stock with that good's index fixed: the templates know only the former.
std::pair<const fields::Description*, QStringList> describedField(const fields::Description& field) {
    const std::span<const fields::Description> all = fields::Descriptions();
    if (&field >= all.data() && &field < all.data() + all.size()) {
        return {&field, {}};
    }
    const QLatin1StringView pattern(field.pattern);
    const QLatin1StringView table(pattern.first(pattern.indexOf(u'[')));
    for (const fields::Description& d : all) {
        const QLatin1StringView candidate(d.pattern);
        if (candidate.startsWith(table) && candidate.indexOf(u'[') == table.size() &&
            bracketsOf(candidate).size() == bracketsOf(pattern).size()) {
            return {&d, bracketsOf(pattern)};
        }
    }
    return {nullptr, {}};
}

}  // namespace

std::optional<QString> RecipeLineOf(const Request& request) {
    if (request.records.empty()) {
        return std::nullopt;
    }
    const RecordKind kind = request.records.front().kind;
    const fields::Description* batchField = FieldOf(kind, request.label);
    if (batchField == nullptr) {
        return std::nullopt;
    }
    const auto [field, fixedBrackets] = describedField(*batchField);
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
    // The field's own open indices (a ship's every mount) are all taken, as the batch takes them,
    // but for one good's stock, whose good is fixed.
    open.append(fixedBrackets);
    const auto total = static_cast<int>(fields::PathWith(*field, true, {}).count(u'#'));
    while (open.size() < total) {
        open.append(QStringLiteral("*"));
    }
    return recipe::OperationLine(fields::PathWith(*field, true, open), request.operation, request.value);
}

}  // namespace korven::batch
