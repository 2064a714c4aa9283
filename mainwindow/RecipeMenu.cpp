#include "mainwindow/RecipeMenu.h"

#include "document/OpenDocument.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecipeCommands.h"
#include "mainwindow/RecipeFiles.h"
#include "platform/SettingsStore.h"
#include "preferences/frmOptions.h"

#include <QAction>
#include <QMenu>

namespace korven {

void ConnectRecipes(QAction* fileRecipe, QMenu* editRecipes, OpenDocument& document, SettingsStore& settings,
                    QWidget* owner) {
    QObject::connect(fileRecipe, &QAction::triggered, owner,
                     [&document, owner] { mainwindow::ChooseAndRunRecipe(document, owner); });
    QObject::connect(editRecipes, &QMenu::aboutToShow, owner, [editRecipes, &document, &settings, owner] {
        editRecipes->clear();
        const std::vector<mainwindow::RecipeEntry> entries = mainwindow::RecipeMenuEntries(
            {mainwindow::BundledRecipeFolder(), settings.text(QStringLiteral("Option"), kRecipeFolder)});
        if (entries.empty()) {
            editRecipes->addAction(mainwindow::texts::menuEditRecipesNone())->setEnabled(false);
            return;
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            QAction* recipe = editRecipes->addAction(entries[i].title);
            recipe->setObjectName(QStringLiteral("mnuEditRecipe_%1").arg(i));
            QObject::connect(recipe, &QAction::triggered, owner, [&document, owner, path = entries[i].path] {
                mainwindow::RunRecipe(document, path, owner);
            });
        }
    });
}

}  // namespace korven
