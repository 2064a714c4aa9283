#pragma once

#include "model/ModelDiff.h"
#include "model/SaveFile.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <rapidjson/fwd.h>

#include <deque>
#include <memory>
#include <unordered_map>

// Edits to the model in the dump's names: PATH=VALUE assignments (ShipClass[12].Perf[1]=30,
// Base[*].Stockpile[0][0]=9999, Ship[0-99].Words[6]=500, Ship[Words[0]==12].Words[6]=500, and
// with English field names Ship[7].Fuel=500, Ship[Class==12].Fuel=500) and
// JSON documents in the dump's shape.
namespace korven::cli {

class FieldRef;

enum class AssignmentError {
    None,
    Syntax,        // not PATH=VALUE, or a malformed path
    UnknownField,  // no such name, or a record without a field name
    IndexCount,    // too few or too many indices for the field
    IndexRange,    // an index past the table
    NeverWritten,  // a field the writer never stores
    NoMatch,       // a wildcard, range or filter that selects nothing
    NotAnInteger,
    ValueRange,      // outside the field's width (u8, int16, int32)
    TextTooLong,     // longer than the field in code page 932
    TextUnmappable,  // a character with no code page 932 form
    MovesBlocks,     // the next load would find the blocks elsewhere (anchor, last base)
    FormatVersion,   // a JSON document from a later dump format
    DuplicateKey,    // a JSON object with a key twice
    OutsideDialog,   // --check: a value the edit dialogs would not accept
};

struct AssignmentResult {
    AssignmentError error = AssignmentError::None;
    QString message;           // for the user; names the assignment
    int changed = 0;           // fields whose value this edit changed
    bool selectsMany = false;  // a wildcard, range or filter
    int skipped = 0;           // never-written fields a whole dump held other values in
    bool ok() const { return error == AssignmentError::None; }
};

// Applies edits one after the other to a model, remembering which edit last set each field
// so that a later one that overrides an earlier one is reported, and so that a refusal found
// only at the end (the block layout, --check) names the edit that caused it.
class ModelEditor {
public:
    // Without `keepOriginal` finish() cannot be called; a single assignment needs no copy.
    explicit ModelEditor(SaveFile& model, bool keepOriginal = true);
    ~ModelEditor();

    // One assignment; `line` is its line in an edits file, 0 on the command line. A refused
    // assignment leaves the model as it was.
    AssignmentResult assign(const QString& assignment, qsizetype line = 0);

    // A document in the shape of the dump, or any part of it: arrays or objects keyed by
    // index, null for an element left alone. Fields the writer never stores may appear with
    // their current value (an unedited dump applies). On failure the model is partly changed.
    AssignmentResult applyJson(const rapidjson::Value& edits);

    // Takes back every edit: the model holds what it held before the first. Needs `keepOriginal`.
    void revert();

    // Changes worked out elsewhere (a recipe), each named for messages by `editNames[i]`.
    AssignmentResult applyChanges(const std::vector<FieldChange>& changes,
                                  const std::vector<QString>& editNames);

    // Every field that holds another value than before the first edit. Needs `keepOriginal`.
    std::vector<FieldChange> changes() const;

    // After the last edit: makes sure the image the writer would store loads back with the
    // same block positions and last base, and with `checkRanges` that every changed field
    // holds a value its edit dialog would accept. Names the edit that is refused.
    AssignmentResult finish(bool checkRanges);

    const SaveFile& model() const { return m_model; }

    // How many fields hold another value than before the first edit.
    qsizetype changedFields() const;

    // Writes a line for each edit that overrode fields an earlier one had set.
    void writeOverrides(QTextStream& out) const;

private:
    struct Written;
    // Named only when a message needs it: most edits never appear in one.
    struct Edit {
        QString text;        // an assignment, or a JSON edit already named
        qsizetype line = 0;  // in an edits file; 0 when none
        QString name() const;
    };
    // Kept as indices and formatted when written: an edits file may override thousands.
    struct Override {
        int later;    // index into m_edits
        int earlier;  // index into m_edits
        int fields;
    };
    // Before `field` is set by edit `edit`; returns the edit that set it last, or -1.
    int noteWrite(const FieldRef& field, int edit);
    QString editNamed(const void* field) const;
    // --check: every changed value, and every value the changes made wrong, against the rules.
    AssignmentResult checkRules() const;

    SaveFile& m_model;
    std::unique_ptr<SaveFile> m_original;
    std::unordered_map<const void*, Written> m_written;  // by field address
    // Deques: tens of thousands of edits, appended one by one and never moved.
    std::deque<Edit> m_edits;
    std::deque<Override> m_overrides;
};

// One assignment on its own (nothing to override, no layout check).
AssignmentResult ApplyAssignment(SaveFile& model, const QString& assignment);

// Every assignment, then the layout check of ModelEditor::finish. On failure `model` is
// partly changed and must be thrown away.
AssignmentResult ApplyAssignments(SaveFile& model, const QStringList& assignments);

}  // namespace korven::cli
