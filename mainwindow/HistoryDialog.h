#pragma once

#include <QDialog>

#include <functional>

class QUndoStack;

namespace korven {

// The edit history; choosing a step moves the document to the state after it. With `canOpen`,
// double-clicking a step closes the view and keeps the step's index.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    // With `saveRecipe`, "レシピとして保存..." calls it with the selected step, or -1 for every
    // step when the first row (the file as opened) is selected.
    HistoryDialog(QUndoStack& history, bool canOpen, QWidget* owner,
                  const std::function<void(int step, QWidget* owner)>& saveRecipe = {});

    // The step double-clicked, or -1.
    int chosenStep() const { return m_chosen; }

private:
    int m_chosen = -1;
};

// Shows the edit history modally; choosing a step moves the document to the state after it.
// Double-clicking a step closes the view and then calls `open` with the step's index; the
// saved state is marked.
void ShowHistory(QUndoStack& history, QWidget* owner, const std::function<void(int step)>& open = {},
                 const std::function<void(int step, QWidget* owner)>& saveRecipe = {});

}  // namespace korven
