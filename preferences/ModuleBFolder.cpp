#include "preferences/ModuleBFolder.h"

#include "platform/UiServices.h"

#include <QDir>

namespace korven {

QString TrimAtNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

QString BrowseForFolderPath(QWidget* owner, const QString& title) {
    return QDir::toNativeSeparators(TrimAtNul(ui().browseForFolder(owner, title)));
}

}  // namespace korven
