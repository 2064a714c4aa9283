#pragma once

#include <QString>

class QWidget;

namespace korven {

class SettingsStore;

// What the options dialog changes: the game folder, kept in memory and in the settings.
struct Preferences {
    QString& gamePath;
    SettingsStore& settings;
};

using OptionsOpener = void (*)(Preferences& preferences, QWidget* owner);
using AboutOpener = void (*)(QWidget* owner);

struct PreferenceOpeners {
    OptionsOpener options = nullptr;
    AboutOpener about = nullptr;
};

// The preference dialogs the program has; a missing one opens nothing.
const PreferenceOpeners& preferenceOpeners();

}  // namespace korven
