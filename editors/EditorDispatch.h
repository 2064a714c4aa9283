#pragma once

#include "editors/EditSession.h"

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

// Reads a row key ("Kankei12", "Kokan512", "Air5", "Base3", "Kagaku1,4", "ToujouRen2"); an
// individual ship's class comes from the model. Nothing for an empty or unknown key.
std::optional<EditorRequest> ParseRowKey(const QString& key, const SaveFile& file);

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

// Opens the editor for the row key with `session`'s selection set from it. False when the key
// names no editor (nothing is shown).
bool OpenEditorForKey(const QString& key, EditSession& session, QWidget* owner);

}  // namespace korven
