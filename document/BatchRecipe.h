#pragma once

#include "document/BatchEdit.h"

#include <QString>

#include <optional>

// A batch edit as a recipe line, so that it can be saved and run again on another save.
namespace korven::batch {

// "Ship[3,7,10-20].Fuel += 100": the request's records by index, its field by English name.
// Nothing when the request names no field a batch may change, or (science weapons) records
// that no pair of index lists selects exactly.
std::optional<QString> RecipeLineOf(const Request& request);

}  // namespace korven::batch
