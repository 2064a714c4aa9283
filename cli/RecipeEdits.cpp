#include "cli/RecipeEdits.h"

#include "cli/CliTexts.h"
#include "cli/CommandSupport.h"
#include "model/FieldId.h"
#include "model/Recipe.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace korven::cli {
namespace {

QString nameOf(const QString& path) {
    const std::optional<FieldId> id = ParseFieldId(path);
    return id ? id->name() : path;
}

// Whether line `line` of `text` has an operation only a recipe has (`+=`, `-=`, `*=`, `= max`):
// where both readers stop on it, the recipe's reason is the one that fits.
bool recipeOnlyLine(const QString& text, qsizetype line) {
    static const QRegularExpression operation(QStringLiteral(R"((\+=|-=|\*=|=\s*max$))"));
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    return line >= 1 && line <= lines.size() && operation.match(lines[line - 1].trimmed()).hasMatch();
}

}  // namespace

bool MayBeRecipe(AssignmentError error) {
    switch (error) {
        case AssignmentError::Syntax:
        case AssignmentError::UnknownField:
        case AssignmentError::IndexCount:
        case AssignmentError::NotAnInteger:
        case AssignmentError::NoMatch:
            return true;
        default:
            return false;
    }
}

std::optional<AssignmentResult> ApplyAsRecipe(ModelEditor& editor, const QString& text, qsizetype refusedLine,
                                              bool needChanges, QTextStream& out) {
    editor.revert();
    const recipe::Prepared prepared = recipe::Prepare(editor.model(), text);
    if (!prepared.ok() && (prepared.refusedLine > refusedLine ||
                           (prepared.refusedLine == refusedLine && recipeOnlyLine(text, refusedLine)))) {
        return AssignmentResult{AssignmentError::Syntax, *prepared.refusal, 0, false, 0};
    }
    if (!prepared.ok() || (needChanges && prepared.changes.changes.empty())) {
        return std::nullopt;
    }
    // A --check refusal names the change as a recipe line would write it.
    std::vector<QString> names;
    names.reserve(prepared.changes.changes.size());
    for (const FieldChange& change : prepared.changes.changes) {
        names.push_back(nameOf(change.path) + QStringLiteral(" = ") + change.newText());
    }
    AssignmentResult result = editor.applyChanges(prepared.changes.changes, names);
    if (!result.ok()) {
        return result;
    }
    qsizetype neverWritten = 0;
    for (const recipe::LineCount& line : prepared.lines) {
        out << texts::recipeLineDone(line.line, line.text, line.changed, line.limited) << '\n';
        neverWritten += line.neverWritten;
    }
    if (neverWritten > 0) {
        out << texts::recipeNeverWritten(neverWritten) << '\n';
    }
    return result;
}

void WritePreview(const ModelEditor& editor, QTextStream& out) {
    for (const FieldChange& change : editor.changes()) {
        out << texts::previewRow(nameOf(change.path), change.oldText(), change.newText()) << '\n';
    }
    out << texts::dryRunDone() << '\n';
}

int RunDiffRecipe(const QString& pathA, const QString& pathB, Console& console) {
    const std::optional<LoadedFile> a = load(pathA, LockMode::Unlocked, console);
    if (!a) {
        return kExitUnreadable;
    }
    const std::optional<LoadedFile> b = load(pathB, LockMode::Unlocked, console);
    if (!b) {
        return kExitUnreadable;
    }
    const std::vector<FieldChange> changes = DiffModels(*a->model, *b->model);
    const QString title = texts::diffRecipeTitle(QFileInfo(pathA).fileName(), QFileInfo(pathB).fileName());
    console.out << recipe::WriteRecipe(title, changes);
    return changes.empty() ? kExitOk : kExitFailure;
}

}  // namespace korven::cli
