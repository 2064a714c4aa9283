#pragma once

#include "model/ChangeSet.h"
#include "model/FieldDescriptions.h"
#include "model/FieldOperation.h"
#include "model/RecordKey.h"
#include "model/SaveFile.h"

#include <QString>

#include <optional>
#include <vector>

// One field of many records of a kind changed by one operation: the change set the batch-edit
// dialog previews and the document applies as one step.
namespace korven::batch {

using Operation = edit::Operation;

// The fields a batch may change in records of `kind`, in file order: the numbers the dialogs
// edit with a limit (not texts, not list choices). A base's 在庫量 is offered for every good
// at once and for each good on its own (在庫量（原油） and so on, right after it).
std::vector<const fields::Description*> FieldsOf(RecordKind kind);

// The field of `kind` whose dialog shows `label`; nothing when no batch may change it.
const fields::Description* FieldOf(RecordKind kind, const QString& label);

struct Request {
    std::vector<RecordKey> records;  // of one kind
    QString label;                   // the field, as its dialog names it
    Operation operation = Operation::Set;
    qint64 value = 0;  // ignored by Maximum
};

struct Outcome {
    ChangeSet changes;               // named for the history; only records whose value changes
    int limited = 0;                 // results moved into what the dialog accepts
    std::optional<QString> refusal;  // why nothing can change; the changes are then empty
};

Outcome Prepare(const SaveFile& model, const Request& request);

}  // namespace korven::batch
