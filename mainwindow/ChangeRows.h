#pragma once

#include "model/ModelDiff.h"
#include "model/RecordKey.h"
#include "model/SaveFile.h"

#include <QString>

#include <optional>
#include <vector>

// The rows of the change view: each differing field as its category, the record's name as the
// list shows it, the field's label as the dialogs show it, the two values and the field's path
// (what korvenedit-cli set takes).
namespace korven::mainwindow {

struct ChangeRow {
    QString category;  // the tree's caption for the record kind
    QString record;
    QString field;
    QString before;
    QString after;
    QString path;
    std::optional<RecordKey> key;  // the record whose dialog edits the field; none for the file's own
};

// The tree's caption for a record kind ("Ship", "Base", ...), as the rows below name it.
QString CategoryOf(QStringView kind);

// Names come from `names`, the model the changes lead to.
std::vector<ChangeRow> ChangeRowsFor(const std::vector<FieldChange>& changes, const SaveFile& names);

}  // namespace korven::mainwindow
