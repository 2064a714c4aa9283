#pragma once

class QFileDialog;

namespace korven {

// Qt's own file dialog writes the size and modified-date columns in the system's locale, so
// they stay English under an English or C system locale in an otherwise Japanese program.
// This makes them follow the program's locale (QLocale()); sorting still goes by the real size
// and time. Call it once the dialog uses Qt's own widgets (DontUseNativeDialog).
void UseProgramLocaleForColumns(QFileDialog& dialog);

}  // namespace korven
