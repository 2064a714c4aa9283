#pragma once

#include "cli/Assignment.h"
#include "cli/FieldRef.h"

#include <rapidjson/fwd.h>

#include <functional>

namespace korven::cli {

struct JsonEditResult {
    AssignmentError error = AssignmentError::None;
    QString path;  // where in the document, in the dump's path syntax
    QString reason;
    int changed = 0;
    int skipped = 0;  // fields the writer never stores, left as they are in a whole dump
};

// Called for every field whose value an edit is about to change, with its path.
using JsonStoring = std::function<void(const FieldRef& field, const QString& path)>;

// Applies a document in the shape of the dump (or any part of it) to the model. Arrays may
// be given as arrays, where null leaves an element alone, or as objects keyed by index. Fields
// the writer never stores are accepted with the value they hold; a whole dump (one that
// carries FormatVersion) may hold other values there, which are skipped and counted, so that
// one save's dump applies to another. A dump of a save whose last base comes earlier applies
// up to that base, whose name (the list's end there) it leaves alone. A key given twice in one object is
// refused. Stops at the first edit refused; the model is then partly changed. Members are applied in the
// order the document gives them.
JsonEditResult ApplyJsonEdits(SaveFile& model, const rapidjson::Value& edits, const JsonStoring& storing);

}  // namespace korven::cli
