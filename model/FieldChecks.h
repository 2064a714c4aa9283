#pragma once

#include "model/ModelDiff.h"
#include "model/SaveFile.h"
#include "platform/Result.h"

#include <QString>

namespace korven::fields {

// Whether the edit dialogs would accept the new value of a changed field, judged against the
// rest of `model` as it is after the change (a ship's fuel against its class's capacity, the
// turns left against the turns needed); when not, the failure says why.
Result<void, QString> CheckChange(const SaveFile& model, const FieldChange& change);

}  // namespace korven::fields
