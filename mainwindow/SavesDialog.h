#pragma once

#include "mainwindow/SaveListing.h"

#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace korven {

// Lists the saves of `folder`, as `list` reads them (again at every F5), modally. The user's
// choice: one path to open, or two to compare; nothing when the list was closed.
std::optional<QStringList> ChooseSaves(const QString& folder,
                                       const std::function<std::vector<mainwindow::SaveEntry>()>& list,
                                       QWidget* owner);

}  // namespace korven
