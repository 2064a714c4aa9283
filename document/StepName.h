#pragma once

#include "model/ModelDiff.h"

#include <QString>

#include <vector>

namespace korven {

// The history's name for changes to one record: the record, then each field by the label its
// dialog shows with both values, the first few only.
QString StepName(const QString& recordName, const std::vector<FieldChange>& changes);

}  // namespace korven
