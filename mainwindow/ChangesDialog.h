#pragma once

#include "mainwindow/ChangeRows.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace korven {

enum class ChangesPurpose {
    Review,      // the pending changes, to read
    BeforeSave,  // the pending changes, with the choice to save them or not
    Compare,     // the fields in which another file differs, to read
};

// What the rows lead to; a missing function leaves its command out.
struct ChangesActions {
    // A double-clicked row's record, shown and opened over the view, which stays open.
    std::function<void(const RecordKey& key)> open;
    // The rows as they are now, shown again once the record's dialog has closed.
    std::function<std::vector<mainwindow::ChangeRow>()> rows;
    // The context menu's command (`caption`) on the selected rows, or on the clicked row alone
    // when `oneRow`; it returns the rows to show afterwards.
    QString caption;
    bool oneRow = false;
    std::function<std::vector<mainwindow::ChangeRow>(const std::vector<mainwindow::ChangeRow>& chosen)> apply;
    // "レシピとして保存...": writes the selected rows, or every row when none is selected.
    std::function<void(const std::vector<mainwindow::ChangeRow>& rows, QWidget* owner)> saveRecipe;
};

// A list of change rows with a summary above it. The context menu's command replaces the rows
// with the ones it returns.
class ChangesDialog : public QDialog {
    Q_OBJECT
public:
    ChangesDialog(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                  ChangesPurpose purpose, const ChangesActions& actions, QWidget* owner);

private:
    void addButtons();
    void openRow(const QTreeWidgetItem* item);
    void applyToChosenRows();
    void showRows(std::vector<mainwindow::ChangeRow> rows);
    void saveChosenRowsAsRecipe();
    const mainwindow::ChangeRow& rowOf(const QTreeWidgetItem* item) const;

    ChangesPurpose m_purpose;
    ChangesActions m_actions;
    std::vector<mainwindow::ChangeRow> m_shown;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
};

// The view's list of rows, for dialogs that show changes before making them.
QTreeWidget* NewChangeList(const std::vector<mainwindow::ChangeRow>& rows, ChangesPurpose purpose,
                           QWidget* parent);
void FillChangeList(QTreeWidget* list, const std::vector<mainwindow::ChangeRow>& rows);

// Shows the rows modally; true when the user chose to save (BeforeSave) or closed the view.
bool ShowChanges(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                 ChangesPurpose purpose, QWidget* owner, const ChangesActions& actions = {});

}  // namespace korven
