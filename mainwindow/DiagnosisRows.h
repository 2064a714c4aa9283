#pragma once

#include "model/ChangeSet.h"
#include "model/RecordKey.h"
#include "model/SaveFile.h"
#include "model/SaveRules.h"

#include <QString>

#include <optional>
#include <vector>

// The rows of the 診断 list: the values of the open save that no dialog would accept, grouped
// by the tree's category, each with the record's name as the list shows it and the field's
// label as the dialogs show it.
namespace korven::mainwindow {

struct DiagnosisRow {
    QString record;
    QString field;
    QString value;
    QString reason;
    QString fix;  // the value a repair would store, or a dash where none is obviously right
    QString path;
    std::optional<RecordKey> key;  // the record whose dialog edits the field; none for the file's own
};

// A category's findings, by their place in the list of findings.
struct DiagnosisGroup {
    QString category;
    std::vector<std::size_t> findings;
};

// Groups in the order their first finding comes in the file; findings in file order. Only the
// category is worked out here, so that thousands of findings group at once.
std::vector<DiagnosisGroup> DiagnosisGroups(const std::vector<rules::Finding>& findings);

// One finding as its row shows it, named from `file`.
DiagnosisRow DiagnosisRowOf(const rules::Finding& finding, const SaveFile& file);

// The repair of the chosen findings as one edit, as `check --fix` repairs a whole save: rounds
// until nothing fixable is left, with what a fix breaks repaired too. The chosen findings, or
// those a fix brought about, still found after it are counted in `skipped`.
struct DiagnosisRepair {
    ChangeSet changes;
    std::size_t skipped = 0;
};
DiagnosisRepair RepairFor(const std::vector<rules::Finding>& chosen, const SaveFile& model);

// The status bar's "診断: N 件"; empty when nothing was found.
QString DiagnosisStatus(std::size_t findings);

}  // namespace korven::mainwindow
