#pragma once

#include "model/ModelDiff.h"
#include "model/SaveFile.h"

#include <QString>

#include <optional>

namespace korven::fields {

// Why the new value of a changed field is one the edit dialogs would not accept, judged
// against the rest of `model` as it is after the change (a ship's fuel against its class's
// capacity, the turns left against the turns needed); nothing when they would accept it.
std::optional<QString> CheckChange(const SaveFile& model, const FieldChange& change);

}  // namespace korven::fields
