#pragma once

#include <QString>

namespace korven::mainwindow {

// A "name|patterns|name|patterns" filter in the file dialog's syntax ("name (patterns);;...").
// "*.*" stands for every file, also one without a dot in its name. Every name gets its patterns
// appended, so a dialog that hides the filter details shows each name exactly as given.
QString DialogFilter(const QString& pipeFilter);

}  // namespace korven::mainwindow
