#include "mainwindow/DiagnosisRows.h"

#include "mainwindow/ChangeRows.h"
#include "mainwindow/MainWindowTexts.h"
#include "model/ModelTree.h"
#include "model/SaveRepair.h"

#include <QSet>

#include <algorithm>

namespace korven::mainwindow {

std::vector<DiagnosisGroup> DiagnosisGroups(const std::vector<rules::Finding>& findings,
                                            const SaveFile& file) {
    // The change view already names a path's category, record and field.
    std::vector<FieldChange> changes;
    changes.reserve(findings.size());
    for (const rules::Finding& f : findings) {
        FieldChange change;
        change.path = f.path;
        const auto end =
            std::find_if(f.path.cbegin(), f.path.cend(), [](QChar c) { return c == u'[' || c == u'.'; });
        change.kind = f.path.first(end - f.path.cbegin());
        change.newValue = f.value;
        changes.push_back(std::move(change));
    }
    const std::vector<ChangeRow> named = ChangeRowsFor(changes, file);
    std::vector<DiagnosisGroup> groups;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const rules::Finding& f = findings[i];
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const DiagnosisGroup& g) { return g.category == named[i].category; });
        if (group == groups.end()) {
            group = groups.insert(groups.end(), DiagnosisGroup{named[i].category, {}});
        }
        group->rows.push_back({named[i].record, named[i].field, FormatValue(f.value), f.message,
                               f.fix ? QString::number(*f.fix) : texts::noRepair(), f.path, named[i].key, f});
    }
    return groups;
}

DiagnosisRepair RepairFor(const std::vector<rules::Finding>& chosen, const SaveFile& model) {
    DiagnosisRepair repair;
    if (chosen.empty()) {
        repair.changes.name = texts::diagnosisRepairStep(0);
        return repair;
    }
    QSet<QString> picked;
    for (const rules::Finding& f : chosen) {
        picked.insert(f.path + u'\n' + f.rule);
    }
    rules::Repair repaired = rules::RepairSave(
        model, [&](const rules::Finding& f) { return picked.contains(f.path + u'\n' + f.rule); });
    repair.changes.changes = std::move(repaired.changes);
    repair.skipped = repaired.left.size();
    repair.changes.name = texts::diagnosisRepairStep(repair.changes.changes.size());
    return repair;
}

QString DiagnosisStatus(std::size_t findings) {
    return findings == 0 ? QString() : texts::diagnosisStatus(findings);
}

}  // namespace korven::mainwindow
