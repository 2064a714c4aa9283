#pragma once

#include "mainwindow/SaveListing.h"

#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace korven {

// Lists the saves of `folder` modally, filling the list in the background (again at every F5).
// `held` gives the file this program holds as it is at that moment. The user's choice: one
// path to open, or two to compare; nothing when the list was closed.
std::optional<QStringList> ChooseSaves(const QString& folder,
                                       const std::function<mainwindow::HeldSave()>& held, QWidget* owner);

}  // namespace korven
