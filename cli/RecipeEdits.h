#pragma once

#include "cli/Assignment.h"
#include "cli/Commands.h"

#include <QString>
#include <QTextStream>

#include <optional>

// Recipes on the command line: an edits file of assignments that the assignments' own reading
// refuses runs as a recipe (relative operations, max, names in conditions, labels), through the
// same engine as the window's.
namespace korven::cli {

// Whether a refusal of the assignments' reading may be a recipe's line instead.
bool MayBeRecipe(AssignmentError error);

// Takes back what `editor` did and applies `text` as a recipe, writing a line per recipe line to
// `out`. The recipe's refusal when it reads further than the assignments did (they stopped at
// `refusedLine`); nothing when it stops there too, or (`needChanges`) changes nothing: the
// assignments' refusal then stands.
std::optional<AssignmentResult> ApplyAsRecipe(ModelEditor& editor, const QString& text, qsizetype refusedLine,
                                              bool needChanges, QTextStream& out);

// --dry-run: the rows an edit would change, with the fields' English names.
void WritePreview(const ModelEditor& editor, QTextStream& out);

// diff --recipe: a recipe that turns A into B, for the fields the file stores.
int RunDiffRecipe(const QString& pathA, const QString& pathB, Console& console);

}  // namespace korven::cli
