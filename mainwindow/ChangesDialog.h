#pragma once

#include "mainwindow/ChangeRows.h"

#include <functional>
#include <vector>

class QTreeWidget;
class QWidget;

namespace korven {

enum class ChangesPurpose {
    Review,      // the pending changes, to read
    BeforeSave,  // the pending changes, with the choice to save them or not
    Compare,     // the fields in which another file differs, to read
};

// What the rows lead to; a missing function leaves its command out.
struct ChangesActions {
    // A double-clicked row's record, shown and opened once the view has closed.
    std::function<void(const RecordKey& key)> open;
    // The context menu's command (`caption`) on the selected rows, or on the clicked row alone
    // when `oneRow`; it returns the rows to show afterwards.
    QString caption;
    bool oneRow = false;
    std::function<std::vector<mainwindow::ChangeRow>(const std::vector<mainwindow::ChangeRow>& chosen)> apply;
};

// The view's list of rows, for dialogs that show changes before making them.
QTreeWidget* NewChangeList(const std::vector<mainwindow::ChangeRow>& rows, ChangesPurpose purpose,
                           QWidget* parent);
void FillChangeList(QTreeWidget* list, const std::vector<mainwindow::ChangeRow>& rows);

// Shows the rows modally; true when the user chose to save (BeforeSave) or closed the view.
bool ShowChanges(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                 ChangesPurpose purpose, QWidget* owner, const ChangesActions& actions = {});

}  // namespace korven
