#include "model/SaveRepair.h"

#include "model/ChangeSet.h"

#include <QSet>

#include <memory>

namespace korven::rules {
namespace {

// A fix is accepted by the rules where it is stored, so each round leaves fewer findings with a
// fix; the bound only keeps a rule that ever undid another's fix from looping.
constexpr int kMostRounds = 32;

QString keyOf(const Finding& f) {
    return f.path + u'\n' + f.rule;
}

}  // namespace

Repair RepairSave(const SaveFile& model, const FindingFilter& chosen) {
    QSet<QString> before;
    if (chosen) {
        for (const Finding& f : CheckSave(model)) {
            before.insert(keyOf(f));
        }
    }
    auto inScope = [&](const Finding& f) { return !chosen || chosen(f) || !before.contains(keyOf(f)); };

    const auto repaired = std::make_unique<SaveFile>(model);
    Repair repair;
    std::vector<QString> touched;  // in the order first stored
    QSet<QString> seen;
    for (int round = 0; round < kMostRounds; ++round) {
        bool stored = false;
        for (const Finding& f : CheckSave(*repaired)) {
            if (!inScope(f)) {
                continue;
            }
            // Judged again: an earlier store of this round may have resolved it or moved its fix.
            const std::optional<Finding> still = CheckField(*repaired, f.path, *ValueAt(*repaired, f.path));
            if (!still || !still->fix) {
                continue;
            }
            const std::optional<FieldChange> change = ChangeTo(*repaired, f.path, QJsonValue(*still->fix));
            if (!change || ApplyChanges(*repaired, {*change}, ChangeDirection::Forward)) {
                continue;
            }
            repair.steps.push_back({f.path, change->oldValue, *still->fix});
            if (!seen.contains(f.path)) {
                seen.insert(f.path);
                touched.push_back(f.path);
            }
            stored = true;
        }
        if (!stored) {
            break;
        }
    }
    for (const QString& path : touched) {
        if (std::optional<FieldChange> change = ChangeTo(model, path, *ValueAt(*repaired, path))) {
            repair.changes.push_back(std::move(*change));
        }
    }
    for (Finding& f : CheckSave(*repaired)) {
        if (inScope(f)) {
            repair.left.push_back(std::move(f));
        }
    }
    return repair;
}

}  // namespace korven::rules
