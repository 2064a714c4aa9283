#pragma once

#include <QString>

namespace korven::mainwindow {

// A "name|patterns|name|patterns" filter in the file dialog's syntax ("name (patterns);;...").
// "*.*" stands for every file, also one without a dot in its name.
QString DialogFilter(const QString& pipeFilter);

}  // namespace korven::mainwindow
