#include "editors/GamePictures.h"

#include "editors/ModuleMain.h"

#include <QDir>

namespace korven {

QString FindGamePicture(const QString& gamePath, const QString& fileName) {
    if (gamePath.isEmpty()) {
        return {};
    }
    const QString exact = gamePath + fileName;
    if (FileExists(exact)) {
        return exact;
    }
    const QDir folder(gamePath);
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0 && FileExists(folder.filePath(entry))) {
            return folder.filePath(entry);
        }
    }
    return {};
}

}  // namespace korven
