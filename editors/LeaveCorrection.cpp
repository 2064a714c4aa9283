#include "editors/LeaveCorrection.h"

#include "editors/EditRules.h"

namespace korven {

std::optional<QString> correctionOnLeave(const QString& text, const LeaveBounds& bounds) {
    const rules::FilteredNumber filtered = rules::filterNumber(text, bounds.maximum, bounds.minimum);
    if (filtered.text == text) {
        return std::nullopt;
    }
    return filtered.text;
}

}  // namespace korven
