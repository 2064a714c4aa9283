#include "model/FieldChecks.h"

#include "model/SaveRules.h"

namespace korven::fields {

std::optional<QString> CheckChange(const SaveFile& model, const FieldChange& change) {
    const std::optional<rules::Finding> finding = rules::CheckField(model, change.path, change.newValue);
    if (!finding) {
        return std::nullopt;
    }
    return finding->refusal;
}

}  // namespace korven::fields
