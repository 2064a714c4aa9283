#pragma once

#include "mainwindow/ChangeRows.h"

#include <vector>

class QWidget;

namespace korven {

enum class ChangesPurpose {
    Review,      // the pending changes, to read
    BeforeSave,  // the pending changes, with the choice to save them or not
    Compare,     // the fields in which another file differs, to read
};

// Shows the rows modally; true when the user chose to save (BeforeSave) or closed the view.
bool ShowChanges(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                 ChangesPurpose purpose, QWidget* owner);

}  // namespace korven
