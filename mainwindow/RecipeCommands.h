#pragma once

#include "mainwindow/ChangeRows.h"
#include "model/ModelDiff.h"

#include <QString>

#include <vector>

class QWidget;

namespace korven {
class OpenDocument;
class StatusSink;
}  // namespace korven

// Running a recipe file on the open document, and writing changes as a recipe.
namespace korven::mainwindow {

// Reads the recipe at `path` and previews it on the open document; OK applies it as one step.
// A recipe that cannot be read or is refused is told through the message seam and changes
// nothing.
void RunRecipe(OpenDocument& document, const QString& path, QWidget* owner);
// The same, for a recipe the user chooses with the file dialog.
void ChooseAndRunRecipe(OpenDocument& document, QWidget* owner);

// The changes among `changes` whose field one of `rows` shows.
std::vector<FieldChange> ChangesOfRows(const std::vector<FieldChange>& changes,
                                       const std::vector<ChangeRow>& rows);

// Asks for a file next to `nearFile` and writes `text` to it as a recipe, all or nothing.
void SaveRecipeText(const QString& text, const QString& nearFile, QWidget* owner);
// `changes` as absolute lines with the fields' names, titled `title`; told when none can be written.
void SaveChangesAsRecipe(const QString& title, const std::vector<FieldChange>& changes,
                         const QString& nearFile, QWidget* owner);

// The history's step `step` as a recipe titled by the step's name; every step, each field from
// its first old value to its last new one, when `step` is -1.
void SaveStepsAsRecipe(OpenDocument& document, int step, QWidget* owner);

}  // namespace korven::mainwindow
