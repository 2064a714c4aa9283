#include "model/FieldChecks.h"

#include "model/SaveRules.h"

namespace korven::fields {

Result<void, QString> CheckChange(const SaveFile& model, const FieldChange& change) {
    const std::optional<rules::Finding> finding = rules::CheckField(model, change.path, change.newValue);
    if (finding) {
        return Failed(finding->refusal);
    }
    return {};
}

}  // namespace korven::fields
