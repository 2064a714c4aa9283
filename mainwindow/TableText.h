#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Rows of list cells for other programs: tab-separated text for the clipboard, and CSV
// files as spreadsheet programs on Windows open them (UTF-8 with a byte order mark). In both, a
// text cell that a spreadsheet would take for a formula starts with an apostrophe.
namespace korven::mainwindow {

// One line per row, cells separated by tabs. A tab or line break inside a cell would start
// a new cell or row, so it becomes a space.
QString TabSeparated(const std::vector<QStringList>& rows);

// RFC 4180: lines end in CR LF; a cell holding a comma, a double quote or a line break is
// quoted, its quotes doubled.
QByteArray CommaSeparated(const std::vector<QStringList>& rows);

}  // namespace korven::mainwindow
