#pragma once

#include "editors/EditSession.h"
#include "model/RecordKey.h"

#include <QString>

#include <optional>

class QWidget;

// The one place where a record-list row becomes an edit dialog.
namespace korven {

enum class EditorKind { Ship, Air, Base, Kagaku, ToujouRen };

struct EditorRequest {
    EditorKind kind;
    Selection selection;
};

// The editor of a record; an individual ship's class comes from the model. Nothing for a
// record outside its table.
std::optional<EditorRequest> RequestFor(const RecordKey& key, const SaveFile& file);

// Shows a dialog modally over `owner` for one record or for the open file.
using EditorOpener = void (*)(EditSession& session, QWidget* owner);

struct EditorOpeners {
    EditorOpener ship = nullptr;
    EditorOpener air = nullptr;
    EditorOpener base = nullptr;
    EditorOpener kagaku = nullptr;
    EditorOpener toujouRen = nullptr;
    EditorOpener fileProperties = nullptr;
};

// The dialogs the program has; a kind without one opens nothing.
const EditorOpeners& editorOpeners();

// Opens the editor for the record with `session`'s selection set from it. False when the key
// names no editor (nothing is shown).
bool OpenEditorForKey(const RecordKey& key, EditSession& session, QWidget* owner);

}  // namespace korven
