#pragma once

class QAction;
class QMenu;
class QWidget;

namespace korven {

class OpenDocument;
class SettingsStore;

// The recipe commands of the menus: File › レシピを適用 opens a recipe file; Edit › レシピ lists
// the bundled recipes and those of the folder set in the options, read afresh each time the
// menu opens. Each recipe is previewed before it applies.
void ConnectRecipes(QAction* fileRecipe, QMenu* editRecipes, OpenDocument& document, SettingsStore& settings,
                    QWidget* owner);

}  // namespace korven
