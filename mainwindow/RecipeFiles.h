#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Recipe files on disk: the ones the Edit menu lists, telling a dropped recipe from a save, and
// writing a recipe all or nothing.
namespace korven::mainwindow {

struct RecipeEntry {
    QString title;  // the first comment's text, else the file's name without its suffix
    QString path;
};

// The recipe files ("*.txt") directly in `folder`, in order of file name; none when the folder
// is empty or missing.
std::vector<RecipeEntry> RecipesIn(const QString& folder);

// The Edit menu's recipes: those of each folder in turn, a folder given twice listed once.
std::vector<RecipeEntry> RecipeMenuEntries(const QStringList& folders);

// Where the bundled recipes are looked for, beside the program: its own "recipes" folder (the
// Windows layout), then share/korvenedit/recipes next to its bin folder (an installed package).
QStringList BundledRecipeFolders();
// The first of BundledRecipeFolders() that exists; empty when none does.
QString BundledRecipeFolder();

// True for a dropped file the window should run as a recipe rather than open as a save: a
// ".txt" file, or a file that begins with a "#" comment and not with the save-file magic.
bool LooksLikeRecipe(const QString& path);

// Writes `text` as UTF-8 to `path`, all or nothing; the reason when it could not.
std::optional<QString> WriteRecipeFile(const QString& path, const QString& text);

}  // namespace korven::mainwindow
