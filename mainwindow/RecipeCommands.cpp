#include "mainwindow/RecipeCommands.h"

#include "document/OpenDocument.h"
#include "mainwindow/FileFilter.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecipeDialog.h"
#include "mainwindow/RecipeFiles.h"
#include "model/Recipe.h"
#include "platform/UiServices.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUndoStack>

namespace korven::mainwindow {

void RunRecipe(OpenDocument& document, const QString& path, QWidget* owner) {
    if (!document.isOpen()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui().show(Message(texts::recipeNotRead(path, file.errorString()), MessageIcon::Exclamation));
        return;
    }
    // One byte past the limit is enough for the engine to refuse a file too large.
    const QByteArray bytes = file.read(recipe::kRecipeLimit + 1);
    if (file.error() != QFileDevice::NoError) {
        ui().show(Message(texts::recipeNotRead(path, file.errorString()), MessageIcon::Exclamation));
        return;
    }
    recipe::Prepared prepared = recipe::PrepareFile(*document.model(), bytes);
    if (!prepared.ok()) {
        ui().show(Message(*prepared.refusal, MessageIcon::Exclamation));
        return;
    }
    RecipeDialog dialog(document, std::move(prepared), owner);
    dialog.exec();
}

void ChooseAndRunRecipe(OpenDocument& document, QWidget* owner) {
    if (!document.isOpen()) {
        return;
    }
    FileDialogOptions options;
    options.caption = texts::recipeOpenCaption();
    options.filter = DialogFilter(texts::recipeFilter());
    options.directory = QFileInfo(document.path()).absolutePath();
    const std::optional<OpenFileChoice> chosen = ui().getOpenFile(owner, options);
    if (chosen && !chosen->path.isEmpty()) {
        RunRecipe(document, chosen->path, owner);
    }
}

std::vector<FieldChange> ChangesOfRows(const std::vector<FieldChange>& changes,
                                       const std::vector<ChangeRow>& rows) {
    QSet<QString> paths;
    for (const ChangeRow& row : rows) {
        paths.insert(row.path);
    }
    std::vector<FieldChange> chosen;
    for (const FieldChange& change : changes) {
        if (paths.contains(change.path)) {
            chosen.push_back(change);
        }
    }
    return chosen;
}

void SaveRecipeText(const QString& text, const QString& nearFile, QWidget* owner) {
    FileDialogOptions options;
    options.caption = texts::recipeSaveCaption();
    options.filter = DialogFilter(texts::recipeFilter());
    options.defaultSuffix = texts::recipeSuffix();
    options.directory = QFileInfo(nearFile).absolutePath();
    const std::optional<QString> chosen = ui().getSaveFile(owner, options);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    if (const std::optional<QString> failure = WriteRecipeFile(*chosen, text)) {
        ui().show(Message(texts::recipeNotWritten(*chosen, *failure), MessageIcon::Error));
    }
}

void SaveChangesAsRecipe(const QString& title, const std::vector<FieldChange>& changes,
                         const QString& nearFile, QWidget* owner) {
    const QString text = recipe::WriteRecipe(title, changes);
    // A title line alone is a recipe the engine would refuse.
    if (text.count(u'\n') <= 1) {
        ui().show(Message(texts::recipeNothingToSave(), MessageIcon::Exclamation));
        return;
    }
    SaveRecipeText(text, nearFile, owner);
}

void SaveStepsAsRecipe(OpenDocument& document, int step, QWidget* owner) {
    const QUndoStack& history = document.history();
    if (step >= 0) {
        SaveChangesAsRecipe(texts::recipeTitleHistory(history.text(step)), document.stepChanges(step),
                            document.path(), owner);
        return;
    }
    std::vector<FieldChange> merged;
    QHash<QString, std::size_t> at;
    for (int i = 0; i < history.count(); ++i) {
        for (const FieldChange& change : document.stepChanges(i)) {
            if (const auto found = at.constFind(change.path); found != at.cend()) {
                merged[*found].newValue = change.newValue;
            } else {
                at.insert(change.path, merged.size());
                merged.push_back(change);
            }
        }
    }
    std::erase_if(merged, [](const FieldChange& change) { return change.oldValue == change.newValue; });
    SaveChangesAsRecipe(texts::recipeTitleReview(), merged, document.path(), owner);
}

}  // namespace korven::mainwindow
