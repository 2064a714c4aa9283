#pragma once

#include <QStringList>

#include <vector>

class QAction;

namespace korven::mainwindow {

// Shows `paths` in the File menu's numbered entries and the bar below them when there are any.
void ShowRecentPaths(const QStringList& paths, const std::vector<QAction*>& entries, QAction* bar);

}  // namespace korven::mainwindow
