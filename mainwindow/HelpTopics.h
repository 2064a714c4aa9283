#pragma once

#include <QString>

namespace korven::mainwindow {

// The help topic (an anchor of the help document) of a window, by the window's object name;
// empty for a window without a topic of its own.
QString HelpTopicFor(const QString& windowName);

}  // namespace korven::mainwindow
