#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;
class QUndoStack;

namespace korven {

// The edit history, one row per state: the file as opened, then the state after each step.
// Choosing a row moves nothing; "この時点に戻す" moves the document to it. Double-click or
// Enter on a step calls `open` with the step's index while the view stays open.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    // With `saveRecipe`, "レシピとして保存..." calls it with the selected step, or -1 for every
    // step when the first row (the file as opened) is selected.
    HistoryDialog(QUndoStack& history, std::function<void(int step)> open, QWidget* owner,
                  const std::function<void(int step, QWidget* owner)>& saveRecipe = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The rows as the history is now, the chosen row kept.
    void fill();
    void openRow(int row);
    void moveToChosen();
    void followChoice();

    QUndoStack& m_history;
    std::function<void(int step)> m_open;
    QListWidget* m_list;
    QPushButton* m_moveHere;
};

// Shows the history modally.
void ShowHistory(QUndoStack& history, QWidget* owner, const std::function<void(int step)>& open = {},
                 const std::function<void(int step, QWidget* owner)>& saveRecipe = {});

}  // namespace korven
