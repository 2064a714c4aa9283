#pragma once

#include "model/ModelDiff.h"
#include "model/SaveFile.h"
#include "model/SaveRules.h"

#include <QJsonValue>
#include <QString>

#include <functional>
#include <vector>

// The repair of a save's findings, one routine for the diagnosis window and `check --fix`.
namespace korven::rules {

// One value stored by the repair, in the order stored; a field may be stored more than once.
struct RepairStep {
    QString path;
    QJsonValue from;
    qint64 to = 0;
};

struct Repair {
    std::vector<RepairStep> steps;
    // The whole repair against the model given: each field once, in the order first repaired.
    std::vector<FieldChange> changes;
    // The findings in scope that the repaired model still has: those without a fix.
    std::vector<Finding> left;
};

using FindingFilter = std::function<bool(const Finding&)>;

// Repairs a copy of `model` in rounds until a round stores nothing. A round stores, in file
// order, the fix of each finding in scope that the round's earlier stores have not already
// resolved, so a rule between two fields moves only the field it is about. The scope is the
// findings `chosen` keeps (all when empty), and every finding the repair itself brings about.
Repair RepairSave(const SaveFile& model, const FindingFilter& chosen = {});

}  // namespace korven::rules
