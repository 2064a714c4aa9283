#pragma once

#include "model/SaveFile.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace korven {

// The record an editor opens with, set by the record list.
struct Selection {
    int16_t record = 0;   // ship class, aircraft type, base or aircrew entry
    int16_t ship = -1;    // individual ship; -1 when a ship class itself is edited
    int16_t target1 = 0;  // science weapons: class and entry
    int16_t target2 = 0;
};

// What an edit dialog works on; the main window owns all of it.
struct EditSession {
    SaveFile& file;
    std::function<void()> markFileChanged;  // every store calls it
    Selection selection;
    QString selectedItemText;  // the text of the list row the dialog was opened from
    QString gamePath;          // the game folder, ending in the separator when set
    QString openFilePath;
};

}  // namespace korven
