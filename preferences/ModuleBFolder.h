#pragma once

#include <QString>

class QWidget;

namespace korven {

// The text before its first NUL character, or the whole text when it has none.
QString TrimAtNul(const QString& text);

// Lets the user pick a file-system folder in the folder browser (the toolkit seam), titled
// `title` and owned by `owner`. The path in the platform's separators, or empty when the user
// cancelled.
QString BrowseForFolderPath(QWidget* owner, const QString& title);

}  // namespace korven
