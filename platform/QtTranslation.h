#pragma once

#include <QString>
#include <QStringList>

// Qt's own Japanese texts: the file dialogs, the message box buttons, the text boxes' context
// menu. Without them those windows speak English in an otherwise Japanese program.
namespace korven {

// Where qtbase_ja.qm is looked for, in order: the program's own "translations" folder (so a
// Windows build can ship its copy beside the program), then Qt's translations folder.
QStringList QtTranslationFolders();

// Installs the first qtbase_ja.qm found in `folders` for the running application and returns
// its path; empty when there is none, which is no error: Qt then keeps its English texts.
QString InstallQtTranslation(const QStringList& folders = QtTranslationFolders());

// Japanese the default locale, whatever the system's: dates and numbers that Qt formats for
// the program (QLocale()) are then written as a Japanese player expects.
void UseJapaneseLocale();

}  // namespace korven
