#include "mainwindow/ChangeCommands.h"

#include "document/DocumentTexts.h"
#include "document/FieldTakeover.h"
#include "document/StepName.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecipeCommands.h"
#include "model/ModelDiff.h"

#include <QStringList>

namespace korven::mainwindow {
namespace {

QStringList pathsOf(const std::vector<ChangeRow>& rows) {
    QStringList paths;
    for (const ChangeRow& row : rows) {
        paths.append(row.path);
    }
    return paths;
}

std::vector<ChangeRow> pendingRows(const OpenDocument& document) {
    return ChangeRowsFor(DiffModels(*document.savedModel(), *document.model()), *document.model());
}

}  // namespace

ChangesActions ReviewActions(OpenDocument& document, RecordOpener open) {
    ChangesActions actions;
    actions.open = std::move(open);
    actions.rows = [&document] { return pendingRows(document); };
    actions.caption = texts::revertThisChange();
    actions.oneRow = true;
    actions.saveRecipe = [&document](const std::vector<ChangeRow>& rows, QWidget* owner) {
        SaveChangesAsRecipe(texts::recipeTitleReview(),
                            ChangesOfRows(DiffModels(*document.savedModel(), *document.model()), rows),
                            document.path(), owner);
    };
    actions.apply = [&document](const std::vector<ChangeRow>& chosen) {
        ChangeSet set = TakeValues(*document.model(), *document.savedModel(), pathsOf(chosen), {});
        set.name = document::texts::revertStep(StepName(chosen.front().record, set.changes));
        document.apply(std::move(set));
        return pendingRows(document);
    };
    return actions;
}

std::vector<ChangeRow> CompareRows(const SaveFile& model, const SaveFile& other) {
    return ChangeRowsFor(DiffModels(model, other), model);
}

ChangesActions CompareActions(OpenDocument& document, std::shared_ptr<const SaveFile> other,
                              RecordOpener open) {
    ChangesActions actions;
    actions.open = std::move(open);
    actions.rows = [&document, other] { return CompareRows(*document.model(), *other); };
    actions.caption = texts::takeTheseValues();
    actions.saveRecipe = [&document, other](const std::vector<ChangeRow>& rows, QWidget* owner) {
        SaveChangesAsRecipe(texts::recipeTitleCompare(),
                            ChangesOfRows(DiffModels(*document.model(), *other), rows), document.path(),
                            owner);
    };
    actions.apply = [&document, other](const std::vector<ChangeRow>& chosen) {
        ChangeSet set = TakeValues(*document.model(), *other, pathsOf(chosen), {});
        set.name = document::texts::takeoverStep(static_cast<qsizetype>(set.changes.size()));
        document.apply(std::move(set));
        return CompareRows(*document.model(), *other);
    };
    return actions;
}

std::optional<RecordKey> RecordOfStep(const OpenDocument& document, int step) {
    for (const ChangeRow& row : ChangeRowsFor(document.stepChanges(step), *document.model())) {
        if (row.key) {
            return row.key;
        }
    }
    return std::nullopt;
}

}  // namespace korven::mainwindow
