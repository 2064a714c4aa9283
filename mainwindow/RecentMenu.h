#pragma once

#include <QStringList>

#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace korven::mainwindow {

// The File menu's entries for the recently opened files: `count` of them added to `menu`,
// each calling `open` with its position.
std::vector<QAction*> AddRecentEntries(QMenu* menu, int count, const std::function<void(int)>& open);

// Shows `paths` in the entries, and the separator `bar` after them when there are any.
void ShowRecentEntries(const std::vector<QAction*>& entries, QAction* bar, const QStringList& paths);

}  // namespace korven::mainwindow
