#pragma once

#include "model/TurnCalendar.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The saves in a folder, each described from its header alone: every entry named
// SaveFile*.SAVE, whatever it is, and any other file that starts with the save files' magic.
namespace korven::mainwindow {

struct SaveEntry {
    QString path;
    QString saveName;
    QString scenario;
    std::optional<Turn> turn;
    QDateTime modified;
    QString problem;  // why the file could not be read; empty when it was

    friend bool operator==(const SaveEntry&, const SaveEntry&) = default;
};

// The file this program holds: described from its image as last opened or saved, not read.
struct HeldSave {
    QString path;
    QByteArray image;
};

// One step of a listing: the entry just read (none when the file turned out to be no save),
// and how many of the folder's candidates are done out of how many.
struct ListingStep {
    std::optional<SaveEntry> entry;
    qsizetype done = 0;
    qsizetype total = 0;
};

// Lists `folder` step by step, in the natural order of the names, giving each step to `step`;
// `step` returns false to stop. True when every candidate was read. A folder that cannot be
// read is one entry, with its reason. Safe on any thread: it touches nothing but the files.
bool ListSavesStepwise(const QString& folder, const HeldSave& held,
                       const std::function<bool(ListingStep)>& step);

// Every save in `folder` at once.
std::vector<SaveEntry> ListSaves(const QString& folder, const HeldSave& held = {});

// One save's entry from the start of its file; `size` is the whole file's.
SaveEntry SaveEntryOf(const QString& path, const QByteArray& image, qint64 size);

}  // namespace korven::mainwindow
