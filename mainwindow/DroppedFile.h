#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace korven::mainwindow {

// The local file a drag carries, when it carries exactly one; the window opens nothing else.
std::optional<QString> DroppedFile(const QMimeData& data);

// True when the file can be read and does not begin with the save-file magic: checked before
// a dropped or recent file takes the place of the open one, so that a wrong file does not
// close it. A file that cannot be read is left to the open routine to report.
bool ClearlyNotASave(const QString& path);

}  // namespace korven::mainwindow
