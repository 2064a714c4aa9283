#include "mainwindow/EditState.h"

#include "mainwindow/MainWindowTexts.h"
#include "platform/ProgramInfo.h"

#include <QDir>

namespace korven::mainwindow {

EditStateTexts EditStateFor(const QString& openPath, bool readOnly, bool changed) {
    const QString path = QDir::toNativeSeparators(openPath);
    const QString base = program::title() + texts::captionSeparator() + path +
                         (readOnly ? texts::captionReadOnly() : QString());
    return EditStateTexts{base + (changed ? texts::captionEdited() : texts::captionUnedited()),
                          path + (readOnly ? texts::label1ReadOnly() : QString()),
                          changed ? texts::edited() : texts::unedited()};
}

QString NoFileCaption() {
    return program::title();
}

}  // namespace korven::mainwindow
