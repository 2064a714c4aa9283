#pragma once

#include <functional>

class QUndoStack;
class QWidget;

namespace korven {

// Shows the edit history modally; choosing a step moves the document to the state after it.
// Double-clicking a step closes the view and then calls `open` with the step's index; the
// saved state is marked.
void ShowHistory(QUndoStack& history, QWidget* owner, const std::function<void(int step)>& open = {});

}  // namespace korven
