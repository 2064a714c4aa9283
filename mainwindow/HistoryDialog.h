#pragma once

class QUndoStack;
class QWidget;

namespace korven {

// Shows the edit history modally; choosing a step moves the document to the state after it.
void ShowHistory(QUndoStack& history, QWidget* owner);

}  // namespace korven
