#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace korven::mainwindow {

// The local file a drag carries, when it carries exactly one; the window opens nothing else.
std::optional<QString> DroppedFile(const QMimeData& data);

}  // namespace korven::mainwindow
