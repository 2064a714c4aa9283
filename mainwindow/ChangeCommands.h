#pragma once

#include "document/OpenDocument.h"
#include "mainwindow/ChangesDialog.h"
#include "model/RecordKey.h"

#include <functional>
#include <memory>
#include <optional>

// What the rows of the change views do to the open document: each command is one step of its
// history.
namespace korven::mainwindow {

using RecordOpener = std::function<void(const RecordKey& key)>;

// The review of pending changes: a row opens its record, or puts its field back to the value
// of the file as last saved.
ChangesActions ReviewActions(OpenDocument& document, RecordOpener open);

// The comparison with `other`: a row opens its record, and the chosen rows take `other`'s values.
ChangesActions CompareActions(OpenDocument& document, std::shared_ptr<const SaveFile> other,
                              RecordOpener open);

// The rows of the comparison with `other`.
std::vector<ChangeRow> CompareRows(const SaveFile& model, const SaveFile& other);

// The record the history's step `step` edited first; none for a step without one.
std::optional<RecordKey> RecordOfStep(const OpenDocument& document, int step);

}  // namespace korven::mainwindow
