#include "mainwindow/DiagnosisRows.h"

#include "mainwindow/ChangeRows.h"
#include "mainwindow/MainWindowTexts.h"
#include "model/ModelTree.h"
#include "model/SaveRepair.h"

#include <QSet>

#include <algorithm>

namespace korven::mainwindow {

namespace {

QStringView kindOf(const QString& path) {
    const auto end = std::find_if(path.cbegin(), path.cend(), [](QChar c) { return c == u'[' || c == u'.'; });
    return QStringView(path).first(end - path.cbegin());
}

}  // namespace

std::vector<DiagnosisGroup> DiagnosisGroups(const std::vector<rules::Finding>& findings) {
    std::vector<DiagnosisGroup> groups;
    QStringView lastKind;
    std::size_t last = 0;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        // Findings of one kind come together, so the category is looked up once per run.
        const QStringView kind = kindOf(findings[i].path);
        if (groups.empty() || kind != lastKind) {
            const QString category = CategoryOf(kind);
            const auto group = std::find_if(groups.begin(), groups.end(),
                                            [&](const DiagnosisGroup& g) { return g.category == category; });
            last = group != groups.end() ? std::size_t(group - groups.begin()) : groups.size();
            if (group == groups.end()) {
                groups.push_back({category, {}});
            }
            lastKind = kind;
        }
        groups[last].findings.push_back(i);
    }
    return groups;
}

DiagnosisRow DiagnosisRowOf(const rules::Finding& f, const SaveFile& file) {
    // The change view already names a path's category, record and field.
    FieldChange change;
    change.path = f.path;
    change.kind = kindOf(f.path).toString();
    change.newValue = f.value;
    ChangeRow named = std::move(ChangeRowsFor({change}, file).front());
    return {std::move(named.record),
            std::move(named.field),
            FormatValue(f.value),
            f.message,
            f.fix ? QString::number(*f.fix) : texts::noRepair(),
            f.path,
            named.key};
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
